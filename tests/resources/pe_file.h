/* Reads what a Windows program file carries: its headers, the DLLs it
   imports and its resources. Enough of the PE format for the checks, for
   both 32- and 64-bit files; every read is bounds-checked. */
#ifndef ZENDARO_PE_FILE_H
#define ZENDARO_PE_FILE_H

#include <cstdint>
#include <map>
#include <string>
#include <vector>

/* A resource type or name: a number, or a string ("WAVE"). */
struct ResourceKey {
    bool isNumber;
    uint32_t number;
    std::string name;
    bool operator<(const ResourceKey &other) const;
};

ResourceKey ResourceNumber(uint32_t number);
ResourceKey ResourceName(const std::string &name);

struct ResourceId {
    ResourceKey type, name;
    uint32_t language;
    bool operator<(const ResourceId &other) const;
};

struct PeFile {
    std::string error; /* empty when the file was read whole */
    uint16_t machine = 0;
    uint16_t subsystem = 0;
    uint16_t dllCharacteristics = 0;
    std::vector<std::string> sections;
    std::vector<std::string> importedDlls;
    std::map<ResourceId, std::vector<uint8_t>> resources;
};

PeFile ReadPeFile(const std::string &path);

/* The bytes of a file, or an empty vector. */
std::vector<uint8_t> ReadWholeFile(const std::string &path);

#endif
