/* The Browse button: the shell's folder picker. */
#include "setup.h"
#include "setup_resource.h"

#include <objbase.h>
#include <shlobj.h>
#include <string.h>

namespace
{

/* SHGetPathFromIDListA may write MAX_PATH bytes; one more keeps room for
   the backslash that is appended. */
char pickedPath[MAX_PATH + 1];
char pickedDisplayName[MAX_PATH];

void ShowPickedPath(PIDLIST_ABSOLUTE items)
{
    memset(pickedPath, 0, sizeof pickedPath);
    if (!SHGetPathFromIDListA(items, pickedPath)) return;
    size_t length = strlen(pickedPath);
    /* A drive root such as D:\ already ends in a backslash. */
    if (length > 3 && length < sizeof pickedPath - 1) pickedPath[length] = '\\';
    SetDlgItemTextA(setupWindow, IDC_INSTALL_PATH, pickedPath);
}

} // namespace

void BrowseInstallFolder(void)
{
    /* The picker has no owner, so Browse stays clickable while it is open. */
    if (folderPickerOpen) return;
    folderPickerOpen = 1;
    BROWSEINFOA info;
    memset(&info, 0, sizeof info);
    info.pszDisplayName = pickedDisplayName;
    info.lpszTitle = "Select a Folder to Install to";
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    PIDLIST_ABSOLUTE items = SHBrowseForFolderA(&info);
    if (items) {
        ShowPickedPath(items);
        CoTaskMemFree(items);
    }
    folderPickerOpen = 0;
}
