/* Money texts as the game writes them: Pounds("3000") is the text of
   3000 pounds in code page 1252, where the pound sign is byte 0xA3;
   PoundsUtf8 the same as the console's log and the terminal write it. */
#ifndef ZENDARO_TESTS_POUNDS_H
#define ZENDARO_TESTS_POUNDS_H

#include <string>

inline std::string Pounds(const char *figure)
{
    return std::string("\xA3") + figure;
}

inline std::string PoundsUtf8(const char *figure)
{
    return std::string("\xC2\xA3") + figure;
}

#endif
