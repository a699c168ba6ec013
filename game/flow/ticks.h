/* The timed wait and the one-second tick's work, below the turn flow:
   they ask the model and the view only. */
#ifndef ZENDARO_TICKS_H
#define ZENDARO_TICKS_H

/* The one-second timer's work: the background sound every fourth tick and
   the reminder to answer the banker, which alone enables DEAL / NO DEAL. */
void OnTick(void);

/* Waits until the one-second timer has ticked n times, running pump
   passes with busy set; clears busy at the end. Stops early when the quit
   message is taken or a new game begins. Answers nonzero if the quit
   message was taken. Built on the view's pump pass once, for every view
   (ticks.cpp). */
int WaitTicks(int n);

#endif
