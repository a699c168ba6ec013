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

static int IsOnBoard(HWND window)
{
    return window == ui.mainWindow || IsChild(ui.mainWindow, window);
}

/* A message box's own loop runs further out while a pass runs inside it
   (a tick, a turn), and the pass takes the box's input off the queue
   first: it hands it on as that loop would, through the box's dialog
   manager, so that Enter and Esc still answer it. */
static int TakenByMessageBox(MSG *message)
{
    const ATOM DIALOG_CLASS = 0x8002; /* WC_DIALOG, the class of every message box */
    if (!message->hwnd || IsOnBoard(message->hwnd)) return 0;
    HWND box = GetAncestor(message->hwnd, GA_ROOT);
    if (!box || (ATOM)GetClassLongPtrW(box, GCW_ATOM) != DIALOG_CLASS) return 0;
    return IsDialogMessageW(box, message);
}

int PumpMessages(void)
{
    if (quitMessageTaken) return 1;
    while (PeekMessageW(&pumpMessage, NULL, 0, 0, PM_NOREMOVE)) {
        if (GetMessageW(&pumpMessage, NULL, 0, 0) <= 0) {
            quitMessageTaken = 1;
            /* A message box's own loop may be running further out (NEW GAME
               asked, and a click's turn runs inside it): put the quit back
               so that loop ends too, instead of waiting for an answer
               nobody can give once the board is gone. */
            PostQuitMessage((int)pumpMessage.wParam);
            return 1;
        }
        /* The board is played with the mouse only; Alt keys still work. */
        if (pumpMessage.message == WM_KEYDOWN && IsOnBoard(pumpMessage.hwnd)) break;
        if (!TakenByMessageBox(&pumpMessage)) {
            TranslateMessage(&pumpMessage);
            DispatchMessageW(&pumpMessage);
        }
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

/* Windows calls a timer's procedure inside an exception handler that
   swallows an access violation and goes on with the next tick, which would
   leave a dead board behind instead of ending the program with a report.
   Windows before the setting existed refuses it; nothing changes there. */
static void LetFaultsInTicksThrough(void)
{
    BOOL suppress = FALSE;
    SetUserObjectInformationW(GetCurrentProcess(), UOI_TIMERPROC_EXCEPTION_SUPPRESSION, &suppress,
                              sizeof suppress);
}

/* Answers 0 when the board cannot be made: nothing could ever close it,
   so the caller ends the program instead of polling unseen. */
static int StartUp(void)
{
    /* The start sound holds the thread longer than the 5 s after which
       the system would swap the board for a "(Not Responding)" ghost
       whose close box ends the game mid-sound. */
    DisableProcessWindowsGhosting();
    LetFaultsInTicksThrough();
    FindSoundPlayer();
    CoInitialize(NULL);
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    MakeBrushes();
    ReadProgramPath();
    /* A wide window, with wide controls: text sent to an ANSI one would pass
       through the machine's ANSI code page on its way in. */
    ui.mainWindow =
        CreateDialogParamW(ui.instance, MAKEINTRESOURCEW(IDD_MAIN), NULL, MainDialogProc, 0);
    if (!ui.mainWindow) return 0;
    WCHAR title[WIDE_TEXT_CAPACITY];
    SetWindowTextW(ui.mainWindow, WidenText(GAME_TITLE, title, WIDE_TEXT_CAPACITY));
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
