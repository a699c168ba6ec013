/* What the game client's scenarios share: the game started and closed,
   the board read, boxes, offers and whole games played as a player would.
   Each scenario is a file of its own (*_scenario.cpp), named in
   game_client.cpp's table. */
#ifndef ZENDARO_GAME_PLAY_H
#define ZENDARO_GAME_PLAY_H

#include <windows.h>

#include <string>
#include <vector>

#include "board.h"
#include "check.h"
#include "drive.h"

/* Checks made many times over print only their failures. */
#define EXPECT(condition, ...)                                                                     \
    do {                                                                                           \
        if (!(condition)) Check(false, Format("(line %d) ", __LINE__) + Format(__VA_ARGS__));      \
    } while (0)

void ExpectText(HWND dlg, int id, const char *expected, int line);
#define EXPECT_TEXT(dlg, id, expected) ExpectText(dlg, id, expected, __LINE__)

/* Texts of the game are code page 1252; the log is UTF-8. */
std::string Show(const std::string &text);

const char CHOOSE[] = "CHOOSE YOUR OWN BOX";
const char OPEN_A_BOX[] = "OPEN A BOX";
const char CALLING[] = "THE BANKER WISHES TO MAKE A DEAL";

/* Where the sounds take their real time, the longest run of them the game
   plays without a break: the reveal and the closing jingle, 7.3 s. */
const DWORD SOUND_ALLOWANCE_MS = 9000;
/* The wait from the banker's call to its figure. The three rings and the
   end of the call are 8.2 s of sound with short breaks, more than the
   drive's allowance covers once, so the wait counts it twice. */
inline DWORD CallMs(void)
{
    return 15000 + driveAllowanceMs;
}

extern std::string exePath;
extern std::string outputFolder;
extern int captureBoard; /* the whole-games scenario takes the board's picture */

struct Game {
    DriveProcess process;
    HWND dlg;
    SYSTEMTIME startedAfter, readyBy;
};

int StartGame(Game *g, const char *path);
/* Closes the window and checks the program ends at once with code 0. */
void CloseGame(Game *g, const char *when);
HWND WaitMessageBox(Game *g, const char *caption, DWORD timeoutMs);
int Near(const RECT &a, const RECT &b);
/* Control id's template rectangle in client pixels. */
RECT HomeRect(int id);
void CheckLayout(HWND dlg);
void CheckCleanBoard(HWND dlg, const char *when);

/* What the client has seen of the game in progress. */
struct Play {
    Game *g;
    int own;
    int opened[BOXES];
    int sumOfBox[BOXES]; /* -1 until seen */
    int openedCount;
    int dealt;
    std::vector<std::string> offers;
    /* Generator states that agree with every sum seen so far. */
    std::vector<uint32_t> states;
    std::vector<DealPrediction> predictions;
    int predicting; /* whether the start-up's seeds were known */
};

void BeginPlay(Play *p, Game *g, const std::vector<uint32_t> &states);
int WaitBoxButtonsEnabled(HWND dlg, DWORD timeoutMs);
int WaitListLines(HWND dlg, int id, size_t lines, DWORD timeoutMs);
/* Chooses box b as the own box: posted, or with the real mouse, whose
   click on the box's picture beside its number must first do nothing. */
void ChooseOwnBox(Play *p, int b, bool withMouse = false);
int RevealBox(Play *p, int b);
void PlayRound(Play *p, int boxesToOpen, int dealNow, int lastRound);
/* Plays a whole game: the deal (if any) at call dealAtCall (1 to 6). */
void PlayWholeGame(Play *p, int firstBox, int dealAtCall, int swapYes);
void ConfirmNewGame(Game *g);
/* Waits until the game answers again, once the sound it plays has ended. */
void WaitSoundEnded(HWND dlg);
/* Opens boxes up to the first call and waits until the banker rings. */
void StartFirstCall(Play *p);
/* What the screen shows (screen.cpp): every box picture the closed box, or
   for a box p saw opened its opened picture; every plate in view its own;
   the message, offer and bank their colours. p NULL: a fresh board. */
void CheckPictures(HWND dlg, const Play *p, const char *when);
/* The keyboard (layout_scenario.cpp): a key typed, the window with the
   focus in dlg's thread, and dlg brought to the foreground (answers 0 if
   it could not be). */
void PressKey(WORD key);
HWND FocusOf(HWND dlg);
int TakeKeyboard(HWND dlg);
/* A copy of the program as folder\Zendaro.exe in the temporary folder,
   and its removal with the folder. */
std::string CopyOfGame(const char *folder);
void RemoveCopyOfGame(const std::string &copy);

#endif
