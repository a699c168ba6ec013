/* The script language of zendaro-console: one action or wait a line. */
#include "script.h"

#include <ctype.h>
#include <stdio.h>
#include <string.h>

#include "resources/board.h"

enum { SCRIPT_LINE_ACTION, SCRIPT_LINE_WAIT, SCRIPT_LINE_BLANK, SCRIPT_LINE_ERROR };

enum { MAX_TOKENS = 4, TOKEN_SIZE = 64 };

struct Tokens {
    int count;
    char text[MAX_TOKENS][TOKEN_SIZE];
};

/* Splits a line at blanks, dropping a comment; answers 0 when a token is
   too long or there are too many to be any action. */
static int Tokenize(const char *line, Tokens *tokens)
{
    tokens->count = 0;
    const char *p = line;
    for (;;) {
        while (*p == ' ' || *p == '\t' || *p == '\r') p++;
        if (*p == '\0' || *p == '#') return 1;
        if (tokens->count == MAX_TOKENS) return 0;
        size_t length = 0;
        char *out = tokens->text[tokens->count++];
        while (*p && *p != ' ' && *p != '\t' && *p != '\r' && *p != '#') {
            if (length + 1 >= TOKEN_SIZE) return 0;
            out[length++] = *p++;
        }
        out[length] = '\0';
    }
}

static int ParseYesNo(const char *word, int *yes)
{
    *yes = strcmp(word, "yes") == 0;
    return *yes || strcmp(word, "no") == 0;
}

/* Whole digits only; answers 0 past max. */
static int ParseWhole(const char *text, long long max, long long *value)
{
    if (!isdigit((unsigned char)*text)) return 0;
    long long v = 0;
    for (; isdigit((unsigned char)*text); text++) {
        v = v * 10 + (*text - '0');
        if (v > max) return 0;
    }
    *value = v;
    return *text == '\0';
}

/* Seconds as a decimal ("2", "0.5", "1.25") to whole milliseconds,
   rounded to the nearest. */
static int ParseSeconds(const char *text, int64_t *ms)
{
    long long whole = 0, fraction = 0, scale = 1;
    char digits[TOKEN_SIZE];
    const char *point = strchr(text, '.');
    size_t wholeLength = point ? (size_t)(point - text) : strlen(text);
    if (wholeLength == 0 && !point) return 0;
    snprintf(digits, sizeof digits, "%.*s", (int)wholeLength, text);
    if (wholeLength > 0 && !ParseWhole(digits, 100000000, &whole)) return 0;
    if (point) {
        const char *p = point + 1;
        if (!isdigit((unsigned char)*p) && wholeLength == 0) return 0;
        for (; isdigit((unsigned char)*p); p++) {
            if (scale < 1000000) {
                fraction = fraction * 10 + (*p - '0');
                scale *= 10;
            }
        }
        if (*p != '\0') return 0;
    }
    *ms = whole * 1000 + (fraction * 1000 + scale / 2) / scale;
    return 1;
}

static int DaysInMonth(unsigned year, unsigned month)
{
    static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    int leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : days[month - 1];
}

/* The number written by the count digits at text[at]. */
static unsigned DigitsAt(const char *text, int at, int count)
{
    unsigned value = 0;
    for (int i = 0; i < count; i++) value = value * 10 + (unsigned)(text[at + i] - '0');
    return value;
}

static int ParseClock(const char *text, ClockTime *clock)
{
    static const char layout[] = "0000-00-00T00:00:00.000";
    if (strlen(text) != sizeof layout - 1) return 0;
    for (int i = 0; layout[i]; i++) {
        int digit = isdigit((unsigned char)text[i]);
        if (layout[i] == '0' ? !digit : text[i] != layout[i]) return 0;
    }
    *clock = {DigitsAt(text, 0, 4),  DigitsAt(text, 5, 2),  DigitsAt(text, 8, 2),
              DigitsAt(text, 11, 2), DigitsAt(text, 14, 2), DigitsAt(text, 17, 2),
              DigitsAt(text, 20, 3)};
    if (clock->year < 1 || clock->month < 1 || clock->month > 12) return 0;
    if (clock->day < 1 || (int)clock->day > DaysInMonth(clock->year, clock->month)) return 0;
    return clock->hour < 24 && clock->minute < 60 && clock->second < 60;
}

static int Fail(char *error, size_t size, const char *message)
{
    snprintf(error, size, "%s", message);
    return SCRIPT_LINE_ERROR;
}

/* The kind whose verb a script line starts with, or -1. */
static int KindOfVerb(const char *verb)
{
    for (int kind = 0; kind < ACTION_KIND_COUNT; kind++) {
        if (kind != ACTION_END_OF_WAIT && strcmp(verb, ACTION_VERBS[kind].verb) == 0) return kind;
    }
    return -1;
}

