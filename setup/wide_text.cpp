/* Setup's own texts are code page 1252 bytes; Windows is handed them as
   wide text, converted from 1252 whatever the machine's ANSI code page. */
#include "setup.h"

#include <string.h>

void Append1252(WCHAR *wide, size_t size, const char *text)
{
    size_t length = wcslen(wide);
    if (length + 1 >= size) return;
    /* Each 1252 byte is one wide character, so the room is counted in
       bytes as well. */
    size_t room = size - 1 - length, count = 0;
    while (count < room && text[count] != '\0') count++;
    int converted =
        count ? MultiByteToWideChar(1252, 0, text, (int)count, wide + length, (int)room) : 0;
    wide[length + (converted > 0 ? (size_t)converted : 0)] = L'\0';
}

void AppendWide(WCHAR *wide, size_t size, const WCHAR *text)
{
    size_t length = wcslen(wide);
    while (length + 1 < size && *text != L'\0') wide[length++] = *text++;
    if (length < size) wide[length] = L'\0';
}

const WCHAR *WideFrom1252(const char *text, WCHAR *wide, size_t size)
{
    if (size == 0) return wide;
    wide[0] = L'\0';
    Append1252(wide, size, text);
    return wide;
}

void ShowMessageBox(const WCHAR *text, const char *title, UINT type)
{
    WCHAR wideTitle[64];
    MessageBoxW(NULL, text, WideFrom1252(title, wideTitle, sizeof wideTitle / sizeof *wideTitle),
                type);
}

void ShowMessageBox1252(const char *text, const char *title, UINT type)
{
    WCHAR wideText[256];
    ShowMessageBox(WideFrom1252(text, wideText, sizeof wideText / sizeof *wideText), title, type);
}
