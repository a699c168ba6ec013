/* The main window: a modeless dialog from IDD_MAIN. The procedure only
   dispatches; each message it takes has its own handler. */
#include <windows.h>

#include <shellapi.h>

#include "flow/flow.h"
#include "resources/board.h"
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

/* The fonts' sizes are the 96-dpi board's, grown with the dialog's units. */
static void GiveFonts(void)
{
    ui.largeFont =
        MakeArialBold(MulDiv(26, ui.baseUnitY, BASE_UNIT_Y), MulDiv(13, ui.baseUnitX, BASE_UNIT_X));
    ui.smallFont =
        MakeArialBold(MulDiv(16, ui.baseUnitY, BASE_UNIT_Y), MulDiv(8, ui.baseUnitX, BASE_UNIT_X));
    SetControlFont(IDC_OFFER_VALUE, ui.largeFont);
    SetControlFont(IDC_BANK_VALUE, ui.largeFont);
    SetControlFont(IDC_MESSAGE, ui.smallFont);
    SetControlFont(IDC_OFFER_LIST, ui.smallFont);
    SetControlFont(IDC_WIN_HISTORY, ui.smallFont);
    SetControlFont(IDC_OFFERS_LABEL, ui.smallFont);
    SetControlFont(IDC_HISTORY_LABEL, ui.smallFont);
    SetControlFont(IDC_BANK_LABEL, ui.largeFont);
}

/* Where the system font is larger than at 96 dpi (Windows' XP-style
   scaling at 120 dpi, Wine at every DPI), the template's controls grow
   with the dialog's units but its pictures keep their pixels. */
static void MeasureBaseUnits(HWND window)
{
    RECT unit = {0, 0, 4, 8};
    MapDialogRect(window, &unit);
    ui.baseUnitX = unit.right > 0 ? unit.right : (int)BASE_UNIT_X;
    ui.baseUnitY = unit.bottom > 0 ? unit.bottom : (int)BASE_UNIT_Y;
}

int BoardIsScaled(void)
{
    return ui.baseUnitX != BASE_UNIT_X || ui.baseUnitY != BASE_UNIT_Y;
}

/* Through the dialog units the board is laid out in, so a pixel of the
   96-dpi board lands where the dialog manager puts the same unit here, and
   a home position read and written back stays exactly where it was. */
static int ScaleAxis(int pixels, int fromBaseUnit, int toBaseUnit, int unitsPerBaseUnit)
{
    if (fromBaseUnit == toBaseUnit || pixels >= OUT_OF_VIEW) return pixels;
    int units = MulDiv(pixels, unitsPerBaseUnit, fromBaseUnit);
    return MulDiv(units, toBaseUnit, unitsPerBaseUnit);
}

int ScreenX(int boardX)
{
    return ScaleAxis(boardX, BASE_UNIT_X, ui.baseUnitX, 4);
}

int ScreenY(int boardY)
{
    return ScaleAxis(boardY, BASE_UNIT_Y, ui.baseUnitY, 8);
}

int BoardX(int screenX)
{
    return ScaleAxis(screenX, ui.baseUnitX, BASE_UNIT_X, 4);
}

int BoardY(int screenY)
{
    return ScaleAxis(screenY, ui.baseUnitY, BASE_UNIT_Y, 8);
}

/* A picture of the template, drawn for the 96-dpi board, stretched to
   fill its place on this one. */
static void StretchPicture(HWND picture)
{
    HBITMAP own = (HBITMAP)SendMessageW(picture, STM_GETIMAGE, IMAGE_BITMAP, 0);
    BITMAP shape;
    if (!own || !GetObjectW(own, sizeof shape, &shape)) return;
    HBITMAP stretched =
        (HBITMAP)CopyImage(own, IMAGE_BITMAP, ScreenX(shape.bmWidth), ScreenY(shape.bmHeight), 0);
    if (!stretched) return;
    /* The static takes the size of its new picture, its place. */
    HBITMAP previous =
        (HBITMAP)SendMessageW(picture, STM_SETIMAGE, IMAGE_BITMAP, (LPARAM)stretched);
    if (previous) DeleteObject(previous);
}

static int IsPicture(HWND control)
{
    WCHAR className[16];
    if (!GetClassNameW(control, className, sizeof className / sizeof className[0])) return 0;
    return lstrcmpiW(className, L"Static") == 0 &&
           (GetWindowLongW(control, GWL_STYLE) & SS_TYPEMASK) == SS_BITMAP;
}

static void StretchPictures(HWND window)
{
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (IsPicture(child)) StretchPicture(child);
    }
}

static void FitBoardToUnits(HWND window)
{
    RECT client = {0, 0, 0, 0};
    if (!BoardIsScaled()) {
        MakeBackgroundBrush(0, 0);
        return;
    }
    GetClientRect(window, &client);
    MakeBackgroundBrush(client.right, client.bottom);
    StretchPictures(window);
}

static INT_PTR OnInitDialog(HWND window)
{
    ui.mainWindow = window;
    MeasureBaseUnits(window);
    FitBoardToUnits(window);
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
