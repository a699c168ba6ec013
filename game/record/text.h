/* The game's texts as the recording view writes them out. */
#ifndef ZENDARO_RECORD_TEXT_H
#define ZENDARO_RECORD_TEXT_H

#include <stddef.h>

/* The longest text a control of the window model holds, its zero
   included. */
enum { CONTROL_TEXT_SIZE = 256 };

/* Writes a text of the game (code page 1252) in double quotes as UTF-8,
   a line feed as \n, a quote as \" and a backslash as \\. */
void QuoteText(const char *text, char *out, size_t size);

/* Writes a text of the game as UTF-8, as it is. */
void TextToUtf8(const char *text, char *out, size_t size);

#endif
