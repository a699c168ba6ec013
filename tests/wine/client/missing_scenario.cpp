/* The game played with damaged sounds and pictures. */
#include <stdio.h>
#include <string.h>

#include "game_play.h"

/* A copy of the program whose sounds and board pictures are damaged (eight
   bytes of junk each; Wine cannot delete resources): the game must still be
   played. */
int ScenarioMissing(void)
{
    std::string bare = CopyOfGame("zendaro bare");
    HANDLE update = BeginUpdateResourceA(bare.c_str(), FALSE);
    EXPECT(update, "cannot open the copy's resources");
    if (!update) return 1;
    const WORD britishEnglish = 2057;
    char junk[8] = "damaged";
    for (int n = 0; n < 10; n++)
        UpdateResourceA(update, "WAVE", MAKEINTRESOURCEA(30000 + n), britishEnglish, junk,
                        sizeof junk);
    std::vector<int> pictures = {168, 213};
    for (int k = 0; k < BOXES; k++) pictures.push_back(25000 + k);
    for (int id : pictures)
        UpdateResourceA(update, RT_BITMAP, MAKEINTRESOURCEA(id), britishEnglish, junk, sizeof junk);
    EXPECT(EndUpdateResourceA(update, FALSE), "cannot write the copy's resources");

    HMODULE copy = LoadLibraryExA(bare.c_str(), NULL, LOAD_LIBRARY_AS_DATAFILE);
    HRSRC sound = copy ? FindResourceA(copy, MAKEINTRESOURCEA(30000), "WAVE") : NULL;
    HRSRC box = copy ? FindResourceA(copy, MAKEINTRESOURCEA(168), RT_BITMAP) : NULL;
    EXPECT(sound && box && SizeofResource(copy, sound) == sizeof junk &&
               SizeofResource(copy, box) == sizeof junk,
           "the copy's sounds and pictures were not replaced");
    if (copy) FreeLibrary(copy);

    Game g;
    if (!StartGame(&g, bare.c_str())) return 1;
    Play p;
    BeginPlay(&p, &g, std::vector<uint32_t>());
    ChooseOwnBox(&p, 3);
    PlayRound(&p, 5, 0, 0);
    int b = 0;
    while (p.opened[b] || b == p.own) b++;
    EXPECT(RevealBox(&p, b) >= 0 && WaitBoxButtonsEnabled(g.dlg, 5000) &&
               DriveWaitText(g.dlg, ID_MESSAGE, OPEN_A_BOX, 3000),
           "no box opened after the first call");
    Log("damaged sounds and pictures: box chosen, six opened, the banker's call answered");
    CloseGame(&g, "with damaged sounds and pictures");
    RemoveCopyOfGame(bare);
    return 0;
}
