/* setup.exe: the entry, its message pass and the setup window. */
#include "setup.h"
#include "setup_resource.h"
#include "system_dlls.h"

#include <objbase.h>
#include <string.h>

HINSTANCE setupInstance;
HWND setupWindow;
HFONT headerFont;
HBRUSH licenseBrush;
int folderPickerOpen;

namespace
{

const COLORREF LICENSE_BACKGROUND = RGB(112, 112, 112);
const COLORREF LICENSE_TEXT_COLOUR = RGB(128, 255, 128);
const COLORREF HEADER_CAPTION_COLOUR = RGB(0, 0, 128);
/* Where the caption goes on the header and how big its letters are, in
   pixels of the window at 96 dpi. */
const int HEADER_CAPTION_LEFT = 96;
const int HEADER_CAPTION_TOP = 18;
const int HEADER_FONT_HEIGHT = 20;
const int HEADER_FONT_WIDTH = 10;

/* The dialog base units of the window at 96 dpi. Under a larger system
   font the window's controls grow with the base units while pictures keep
   their pixels; what Setup draws itself grows with the controls. */
const int BASE_UNITS_ACROSS_AT_96_DPI = 6;
const int BASE_UNITS_DOWN_AT_96_DPI = 13;
SIZE dialogBaseUnits = {BASE_UNITS_ACROSS_AT_96_DPI, BASE_UNITS_DOWN_AT_96_DPI};

void ReadDialogBaseUnits(HWND window)
{
    RECT units = {0, 0, 4, 8};
    if (!MapDialogRect(window, &units) || units.right <= 0 || units.bottom <= 0) return;
    dialogBaseUnits.cx = units.right;
    dialogBaseUnits.cy = units.bottom;
}

int ScaledAcross(int pixels)
{
    return MulDiv(pixels, dialogBaseUnits.cx, BASE_UNITS_ACROSS_AT_96_DPI);
}

int ScaledDown(int pixels)
{
    return MulDiv(pixels, dialogBaseUnits.cy, BASE_UNITS_DOWN_AT_96_DPI);
}

/* A picture of the resources grown as the window has grown, so that it
   fills its control as it does at 96 dpi; at 96 dpi the picture itself. */
HBITMAP LoadScaledBitmap(int id)
{
    HBITMAP picture = (HBITMAP)LoadImageW(setupInstance, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0,
                                          LR_DEFAULTCOLOR);
    BITMAP size;
    if (!picture || !GetObjectW(picture, sizeof size, &size)) return picture;
    int width = ScaledAcross(size.bmWidth), height = ScaledDown(size.bmHeight);
    if (width == size.bmWidth && height == size.bmHeight) return picture;
    HBITMAP scaled = (HBITMAP)LoadImageW(setupInstance, MAKEINTRESOURCEW(id), IMAGE_BITMAP, width,
                                         height, LR_DEFAULTCOLOR);
    if (!scaled) return picture;
    DeleteObject(picture);
    return scaled;
}

/* The picture as the header control itself draws it, wherever and at
   whatever size it puts it, on the dialog's face colour should the control
   draw nothing. */
void DrawHeaderPicture(HDC canvas, HWND header, const RECT *client)
{
    FillRect(canvas, client, GetSysColorBrush(COLOR_BTNFACE));
    SendMessageW(header, WM_PRINTCLIENT, (WPARAM)canvas, PRF_CLIENT);
}

void DrawCaptionText(HDC canvas)
{
    WCHAR caption[128];
    int length = GetWindowTextW(setupWindow, caption, sizeof caption / sizeof *caption);
    HGDIOBJ oldFont = SelectObject(canvas, headerFont);
    SetBkMode(canvas, TRANSPARENT);
    SetTextColor(canvas, HEADER_CAPTION_COLOUR);
    TextOutW(canvas, ScaledAcross(HEADER_CAPTION_LEFT), ScaledDown(HEADER_CAPTION_TOP), caption,
             length);
    SelectObject(canvas, oldFont);
}

/* The licence resource is 1252 bytes without a terminating zero; it is
   read into a buffer that always keeps one. */
char licenseBytes[16384];
WCHAR licenseText[sizeof licenseBytes];

const WCHAR *LoadLicenseText(void)
{
    HRSRC found = FindResourceA(setupInstance, MAKEINTRESOURCEA(IDR_LICENSE), "LICENSE");
    HGLOBAL loaded = found ? LoadResource(setupInstance, found) : NULL;
    const void *bytes = loaded ? LockResource(loaded) : NULL;
    if (!bytes) return licenseText;
    size_t size = SizeofResource(setupInstance, found);
    if (size > sizeof licenseBytes - 1) size = sizeof licenseBytes - 1;
    memcpy(licenseBytes, bytes, size);
    licenseBytes[size] = '\0';
    return WideFrom1252(licenseBytes, licenseText, sizeof licenseText / sizeof *licenseText);
}

/* The header's caption keeps its face in every language: the ANSI
   character set is Arial's Western one, whichever code page the machine
   has. */
HFONT CreateHeaderFont(void)
{
    WCHAR face[LF_FACESIZE];
    return CreateFontW(ScaledDown(HEADER_FONT_HEIGHT), ScaledAcross(HEADER_FONT_WIDTH), 0, 0,
                       FW_BOLD, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, FIXED_PITCH,
                       WideFrom1252("arial", face, LF_FACESIZE));
}

INT_PTR OnInitDialog(HWND window)
{
    setupWindow = window;
    ReadDialogBaseUnits(window);
    HICON icon = LoadIconW(setupInstance, MAKEINTRESOURCEW(IDI_SETUP));
    SendMessageW(window, WM_SETICON, ICON_SMALL, (LPARAM)icon);
    WCHAR driveRoot[4];
    SetDlgItemTextW(window, IDC_INSTALL_PATH, WideFrom1252("C:\\", driveRoot, 4));
    SendDlgItemMessageW(window, IDC_BROWSE, BM_SETIMAGE, IMAGE_BITMAP,
                        (LPARAM)LoadScaledBitmap(IDB_FOLDER));
    HBITMAP header = LoadScaledBitmap(IDB_SETUP_HEADER);
    HBITMAP templateHeader = (HBITMAP)SendDlgItemMessageW(window, IDC_SETUP_HEADER, STM_SETIMAGE,
                                                          IMAGE_BITMAP, (LPARAM)header);
    if (templateHeader && templateHeader != header) DeleteObject(templateHeader);
    SetDlgItemTextW(window, IDC_LICENSE_TEXT, LoadLicenseText());
    headerFont = CreateHeaderFont();
    SetFocus(GetDlgItem(window, IDC_LICENSE_TEXT));
    return FALSE; /* keep the focus on the licence */
}

void OnAgreeClicked(void)
{
    int agreed = SendDlgItemMessageW(setupWindow, IDC_AGREE, BM_GETCHECK, 0, 0) == BST_CHECKED;
    EnableWindow(GetDlgItem(setupWindow, IDC_INSTALL), agreed);
}

INT_PTR OnCommand(int controlId)
{
    switch (controlId) {
    case IDC_INSTALL:
        /* Only a click the user could make: never before the licence is
           agreed to, never while an install is under way. */
        if (IsWindowEnabled(GetDlgItem(setupWindow, IDC_INSTALL))) InstallGame();
        break;
    case IDC_BROWSE:
        BrowseInstallFolder();
        break;
    case IDC_AGREE:
        OnAgreeClicked();
        break;
    default:
        return FALSE;
    }
    return TRUE;
}

/* The licence box asks for its colours whenever it paints, which is when
   the caption on the header is renewed too. */
// cppcheck-suppress constParameter ; HWND is an opaque handle, never const
INT_PTR OnCtlColorEdit(HDC dc, HWND control)
{
    if (control != GetDlgItem(setupWindow, IDC_LICENSE_TEXT)) return 0;
    DrawHeaderCaption();
    SetBkColor(dc, LICENSE_BACKGROUND);
    SetTextColor(dc, LICENSE_TEXT_COLOUR);
    return (INT_PTR)licenseBrush;
}

INT_PTR OnClose(HWND window)
{
    DestroyWindow(window);
    return TRUE;
}

INT_PTR OnDestroy(void)
{
    PostQuitMessage(0);
    return TRUE;
}

INT_PTR CALLBACK SetupDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog(window);
    case WM_COMMAND:
        return OnCommand(LOWORD(wParam));
    case WM_CTLCOLOREDIT:
        return OnCtlColorEdit((HDC)wParam, (HWND)lParam);
    case WM_CLOSE:
        return OnClose(window);
    case WM_DESTROY:
        return OnDestroy();
    }
    return FALSE;
}

