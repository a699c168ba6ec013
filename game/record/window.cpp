/* The recording view's model of the main window: every control the game
   logic touches, laid out as the dialog template places it. */
#include "window.h"

#include <stdio.h>
#include <string.h>

/* The plates, the box pictures, the box buttons, then BOARD_CONTROLS; the
   slots of the controls the code never names stay empty. */
enum { CONTROL_COUNT = 3 * BOX_COUNT + BOARD_CONTROL_COUNT };

static Control controls[CONTROL_COUNT];
static ListModel offerList, winHistory;

/* number * numerator / denominator, rounded to the nearest. */
static int MulDivRounded(int number, int numerator, int denominator)
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

void ResetWindow(void)
{
    memset(controls, 0, sizeof controls);
    Control *control = controls;
    for (int k = 0; k < AMOUNT_COUNT; k++, control++) {
        PlaceControl(control, IDC_AMOUNT_PLATE_FIRST + k, PlateX(k), PlateY(k));
        control->bitmap = PlateBitmapId(k);
    }
    for (int b = 0; b < BOX_COUNT; b++, control++) {
        PlaceControl(control, IDC_BOX_PICTURE_FIRST + b, BOX_PLACES[b].pictureX,
                     BOX_PLACES[b].pictureY);
        control->bitmap = IDB_CLOSED_BOX;
    }
    for (int b = 0; b < BOX_COUNT; b++, control++) {
        PlaceControl(control, IDC_BOX_BUTTON_FIRST + b, BOX_PLACES[b].buttonX,
                     BOX_PLACES[b].buttonY);
        snprintf(control->text, sizeof control->text, "%d", b + 1);
    }
    for (const BoardControl &other : BOARD_CONTROLS) {
        if (other.id != IDC_STATIC) {
            PlaceControl(control, other.id, other.x, other.y);
            snprintf(control->text, sizeof control->text, "%s", other.text);
            control->enabled = !other.disabled;
        }
        control++;
    }
    offerList.count = winHistory.count = 0; /* lines past count are never read */
}

static int ControlIndex(int id)
{
    if (id >= IDC_AMOUNT_PLATE_FIRST && id < IDC_AMOUNT_PLATE_FIRST + AMOUNT_COUNT)
        return id - IDC_AMOUNT_PLATE_FIRST;
    if (id >= IDC_BOX_PICTURE_FIRST && id < IDC_BOX_PICTURE_FIRST + BOX_COUNT)
        return AMOUNT_COUNT + id - IDC_BOX_PICTURE_FIRST;
    if (id >= IDC_BOX_BUTTON_FIRST && id < IDC_BOX_BUTTON_FIRST + BOX_COUNT)
        return AMOUNT_COUNT + BOX_COUNT + id - IDC_BOX_BUTTON_FIRST;
    for (int i = 0; i < BOARD_CONTROL_COUNT; i++) {
        if (BOARD_CONTROLS[i].id == id && id != IDC_STATIC) return 3 * BOX_COUNT + i;
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
