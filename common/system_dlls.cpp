/* DLLs from the system folder only (system_dlls.h). */
#include "system_dlls.h"

#include <stdio.h>

/* Both calls are looked up by name: SetDefaultDllDirectories came with an
   update of Windows 7, SetDllDirectoryA with Windows XP SP1, and a missing
   import would keep the program from starting at all on an older Windows.
   kernel32 is a known DLL, so asking it is safe. */
typedef BOOL(WINAPI *SetDefaultDllDirectoriesCall)(DWORD flags);
typedef BOOL(WINAPI *SetDllDirectoryCall)(LPCSTR path);

/* Whether the search is restricted to the system folder, so that a DLL's
   own imports are looked for there too. */
static int searchIsSystemOnly;

AnyCall FindCall(HMODULE module, const char *name)
{
    return module ? (AnyCall)GetProcAddress(module, name) : NULL;
}

static void RestrictSearch(void)
{
    HMODULE kernel32 = GetModuleHandleA("kernel32.dll");
    SetDefaultDllDirectoriesCall setDefault =
        (SetDefaultDllDirectoriesCall)FindCall(kernel32, "SetDefaultDllDirectories");
    if (setDefault && setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32)) {
        searchIsSystemOnly = 1;
        return;
    }
    /* "" takes the current folder out of the search. */
    SetDllDirectoryCall setDirectory = (SetDllDirectoryCall)FindCall(kernel32, "SetDllDirectoryA");
    if (setDirectory) setDirectory("");
}

HMODULE LoadSystemDll(const char *name)
{
    char path[MAX_PATH];
    UINT length = GetSystemDirectoryA(path, sizeof path);
    if (length == 0 || length >= sizeof path) return NULL;
    int added = snprintf(path + length, sizeof path - length, "\\%s", name);
    if (added < 0 || (size_t)added >= sizeof path - length) return NULL;
    /* Without the restriction, the altered search looks for the DLL's own
       imports beside it, in the system folder, instead of beside us. */
    return LoadLibraryExA(path, NULL, searchIsSystemOnly ? 0 : LOAD_WITH_ALTERED_SEARCH_PATH);
}

void KeepDllSearchInSystemFolder(const char *const later[], size_t count)
{
    RestrictSearch();
    for (size_t i = 0; i < count; i++) LoadSystemDll(later[i]);
}
