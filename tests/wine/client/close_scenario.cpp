/* Closing the window at every kind of moment ends the program at once. */
#include <stdio.h>
#include <string.h>

#include "game_play.h"

/* Four boxes opened, NEW GAME asked, and a fifth box clicked on the
   board while START AGAIN? is open: the banker's call then runs inside the
   box's own loop. Answers the box. */
static HWND CallInsideStartAgain(Game *g, Play *p)
{
    BeginPlay(p, g, std::vector<uint32_t>());
    ChooseOwnBox(p, 0);
    for (int b = 1; b <= 4; b++) {
        RevealBox(p, b);
        WaitBoxButtonsEnabled(g->dlg, 5000);
    }
    DriveClick(g->dlg, ID_NEW_GAME);
    HWND box = WaitMessageBox(g, "NEW GAME", 5000);
    EXPECT(box, "NEW GAME asked nothing");
    DriveClick(g->dlg, ID_BOX_BUTTON + 5);
    EXPECT(DriveWaitText(g->dlg, ID_MESSAGE, CALLING, 8000),
           "the banker did not call inside the START AGAIN? box");
    return box;
}

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
    return 0;
}

/* The two closes around a banker's call inside the START AGAIN? box, a run
   of their own beside the others: each waits out four boxes' sounds and a
   call. */
int ScenarioCloseCall(void)
{
    Game g;
    Play p;

    /* A banker's call running inside the START AGAIN? box's own loop: the
       close must end that loop as well as the call. */
    if (!StartGame(&g, exePath.c_str())) return 1;
    CallInsideStartAgain(&g, &p);
    CloseGame(&g, "during a call inside the START AGAIN? box");

    /* Enter typed into the START AGAIN? box while a call runs inside it,
       whose pump passes take the key off the queue before the box's own
       loop can: it still answers the box, with its default, Yes. */
    if (!StartGame(&g, exePath.c_str())) return 1;
    HWND box = CallInsideStartAgain(&g, &p);
    /* The player brings the box to the front, from the board where the
       box click took the keyboard, and types Enter to its Yes. The click's
       activation reaches the game only once its thread is out of the
       ring that holds it: it must not come after the box's. */
    Sleep(1500); /* over a tick */
    WaitSoundEnded(g.dlg);
    EXPECT(box && TakeKeyboard(box), "START AGAIN? is not in the foreground for typed keys");
    EXPECT(box && FocusOf(box) == GetDlgItem(box, IDYES),
           "the keyboard is not on START AGAIN?'s Yes");
    PressKey(VK_RETURN);
    EXPECT(DriveWaitFor([&] { return !IsWindow(box) || !IsWindowVisible(box); }, CallMs()),
           "Enter during the call did not answer START AGAIN?");
    EXPECT(DriveWaitText(g.dlg, ID_MESSAGE, CHOOSE, CallMs()),
           "no new game after Enter to START AGAIN?");
    CheckCleanBoard(g.dlg, "after Enter to START AGAIN?");
    CloseGame(&g, "after Enter to START AGAIN?");
    return 0;
}
