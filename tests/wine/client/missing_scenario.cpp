/* The game played with damaged sounds and pictures, and started with a
   board that cannot be made. */
#include <stdio.h>
#include <string.h>

#include "game_play.h"

const WORD britishEnglish = 2057;

/* The board's dialog template, IDD_MAIN, and the code the game ends with
   when it cannot make the board (the client's own copies, as board.cpp's). */
const int BOARD_TEMPLATE = 101;
const DWORD NO_BOARD_EXIT_CODE = 1;

/* A dialog template with no controls whose window class nobody registers,
   so that making the window fails as a damaged board's would. */
std::vector<WORD> UnmakeableTemplate(void)
{
    const DWORD style = WS_POPUP | WS_CAPTION | DS_MODALFRAME;
    std::vector<WORD> words = {LOWORD(style), HIWORD(style), 0, 0, 0, 0, 0, 100, 50, 0};
    for (const char *c = "NoSuchBoardClass"; *c; c++) words.push_back((WORD)*c);
    words.push_back(0); /* the class name's end */
    words.push_back(0); /* no title */
    return words;
}

/* With no window nothing could ever end the program: it must end by
   itself at once, saying so in its exit code. */
void CheckEndWithoutBoard(void)
{
    std::string copy = CopyOfGame("zendaro no board");
    std::vector<WORD> board = UnmakeableTemplate();
    HANDLE update = BeginUpdateResourceA(copy.c_str(), FALSE);
    EXPECT(update, "cannot open the copy's resources");
    if (!update) return;
    UpdateResourceA(update, RT_DIALOG, MAKEINTRESOURCEA(BOARD_TEMPLATE), britishEnglish,
                    board.data(), (DWORD)(board.size() * sizeof board[0]));
    EXPECT(EndUpdateResourceA(update, FALSE), "cannot write the copy's resources");

    DriveProcess process;
    DWORD started = DriveNow(), code = STILL_ACTIVE;
    const DWORD limitMs = 30000;
    EXPECT(DriveStart(copy.c_str(), " ", NULL, limitMs, &process), "the copy did not start");
    int ended = DriveWaitEnd(&process, limitMs, &code);
    DWORD elapsed = DriveNow() - started;
    EXPECT(ended, "with no board the program still runs after %lu ms", elapsed);
    EXPECT(!ended || code == NO_BOARD_EXIT_CODE, "with no board the program ended with code %lu",
           code);
    if (ended)
        Log("no board: the program ended by itself with code %lu, %lu ms after its start", code,
            elapsed);
    DriveRelease(&process);
    RemoveCopyOfGame(copy);
}

/* A copy of the program whose sounds and board pictures are damaged (eight
   bytes of junk each; Wine cannot delete resources): the game must still be
   played. */
int ScenarioMissing(void)
{
    CheckEndWithoutBoard();
    std::string bare = CopyOfGame("zendaro bare");
    HANDLE update = BeginUpdateResourceA(bare.c_str(), FALSE);
    EXPECT(update, "cannot open the copy's resources");
    if (!update) return 1;
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
