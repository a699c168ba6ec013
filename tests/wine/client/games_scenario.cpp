/* Whole games in one run, with and without a deal and a swap. */
#include <stdio.h>
#include <string.h>

#include "game_play.h"

/* Two whole games in one run: the first without a deal, taking the swap;
   the second with a deal at the second call. The start is timed so that the
   clock's seed offers the swap in the first game and not in the second.
   The screen is read back at the start and the end of each game, and
   once a box of the third is opened. */
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
    if (FailureCount()) {
        CloseGame(&g, "after a failure");
        return 1;
    }
    ConfirmNewGame(&g);
    CheckCleanBoard(g.dlg, "second game");
    CheckPictures(g.dlg, NULL, "second game");
    std::vector<std::string> first = DriveListLines(g.dlg, ID_WIN_HISTORY);

    std::vector<uint32_t> states = p.states;
    BeginPlay(&p, &g, states);
    PlayWholeGame(&p, 16, 2, 0);
    CheckPictures(g.dlg, &p, "end of the second game");
    std::vector<std::string> both = DriveListLines(g.dlg, ID_WIN_HISTORY);
    EXPECT(both.size() == 2 && !first.empty() && both[0] == first[0],
           "win history does not keep the first game's line");
    for (const std::string &line : both) Log("win history: %s", Show(line).c_str());

    ConfirmNewGame(&g);
    CheckCleanBoard(g.dlg, "third game");
    CheckPictures(g.dlg, NULL, "third game");

    states = p.states;
    BeginPlay(&p, &g, states);
    ChooseOwnBox(&p, 4);
    RevealBox(&p, 10);
    CheckPictures(g.dlg, &p, "third game, box 11 opened");
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
