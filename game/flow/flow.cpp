#include "flow.h"

#include <stdio.h>
#include <string.h>

#include "../view/view.h"

static void ShowMessage(const char *text)
{
    ViewSetText(IDC_MESSAGE, text);
}

static void EnableBoxButtons(int on)
{
    for (int b = 0; b < BOX_COUNT; b++) ViewEnable(IDC_BOX_BUTTON_FIRST + b, on);
}

static void ShowMoney(int id, float value)
{
    char text[MONEY_TEXT_SIZE];
    ViewSetText(id, FormatMoney(value, text, sizeof text));
}

/* The sound that follows a reveal: what is good news before a deal is bad
   news after one. */
static int ReactionSound(uint32_t k, int32_t dealTaken)
{
    if (k > 17) return dealTaken ? IDW_GOOD_NEWS : IDW_BAD_NEWS;
    if (k > 14) return dealTaken ? IDW_MILD_GOOD_NEWS : IDW_MILD_BAD_NEWS;
    if (k > 8) return dealTaken ? IDW_MILD_BAD_NEWS : IDW_MILD_GOOD_NEWS;
    return dealTaken ? IDW_BAD_NEWS : IDW_GOOD_NEWS;
}

/* Long enough for any message the turn composes. */
enum { MESSAGE_TEXT_SIZE = 64 };

static void ChooseOwnBox(BoxId b)
{
    ViewMove(IDC_BOX_BUTTON_FIRST + b, MY_BOX_BUTTON_X, MY_BOX_BUTTON_Y);
    ViewMove(IDC_BOX_PICTURE_FIRST + b, MY_BOX_PICTURE_X, MY_BOX_PICTURE_Y);
    ViewRedraw(IDC_BOX_BUTTON_FIRST + b);
    gameState.boxes[b].isOwnBox = 1;
    char message[MESSAGE_TEXT_SIZE];
    snprintf(message, sizeof message, "YOU HAVE CHOSEN BOX '%d'", (int)b + 1);
    ShowMessage(message);
    gameState.ownBoxChosen = 1;
}

/* The own box is opened at the end: bank its sum unless a deal was taken,
   record the game and tell the player who beat whom. */
static void Verdict(uint32_t k)
{
    char text[MONEY_TEXT_SIZE];
    if (!gameState.dealTaken) gameState.bankAmount = AmountTable[k];
    FormatMoney(gameState.bankAmount, text, sizeof text);
    ViewSetText(IDC_BANK_VALUE, text);
    ViewAddLine(IDC_WIN_HISTORY, text);
    int playerWon = gameState.dealTaken ? gameState.bankAmount > AmountTable[k]
                                        : gameState.bankAmount > gameState.currentOffer;
    if (playerWon) {
        PlayGameSound(IDW_GOOD_NEWS);
        ViewInform("YOU VANTOREL", "CONGRATULATIONS");
    } else {
        PlayGameSound(IDW_BAD_NEWS);
        ViewInform("YOU DID NOT VANTOREL\n\nTHE BANKER WON", "UNLUCKY");
    }
}

/* Opens box b and plays what follows; answers 0 if the turn was cut short. */
static int OpenBox(BoxId b, uint32_t serial)
{
    Box *box = &gameState.boxes[b];
    uint32_t k = box->amountIndex;
    ViewMove(IDC_AMOUNT_PLATE_FIRST + k, OUT_OF_VIEW, OUT_OF_VIEW);
    ViewMove(IDC_BOX_BUTTON_FIRST + b, OUT_OF_VIEW, OUT_OF_VIEW);
    ViewShowPicture(IDC_BOX_PICTURE_FIRST + b, IDB_OPEN_BOX_FIRST + (int)k);
    ViewRedraw(IDC_BOX_PICTURE_FIRST + b);
    box->opened = 1;
    char message[MESSAGE_TEXT_SIZE];
    snprintf(message, sizeof message, "YOU HAVE REVEALED '%0.2f'", (double)AmountTable[k]);
    ShowMessage(message);
    PumpMessages();
    if (!GameGoesOn(serial)) return 0;
    gameState.busy = 1;
    PlayGameSound(IDW_REVEAL);
    if (gameState.pickCount == LAST_CALL_COUNT) {
        Verdict(k);
    } else if (gameState.pickCount == LAST_CALL_COUNT + 1) {
        ShowMessage("THANKYOU FOR PLAYING VANTOREL.  PRESS 'NEW GAME'");
        PumpMessages();
        if (!GameGoesOn(serial)) return 0;
        PlayGameSound(IDW_START_END);
    } else {
        PlayGameSound(ReactionSound(k, gameState.dealTaken));
    }
    return GameGoesOn(serial);
}

/* Three rings with waits between; answers 0 if the turn was cut short. */
static int RingThreeTimes(uint32_t serial)
{
    for (int ring = 0; ring < 3; ring++) {
        if (ring > 0) {
            WaitTicks(3);
            if (!GameGoesOn(serial)) return 0;
        }
        PlayGameSound(IDW_BANKER_CALL);
    }
    return 1;
}

