/* The timed wait and the work of the one-second tick, shared by every view:
   both are built on the view's pump pass. */
#include "ticks.h"

#include "../model/model.h"
#include "../view/view.h"

int WaitTicks(int n)
{
    uint32_t serial = gameSerial;
    gameState.tickCount = 0;
    if (n > 0) {
        do {
            gameState.busy = 1;
            /* A quit or a new game taken inside the pass ends the wait: no
               tick comes once the quit message is waiting, and a new game
               must not find itself busy. */
            PumpMessages();
            if (!GameGoesOn(serial)) break;
            if (gameState.tickCount < n) ViewIdle();
        } while (gameState.tickCount < n);
    }
    gameState.busy = 0;
    return ViewQuitTaken();
}

static void RemindToAnswer(void)
{
    PlayGameSoundAsync(IDW_ANSWER_PROMPT);
    ViewEnable(IDC_DEAL, 1);
    ViewEnable(IDC_NO_DEAL, 1);
    ViewSetText(IDC_MESSAGE, "PRESS THE DEAL BUTTON OR NO DEAL BUTTON");
}

void OnTick(void)
{
    uint32_t serial = gameSerial;
    gameState.tickCount++;
    gameState.heartbeatTicks++;
    if (gameState.heartbeatTicks > 3) {
        if (gameState.ownBoxChosen) PlayGameSoundAsync(IDW_AMBIENCE);
        gameState.heartbeatTicks = 0;
    }
    if (IsBankerCount(gameState.pickCount)) {
        gameState.bankerHintTicks++;
        if (gameState.bankerHintTicks > 3) {
            gameState.bankerHintTicks = 0;
            if (gameState.offerPending && !gameState.dealTaken) {
                RemindToAnswer();
                PumpMessages();
                if (!GameGoesOn(serial)) return;
            }
        }
    }
    PumpMessages();
}
