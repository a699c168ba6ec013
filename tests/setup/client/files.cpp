#include "setup_driver.h"

#include <algorithm>
#include <stdio.h>

std::string ReadWholeFile(const std::string &path, bool *found)
{
    std::string bytes;
    FILE *file = fopen(path.c_str(), "rb");
    if (found) *found = file != NULL;
    if (!file) return bytes;
    char buffer[65536];
    size_t got;
    while ((got = fread(buffer, 1, sizeof buffer, file)) > 0) bytes.append(buffer, got);
    (void)fclose(file); /* read already: nothing to lose */
    return bytes;
}

bool WriteWholeFile(const std::string &path, const std::string &bytes)
{
    FILE *file = fopen(path.c_str(), "wb");
    if (!file) return false;
    bool ok = fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return fclose(file) == 0 && ok;
}

static bool FolderExists(const std::string &path)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

/* The names in folder (no "." or ".."), sorted; empty when it is missing. */
static std::vector<std::string> FolderListing(const std::string &folder)
{
    std::vector<std::string> names;
    std::string pattern = folder + (folder.empty() || folder.back() == '\\' ? "*" : "\\*");
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        std::string name = found.cFileName;
        if (name != "." && name != "..") names.push_back(name);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

void RemoveTree(const std::string &folder)
{
    for (const std::string &name : FolderListing(folder)) {
        std::string path = folder;
        path.append(folder.back() == '\\' ? "" : "\\").append(name);
        if (FolderExists(path))
            RemoveTree(path);
        else {
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA(path.c_str());
        }
    }
    RemoveDirectoryA(folder.c_str());
}

FolderState ReadFolderState(const std::string &folder)
{
    FolderState state;
    state.exists = FolderExists(folder);
    state.names = FolderListing(folder);
    state.gameBytes = ReadWholeFile(folder + "\\Zendaro.exe", &state.hasGame);
    return state;
}

bool SameFolderState(const FolderState &a, const FolderState &b)
{
    return a.exists == b.exists && a.names == b.names && a.hasGame == b.hasGame &&
           a.gameBytes == b.gameBytes;
}

std::string DescribeFolderState(const FolderState &state)
{
    if (!state.exists) return "(no folder)";
    std::string text = "[";
    for (const std::string &name : state.names) text += (text.size() > 1 ? ", " : "") + name;
    text += "]";
    if (state.hasGame) text += " Zendaro.exe " + std::to_string(state.gameBytes.size()) + " bytes";
    return text;
}

std::string ResourceBytes(const std::string &exePath, const char *type, int id)
{
    std::string bytes;
    HMODULE module = LoadLibraryExA(exePath.c_str(), NULL, LOAD_LIBRARY_AS_DATAFILE);
    if (!module) return bytes;
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), type);
    HGLOBAL loaded = found ? LoadResource(module, found) : NULL;
    const char *data = loaded ? (const char *)LockResource(loaded) : NULL;
    if (data) bytes.assign(data, SizeofResource(module, found));
    FreeLibrary(module);
    return bytes;
}
