/* The recording view's run: the clock, the pump pass that delivers queued
   player actions and timer ticks, message boxes, sounds and the log. The
   window model and the operations on it are window.cpp's. */
#include "recording.h"

#include <stdarg.h>
#include <stdio.h>
#include <string.h>
#include <time.h>

#include "../flow/flow.h"
#include "log.h"
#include "recording_testing.h"

const int SoundLengthMs[SOUND_COUNT] = {1510, 2040, 3010, 2610, 3080, 3460, 1060, 5820, 1080, 400};

enum { TIMER_PERIOD_MS = 1000 };

struct QueuedAction {
    PlayerAction action;
    int64_t queuedAtMs;
    int force; /* delivered past a disabled button */
};

/* A delivered NEW GAME action's answer to the question it opens, kept
   until that question has been asked. */
enum { NO_NEW_GAME_ANSWER, NEW_GAME_NO, NEW_GAME_YES };

/* The run: clock, timer, quit news and the actions still to come. All zero
   is a fresh run, so that a reset cannot forget any of it. */
static struct {
    int64_t clockMs;
    int64_t nextTickDueMs;
    int64_t lastDeliveryMs;
    int64_t utcMsAtZero;
    int utcSet;
    int quitTaken;
    int startedUp;
    int inputHeld;     /* start-up, or the NEW GAME question of an action */
    int swapAnswer;    /* the answer to "SWAP YOUR BOX?" */
    int newGameAnswer; /* NO_NEW_GAME_ANSWER, NEW_GAME_NO or NEW_GAME_YES */
    int inputOpen;
    int lastPassDelivered;
    /* The sound played to its end [0] and the one in the background [1],
       each playing until untilMs. */
    struct {
        int n;
        int64_t untilMs;
    } sounds[2];
    QueuedAction queue[ACTION_QUEUE_CAPACITY];
    int queueHead, queueCount;
    RecordingCounts counts;
    char timeoutMessage[256]; /* set when the run timed out */
} run;

/* What the front end or a test set up; a reset keeps it. */
static struct {
    int echoInput;
    RecordingFeed feed;
    void *feedContext;
} settings;

static int64_t VirtualRest(int64_t nowMs, int ms)
{
    return nowMs + ms;
}

static int VirtualMessageBox(const char *text, const char *, int isQuestion)
{
    if (!isQuestion) return 0;
    if (run.newGameAnswer) return run.newGameAnswer == NEW_GAME_YES;
    return strcmp(text, ASK_SWAP) == 0 && run.swapAnswer;
}

const RecordingSlots VIRTUAL_SLOTS = {VirtualRest, VirtualMessageBox};
RecordingSlots recordingSlots = {VirtualRest, VirtualMessageBox};

/* ---- Log ---------------------------------------------------------------- */

void RecordingSetLog(RecordingLogSink sink, void *context)
{
    SetLogSink(sink, context, RecordingNow);
}

void RecordingSetEchoInput(int on)
{
    settings.echoInput = on;
}

/* ---- The clock ---------------------------------------------------------- */

void RecordingSetClock(const ClockTime *atZero)
{
    struct tm utc = {};
    utc.tm_year = (int)atZero->year - 1900;
    utc.tm_mon = (int)atZero->month - 1;
    utc.tm_mday = (int)atZero->day;
    utc.tm_hour = (int)atZero->hour;
    utc.tm_min = (int)atZero->minute;
    utc.tm_sec = (int)atZero->second;
    run.utcMsAtZero = (int64_t)timegm(&utc) * 1000 + atZero->milliseconds;
    run.utcSet = 1;
}

static void SetClockFromRealTime(void)
{
    struct timespec now;
    clock_gettime(CLOCK_REALTIME, &now);
    run.utcMsAtZero = (int64_t)now.tv_sec * 1000 + now.tv_nsec / 1000000 - run.clockMs;
    run.utcSet = 1;
}

