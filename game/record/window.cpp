/* The recording view's model of the main window: every control the game
   logic touches, laid out as the dialog template places it, and the view
   operations that read and change it. */
#include "window.h"

#include <stdio.h>
#include <string.h>

#include "../resources/board.h"
#include "log.h"
#include "text.h"

enum { LIST_CAPACITY = 256, LIST_LINE_SIZE = 64 };

struct Control {
    int id;
    char text[CONTROL_TEXT_SIZE]; /* text or caption */
    int enabled;
    int x, y; /* client pixels */
    int bitmap;
};

/* A list box; when it outgrows its buffer the oldest lines are forgotten,
   but count goes on counting every line added since it was last emptied. */
struct ListModel {
    int count;
    char lines[LIST_CAPACITY][LIST_LINE_SIZE];
};

/* Room for the plates, the box pictures and buttons and BOARD_CONTROLS;
   the controls the code never names are left out. */
enum { CONTROL_CAPACITY = 3 * BOX_COUNT + BOARD_CONTROL_COUNT };

static Control controls[CONTROL_CAPACITY];
static int controlCount;
static ListModel offerList, winHistory;

/* number * numerator / denominator, rounded to the nearest with halves away
   from zero, as the platform's MulDiv does. */
static int MulDivRounded(int number, int numerator, int denominator)
{
    long long product = (long long)number * numerator;
    long long half = denominator / 2;
    return (int)((product >= 0 ? product + half : product - half) / denominator);
}

static Control *AddControl(int id, int unitsX, int unitsY)
{
    Control *control = &controls[controlCount++];
    control->id = id;
    control->x = MulDivRounded(unitsX, BASE_UNIT_X, 4);
    control->y = MulDivRounded(unitsY, BASE_UNIT_Y, 8);
    control->enabled = 1;
    return control;
}

void ResetWindow(void)
{
    memset(controls, 0, sizeof controls);
    controlCount = 0;
    for (int k = 0; k < AMOUNT_COUNT; k++)
        AddControl(IDC_AMOUNT_PLATE_FIRST + k, PlateX(k), PlateY(k))->bitmap = PlateBitmapId(k);
    for (int b = 0; b < BOX_COUNT; b++) {
        const BoxPlace *place = &BOX_PLACES[b];
        AddControl(IDC_BOX_PICTURE_FIRST + b, place->pictureX, place->pictureY)->bitmap =
            IDB_CLOSED_BOX;
        Control *button = AddControl(IDC_BOX_BUTTON_FIRST + b, place->buttonX, place->buttonY);
        snprintf(button->text, sizeof button->text, "%d", b + 1);
    }
    for (const BoardControl &other : BOARD_CONTROLS) {
        if (other.id == IDC_STATIC) continue;
        Control *control = AddControl(other.id, other.x, other.y);
        snprintf(control->text, sizeof control->text, "%s", other.text);
        control->enabled = !other.disabled;
    }
    offerList.count = winHistory.count = 0; /* lines past count are never read */
}

/* NULL for an id the window does not have. */
static Control *FindControl(int id)
{
    for (int i = 0; i < controlCount; i++) {
        if (controls[i].id == id) return &controls[i];
    }
    return NULL;
}

static ListModel *FindList(int id)
{
    if (id == IDC_OFFER_LIST) return &offerList;
    if (id == IDC_WIN_HISTORY) return &winHistory;
    return NULL;
}

static void AddListLine(ListModel *list, const char *text)
{
    snprintf(list->lines[list->count % LIST_CAPACITY], LIST_LINE_SIZE, "%s", text);
    list->count++;
}

static const char *ListLine(const ListModel *list, int index)
{
    if (index < 0 || index >= list->count || list->count - index > LIST_CAPACITY) return "";
    return list->lines[index % LIST_CAPACITY];
}

/* ---- Reading the window ------------------------------------------------- */

const char *RecordingText(int id)
{
    const Control *control = FindControl(id);
    return control ? control->text : "";
}

int RecordingEnabled(int id)
{
    const Control *control = FindControl(id);
    return control ? control->enabled : 0;
}

int RecordingPosition(int id, int *x, int *y)
{
    const Control *control = FindControl(id);
    if (!control) return 0;
    *x = control->x;
    *y = control->y;
    return 1;
}

int RecordingBitmap(int id)
{
    const Control *control = FindControl(id);
    return control ? control->bitmap : 0;
}

int RecordingLineCount(int listId)
{
    const ListModel *list = FindList(listId);
    return list ? list->count : 0;
}

const char *RecordingLine(int listId, int index)
{
    const ListModel *list = FindList(listId);
    return list ? ListLine(list, index) : "";
}

/* ---- The view operations ------------------------------------------------ */

/* The control or list an operation acts on; an id the window lacks is
   counted, as the logic should never name one. */
static Control *Target(int id)
{
    Control *control = FindControl(id);
    if (!control) CountUnknownId();
    CountChange();
    return control;
}

static ListModel *TargetList(int id)
{
    ListModel *list = FindList(id);
    if (!list) CountUnknownId();
    CountChange();
    return list;
}

static void SetControlText(int id, const char *text, const char *op)
{
    WriteLog("%s %d %s", op, id, QuoteForLog(text, 0));
    Control *control = Target(id);
    if (control) snprintf(control->text, sizeof control->text, "%s", text);
}

void ViewSetText(int id, const char *text)
{
    SetControlText(id, text, "text");
}

void ViewSetCaption(int id, const char *text)
{
    SetControlText(id, text, "caption");
}

void ViewAddLine(int listId, const char *text)
{
    WriteLog("add %d %s", listId, QuoteForLog(text, 0));
    ListModel *list = TargetList(listId);
    if (list) AddListLine(list, text);
}

void ViewEmptyList(int listId)
{
    WriteLog("empty %d", listId);
    ListModel *list = TargetList(listId);
    if (list) list->count = 0;
}

void ViewEnable(int id, int on)
{
    WriteLog("enable %d %d", id, on ? 1 : 0);
    Control *control = Target(id);
    if (control) control->enabled = on ? 1 : 0;
}

void ViewMove(int id, int x, int y)
{
    WriteLog("move %d %d %d", id, x, y);
    Control *control = Target(id);
    if (!control) return;
    control->x = x;
    control->y = y;
}

void ViewGetPosition(int id, int *x, int *y)
{
    if (!RecordingPosition(id, x, y)) CountUnknownId();
}

void ViewRedraw(int id)
{
    WriteLog("redraw %d", id);
    Target(id);
}

void ViewShowPicture(int pictureId, int bitmapId)
{
    WriteLog("picture %d %d", pictureId, bitmapId);
    Control *control = Target(pictureId);
    if (control) control->bitmap = bitmapId;
}

void ViewFocusOffers(void)
{
    WriteLog("focus %d", IDC_OFFER_LIST);
}
