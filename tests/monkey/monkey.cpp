/* A monkey on Zendaro.exe's real window: random clicks on the boxes, DEAL,
   NO DEAL and NEW GAME, random answers to message boxes, random pauses,
   and a close at a random moment.

     zendaro-monkey ZENDARO_EXE RUNS [SEED [LONGEST_RUN_SECONDS]]
     zendaro-monkey ZENDARO_EXE long SECONDS [SEED]

   Every run must end with code 0, the game must never stop answering for
   long, and the board must stay whole (Broken). The long form is one run
   with fewer NEW GAMEs, so that games reach the banker's calls. Answers 0
   when every run held, else 1. */
#include <windows.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <random>
#include <string>

#include "board.h"
#include "resources/resource.h"

namespace
{

const int MOST_OFFER_LINES = 6;
const DWORD START_TIMEOUT_MS = 30000;
/* Longer than any blocking step of the game: it sleeps 1 ms per pass, and
   a sound with a sound card (Wine 10's null sink) blocks for its length,
   two sounds in a row at most 7 s. */
const DWORD HANG_TIMEOUT_MS = 20000;
const DWORD END_TIMEOUT_MS = 10000;

std::mt19937 chance;

int Roll(int n)
{
    return (int)(chance() % (unsigned)n);
}

/* What the window shows that must always fit together. */
struct Board {
    int platesInView;
    int buttonsInView;
    int buttonsInMyBox;
    int picturesInMyBox;
    int offerLines;
};

bool operator==(const Board &a, const Board &b)
{
    return memcmp(&a, &b, sizeof a) == 0;
}

int ReadBoard(HWND dlg, Board *board)
{
    *board = Board();
    for (int k = 0; k < BOXES; k++) {
        RECT plate = DriveRect(dlg, IDC_AMOUNT_PLATE_FIRST + k);
        RECT button = DriveRect(dlg, IDC_BOX_BUTTON_FIRST + k);
        RECT picture = DriveRect(dlg, IDC_BOX_PICTURE_FIRST + k);
        board->platesInView += plate.left != OUT_OF_VIEW;
        board->buttonsInView += button.left != OUT_OF_VIEW;
        board->buttonsInMyBox += button.left == MY_BOX_BUTTON.x && button.top == MY_BOX_BUTTON.y;
        board->picturesInMyBox +=
            picture.left == MY_BOX_PICTURE.x && picture.top == MY_BOX_PICTURE.y;
    }
    DWORD_PTR lines = 0;
    if (!SendMessageTimeoutA(GetDlgItem(dlg, IDC_OFFER_LIST), LB_GETCOUNT, 0, 0, SMTO_NORMAL,
                             HANG_TIMEOUT_MS, &lines))
        return 0;
    board->offerLines = (int)lines;
    return 1;
}

/* "" when the board is whole, else what is wrong. */
std::string Broken(const Board &b)
{
    char why[200] = "";
    if (b.platesInView != b.buttonsInView)
        snprintf(why, sizeof why, "%d plates in view for %d closed boxes", b.platesInView,
                 b.buttonsInView);
    else if (b.buttonsInMyBox > 1 || b.picturesInMyBox > 1)
        snprintf(why, sizeof why, "%d buttons and %d pictures in MY BOX", b.buttonsInMyBox,
                 b.picturesInMyBox);
    else if (b.buttonsInView < BOXES && b.buttonsInView > 0 && b.picturesInMyBox != 1)
        snprintf(why, sizeof why, "boxes opened but no box in MY BOX");
    else if (b.offerLines > MOST_OFFER_LINES)
        snprintf(why, sizeof why, "%d lines in the offers list", b.offerLines);
    return why;
}

struct RunCounts {
    int actions, boxClicks, mouseClicks, answers, dealClicks, newGames, checks, retried;
    int opened, calls, gamesCleared;
    Board last;
};

bool InPlay(const Board &b)
{
    return b.buttonsInView < BOXES || b.buttonsInMyBox > 0 || b.offerLines > 0;
}

/* The work done since the last check, told from how the board changed. */
void CountWork(const Board &now, RunCounts *counts)
{
    const Board &was = counts->last;
    if (InPlay(was) && !InPlay(now))
        counts->gamesCleared++;
    else if (now.buttonsInView < was.buttonsInView)
        counts->opened += was.buttonsInView - now.buttonsInView;
    if (now.offerLines > was.offerLines) counts->calls += now.offerLines - was.offerLines;
    counts->last = now;
}

/* A turn moves a plate and then a button, and a new game puts 66 controls
   back one after another: a board read in between is not a fault. A fault
   is a board that stays wrong while it holds still. */
int CheckBoard(HWND dlg, RunCounts *counts, std::string *why)
{
    for (int attempt = 0; attempt < 10; attempt++) {
        Board first, second;
        if (!ReadBoard(dlg, &first)) {
            *why = "the offers list did not answer";
            return 0;
        }
        Sleep(30);
        if (!ReadBoard(dlg, &second)) {
            *why = "the offers list did not answer";
            return 0;
        }
        *why = Broken(second);
        if (first == second && why->empty()) {
            counts->checks++;
            CountWork(second, counts);
            return 1;
        }
        counts->retried++;
        Sleep(100);
    }
    if (why->empty()) *why = "the board never held still for 30 ms";
    return 0;
}

void AnswerAtRandom(HWND box, RunCounts *counts)
{
    static const int buttons[] = {IDYES, IDNO, IDOK};
    for (int tries = 0; tries < 3; tries++) {
        HWND control = GetDlgItem(box, buttons[Roll(3)]);
        if (control) {
            PostMessageA(control, BM_CLICK, 0, 0);
            counts->answers++;
            return;
        }
    }
}

void ClickButton(HWND dlg, int id, RunCounts *counts)
{
    HWND control = GetDlgItem(dlg, id);
    SIZE size = DriveClientSize(control);
    if (Roll(2) == 0 && DriveMouseClick(control, POINT{size.cx / 2, size.cy / 2}))
        counts->mouseClicks++;
    else
        PostMessageA(control, BM_CLICK, 0, 0);
}

/* Out of 1000 actions: how many are NEW GAME. */
int newGameShare = 70;

void RandomAction(HWND dlg, DWORD pid, RunCounts *counts)
{
    counts->actions++;
    int roll = Roll(1000);
    HWND box = DriveOtherDialog(pid, dlg);
    if (box && roll < 450) {
        AnswerAtRandom(box, counts);
    } else if (roll < 700) {
        ClickButton(dlg, IDC_BOX_BUTTON_FIRST + Roll(BOXES), counts);
        counts->boxClicks++;
    } else if (roll < 1000 - newGameShare) {
        ClickButton(dlg, Roll(2) ? IDC_DEAL : IDC_NO_DEAL, counts);
        counts->dealClicks++;
    } else {
        ClickButton(dlg, IDC_NEW_GAME, counts);
        counts->newGames++;
    }
    /* Mostly quick, as an impatient player; now and then long enough for
       a banker's call or a reminder to come round. */
    int pause = Roll(12) == 0 ? 500 + Roll(4000) : Roll(150);
    Sleep((DWORD)pause);
}

/* What a program that would not end still shows, for the report. */
void DescribeWhatIsLeft(DWORD pid, HWND dlg)
{
    Log("  the board %s; %s", IsWindow(dlg) ? "still exists" : "is gone",
        DriveResponds(dlg, 1000) ? "it answers" : "it does not answer");
    for (HWND window : DriveDialogs(pid)) {
        std::string text = DriveMessageBoxText(window);
        Log("  dialog \"%s\" saying \"%s\"", DriveTitle(window).c_str(), text.c_str());
    }
}

/* Closes the window as a player would: the close box's WM_CLOSE or the
   system menu's Close. Answers 1 when the program ended with code 0. */
int CloseAndCheckEnd(DriveProcess *process, HWND dlg, int run)
{
    HWND box = DriveOtherDialog(process->pid, dlg);
    int bySystemMenu = Roll(2);
    DWORD start = DriveNow(), code = 99;
    if (bySystemMenu)
        PostMessageA(dlg, WM_SYSCOMMAND, SC_CLOSE, 0);
    else
        PostMessageA(dlg, WM_CLOSE, 0, 0);
    int ended = DriveWaitEnd(process, END_TIMEOUT_MS, &code);
    Log("run %d: closed by %s%s: %s in %lu ms, exit code %lu", run,
        bySystemMenu ? "the system menu" : "WM_CLOSE",
        box ? (" while \"" + DriveTitle(box) + "\" (\"" + DriveMessageBoxText(box) + "\") was open")
                  .c_str()
            : "",
        ended ? "ended" : "STILL RUNNING", DriveNow() - start, code);
    if (!ended) DescribeWhatIsLeft(process->pid, dlg);
    return ended && code == 0;
}

/* Holds the first random action until the reveal of the box just opened
   has begun: posted sooner, it is taken in that turn's own message pass,
   and a NEW GAME answered yes there ends the turn before the reveal is
   heard. With a sound card the game stops answering while the reveal
   plays; without one, a moment after the box opened will do. */
void WaitForRevealToBegin(HWND dlg, int box)
{
    DWORD start = DriveNow();
    while (DriveNow() - start < HANG_TIMEOUT_MS &&
           DriveRect(dlg, IDC_BOX_BUTTON_FIRST + box).left != OUT_OF_VIEW)
        Sleep(20);
    DWORD opened = DriveNow();
    while (DriveNow() - opened < 2000 && DriveResponds(dlg, 300)) Sleep(20);
}

int PlayOneRun(const char *exe, int run, DWORD lifetimeMs)
{
    DriveProcess process;
    RunCounts counts = {};
    counts.last.buttonsInView = BOXES;
    if (!DriveStart(exe, " ", NULL, START_TIMEOUT_MS, &process)) {
        Log("run %d: FAIL: %s did not start (error %lu)", run, exe, GetLastError());
        return 0;
    }
    HWND dlg = DriveWaitDialog(process.pid, NULL, START_TIMEOUT_MS);
    int ok = dlg != NULL;
    if (!ok) Log("run %d: FAIL: no game window", run);
    /* Every run begins as a player's game does, a box chosen and another
       opened, so that the start and a reveal are the first sounds heard.
       A player clicks while the start jingle plays, when the game has
       answered nothing for a while; a click taken in the moments before
       it would open a box first. Silent, the game never stops answering,
       so 4 s at most. */
    if (ok) {
        DWORD shown = DriveNow();
        while (DriveNow() - shown < 4000 && DriveResponds(dlg, 2000)) Sleep(20);
        int own = Roll(BOXES), other = (own + 1 + Roll(BOXES - 1)) % BOXES;
        PostMessageA(GetDlgItem(dlg, IDC_BOX_BUTTON_FIRST + own), BM_CLICK, 0, 0);
        PostMessageA(GetDlgItem(dlg, IDC_BOX_BUTTON_FIRST + other), BM_CLICK, 0, 0);
        counts.boxClicks += 2;
        WaitForRevealToBegin(dlg, other);
    }
    std::string why;
    DWORD start = DriveNow(), code = 0;
    while (ok && DriveNow() - start < lifetimeMs) {
        RandomAction(dlg, process.pid, &counts);
        if (DriveWaitEnd(&process, 0, &code)) {
            Log("run %d: FAIL: the game ended by itself with code %lu", run, code);
            ok = 0;
        } else if (!DriveResponds(dlg, HANG_TIMEOUT_MS)) {
            Log("run %d: FAIL: the game did not answer for %lu ms", run, HANG_TIMEOUT_MS);
            ok = 0;
        } else if (!CheckBoard(dlg, &counts, &why)) {
            Log("run %d: FAIL after %d actions: %s", run, counts.actions, why.c_str());
            ok = 0;
        }
    }
    Log("run %d: %d actions in %lu ms (%d box clicks, %d DEAL/NO DEAL, %d NEW GAME, %d "
        "answers, %d by mouse), board whole at %d checks (%d reads retried)",
        run, counts.actions, DriveNow() - start, counts.boxClicks, counts.dealClicks,
        counts.newGames, counts.answers, counts.mouseClicks, counts.checks, counts.retried);
    Log("run %d: work seen: %d boxes opened, %d banker's calls, %d new games", run, counts.opened,
        counts.calls, counts.gamesCleared);
    if (dlg && !DriveWaitEnd(&process, 0, &code)) ok = CloseAndCheckEnd(&process, dlg, run) && ok;
    DriveRelease(&process);
    return ok;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 3) {
        fprintf(stderr, "usage: zendaro-monkey ZENDARO_EXE RUNS [SEED [LONGEST_RUN_SECONDS]]\n");
        return 2;
    }
    if (strcmp(argv[2], "long") == 0) {
        if (argc < 4) return 2;
        DWORD lifetimeMs = (DWORD)strtoul(argv[3], NULL, 10) * 1000;
        unsigned seed = argc > 4 ? (unsigned)strtoul(argv[4], NULL, 10) : (unsigned)GetTickCount();
        chance.seed(seed);
        newGameShare = 40;
        Log("monkey: one run of %lu s on %s, seed %u", lifetimeMs / 1000, argv[1], seed);
        int good = PlayOneRun(argv[1], 1, lifetimeMs);
        Log("monkey: the long run %s", good ? "ended well" : "FAILED");
        return good ? 0 : 1;
    }
    int runs = (int)strtol(argv[2], NULL, 10);
    unsigned seed = argc > 3 ? (unsigned)strtoul(argv[3], NULL, 10) : (unsigned)GetTickCount();
    DWORD longestMs = argc > 4 ? (DWORD)strtoul(argv[4], NULL, 10) * 1000 : 90000;
    chance.seed(seed);
    Log("monkey: %d runs on %s, seed %u", runs, argv[1], seed);
    int good = 0;
    for (int run = 1; run <= runs; run++) {
        /* Mostly short lives, some long enough for several banker calls. */
        DWORD lifetime = Roll(4) == 0 ? 30000 + (DWORD)Roll(60000) : 2000 + (DWORD)Roll(20000);
        good += PlayOneRun(argv[1], run, lifetime < longestMs ? lifetime : longestMs);
    }
    Log("monkey: %d of %d runs ended well", good, runs);
    return good == runs ? 0 : 1;
}
