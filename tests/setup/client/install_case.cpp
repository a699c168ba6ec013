/* Installs that succeed: the default path, then again over it. */
#include "setup_driver.h"

void RunInstallCase(const std::string &setupExe)
{
    const std::string folder = "C:\\Zendaro";
    std::string payload = ResourceBytes(setupExe, "BINARY", 113);
    Check(payload.size() > 1000 && payload.compare(0, 2, "MZ") == 0,
          Format("setup carries a program (%zu bytes)", payload.size()));
    RemoveTree(folder);

    SetupRun run;
    if (!Check(StartSetup(setupExe, &run), "setup starts")) return;
    Check(DriveText(run.window, SETUP_INSTALL_PATH) == "C:\\", "the default path is C:\\");
    Check(SetAgreed(run, true), "ticking the agree box enables Install");
    CheckInstallSucceeds(run, folder, payload, {"Zendaro.exe"});
    CheckGameStartsAndSetupEnds(&run, folder);

    /* A second install over an older file, in a folder that holds the
       user's own file too: the game is replaced, the rest left alone. */
    Check(WriteWholeFile(folder + "\\Zendaro.exe", "an older Zendaro.exe") &&
              WriteWholeFile(folder + "\\notes.txt", "the user's own file"),
          "an older Zendaro.exe and a file of the user's are in C:\\Zendaro");
    if (!Check(StartSetup(setupExe, &run), "setup starts a second time")) return;
    Check(SetAgreed(run, true), "ticking the agree box enables Install");
    CheckInstallSucceeds(run, folder, payload, {"Zendaro.exe", "notes.txt"});
    CheckGameStartsAndSetupEnds(&run, folder);
    bool found = false;
    Check(ReadWholeFile(folder + "\\notes.txt", &found) == "the user's own file" && found,
          "the user's file is untouched");
}
