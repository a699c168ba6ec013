/* Closing the window at every kind of moment ends the program at once. */
#include <stdio.h>
#include <string.h>

#include "game_play.h"

int ScenarioClose(void)
{
    Game g;
    Play p;

    if (!StartGame(&g, exePath.c_str())) return 1;
    BeginPlay(&p, &g, std::vector<uint32_t>());
    StartFirstCall(&p);
    Sleep(1200);
    CloseGame(&g, "during the banker's wait");

    if (!StartGame(&g, exePath.c_str())) return 1;
    DriveClick(g.dlg, ID_NEW_GAME);
    EXPECT(WaitMessageBox(&g, "NEW GAME", 5000), "NEW GAME asked nothing");
    CloseGame(&g, "while START AGAIN? was open");

    if (!StartGame(&g, exePath.c_str())) return 1;
    BeginPlay(&p, &g, std::vector<uint32_t>());
    StartFirstCall(&p);
    EXPECT(WaitListLines(g.dlg, ID_OFFER_LIST, 1, CallMs()), "no offer");
    CloseGame(&g, "while an offer waited");

    /* A banker's call running inside the START AGAIN? box's own loop: the
       close must end that loop as well as the call. */
    if (!StartGame(&g, exePath.c_str())) return 1;
    BeginPlay(&p, &g, std::vector<uint32_t>());
    ChooseOwnBox(&p, 0);
    for (int b = 1; b <= 4; b++) {
        RevealBox(&p, b);
        WaitBoxButtonsEnabled(g.dlg, 5000);
    }
    DriveClick(g.dlg, ID_NEW_GAME);
    EXPECT(WaitMessageBox(&g, "NEW GAME", 5000), "NEW GAME asked nothing");
    DriveClick(g.dlg, ID_BOX_BUTTON + 5);
    EXPECT(DriveWaitText(g.dlg, ID_MESSAGE, CALLING, 8000),
           "the banker did not call inside the START AGAIN? box");
    CloseGame(&g, "during a call inside the START AGAIN? box");
    return 0;
}
