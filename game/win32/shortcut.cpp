/* The desktop shortcut, written through the shell's link object. Every
   path here is wide: a user's folder may be named in letters the ANSI code
   page lacks, and its ANSI form then holds '?' and names nothing. */
#include <windows.h>

#include <objidl.h>
#include <shlobj.h>
#include <string.h>

#include "ui.h"

static const WCHAR linkDescription[] = L"Zendaro - open the boxes, beat the banker";

/* The desktop's folder in the file system, or 0 when it has none. */
static int GetDesktopFolder(HWND owner, WCHAR (&folder)[MAX_PATH])
{
    LPITEMIDLIST desktop = NULL;
    if (FAILED(SHGetSpecialFolderLocation(owner, CSIDL_DESKTOP, &desktop)) || !desktop) return 0;
    BOOL found = SHGetPathFromIDListW(desktop, folder);
    CoTaskMemFree(desktop);
    return found && folder[0] != L'\0';
}

/* Adds text at path[*used]; 0 when it does not fit, for a link saved
   under a cut-short name could overwrite some other file. */
static int AppendToPath(WCHAR (&path)[MAX_PATH], size_t *used, const WCHAR *text)
{
    size_t length = wcslen(text);
    if (*used + length >= MAX_PATH) return 0;
    memcpy(path + *used, text, (length + 1) * sizeof path[0]);
    *used += length;
    return 1;
}

static int MakeLinkPath(HWND owner, const WCHAR *displayName, WCHAR (&linkPath)[MAX_PATH])
{
    if (!GetDesktopFolder(owner, linkPath)) return 0;
    size_t used = wcslen(linkPath);
    return AppendToPath(linkPath, &used, L"\\") && AppendToPath(linkPath, &used, displayName) &&
           AppendToPath(linkPath, &used, L".lnk");
}

HRESULT CreateDesktopShortcut(HWND owner, const WCHAR *displayName, const WCHAR *target)
{
    WCHAR linkPath[MAX_PATH];
    if (!target[0] || !MakeLinkPath(owner, displayName, linkPath)) return E_FAIL;

    IShellLinkW *link = NULL;
    HRESULT result = CoCreateInstance(CLSID_ShellLink, NULL, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                      (void **)&link);
    if (FAILED(result)) return result;
    link->SetPath(target);
    link->SetDescription(linkDescription);
    IPersistFile *file = NULL;
    result = link->QueryInterface(IID_IPersistFile, (void **)&file);
    if (SUCCEEDED(result)) {
        result = file->Save(linkPath, TRUE);
        file->Release();
    }
    link->Release();
    return result;
}
