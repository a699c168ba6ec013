/* The start-up breakdown build of the game (zendaro-timed-game): the
   game's own objects, linked with ld's --wrap around the steps of its
   start-up, so that the shipped program carries no timing code at all.
   Each wrapper notes the performance counter before and after the step it
   wraps; at the program's end the notes go to "<program>.steps", one line
   "NAME BEFORE AFTER" a step (counts of the system-wide performance
   counter, which zendaro-bench-client reads too) after a line
   "frequency F". A step is named by its symbol, as ld's --wrap gets it
   (tests/bench/CMakeLists.txt): a C++ function by its mangled name, an
   imported call by its import slot; where the two builds' names differ
   (a size_t parameter, the i686 stdcall decoration), SYMBOL chooses. The
   wrappers and the real ones are reached through assembler names, so each
   is written once for both builds. */
#include <windows.h>

#include <commctrl.h>
#include <stdio.h>
#include <stdlib.h>

namespace
{

enum { STEP_CAPACITY = 16 };

struct Step {
    const char *name;
    LONGLONG before, after;
};

Step steps[STEP_CAPACITY];
int stepCount;

LONGLONG Now(void)
{
    LARGE_INTEGER count;
    QueryPerformanceCounter(&count);
    return count.QuadPart;
}

/* Answers the step's slot, its start noted; NULL once the table is full. */
Step *Begin(const char *name)
{
    if (stepCount == STEP_CAPACITY) return NULL;
    Step *step = &steps[stepCount++];
    step->name = name;
    step->before = Now();
    return step;
}

void End(Step *step)
{
    if (step) step->after = Now();
}

/* The view operations of the first game, each summed over its calls,
   written as steps that last their sum. */
enum { VIEW_MOVE, VIEW_CAPTION, VIEW_ENABLE, VIEW_REDRAW, VIEW_PICTURE, VIEW_TEXT, VIEW_KINDS };
const char *const viewNames[VIEW_KINDS] = {"game_move",   "game_caption", "game_enable",
                                           "game_redraw", "game_picture", "game_text"};
LONGLONG viewTotals[VIEW_KINDS];
int insideFirstGame;

/* The counter now, if the first game is running. */
LONGLONG ViewBegin(void)
{
    return insideFirstGame ? Now() : 0;
}

void ViewEnd(int kind, LONGLONG before)
{
    if (before) viewTotals[kind] += Now() - before;
}

void WriteSteps(void)
{
    char path[MAX_PATH + 8];
    DWORD length = GetModuleFileNameA(NULL, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return;
    snprintf(path + length, sizeof path - length, ".steps");
    FILE *file = fopen(path, "w");
    if (!file) return;
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    fprintf(file, "frequency %lld\n", (long long)frequency.QuadPart);
    for (int i = 0; i < stepCount; i++)
        fprintf(file, "%s %lld %lld\n", steps[i].name, (long long)steps[i].before,
                (long long)steps[i].after);
    for (int k = 0; k < VIEW_KINDS; k++)
        fprintf(file, "%s 0 %lld\n", viewNames[k], (long long)viewTotals[k]);
    fclose(file);
}

/* Only the first of each: the start-up's. */
int firstGameDone, firstPassDone, firstSoundDone;

} // namespace

/* The assembler name of ld's "__real_" or "__wrap_" for a symbol (with the
   i686 build's leading underscore). */
#define STRING(x) #x
#define EXPAND(x) STRING(x)
#define REAL(symbol) __asm__(EXPAND(__USER_LABEL_PREFIX__) "__real_" symbol)
#define WRAP(symbol) __asm__(EXPAND(__USER_LABEL_PREFIX__) "__wrap_" symbol)
#ifdef _WIN64
#define SYMBOL(x86_64, i686) x86_64
#else
#define SYMBOL(x86_64, i686) i686
#endif
#define WIN_MAIN SYMBOL("WinMain", "WinMain@16")
#define DLL_SEARCH                                                                                 \
    SYMBOL("_Z27KeepDllSearchInSystemFolderPKPKcy", "_Z27KeepDllSearchInSystemFolderPKPKcj")
#define SHORTCUT "_Z21CreateDesktopShortcutP6HWND__PKwS2_"
#define CO_INITIALIZE SYMBOL("__imp_CoInitialize", "_imp__CoInitialize@4")
#define COMMON_CONTROLS SYMBOL("__imp_InitCommonControlsEx", "_imp__InitCommonControlsEx@4")
#define CREATE_DIALOG SYMBOL("__imp_CreateDialogParamW", "_imp__CreateDialogParamW@20")

/* The game's own steps. */
int WINAPI RealWinMain(HINSTANCE, HINSTANCE, LPSTR, int) REAL(WIN_MAIN);
void RealKeepDllSearch(const char *const *names, size_t count) REAL(DLL_SEARCH);
void RealFindSoundPlayer(void) REAL("_Z15FindSoundPlayerv");
HRESULT RealCreateDesktopShortcut(HWND, const WCHAR *, const WCHAR *) REAL(SHORTCUT);
void RealGameStartUp(void) REAL("_Z11GameStartUpv");
void RealNewGame(void) REAL("_Z7NewGamev");
int RealPumpMessages(void) REAL("_Z12PumpMessagesv");
void RealViewMove(int id, int x, int y) REAL("_Z8ViewMoveiii");
void RealViewSetCaption(int id, const char *text) REAL("_Z14ViewSetCaptioniPKc");
void RealViewEnable(int id, int on) REAL("_Z10ViewEnableii");
void RealViewRedraw(int id) REAL("_Z10ViewRedrawi");
void RealViewShowPicture(int pictureId, int bitmapId) REAL("_Z15ViewShowPictureii");
void RealViewSetText(int id, const char *text) REAL("_Z11ViewSetTextiPKc");
void RealPlayGameSound(int n) REAL("_Z13PlayGameSoundi");

/* The imported calls, through their import slots. */
typedef HRESULT(WINAPI *CoInitializeCall)(LPVOID);
typedef BOOL(WINAPI *InitCommonControlsExCall)(const INITCOMMONCONTROLSEX *);
typedef HWND(WINAPI *CreateDialogParamWCall)(HINSTANCE, LPCWSTR, HWND, DLGPROC, LPARAM);
extern CoInitializeCall realCoInitialize REAL(CO_INITIALIZE);
extern InitCommonControlsExCall realInitCommonControlsEx REAL(COMMON_CONTROLS);
extern CreateDialogParamWCall realCreateDialogParamW REAL(CREATE_DIALOG);

int WINAPI WrapWinMain(HINSTANCE instance, HINSTANCE previous, LPSTR line, int show) WRAP(WIN_MAIN);
int WINAPI WrapWinMain(HINSTANCE instance, HINSTANCE previous, LPSTR line, int show)
{
    End(Begin("winmain"));
    atexit(WriteSteps);
    return RealWinMain(instance, previous, line, show);
}

void WrapKeepDllSearch(const char *const *names, size_t count) WRAP(DLL_SEARCH);
void WrapKeepDllSearch(const char *const *names, size_t count)
{
    Step *step = Begin("dll_search");
    RealKeepDllSearch(names, count);
    End(step);
}

void WrapFindSoundPlayer(void) WRAP("_Z15FindSoundPlayerv");
void WrapFindSoundPlayer(void)
{
    Step *step = Begin("sound_player");
    RealFindSoundPlayer();
    End(step);
}

HRESULT WrapCreateDesktopShortcut(HWND owner, const WCHAR *name, const WCHAR *target)
    WRAP(SHORTCUT);
HRESULT WrapCreateDesktopShortcut(HWND owner, const WCHAR *name, const WCHAR *target)
{
    Step *step = Begin("shortcut");
    HRESULT result = RealCreateDesktopShortcut(owner, name, target);
    End(step);
    return result;
}

void WrapGameStartUp(void) WRAP("_Z11GameStartUpv");
void WrapGameStartUp(void)
{
    Step *step = Begin("game_start_up");
    RealGameStartUp();
    End(step);
}

void WrapNewGame(void) WRAP("_Z7NewGamev");
void WrapNewGame(void)
{
    Step *step = firstGameDone ? NULL : Begin("first_new_game");
    insideFirstGame = !firstGameDone;
    firstGameDone = 1;
    RealNewGame();
    insideFirstGame = 0;
    End(step);
}

void WrapViewMove(int id, int x, int y) WRAP("_Z8ViewMoveiii");
void WrapViewMove(int id, int x, int y)
{
    LONGLONG before = ViewBegin();
    RealViewMove(id, x, y);
    ViewEnd(VIEW_MOVE, before);
}

void WrapViewSetCaption(int id, const char *text) WRAP("_Z14ViewSetCaptioniPKc");
void WrapViewSetCaption(int id, const char *text)
{
    LONGLONG before = ViewBegin();
    RealViewSetCaption(id, text);
    ViewEnd(VIEW_CAPTION, before);
}

void WrapViewEnable(int id, int on) WRAP("_Z10ViewEnableii");
void WrapViewEnable(int id, int on)
{
    LONGLONG before = ViewBegin();
    RealViewEnable(id, on);
    ViewEnd(VIEW_ENABLE, before);
}

void WrapViewRedraw(int id) WRAP("_Z10ViewRedrawi");
void WrapViewRedraw(int id)
{
    LONGLONG before = ViewBegin();
    RealViewRedraw(id);
    ViewEnd(VIEW_REDRAW, before);
}

void WrapViewShowPicture(int pictureId, int bitmapId) WRAP("_Z15ViewShowPictureii");
void WrapViewShowPicture(int pictureId, int bitmapId)
{
    LONGLONG before = ViewBegin();
    RealViewShowPicture(pictureId, bitmapId);
    ViewEnd(VIEW_PICTURE, before);
}

void WrapViewSetText(int id, const char *text) WRAP("_Z11ViewSetTextiPKc");
void WrapViewSetText(int id, const char *text)
{
    LONGLONG before = ViewBegin();
    RealViewSetText(id, text);
    ViewEnd(VIEW_TEXT, before);
}

/* Inside the first game: its first pump pass paints the board. */
int WrapPumpMessages(void) WRAP("_Z12PumpMessagesv");
int WrapPumpMessages(void)
{
    Step *step = firstPassDone ? NULL : Begin("first_pump_pass");
    firstPassDone = 1;
    int quit = RealPumpMessages();
    End(step);
    return quit;
}

/* Inside the first game: the start jingle, played to its end. */
void WrapPlayGameSound(int n) WRAP("_Z13PlayGameSoundi");
void WrapPlayGameSound(int n)
{
    Step *step = firstSoundDone ? NULL : Begin("first_sound");
    firstSoundDone = 1;
    RealPlayGameSound(n);
    End(step);
}

static HRESULT WINAPI TimedCoInitialize(LPVOID reserved)
{
    Step *step = Begin("com");
    HRESULT result = realCoInitialize(reserved);
    End(step);
    return result;
}

static BOOL WINAPI TimedInitCommonControlsEx(const INITCOMMONCONTROLSEX *controls)
{
    Step *step = Begin("common_controls");
    BOOL result = realInitCommonControlsEx(controls);
    End(step);
    return result;
}

static HWND WINAPI TimedCreateDialogParamW(HINSTANCE instance, LPCWSTR name, HWND owner,
                                           DLGPROC procedure, LPARAM parameter)
{
    Step *step = Begin("window");
    HWND window = realCreateDialogParamW(instance, name, owner, procedure, parameter);
    End(step);
    return window;
}

/* What the game's calls through the import slots now reach. */
extern CoInitializeCall wrapCoInitialize WRAP(CO_INITIALIZE);
extern InitCommonControlsExCall wrapInitCommonControlsEx WRAP(COMMON_CONTROLS);
extern CreateDialogParamWCall wrapCreateDialogParamW WRAP(CREATE_DIALOG);
CoInitializeCall wrapCoInitialize = TimedCoInitialize;
InitCommonControlsExCall wrapInitCommonControlsEx = TimedInitCommonControlsEx;
CreateDialogParamWCall wrapCreateDialogParamW = TimedCreateDialogParamW;
