/* The platform side of Zendaro.exe: the window's handles and the pieces
   that start-up, the dialog procedure and the view services share. */
#ifndef ZENDARO_UI_H
#define ZENDARO_UI_H

#include <windows.h>

/* The backgrounds of the edit, button and static controls: the brushes
   that paint them (main.cpp) and the colour behind their text (window.cpp)
   must agree. */
const COLORREF EDIT_BACKGROUND = RGB(0, 0, 96);
const COLORREF BUTTON_BACKGROUND = RGB(255, 255, 200);
const COLORREF STATIC_BACKGROUND = RGB(0, 64, 0);

/* Made once by start-up and the window's initialisation; never freed. */
struct UiHandles {
    HINSTANCE instance;
    HWND mainWindow;
    HFONT largeFont;
    HFONT smallFont;
    HBRUSH backgroundBrush;
    HBRUSH editBrush;
    HBRUSH buttonBrush;
    HBRUSH staticBrush;
    WCHAR programPath[MAX_PATH];
    /* The dialog's base units as the system made them: BASE_UNIT_X x
       BASE_UNIT_Y (board.h) at 96 dpi, larger where the system font is. */
    int baseUnitX, baseUnitY;
};

/* What the program ends with when its window cannot be made. */
const int NO_BOARD_EXIT_CODE = 1;

extern UiHandles ui;

/* Room for any text the game shows, in wide characters. */
enum { WIDE_TEXT_CAPACITY = 256 };

/* Every text of the game is code page 1252, whatever the machine's own
   ANSI code page: each goes to Windows through a W call, in wide
   characters copied by this into wide (capacity characters, at least 1),
   cut short if need be and always terminated. Answers wide (view.cpp). */
const WCHAR *WidenText(const char *text, WCHAR *wide, int capacity);

/* The main window's dialog procedure (window.cpp). */
INT_PTR CALLBACK MainDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

/* Whether the dialog's base units differ from the board's 96-dpi ones, so
   that the pictures, the background and the logic's positions must be
   scaled to them (window.cpp). */
int BoardIsScaled(void);

/* The logic's positions and the pictures' sizes are client pixels of the
   96-dpi board; these turn them into this window's client pixels and back
   (window.cpp). Positions at OUT_OF_VIEW or beyond are left as they are. */
int ScreenX(int boardX);
int ScreenY(int boardY);
int BoardX(int screenX);
int BoardY(int screenY);

/* The background's pattern brush, from the background picture stretched
   to width x height pixels (0 x 0: its own size) (main.cpp). */
void MakeBackgroundBrush(int width, int height);

/* Takes PlaySoundA from the system folder's winmm.dll, once; the sounds
   stay silent when it cannot be had (sound.cpp). */
void FindSoundPlayer(void);

/* Writes (or rewrites) the link displayName.lnk on the desktop, pointing
   at target with no arguments. Leaves everything as it was when the
   desktop cannot be found or the link's path is too long (shortcut.cpp). */
HRESULT CreateDesktopShortcut(HWND owner, const WCHAR *displayName, const WCHAR *target);

#endif
