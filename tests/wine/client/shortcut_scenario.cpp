/* The desktop shortcut the game makes at each start. */
#include <windows.h>

#include <objbase.h>
#include <shlobj.h>
#include <stdio.h>
#include <string.h>

#include "game_play.h"

struct LinkInfo {
    int found;
    std::wstring path, arguments, folder;
};

/* Paths are read and written wide: a desktop named outside the ANSI code
   page has no ANSI name. The game's own path is ANSI here (GetFullPathNameA). */
std::wstring WideFromAnsi(const std::string &ansi)
{
    WCHAR wide[MAX_PATH * 2];
    if (MultiByteToWideChar(CP_ACP, 0, ansi.c_str(), -1, wide, MAX_PATH * 2) == 0) return L"";
    return wide;
}

/* The target as the link's item list names it, the list the shell follows
   when the link is opened. Wine answers GetPath from the link's ANSI copy
   of the path, with a best-fit "L" for a letter such as the L with stroke. */
std::wstring TargetOf(IShellLinkW *link)
{
    LPITEMIDLIST items = NULL;
    WCHAR path[MAX_PATH];
    path[0] = L'\0';
    if (SUCCEEDED(link->GetIDList(&items)) && items) {
        if (!SHGetPathFromIDListW(items, path)) path[0] = L'\0';
        CoTaskMemFree(items);
    }
    return path;
}

LinkInfo ReadLink(const std::wstring &file)
{
    LinkInfo info = {0, L"", L"", L""};
    IShellLinkW *link = NULL;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, NULL, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                (void **)&link)))
        return info;
    IPersistFile *persist = NULL;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, (void **)&persist))) {
        if (SUCCEEDED(persist->Load(file.c_str(), STGM_READ))) {
            WCHAR text[MAX_PATH * 2];
            info.found = 1;
            info.path = TargetOf(link);
            text[0] = L'\0';
            link->GetArguments(text, MAX_PATH);
            info.arguments = text;
            text[0] = L'\0';
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

void CheckLinkTo(const std::wstring &link, const std::wstring &program, const char *when)
{
    LinkInfo info = ReadLink(link);
    EXPECT(info.found, "%s: no %s", when, Utf8(link).c_str());
    EXPECT(lstrcmpiW(info.path.c_str(), program.c_str()) == 0,
           "%s: link points at \"%s\", not \"%s\"", when, Utf8(info.path).c_str(),
           Utf8(program).c_str());
    EXPECT(info.arguments.empty(), "%s: link has arguments \"%s\"", when,
           Utf8(info.arguments).c_str());
    EXPECT(info.folder.empty(), "%s: link has a working folder \"%s\"", when,
           Utf8(info.folder).c_str());
    Log("%s: %s -> %s", when, Utf8(link).c_str(), Utf8(info.path).c_str());
}

void StartAndClose(const std::string &program, const char *when)
{
    Game g;
    if (StartGame(&g, program.c_str())) CloseGame(&g, when);
    DriveRelease(&g.process);
}

/* Through CreateProcessW: the ANSI call hands the program a best-fit
   name ("Lukasz") for a folder that has no ANSI name. */
void StartAndCloseWide(const std::wstring &program, const char *when)
{
    Game g;
    memset(&g, 0, sizeof g);
    std::wstring line = L"\"" + program + L"\" ";
    std::vector<WCHAR> buffer(line.begin(), line.end());
    buffer.push_back(L'\0');
    STARTUPINFOW startup;
    memset(&startup, 0, sizeof startup);
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info;
    if (!CreateProcessW(program.c_str(), buffer.data(), NULL, NULL, FALSE, 0, NULL, NULL, &startup,
                        &info)) {
        EXPECT(0, "%s: Zendaro.exe did not start (error %lu)", when, GetLastError());
        return;
    }
    CloseHandle(info.hThread);
    g.process.process = info.hProcess;
    g.process.pid = info.dwProcessId;
    g.dlg = DriveWaitDialog(g.process.pid, GAME_TITLE, 30000);
    EXPECT(g.dlg && DriveWaitText(g.dlg, ID_MESSAGE, CHOOSE, 10000),
           "%s: the first game did not start", when);
    if (g.dlg) CloseGame(&g, when);
    DriveRelease(&g.process);
}

const char shellFolders[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\"
                            "User Shell Folders";

/* Points the user's desktop at folder (a test root of its own: putting the
   real desktop back as a plain path is enough). */
void MoveDesktopTo(const std::wstring &folder)
{
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, shellFolders, 0, NULL, 0, KEY_WRITE, NULL, &key, NULL) !=
        ERROR_SUCCESS)
        return;
    RegSetValueExW(key, L"Desktop", 0, REG_SZ, (const BYTE *)folder.c_str(),
                   (DWORD)((folder.size() + 1) * sizeof folder[0]));
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
        MoveDesktopTo(WideFromAnsi(deep));
        StartAndClose(exePath, "start with a desktop too deep for the link");
        EXPECT(CountFiles(deep + "\\*") == 0, "a link was written where its path does not fit");
        Log("desktop %zu characters deep: no link, normal start", deep.size());
    }
    MoveDesktopTo(L"Q:\\no such drive\\Desktop");
    StartAndClose(exePath, "start with a desktop that cannot be reached");
    Log("desktop on a missing drive: normal start");
    MoveDesktopTo(WideFromAnsi(desktop));
}

