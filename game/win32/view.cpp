/* The view services on the real window: each one a control message. */
#include <windows.h>

#include <wchar.h>

#include "resources/board.h"
#include "ui.h"
#include "view/view.h"

static HWND Control(int id)
{
    return GetDlgItem(ui.mainWindow, id);
}

/* Code page 1252 has one character for every byte, so a text of n bytes
   takes n wide characters; it is named here, never the machine's own ANSI
   code page, which reads the pound sign as another letter (1250) or
   another script (932). */
const WCHAR *WidenText(const char *text, WCHAR *wide, int capacity)
{
    int length = 0;
    while (length < capacity - 1 && text[length] != '\0') length++;
    int written = length ? MultiByteToWideChar(1252, 0, text, length, wide, capacity - 1) : 0;
    wide[written > 0 ? written : 0] = L'\0';
    return wide;
}

void ViewSetText(int id, const char *text)
{
    WCHAR wide[WIDE_TEXT_CAPACITY];
    SendDlgItemMessageW(ui.mainWindow, id, WM_SETTEXT, 0,
                        (LPARAM)WidenText(text, wide, WIDE_TEXT_CAPACITY));
}

/* Setting a button's caption repaints it (at once, under Wine), so a new
   game that puts the numbers back would repaint every box button: one
   that already reads the text is left alone. A box's number is short; a
   longer caption never reads the same in this buffer, and is set. */
void ViewSetCaption(int id, const char *text)
{
    HWND control = Control(id);
    WCHAR wanted[WIDE_TEXT_CAPACITY], current[16];
    WidenText(text, wanted, WIDE_TEXT_CAPACITY);
    if (GetWindowTextW(control, current, sizeof current / sizeof current[0]) > 0 &&
        wcscmp(current, wanted) == 0)
        return;
    SetWindowTextW(control, wanted);
}

void ViewAddLine(int listId, const char *text)
{
    WCHAR wide[WIDE_TEXT_CAPACITY];
    SendDlgItemMessageW(ui.mainWindow, listId, LB_ADDSTRING, 0,
                        (LPARAM)WidenText(text, wide, WIDE_TEXT_CAPACITY));
}

void ViewEmptyList(int listId)
{
    SendDlgItemMessageA(ui.mainWindow, listId, LB_RESETCONTENT, 0, 0);
}

void ViewEnable(int id, int on)
{
    EnableWindow(Control(id), on ? TRUE : FALSE);
}

/* The logic's positions are the 96-dpi board's pixels (ScreenX). */
void ViewMove(int id, int x, int y)
{
    /* No insert-after window is HWND_TOP: the control is raised as well. */
    SetWindowPos(Control(id), NULL, ScreenX(x), ScreenY(y), 0, 0, SWP_NOSIZE);
}

void ViewGetPosition(int id, int *x, int *y)
{
    RECT r = {0, 0, 0, 0};
    GetWindowRect(Control(id), &r);
    MapWindowPoints(NULL, ui.mainWindow, (POINT *)&r, 2);
    *x = BoardX(r.left);
    *y = BoardY(r.top);
}

void ViewRedraw(int id)
{
    InvalidateRect(Control(id), NULL, TRUE);
}

/* The pictures a box can show, each loaded once on first use and kept for
   the life of the program: the closed box and the 22 opened boxes. */
static HBITMAP closedBoxBitmap;
static HBITMAP openBoxBitmaps[AMOUNT_COUNT];

static HBITMAP *CachedBitmap(int bitmapId)
{
    if (bitmapId == IDB_CLOSED_BOX) return &closedBoxBitmap;
    int k = bitmapId - IDB_OPEN_BOX_FIRST;
    if (k >= 0 && k < AMOUNT_COUNT) return &openBoxBitmaps[k];
    return NULL;
}

static int IsCached(const void *bitmap)
{
    if (bitmap == closedBoxBitmap) return 1;
    for (const void *cached : openBoxBitmaps) {
        if (bitmap == cached) return 1;
    }
    return 0;
}

/* A box's picture at the size of its place: every box picture has the
   same, and the bitmaps are drawn at the 96-dpi one. */
static HBITMAP LoadBoxPicture(int pictureId, int bitmapId)
{
    RECT place = {0, 0, 0, 0};
    if (BoardIsScaled()) GetClientRect(Control(pictureId), &place);
    return (HBITMAP)LoadImageW(ui.instance, MAKEINTRESOURCEW(bitmapId), IMAGE_BITMAP, place.right,
                               place.bottom, 0);
}

void ViewShowPicture(int pictureId, int bitmapId)
{
    HBITMAP *slot = CachedBitmap(bitmapId);
    if (!slot) return;
    if (!*slot) *slot = LoadBoxPicture(pictureId, bitmapId);
    HBITMAP previous = (HBITMAP)SendDlgItemMessageA(ui.mainWindow, pictureId, STM_SETIMAGE,
                                                    IMAGE_BITMAP, (LPARAM)*slot);
    /* What a picture hands back is either one of ours, shared, or the copy
       the control loaded from the template (or its stretched copy), which
       nothing else uses. */
    if (previous && !IsCached(previous)) DeleteObject(previous);
}

void ViewFocusOffers(void)
{
    SetFocus(Control(IDC_OFFER_LIST));
}

static int ShowMessageBox(const char *text, const char *caption, UINT type)
{
    WCHAR wideText[WIDE_TEXT_CAPACITY], wideCaption[WIDE_TEXT_CAPACITY];
    return MessageBoxW(NULL, WidenText(text, wideText, WIDE_TEXT_CAPACITY),
                       WidenText(caption, wideCaption, WIDE_TEXT_CAPACITY), type);
}

/* Once the quit message is taken no message box may open: nothing would
   answer it and the program would never end. */
void ViewInform(const char *text, const char *caption)
{
    if (ViewQuitTaken()) return;
    ShowMessageBox(text, caption, MB_OK | MB_ICONINFORMATION);
}

int ViewAsk(const char *text, const char *caption)
{
    if (ViewQuitTaken()) return 0;
    return ShowMessageBox(text, caption, MB_YESNO) == IDYES;
}
