/* The baseline of the game's start-up and idle figures: a dialog of the
   game window's size, shown the same way, whose edit 1007 reads "CHOOSE
   YOUR OWN BOX", run by the same polling loop (every waiting message,
   then Sleep(1)). Nothing else: no pictures, sounds, COM or shortcut.
   Built twice: on its own one-edit template (zendaro-bare-dialog), and on
   the game's resource script (zendaro-bare-board), whose template 101 is
   the game's window with every control and picture. */
#include <windows.h>

enum { IDD_BARE = 101, IDC_MESSAGE = 1007 };

static MSG pumpMessage;

static int PumpMessages(void)
{
    while (PeekMessageA(&pumpMessage, NULL, 0, 0, PM_NOREMOVE)) {
        if (GetMessageA(&pumpMessage, NULL, 0, 0) <= 0) return 1;
        if (pumpMessage.message == WM_KEYDOWN) break;
        TranslateMessage(&pumpMessage);
        DispatchMessageA(&pumpMessage);
    }
    Sleep(1);
    return 0;
}

static INT_PTR OnInitDialog(HWND window)
{
    ShowWindow(window, SW_SHOWNORMAL);
    SetDlgItemTextA(window, IDC_MESSAGE, "CHOOSE YOUR OWN BOX");
    return 0;
}

static INT_PTR CALLBACK BareDialogProc(HWND window, UINT message, WPARAM, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog(window);
    case WM_CLOSE:
        DestroyWindow(window);
        return 1;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 1;
    default:
        return 0;
    }
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    CreateDialogParamA(instance, MAKEINTRESOURCEA(IDD_BARE), NULL, BareDialogProc, 0);
    while (!PumpMessages()) {
    }
    return 0;
}
