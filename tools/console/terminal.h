/* The console game in real time on a terminal. */
#ifndef ZENDARO_CONSOLE_TERMINAL_H
#define ZENDARO_CONSOLE_TERMINAL_H

#include <string>

/* Plays until the player quits; answers the exit status. */
int PlayInTerminal(void);

/* The parts that run on any clock, for PlayInTerminal and the tests: one
   key the player typed (a box number and Enter, d, n, g, q; y, n, Enter or
   space in a box), the message box slot, and the board as drawn. */
void TerminalKey(char c);
int TerminalMessageBox(const char *text, const char *caption, int isQuestion);
std::string TerminalScreen(void);

#endif
