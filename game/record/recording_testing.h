/* Hooks of the recording view for the tests alone; no front end includes
   this header. */
#ifndef ZENDARO_RECORD_RECORDING_TESTING_H
#define ZENDARO_RECORD_RECORDING_TESTING_H

#include "recording.h"

/* Queues a click posted past its button: delivered even while the button
   is disabled, to prove the logic's own guards. Answers 0 if the queue is
   full. */
int RecordingQueueForced(const PlayerAction *action);

/* Called by a pump pass nested inside a turn that finds the queue empty,
   so that a test can go on acting where a script would have ended. */
typedef void (*RecordingFeed)(void *context);
void RecordingSetFeed(RecordingFeed feed, void *context);

#endif