void ViewReadClock(ClockTime *now)
{
    if (!run.utcSet) SetClockFromRealTime();
    int64_t ms = run.utcMsAtZero + run.clockMs;
    time_t seconds = (time_t)((ms >= 0 ? ms : ms - 999) / 1000);
    struct tm utc;
    gmtime_r(&seconds, &utc);
    *now = {(unsigned)utc.tm_year + 1900,
            (unsigned)utc.tm_mon + 1,
            (unsigned)utc.tm_mday,
            (unsigned)utc.tm_hour,
            (unsigned)utc.tm_min,
            (unsigned)utc.tm_sec,
            (unsigned)(ms - (int64_t)seconds * 1000)};
}

int64_t RecordingNow(void)
{
    return run.clockMs;
}

/* Lets time pass: virtual time jumps, real time is slept through. */
static void Rest(int ms)
{
    run.clockMs = recordingSlots.rest(run.clockMs, ms);
}

/* ---- The queue ---------------------------------------------------------- */

static int QueueAction(const PlayerAction *action, int force)
{
    if (action->kind == ACTION_CLOCK) {
        RecordingSetClock(&action->clock);
        return 1;
    }
    if (run.queueCount == ACTION_QUEUE_CAPACITY) return 0;
    QueuedAction *slot = &run.queue[(run.queueHead + run.queueCount) % ACTION_QUEUE_CAPACITY];
    slot->action = *action;
    slot->queuedAtMs = run.clockMs;
    slot->force = force;
    run.queueCount++;
    return 1;
}

int RecordingQueue(const PlayerAction *action)
{
    return QueueAction(action, 0);
}

int RecordingQueueForced(const PlayerAction *action)
{
    return QueueAction(action, 1);
}

int RecordingQueuedCount(void)
{
    return run.queueCount;
}

void RecordingClearQueue(void)
{
    run.queueHead = run.queueCount = 0;
}

static const QueuedAction *Head(void)
{
    return run.queueCount ? &run.queue[run.queueHead] : NULL;
}

static int64_t DueMs(const QueuedAction *q)
{
    int64_t from = q->queuedAtMs > run.lastDeliveryMs ? q->queuedAtMs : run.lastDeliveryMs;
    return from + q->action.waitMs;
}

static PlayerAction PopHead(void)
{
    PlayerAction action = run.queue[run.queueHead].action;
    run.queueHead = (run.queueHead + 1) % ACTION_QUEUE_CAPACITY;
    run.queueCount--;
    run.lastDeliveryMs = run.clockMs;
    if (settings.echoInput) {
        char text[64];
        DescribeAction(&action, text, sizeof text);
        WriteLog("input %s", text);
    }
    return action;
}

/* Whether the action presses a button that is disabled now (and is not
   forced past it). */
static int ButtonDisabled(const QueuedAction *q)
{
    const PlayerAction *a = &q->action;
    int button = a->kind == ACTION_CLICK     ? IDC_BOX_BUTTON_FIRST + a->box - 1
                 : a->kind == ACTION_DEAL    ? IDC_DEAL
                 : a->kind == ACTION_NO_DEAL ? IDC_NO_DEAL
                                             : 0;
    return button && !q->force && !RecordingEnabled(button);
}

/* Swap answers and ends of waits take effect as soon as they are due. */
static void ApplyDueSettings(void)
{
    const QueuedAction *head;
    while ((head = Head()) && DueMs(head) <= run.clockMs &&
           (head->action.kind == ACTION_SWAP || head->action.kind == ACTION_END_OF_WAIT)) {
        PlayerAction action = PopHead();
        if (action.kind == ACTION_SWAP) run.swapAnswer = action.yes;
    }
}

static void AnswerNewGame(int yes)
{
    run.newGameAnswer = yes ? NEW_GAME_YES : NEW_GAME_NO;
    OnNewGameCommand();
    run.newGameAnswer = NO_NEW_GAME_ANSWER; /* should it have asked nothing */
}

static void Deliver(const PlayerAction *action)
{
    if (action->kind == ACTION_CLICK)
        OnBoxClicked((BoxId)(action->box - 1));
    else if (action->kind == ACTION_DEAL)
        OnDeal();
    else if (action->kind == ACTION_NO_DEAL)
        OnNoDeal();
    else if (action->kind == ACTION_NEW_GAME)
        AnswerNewGame(action->yes);
    else if (action->kind == ACTION_QUIT)
        run.quitTaken = 1;
}