/* A user named with a letter the ANSI code page lacks (L with stroke,
   outside 1252) has a desktop, and may have programs, that only the wide
   calls can name. */
void CheckLinkWhereDesktopHasNoAnsiName(const char *desktop)
{
    const std::wstring user = L"C:\\users\\\u0141ukasz", folder = user + L"\\Desktop";
    BOOL lost = FALSE;
    char ansi[MAX_PATH];
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, folder.c_str(), -1, ansi, sizeof ansi, NULL,
                        &lost);
    EXPECT(lost, "code page %u can name %s: the case proves nothing", GetACP(),
           Utf8(folder).c_str());
    CreateDirectoryW(user.c_str(), NULL);
    CreateDirectoryW(folder.c_str(), NULL);
    const std::wstring link = folder + L"\\Zendaro.lnk";
    DeleteFileW(link.c_str());
    MoveDesktopTo(folder);
    StartAndClose(exePath, "start with a desktop outside the code page");
    CheckLinkTo(link, WideFromAnsi(exePath), "desktop outside the code page");

    const std::wstring programFolder = user + L"\\Zendaro",
                       program = programFolder + L"\\Zendaro.exe";
    CreateDirectoryW(programFolder.c_str(), NULL);
    EXPECT(CopyFileW(WideFromAnsi(exePath).c_str(), program.c_str(), FALSE),
           "cannot copy the program");
    StartAndCloseWide(program, "start from a folder outside the code page");
    CheckLinkTo(link, program, "after a start from a folder outside the code page");

    MoveDesktopTo(WideFromAnsi(desktop));
    DeleteFileW(link.c_str());
    DeleteFileW(program.c_str());
    RemoveDirectoryW(programFolder.c_str());
    RemoveDirectoryW(folder.c_str());
    RemoveDirectoryW(user.c_str());
}

int ScenarioShortcut(void)
{
    char desktop[MAX_PATH];
    EXPECT(SUCCEEDED(SHGetFolderPathA(NULL, CSIDL_DESKTOPDIRECTORY, NULL, 0, desktop)),
           "no desktop folder");
    std::wstring link = WideFromAnsi(desktop) + L"\\Zendaro.lnk";
    DeleteFileW(link.c_str());

    StartAndClose(exePath, "first start");
    StartAndClose(exePath, "second start");
    CheckLinkTo(link, WideFromAnsi(exePath), "after two starts");
    int links = CountFiles(std::string(desktop) + "\\Zendaro*.lnk");
    EXPECT(links == 1, "%d Zendaro links on the desktop", links);

    /* Started from another folder, the link follows the program. */
    std::string moved = CopyOfGame("zendaro moved");
    StartAndClose(moved, "start from another folder");
    CheckLinkTo(link, WideFromAnsi(moved), "after a start from another folder");

    /* No link, and a normal start, where the desktop cannot take one. */
    DeleteFileW(link.c_str());
    CheckNoLinkWhereDesktopCannotTakeIt(desktop);
    CheckLinkWhereDesktopHasNoAnsiName(desktop);
    EXPECT(GetFileAttributesW(link.c_str()) == INVALID_FILE_ATTRIBUTES,
           "a link appeared on the real desktop while the desktop was elsewhere");

    /* A link the user deleted comes back. */
    StartAndClose(exePath, "start after the link was deleted");
    CheckLinkTo(link, WideFromAnsi(exePath), "after the link was deleted");
    RemoveCopyOfGame(moved);
    return 0;
}
