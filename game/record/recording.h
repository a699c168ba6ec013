/* The recording view: every view operation realised on a model of the
   main window's controls, with a virtual clock, a queue of player actions
   and a log of one line per operation. The tests drive it in-process;
   zendaro-console (tools/console) plays scripts on it, and its terminal
   game puts the real clock and real message boxes in the slots below.

   Time. The clock counts milliseconds from the start of the run. A pump
   pass delivers what is due, then rests 1 ms; a sound played to its end
   moves the clock on by the sound's length and delivers nothing meanwhile.
   The one-second timer starts at 0 and keeps its phase: a tick falls due
   every 1000 ms, and however many fell due since the last one, the next
   pass delivers a single tick (player input first, then the tick).

   Actions. They are delivered one after another, in the order queued:
   each when its wait has passed (counted from the later of the previous
   delivery and the moment it was queued) and, for a button, at the first
   pass at which that button is enabled. Swap answers and the end of a
   trailing wait take effect as soon as they are reached, without a pass.
   Input is held during start-up and while the NEW GAME question that the
   action itself opened is being answered. An action that is due but cannot
   be delivered for 600 virtual seconds ends the run (RUN_TIMED_OUT). */
#ifndef ZENDARO_RECORD_RECORDING_H
#define ZENDARO_RECORD_RECORDING_H

#include <stddef.h>
#include <stdint.h>

#include "../view/view.h"
#include "text.h"
#include "window.h"

enum ActionKind {
    ACTION_END_OF_WAIT, /* a trailing wait: nothing to deliver but time */
    ACTION_CLICK,       /* box button `box` (1 to 22) */
    ACTION_DEAL,
    ACTION_NO_DEAL,
    ACTION_NEW_GAME, /* NEW GAME, with `yes` the answer to "START AGAIN?" */
    ACTION_SWAP,     /* from now on `yes` answers "SWAP YOUR BOX?" */
    ACTION_QUIT,     /* the window is closed: the pass takes the quit message */
    ACTION_CLOCK,    /* the UTC time at virtual 0; only before the first draw */
    ACTION_KIND_COUNT
};

/* What follows an action's verb on its script line. */
enum ActionArgument {
    ARGUMENT_NONE,
    ARGUMENT_BOX,    /* a box number, 1 to 22 */
    ARGUMENT_YES_NO, /* yes or no */
    ARGUMENT_CLOCK   /* a UTC time, YYYY-MM-DDTHH:MM:SS.mmm */
};

/* Each action kind's script line, by kind: what the echo writes and the
   script reader reads. The end of a trailing wait has a verb no script
   line can hold (the reader never finds it), since a script writes it as
   a wait alone. */
struct ActionVerb {
    const char *verb;
    int argument;
    const char *misuse; /* the reader's message for a line that misuses it */
};
extern const ActionVerb ACTION_VERBS[ACTION_KIND_COUNT];

struct PlayerAction {
    int64_t waitMs;
    int kind;
    int box;
    int yes;
    /* A click on a disabled button is lost, as a player's would be. */
    int dropIfDisabled;
    ClockTime clock;
    int line; /* script line, for messages */
};

enum { ACTION_TIMEOUT_MS = 600000, ACTION_QUEUE_CAPACITY = 4096 };

/* The lengths in ms of the ten sounds, by sound number. */
extern const int SoundLengthMs[SOUND_COUNT];

/* ---- Running ------------------------------------------------------------ */

/* Forgets everything of an earlier run: clock 0, the controls as the window
   template makes them, GameState all zero, gameSerial 0, no quit, an empty
   queue, the swap answer no, the input closed. The log sink, the echo and
   the slots are kept. */
void RecordingReset(void);

/* The UTC time the game's clock reads at virtual 0 (default: the real
   clock when the run starts). */
void RecordingSetClock(const ClockTime *atZero);

/* Appends an action; answers 0 if the queue is full. A clock action sets
   the clock at once. */
int RecordingQueue(const PlayerAction *action);
int RecordingQueuedCount(void);
/* Forgets every action not yet delivered. */
void RecordingClearQueue(void);

/* Start-up as the platform does it: the timer at 0, the home positions
   captured, the first NewGame. RecordingRun does it when not yet done. */
void RecordingStartUp(void);

enum RunResult { RUN_IDLE, RUN_QUIT, RUN_TIMED_OUT };

/* The main loop: pump passes until the quit message is taken, an action
   times out, or the queue is empty while the game waits in the main loop
   and the input is closed. */
int RecordingRun(void);

/* Open input: a player may still act whenever the queue is empty, so the
   run goes on without a time limit until the window is closed. Closed (as
   after a reset) the queue is all the input there is, as for a script. */
void RecordingSetInputOpen(int open);

/* The action that timed out and why, for the tool's message. A script that
   ends while a turn still waits (for the answer to the last offer) times
   out the same way, 600 virtual seconds after its last action. */
const char *RecordingTimeoutMessage(void);

/* ---- Reading the window and the run ------------------------------------ */

int64_t RecordingNow(void);

struct RecordingCounts {
    long long passes;
    long long ticks;
    long long plays[SOUND_COUNT];
    long long starts[SOUND_COUNT];
    long long informs;
    long long asks;
    long long unknownIds; /* operations on controls the window lacks */
    int depth;            /* pump passes now running, one inside another */
    int maxDepth;
};
const RecordingCounts *RecordingGetCounts(void);

/* Receives each log line, without its line feed. The line is formatted
   only while a sink is set. */
typedef void (*RecordingLogSink)(const char *line, void *context);
void RecordingSetLog(RecordingLogSink sink, void *context);

/* Also log each delivered action as "<ms> input <action>". */
void RecordingSetEchoInput(int on);

/* Writes an action as its script line ("click 5", "newgame yes"). */
void DescribeAction(const PlayerAction *action, char *out, size_t size);

/* ---- Slots for real time ------------------------------------------------ */

/* What a real-time front end replaces; each starts as the virtual one and
   is kept by RecordingReset.
   rest        lets ms pass from nowMs (0 at the start of a pump pass; a
               sound's length for a sound) and answers the clock then.
   messageBox  shows a Yes/No question (isQuestion 1) or an OK message and
               answers nonzero for Yes once closed, running pump passes
               meanwhile. The virtual one answers as the queue says; the
               one pass the view runs after every box stands for its loop. */
struct RecordingSlots {
    int64_t (*rest)(int64_t nowMs, int ms);
    int (*messageBox)(const char *text, const char *caption, int isQuestion);
};
extern RecordingSlots recordingSlots;
extern const RecordingSlots VIRTUAL_SLOTS;

/* The sound played to its end that is playing now (background 0), or the
   one started in the background (background 1); -1 for none. */
int RecordingSoundNow(int background);

/* Counts the changes to what a player would see (controls, lists, sounds,
   message boxes), so that a screen can redraw only after one. */
long long RecordingChangeCount(void);

#endif
