/* What the game client knows of Zendaro's board: the ids of its controls,
   where the template puts them, the 22 sums, and how a run's deal follows
   from the clock. */
#ifndef ZENDARO_WINE_CLIENT_BOARD_H
#define ZENDARO_WINE_CLIENT_BOARD_H

#include <stdint.h>
#include <windows.h>

#include <string>
#include <vector>

#include "drive.h"

enum {
    BOXES = 22,
    ID_DEAL = 1003,
    ID_OFFER_LIST = 1004,
    ID_WIN_HISTORY = 1006,
    ID_MESSAGE = 1007,
    ID_OFFER_VALUE = 1008,
    ID_BANK_VALUE = 1009,
    ID_NO_DEAL = 1039,
    ID_NEW_GAME = 1040,
    ID_MORE_GAMES = 1042,
    ID_HELP = 1043,
    ID_BOX_BUTTON = 10000,
    ID_BOX_PICTURE = 15000,
    ID_PLATE = 20000,
    OUT_OF_VIEW = 16384
};

/* The MY BOX frame's button and picture, in client pixels. */
const POINT MY_BOX_BUTTON = {359, 452}, MY_BOX_PICTURE = {339, 431};

extern const char GAME_TITLE[];
extern const double SUMS[BOXES];

/* A control of IDD_MAIN in dialog units, with its caption (NULL: not
   looked at); id -1 controls are found by class and text. */
struct TemplateControl {
    int id;
    const char *className;
    const char *text;
    int x, y, w, h;
};

std::vector<TemplateControl> TemplateControls(void);

/* The dialog base units of the board on screen: 6 x 13 at 96 dpi, larger
   where the system font is (MeasureBaseUnits). */
extern int baseUnitX, baseUnitY;

/* Reads them from dlg's client area, 510 x 353 dialog units; answers 0
   when that is no whole number of units. */
int MeasureBaseUnits(HWND dlg);

/* A dialog-unit rectangle in client pixels at those base units. */
RECT DialogUnitsToPixels(int x, int y, int w, int h);

/* A client pixel of the 96-dpi board on the board on screen. */
POINT ScaledPoint(POINT board);

/* The child of dlg of that class and text with id -1, or NULL. */
HWND FindUnnamedControl(HWND dlg, const char *className, const char *text);

/* What the random generator decides in one game played to its last call:
   the deal, and whether the banker offers the swap. */
struct DealPrediction {
    int sumOfBox[BOXES];
    int swapOffered;
};

/* The next game from the generator's state, moved on past it; a run's
   first game starts from the clock's seed. */
DealPrediction PredictGame(uint32_t *state);

/* Sleeps until the clock enters a seed window whose first two games offer
   the swap or not as asked, plus marginMs. Answers that window's seed, or
   0 at once when none of the next hundred windows does. */
uint32_t WaitForSeedWindow(int firstSwaps, int secondSwaps, DWORD marginMs);

/* The seeds of every clock reading between two times read by the client. */
std::vector<uint32_t> SeedsBetween(const SYSTEMTIME &before, const SYSTEMTIME &after);

#endif
