#include "setup_driver.h"

#include "setup_resource.h"

#include <algorithm>
#include <stdio.h>

std::string BestFitTwin(const std::string &utf8)
{
    std::wstring wide = Wide(utf8);
    std::string ansi(wide.size() * 2 + 1, '\0');
    int length = WideCharToMultiByte(1252, 0, wide.data(), (int)wide.size(), &ansi[0],
                                     (int)ansi.size(), NULL, NULL);
    std::wstring twin(length > 0 ? length : 0, L'\0');
    if (length > 0) MultiByteToWideChar(1252, 0, ansi.data(), length, &twin[0], length);
    return Utf8(twin);
}

bool WriteWholeFile(const std::string &path, const std::string &bytes)
{
    FILE *file = _wfopen(Wide(path).c_str(), L"wb");
    if (!file) return false;
    bool ok = fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return fclose(file) == 0 && ok;
}

static bool FolderExists(const std::string &path)
{
    DWORD attributes = GetFileAttributesW(Wide(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

/* The names in folder (no "." or ".."), sorted; empty when it is missing. */
static std::vector<std::string> FolderListing(const std::string &folder)
{
    std::vector<std::string> names;
    std::string pattern = folder + (folder.empty() || folder.back() == '\\' ? "*" : "\\*");
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(Wide(pattern).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        std::string name = Utf8(found.cFileName);
        if (name != "." && name != "..") names.push_back(name);
    } while (FindNextFileW(search, &found));
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
            SetFileAttributesW(Wide(path).c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileW(Wide(path).c_str());
        }
    }
    RemoveDirectoryW(Wide(folder).c_str());
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

std::string PayloadOf(const std::string &setupExe)
{
    return ResourceBytes(setupExe, "BINARY", IDR_GAME_PROGRAM);
}

static uint32_t Read32(const std::string &bytes, size_t at)
{
    if (at + 4 > bytes.size()) return 0;
    return (uint32_t)(unsigned char)bytes[at] | (uint32_t)(unsigned char)bytes[at + 1] << 8 |
           (uint32_t)(unsigned char)bytes[at + 2] << 16 |
           (uint32_t)(unsigned char)bytes[at + 3] << 24;
}

/* The file offset of rva, or 0 when no section's raw data holds it. */
static size_t FileOffset(const std::string &bytes, size_t sections, unsigned count, uint32_t rva)
{
    for (unsigned i = 0; i < count; i++) {
        size_t at = sections + (size_t)i * 40;
        uint32_t address = Read32(bytes, at + 12), rawSize = Read32(bytes, at + 16);
        if (rva >= address && rva - address < rawSize)
            return Read32(bytes, at + 20) + (rva - address);
    }
    return 0;
}

std::string IdleTwin(std::string program)
{
    size_t pe = Read32(program, 0x3C);
    if (program.compare(0, 2, "MZ") != 0 || Read32(program, pe) != 0x00004550) return "";
    uint32_t machine = Read32(program, pe + 4) & 0xFFFF;
    unsigned count = (Read32(program, pe + 4) >> 16) & 0xFFFF;
    size_t optional = pe + 24;
    size_t sections = optional + (Read32(program, pe + 20) & 0xFFFF);
    size_t entry = FileOffset(program, sections, count, Read32(program, optional + 16));
    /* The entry point is called as DWORD WINAPI entry(PEB *): i686 code
       pops its argument on return (ret 4), x86_64 code does not (ret). */
    std::string ret = machine == 0x14C ? std::string("\xC2\x04\x00", 3) : "\xC3";
    if (machine != 0x14C && machine != 0x8664) return "";
    if (entry == 0 || entry + ret.size() > program.size()) return "";
    program.replace(entry, ret.size(), ret);
    return program;
}