static void TimeOut(const PlayerAction *action)
{
    char text[64];
    DescribeAction(action, text, sizeof text);
    snprintf(run.timeoutMessage, sizeof run.timeoutMessage,
             "line %d: '%s' could not be delivered within %d virtual seconds: its button "
             "stayed disabled",
             action->line, text, ACTION_TIMEOUT_MS / 1000);
    run.quitTaken = 1; /* ends the run from however deep it is */
}

void RecordingSetFeed(RecordingFeed newFeed, void *context)
{
    settings.feed = newFeed;
    settings.feedContext = context;
}

/* The script has ended but the game waits inside a turn, which without
   input it would do for ever. */
static int WaitsForInputThatNeverComes(void)
{
    if (run.queueCount || run.inputOpen || run.counts.depth < 2) return 0;
    if (settings.feed) settings.feed(settings.feedContext);
    if (run.queueCount || run.clockMs - run.lastDeliveryMs < ACTION_TIMEOUT_MS) return 0;
    snprintf(run.timeoutMessage, sizeof run.timeoutMessage,
             "the script ended while the game still waits inside a turn (%d virtual seconds "
             "without an answer)",
             ACTION_TIMEOUT_MS / 1000);
    run.quitTaken = 1;
    return 1;
}

/* Delivers the head of the queue if it is due and its button takes it;
   answers whether the pass should look again. */
static int DeliverDueInput(void)
{
    if (run.inputHeld) return 0;
    ApplyDueSettings();
    if (WaitsForInputThatNeverComes()) return 0;
    const QueuedAction *head = Head();
    if (!head || DueMs(head) > run.clockMs) return 0;
    if (ButtonDisabled(head)) {
        if (head->action.dropIfDisabled) {
            PopHead();
            return 1;
        }
        if (run.clockMs - DueMs(head) >= ACTION_TIMEOUT_MS) TimeOut(&head->action);
        return 0;
    }
    PlayerAction action = PopHead();
    Deliver(&action);
    return 1;
}

static int DeliverDueTick(void)
{
    if (!run.startedUp || run.clockMs < run.nextTickDueMs) return 0;
    /* However many periods passed, one tick; the timer keeps its phase. */
    run.nextTickDueMs +=
        (run.clockMs - run.nextTickDueMs) / TIMER_PERIOD_MS * TIMER_PERIOD_MS + TIMER_PERIOD_MS;
    run.counts.ticks++;
    WriteLog("tick");
    OnTick();
    return 1;
}

/* ---- The pump pass and the main loop ------------------------------------ */

int PumpMessages(void)
{
    if (run.quitTaken) return 1;
    run.counts.passes++;
    if (++run.counts.depth > run.counts.maxDepth) run.counts.maxDepth = run.counts.depth;
    Rest(0);
    run.lastPassDelivered = 0;
    while (!run.quitTaken && (DeliverDueInput() || DeliverDueTick())) run.lastPassDelivered = 1;
    run.counts.depth--;
    if (run.quitTaken) return 1; /* the quit message is answered at once, without a rest */
    Rest(1);
    return 0;
}

static void KeepEarliest(int64_t *earliest, int64_t candidate)
{
    if (candidate >= run.clockMs && candidate < *earliest) *earliest = candidate;
}

/* The first moment from now at which a pass could deliver anything, or
   the present when that cannot be told (input that the random feed may
   add, or actions held back). Only time makes a quiet pass busy: what
   else changes the window runs inside a delivery. */
static int64_t NextEventMs(void)
{
    if (run.inputHeld || (!run.queueCount && (settings.feed || run.inputOpen))) return run.clockMs;
    int64_t earliest = INT64_MAX;
    if (run.startedUp) KeepEarliest(&earliest, run.nextTickDueMs);
    /* Without actions, the end of a script inside a turn; with one held by
       its button, the time-out. */
    const QueuedAction *head = Head();
    if (!head)
        KeepEarliest(&earliest, run.lastDeliveryMs + ACTION_TIMEOUT_MS);
    else if (ButtonDisabled(head) && !head->action.dropIfDisabled)
        KeepEarliest(&earliest, DueMs(head) + ACTION_TIMEOUT_MS);
    else
        KeepEarliest(&earliest, DueMs(head));
    return earliest;
}

