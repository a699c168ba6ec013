/* The game in motion: a click on a box, the answers to the banker, and the
   one-second tick. Called by the window's command dispatch and timer (or by
   a substitute view), on the program's one thread. */
#ifndef ZENDARO_FLOW_H
#define ZENDARO_FLOW_H

#include "../model/model.h"
#include "ticks.h"

/* What every view's start-up asks of the logic once its window stands:
   the home positions captured, then the first game. */
void GameStartUp(void);

/* Forgets every game of the run: the game record all zero and no game
   begun, as at the program's start. For a view that plays one run after
   another in the same program. */
void GameReset(void);

/* A click on box button IDC_BOX_BUTTON_FIRST + b. Runs the whole turn,
   pump passes, waits and sounds included, before it returns. */
void OnBoxClicked(BoxId b);

/* A click on IDC_DEAL: bank the offer on show. */
void OnDeal(void);

/* A click on IDC_NO_DEAL: refuse the offer on show. */
void OnNoDeal(void);

/* The two questions the game asks with ViewAsk: the NEW GAME
   confirmation and the banker's offer of a swap after the last call. */
inline constexpr char ASK_START_AGAIN[] = "START AGAIN?";
inline constexpr char ASK_SWAP[] = "SWAP YOUR BOX?";

/* A click on IDC_NEW_GAME: asks ASK_START_AGAIN and on Yes starts a new
   game at once, also in the middle of a turn. */
void OnNewGameCommand(void);

/* One call of the banker: three rings, then the offer (or, after a deal,
   the figure he would have offered). */
void BankerCalls(void);

/* Exchanges the sums and captions of the own box and the other closed box. */
void SwapOwnBox(void);

#endif
