/* The recording view: the view operations on the window model, the clock,
   the pump pass that delivers queued player actions and timer ticks, and
   the log. */
#include "recording.h"

#include <stdarg.h>
#include <stdio.h>
#include <string.h>
#include <time.h>

#include "../flow/flow.h"
#include "recording_testing.h"
#include "window.h"

const int SoundLengthMs[SOUND_COUNT] = {1510, 2040, 3010, 2610, 3080, 3460, 1060, 5820, 1080, 400};

enum { TIMER_PERIOD_MS = 1000, LOG_LINE_SIZE = 1024 };

struct QueuedAction {
    PlayerAction action;
    int64_t queuedAtMs;
    int force; /* delivered past a disabled button */
};

/* The run: clock, timer, quit news and the actions still to come. */
static int64_t clockMs;
static int64_t nextTickDueMs;
static int64_t lastDeliveryMs;
static int64_t utcMsAtZero;
static int utcSet;
static int quitTaken;
static int startedUp;
static int inputHeld;         /* start-up, or the NEW GAME question of an action */
static int swapAnswer;        /* the answer to "SWAP YOUR BOX?" */
static int newGameAnswer;     /* the answer the delivered NEW GAME action gives */
static int newGameAsking;     /* that action's question is still to be asked */
static int askingOwnQuestion; /* the question asked is that action's */
static int inputOpen;
static int echoInput;
static long long changeCount; /* changes a player would see */
static int lastPassDelivered;
/* The sound played to its end [0] and the one in the background [1]. */
static struct {
    int n; /* -1: none */
    int64_t untilMs;
} sounds[2];
static QueuedAction queue[ACTION_QUEUE_CAPACITY];
static int queueHead, queueCount;
static RecordingCounts counts;
static char timeoutMessage[256]; /* set when the run timed out */

static RecordingFeed feed;
static void *feedContext;
static RecordingLogSink logSink;
static void *logContext;

static int64_t VirtualRest(int64_t nowMs, int ms)
{
    return nowMs + ms;
}

static int VirtualMessageBox(const char *text, const char *, int isQuestion)
{
    if (!isQuestion) return 0;
    if (askingOwnQuestion) return newGameAnswer;
    return strcmp(text, ASK_SWAP) == 0 && swapAnswer;
}

const RecordingSlots VIRTUAL_SLOTS = {VirtualRest, VirtualMessageBox};
RecordingSlots recordingSlots = {VirtualRest, VirtualMessageBox};

/* ---- Log ---------------------------------------------------------------- */

static void Log(const char *format, ...) __attribute__((format(printf, 1, 2)));

static void Log(const char *format, ...)
{
    char line[LOG_LINE_SIZE];
    if (!logSink) return;
    int used = snprintf(line, sizeof line, "%lld ", (long long)clockMs);
    va_list args;
    va_start(args, format);
    vsnprintf(line + used, sizeof line - (size_t)used, format, args);
    va_end(args);
    logSink(line, logContext);
}

/* The quoted form of a text, only worth making while someone reads the log;
   one line may quote two (slots 0 and 1). */
static const char *Quoted(const char *text, int slot)
{
    static char quoted[2][3 * CONTROL_TEXT_SIZE];
    quoted[slot][0] = '\0';
    if (logSink) QuoteText(text, quoted[slot], sizeof quoted[slot]);
    return quoted[slot];
}

void RecordingSetLog(RecordingLogSink sink, void *context)
{
    logSink = sink;
    logContext = context;
}

void RecordingSetEchoInput(int on)
{
    echoInput = on;
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
    utcMsAtZero = (int64_t)timegm(&utc) * 1000 + atZero->milliseconds;
    utcSet = 1;
}

static void SetClockFromRealTime(void)
{
    struct timespec now;
    clock_gettime(CLOCK_REALTIME, &now);
    utcMsAtZero = (int64_t)now.tv_sec * 1000 + now.tv_nsec / 1000000 - clockMs;
    utcSet = 1;
}

void ViewReadClock(ClockTime *now)
{
    if (!utcSet) SetClockFromRealTime();
    int64_t ms = utcMsAtZero + clockMs;
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
    return clockMs;
}

