#include "board.h"

#include <string.h>

#include <algorithm>

/* The title, the sums and the layout are written here again on purpose:
   the client judges the running program from outside, so it keeps its own
   copy of the board as an oracle instead of game/resources/board.h, which
   the program itself is built from. */
const char GAME_TITLE[] = "ZENDARO - UK - \xA3"
                          "250,000 JACKPOT";

const double SUMS[BOXES] = {0.01,  0.10,  0.50,  1,     5,      10,    50,    100,
                            250,   500,   750,   1000,  3000,   5000,  10000, 15000,
                            20000, 35000, 50000, 75000, 100000, 250000};

namespace
{

/* Box n's picture and number button, in dialog units, from box 1. */
const int boxPicture[BOXES][2] = {
    {9, 301},  {9, 260},   {9, 219},   {9, 178},   {9, 137},   {9, 96},   {9, 55},  {13, 8},
    {77, 8},   {136, 8},   {195, 8},   {255, 8},   {315, 8},   {374, 8},  {438, 8}, {444, 54},
    {444, 95}, {444, 136}, {444, 177}, {444, 218}, {444, 259}, {444, 300}};
const int boxButton[BOXES][2] = {
    {21, 313},  {21, 272},  {22, 231},  {22, 190},  {22, 149},  {22, 108}, {22, 67},  {26, 21},
    {90, 20},   {148, 20},  {208, 20},  {268, 20},  {328, 20},  {386, 21}, {450, 21}, {458, 67},
    {457, 108}, {457, 149}, {457, 190}, {458, 231}, {457, 272}, {458, 313}};

const TemplateControl otherControls[] = {
    {-1, "Static", NULL, 205, 68, 98, 57}, /* the banker: the one unnamed bitmap */
    {-1, "Static", "BANKERS OFFER", 205, 57, 98, 11},
    {1008, "Static", "", 205, 125, 98, 16},
    {1003, "Button", "DEAL", 205, 143, 48, 14},
    {1039, "Button", "NO DEAL", 255, 143, 48, 14},
    {1040, "Button", "NEW GAME", 184, 202, 48, 13},
    {1042, "Button", "MORE GAMES", 234, 202, 56, 13},
    {1004, "ListBox", NULL, 331, 257, 108, 56},
    {1012, "Static", "BANKERS OFFERS", 332, 248, 108, 10},
    {1014, "Static", "BANK", 182, 218, 54, 17},
    {1009, "Static", NULL, 236, 218, 91, 17},
    {1006, "ListBox", NULL, 67, 258, 108, 56},
    {1013, "Static", "WIN HISTORY", 67, 248, 108, 10},
    {1007, "Edit", NULL, 184, 160, 141, 38},
    {-1, "Static", "------------------------- MY BOX -------------------------", 183, 249, 141, 8},
    {-1, "Button", "", 183, 258, 141, 55},
    {1043, "Button", "HELP", 292, 202, 34, 13},
};

struct UnnamedSearch {
    const char *className;
    const char *text;
    HWND found;
};

BOOL CALLBACK MatchUnnamed(HWND child, LPARAM context)
{
    UnnamedSearch *search = (UnnamedSearch *)context;
    if ((int)GetWindowLongPtrA(child, GWLP_ID) != -1 &&
        (GetWindowLongPtrA(child, GWLP_ID) & 0xFFFF) != 0xFFFF)
        return TRUE;
    char className[64];
    GetClassNameA(child, className, sizeof className);
    if (lstrcmpiA(className, search->className) != 0) return TRUE;
    if (search->text) {
        char text[256];
        text[0] = '\0';
        SendMessageTimeoutA(child, WM_GETTEXT, sizeof text, (LPARAM)text, SMTO_NORMAL, 2000, NULL);
        if (strcmp(text, search->text) != 0) return TRUE;
    } else if ((GetWindowLongPtrA(child, GWL_STYLE) & SS_TYPEMASK) != SS_BITMAP) {
        return TRUE;
    }
    search->found = child;
    return FALSE;
}

uint32_t Step(uint32_t *state, uint32_t lo, uint32_t hi)
{
    *state = *state * 12345u + 38289u;
    return lo + *state / (4294967295u / (hi - lo + 1u));
}

uint32_t TimeCode(const SYSTEMTIME &utc)
{
    return ((((utc.wDay + 12u * utc.wMonth) * 32u + utc.wHour) * 60u + utc.wMinute) * 60u +
            utc.wSecond) *
               1000u +
           utc.wMilliseconds;
}

uint32_t SeedFromCode(uint32_t code, unsigned year)
{
    return (uint32_t)((int32_t)code / (int32_t)year);
}

uint32_t SeedFromTime(const SYSTEMTIME &utc)
{
    return SeedFromCode(TimeCode(utc), utc.wYear);
}

} // namespace

