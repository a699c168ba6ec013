/* Whole games in one run, with and without a deal and a swap. */
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

/* The start is timed so that the clock's seed offers the swap. */
int ScenarioGames(void)
{
    Game g;
    /* A first start warms Wine up, so the timed start below is quick. */
    if (!StartGame(&g, exePath.c_str())) return 1;
    CloseGame(&g, "after a warm-up start");
    uint32_t seed = WaitForSeedWindow(1, 0, 30);
    captureBoard = 1;
    if (!StartGame(&g, exePath.c_str())) return 1;
    std::vector<uint32_t> seeds = SeedsBetween(g.startedAfter, g.readyBy);
    Log("start-up read the clock in one of %zu seed windows (aimed at seed %u)", seeds.size(),
        seed);

    CheckPictures(g.dlg, NULL, "first game");
    Play p;
    BeginPlay(&p, &g, seeds);
    PlayWholeGame(&p, 9, 0, 1);
    CheckPictures(g.dlg, &p, "end of the first game");
    std::vector<std::string> ended = DriveListLines(g.dlg, ID_WIN_HISTORY);
    if (FailureCount()) {
        CloseGame(&g, "after a failure");
        return 1;
    }
    ConfirmNewGame(&g);
    CheckCleanBoard(g.dlg, "second game");
    CheckPictures(g.dlg, NULL, "second game");
    CheckHistoryKept(g.dlg, ended, "the second game");
    CloseGame(&g, "after a game");
    return 0;
}

/* The start is timed so that the clock's seed does not offer the swap. */
int ScenarioGamesDeal(void)
{
    Game g;
    if (!StartGame(&g, exePath.c_str())) return 1;
    CloseGame(&g, "after a warm-up start");
    uint32_t seed = WaitForSeedWindow(0, 0, 30);
    if (!StartGame(&g, exePath.c_str())) return 1;
    std::vector<uint32_t> seeds = SeedsBetween(g.startedAfter, g.readyBy);
    Log("start-up read the clock in one of %zu seed windows (aimed at seed %u)", seeds.size(),
        seed);

    CheckPictures(g.dlg, NULL, "first game");
    Play p;
    BeginPlay(&p, &g, seeds);
    PlayWholeGame(&p, 16, 2, 0);
    CheckPictures(g.dlg, &p, "end of the game with a deal");
    std::vector<std::string> ended = DriveListLines(g.dlg, ID_WIN_HISTORY);
    if (FailureCount()) {
        CloseGame(&g, "after a failure");
        return 1;
    }
    ConfirmNewGame(&g);
    CheckCleanBoard(g.dlg, "second game");
    CheckPictures(g.dlg, NULL, "second game");
    CheckHistoryKept(g.dlg, ended, "the second game");

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
