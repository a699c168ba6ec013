/* A second start in the same Wine prefix, where the first has left its
   desktop shortcut behind, shows the same board: the same window in the
   same place, to the pixel, and every control where the template puts it. */
#include <windows.h>

#include <stdio.h>

#include <string>
#include <vector>

#include "game_play.h"

namespace
{

/* The fresh board once its start sound has ended: where the window is, and
   the bytes of its picture. */
int ShowFreshBoard(Game *g, RECT *place, std::string *picture, const std::string &bmp)
{
    if (!StartGame(g, exePath.c_str())) return 0;
    WaitSoundEnded(g->dlg);
    GetWindowRect(g->dlg, place);
    CheckLayout(g->dlg);
    CheckCleanBoard(g->dlg, "at a start");
    EXPECT(DriveCaptureWindow(g->dlg, bmp.c_str()), "no picture of the board in %s", bmp.c_str());
    *picture = ReadWholeFile(bmp, NULL);
    DeleteFileA(bmp.c_str());
    return !picture->empty();
}

} // namespace

int ScenarioRestart(void)
{
    char folder[MAX_PATH];
    GetTempPathA(sizeof folder, folder);
    std::string bmp = std::string(folder) + "zendaro-restart.bmp";
    Game g;
    RECT firstPlace, secondPlace;
    std::string first, second;
    if (!ShowFreshBoard(&g, &firstPlace, &first, bmp)) return 1;
    CloseGame(&g, "after the first start");
    if (!ShowFreshBoard(&g, &secondPlace, &second, bmp)) return 1;
    CloseGame(&g, "after the second start");

    EXPECT(
        EqualRect(&firstPlace, &secondPlace),
        "the second start put the window at (%ld,%ld)-(%ld,%ld), the first at (%ld,%ld)-(%ld,%ld)",
        secondPlace.left, secondPlace.top, secondPlace.right, secondPlace.bottom, firstPlace.left,
        firstPlace.top, firstPlace.right, firstPlace.bottom);
    size_t differing = 0;
    for (size_t k = 0; k < first.size() && k < second.size(); k++)
        differing += first[k] != second[k];
    EXPECT(first == second,
           "the board's picture differs after a second start (%zu of %zu bytes, %zu then)",
           differing, second.size(), first.size());
    if (first == second)
        Log("restart: the second start showed the same %zu-byte board", first.size());
    return 0;
}
