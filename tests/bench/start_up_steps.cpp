/* The start-up breakdown build of the game (zendaro-timed-game): the
   game's own objects, linked with ld's --wrap around the steps of its
   start-up, so that the shipped program carries no timing code at all.
   Each wrapper notes the performance counter before and after the step it
   wraps; at the program's end the notes go to "<program>.steps", one line
   "NAME BEFORE AFTER" a step (counts of the system-wide performance
   counter, which zendaro-bench-client reads too) after a line
   "frequency F". The names below are the x86_64 build's symbols: a C++
   function by its mangled name, an imported call by its import slot. */
#include <windows.h>

#include <commctrl.h>
#include <stdio.h>

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

/* The game's own steps. */
extern "C" {
int WINAPI __real_WinMain(HINSTANCE, HINSTANCE, LPSTR, int);
void __real__Z27KeepDllSearchInSystemFolderPKPKcy(const char *const *names, size_t count);
void __real__Z15FindSoundPlayerv(void);
HRESULT __real__Z21CreateDesktopShortcutP6HWND__PKwS2_(HWND, const WCHAR *, const WCHAR *);
void __real__Z11GameStartUpv(void);
void __real__Z7NewGamev(void);
int __real__Z12PumpMessagesv(void);
void __real__Z8ViewMoveiii(int id, int x, int y);
void __real__Z14ViewSetCaptioniPKc(int id, const char *text);
void __real__Z10ViewEnableii(int id, int on);
void __real__Z10ViewRedrawi(int id);
void __real__Z15ViewShowPictureii(int pictureId, int bitmapId);
void __real__Z11ViewSetTextiPKc(int id, const char *text);
void __real__Z13PlayGameSoundi(int n);

/* The imported calls, through their import slots. */
typedef HRESULT(WINAPI *CoInitializeCall)(LPVOID);
typedef BOOL(WINAPI *InitCommonControlsExCall)(const INITCOMMONCONTROLSEX *);
typedef HWND(WINAPI *CreateDialogParamACall)(HINSTANCE, LPCSTR, HWND, DLGPROC, LPARAM);
extern CoInitializeCall __real___imp_CoInitialize;
extern InitCommonControlsExCall __real___imp_InitCommonControlsEx;
extern CreateDialogParamACall __real___imp_CreateDialogParamA;
}

extern "C" int WINAPI __wrap_WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR line, int show)
{
    End(Begin("winmain"));
    atexit(WriteSteps);
    return __real_WinMain(instance, previous, line, show);
}

extern "C" void __wrap__Z27KeepDllSearchInSystemFolderPKPKcy(const char *const *names, size_t count)
{
    Step *step = Begin("dll_search");
    __real__Z27KeepDllSearchInSystemFolderPKPKcy(names, count);
    End(step);
}

extern "C" void __wrap__Z15FindSoundPlayerv(void)
{
    Step *step = Begin("sound_player");
    __real__Z15FindSoundPlayerv();
    End(step);
}

extern "C" HRESULT __wrap__Z21CreateDesktopShortcutP6HWND__PKwS2_(HWND owner, const WCHAR *name,
                                                                  const WCHAR *target)
{
    Step *step = Begin("shortcut");
    HRESULT result = __real__Z21CreateDesktopShortcutP6HWND__PKwS2_(owner, name, target);
    End(step);
    return result;
}

extern "C" void __wrap__Z11GameStartUpv(void)
{
    Step *step = Begin("game_start_up");
    __real__Z11GameStartUpv();
    End(step);
}

extern "C" void __wrap__Z7NewGamev(void)
{
    Step *step = firstGameDone ? NULL : Begin("first_new_game");
    insideFirstGame = !firstGameDone;
    firstGameDone = 1;
    __real__Z7NewGamev();
    insideFirstGame = 0;
    End(step);
}

extern "C" void __wrap__Z8ViewMoveiii(int id, int x, int y)
{
    LONGLONG before = ViewBegin();
    __real__Z8ViewMoveiii(id, x, y);
    ViewEnd(VIEW_MOVE, before);
}

extern "C" void __wrap__Z14ViewSetCaptioniPKc(int id, const char *text)
{
    LONGLONG before = ViewBegin();
    __real__Z14ViewSetCaptioniPKc(id, text);
    ViewEnd(VIEW_CAPTION, before);
}

extern "C" void __wrap__Z10ViewEnableii(int id, int on)
{
    LONGLONG before = ViewBegin();
    __real__Z10ViewEnableii(id, on);
    ViewEnd(VIEW_ENABLE, before);
}

extern "C" void __wrap__Z10ViewRedrawi(int id)
{
    LONGLONG before = ViewBegin();
    __real__Z10ViewRedrawi(id);
    ViewEnd(VIEW_REDRAW, before);
}

extern "C" void __wrap__Z15ViewShowPictureii(int pictureId, int bitmapId)
{
    LONGLONG before = ViewBegin();
    __real__Z15ViewShowPictureii(pictureId, bitmapId);
    ViewEnd(VIEW_PICTURE, before);
}

extern "C" void __wrap__Z11ViewSetTextiPKc(int id, const char *text)
{
    LONGLONG before = ViewBegin();
    __real__Z11ViewSetTextiPKc(id, text);
    ViewEnd(VIEW_TEXT, before);
}

/* Inside the first game: its first pump pass paints the board. */
extern "C" int __wrap__Z12PumpMessagesv(void)
{
    Step *step = firstPassDone ? NULL : Begin("first_pump_pass");
    firstPassDone = 1;
    int quit = __real__Z12PumpMessagesv();
    End(step);
    return quit;
}

/* Inside the first game: the start jingle, played to its end. */
extern "C" void __wrap__Z13PlayGameSoundi(int n)
{
    Step *step = firstSoundDone ? NULL : Begin("first_sound");
    firstSoundDone = 1;
    __real__Z13PlayGameSoundi(n);
    End(step);
}

static HRESULT WINAPI TimedCoInitialize(LPVOID reserved)
{
    Step *step = Begin("com");
    HRESULT result = __real___imp_CoInitialize(reserved);
    End(step);
    return result;
}

static BOOL WINAPI TimedInitCommonControlsEx(const INITCOMMONCONTROLSEX *controls)
{
    Step *step = Begin("common_controls");
    BOOL result = __real___imp_InitCommonControlsEx(controls);
    End(step);
    return result;
}

static HWND WINAPI TimedCreateDialogParamA(HINSTANCE instance, LPCSTR name, HWND owner,
                                           DLGPROC procedure, LPARAM parameter)
{
    Step *step = Begin("window");
    HWND window = __real___imp_CreateDialogParamA(instance, name, owner, procedure, parameter);
    End(step);
    return window;
}

/* What the game's calls through the import slots now reach. */
extern "C" {
CoInitializeCall __wrap___imp_CoInitialize = TimedCoInitialize;
InitCommonControlsExCall __wrap___imp_InitCommonControlsEx = TimedInitCommonControlsEx;
CreateDialogParamACall __wrap___imp_CreateDialogParamA = TimedCreateDialogParamA;
}
