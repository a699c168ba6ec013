#include "check.h"

#include <windows.h>

#include <stdarg.h>
#include <stdio.h>

namespace
{
int failures;
}

bool Check(bool ok, const std::string &what)
{
    printf("%s %s\n", ok ? "ok  " : "FAIL", what.c_str());
    fflush(stdout);
    if (!ok) failures++;
    return ok;
}

double ElapsedSeconds(void)
{
    static ULONGLONG first = GetTickCount64();
    return (double)(GetTickCount64() - first) / 1000.0;
}

void Note(const std::string &line)
{
    printf("%6.1f %s\n", ElapsedSeconds(), line.c_str());
    fflush(stdout);
}

std::string Format(const char *format, ...)
{
    char text[4096];
    va_list args;
    va_start(args, format);
    vsnprintf(text, sizeof text, format, args);
    va_end(args);
    return text;
}

bool Contains(const std::string &text, const std::string &part)
{
    return text.find(part) != std::string::npos;
}

int FailureCount(void)
{
    return failures;
}
