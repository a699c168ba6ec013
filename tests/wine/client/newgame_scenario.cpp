/* NEW GAME in the middle of a turn: during the call and while an offer
   waits. */
#include <stdio.h>
#include <string.h>

#include "game_play.h"

int ScenarioNewGame(void)
{
    Game g;
    if (!StartGame(&g, exePath.c_str())) return 1;
    HWND dlg = g.dlg;
    Play p;

    /* Yes in the middle of the call: a clean game that the call never
       reaches again. */
    BeginPlay(&p, &g, std::vector<uint32_t>());
    StartFirstCall(&p);
    Sleep(1500);
    ConfirmNewGame(&g);
    CheckCleanBoard(dlg, 0, "new game during the call");
    Sleep(10000 + driveSoundMs);
    CheckCleanBoard(dlg, 0, "10 s after the interrupted call");
    Log("NEW GAME during a call: clean board, and still clean 10 s later");

    /* No in the middle of the call: the call goes on to its offer. */
    BeginPlay(&p, &g, std::vector<uint32_t>());
    StartFirstCall(&p);
    Sleep(1500);
    DriveClick(dlg, ID_NEW_GAME);
    HWND box = WaitMessageBox(&g, "NEW GAME", 5000);
    EXPECT(box && DriveAnswer(box, IDNO, 3000), "START AGAIN? not answered No");
    EXPECT(WaitListLines(dlg, ID_OFFER_LIST, 1, CallMs()), "the call did not go on after No");
    SeeOffer(&p);

    /* Yes while the offer waits, after the reminder. */
    EXPECT(WaitEnabled(dlg, ID_DEAL, 1, 8000), "no reminder");
    ConfirmNewGame(&g);
    CheckCleanBoard(dlg, 0, "new game while an offer waited");
    Sleep(5000 + driveSoundMs);
    EXPECT(!DriveEnabled(dlg, ID_DEAL), "a reminder came after the new game");
    BeginPlay(&p, &g, std::vector<uint32_t>());
    ChooseOwnBox(&p, 21);
    CloseGame(&g, "after the new games");
    return 0;
}