/* Reads what follows the verb; answers 0 if it is not what the verb takes. */
static int ParseArgument(const Tokens *t, int argument, PlayerAction *action)
{
    if (argument == ARGUMENT_NONE) return t->count == 1;
    if (t->count != 2) return 0;
    const char *text = t->text[1];
    if (argument == ARGUMENT_YES_NO) return ParseYesNo(text, &action->yes);
    if (argument == ARGUMENT_CLOCK) return ParseClock(text, &action->clock);
    long long box;
    if (!ParseWhole(text, 1000, &box) || box < 1 || box > BOX_COUNT) return 0;
    action->box = (int)box;
    return 1;
}

static int ParseAction(const Tokens *t, PlayerAction *action, char *error, size_t size)
{
    int kind = KindOfVerb(t->text[0]);
    if (kind < 0) {
        char message[128];
        snprintf(message, sizeof message, "unknown action '%s'", t->text[0]);
        return Fail(error, size, message);
    }
    if (!ParseArgument(t, ACTION_VERBS[kind].argument, action))
        return Fail(error, size, ACTION_VERBS[kind].misuse);
    action->kind = kind;
    return SCRIPT_LINE_ACTION;
}

/* Reads one script line (without its line feed). Answers SCRIPT_LINE_ACTION
   with *action filled, SCRIPT_LINE_WAIT with *waitMs, SCRIPT_LINE_BLANK for
   blank and comment lines, or SCRIPT_LINE_ERROR with a message in error. */
static int ParseScriptLine(const char *line, PlayerAction *action, int64_t *waitMs, char *error,
                           size_t errorSize)
{
    Tokens tokens;
    memset(action, 0, sizeof *action);
    if (!Tokenize(line, &tokens)) return Fail(error, errorSize, "line too long to be an action");
    if (tokens.count == 0) return SCRIPT_LINE_BLANK;
    if (strcmp(tokens.text[0], "wait") == 0) {
        if (tokens.count != 2 || !ParseSeconds(tokens.text[1], waitMs))
            return Fail(error, errorSize, "wait needs seconds as a decimal, such as 2 or 0.5");
        return SCRIPT_LINE_WAIT;
    }
    return ParseAction(&tokens, action, error, errorSize);
}

/* Calls back for each line of a script with its number; stops at the first
   callback that answers nonzero and answers that. */
template <typename Visit> static int ForEachLine(const char *script, Visit visit)
{
    char line[256];
    int number = 0;
    const char *p = script;
    while (*p) {
        const char *end = strchr(p, '\n');
        size_t length = end ? (size_t)(end - p) : strlen(p);
        number++;
        if (length >= sizeof line) length = sizeof line - 1; /* too long: tokenising rejects it */
        snprintf(line, sizeof line, "%.*s", (int)length, p);
        if (int stop = visit(line, number)) return stop;
        p += end ? length + 1 : length;
        if (!end) break;
    }
    return 0;
}

int LoadScript(const char *script, char *error, size_t errorSize)
{
    static PlayerAction parsed[ACTION_QUEUE_CAPACITY];
    int lines = 0, actions = 0, othersSeen = 0;
    int64_t pendingWait = 0;
    char message[160];
    int bad = ForEachLine(script, [&](const char *line, int number) {
        PlayerAction action;
        int64_t wait = 0;
        int kind = ParseScriptLine(line, &action, &wait, message, sizeof message);
        if (kind == SCRIPT_LINE_ERROR) return number;
        if (kind == SCRIPT_LINE_BLANK) return 0;
        int clock = kind == SCRIPT_LINE_ACTION && action.kind == ACTION_CLOCK;
        if (clock && othersSeen) {
            snprintf(message, sizeof message, "clock must come before every other action");
            return number;
        }
        othersSeen |= !clock;
        /* One slot stays free for a trailing wait. */
        if (++lines + RecordingQueuedCount() >= ACTION_QUEUE_CAPACITY) {
            snprintf(message, sizeof message, "script too long: at most %d lines of actions",
                     ACTION_QUEUE_CAPACITY - 1);
            return number;
        }
        pendingWait += wait;
        if (kind != SCRIPT_LINE_ACTION) return 0;
        action.waitMs = pendingWait;
        action.line = number;
        pendingWait = 0;
        parsed[actions++] = action;
        return 0;
    });
    if (bad) {
        snprintf(error, errorSize, "%s", message);
        return bad;
    }
    if (pendingWait > 0) { /* the trailing wait */
        parsed[actions] = {};
        parsed[actions].kind = ACTION_END_OF_WAIT;
        parsed[actions++].waitMs = pendingWait;
    }
    for (int i = 0; i < actions; i++) RecordingQueue(&parsed[i]);
    return 0;
}
