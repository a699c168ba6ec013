#include "setup_driver.h"

#include <string.h>

void CheckInstallSucceeds(const SetupRun &run, const std::string &folder,
                          const std::string &payload, const std::vector<std::string> &names)
{
    DWORD start = DriveNow();
    DriveClick(run.window, SETUP_INSTALL);
    bool sawError = false;
    HWND box = WaitSetupBox(run, "SUCCESS", 30000, "ERROR", &sawError);
    Note(Format("Install to success box: %lu ms", (unsigned long)(DriveNow() - start)));
    if (!Check(box != NULL && !sawError, "Install shows the SUCCESS box and no ERROR box")) return;
    Check(DriveMessageBoxText(box) == "SETUP is Complete !", "it says \"SETUP is Complete !\"");
    Check(EnabledChoices(run) == 0, "Install, agree and Browse stay disabled");
    bool found = false;
    std::string written = ReadWholeFile(folder + "\\Zendaro.exe", &found);
    Check(found && written == payload,
          Format("%s\\Zendaro.exe is the payload byte for byte (%zu of %zu bytes)", folder.c_str(),
                 written.size(), payload.size()));
    FolderState state = ReadFolderState(folder);
    Check(state.names == names,
          "the folder holds " + DescribeFolderState(state) + ", no temporary file");
    Check(FindGameWindow() == NULL, "the game has not started before the box is answered");
    Check(DriveAnswer(box, IDOK, 5000) != 0, "the SUCCESS box closes on OK");
}

void CheckGameStartsAndSetupEnds(SetupRun *run, const std::string &folder)
{
    DWORD start = DriveNow();
    HWND game = WaitGameWindow(30000);
    Note(
        Format("success box answered to game window: %lu ms", (unsigned long)(DriveNow() - start)));
    Check(game != NULL, "the game's window appears with its title");
    DWORD code = 99;
    bool ended = DriveWaitEnd(&run->process, 10000, &code);
    Check(ended && code == 0,
          Format("setup ends by itself with code 0 (code %lu)", (unsigned long)code));
    Check(DriveFindDialog(run->process.pid, "ERROR") == NULL, "no ERROR box");
    DriveRelease(&run->process);
    if (!game) return;
    std::string program = ProgramOfWindow(game);
    Check(_stricmp(program.c_str(), (folder + "\\Zendaro.exe").c_str()) == 0,
          "the game runs from the installed file: " + program);
    Check(CloseGame(game), "the game closes");
}
