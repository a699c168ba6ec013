/* The null view: every view operation (view.h) realised as doing
   nothing, for a program or test that runs the logic alone. There is no
   window: texts, captions, lists, moves and pictures go nowhere, every
   control reads as standing at (0, 0), a pump pass delivers nothing and
   never takes the quit message, a question is answered No, and sounds are
   silent and take no time. Only the clock is real (or set). With no timer
   behind it, it runs the logic outside a turn only (the deal, NewGame,
   the banker's figure): a turn's wait for ticks would never end. */
#ifndef ZENDARO_VIEW_NULL_VIEW_H
#define ZENDARO_VIEW_NULL_VIEW_H

#include "view.h"

/* The time ViewReadClock answers from now on; without it, the real UTC
   time, to the second. */
void NullViewSetClock(const ClockTime *now);

#endif
