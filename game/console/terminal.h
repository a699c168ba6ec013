/* The console game in real time on a terminal. */
#ifndef ZENDARO_CONSOLE_TERMINAL_H
#define ZENDARO_CONSOLE_TERMINAL_H

/* Plays until the player quits; answers the exit status. */
int PlayInTerminal(void);

#endif