void BankerCalls(void)
{
    uint32_t serial = gameSerial;
    ShowMessage(gameState.dealTaken ? "THE BANKER WANTS TO SAY HOW MUCH HE WOULD HAVE OFFERED YOU"
                                    : "THE BANKER WISHES TO MAKE A DEAL");
    if (!RingThreeTimes(serial)) return;
    PlayGameSound(IDW_CALL_END);
    WaitTicks(3);
    if (!GameGoesOn(serial)) return;
    if (!gameState.dealTaken) {
        gameState.offerPending = 1;
        ComputeOffer();
    } else {
        ComputeOffer();
        ShowMessage("BANKER WOULD'VE OFFERED YOU THE ABOVE. NOW OPEN MORE BOXES");
    }
    PumpMessages();
    if (!GameGoesOn(serial)) return;
    PlayGameSound(IDW_REVEAL);
}

void SwapOwnBox(void)
{
    int own = -1, other = -1;
    for (int b = 0; b < BOX_COUNT; b++) {
        const Box *box = &gameState.boxes[b];
        if (box->isOwnBox)
            own = b;
        else if (!box->opened)
            other = b;
    }
    if (own < 0 || other < 0) return;
    char caption[12];
    snprintf(caption, sizeof caption, "%d", other + 1);
    ViewSetCaption(IDC_BOX_BUTTON_FIRST + own, caption);
    snprintf(caption, sizeof caption, "%d", own + 1);
    ViewSetCaption(IDC_BOX_BUTTON_FIRST + other, caption);
    uint32_t ownAmount = gameState.boxes[own].amountIndex;
    gameState.boxes[own].amountIndex = gameState.boxes[other].amountIndex;
    gameState.boxes[other].amountIndex = ownAmount;
}

/* After the last call: wait for the answer to a pending offer, then one
   game in four the banker offers the swap. Answers 0 if cut short. */
static int AnswerWaitAndSwap(uint32_t serial)
{
    while (gameState.offerPending) {
        PumpMessages();
        if (!GameGoesOn(serial) || gameState.pickCount != LAST_CALL_COUNT) return 0;
        if (gameState.offerPending) ViewIdle();
    }
    if (DrawRandom(0, 3) != 0) return 1;
    ShowMessage("THE BANKER WILL ALLOW YOU TO SWAP YOUR BOX");
    if (!RingThreeTimes(serial)) return 0;
    int yes = ViewAsk(ASK_SWAP, "BANKER ASKS ...");
    if (!GameGoesOn(serial)) return 0;
    if (yes) SwapOwnBox();
    return 1;
}

static void ShowPrompt(void)
{
    if (gameState.offerPending) return;
    if (gameState.pickCount < LAST_CALL_COUNT && !gameState.dealTaken)
        ShowMessage("OPEN A BOX");
    else if (gameState.pickCount == LAST_CALL_COUNT)
        ShowMessage("OPEN YOUR BOX");
    else if (gameState.pickCount == LAST_CALL_COUNT + 1)
        ShowMessage("OPEN THE LAST BOX");
}

/* Whether a click on box b is one the game takes in its present state. */
static int ClickRefused(const Box *box)
{
    if (box->opened) return 1; /* its button is out of view, but may still be posted a click */
    if (box->isOwnBox && gameState.pickCount < LAST_CALL_COUNT) return 1;
    return gameState.pickCount == LAST_CALL_COUNT && !box->isOwnBox;
}

void OnBoxClicked(BoxId b)
{
    ViewFocusOffers();
    if (gameState.offerPending || gameState.busy || b >= BOX_COUNT) return;
    ViewSetText(IDC_OFFER_VALUE, "");
    if (ClickRefused(&gameState.boxes[b])) return;
    uint32_t serial = gameSerial;
    EnableBoxButtons(0);
    if (gameState.pickCount == 0) {
        ChooseOwnBox(b);
    } else if (!OpenBox(b, serial)) {
        return;
    }
    gameState.pickCount++;
    if (IsBankerCount(gameState.pickCount)) {
        BankerCalls();
        if (!GameGoesOn(serial)) return;
        if (gameState.pickCount == LAST_CALL_COUNT && !AnswerWaitAndSwap(serial)) return;
    }
    gameState.busy = 0;
    EnableBoxButtons(1);
    ShowPrompt();
    PumpMessages();
}

/* Both answers share their ending. */
static void FinishAnswer(const char *message)
{
    uint32_t serial = gameSerial;
    ShowMessage(message);
    PumpMessages();
    if (!GameGoesOn(serial)) return;
    ViewEnable(IDC_DEAL, 0);
    ViewEnable(IDC_NO_DEAL, 0);
    PlayGameSound(IDW_GOOD_NEWS);
}

void OnDeal(void)
{
    /* A second answer that slips in while the first one pumps is dropped. */
    if (!gameState.offerPending) return;
    ViewSetText(IDC_OFFER_VALUE, "");
    gameState.bankAmount = gameState.currentOffer;
    ShowMoney(IDC_BANK_VALUE, gameState.bankAmount);
    gameState.offerPending = 0;
    gameState.dealTaken = 1;
    FinishAnswer("DEAL! NOW CARRY ON AND OPEN THE BOXES");
}

void OnNoDeal(void)
{
    if (!gameState.offerPending) return;
    ViewSetText(IDC_OFFER_VALUE, "");
    gameState.offerPending = 0;
    FinishAnswer("NO DEAL! NOW CARRY ON AND OPEN THE BOXES");
}

void GameStartUp(void)
{
    CaptureHomePositions();
    NewGame();
}

void GameReset(void)
{
    memset(&gameState, 0, sizeof gameState);
    gameSerial = 0;
}

void OnNewGameCommand(void)
{
    if (ViewAsk(ASK_START_AGAIN, "NEW GAME")) NewGame();
}
