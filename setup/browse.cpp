/* The Browse button: the shell's folder picker. */
#include "setup.h"
#include "setup_resource.h"

#include <objbase.h>
#include <shlobj.h>
#include <string.h>

namespace
{

/* SHGetPathFromIDListW may write MAX_PATH characters; one more keeps room
   for the backslash that is appended. */
WCHAR pickedPath[MAX_PATH + 1];
WCHAR pickedDisplayName[MAX_PATH];
WCHAR pickerTitle[64];

void ShowPickedPath(PIDLIST_ABSOLUTE items)
{
    memset(pickedPath, 0, sizeof pickedPath);
    if (!SHGetPathFromIDListW(items, pickedPath)) return;
    size_t length = wcslen(pickedPath);
    /* A drive root such as D:\ already ends in a backslash. */
    if (length > 3 && length < MAX_PATH) pickedPath[length] = L'\\';
    SetDlgItemTextW(setupWindow, IDC_INSTALL_PATH, pickedPath);
}

} // namespace

void BrowseInstallFolder(void)
{
    /* The picker has no owner, so Browse stays clickable while it is open. */
    if (folderPickerOpen) return;
    folderPickerOpen = 1;
    BROWSEINFOW info;
    memset(&info, 0, sizeof info);
    info.pszDisplayName = pickedDisplayName;
    info.lpszTitle = WideFrom1252("Select a Folder to Install to", pickerTitle,
                                  sizeof pickerTitle / sizeof *pickerTitle);
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    PIDLIST_ABSOLUTE items = SHBrowseForFolderW(&info);
    if (items) {
        ShowPickedPath(items);
        CoTaskMemFree(items);
    }
    folderPickerOpen = 0;
}
