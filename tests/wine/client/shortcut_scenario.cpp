/* The desktop shortcut the game makes at each start. */
#include <windows.h>

#include <objbase.h>
#include <shlobj.h>
#include <stdio.h>
#include <string.h>

#include "game_play.h"

struct LinkInfo {
    int found;
    std::string path, arguments, folder;
};

LinkInfo ReadLink(const std::string &file)
{
    LinkInfo info = {0, "", "", ""};
    IShellLinkA *link = NULL;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, NULL, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                (void **)&link)))
        return info;
    IPersistFile *persist = NULL;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, (void **)&persist))) {
        WCHAR wide[MAX_PATH];
        MultiByteToWideChar(CP_ACP, 0, file.c_str(), -1, wide, MAX_PATH);
        if (SUCCEEDED(persist->Load(wide, STGM_READ))) {
            char text[MAX_PATH * 2];
            info.found = 1;
            text[0] = '\0';
            link->GetPath(text, MAX_PATH, NULL, SLGP_RAWPATH);
            info.path = text;
            text[0] = '\0';
            link->GetArguments(text, MAX_PATH);
            info.arguments = text;
            text[0] = '\0';
            link->GetWorkingDirectory(text, MAX_PATH);
            info.folder = text;
        }
        persist->Release();
    }
    link->Release();
    return info;
}

/* Files (not folders) matching pattern: a link saved under a cut-short
   name counts too. */
int CountFiles(const std::string &pattern)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return 0;
    int count = 0;
    do count += !(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
    while (FindNextFileA(search, &found));
    FindClose(search);
    return count;
}

void CheckLinkTo(const std::string &link, const std::string &program, const char *when)
{
    LinkInfo info = ReadLink(link);
    EXPECT(info.found, "%s: no %s", when, link.c_str());
    EXPECT(lstrcmpiA(info.path.c_str(), program.c_str()) == 0,
           "%s: link points at \"%s\", not \"%s\"", when, info.path.c_str(), program.c_str());
    EXPECT(info.arguments.empty(), "%s: link has arguments \"%s\"", when, info.arguments.c_str());
    EXPECT(info.folder.empty(), "%s: link has a working folder \"%s\"", when, info.folder.c_str());
    Log("%s: Zendaro.lnk -> %s", when, info.path.c_str());
}

void StartAndClose(const std::string &program, const char *when)
{
    Game g;
    if (StartGame(&g, program.c_str())) CloseGame(&g, when);
    DriveRelease(&g.process);
}

const char shellFolders[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\"
                            "User Shell Folders";

/* Points the user's desktop at folder (a test root of its own: putting the
   real desktop back as a plain path is enough). */
void MoveDesktopTo(const std::string &folder)
{
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, shellFolders, 0, NULL, 0, KEY_WRITE, NULL, &key, NULL) !=
        ERROR_SUCCESS)
        return;
    RegSetValueExA(key, "Desktop", 0, REG_SZ, (const BYTE *)folder.c_str(),
                   (DWORD)folder.size() + 1);
    RegCloseKey(key);
}

/* A folder path of exactly length characters below base, made level by
   level; empty when it cannot be made. */
std::string MakeDeepFolder(const std::string &base, size_t length)
{
    std::string path = base;
    CreateDirectoryA(path.c_str(), NULL);
    while (path.size() < length) {
        size_t level = std::min<size_t>(40, length - path.size() - 1);
        path += "\\" + std::string(level, 'd');
        if (!CreateDirectoryA(path.c_str(), NULL) && GetLastError() != ERROR_ALREADY_EXISTS)
            return "";
    }
    return path;
}

void CheckNoLinkWhereDesktopCannotTakeIt(const char *desktop)
{
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    /* 249 characters: a backslash and Zendaro.lnk make the link's path 261. */
    std::string deep = MakeDeepFolder(std::string(temp) + "zendaro deep", 249);
    EXPECT(!deep.empty(), "cannot make a folder 249 characters deep");
    if (!deep.empty()) {
        MoveDesktopTo(deep);
        StartAndClose(exePath, "start with a desktop too deep for the link");
        EXPECT(CountFiles(deep + "\\*") == 0, "a link was written where its path does not fit");
        Log("desktop %zu characters deep: no link, normal start", deep.size());
    }
    MoveDesktopTo("Q:\\no such drive\\Desktop");
    StartAndClose(exePath, "start with a desktop that cannot be reached");
    Log("desktop on a missing drive: normal start");
    MoveDesktopTo(desktop);
}

int ScenarioShortcut(void)
{
    char desktop[MAX_PATH];
    EXPECT(SUCCEEDED(SHGetFolderPathA(NULL, CSIDL_DESKTOPDIRECTORY, NULL, 0, desktop)),
           "no desktop folder");
    std::string link = std::string(desktop) + "\\Zendaro.lnk";
    DeleteFileA(link.c_str());

    StartAndClose(exePath, "first start");
    StartAndClose(exePath, "second start");
    CheckLinkTo(link, exePath, "after two starts");
    int links = CountFiles(std::string(desktop) + "\\Zendaro*.lnk");
    EXPECT(links == 1, "%d Zendaro links on the desktop", links);

    /* Started from another folder, the link follows the program. */
    std::string moved = CopyOfGame("zendaro moved");
    StartAndClose(moved, "start from another folder");
    CheckLinkTo(link, moved, "after a start from another folder");

    /* No link, and a normal start, where the desktop cannot take one. */
    DeleteFileA(link.c_str());
    CheckNoLinkWhereDesktopCannotTakeIt(desktop);
    EXPECT(GetFileAttributesA(link.c_str()) == INVALID_FILE_ATTRIBUTES,
           "a link appeared on the real desktop while the desktop was elsewhere");

    /* A link the user deleted comes back. */
    StartAndClose(exePath, "start after the link was deleted");
    CheckLinkTo(link, exePath, "after the link was deleted");
    RemoveCopyOfGame(moved);
    return 0;
}
