/* A DLL as someone else would plant it beside one of our programs, copied
   by the tests under the names of DLLs that Windows looks for in a
   program's own folder first. When it is loaded it adds one line to
   C:\planted.txt: its own path and the program that loaded it, apart by a
   tab. It exports nothing: whether it was loaded is all the tests ask. */
#include <windows.h>

#include <stdio.h>

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID)
{
    if (reason != DLL_PROCESS_ATTACH) return TRUE;
    char own[MAX_PATH] = "";
    char program[MAX_PATH] = "";
    GetModuleFileNameA(self, own, sizeof own);
    GetModuleFileNameA(NULL, program, sizeof program);
    char line[2 * MAX_PATH + 4];
    int length = snprintf(line, sizeof line, "%s\t%s\r\n", own, program);
    if (length < 0 || length >= (int)sizeof line) return TRUE;
    HANDLE marker =
        CreateFileA("C:\\planted.txt", FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                    OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (marker == INVALID_HANDLE_VALUE) return TRUE;
    DWORD written = 0;
    WriteFile(marker, line, (DWORD)length, &written, NULL);
    CloseHandle(marker);
    return TRUE;
}
