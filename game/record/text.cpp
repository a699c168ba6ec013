/* The texts of the log: the game's code page 1252 texts as UTF-8, quoted,
   and an action as its script line. */
#include <stdio.h>
#include <string.h>

#include "recording.h"
#include "text.h"

/* Code page 1252 from 0x80 to 0x9F; the five holes map to the C1 controls,
   as the platform maps them. */
static const unsigned short cp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

struct Writer {
    char *out;
    size_t size, used;
};

static void Put(Writer *w, const char *bytes, size_t n)
{
    /* Never split a character: what does not fit whole is left out. */
    if (w->used + n >= w->size) {
        w->used = w->size; /* full */
        return;
    }
    memcpy(w->out + w->used, bytes, n);
    w->used += n;
    w->out[w->used] = '\0';
}

/* One to three bytes of UTF-8, written from the end: the last byte holds
   the low six bits, or the whole character below 0x80. */
static void PutCodePoint(Writer *w, unsigned c)
{
    char bytes[3] = {(char)(0xE0 | (c >> 12)), (char)(0x80 | ((c >> 6) & 0x3F)),
                     (char)(c < 0x80 ? c : 0x80 | (c & 0x3F))};
    if (c >= 0x80 && c < 0x800) bytes[1] = (char)(0xC0 | (c >> 6));
    size_t n = c < 0x80 ? 1 : c < 0x800 ? 2 : 3;
    Put(w, bytes + 3 - n, n);
}

/* Writes a text as UTF-8; quoted, it goes in double quotes with a line
   feed as \n, a quote as \", a backslash as \\ and other control
   characters as \xHH. */
static void WriteText(const char *text, char *out, size_t size, int quoted)
{
    if (size == 0) return;
    Writer w = {out, size, 0};
    out[0] = '\0';
    if (quoted) Put(&w, "\"", 1);
    for (const unsigned char *p = (const unsigned char *)text; *p; p++) {
        if (quoted && *p == '\n')
            Put(&w, "\\n", 2);
        else if (quoted && *p == '"')
            Put(&w, "\\\"", 2);
        else if (quoted && *p == '\\')
            Put(&w, "\\\\", 2);
        else if (quoted && *p < 0x20) {
            char escaped[8];
            int length = snprintf(escaped, sizeof escaped, "\\x%02X", *p);
            Put(&w, escaped, (size_t)length);
        } else if (*p >= 0x80 && *p < 0xA0)
            PutCodePoint(&w, cp1252High[*p - 0x80]);
        else
            PutCodePoint(&w, *p);
    }
    if (quoted) Put(&w, "\"", 1);
}

void QuoteText(const char *text, char *out, size_t size)
{
    WriteText(text, out, size, 1);
}

void TextToUtf8(const char *text, char *out, size_t size)
{
    WriteText(text, out, size, 0);
}

const ActionVerb ACTION_VERBS[ACTION_KIND_COUNT] = {
    {"end of wait", ARGUMENT_NONE, ""},
    {"click", ARGUMENT_BOX, "click needs one box number from 1 to 22"},
    {"deal", ARGUMENT_NONE, "deal and nodeal take nothing after them"},
    {"nodeal", ARGUMENT_NONE, "deal and nodeal take nothing after them"},
    {"newgame", ARGUMENT_YES_NO, "newgame and swap need yes or no"},
    {"swap", ARGUMENT_YES_NO, "newgame and swap need yes or no"},
    {"quit", ARGUMENT_NONE, "quit takes nothing after it"},
    {"clock", ARGUMENT_CLOCK, "clock needs a UTC time as YYYY-MM-DDTHH:MM:SS.mmm"},
};

void DescribeAction(const PlayerAction *action, char *out, size_t size)
{
    int kind = action->kind >= 0 && action->kind < ACTION_KIND_COUNT ? action->kind : 0;
    const char *verb = ACTION_VERBS[kind].verb;
    int argument = ACTION_VERBS[kind].argument;
    const ClockTime *c = &action->clock;
    if (argument == ARGUMENT_BOX)
        snprintf(out, size, "%s %d", verb, action->box);
    else if (argument == ARGUMENT_YES_NO)
        snprintf(out, size, "%s %s", verb, action->yes ? "yes" : "no");
    else if (argument == ARGUMENT_CLOCK)
        snprintf(out, size, "%s %04u-%02u-%02uT%02u:%02u:%02u.%03u", verb, c->year, c->month,
                 c->day, c->hour, c->minute, c->second, c->milliseconds);
    else
        snprintf(out, size, "%s", verb);
}
