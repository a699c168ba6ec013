/* The main window as the recording view keeps it (window.cpp), and the
   part of the run (recording.cpp) that its view operations report to. */
#ifndef ZENDARO_RECORD_WINDOW_H
#define ZENDARO_RECORD_WINDOW_H

enum { CONTROL_TEXT_SIZE = 256 };

/* The window as the template creates it (resources/board.h): positions
   converted from dialog units to pixels, DEAL and NO DEAL disabled. */
void ResetWindow(void);

/* ---- From the run ------------------------------------------------------- */

/* One log line, stamped with the virtual clock, while a sink is set. */
void WriteLog(const char *format, ...) __attribute__((format(printf, 1, 2)));
/* A text in double quotes for the log; one line may quote two (slots 0
   and 1). */
const char *QuoteForLog(const char *text, int slot);
/* An operation on an id the window lacks, which the logic never names. */
void CountUnknownId(void);
/* A change that a player would see. */
void CountChange(void);

#endif
