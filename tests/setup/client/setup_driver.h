/* The setup test client: driving setup.exe and the game it starts on top
   of the shared driver (drive.h), the disk as the test sees it, and the
   cases, each of which runs one setup program from start to end and
   reports through Check. */
#ifndef ZENDARO_SETUP_DRIVER_H
#define ZENDARO_SETUP_DRIVER_H

#include "board.h"
#include "check.h"

#include <string>
#include <vector>

/* Ids of the setup window's controls, as its template has them. */
enum {
    SETUP_INSTALL = 1003,
    SETUP_BROWSE = 1004,
    SETUP_AGREE = 1008,
    SETUP_INSTALL_PATH = 1009,
    SETUP_LICENSE_TEXT = 1014,
    SETUP_HEADER = 1017
};

/* Where plant.dll, wherever it is loaded, adds a line "its path<TAB>the
   program's path". */
const char PLANT_MARKER[] = "C:\\planted.txt";

/* Where the client, started under the name Zendaro.exe as a decoy, writes
   the program path it was started as, and then ends. */
const char DECOY_MARKER[] = "C:\\decoy-started.txt";

struct SetupRun {
    DriveProcess process;
    HWND window;
};

/* Starts a setup program in workDir (by default C:\windows, so nothing is
   found by accident beside it) and waits for its window. */
bool StartSetup(const std::string &exePath, SetupRun *run, const char *workDir = "C:\\windows");

/* Closes the setup window and checks that the program ends with code 0. */
void CloseSetup(SetupRun *run);

/* Puts path into the path box from outside the program's own message
   pass, as a wide text. */
void SetInstallPath(const SetupRun &run, const std::string &path);

bool IsAgreed(const SetupRun &run);

/* The whole text of control id of dlg, however long. */
std::string LongText(HWND dlg, int id);

/* Clicks the agree box until it shows agreed, and waits for Install to
   follow it. Answers whether Install is then enabled exactly when agreed. */
bool SetAgreed(const SetupRun &run, bool agreed);

/* Waits for a dialog of the setup other than its window, titled caption
   (NULL: any); while waiting, any box with caption unwanted (may be NULL)
   counts as seen in *sawUnwanted. */
HWND WaitSetupBox(const SetupRun &run, const char *caption, DWORD timeoutMs, const char *unwanted,
                  bool *sawUnwanted);

/* Browse opens the folder picker, and its OK puts the folder it offers
   first, the desktop, into the path box as DesktopFolder() + "\\". */
void CheckBrowsePicksDesktop(const SetupRun &run);
std::string DesktopFolder(void);

/* How many of Install, the agree box and Browse are enabled. */
int EnabledChoices(const SetupRun &run);

/* The visible top-level window titled GAME_TITLE (board.h), of any process. */
HWND FindGameWindow(void);
HWND WaitGameWindow(DWORD timeoutMs);

/* The program file of the process that owns window. */
std::string ProgramOfWindow(HWND window);

/* Closes the game's window and waits for its process to end. */
bool CloseGame(HWND gameWindow);

/* Real input, through the system's input queue (SendInput), as a user's
   mouse and keyboard give it. */
void RealClick(HWND dlg, int id, bool rightButton, int clicks = 1);
/* Presses and releases each key in turn, with held (0: none) held down
   throughout. */
void RealKeys(const std::vector<WORD> &virtualKeys, WORD held = 0);

/* The window that has the keyboard focus in the setup's thread. */
HWND FocusOf(const SetupRun &run);

/* Whether a pop-up menu was open anywhere on the screen; Escape closes it. */
bool PopupMenuClosed(void);

/* What the screen shows of control id of dlg, or of a rectangle of the
   screen, one COLORREF per pixel, row by row from the top. */
std::vector<COLORREF> CaptureControl(HWND dlg, int id);
std::vector<COLORREF> CaptureScreen(const RECT &screenRect);

/* Writes pixels (as CaptureScreen gives them) as a 24-bit BMP file. */
bool WriteBitmapFile(const std::string &path, const std::vector<COLORREF> &pixels, long width);

/* Paths and texts of the disk and of the setup window are UTF-8 here and
   go to the wide calls (Wide and Utf8, drive.h), so that names in any
   letters are read as they are. */

/* What the A calls make of utf8 under code page 1252: each letter outside
   it replaced by a look-alike (or '?'), as Windows' best fit does. */
std::string BestFitTwin(const std::string &utf8);

/* Control id's text read through the wide call, as UTF-8. */
std::string WideText(HWND dlg, int id);

bool WriteWholeFile(const std::string &path, const std::string &bytes);

/* Deletes folder with everything in it; quiet when it is missing. */
void RemoveTree(const std::string &folder);

/* What a folder holds, to compare before and after an install attempt:
   whether it exists, its names, and the bytes of Zendaro.exe in it. */
struct FolderState {
    bool exists;
    std::vector<std::string> names;
    bool hasGame;
    std::string gameBytes;
};
FolderState ReadFolderState(const std::string &folder);
bool SameFolderState(const FolderState &a, const FolderState &b);
std::string DescribeFolderState(const FolderState &state);

/* The program file's bytes with the first instruction at its entry point
   made a return: started, it ends before any code of its own has run, so
   whatever it loaded, the loader loaded for its imports. Empty when the
   bytes are no program for x86 or x86_64. */
std::string IdleTwin(std::string program);

/* The bytes of resource type/id of a program file, read without running
   it; empty when there is none. */
std::string ResourceBytes(const std::string &exePath, const char *type, int id);

/* The game program that a setup program carries, byte for byte. */
std::string PayloadOf(const std::string &setupExe);

/* Clicks Install and checks the success box "SETUP is Complete !", and,
   while it is open, that folder holds exactly names with Zendaro.exe
   byte for byte payload and that no game has started. Then, with
   quarantine, deletes that Zendaro.exe as a virus scanner's quarantine
   would. Answers the box. */
void CheckInstallSucceeds(const SetupRun &run, const std::string &folder,
                          const std::string &payload, const std::vector<std::string> &names,
                          bool quarantine = false);

/* After the success box: the game from folder starts, setup ends with
   code 0 without an error box, and the game is closed again. */
void CheckGameStartsAndSetupEnds(SetupRun *run, const std::string &folder);

/* The window as it starts, the agree box, the input filter, the licence
   box, the caption through repaints and the folder picker; and the
   install folder's security as Setup's code builds it. */
void RunWindowCase(const std::string &setupExe);

/* The setup window's client area, once the caption is on its header,
   written to bmpPath: the same window at another DPI is compared with it
   (run-case.sh --dpis). */
void RunPictureCase(const std::string &setupExe, const std::string &bmpPath);

/* Installs that must fail without losing anything; kind names the fault
   (fault_kinds.h) that the test runner prepared or that the client makes
   itself. */
void RunFaultCase(const std::string &kind, const std::string &setupExe);

/* A complete install through Browse, whose game then starts, with
   plantDll planted beside setup.exe and beside the game under each of the
   comma-separated names (without ".dll") of plantedNames: no plant may be
   loaded once a program's own code runs. */
void RunInstallCase(const std::string &setupExe, const std::string &plantDll,
                    const std::string &plantedNames);

/* A complete install to the default path whose program is taken away
   before it is started, with a decoy Zendaro.exe beside setup.exe. */
void RunStartFailsCase(const std::string &setupExe);

#endif
