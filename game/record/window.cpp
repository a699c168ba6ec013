/* The recording view's model of the main window: every control the game
   logic touches, laid out as the dialog template places it. */
#include "window.h"

#include <stdio.h>
#include <string.h>

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

Control *FindControl(int id)
{
    for (int i = 0; i < controlCount; i++) {
        if (controls[i].id == id) return &controls[i];
    }
    return NULL;
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
