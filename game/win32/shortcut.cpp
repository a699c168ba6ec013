/* The desktop shortcut, written through the shell's link object. */
#include <windows.h>

#include <objidl.h>
#include <shlobj.h>
#include <stdio.h>

#include "ui.h"

static const char linkDescription[] = "Zendaro - open the boxes, beat the banker";

/* The desktop's folder in the file system, or 0 when it has none. */
static int GetDesktopFolder(HWND owner, char *folder)
{
    LPITEMIDLIST desktop = NULL;
    if (FAILED(SHGetSpecialFolderLocation(owner, CSIDL_DESKTOP, &desktop)) || !desktop) return 0;
    BOOL found = SHGetPathFromIDListA(desktop, folder);
    CoTaskMemFree(desktop);
    return found && folder[0] != '\0';
}

static void SaveLink(IPersistFile *file, const char *linkPath)
{
    WCHAR widePath[MAX_PATH];
    /* 0 means the path does not fit; a link saved under a cut-short name
       could overwrite some other file. */
    if (MultiByteToWideChar(CP_ACP, 0, linkPath, -1, widePath, MAX_PATH) == 0) return;
    file->Save(widePath, TRUE);
}

HRESULT CreateDesktopShortcut(HWND owner, const char *displayName, const char *target)
{
    char desktop[MAX_PATH];
    char linkPath[1024];
    if (!target[0] || !GetDesktopFolder(owner, desktop)) return E_FAIL;
    int length = snprintf(linkPath, sizeof linkPath, "%s\\%s.lnk", desktop, displayName);
    if (length < 0 || length >= MAX_PATH) return E_FAIL;

    IShellLinkA *link = NULL;
    HRESULT result = CoCreateInstance(CLSID_ShellLink, NULL, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                      (void **)&link);
    if (FAILED(result)) return result;
    link->SetPath(target);
    link->SetDescription(linkDescription);
    IPersistFile *file = NULL;
    result = link->QueryInterface(IID_IPersistFile, (void **)&file);
    if (SUCCEEDED(result)) {
        SaveLink(file, linkPath);
        file->Release();
    }
    link->Release();
    return result;
}
