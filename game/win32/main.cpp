/* Entry, start-up, the message pump and the one-second tick. */
#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

#include "flow/flow.h"
#include "resources/board.h"
#include "system_dlls.h"
#include "ui.h"
#include "view/view.h"

UiHandles ui;

/* Every pump pass, nested ones included, shares this record. */
static MSG pumpMessage;

/* Set by the pass that takes the quit message off the queue. Passes nest
   inside game steps, waits and message boxes; each level looks at this on
   its way out, so the program ends wherever the quit was taken. */
static int quitMessageTaken;

int ViewQuitTaken(void)
{
    return quitMessageTaken;
}

/* Each pass rests 1 ms already; there is nothing more to skip. */
void ViewIdle(void) {}

int PumpMessages(void)
{
    if (quitMessageTaken) return 1;
    while (PeekMessageA(&pumpMessage, NULL, 0, 0, PM_NOREMOVE)) {
        if (GetMessageA(&pumpMessage, NULL, 0, 0) <= 0) {
            quitMessageTaken = 1;
            /* A message box's own loop may be running further out (NEW GAME
               asked, and a click's turn runs inside it): put the quit back
               so that loop ends too, instead of waiting for an answer
               nobody can give once the board is gone. */
            PostQuitMessage((int)pumpMessage.wParam);
            return 1;
        }
        /* The board is played with the mouse only; Alt keys still work. */
        if (pumpMessage.message == WM_KEYDOWN) break;
        TranslateMessage(&pumpMessage);
        DispatchMessageA(&pumpMessage);
        if (quitMessageTaken) return 1;
    }
    Sleep(1);
    return 0;
}

/* The timer has no window: its ticks arrive here through DispatchMessage. */
static VOID CALLBACK TickTimerProc(HWND, UINT, UINT_PTR, DWORD)
{
    OnTick();
}

void ViewReadClock(ClockTime *now)
{
    SYSTEMTIME utc;
    GetSystemTime(&utc);
    now->year = utc.wYear;
    now->month = utc.wMonth;
    now->day = utc.wDay;
    now->hour = utc.wHour;
    now->minute = utc.wMinute;
    now->second = utc.wSecond;
    now->milliseconds = utc.wMilliseconds;
}

/* One tile of the pattern covers the whole client area: a smaller one
   would repeat the board's frame at the right and the bottom. */
void MakeBackgroundBrush(int width, int height)
{
    HBITMAP background = (HBITMAP)LoadImageW(ui.instance, MAKEINTRESOURCEW(IDB_BACKGROUND),
                                             IMAGE_BITMAP, width, height, 0);
    if (background) ui.backgroundBrush = CreatePatternBrush(background);
}

/* The background's brush waits for the window, whose client area it
   fills (MakeBackgroundBrush). */
static void MakeBrushes(void)
{
    ui.editBrush = CreateSolidBrush(EDIT_BACKGROUND);
    ui.buttonBrush = CreateSolidBrush(BUTTON_BACKGROUND);
    ui.staticBrush = CreateSolidBrush(STATIC_BACKGROUND);
}

/* Wide, so a folder named outside the ANSI code page comes back whole. */
static void ReadProgramPath(void)
{
    const DWORD capacity = sizeof ui.programPath / sizeof ui.programPath[0];
    DWORD length = GetModuleFileNameW(NULL, ui.programPath, capacity);
    /* A cut-short path names no file: better no shortcut than a wrong one. */
    if (length == 0 || length >= capacity) ui.programPath[0] = L'\0';
}

/* Answers 0 when the board cannot be made: nothing could ever close it,
   so the caller ends the program instead of polling unseen. */
static int StartUp(void)
{
    /* The start sound holds the thread longer than the 5 s after which
       the system would swap the board for a "(Not Responding)" ghost
       whose close box ends the game mid-sound. */
    DisableProcessWindowsGhosting();
    FindSoundPlayer();
    CoInitialize(NULL);
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    MakeBrushes();
    ReadProgramPath();
    ui.mainWindow =
        CreateDialogParamA(ui.instance, MAKEINTRESOURCEA(IDD_MAIN), NULL, MainDialogProc, 0);
    if (!ui.mainWindow) return 0;
    SetWindowTextA(ui.mainWindow, GAME_TITLE);
    SetTimer(NULL, 0, 1000, TickTimerProc);
    GameStartUp();
    return 1;
}

/* What the window's themed drawing makes the system load by name later:
   msimg32, for AlphaBlend (KeepDllSearchInSystemFolder). */
static const char *const DLLS_LOADED_LATER[] = {"msimg32.dll"};

/* The start-up before this (stack_guard.h, then the C runtime's) loads no
   DLL beyond the imported ones, none looked for beside the program; from
   here on none comes from the game's folder, which any signed-in user may
   write to. */
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    KeepDllSearchInSystemFolder(DLLS_LOADED_LATER,
                                sizeof DLLS_LOADED_LATER / sizeof DLLS_LOADED_LATER[0]);
    ui.instance = instance;
    if (!StartUp()) return NO_BOARD_EXIT_CODE;
    while (!PumpMessages()) {
    }
    CoUninitialize();
    return 0;
}
