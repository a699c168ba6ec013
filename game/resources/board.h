/* The board of Zendaro.exe for the code: where the dialog template places
   every control, the plate bitmap of amount k, the MY BOX frame and the
   window's title. zendaro.rc writes the same numbers for the resource
   compiler; the resource check holds the built template to this file. */
#ifndef ZENDARO_RESOURCES_BOARD_H
#define ZENDARO_RESOURCES_BOARD_H

#include "resource.h"

enum { BOX_COUNT = 22, AMOUNT_COUNT = 22 };

/* The window's title, code page 1252. */
inline constexpr char GAME_TITLE[] = "ZENDARO - UK - \xA3"
                                     "250,000 JACKPOT";

/* Dialog base units of the template's 8-point font at 96 dpi: a dialog
   unit is BASE_UNIT_X / 4 pixels across and BASE_UNIT_Y / 8 down. */
enum { BASE_UNIT_X = 6, BASE_UNIT_Y = 13 };

/* A box's picture and number button, in dialog units. */
struct BoxPlace {
    short pictureX, pictureY, buttonX, buttonY;
};

enum { BOX_PICTURE_WIDTH = 57, BOX_PICTURE_HEIGHT = 41 };
enum { BOX_BUTTON_WIDTH = 27, BOX_BUTTON_HEIGHT = 18 };

/* By BoxId, clockwise from the bottom-left corner. */
inline constexpr BoxPlace BOX_PLACES[BOX_COUNT] = {
    {9, 301, 21, 313},    {9, 260, 21, 272},    {9, 219, 22, 231},    {9, 178, 22, 190},
    {9, 137, 22, 149},    {9, 96, 22, 108},     {9, 55, 22, 67},      {13, 8, 26, 21},
    {77, 8, 90, 20},      {136, 8, 148, 20},    {195, 8, 208, 20},    {255, 8, 268, 20},
    {315, 8, 328, 20},    {374, 8, 386, 21},    {438, 8, 450, 21},    {444, 54, 458, 67},
    {444, 95, 457, 108},  {444, 136, 457, 149}, {444, 177, 457, 190}, {444, 218, 458, 231},
    {444, 259, 457, 272}, {444, 300, 458, 313},
};

/* The plates stand in two columns of eleven, the lowest sum at the top
   left; each is PLATE_WIDTH x PLATE_HEIGHT dialog units. */
enum { PLATES_PER_COLUMN = 11, PLATE_TOP_Y = 59, PLATE_STEP_Y = 16 };
enum { PLATE_LEFT_X = 76, PLATE_RIGHT_X = 348, PLATE_WIDTH = 85, PLATE_HEIGHT = 14 };

inline constexpr int PlateX(int k)
{
    return k < PLATES_PER_COLUMN ? PLATE_LEFT_X : PLATE_RIGHT_X;
}

inline constexpr int PlateY(int k)
{
    return PLATE_TOP_Y + PLATE_STEP_Y * (k % PLATES_PER_COLUMN);
}

/* The bitmap of the plate of amount k: the ids follow the amounts except
   for 750 and 250,000, which sit out of order. */
inline constexpr int PlateBitmapId(int k)
{
    return k < 10    ? IDB_PLATE_1P + k
           : k == 10 ? IDB_PLATE_750
           : k < 21  ? IDB_PLATE_1000 + k - 11
                     : IDB_PLATE_250000;
}

/* The controls besides the plates, boxes and buttons, in the template's
   order, in dialog units. IDC_STATIC marks those the code never names;
   `disabled` those the template creates disabled. */
struct BoardControl {
    int id;
    short x, y, width, height;
    int disabled;
    const char *text;
};

inline constexpr BoardControl BOARD_CONTROLS[] = {
    {IDC_STATIC, 205, 68, 98, 57, 0, ""}, /* the banker's phone */
    {IDC_STATIC, 205, 57, 98, 11, 0, "BANKERS OFFER"},
    {IDC_OFFER_VALUE, 205, 125, 98, 16, 0, ""},
    {IDC_DEAL, 205, 143, 48, 14, 1, "DEAL"},
    {IDC_NO_DEAL, 255, 143, 48, 14, 1, "NO DEAL"},
    {IDC_NEW_GAME, 184, 202, 48, 13, 0, "NEW GAME"},
    {IDC_MORE_GAMES, 234, 202, 56, 13, 0, "MORE GAMES"},
    {IDC_OFFER_LIST, 331, 257, 108, 56, 0, ""},
    {IDC_OFFERS_LABEL, 332, 248, 108, 10, 0, "BANKERS OFFERS"},
    {IDC_BANK_LABEL, 182, 218, 54, 17, 0, "BANK"},
    {IDC_BANK_VALUE, 236, 218, 91, 17, 0, ""},
    {IDC_WIN_HISTORY, 67, 258, 108, 56, 0, ""},
    {IDC_HISTORY_LABEL, 67, 248, 108, 10, 0, "WIN HISTORY"},
    {IDC_MESSAGE, 184, 160, 141, 38, 0, ""},
    {IDC_STATIC, 183, 249, 141, 8, 0, "------------------------- MY BOX -------------------------"},
    {IDC_STATIC, 183, 258, 141, 55, 0, ""}, /* the MY BOX frame */
    {IDC_HELP, 292, 202, 34, 13, 0, "HELP"},
};

enum { BOARD_CONTROL_COUNT = sizeof BOARD_CONTROLS / sizeof BOARD_CONTROLS[0] };

/* The MY BOX frame, in client pixels: where the own box's picture and
   number button stand once chosen. */
enum { MY_BOX_PICTURE_X = 339, MY_BOX_PICTURE_Y = 431 };
enum { MY_BOX_BUTTON_X = 359, MY_BOX_BUTTON_Y = 452 };

#endif
