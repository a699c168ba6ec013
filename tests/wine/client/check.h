/* Results of a test client: each failed check prints one line and is
   counted; the client's exit code comes from the count. Shared by the
   clients of every program. */
#ifndef ZENDARO_CHECK_H
#define ZENDARO_CHECK_H

#include <string>

/* Prints "ok" or "FAIL" with what was checked; a failure is counted. */
bool Check(bool ok, const std::string &what);

/* Prints a line of information (a text shown, a time) after the seconds
   since the client's first such line, so that a log shows where its time
   goes. */
void Note(const std::string &line);

/* printf into a std::string. */
std::string Format(const char *format, ...) __attribute__((format(gnu_printf, 1, 2)));

/* Whether text contains part. */
bool Contains(const std::string &text, const std::string &part);

int FailureCount(void);

#endif
