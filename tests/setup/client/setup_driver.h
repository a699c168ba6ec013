/* Driving setup.exe and the game it starts, on top of the shared driver
   (drive.h): what only the installer's tests need. */
#ifndef ZENDARO_SETUP_DRIVER_H
#define ZENDARO_SETUP_DRIVER_H

#include "drive.h"

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

extern const char GAME_TITLE[];

struct SetupRun {
    DriveProcess process;
    HWND window;
};

/* Starts a setup program (its current folder C:\windows, so nothing is
   found by accident beside it) and waits for its window. */
bool StartSetup(const std::string &exePath, SetupRun *run);

/* Closes the setup window and checks that the program ends with code 0. */
void CloseSetup(SetupRun *run);

/* Puts path into the path box from outside the program's own message pass. */
void SetInstallPath(const SetupRun &run, const std::string &path);

bool IsAgreed(const SetupRun &run);

/* The whole text of control id of dlg, however long. */
std::string LongText(HWND dlg, int id);

/* Clicks the agree box until it shows agreed, and waits for Install to
   follow it. Answers whether Install is then enabled exactly when agreed. */
bool SetAgreed(const SetupRun &run, bool agreed);

/* Waits for a message box of the setup with caption; while waiting, any
   box with caption unwanted (may be NULL) counts as seen in *sawUnwanted. */
HWND WaitSetupBox(const SetupRun &run, const char *caption, DWORD timeoutMs, const char *unwanted,
                  bool *sawUnwanted);

/* How many of Install, the agree box and Browse are enabled. */
int EnabledChoices(const SetupRun &run);

/* The visible top-level window titled GAME_TITLE, of any process. */
HWND FindGameWindow(void);
HWND WaitGameWindow(DWORD timeoutMs);

/* The program file of the process that owns window. */
std::string ProgramOfWindow(HWND window);

/* Closes the game's window and waits for its process to end. */
bool CloseGame(HWND gameWindow);

/* Real input, through the system's input queue (SendInput), as a user's
   mouse and keyboard give it. */
void RealClick(HWND dlg, int id, bool rightButton);
void RealDoubleClick(HWND dlg, int id);
void RealKeys(const std::vector<WORD> &virtualKeys);
void RealShiftF10(void);

/* The window that has the keyboard focus in the setup's thread. */
HWND FocusOf(const SetupRun &run);

/* Whether a pop-up menu was open anywhere on the screen; Escape closes it. */
bool PopupMenuClosed(void);

/* What the screen shows of control id of dlg, one COLORREF per pixel,
   row by row from the top. */
std::vector<COLORREF> CaptureControl(HWND dlg, int id, SIZE *size);

#endif