/* Lets time pass: virtual time jumps, real time is slept through. */
static void Rest(int ms)
{
    clockMs = recordingSlots.rest(clockMs, ms);
}

/* ---- The queue ---------------------------------------------------------- */

static int QueueAction(const PlayerAction *action, int force)
{
    if (action->kind == ACTION_CLOCK) {
        RecordingSetClock(&action->clock);
        return 1;
    }
    if (queueCount == ACTION_QUEUE_CAPACITY) return 0;
    QueuedAction *slot = &queue[(queueHead + queueCount) % ACTION_QUEUE_CAPACITY];
    slot->action = *action;
    slot->queuedAtMs = clockMs;
    slot->force = force;
    queueCount++;
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
    return queueCount;
}

void RecordingClearQueue(void)
{
    queueHead = queueCount = 0;
}

static const QueuedAction *Head(void)
{
    return queueCount ? &queue[queueHead] : NULL;
}

static int64_t DueMs(const QueuedAction *q)
{
    int64_t from = q->queuedAtMs > lastDeliveryMs ? q->queuedAtMs : lastDeliveryMs;
    return from + q->action.waitMs;
}

static PlayerAction PopHead(void)
{
    PlayerAction action = queue[queueHead].action;
    queueHead = (queueHead + 1) % ACTION_QUEUE_CAPACITY;
    queueCount--;
    lastDeliveryMs = clockMs;
    if (echoInput) {
        char text[64];
        DescribeAction(&action, text, sizeof text);
        Log("input %s", text);
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
    while ((head = Head()) && DueMs(head) <= clockMs &&
           (head->action.kind == ACTION_SWAP || head->action.kind == ACTION_END_OF_WAIT)) {
        PlayerAction action = PopHead();
        if (action.kind == ACTION_SWAP) swapAnswer = action.yes;
    }
}

static void AnswerNewGame(int yes)
{
    newGameAnswer = yes;
    newGameAsking = 1;
    OnNewGameCommand();
    newGameAsking = 0;
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
        quitTaken = 1;
}

static void TimeOut(const PlayerAction *action)
{
    char text[64];
    DescribeAction(action, text, sizeof text);
    snprintf(timeoutMessage, sizeof timeoutMessage,
             "line %d: '%s' could not be delivered within %d virtual seconds: its button "
             "stayed disabled",
             action->line, text, ACTION_TIMEOUT_MS / 1000);
    quitTaken = 1; /* ends the run from however deep it is */
}

void RecordingSetFeed(RecordingFeed newFeed, void *context)
{
    feed = newFeed;
    feedContext = context;
}

/* The script has ended but the game waits inside a turn, which without
   input it would do for ever. */
static int WaitsForInputThatNeverComes(void)
{
    if (queueCount || inputOpen || counts.depth < 2) return 0;
    if (feed) feed(feedContext);
    if (queueCount || clockMs - lastDeliveryMs < ACTION_TIMEOUT_MS) return 0;
    snprintf(timeoutMessage, sizeof timeoutMessage,
             "the script ended while the game still waits inside a turn (%d virtual seconds "
             "without an answer)",
             ACTION_TIMEOUT_MS / 1000);
    quitTaken = 1;
    return 1;
}

/* Delivers the head of the queue if it is due and its button takes it;
   answers whether the pass should look again. */
static int DeliverDueInput(void)
{
    if (inputHeld) return 0;
    ApplyDueSettings();
    if (WaitsForInputThatNeverComes()) return 0;
    const QueuedAction *head = Head();
    if (!head || DueMs(head) > clockMs) return 0;
    if (ButtonDisabled(head)) {
        if (head->action.dropIfDisabled) {
            PopHead();
            return 1;
        }
        if (clockMs - DueMs(head) >= ACTION_TIMEOUT_MS) TimeOut(&head->action);
        return 0;
    }
    PlayerAction action = PopHead();
    Deliver(&action);
    return 1;
}

static int DeliverDueTick(void)
{
    if (!startedUp || clockMs < nextTickDueMs) return 0;
    /* However many periods passed, one tick; the timer keeps its phase. */
    nextTickDueMs +=
        (clockMs - nextTickDueMs) / TIMER_PERIOD_MS * TIMER_PERIOD_MS + TIMER_PERIOD_MS;
    counts.ticks++;
    Log("tick");
    OnTick();
    return 1;
}

/* ---- The pump pass and the main loop ------------------------------------ */

int PumpMessages(void)
{
    if (quitTaken) return 1;
    counts.passes++;
    if (++counts.depth > counts.maxDepth) counts.maxDepth = counts.depth;
    Rest(0);
    lastPassDelivered = 0;
    while (!quitTaken && (DeliverDueInput() || DeliverDueTick())) lastPassDelivered = 1;
    counts.depth--;
    if (quitTaken) return 1; /* the quit message is answered at once, without a rest */
    Rest(1);
    return 0;
}

static void KeepEarliest(int64_t *earliest, int64_t candidate)
{
    if (candidate >= clockMs && candidate < *earliest) *earliest = candidate;
}

/* The first moment from now at which a pass could deliver anything, or
   the present when that cannot be told (input that the random feed may
   add, or actions held back). Only time makes a quiet pass busy: what
   else changes the window runs inside a delivery. */
static int64_t NextEventMs(void)
{
    if (inputHeld || (!queueCount && (feed || inputOpen))) return clockMs;
    int64_t earliest = INT64_MAX;
    if (startedUp) KeepEarliest(&earliest, nextTickDueMs);
    /* Without actions, the end of a script inside a turn; with one held by
       its button, the time-out. */
    const QueuedAction *head = Head();
    if (!head)
        KeepEarliest(&earliest, lastDeliveryMs + ACTION_TIMEOUT_MS);
    else if (ButtonDisabled(head) && !head->action.dropIfDisabled)
        KeepEarliest(&earliest, DueMs(head) + ACTION_TIMEOUT_MS);
    else
        KeepEarliest(&earliest, DueMs(head));
    return earliest;
}

void ViewIdle(void)
{
    if (quitTaken || lastPassDelivered) return;
    int64_t next = NextEventMs();
    if (next != INT64_MAX && next > clockMs) clockMs = next;
}

int ViewQuitTaken(void)
{
    return quitTaken;
}

void RecordingStartUp(void)
{
    if (startedUp) return;
    if (!utcSet) SetClockFromRealTime();
    startedUp = 1;
    nextTickDueMs = clockMs + TIMER_PERIOD_MS;
    inputHeld++; /* no player acts before the window is set up */
    CaptureHomePositions();
    NewGame();
    inputHeld--;
}

int RecordingRun(void)
{
    RecordingStartUp();
    while (!quitTaken && (inputOpen || queueCount > 0)) {
        if (!PumpMessages()) ViewIdle();
    }
    return timeoutMessage[0] ? RUN_TIMED_OUT : quitTaken ? RUN_QUIT : RUN_IDLE;
}

const char *RecordingTimeoutMessage(void)
{
    return timeoutMessage;
}

void RecordingReset(void)
{
    memset(&gameState, 0, sizeof gameState);
    gameSerial = 0;
    ResetWindow();
    clockMs = lastDeliveryMs = 0; /* the timer's phase is set at start-up */
    utcSet = quitTaken = startedUp = 0;
    inputHeld = swapAnswer = newGameAnswer = newGameAsking = askingOwnQuestion = inputOpen = 0;
    sounds[0].n = sounds[1].n = -1;
    queueHead = queueCount = 0;
    memset(&counts, 0, sizeof counts);
    timeoutMessage[0] = '\0';
}

void RecordingSetInputOpen(int open)
{
    inputOpen = open;
}

/* ---- Reading the window ------------------------------------------------- */

const char *RecordingText(int id)
{
    const Control *control = FindControl(id);
    return control ? control->text : "";
}

int RecordingEnabled(int id)
{
    const Control *control = FindControl(id);
    return control ? control->enabled : 0;
}

int RecordingPosition(int id, int *x, int *y)
{
    const Control *control = FindControl(id);
    if (!control) return 0;
    *x = control->x;
    *y = control->y;
    return 1;
}

int RecordingBitmap(int id)
{
    const Control *control = FindControl(id);
    return control ? control->bitmap : 0;
}

int RecordingLineCount(int listId)
{
    const ListModel *list = FindList(listId);
    return list ? list->count : 0;
}

const char *RecordingLine(int listId, int index)
{
    const ListModel *list = FindList(listId);
    return list ? ListLine(list, index) : "";
}

const RecordingCounts *RecordingGetCounts(void)
{
    return &counts;
}

int RecordingSoundNow(int background)
{
    int i = background ? 1 : 0;
    return clockMs < sounds[i].untilMs ? sounds[i].n : -1;
}

long long RecordingChangeCount(void)
{
    return changeCount;
}

/* ---- The view operations ------------------------------------------------ */

/* The control or list an operation acts on; an id the window lacks is
   counted, as the logic should never name one. */
static Control *Target(int id)
{
    Control *control = FindControl(id);
    if (!control) counts.unknownIds++;
    changeCount++;
    return control;
}

static ListModel *TargetList(int id)
{
    ListModel *list = FindList(id);
    if (!list) counts.unknownIds++;
    changeCount++;
    return list;
}

static void SetControlText(int id, const char *text, const char *op)
{
    Log("%s %d %s", op, id, Quoted(text, 0));
    Control *control = Target(id);
    if (control) snprintf(control->text, sizeof control->text, "%s", text);
}

void ViewSetText(int id, const char *text)
{
    SetControlText(id, text, "text");
}

void ViewSetCaption(int id, const char *text)
{
    SetControlText(id, text, "caption");
}

void ViewAddLine(int listId, const char *text)
{
    Log("add %d %s", listId, Quoted(text, 0));
    ListModel *list = TargetList(listId);
    if (list) AddListLine(list, text);
}

void ViewEmptyList(int listId)
{
    Log("empty %d", listId);
    ListModel *list = TargetList(listId);
    if (list) list->count = 0;
}

void ViewEnable(int id, int on)
{
    Log("enable %d %d", id, on ? 1 : 0);
    Control *control = Target(id);
    if (control) control->enabled = on ? 1 : 0;
}

void ViewMove(int id, int x, int y)
{
    Log("move %d %d %d", id, x, y);
    Control *control = Target(id);
    if (!control) return;
    control->x = x;
    control->y = y;
}

void ViewGetPosition(int id, int *x, int *y)
{
    if (!RecordingPosition(id, x, y)) counts.unknownIds++;
}

void ViewRedraw(int id)
{
    Log("redraw %d", id);
    Target(id);
}

void ViewShowPicture(int pictureId, int bitmapId)
{
    Log("picture %d %d", pictureId, bitmapId);
    Control *control = Target(pictureId);
    if (control) control->bitmap = bitmapId;
}

void ViewFocusOffers(void)
{
    Log("focus %d", IDC_OFFER_LIST);
}

/* A message box without an owner runs its own modal loop, so the timer and
   the board live on while it is open: one pass stands for that loop. */
void ViewInform(const char *text, const char *caption)
{
    counts.informs++;
    Log("inform %s %s", Quoted(caption, 0), Quoted(text, 1));
    changeCount++;
    recordingSlots.messageBox(text, caption, 0);
    PumpMessages();
}

int ViewAsk(const char *text, const char *caption)
{
    counts.asks++;
    changeCount++;
    int ownQuestion = newGameAsking && strcmp(text, ASK_START_AGAIN) == 0;
    newGameAsking = 0;
    ApplyDueSettings();
    askingOwnQuestion = ownQuestion;
    int yes = recordingSlots.messageBox(text, caption, 1);
    askingOwnQuestion = 0;
    Log("ask %s %s %s", Quoted(caption, 0), Quoted(text, 1), yes ? "yes" : "no");
    /* The player is busy with the question that the action opened. */
    inputHeld += ownQuestion;
    PumpMessages();
    inputHeld -= ownQuestion;
    return yes && !quitTaken;
}

/* Answers 0 for a number that is no sound, which is logged and ignored. */
static int StartSound(int background, int n)
{
    Log("%s %d", background ? "start" : "play", n);
    if (n < 0 || n >= SOUND_COUNT) return 0;
    (background ? counts.starts : counts.plays)[n]++;
    changeCount++;
    sounds[background].n = n;
    sounds[background].untilMs = clockMs + SoundLengthMs[n];
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