std::vector<TemplateControl> TemplateControls(void)
{
    std::vector<TemplateControl> controls;
    for (int k = 0; k < BOXES; k++) {
        int column = k <= 10 ? 76 : 348, row = k <= 10 ? k : k - 11;
        controls.push_back({ID_PLATE + k, "Static", NULL, column, 59 + 16 * row, 85, 14});
    }
    for (int b = 0; b < BOXES; b++) {
        controls.push_back(
            {ID_BOX_PICTURE + b, "Static", NULL, boxPicture[b][0], boxPicture[b][1], 57, 41});
    }
    static char numbers[BOXES][4];
    for (int b = 0; b < BOXES; b++) {
        snprintf(numbers[b], sizeof numbers[b], "%d", b + 1);
        controls.push_back(
            {ID_BOX_BUTTON + b, "Button", numbers[b], boxButton[b][0], boxButton[b][1], 27, 18});
    }
    for (const TemplateControl &control : otherControls) controls.push_back(control);
    return controls;
}

int baseUnitX = 6, baseUnitY = 13;

int MeasureBaseUnits(HWND dlg)
{
    RECT client = {0, 0, 0, 0};
    GetClientRect(dlg, &client);
    baseUnitX = MulDiv(client.right, 4, 510);
    baseUnitY = MulDiv(client.bottom, 8, 353);
    return client.right == MulDiv(510, baseUnitX, 4) && client.bottom == MulDiv(353, baseUnitY, 8);
}

RECT DialogUnitsToPixels(int x, int y, int w, int h)
{
    RECT r;
    r.left = MulDiv(x, baseUnitX, 4);
    r.top = MulDiv(y, baseUnitY, 8);
    r.right = r.left + MulDiv(w, baseUnitX, 4);
    r.bottom = r.top + MulDiv(h, baseUnitY, 8);
    return r;
}

POINT ScaledPoint(POINT board)
{
    return POINT{MulDiv(board.x, baseUnitX, 6), MulDiv(board.y, baseUnitY, 13)};
}

HWND FindUnnamedControl(HWND dlg, const char *className, const char *text)
{
    UnnamedSearch search = {className, text, NULL};
    EnumChildWindows(dlg, MatchUnnamed, (LPARAM)&search);
    return search.found;
}

DealPrediction PredictGame(uint32_t *state)
{
    DealPrediction p;
    Step(state, 0, 1000);
    int dealt[BOXES + 1] = {0};
    for (int b = 0; b < BOXES; b++) {
        uint32_t v;
        do {
            v = Step(state, 0, BOXES - 1);
        } while (v >= BOXES || dealt[v]);
        dealt[v] = 1;
        p.sumOfBox[b] = (int)v;
    }
    p.swapOffered = Step(state, 0, 3) == 0;
    return p;
}

namespace
{

int SeedDealsWanted(uint32_t seed, int firstSwaps, int secondSwaps)
{
    uint32_t state = seed;
    if (PredictGame(&state).swapOffered != firstSwaps) return 0;
    return PredictGame(&state).swapOffered == secondSwaps;
}

} // namespace

uint32_t WaitForSeedWindow(int firstSwaps, int secondSwaps, DWORD marginMs)
{
    SYSTEMTIME now;
    GetSystemTime(&now);
    uint32_t code = TimeCode(now), seed = SeedFromCode(code, now.wYear);
    /* The first millisecond of the next window, then the windows after it,
       until one deals the wanted games (about one window in five). */
    uint32_t wait = 1;
    while (SeedFromCode(code + wait, now.wYear) == seed) wait++;
    for (int window = 0; window < 100; window++) {
        uint32_t next = SeedFromCode(code + wait, now.wYear);
        if (SeedDealsWanted(next, firstSwaps, secondSwaps)) {
            Sleep(wait + marginMs);
            return next;
        }
        while (SeedFromCode(code + wait, now.wYear) == next) wait++;
    }
    return 0;
}

std::vector<uint32_t> SeedsBetween(const SYSTEMTIME &before, const SYSTEMTIME &after)
{
    FILETIME a, b;
    SystemTimeToFileTime(&before, &a);
    SystemTimeToFileTime(&after, &b);
    ULARGE_INTEGER ua = {{a.dwLowDateTime, a.dwHighDateTime}};
    ULARGE_INTEGER ub = {{b.dwLowDateTime, b.dwHighDateTime}};
    std::vector<uint32_t> seeds;
    for (ULONGLONG t = ua.QuadPart;; t += 1000000ull) { /* every 100 ms */
        if (t > ub.QuadPart) t = ub.QuadPart;
        ULARGE_INTEGER u;
        u.QuadPart = t;
        FILETIME f = {u.LowPart, u.HighPart};
        SYSTEMTIME s;
        FileTimeToSystemTime(&f, &s);
        uint32_t seed = SeedFromTime(s);
        if (std::find(seeds.begin(), seeds.end(), seed) == seeds.end()) seeds.push_back(seed);
        if (t == ub.QuadPart) break;
    }
    return seeds;
}
