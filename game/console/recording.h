/* The recording view: every view operation realised on a model of the
   main window's controls, with a virtual clock, a queue of scripted player
   actions and a log of one line per operation. zendaro-console is a thin
   driver over it; the tests drive it in-process.

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
#ifndef ZENDARO_CONSOLE_RECORDING_H
#define ZENDARO_CONSOLE_RECORDING_H

#include <stddef.h>
#include <stdint.h>

#include "../view/view.h"

enum ActionKind {
    ACTION_END_OF_WAIT, /* a trailing wait: nothing to deliver but time */
    ACTION_CLICK,       /* box button `box` (1 to 22) */
    ACTION_DEAL,
    ACTION_NO_DEAL,
    ACTION_NEW_GAME, /* NEW GAME, with `yes` the answer to "START AGAIN?" */
    ACTION_SWAP,     /* from now on `yes` answers "SWAP YOUR BOX?" */
    ACTION_QUIT,     /* the window is closed: the pass takes the quit message */
    ACTION_CLOCK     /* the UTC time at virtual 0; only before the first draw */
};

struct ConsoleAction {
    int kind;
    int box;
    int yes;
    int64_t waitMs;
    /* A click posted past the button: delivered even while it is disabled,
       to prove the logic's own guards. Tests only. */
    int force;
    /* A click on a disabled button is lost, as a player's would be. */
    int dropIfDisabled;
    ClockTime clock;
    int line; /* script line, for messages */
};

enum { ACTION_TIMEOUT_MS = 600000, ACTION_QUEUE_CAPACITY = 4096 };

/* The lengths in ms of the ten sounds, by sound number. */
extern const int SoundLengthMs[SOUND_COUNT];

/* ---- Scripts ---------------------------------------------------------- */

enum { SCRIPT_LINE_ACTION, SCRIPT_LINE_WAIT, SCRIPT_LINE_BLANK, SCRIPT_LINE_ERROR };

/* Reads one script line (without its line feed). Answers SCRIPT_LINE_ACTION
   with *action filled, SCRIPT_LINE_WAIT with *waitMs, SCRIPT_LINE_BLANK for
   blank and comment lines, or SCRIPT_LINE_ERROR with a message in error. */
int ParseScriptLine(const char *line, ConsoleAction *action, int64_t *waitMs, char *error,
                    size_t errorSize);

/* Queues a whole script (lines separated by line feeds). Nothing is queued
   if any line is malformed: answers the number of the first bad line with
   a message in error, else 0. Clock lines must come before every other
   action, since the first draw of the generator reads the clock. */
int RecordingLoadScript(const char *script, char *error, size_t errorSize);

/* ---- Running ------------------------------------------------------------ */

/* Forgets everything of an earlier run: clock 0, the controls as the window
   template makes them, GameState all zero, gameSerial 0, no quit, an empty
   queue, the swap answer no. The log sink, echo, feed and host are kept. */
void RecordingReset(void);

/* The UTC time the game's clock reads at virtual 0 (default: the real
   clock when the run starts). */
void RecordingSetClock(const ClockTime *atZero);

/* Appends an action; answers 0 if the queue is full. */
int RecordingQueue(const ConsoleAction *action);
int RecordingQueueWait(int64_t ms);
int RecordingQueuedCount(void);
/* Forgets every action not yet delivered. */
void RecordingClearQueue(void);

/* Start-up as the platform does it: the timer at 0, the home positions
   captured, the first NewGame. RecordingRun does it when not yet done. */
void RecordingStartUp(void);

enum RunResult { RUN_IDLE, RUN_QUIT, RUN_TIMED_OUT };

/* The main loop: pump passes until the quit message is taken, an action
   times out, or the queue is empty while the game waits in the main loop. */
int RecordingRun(void);

/* Called by a pump pass nested inside a turn that finds the queue empty,
   so that a test can go on acting where a script would have ended. */
typedef void (*RecordingFeed)(void *context);
void RecordingSetFeed(RecordingFeed feed, void *context);

/* The action that timed out and why, for the tool's message. A script that
   ends while a turn still waits (for the answer to the last offer) times
   out the same way, 600 virtual seconds after its last action. */
const char *RecordingTimeoutMessage(void);

/* ---- Reading the window and the run ------------------------------------ */

/* A control's text or caption; "" for an id the window does not have. */
const char *RecordingText(int id);
int RecordingEnabled(int id);
/* Answers 0 if the window has no such control. */
int RecordingPosition(int id, int *x, int *y);
int RecordingBitmap(int id);
/* Lines of IDC_OFFER_LIST or IDC_WIN_HISTORY; the oldest may have been
   forgotten when a list outgrows its buffer (RecordingLine answers ""). */
int RecordingLineCount(int listId);
const char *RecordingLine(int listId, int index);
int RecordingFocus(void);
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

/* Writes a text of the game (code page 1252) in double quotes as UTF-8,
   a line feed as \n, a quote as \" and a backslash as \\. */
void QuoteText(const char *text, char *out, size_t size);

/* Writes a text of the game as UTF-8, as it is. */
void TextToUtf8(const char *text, char *out, size_t size);

/* Writes an action as its script line ("click 5", "newgame yes"). */
void DescribeAction(const ConsoleAction *action, char *out, size_t size);

/* ---- Real time ---------------------------------------------------------- */

/* What a player at a terminal needs: with a host set the clock follows
   `now`, passes and sounds really sleep, `poll` may queue what the player
   typed, and the message boxes are answered by the player while `boxPass`
   passes keep the timer going. */
struct ConsoleHost {
    int64_t (*now)(void);
    void (*sleep)(int ms);
    void (*poll)(void);
    void (*changed)(void);
    /* Answers nonzero for Yes; isQuestion 0 for an OK box. */
    int (*box)(const char *text, const char *caption, int isQuestion);
};
void RecordingSetHost(const ConsoleHost *host);

/* One pump pass from inside a host's message box. */
int RecordingBoxPass(void);

#endif
