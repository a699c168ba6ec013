/* The data of a game: the 22 sums, the boxes, the one global game record,
   the clock-seeded random generator, the deal and the reset that starts a
   game; and the banker's figure with the money text. */
#ifndef ZENDARO_MODEL_H
#define ZENDARO_MODEL_H

#include <stddef.h>
#include <stdint.h>

#include "../resources/board.h"

/* Marks a box whose sum is not dealt yet; stands only inside DealAmounts. */
enum { NOT_DEALT = 100 };

/* A box's index, 0 to 21; the player sees BoxId + 1. */
typedef uint32_t BoxId;

/* The 22 sums in pounds, ascending; index k also names plate
   IDC_AMOUNT_PLATE_FIRST + k and picture IDB_OPEN_BOX_FIRST + k. */
extern const float AmountTable[AMOUNT_COUNT];

struct Box {
    int32_t pictureX, pictureY; /* home of the box's picture */
    int32_t buttonX, buttonY;   /* home of its number button */
    int32_t plateX, plateY;     /* home of plate IDC_AMOUNT_PLATE_FIRST + BoxId */
    int32_t opened;
    int32_t isOwnBox;
    uint32_t amountIndex;
};

struct GameState {
    Box boxes[BOX_COUNT];
    int32_t pickCount; /* box clicks handled in this game, 0 to 23 */
    int32_t offerPending;
    int32_t dealTaken;
    float currentOffer;
    float bankAmount;
    int32_t ownBoxChosen;
    int32_t busy;
    int32_t tickCount;
    int32_t bankerHintTicks;
    int32_t heartbeatTicks;
    uint32_t rngState;
    int32_t rngSeeded;
};

extern GameState gameState;

/* pickCount once only the own box and one other are closed: the banker's
   last call. */
enum { LAST_CALL_COUNT = 21 };

/* Whether pickCount has the value at which the banker calls. */
int IsBankerCount(int32_t pickCount);

/* Counts the games begun in this run. A turn that finds it changed after a
   nested pump pass knows NEW GAME was confirmed inside it and stops. */
extern uint32_t gameSerial;

/* Whether game `serial` is still in progress (no quit, no NEW GAME since):
   asked after every step that may run other game code, which stops if not. */
int GameGoesOn(uint32_t serial);

/* The game's one source of chance: a 32-bit LCG seeded from the UTC clock
   by its first draw. Answers lo to hi, or hi + 1 for the few states at the
   top of the generator's range. */
uint32_t DrawRandom(uint32_t lo, uint32_t hi);

/* The seed the clock gives: t from the date and time, divided by the year. */
uint32_t SeedFromClock(unsigned year, unsigned month, unsigned day, unsigned hour, unsigned minute,
                       unsigned second, unsigned milliseconds);

/* Deals the sums to the boxes by rejection sampling; answers the number of
   draws it took. */
unsigned DealAmounts(void);

/* Records the home position of every box's picture, button and plate from
   the window as it stands. Run once by GameStartUp, before the first game. */
void CaptureHomePositions(void);

/* Starts a game: every box home and closed, the sums dealt afresh,
   "CHOOSE YOUR OWN BOX", then the start jingle. */
void NewGame(void);

/* The banker's figure from the sums still in play: stored in currentOffer,
   shown in IDC_OFFER_VALUE and appended to IDC_OFFER_LIST. */
void ComputeOffer(void);

/* The offer as ComputeOffer figures it, without showing it anywhere. */
float OfferForUnopenedBoxes(void);

/* Writes the money text of a sum ("£0.50", "£57", "£12300"; the pound
   sign is byte 0xA3) into out, cut to size. Answers out. */
const char *FormatMoney(float value, char *out, size_t size);

/* Money texts never need more than this. */
enum { MONEY_TEXT_SIZE = 32 };

#endif
