/* The recording view's log (log.h). */
#include "log.h"

#include <stdarg.h>
#include <stdio.h>

#include "text.h"

enum { LOG_LINE_SIZE = 1024 };

static struct {
    LogSink sink;
    void *context;
    int64_t (*clockMs)(void);
} logOutput;

/* Never reset: a screen redraws when it differs from the count it drew. */
static long long changeCount;
static long long unknownIds;

void SetLogSink(LogSink sink, void *context, int64_t (*clockMs)(void))
{
    logOutput.sink = sink;
    logOutput.context = context;
    logOutput.clockMs = clockMs;
}

void WriteLog(const char *format, ...)
{
    char line[LOG_LINE_SIZE];
    if (!logOutput.sink) return;
    int used = snprintf(line, sizeof line, "%lld ", (long long)logOutput.clockMs());
    va_list args;
    va_start(args, format);
    vsnprintf(line + used, sizeof line - (size_t)used, format, args);
    va_end(args);
    logOutput.sink(line, logOutput.context);
}

/* Quoting is only worth it while someone reads the log. */
const char *QuoteForLog(const char *text, int slot)
{
    static char quoted[2][3 * CONTROL_TEXT_SIZE];
    quoted[slot][0] = '\0';
    if (logOutput.sink) QuoteText(text, quoted[slot], sizeof quoted[slot]);
    return quoted[slot];
}

void CountUnknownId(void)
{
    unknownIds++;
}

long long UnknownIdCount(void)
{
    return unknownIds;
}

void ResetUnknownIds(void)
{
    unknownIds = 0;
}

void CountChange(void)
{
    changeCount++;
}

long long RecordingChangeCount(void)
{
    return changeCount;
}
