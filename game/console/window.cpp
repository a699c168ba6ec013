/* The recording view's model of the main window: every control the game
   logic touches, laid out as the dialog template places it. */
#include "window.h"

#include <stdio.h>
#include <string.h>

/* Dialog base units of the template's 8-point font at 96 dpi. */
enum { BASE_UNIT_X = 6, BASE_UNIT_Y = 13 };

struct BoxLayout {
    short pictureX, pictureY, buttonX, buttonY;
};

/* Clockwise from the bottom-left corner, in dialog units. */
static const BoxLayout boxLayout[BOX_COUNT] = {
    {9, 301, 21, 313},    {9, 260, 21, 272},    {9, 219, 22, 231},    {9, 178, 22, 190},
    {9, 137, 22, 149},    {9, 96, 22, 108},     {9, 55, 22, 67},      {13, 8, 26, 21},
    {77, 8, 90, 20},      {136, 8, 148, 20},    {195, 8, 208, 20},    {255, 8, 268, 20},
    {315, 8, 328, 20},    {374, 8, 386, 21},    {438, 8, 450, 21},    {444, 54, 458, 67},
    {444, 95, 457, 108},  {444, 136, 457, 149}, {444, 177, 457, 190}, {444, 218, 458, 231},
    {444, 259, 457, 272}, {444, 300, 458, 313},
};

struct OtherControl {
    int id;
    short x, y;
    const char *text;
    int enabled;
};

static const OtherControl otherControls[] = {
    {IDC_OFFER_VALUE, 205, 125, "", 1},
    {IDC_DEAL, 205, 143, "DEAL", 0},
    {IDC_NO_DEAL, 255, 143, "NO DEAL", 0},
    {IDC_NEW_GAME, 184, 202, "NEW GAME", 1},
    {IDC_MORE_GAMES, 234, 202, "MORE GAMES", 1},
    {IDC_OFFER_LIST, 331, 257, "", 1},
    {IDC_OFFERS_LABEL, 332, 248, "BANKERS OFFERS", 1},
    {IDC_BANK_LABEL, 182, 218, "BANK", 1},
    {IDC_BANK_VALUE, 236, 218, "", 1},
    {IDC_WIN_HISTORY, 67, 258, "", 1},
    {IDC_HISTORY_LABEL, 67, 248, "WIN HISTORY", 1},
    {IDC_MESSAGE, 184, 160, "", 1},
    {IDC_HELP, 292, 202, "HELP", 1},
};

enum { OTHER_COUNT = sizeof otherControls / sizeof otherControls[0] };
enum { CONTROL_COUNT = 3 * BOX_COUNT + OTHER_COUNT };

static Control controls[CONTROL_COUNT];
static ListModel offerList, winHistory;

int MulDivRounded(int number, int numerator, int denominator)
{
    /* Halves round away from zero, as the platform's MulDiv does. */
    long long product = (long long)number * numerator;
    long long half = denominator / 2;
    return (int)((product >= 0 ? product + half : product - half) / denominator);
}

static void PlaceControl(Control *control, int id, int unitsX, int unitsY)
{
    control->id = id;
    control->x = MulDivRounded(unitsX, BASE_UNIT_X, 4);
    control->y = MulDivRounded(unitsY, BASE_UNIT_Y, 8);
    control->enabled = 1;
}

/* Plate bitmaps follow the amounts except where the template swaps two. */
static int PlateBitmap(int k)
{
    if (k == 10) return IDB_AMOUNT_PLATE_LOW;
    if (k == 21) return IDB_AMOUNT_PLATE_LOW + 11;
    return IDB_AMOUNT_PLATE_LOW + 1 + k;
}

static void ResetList(ListModel *list, int id)
{
    memset(list, 0, sizeof *list);
    list->id = id;
}

void ResetWindow(void)
{
    memset(controls, 0, sizeof controls);
    Control *control = controls;
    for (int k = 0; k < AMOUNT_COUNT; k++, control++) {
        int column = k / 11, row = k % 11;
        PlaceControl(control, IDC_AMOUNT_PLATE_FIRST + k, column ? 348 : 76, 59 + 16 * row);
        control->bitmap = PlateBitmap(k);
    }
    for (int b = 0; b < BOX_COUNT; b++, control++) {
        PlaceControl(control, IDC_BOX_PICTURE_FIRST + b, boxLayout[b].pictureX,
                     boxLayout[b].pictureY);
        control->bitmap = IDB_CLOSED_BOX;
    }
    for (int b = 0; b < BOX_COUNT; b++, control++) {
        PlaceControl(control, IDC_BOX_BUTTON_FIRST + b, boxLayout[b].buttonX, boxLayout[b].buttonY);
        snprintf(control->text, sizeof control->text, "%d", b + 1);
    }
    for (const OtherControl &other : otherControls) {
        PlaceControl(control, other.id, other.x, other.y);
        snprintf(control->text, sizeof control->text, "%s", other.text);
        control->enabled = other.enabled;
        control++;
    }
    ResetList(&offerList, IDC_OFFER_LIST);
    ResetList(&winHistory, IDC_WIN_HISTORY);
}

static int ControlIndex(int id)
{
    if (id >= IDC_AMOUNT_PLATE_FIRST && id < IDC_AMOUNT_PLATE_FIRST + AMOUNT_COUNT)
        return id - IDC_AMOUNT_PLATE_FIRST;
    if (id >= IDC_BOX_PICTURE_FIRST && id < IDC_BOX_PICTURE_FIRST + BOX_COUNT)
        return AMOUNT_COUNT + id - IDC_BOX_PICTURE_FIRST;
    if (id >= IDC_BOX_BUTTON_FIRST && id < IDC_BOX_BUTTON_FIRST + BOX_COUNT)
        return AMOUNT_COUNT + BOX_COUNT + id - IDC_BOX_BUTTON_FIRST;
    for (int i = 0; i < OTHER_COUNT; i++) {
        if (otherControls[i].id == id) return 3 * BOX_COUNT + i;
    }
    return -1;
}

Control *FindControl(int id)
{
    int index = ControlIndex(id);
    /* Before the first reset the table is empty. */
    if (index < 0 || controls[index].id != id) return NULL;
    return &controls[index];
}

ListModel *FindList(int id)
{
    if (id == IDC_OFFER_LIST) return &offerList;
    if (id == IDC_WIN_HISTORY) return &winHistory;
    return NULL;
}

void AddListLine(ListModel *list, const char *text)
{
    snprintf(list->lines[list->count % LIST_CAPACITY], LIST_LINE_SIZE, "%s", text);
    list->count++;
}

const char *ListLine(const ListModel *list, int index)
{
    if (index < 0 || index >= list->count || list->count - index > LIST_CAPACITY) return "";
    return list->lines[index % LIST_CAPACITY];
}
