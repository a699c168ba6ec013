/* Windows looks for a DLL that is not one of its "known DLLs" in the
   program's own folder first, and in the current folder too. Our programs
   live in folders that others can write to (a downloads folder, a folder
   made below C:\), so every DLL they use comes from the system folder. */
#ifndef ZENDARO_SYSTEM_DLLS_H
#define ZENDARO_SYSTEM_DLLS_H

#include <windows.h>

/* Restricts every later DLL search of the process, ours and the ones the
   shell, COM and the sound system make for us, to the system folder; where
   Windows cannot (before the update that brought SetDefaultDllDirectories)
   at least takes the current folder out. Then loads the system folder's
   copies of the count DLLs named in later, the ones our calls make the
   system load by name later on: where the restriction is missing, or
   passed over (Wine's loader looks for a DLL that one of its own DLLs
   delay-loads beside the program all the same), that load finds the copy
   already loaded. The first thing each program does. */
void KeepDllSearchInSystemFolder(const char *const later[], size_t count);

/* The system folder's copy of name (such as "winmm.dll"), loaded by its full
   path, with its own imports from the system folder too; NULL when it
   cannot be had. */
HMODULE LoadSystemDll(const char *name);

/* A call of module found by name, or NULL (also when module is NULL), as a
   type the compiler lets us cast to the call's real one. */
typedef void (*AnyCall)(void);
AnyCall FindCall(HMODULE module, const char *name);

#endif
