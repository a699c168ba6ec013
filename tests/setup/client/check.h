/* Results of the setup test client: each check prints one line, and the
   client's exit code is the number of failed checks. */
#ifndef ZENDARO_SETUP_CHECK_H
#define ZENDARO_SETUP_CHECK_H

#include <string>

/* Prints "ok" or "FAIL" with what was checked; a failure is counted. */
bool Check(bool ok, const std::string &what);

/* Prints an indented line of information (a text shown, a time). */
void Note(const std::string &line);

/* printf into a std::string. */
std::string Format(const char *format, ...) __attribute__((format(gnu_printf, 1, 2)));

/* Whether text contains part. */
bool Contains(const std::string &text, const std::string &part);

int FailureCount(void);

#endif
