/* The console game in real time on a terminal. */
#ifndef ZENDARO_CONSOLE_TERMINAL_H
#define ZENDARO_CONSOLE_TERMINAL_H

#include <string>

/* Plays until the player quits; answers the exit status. */
int PlayInTerminal(void);

/* The parts that run on any clock, for PlayInTerminal and the tests. */

/* One key the player typed: a box number and Enter, d (DEAL), n (NO DEAL),
   g (NEW GAME) or q (quit); while a message box is open, y or n to a
   question, Enter or space to a message, q to close the window. */
void TerminalKey(char c);

/* The recording view's message box slot: shows the box on the board and
   runs pump passes until the player answers it or the window closes. */
int TerminalMessageBox(const char *text, const char *caption, int isQuestion);

/* The board as the terminal draws it, escape sequences included. */
std::string TerminalScreen(void);

#endif
