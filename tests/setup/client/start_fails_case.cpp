/* An install whose program cannot be started, with a decoy named as the
   game beside setup.exe. */
#include "setup_driver.h"

void RunStartFailsCase(const std::string &setupExe)
{
    /* The default path, untouched. setup.exe is run as a browser leaves it,
       from a downloads folder, and beside it is a program named as the game
       that someone else put there: it must never be what starts. */
    const std::string folder = "C:\\Zendaro", downloads = "C:\\Downloads";
    const std::string setupCopy = downloads + "\\setup.exe";
    for (const std::string &target : {folder, downloads}) RemoveTree(target);
    DeleteFileA(DECOY_MARKER);
    char client[MAX_PATH] = "";
    GetModuleFileNameA(NULL, client, sizeof client);
    Check(CreateDirectoryA(downloads.c_str(), NULL) &&
              WriteWholeFile(setupCopy, ReadWholeFile(setupExe, NULL)) &&
              CopyFileA(client, (downloads + "\\Zendaro.exe").c_str(), FALSE),
          "setup.exe and a decoy Zendaro.exe in " + downloads);
    std::string payload = PayloadOf(setupExe);
    Check(!payload.empty() && payload.compare(0, 2, "MZ") != 0, "the payload is not a program");
    SetupRun run;
    if (!Check(StartSetup(setupCopy, &run, downloads.c_str()), "setup starts from " + downloads))
        return;
    Check(SetAgreed(run, true), "ticking the agree box enables Install");
    CheckInstallSucceeds(run, folder, payload, {"Zendaro.exe"}, true);
    HWND box = WaitSetupBox(run, "ERROR", 15000, NULL, NULL);
    if (Check(box != NULL, "then an ERROR box")) {
        Check(DriveMessageBoxText(box) == "Cannot Open Program", "it says \"Cannot Open Program\"");
        Check(DriveAnswer(box, IDOK, 5000) != 0, "it closes on OK");
    }
    DWORD code = 99;
    bool ended = DriveWaitEnd(&run.process, 10000, &code);
    Check(ended && code == 0, Format("setup ends with code 0 (code %lu)", (unsigned long)code));
    DriveRelease(&run.process);
    Check(FindGameWindow() == NULL, "no game window");
    bool decoyRan = false;
    std::string mark = ReadWholeFile(DECOY_MARKER, &decoyRan);
    Check(!decoyRan, "the decoy Zendaro.exe beside setup.exe never started " + mark);
    FolderState after = ReadFolderState(folder);
    Check(after.exists && after.names.empty(),
          "the folder stays, empty, and no temporary file: " + DescribeFolderState(after));
}
