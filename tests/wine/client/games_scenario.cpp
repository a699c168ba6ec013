/* Whole games, with and without a deal and a swap, and under other code pages. */
#include <stdio.h>
#include <string.h>

#include "game_play.h"

/* The games are two runs, each in a prefix of its own, side by side: a
   whole game without a deal, taking the swap, and a whole game with a deal
   at the second call, each followed by a new game. The screen is read back
   at the start and the end of each game, and once a box of the last is
   opened. */

/* The board's win history keeps the game's line into the next game. */
static void CheckHistoryKept(HWND dlg, const std::vector<std::string> &ended, const char *when)
{
    std::vector<std::string> kept = DriveListLines(dlg, ID_WIN_HISTORY);
    EXPECT(ended.size() == 1 && kept == ended, "win history does not keep the game's line in %s",
           when);
    for (const std::string &line : kept) Log("win history: %s", Show(line).c_str());
}

/* A warm-up start, so that the timed start after it is quick, then a
   start timed so that the clock's seed offers the swap in its first game
   or not (swaps); the fresh board's pictures checked, the game begun. */
static int StartTimedGame(Game *g, Play *p, int swaps)
{
    if (!StartGame(g, exePath.c_str())) return 0;
    CloseGame(g, "after a warm-up start");
    uint32_t seed = WaitForSeedWindow(swaps, 0, 30);
    if (!StartGame(g, exePath.c_str())) return 0;
    std::vector<uint32_t> seeds = SeedsBetween(g->startedAfter, g->readyBy);
    Log("start-up read the clock in one of %zu seed windows (aimed at seed %u)", seeds.size(),
        seed);
    CheckPictures(g->dlg, NULL, "first game");
    BeginPlay(p, g, seeds);
    return 1;
}

/* The ended game's board, then a new game's: clean, with the win history
   kept. Answers 0, the game closed, after a failure. */
static int EndIntoNewGame(Game *g, const Play *p, const char *ended)
{
    CheckPictures(g->dlg, p, ended);
    std::vector<std::string> history = DriveListLines(g->dlg, ID_WIN_HISTORY);
    if (FailureCount()) {
        CloseGame(g, "after a failure");
        return 0;
    }
    ConfirmNewGame(g);
    CheckCleanBoard(g->dlg, "second game");
    CheckPictures(g->dlg, NULL, "second game");
    CheckHistoryKept(g->dlg, history, "the second game");
    return 1;
}

/* A whole game without a deal, taking the swap, into a new game. */
int ScenarioGames(void)
{
    Game g;
    Play p;
    captureBoard = 1;
    if (!StartTimedGame(&g, &p, 1)) return 1;
    PlayWholeGame(&p, 9, 0, 1);
    if (!EndIntoNewGame(&g, &p, "end of the first game")) return 1;
    CloseGame(&g, "after a game");
    return 0;
}

/* A whole game with a deal at the second call, whose seed offers no swap,
   into a new game whose first box is opened. */
int ScenarioGamesDeal(void)
{
    Game g;
    Play p;
    if (!StartTimedGame(&g, &p, 0)) return 1;
    PlayWholeGame(&p, 16, 2, 0);
    if (!EndIntoNewGame(&g, &p, "end of the game with a deal")) return 1;
    std::vector<uint32_t> states = p.states;
    BeginPlay(&p, &g, states);
    ChooseOwnBox(&p, 4);
    RevealBox(&p, 10);
    CheckPictures(g.dlg, &p, "second game, box 11 opened");
    CloseGame(&g, "after two games");
    return 0;
}

/* A whole game under a language whose ANSI code page has no pound sign at
   0xA3, as Polish (1250, where the byte is an L with a stroke) and Japanese (932, a
   half-width bracket) have not: the Unix locale the test runs the client
   and the game under sets it (tests/wine/CMakeLists.txt). The title, the
   offer, the bank, both lists and the verdict's box must read as they do
   under 1252. */
int ScenarioLanguages(void)
{
    UINT codePage = GetACP();
    EXPECT(codePage != 1252, "the ANSI code page is 1252: no other language to play in");
    Log("ANSI code page %u", codePage);
    Game g;
    if (!StartGame(&g, exePath.c_str())) return 1;
    CheckCleanBoard(g.dlg, "first game");
    Play p;
    BeginPlay(&p, &g, std::vector<uint32_t>());
    PlayWholeGame(&p, 0, 1, 0);
    CloseGame(&g, "after the game");
    return 0;
}
