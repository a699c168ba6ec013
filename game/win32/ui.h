/* The platform side of Zendaro.exe: the window's handles and the pieces
   that start-up, the dialog procedure and the view services share. */
#ifndef ZENDARO_UI_H
#define ZENDARO_UI_H

#include <windows.h>

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
    char programPath[MAX_PATH];
};

extern UiHandles ui;

/* The main window's dialog procedure (window.cpp). */
INT_PTR CALLBACK MainDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

/* Writes (or rewrites) the link displayName.lnk on the desktop, pointing
   at target with no arguments. Leaves everything as it was when the
   desktop cannot be found or the link's path is too long (shortcut.cpp). */
HRESULT CreateDesktopShortcut(HWND owner, const char *displayName, const char *target);

#endif
