/* The null view (null_view.h). */
#include "null_view.h"

#include <time.h>

static ClockTime setClock;
static int clockSet;

void NullViewSetClock(const ClockTime *now)
{
    setClock = *now;
    clockSet = 1;
}

void ViewReadClock(ClockTime *now)
{
    if (clockSet) {
        *now = setClock;
        return;
    }
    time_t seconds = time(NULL);
    const struct tm *utc = gmtime(&seconds);
    *now = {};
    if (!utc) return;
    *now = {(unsigned)utc->tm_year + 1900,
            (unsigned)utc->tm_mon + 1,
            (unsigned)utc->tm_mday,
            (unsigned)utc->tm_hour,
            (unsigned)utc->tm_min,
            (unsigned)utc->tm_sec,
            0};
}

void ViewSetText(int, const char *) {}
void ViewSetCaption(int, const char *) {}
void ViewAddLine(int, const char *) {}
void ViewEmptyList(int) {}
void ViewEnable(int, int) {}
void ViewMove(int, int, int) {}

void ViewGetPosition(int, int *x, int *y)
{
    *x = *y = 0;
}

void ViewRedraw(int) {}
void ViewShowPicture(int, int) {}
void ViewFocusOffers(void) {}
void ViewInform(const char *, const char *) {}

int ViewAsk(const char *, const char *)
{
    return 0;
}

int PumpMessages(void)
{
    return 0;
}

void ViewIdle(void) {}

int ViewQuitTaken(void)
{
    return 0;
}

void PlayGameSound(int) {}
void PlayGameSoundAsync(int) {}
