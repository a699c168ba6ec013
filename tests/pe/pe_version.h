/* Reads a version resource (RT_VERSION): the fixed numbers, each string
   table's names and values, and the translations Windows looks up. */
#ifndef ZENDARO_PE_VERSION_H
#define ZENDARO_PE_VERSION_H

#include <stdint.h>

#include <map>
#include <string>
#include <vector>

struct VersionInfo {
    bool complete = false; /* the whole resource was read and is well formed */
    uint32_t signature = 0, fileVersionMs = 0, fileVersionLs = 0;
    uint32_t productVersionMs = 0, productVersionLs = 0;
    uint32_t fileFlagsMask = 0, fileFlags = 0, fileOs = 0, fileType = 0, fileSubtype = 0;
    /* table key ("080904E4") -> name -> value, the values in UTF-8 */
    std::map<std::string, std::map<std::string, std::string>> strings;
    /* VarFileInfo's Translation: language in the low half, code page in the high */
    std::vector<uint32_t> translations;
};

VersionInfo ParseVersionInfo(const std::vector<uint8_t> &bytes);

#endif