void ViewIdle(void)
{
    if (run.quitTaken || run.lastPassDelivered) return;
    int64_t next = NextEventMs();
    if (next != INT64_MAX && next > run.clockMs) run.clockMs = next;
}

int ViewQuitTaken(void)
{
    return run.quitTaken;
}

void RecordingStartUp(void)
{
    if (run.startedUp) return;
    if (!run.utcSet) SetClockFromRealTime();
    run.startedUp = 1;
    run.nextTickDueMs = run.clockMs + TIMER_PERIOD_MS;
    run.inputHeld++; /* no player acts before the window is set up */
    GameStartUp();
    run.inputHeld--;
}

int RecordingRun(void)
{
    RecordingStartUp();
    while (!run.quitTaken && (run.inputOpen || run.queueCount > 0)) {
        if (!PumpMessages()) ViewIdle();
    }
    return run.timeoutMessage[0] ? RUN_TIMED_OUT : run.quitTaken ? RUN_QUIT : RUN_IDLE;
}

const char *RecordingTimeoutMessage(void)
{
    return run.timeoutMessage;
}

void RecordingReset(void)
{
    GameReset();
    ResetWindow();
    memset(&run, 0, sizeof run); /* the timer's phase is set at start-up */
    ResetUnknownIds();
}

void RecordingSetInputOpen(int open)
{
    run.inputOpen = open;
}

/* ---- Reading the run ---------------------------------------------------- */

const RecordingCounts *RecordingGetCounts(void)
{
    run.counts.unknownIds = UnknownIdCount();
    return &run.counts;
}

int RecordingSoundNow(int background)
{
    int i = background ? 1 : 0;
    return run.clockMs < run.sounds[i].untilMs ? run.sounds[i].n : -1;
}

/* ---- Message boxes and sounds ------------------------------------------- */

/* A message box without an owner runs its own modal loop, so the timer and
   the board live on while it is open: one pass stands for that loop. */
void ViewInform(const char *text, const char *caption)
{
    run.counts.informs++;
    WriteLog("inform %s %s", QuoteForLog(caption, 0), QuoteForLog(text, 1));
    CountChange();
    recordingSlots.messageBox(text, caption, 0);
    PumpMessages();
}

int ViewAsk(const char *text, const char *caption)
{
    run.counts.asks++;
    CountChange();
    /* The action's answer is for the first question it opens alone. */
    int ownQuestion = run.newGameAnswer && strcmp(text, ASK_START_AGAIN) == 0;
    if (!ownQuestion) run.newGameAnswer = NO_NEW_GAME_ANSWER;
    ApplyDueSettings();
    int yes = recordingSlots.messageBox(text, caption, 1);
    run.newGameAnswer = NO_NEW_GAME_ANSWER;
    WriteLog("ask %s %s %s", QuoteForLog(caption, 0), QuoteForLog(text, 1), yes ? "yes" : "no");
    /* The player is busy with the question that the action opened. */
    run.inputHeld += ownQuestion;
    PumpMessages();
    run.inputHeld -= ownQuestion;
    return yes && !run.quitTaken;
}

/* Answers 0 for a number that is no sound, which is logged and ignored. */
static int StartSound(int background, int n)
{
    WriteLog("%s %d", background ? "start" : "play", n);
    if (n < 0 || n >= SOUND_COUNT) return 0;
    (background ? run.counts.starts : run.counts.plays)[n]++;
    CountChange();
    run.sounds[background].n = n;
    run.sounds[background].untilMs = run.clockMs + SoundLengthMs[n];
    return 1;
}

void PlayGameSound(int n)
{
    if (StartSound(0, n)) Rest(SoundLengthMs[n]);
}

void PlayGameSoundAsync(int n)
{
    StartSound(1, n);
}
