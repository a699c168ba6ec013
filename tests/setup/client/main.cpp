/* Test client for setup.exe under Wine: drives the real setup window from
   another process and checks what it shows and what it leaves on disk.
     setup-client window <setup.exe>
     setup-client picture <setup.exe> <file.bmp>
     setup-client fault <kind> <setup.exe>
     setup-client install <setup.exe> <plant.dll> <name,name...>
     setup-client start-fails <setup.exe whose payload is not a program>
   The exit code is the number of failed checks. Copied as Zendaro.exe it
   is the decoy of the start-fails case: started, it leaves DECOY_MARKER. */
#include "setup_driver.h"

#include <stdio.h>
#include <string.h>

/* Started as a decoy: writes its own path to DECOY_MARKER. */
static bool LeftDecoyMark(void)
{
    char self[MAX_PATH] = "";
    DWORD length = GetModuleFileNameA(NULL, self, sizeof self);
    const char name[] = "\\Zendaro.exe";
    size_t nameLength = sizeof name - 1;
    if (length < nameLength || _stricmp(self + length - nameLength, name) != 0) return false;
    WriteWholeFile(DECOY_MARKER, self);
    return true;
}

int main(int argc, char **argv)
{
    if (LeftDecoyMark()) return 0;
    driveAllowanceMs = DriveEmulationAllowance();
    if (argc == 3 && strcmp(argv[1], "window") == 0)
        RunWindowCase(argv[2]);
    else if (argc == 4 && strcmp(argv[1], "picture") == 0)
        RunPictureCase(argv[2], argv[3]);
    else if (argc == 5 && strcmp(argv[1], "install") == 0)
        RunInstallCase(argv[2], argv[3], argv[4]);
    else if (argc == 4 && strcmp(argv[1], "fault") == 0)
        RunFaultCase(argv[2], argv[3]);
    else if (argc == 3 && strcmp(argv[1], "start-fails") == 0)
        RunStartFailsCase(argv[2]);
    else {
        fprintf(
            stderr,
            "usage: setup-client window|picture|install|fault KIND|start-fails SETUP.EXE ...\n");
        return 2;
    }
    int failures = FailureCount();
    printf("%s: %d check(s) failed\n", failures ? "FAILED" : "PASSED", failures);
    return failures;
}
