#include "model.h"

#include <stdio.h>
#include <string.h>

#include "../view/view.h"

const float AmountTable[AMOUNT_COUNT] = {
    0.01f,    0.10f,    0.50f,    1.0f,     5.0f,      10.0f,     50.0f,    100.0f,
    250.0f,   500.0f,   750.0f,   1000.0f,  3000.0f,   5000.0f,   10000.0f, 15000.0f,
    20000.0f, 35000.0f, 50000.0f, 75000.0f, 100000.0f, 250000.0f,
};

GameState gameState;
static const int32_t bankerCounts[] = {6, 9, 12, 15, 18, LAST_CALL_COUNT};

int IsBankerCount(int32_t pickCount)
{
    for (int32_t count : bankerCounts) {
        if (pickCount == count) return 1;
    }
    return 0;
}

uint32_t gameSerial;

int GameGoesOn(uint32_t serial)
{
    return !ViewQuitTaken() && serial == gameSerial;
}

uint32_t SeedFromClock(unsigned year, unsigned month, unsigned day, unsigned hour, unsigned minute,
                       unsigned second, unsigned milliseconds)
{
    /* Unsigned arithmetic wraps modulo 2^32; the result is then read as a
       signed number and divided with truncation toward zero. */
    uint32_t t =
        ((((day + 12u * month) * 32u + hour) * 60u + minute) * 60u + second) * 1000u + milliseconds;
    int32_t signedT = (int32_t)t;
    int32_t quotient = signedT / (int32_t)year;
    return (uint32_t)quotient;
}

uint32_t DrawRandom(uint32_t lo, uint32_t hi)
{
    uint32_t s = gameState.rngState;
    if (!gameState.rngSeeded) {
        gameState.rngSeeded = 1;
        ClockTime now;
        ViewReadClock(&now);
        s = SeedFromClock(now.year, now.month, now.day, now.hour, now.minute, now.second,
                          now.milliseconds);
    }
    s = s * 12345u + 38289u;
    gameState.rngState = s;
    uint32_t bucket = 4294967295u / (hi - lo + 1u);
    return lo + s / bucket;
}

static int AmountAlreadyDealt(uint32_t v)
{
    for (int b = 0; b < BOX_COUNT; b++) {
        if (gameState.boxes[b].amountIndex == v) return 1;
    }
    return 0;
}

unsigned DealAmounts(void)
{
    unsigned draws = 0;
    for (int b = 0; b < BOX_COUNT; b++) gameState.boxes[b].amountIndex = NOT_DEALT;
    for (int b = 0; b < BOX_COUNT; b++) {
        uint32_t v;
        /* The top four generator states give 22, one past the table: such a
           draw counts as a sum already dealt and is drawn again. */
        do {
            v = DrawRandom(0, AMOUNT_COUNT - 1);
            draws++;
        } while (v >= AMOUNT_COUNT || AmountAlreadyDealt(v));
        gameState.boxes[b].amountIndex = v;
    }
    return draws;
}

void CaptureHomePositions(void)
{
    for (int i = 0; i < BOX_COUNT; i++) {
        Box *box = &gameState.boxes[i];
        memset(box, 0, sizeof *box);
        ViewGetPosition(IDC_BOX_PICTURE_FIRST + i, &box->pictureX, &box->pictureY);
        ViewGetPosition(IDC_BOX_BUTTON_FIRST + i, &box->buttonX, &box->buttonY);
        ViewGetPosition(IDC_AMOUNT_PLATE_FIRST + i, &box->plateX, &box->plateY);
    }
}

static void PutBoxHome(int k)
{
    Box *box = &gameState.boxes[k];
    char number[12];
    box->opened = 0;
    box->isOwnBox = 0;
    ViewMove(IDC_AMOUNT_PLATE_FIRST + k, box->plateX, box->plateY);
    ViewMove(IDC_BOX_BUTTON_FIRST + k, box->buttonX, box->buttonY);
    snprintf(number, sizeof number, "%d", k + 1);
    ViewSetCaption(IDC_BOX_BUTTON_FIRST + k, number);
    /* A turn cut short by this new game may have left the buttons
       disabled; the new game takes clicks at once. */
    ViewEnable(IDC_BOX_BUTTON_FIRST + k, 1);
    ViewRedraw(IDC_BOX_BUTTON_FIRST + k);
    ViewMove(IDC_BOX_PICTURE_FIRST + k, box->pictureX, box->pictureY);
    ViewShowPicture(IDC_BOX_PICTURE_FIRST + k, IDB_CLOSED_BOX);
}

void NewGame(void)
{
    uint32_t serial = ++gameSerial;
    gameState.pickCount = 0;
    ViewSetText(IDC_MESSAGE, "");
    (void)DrawRandom(0, 1000); /* seeds the generator on the first game */
    DealAmounts();
    for (int k = 0; k < BOX_COUNT; k++) PutBoxHome(k);
    ViewSetText(IDC_OFFER_VALUE, "\xA3");
    ViewSetText(IDC_BANK_VALUE, "\xA3"
                                "0.00");
    ViewEmptyList(IDC_OFFER_LIST);
    ViewEnable(IDC_DEAL, 0);
    ViewEnable(IDC_NO_DEAL, 0);
    gameState.offerPending = 0;
    gameState.dealTaken = 0;
    gameState.ownBoxChosen = 0;
    gameState.busy = 0;
    gameState.tickCount = 0;
    gameState.bankerHintTicks = 0;
    gameState.heartbeatTicks = 0;
    gameState.bankAmount = 0.0f;
    ViewSetText(IDC_MESSAGE, "CHOOSE YOUR OWN BOX");
    PumpMessages();
    /* Another NEW GAME or the quit taken by that pass has the last word. */
    if (!GameGoesOn(serial)) return;
    PlayGameSound(IDW_START_END);
}
