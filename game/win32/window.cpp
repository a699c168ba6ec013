/* The main window: a modeless dialog from IDD_MAIN. The procedure only
   dispatches; each message it takes has its own handler. */
#include <windows.h>

#include <shellapi.h>

#include "flow/flow.h"
#include "ui.h"
#include "view/view.h"

/* The colours of the texts on the edit, button and static backgrounds
   (ui.h). */
const COLORREF EDIT_TEXT_COLOUR = RGB(255, 255, 255);
const COLORREF BUTTON_TEXT_COLOUR = RGB(255, 0, 0);
const COLORREF STATIC_TEXT_COLOUR = RGB(255, 255, 255);

/* The maker's home page, opened by MORE GAMES and HELP. */
static const WCHAR makerPage[] = L"http://www.vantorel.example/";

/* ANSI_CHARSET: the texts are code page 1252, and with the default the
   font mapper would take the machine's own character set and, under some
   code pages, another face than Arial. */
static HFONT MakeArialBold(int height, int width)
{
    return CreateFontW(height, width, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET, 0, 0, 0,
                       FIXED_PITCH, L"arial");
}

static void SetControlFont(int id, HFONT font)
{
    SendDlgItemMessageA(ui.mainWindow, id, WM_SETFONT, (WPARAM)font, TRUE);
}

static void GiveFonts(void)
{
    ui.largeFont = MakeArialBold(26, 13);
    ui.smallFont = MakeArialBold(16, 8);
    SetControlFont(IDC_OFFER_VALUE, ui.largeFont);
    SetControlFont(IDC_BANK_VALUE, ui.largeFont);
    SetControlFont(IDC_MESSAGE, ui.smallFont);
    SetControlFont(IDC_OFFER_LIST, ui.smallFont);
    SetControlFont(IDC_WIN_HISTORY, ui.smallFont);
    SetControlFont(IDC_OFFERS_LABEL, ui.smallFont);
    SetControlFont(IDC_HISTORY_LABEL, ui.smallFont);
    SetControlFont(IDC_BANK_LABEL, ui.largeFont);
}

static INT_PTR OnInitDialog(HWND window)
{
    ui.mainWindow = window;
    ShowWindow(window, SW_SHOWNORMAL);
    HICON icon = LoadIconA(ui.instance, MAKEINTRESOURCEA(IDI_GAME));
    SendMessageA(window, WM_SETICON, ICON_SMALL, (LPARAM)icon);
    CreateDesktopShortcut(window, L"Zendaro", ui.programPath);
    GiveFonts();
    return 0; /* no control takes the focus */
}

/* Without SEE_MASK_FLAG_NO_UI the shell would show its own error box for
   a first way that fails, though a second one follows. */
static BOOL OpenMaximised(const WCHAR *file, const WCHAR *parameters, const WCHAR *folder)
{
    SHELLEXECUTEINFOW run;
    ZeroMemory(&run, sizeof run);
    run.cbSize = sizeof run;
    run.fMask = SEE_MASK_FLAG_NO_UI;
    run.hwnd = ui.mainWindow;
    run.lpVerb = L"open";
    run.lpFile = file;
    run.lpParameters = parameters;
    run.lpDirectory = folder;
    run.nShow = SW_SHOWMAXIMIZED;
    return ShellExecuteExW(&run);
}

/* Internet Explorer, as the game has always opened it; where a user has
   removed it (newer Windows does not carry it at all), the page in the
   default browser. The game goes on either way. */
static void OpenMakerPage(void)
{
    WCHAR windowsFolder[MAX_PATH];
    UINT length = GetWindowsDirectoryW(windowsFolder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) windowsFolder[0] = L'\0';
    if (OpenMaximised(L"iexplore.exe", makerPage, windowsFolder)) return;
    OpenMaximised(makerPage, NULL, NULL);
}

static void OnCommand(int id)
{
    if (id >= IDC_BOX_BUTTON_FIRST && id < IDC_BOX_BUTTON_FIRST + BOX_COUNT) {
        OnBoxClicked((BoxId)(id - IDC_BOX_BUTTON_FIRST));
        return;
    }
    switch (id) {
    case IDC_DEAL:
        OnDeal();
        break;
    case IDC_NO_DEAL:
        OnNoDeal();
        break;
    case IDC_NEW_GAME:
        OnNewGameCommand();
        break;
    case IDC_MORE_GAMES:
    case IDC_HELP:
        OpenMakerPage();
        break;
    default:
        break;
    }
}

static INT_PTR Colour(HDC dc, COLORREF background, COLORREF text, HBRUSH brush)
{
    SetBkColor(dc, background);
    SetTextColor(dc, text);
    return (INT_PTR)brush;
}

static INT_PTR OnCtlColorEdit(HDC dc)
{
    return Colour(dc, EDIT_BACKGROUND, EDIT_TEXT_COLOUR, ui.editBrush);
}

static INT_PTR OnCtlColorBtn(HDC dc)
{
    return Colour(dc, BUTTON_BACKGROUND, BUTTON_TEXT_COLOUR, ui.buttonBrush);
}

static INT_PTR OnCtlColorStatic(HDC dc)
{
    return Colour(dc, STATIC_BACKGROUND, STATIC_TEXT_COLOUR, ui.staticBrush);
}

static INT_PTR OnCtlColorDlg(void)
{
    return (INT_PTR)ui.backgroundBrush;
}

static INT_PTR OnClose(HWND window)
{
    DestroyWindow(window);
    return 0;
}

static INT_PTR OnDestroy(void)
{
    PostQuitMessage(0);
    return 0;
}

INT_PTR CALLBACK MainDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog(window);
    case WM_COMMAND:
        OnCommand(LOWORD(wParam));
        return 0;
    case WM_CTLCOLOREDIT:
        return OnCtlColorEdit((HDC)wParam);
    case WM_CTLCOLORBTN:
        return OnCtlColorBtn((HDC)wParam);
    case WM_CTLCOLORDLG:
        return OnCtlColorDlg();
    case WM_CTLCOLORSTATIC:
        return OnCtlColorStatic((HDC)wParam);
    case WM_CLOSE:
        return OnClose(window);
    case WM_DESTROY:
        return OnDestroy();
    default:
        return 0;
    }
}
