/* The disk as the test sees it: whole files, folder listings, and the
   resources packed into a program file. */
#ifndef ZENDARO_SETUP_FILES_H
#define ZENDARO_SETUP_FILES_H

#include <string>
#include <vector>

/* The whole file as bytes; *found (may be NULL) tells whether it could be
   read. */
std::string ReadWholeFile(const std::string &path, bool *found);

bool WriteWholeFile(const std::string &path, const std::string &bytes);

bool FolderExists(const std::string &path);

/* The names in folder (no "." or ".."), sorted; empty when it is missing. */
std::vector<std::string> FolderListing(const std::string &folder);

/* Deletes folder with everything in it; quiet when it is missing. */
void RemoveTree(const std::string &folder);

/* What a folder holds, to compare before and after an install attempt:
   whether it exists, its names, and the bytes of Zendaro.exe in it. */
struct FolderState {
    bool exists;
    std::vector<std::string> names;
    bool hasGame;
    std::string gameBytes;
};
FolderState ReadFolderState(const std::string &folder);
bool SameFolderState(const FolderState &a, const FolderState &b);
std::string DescribeFolderState(const FolderState &state);

/* The bytes of resource type/id of a program file, read without running
   it; empty when there is none. */
std::string ResourceBytes(const std::string &exePath, const char *type, int id);

#endif