/* An edit box opens its Cut / Paste / Delete menu when the right button
   is released and on Shift+F10. */
int OpensEditMenu(const MSG *msg)
{
    switch (msg->message) {
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
        return 1;
    case WM_SYSKEYDOWN:
        return msg->wParam == VK_F10;
    }
    return 0;
}

/* The path changes only through Browse, and the licence cannot be edited:
   such input is thrown away before anything sees it. A double click would
   give the path box the focus as a press does. */
int IsDroppedInput(const MSG *msg)
{
    if (!setupWindow) return 0;
    if (msg->hwnd == GetDlgItem(setupWindow, IDC_LICENSE_TEXT))
        return msg->message == WM_KEYDOWN || OpensEditMenu(msg);
    if (msg->hwnd != GetDlgItem(setupWindow, IDC_INSTALL_PATH)) return 0;
    return msg->message == WM_KEYDOWN || msg->message == WM_LBUTTONDOWN ||
           msg->message == WM_RBUTTONDOWN || msg->message == WM_LBUTTONDBLCLK || OpensEditMenu(msg);
}

/* One pass over the waiting messages. Answers 0 once the quit message
   has come. */
int PumpSetupMessages(void)
{
    MSG msg;
    if (!PeekMessageW(&msg, NULL, 0, 0, PM_NOREMOVE)) {
        Sleep(1);
        return 1;
    }
    while (PeekMessageW(&msg, NULL, 0, 0, PM_NOREMOVE)) {
        if (!GetMessageW(&msg, NULL, 0, 0)) return 0;
        if (IsDroppedInput(&msg)) {
            Sleep(1);
            return 1;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 1;
}

} // namespace

/* The caption's letters have soft edges, blended with what is beneath
   them: drawn onto the screen again and again they would thicken. So the
   header's picture and the caption are put together off the screen, each
   time from the picture itself, and shown in one go. */
void DrawHeaderCaption(void)
{
    HWND header = GetDlgItem(setupWindow, IDC_SETUP_HEADER);
    RECT client;
    if (!GetClientRect(header, &client)) return;
    HDC dc = GetDC(header);
    if (!dc) return;
    HDC canvas = CreateCompatibleDC(dc);
    HBITMAP canvasBitmap = CreateCompatibleBitmap(dc, client.right, client.bottom);
    if (canvas && canvasBitmap) {
        HGDIOBJ oldBitmap = SelectObject(canvas, canvasBitmap);
        DrawHeaderPicture(canvas, header, &client);
        DrawCaptionText(canvas);
        BitBlt(dc, 0, 0, client.right, client.bottom, canvas, 0, 0, SRCCOPY);
        SelectObject(canvas, oldBitmap);
    }
    if (canvasBitmap) DeleteObject(canvasBitmap);
    if (canvas) DeleteDC(canvas);
    ReleaseDC(header, dc);
}

/* What the folder picker and the themed drawing make the system load by
   name later: the common controls, and msimg32 for AlphaBlend
   (KeepDllSearchInSystemFolder). */
const char *const DLLS_LOADED_LATER[] = {"comctl32.dll", "msimg32.dll"};

/* Setup runs from wherever the browser saved it, often elevated: from
   here on no DLL comes from that folder. The start-up before this
   (stack_guard.h, then the C runtime's) loads none beyond the imported
   ones, none looked for beside the program. */
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    KeepDllSearchInSystemFolder(DLLS_LOADED_LATER,
                                sizeof DLLS_LOADED_LATER / sizeof DLLS_LOADED_LATER[0]);
    setupInstance = instance;
    /* The shell's folder picker needs COM on this thread. */
    CoInitialize(NULL);
    licenseBrush = CreateSolidBrush(LICENSE_BACKGROUND);
    /* A window of wide controls: the path box holds any letter, where an
       ANSI one holds only those of the machine's code page. */
    HWND window =
        CreateDialogParamW(instance, MAKEINTRESOURCEW(IDD_SETUP), NULL, SetupDialogProc, 0);
    if (!window) return 1;
    ShowWindow(window, SW_SHOWNORMAL);
    while (PumpSetupMessages()) {
    }
    CoUninitialize();
    return 0;
}
