/* The recording view's log and its counts of what the window model saw:
   below both the run (recording.cpp) and the window model (window.cpp),
   which write to it. */
#ifndef ZENDARO_RECORD_LOG_H
#define ZENDARO_RECORD_LOG_H

#include <stdint.h>

/* Receives each log line, without its line feed (RecordingLogSink). */
typedef void (*LogSink)(const char *line, void *context);

/* Where log lines go from now on (NULL: nowhere), and the clock that
   stamps each one. */
void SetLogSink(LogSink sink, void *context, int64_t (*clockMs)(void));

/* One log line, stamped with the virtual clock, while a sink is set. */
void WriteLog(const char *format, ...) __attribute__((format(printf, 1, 2)));
/* A text in double quotes for the log; one line may quote two (slots 0
   and 1). */
const char *QuoteForLog(const char *text, int slot);

/* An operation on an id the window lacks, which the logic never names;
   counted until the next reset. */
void CountUnknownId(void);
long long UnknownIdCount(void);
void ResetUnknownIds(void);

/* A change that a player would see; never reset (RecordingChangeCount). */
void CountChange(void);

#endif
