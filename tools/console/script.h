/* The script language of zendaro-console (see its --help). */
#ifndef ZENDARO_CONSOLE_SCRIPT_H
#define ZENDARO_CONSOLE_SCRIPT_H

#include <stddef.h>

#include "record/recording.h"

/* Queues a whole script (lines separated by line feeds) on the recording
   view. Nothing is queued if any line is malformed: answers the number of
   the first bad line with a message in error, else 0. Clock lines must
   come before every other action, since the first draw of the generator
   reads the clock. */
int LoadScript(const char *script, char *error, size_t errorSize);

#endif
