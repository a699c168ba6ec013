/* The main window as the recording view keeps it (window.cpp): what the
   run (recording.cpp) resets and what the tests read. Its view operations
   write to the log (log.h). */
#ifndef ZENDARO_RECORD_WINDOW_H
#define ZENDARO_RECORD_WINDOW_H

/* The window as the template creates it (resources/board.h): positions
   converted from dialog units to pixels, DEAL and NO DEAL disabled. */
void ResetWindow(void);

/* ---- Reading the window ----------------------------------------------- */

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

#endif
