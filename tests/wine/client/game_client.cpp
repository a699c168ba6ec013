/* Plays Zendaro.exe through its real window, as a player would, and checks
   what the board shows at every step.

     zendaro-client SCENARIO ZENDARO_EXE [OUTPUT_FOLDER]

   Scenarios: layout, games, newgame, close, shortcut, missing. Answers 0 when every
   check held, 1 when one failed, 2 on bad arguments. */
#include <windows.h>

#include <objbase.h>
#include <shlobj.h>
#include <stdarg.h>
#include <stdio.h>
#include <string.h>
#include <tlhelp32.h>

#include <algorithm>
#include <string>
#include <vector>

#include "board.h"
#include "check.h"
#include "drive.h"

namespace
{

/* Texts of the game are code page 1252; the log is UTF-8. */
std::string Show(const std::string &text)
{
    std::string out;
    for (unsigned char c : text) {
        if (c == 0xA3)
            out += "\xC2\xA3";
        else if (c == '\n')
            out += "\\n";
        else
            out += (char)c;
    }
    return out;
}

/* Checks made many times over print only their failures. */
#define EXPECT(condition, ...)                                                                     \
    do {                                                                                           \
        if (!(condition)) Check(false, Format("(line %d) ", __LINE__) + Format(__VA_ARGS__));      \
    } while (0)

void ExpectText(HWND dlg, int id, const char *expected, int line)
{
    std::string text = DriveText(dlg, id);
    if (text != expected)
        Check(false, Format("(line %d) control %d shows \"%s\", expected \"%s\"", line, id,
                            Show(text).c_str(), Show(expected).c_str()));
}
#define EXPECT_TEXT(dlg, id, expected) ExpectText(dlg, id, expected, __LINE__)

const char CHOOSE[] = "CHOOSE YOUR OWN BOX";
const char OPEN_A_BOX[] = "OPEN A BOX";
const char OPEN_YOUR_BOX[] = "OPEN YOUR BOX";
const char OPEN_LAST[] = "OPEN THE LAST BOX";
const char REMINDER[] = "PRESS THE DEAL BUTTON OR NO DEAL BUTTON";
const char CALLING[] = "THE BANKER WISHES TO MAKE A DEAL";
const char CALLING_AFTER_DEAL[] = "THE BANKER WANTS TO SAY HOW MUCH HE WOULD HAVE OFFERED YOU";
const char WOULD_HAVE[] = "BANKER WOULD'VE OFFERED YOU THE ABOVE. NOW OPEN MORE BOXES";
const char SWAP_OFFERED[] = "THE BANKER WILL ALLOW YOU TO SWAP YOUR BOX";
const char GAME_OVER[] = "THANKYOU FOR PLAYING VANTOREL.  PRESS 'NEW GAME'";
const char POUND[] = "\xA3";
const char NO_POUNDS[] = "\xA3"
                         "0.00";

/* The player's own box after its choice, in client pixels (the client's
   oracle, like board.cpp's layout). */
const POINT ownPicture = {339, 431}, ownButton = {359, 452};

std::string exePath;
std::string outputFolder;
int captureBoard; /* the whole-games scenario takes the board's picture */

struct Game {
    DriveProcess process;
    HWND dlg;
    SYSTEMTIME startedAfter, readyBy;
};

int StartGame(Game *g, const char *path)
{
    memset(g, 0, sizeof *g);
    GetSystemTime(&g->startedAfter);
    if (!DriveStart(path, " ", NULL, 20000, &g->process)) {
        EXPECT(0, "Zendaro.exe did not start (error %lu)", GetLastError());
        return 0;
    }
    g->dlg = DriveWaitDialog(g->process.pid, GAME_TITLE, 30000);
    EXPECT(g->dlg, "no window titled \"%s\"", Show(GAME_TITLE).c_str());
    if (!g->dlg) return 0;
    int ready = DriveWaitText(g->dlg, ID_MESSAGE, CHOOSE, 10000);
    GetSystemTime(&g->readyBy);
    EXPECT(ready, "the first game did not start");
    return ready;
}

/* Closes the window and checks the program ends at once with code 0. */
void CloseGame(Game *g, const char *when)
{
    if (!g->process.process) return;
    DWORD code = 99, elapsed = 0;
    int ended = DriveClose(&g->process, g->dlg, 5000, &code, &elapsed);
    EXPECT(ended, "closed %s, the program still runs after 5 s", when);
    if (ended) {
        Log("closed %s: ended in %lu ms with code %lu", when, elapsed, code);
        EXPECT(code == 0, "closed %s, exit code %lu", when, code);
        EXPECT(elapsed <= 2000, "closed %s, took %lu ms to end", when, elapsed);
    }
    DriveRelease(&g->process);
}

/* A dialog of the game other than its main window, or NULL. */
HWND MessageBoxOf(Game *g)
{
    for (HWND window : DriveDialogs(g->process.pid)) {
        if (window != g->dlg) return window;
    }
    return NULL;
}

HWND WaitMessageBox(Game *g, const char *caption, DWORD timeoutMs)
{
    DWORD start = DriveNow();
    while (DriveNow() - start < timeoutMs) {
        HWND box = MessageBoxOf(g);
        if (box && DriveTitle(box) == caption) return box;
        Sleep(20);
    }
    return NULL;
}

int IsOut(HWND dlg, int id)
{
    RECT r = DriveRect(dlg, id);
    return r.left == OUT_OF_VIEW && r.top == OUT_OF_VIEW;
}

int IsAt(HWND dlg, int id, POINT p)
{
    RECT r = DriveRect(dlg, id);
    return r.left == p.x && r.top == p.y;
}

int Near(const RECT &a, const RECT &b)
{
    return abs(a.left - b.left) <= 1 && abs(a.top - b.top) <= 1 &&
           abs((a.right - a.left) - (b.right - b.left)) <= 1 &&
           abs((a.bottom - a.top) - (b.bottom - b.top)) <= 1;
}

/* Control id's template rectangle in client pixels. */
RECT HomeRect(int id)
{
    for (const TemplateControl &c : TemplateControls()) {
        if (c.id == id) return DialogUnitsToPixels(c.x, c.y, c.w, c.h);
    }
    RECT none = {0, 0, 0, 0};
    return none;
}

/* ---- the board at rest ---- */

void CheckLayout(HWND dlg)
{
    int checked = 0;
    for (const TemplateControl &c : TemplateControls()) {
        HWND control =
            c.id == -1 ? FindUnnamedControl(dlg, c.className, c.text) : GetDlgItem(dlg, c.id);
        if (!control) {
            EXPECT(0, "no control %d \"%s\"", c.id, c.text ? c.text : "");
            continue;
        }
        char className[64];
        GetClassNameA(control, className, sizeof className);
        EXPECT(lstrcmpiA(className, c.className) == 0, "control %d is a %s, not a %s", c.id,
               className, c.className);
        RECT r;
        GetWindowRect(control, &r);
        MapWindowPoints(NULL, dlg, (POINT *)&r, 2);
        RECT want = DialogUnitsToPixels(c.x, c.y, c.w, c.h);
        EXPECT(Near(r, want), "control %d \"%s\" at %ld,%ld %ldx%ld, template says %ld,%ld %ldx%ld",
               c.id, c.text ? c.text : "", r.left, r.top, r.right - r.left, r.bottom - r.top,
               want.left, want.top, want.right - want.left, want.bottom - want.top);
        if (c.text && c.id != -1 && c.id != ID_OFFER_VALUE) EXPECT_TEXT(dlg, c.id, c.text);
        checked++;
    }
    Log("layout: %d controls within 1 pixel of the template at 6 x 13 base units", checked);
}

/* The board as NewGame leaves it; history is the number of finished games. */
void CheckCleanBoard(HWND dlg, size_t history, const char *when)
{
    int misplaced = 0;
    for (int b = 0; b < BOXES; b++) {
        RECT want, r;
        for (int id : {ID_PLATE + b, ID_BOX_PICTURE + b, ID_BOX_BUTTON + b}) {
            want = HomeRect(id);
            r = DriveRect(dlg, id);
            if (!Near(r, want)) {
                misplaced++;
                Log("%s: control %d at %ld,%ld, home %ld,%ld", when, id, r.left, r.top, want.left,
                    want.top);
            }
        }
        char number[4];
        snprintf(number, sizeof number, "%d", b + 1);
        EXPECT_TEXT(dlg, ID_BOX_BUTTON + b, number);
        EXPECT(DriveEnabled(dlg, ID_BOX_BUTTON + b), "%s: box %d disabled", when, b + 1);
    }
    EXPECT(misplaced == 0, "%s: %d plates, pictures or buttons away from home", when, misplaced);
    EXPECT_TEXT(dlg, ID_MESSAGE, CHOOSE);
    EXPECT_TEXT(dlg, ID_OFFER_VALUE, POUND);
    EXPECT_TEXT(dlg, ID_BANK_VALUE, NO_POUNDS);
    EXPECT(!DriveEnabled(dlg, ID_DEAL) && !DriveEnabled(dlg, ID_NO_DEAL),
           "%s: DEAL or NO DEAL enabled", when);
    EXPECT(DriveListLines(dlg, ID_OFFER_LIST).empty(), "%s: offers list not empty", when);
    EXPECT(DriveListLines(dlg, ID_WIN_HISTORY).size() == history,
           "%s: win history has %zu lines, expected %zu", when,
           DriveListLines(dlg, ID_WIN_HISTORY).size(), history);
}

/* ---- playing ---- */

/* What the client has seen of the game in progress. */
struct Play {
    Game *g;
    int own;
    int opened[BOXES];
    int sumOfBox[BOXES]; /* -1 until seen */
    int openedCount;
    int dealt;
    std::string bankText;
    std::vector<std::string> offers;
    /* Generator states that agree with every sum seen so far. */
    std::vector<uint32_t> states;
    std::vector<DealPrediction> predictions;
    int predicting; /* whether the start-up's seeds were known */
};

void BeginPlay(Play *p, Game *g, const std::vector<uint32_t> &states)
{
    p->g = g;
    p->own = -1;
    p->openedCount = 0;
    p->dealt = 0;
    p->bankText = NO_POUNDS;
    p->offers.clear();
    for (int b = 0; b < BOXES; b++) {
        p->opened[b] = 0;
        p->sumOfBox[b] = -1;
    }
    p->states = states;
    p->predicting = !states.empty();
    p->predictions.clear();
    for (uint32_t &state : p->states) p->predictions.push_back(PredictGame(&state));
}

/* Drops the predictions that disagree with box b holding sum k. */
void LearnSum(Play *p, int b, int k)
{
    p->sumOfBox[b] = k;
    for (size_t i = p->predictions.size(); i-- > 0;) {
        if (p->predictions[i].sumOfBox[b] != k) {
            p->predictions.erase(p->predictions.begin() + (long)i);
            p->states.erase(p->states.begin() + (long)i);
        }
    }
    EXPECT(!p->predicting || !p->predictions.empty(),
           "the deal follows no seed of the UTC clock at start-up");
    p->predicting = !p->predictions.empty();
}

int BoxButtonsEnabled(HWND dlg)
{
    for (int b = 0; b < BOXES; b++) {
        if (!IsOut(dlg, ID_BOX_BUTTON + b)) return DriveEnabled(dlg, ID_BOX_BUTTON + b);
    }
    return 1;
}

int WaitBoxButtonsEnabled(HWND dlg, DWORD timeoutMs)
{
    DWORD start = DriveNow();
    while (!BoxButtonsEnabled(dlg)) {
        if (DriveNow() - start >= timeoutMs) return 0;
        Sleep(20);
    }
    return 1;
}

int WaitListLines(HWND dlg, int id, size_t lines, DWORD timeoutMs)
{
    DWORD start = DriveNow();
    while (DriveListLines(dlg, id).size() < lines) {
        if (DriveNow() - start >= timeoutMs) return 0;
        Sleep(50);
    }
    return 1;
}

int WaitEnabled(HWND dlg, int id, int enabled, DWORD timeoutMs)
{
    DWORD start = DriveNow();
    while (DriveEnabled(dlg, id) != enabled) {
        if (DriveNow() - start >= timeoutMs) return 0;
        Sleep(20);
    }
    return 1;
}

void ChooseOwnBox(Play *p, int b)
{
    HWND dlg = p->g->dlg;
    DriveClick(dlg, ID_BOX_BUTTON + b);
    EXPECT(DriveWaitText(dlg, ID_MESSAGE, OPEN_A_BOX, 5000), "no \"OPEN A BOX\" after the choice");
    EXPECT(IsAt(dlg, ID_BOX_PICTURE + b, ownPicture) && IsAt(dlg, ID_BOX_BUTTON + b, ownButton),
           "own box %d not in the MY BOX frame: picture %ld,%ld button %ld,%ld", b + 1,
           DriveRect(dlg, ID_BOX_PICTURE + b).left, DriveRect(dlg, ID_BOX_PICTURE + b).top,
           DriveRect(dlg, ID_BOX_BUTTON + b).left, DriveRect(dlg, ID_BOX_BUTTON + b).top);
    p->own = b;
}

/* The sum whose plate has just left the board, or -1. */
int NewlyRevealedSum(Play *p)
{
    for (int k = 0; k < BOXES; k++) {
        int known = 0;
        for (int b = 0; b < BOXES; b++) known |= p->opened[b] && p->sumOfBox[b] == k;
        if (!known && IsOut(p->g->dlg, ID_PLATE + k)) return k;
    }
    return -1;
}

/* Clicks box b and waits until its button and plate have left the board;
   answers the sum it held, or -1. */
int RevealBox(Play *p, int b)
{
    HWND dlg = p->g->dlg;
    RECT home = DriveRect(dlg, ID_BOX_PICTURE + b);
    DriveClick(dlg, ID_BOX_BUTTON + b);
    DWORD start = DriveNow();
    int k = -1;
    while (DriveNow() - start < 5000 && (k = NewlyRevealedSum(p)) < 0) Sleep(10);
    EXPECT(k >= 0, "no plate left the board after box %d was clicked", b + 1);
    if (k < 0) return -1;
    start = DriveNow();
    while (!IsOut(dlg, ID_BOX_BUTTON + b) && DriveNow() - start < 2000) Sleep(10);
    EXPECT(IsOut(dlg, ID_BOX_BUTTON + b), "box %d's button still in view after it was opened",
           b + 1);
    RECT now = DriveRect(dlg, ID_BOX_PICTURE + b);
    EXPECT(now.left == home.left && now.top == home.top, "box %d's picture moved when opened",
           b + 1);
    p->opened[b] = 1;
    p->openedCount++;
    LearnSum(p, b, k);
    return k;
}

/* A money text as a banker's figure: "£" and digits. */
void CheckMoneyText(const std::string &text, const char *what)
{
    EXPECT(MoneyValue(text) >= 0, "%s \"%s\" is not a money text", what, Show(text).c_str());
}

/* After the banker's call has shown its figure. */
void SeeOffer(Play *p)
{
    HWND dlg = p->g->dlg;
    std::vector<std::string> lines = DriveListLines(dlg, ID_OFFER_LIST);
    EXPECT(lines.size() == p->offers.size() + 1, "offers list has %zu lines after call %zu",
           lines.size(), p->offers.size() + 1);
    if (lines.empty()) return;
    std::string offer = lines.back();
    CheckMoneyText(offer, "offer");
    p->offers.push_back(offer);
}

/* Answers the offer on show, once the reminder has enabled the buttons. */
void AnswerOffer(Play *p, int deal)
{
    HWND dlg = p->g->dlg;
    EXPECT(WaitEnabled(dlg, ID_DEAL, 1, 8000), "no reminder enabled DEAL within 8 s of the offer");
    Sleep(100);
    EXPECT_TEXT(dlg, ID_MESSAGE, REMINDER);
    EXPECT(DriveEnabled(dlg, ID_NO_DEAL), "NO DEAL not enabled by the reminder");
    std::string offer = DriveText(dlg, ID_OFFER_VALUE);
    EXPECT(offer == p->offers.back(), "offer display \"%s\", offers list \"%s\"",
           Show(offer).c_str(), Show(p->offers.back()).c_str());
    DriveClick(dlg, deal ? ID_DEAL : ID_NO_DEAL);
    const char *said =
        deal ? "DEAL! NOW CARRY ON AND OPEN THE BOXES" : "NO DEAL! NOW CARRY ON AND OPEN THE BOXES";
    EXPECT(DriveWaitText(dlg, ID_MESSAGE, said, 5000), "no answer message after %s",
           deal ? "DEAL" : "NO DEAL");
    EXPECT(WaitEnabled(dlg, ID_DEAL, 0, 3000) && !DriveEnabled(dlg, ID_NO_DEAL),
           "DEAL / NO DEAL still enabled after the answer");
    EXPECT_TEXT(dlg, ID_OFFER_VALUE, "");
    if (deal) {
        p->dealt = 1;
        p->bankText = offer;
        EXPECT_TEXT(dlg, ID_BANK_VALUE, offer.c_str());
    } else {
        EXPECT_TEXT(dlg, ID_BANK_VALUE, p->bankText.c_str());
    }
}

/* Once: a box clicked while the offer waits changes nothing. */
void ClickWhileOfferWaits(Play *p)
{
    HWND dlg = p->g->dlg;
    int b = 0;
    while (b < BOXES && (p->opened[b] || b == p->own)) b++;
    std::string offer = DriveText(dlg, ID_OFFER_VALUE);
    DriveClick(dlg, ID_BOX_BUTTON + b);
    Sleep(600);
    EXPECT(Near(DriveRect(dlg, ID_BOX_BUTTON + b), HomeRect(ID_BOX_BUTTON + b)),
           "box %d opened while an offer waited", b + 1);
    EXPECT_TEXT(dlg, ID_OFFER_VALUE, offer.c_str());
    EXPECT(DriveListLines(dlg, ID_OFFER_LIST).size() == p->offers.size(),
           "a click while the offer waited changed the offers list");
}

/* After the call of the last round: the swap question, if it comes. */
void MaybeSwap(Play *p, int answerYes, int *swapSeen)
{
    HWND dlg = p->g->dlg;
    int other = -1;
    for (int b = 0; b < BOXES; b++) {
        if (!p->opened[b] && b != p->own) other = b;
    }
    DWORD start = DriveNow();
    *swapSeen = 0;
    while (DriveNow() - start < 25000) {
        if (DriveText(dlg, ID_MESSAGE) == SWAP_OFFERED) *swapSeen = 1;
        HWND box = MessageBoxOf(p->g);
        if (box) {
            EXPECT(DriveTitle(box) == "BANKER ASKS ...", "message box \"%s\" instead of the swap",
                   DriveTitle(box).c_str());
            EXPECT(DriveMessageBoxText(box) == "SWAP YOUR BOX?", "swap question reads \"%s\"",
                   DriveMessageBoxText(box).c_str());
            *swapSeen = 1;
            EXPECT(DriveAnswer(box, answerYes ? IDYES : IDNO, 3000), "swap box did not close");
            break;
        }
        if (!*swapSeen && DriveText(dlg, ID_MESSAGE) == OPEN_YOUR_BOX && BoxButtonsEnabled(dlg))
            break;
        Sleep(20);
    }
    EXPECT(DriveWaitText(dlg, ID_MESSAGE, OPEN_YOUR_BOX, 5000) && WaitBoxButtonsEnabled(dlg, 2000),
           "no \"OPEN YOUR BOX\" after the last call");
    char ownNumber[4], otherNumber[4];
    snprintf(ownNumber, sizeof ownNumber, "%d", p->own + 1);
    snprintf(otherNumber, sizeof otherNumber, "%d", other + 1);
    int swapped = *swapSeen && answerYes;
    EXPECT_TEXT(dlg, ID_BOX_BUTTON + p->own, swapped ? otherNumber : ownNumber);
    EXPECT_TEXT(dlg, ID_BOX_BUTTON + other, swapped ? ownNumber : otherNumber);
    Log("swap %s%s", *swapSeen ? "offered, answered " : "not offered",
        *swapSeen ? (answerYes ? "Yes" : "No") : "");
    if (swapped && p->predictions.size() == 1) {
        /* The two boxes now hold each other's sums. */
        std::swap(p->predictions[0].sumOfBox[p->own], p->predictions[0].sumOfBox[other]);
    }
}

/* One banker round: open boxes until the call, then see the figure. */
void PlayRound(Play *p, int boxesToOpen, int dealNow, int lastRound)
{
    HWND dlg = p->g->dlg;
    for (int i = 0; i < boxesToOpen; i++) {
        int b = 0;
        while (p->opened[b] || b == p->own) b++;
        int k = RevealBox(p, b);
        if (k < 0) return;
        if (i + 1 < boxesToOpen) {
            EXPECT(WaitBoxButtonsEnabled(dlg, 5000), "box buttons not enabled after a reveal");
            if (p->dealt) {
                char reveal[64];
                snprintf(reveal, sizeof reveal, "YOU HAVE REVEALED '%0.2f'", SUMS[k]);
                EXPECT_TEXT(dlg, ID_MESSAGE, reveal);
            } else {
                EXPECT_TEXT(dlg, ID_MESSAGE, OPEN_A_BOX);
            }
            EXPECT(!DriveEnabled(dlg, ID_DEAL), "DEAL enabled between calls");
        }
        if (captureBoard && p->openedCount == 3 && !outputFolder.empty() && p->offers.empty()) {
            std::string bmp = outputFolder + "\\board.bmp";
            EXPECT(DriveCaptureWindow(dlg, bmp.c_str()), "no screenshot written to %s",
                   bmp.c_str());
        }
    }
    const char *calling = p->dealt ? CALLING_AFTER_DEAL : CALLING;
    EXPECT(DriveWaitText(dlg, ID_MESSAGE, calling, 3000), "the banker did not call");
    DWORD callStart = DriveNow();
    EXPECT(WaitListLines(dlg, ID_OFFER_LIST, p->offers.size() + 1, 15000),
           "no figure within 15 s of the call");
    DWORD callTime = DriveNow() - callStart;
    int dealDisabled = !DriveEnabled(dlg, ID_DEAL) && !DriveEnabled(dlg, ID_NO_DEAL);
    SeeOffer(p);
    Log("call %zu: %s after %lu ms", p->offers.size(), Show(p->offers.back()).c_str(), callTime);
    EXPECT(callTime >= 5000, "the call took only %lu ms (three waits of 3 ticks)", callTime);
    if (p->dealt) {
        /* At the last call "OPEN YOUR BOX" follows at once. */
        if (!lastRound) {
            EXPECT(DriveWaitText(dlg, ID_MESSAGE, WOULD_HAVE, 3000), "no \"would have offered\"");
        }
        EXPECT(dealDisabled, "DEAL enabled after a deal");
    } else {
        EXPECT(dealDisabled, "DEAL or NO DEAL enabled when the offer was shown");
        if (!lastRound) {
            EXPECT(WaitBoxButtonsEnabled(dlg, 3000), "turn did not end after the offer");
            if (p->offers.size() == 1) ClickWhileOfferWaits(p);
        }
        AnswerOffer(p, dealNow);
    }
}

/* Verdict: own box opened at the end. */
void OpenOwnBox(Play *p, size_t historyBefore)
{
    HWND dlg = p->g->dlg;
    int k = RevealBox(p, p->own);
    DWORD start = DriveNow();
    HWND box = NULL;
    while (!box && DriveNow() - start < 5000) {
        box = MessageBoxOf(p->g);
        Sleep(20);
    }
    EXPECT(box, "no verdict after the own box was opened");
    if (!box || k < 0) return;
    std::vector<std::string> history = DriveListLines(dlg, ID_WIN_HISTORY);
    std::string bank = DriveText(dlg, ID_BANK_VALUE);
    EXPECT(history.size() == historyBefore + 1, "win history has %zu lines at the verdict",
           history.size());
    if (!history.empty()) {
        EXPECT(history.back() == bank, "last history line \"%s\", bank \"%s\"",
               Show(history.back()).c_str(), Show(bank).c_str());
    }
    if (p->dealt) {
        EXPECT(bank == p->bankText, "bank shows \"%s\" at the end, the deal was \"%s\"",
               Show(bank).c_str(), Show(p->bankText).c_str());
    } else {
        char sum[32];
        snprintf(sum, sizeof sum, "%s%.*f", POUND, SUMS[k] < 1 ? 2 : 0, SUMS[k]);
        EXPECT(bank == sum, "bank shows \"%s\", own box held \"%s\"", Show(bank).c_str(),
               Show(sum).c_str());
    }
    /* Figures are shown cut down: an exact comparison is possible only when
       the shown figures are far enough apart. */
    double figure = MoneyValue(p->dealt ? p->bankText : p->offers.back());
    double unit = figure >= 100000 ? 1000 : figure >= 1000 ? 100 : figure >= 100 ? 10 : 1;
    std::string caption = DriveTitle(box), text = DriveMessageBoxText(box);
    int won = caption == "CONGRATULATIONS";
    EXPECT(won ? text == "YOU VANTOREL"
               : caption == "UNLUCKY" && text == "YOU DID NOT VANTOREL\n\nTHE BANKER WON",
           "verdict \"%s\" / \"%s\"", caption.c_str(), Show(text).c_str());
    int surelyWon = p->dealt ? figure > SUMS[k] : SUMS[k] >= figure + unit;
    int surelyLost = p->dealt ? figure + unit <= SUMS[k] : SUMS[k] < figure;
    EXPECT(!(surelyWon && !won) && !(surelyLost && won),
           "verdict %s with own sum %.2f against %.2f (%s)", caption.c_str(), SUMS[k], figure,
           p->dealt ? "deal" : "no deal");
    Log("verdict: %s, own box held %.2f, bank %s", caption.c_str(), SUMS[k], Show(bank).c_str());
    EXPECT(DriveAnswer(box, IDOK, 3000), "verdict box did not close");
    EXPECT(DriveWaitText(dlg, ID_MESSAGE, OPEN_LAST, 5000), "no \"OPEN THE LAST BOX\"");
}

void OpenLastBox(Play *p)
{
    HWND dlg = p->g->dlg;
    int last = 0;
    while (p->opened[last]) last++;
    EXPECT(WaitBoxButtonsEnabled(dlg, 3000), "last box not enabled");
    RevealBox(p, last);
    EXPECT(DriveWaitText(dlg, ID_MESSAGE, GAME_OVER, 5000), "no closing message");
    int inView = 0;
    for (int b = 0; b < BOXES; b++) {
        inView += !IsOut(dlg, ID_BOX_BUTTON + b);
        inView += !IsOut(dlg, ID_PLATE + b);
    }
    EXPECT(inView == 0, "%d buttons or plates still in view after the last box", inView);
    EXPECT(DriveListLines(dlg, ID_OFFER_LIST).size() == 6, "offers list has %zu lines, not 6",
           DriveListLines(dlg, ID_OFFER_LIST).size());
}

/* Plays a whole game: the deal (if any) at call dealAtCall (1 to 6). */
void PlayWholeGame(Play *p, int firstBox, int dealAtCall, int swapYes)
{
    HWND dlg = p->g->dlg;
    size_t historyBefore = DriveListLines(dlg, ID_WIN_HISTORY).size();
    ChooseOwnBox(p, firstBox);
    static const int boxesPerRound[6] = {5, 3, 3, 3, 3, 3};
    int failuresBefore = FailureCount();
    for (int call = 1; call <= 6 && FailureCount() == failuresBefore; call++) {
        PlayRound(p, boxesPerRound[call - 1], call == dealAtCall, call == 6);
    }
    if (FailureCount() != failuresBefore) return;
    int swapSeen = 0;
    MaybeSwap(p, swapYes, &swapSeen);
    if (p->predictions.size() == 1) {
        EXPECT(swapSeen == p->predictions[0].swapOffered, "swap %s, the clock's seed says it %s",
               swapSeen ? "offered" : "not offered",
               p->predictions[0].swapOffered ? "comes" : "does not");
    }
    OpenOwnBox(p, historyBefore);
    OpenLastBox(p);
    std::vector<std::string> history = DriveListLines(dlg, ID_WIN_HISTORY);
    EXPECT(history.size() == historyBefore + 1, "win history grew by %zu lines in one game",
           history.size() - historyBefore);
}

/* NEW GAME, answered Yes. */
void ConfirmNewGame(Game *g)
{
    DriveClick(g->dlg, ID_NEW_GAME);
    HWND box = WaitMessageBox(g, "NEW GAME", 5000);
    EXPECT(box, "NEW GAME asked nothing");
    if (!box) return;
    EXPECT(DriveMessageBoxText(box) == "START AGAIN?", "NEW GAME asks \"%s\"",
           DriveMessageBoxText(box).c_str());
    EXPECT(GetDlgItem(box, IDYES) && GetDlgItem(box, IDNO), "START AGAIN? is not a Yes/No box");
    EXPECT(DriveAnswer(box, IDYES, 3000), "START AGAIN? did not close");
    /* The message comes last, once every box is home. */
    EXPECT(DriveWaitText(g->dlg, ID_MESSAGE, CHOOSE, 5000), "no new game after Yes");
}

/* ---- scenarios ---- */

void SendKey(WORD key, int up)
{
    INPUT input;
    memset(&input, 0, sizeof input);
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &input, sizeof input);
}

void PressKey(WORD key)
{
    SendKey(key, 0);
    SendKey(key, 1);
}

HWND FocusOf(HWND dlg)
{
    GUITHREADINFO info;
    memset(&info, 0, sizeof info);
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(dlg, NULL), &info);
    return info.hwndFocus;
}

/* Brings the game's window to the foreground, so typed keys go to it. */
int TakeKeyboard(HWND dlg)
{
    DWORD start = DriveNow();
    while (GetForegroundWindow() != dlg && DriveNow() - start < 3000) {
        SetForegroundWindow(dlg);
        Sleep(100);
    }
    Sleep(100);
    return GetForegroundWindow() == dlg;
}

/* Keys reach the window both posted and typed; none may change anything. */
void CheckKeysDoNothing(Game *g)
{
    HWND dlg = g->dlg;
    HWND focus = FocusOf(dlg);
    HWND edit = GetDlgItem(dlg, ID_MESSAGE);
    HWND box1 = GetDlgItem(dlg, ID_BOX_BUTTON);
    for (HWND target : {focus, box1, edit}) {
        if (!target) continue;
        for (WPARAM key : {(WPARAM)VK_SPACE, (WPARAM)VK_RETURN, (WPARAM)VK_TAB, (WPARAM)'A'}) {
            PostMessageA(target, WM_KEYDOWN, key, 1);
            PostMessageA(target, WM_KEYUP, key, 0xC0000001);
        }
    }
    EXPECT(TakeKeyboard(dlg), "the game window is not in the foreground for typed keys");
    for (WORD key : {(WORD)VK_TAB, (WORD)VK_SPACE, (WORD)VK_RETURN, (WORD)VK_RIGHT, (WORD)VK_DOWN,
                     (WORD)'A', (WORD)'5'}) {
        PressKey(key);
        Sleep(50);
    }
    Sleep(500);
    EXPECT(FocusOf(dlg) == focus, "a key moved the focus");
    EXPECT_TEXT(dlg, ID_MESSAGE, CHOOSE);
    int moved = 0;
    for (int b = 0; b < BOXES; b++) {
        moved += !Near(DriveRect(dlg, ID_BOX_BUTTON + b), HomeRect(ID_BOX_BUTTON + b));
    }
    EXPECT(moved == 0, "a key chose a box");
    EXPECT(DriveResponds(dlg, 2000), "window busy after the keys");
    Log("keys: posted and typed Space, Enter, Tab, arrows and letters changed nothing");
}

/* Processes now running whose program file is name. */
size_t CountProcesses(const char *name)
{
    size_t count = 0;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return 0;
    PROCESSENTRY32 entry;
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry))
        count += lstrcmpiA(entry.szExeFile, name) == 0;
    CloseHandle(snapshot);
    return count;
}

int ScenarioLayout(void)
{
    Game g;
    if (!StartGame(&g, exePath.c_str())) return 1;
    HWND dlg = g.dlg;
    EXPECT(DriveTitle(dlg) == GAME_TITLE, "title \"%s\"", Show(DriveTitle(dlg)).c_str());
    SIZE client = DriveClientSize(dlg);
    EXPECT(client.cx == 765 && client.cy == 574, "client area %ldx%ld, not 765x574", client.cx,
           client.cy);
    LONG style = GetWindowLongA(dlg, GWL_STYLE);
    EXPECT((style & WS_MINIMIZEBOX) && !(style & WS_MAXIMIZEBOX) && !(style & WS_THICKFRAME),
           "window style %08lx: minimise only, no maximise, no resizing", (unsigned long)style);
    CheckLayout(dlg);
    CheckCleanBoard(dlg, 0, "first game");
    CheckKeysDoNothing(&g);

    Play p;
    BeginPlay(&p, &g, std::vector<uint32_t>());
    ChooseOwnBox(&p, 6);
    EXPECT(!DriveEnabled(dlg, ID_DEAL), "DEAL enabled after the choice");

    /* Alt+F4 is a system key: it still closes the window. */
    EXPECT(TakeKeyboard(dlg), "the game window is not in the foreground for Alt+F4");
    SendKey(VK_MENU, 0);
    PressKey(VK_F4);
    SendKey(VK_MENU, 1);
    DWORD code = 99;
    int ended = DriveWaitEnd(&g.process, 3000, &code);
    EXPECT(ended && code == 0, "Alt+F4: %s, code %lu", ended ? "ended" : "still running", code);
    if (!ended) CloseGame(&g, "after Alt+F4 failed");
    DriveRelease(&g.process);

    /* MORE GAMES and HELP start the browser and leave the game as it was. */
    if (!StartGame(&g, exePath.c_str())) return 1;
    for (int id : {ID_MORE_GAMES, ID_HELP}) {
        size_t browsers = CountProcesses("iexplore.exe");
        DriveClick(g.dlg, id);
        DWORD start = DriveNow();
        while (CountProcesses("iexplore.exe") <= browsers && DriveNow() - start < 5000) Sleep(20);
        EXPECT(CountProcesses("iexplore.exe") > browsers, "button %d started no iexplore.exe", id);
        EXPECT(DriveResponds(g.dlg, 3000), "window busy after %d", id);
        EXPECT_TEXT(g.dlg, ID_MESSAGE, CHOOSE);
    }
    Log("MORE GAMES and HELP: each started iexplore.exe and the game went on");
    CloseGame(&g, "after MORE GAMES and HELP");
    return 0;
}

/* Two whole games in one run: the first without a deal, taking the swap;
   the second with a deal at the second call. The start is timed so that the
   clock's seed offers the swap in the first game and not in the second. */
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

    Play p;
    BeginPlay(&p, &g, seeds);
    PlayWholeGame(&p, 9, 0, 1);
    if (FailureCount()) {
        CloseGame(&g, "after a failure");
        return 1;
    }
    ConfirmNewGame(&g);
    CheckCleanBoard(g.dlg, 1, "second game");
    std::vector<std::string> first = DriveListLines(g.dlg, ID_WIN_HISTORY);

    std::vector<uint32_t> states = p.states;
    BeginPlay(&p, &g, states);
    PlayWholeGame(&p, 16, 2, 0);
    std::vector<std::string> both = DriveListLines(g.dlg, ID_WIN_HISTORY);
    EXPECT(both.size() == 2 && !first.empty() && both[0] == first[0],
           "win history does not keep the first game's line");
    for (const std::string &line : both) Log("win history: %s", Show(line).c_str());

    ConfirmNewGame(&g);
    CheckCleanBoard(g.dlg, 2, "third game");
    CloseGame(&g, "after two games");
    return 0;
}

/* Opens boxes up to the first call and waits until the banker rings. */
void StartFirstCall(Play *p)
{
    ChooseOwnBox(p, 0);
    for (int i = 0; i < 5; i++) {
        int b = 1 + i;
        RevealBox(p, b);
        if (i < 4) WaitBoxButtonsEnabled(p->g->dlg, 5000);
    }
    EXPECT(DriveWaitText(p->g->dlg, ID_MESSAGE, CALLING, 3000), "the banker did not call");
}

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
    Sleep(10000);
    CheckCleanBoard(dlg, 0, "10 s after the interrupted call");
    Log("NEW GAME during a call: clean board, and still clean 10 s later");

    /* No in the middle of the call: the call goes on to its offer. */
    BeginPlay(&p, &g, std::vector<uint32_t>());
    StartFirstCall(&p);
    Sleep(1500);
    DriveClick(dlg, ID_NEW_GAME);
    HWND box = WaitMessageBox(&g, "NEW GAME", 5000);
    EXPECT(box && DriveAnswer(box, IDNO, 3000), "START AGAIN? not answered No");
    EXPECT(WaitListLines(dlg, ID_OFFER_LIST, 1, 15000), "the call did not go on after No");
    SeeOffer(&p);

    /* Yes while the offer waits, after the reminder. */
    EXPECT(WaitEnabled(dlg, ID_DEAL, 1, 8000), "no reminder");
    ConfirmNewGame(&g);
    CheckCleanBoard(dlg, 0, "new game while an offer waited");
    Sleep(5000);
    EXPECT(!DriveEnabled(dlg, ID_DEAL), "a reminder came after the new game");
    BeginPlay(&p, &g, std::vector<uint32_t>());
    ChooseOwnBox(&p, 21);
    CloseGame(&g, "after the new games");
    return 0;
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
    EXPECT(WaitListLines(g.dlg, ID_OFFER_LIST, 1, 15000), "no offer");
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

struct LinkInfo {
    int found;
    std::string path, arguments, folder;
};

LinkInfo ReadLink(const std::string &file)
{
    LinkInfo info = {0, "", "", ""};
    IShellLinkA *link = NULL;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, NULL, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                (void **)&link)))
        return info;
    IPersistFile *persist = NULL;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, (void **)&persist))) {
        WCHAR wide[MAX_PATH];
        MultiByteToWideChar(CP_ACP, 0, file.c_str(), -1, wide, MAX_PATH);
        if (SUCCEEDED(persist->Load(wide, STGM_READ))) {
            char text[MAX_PATH * 2];
            info.found = 1;
            text[0] = '\0';
            link->GetPath(text, MAX_PATH, NULL, SLGP_RAWPATH);
            info.path = text;
            text[0] = '\0';
            link->GetArguments(text, MAX_PATH);
            info.arguments = text;
            text[0] = '\0';
            link->GetWorkingDirectory(text, MAX_PATH);
            info.folder = text;
        }
        persist->Release();
    }
    link->Release();
    return info;
}

int CountDesktopLinks(const std::string &desktop)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((desktop + "\\Zendaro*.lnk").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return 0;
    int count = 0;
    do count++;
    while (FindNextFileA(search, &found));
    FindClose(search);
    return count;
}

void CheckLinkTo(const std::string &link, const std::string &program, const char *when)
{
    LinkInfo info = ReadLink(link);
    EXPECT(info.found, "%s: no %s", when, link.c_str());
    EXPECT(lstrcmpiA(info.path.c_str(), program.c_str()) == 0,
           "%s: link points at \"%s\", not \"%s\"", when, info.path.c_str(), program.c_str());
    EXPECT(info.arguments.empty(), "%s: link has arguments \"%s\"", when, info.arguments.c_str());
    EXPECT(info.folder.empty(), "%s: link has a working folder \"%s\"", when, info.folder.c_str());
    Log("%s: Zendaro.lnk -> %s", when, info.path.c_str());
}

void StartAndClose(const std::string &program, const char *when)
{
    Game g;
    if (StartGame(&g, program.c_str())) CloseGame(&g, when);
    DriveRelease(&g.process);
}

const char shellFolders[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\"
                            "User Shell Folders";

/* The desktop's entry among the user's shell folders, to put back later. */
struct DesktopSetting {
    int present;
    DWORD type;
    std::vector<BYTE> data;
};

DesktopSetting ReadDesktopSetting(void)
{
    DesktopSetting setting = {0, REG_SZ, std::vector<BYTE>(2048)};
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, shellFolders, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return setting;
    DWORD size = (DWORD)setting.data.size();
    setting.present = RegQueryValueExA(key, "Desktop", NULL, &setting.type, setting.data.data(),
                                       &size) == ERROR_SUCCESS;
    setting.data.resize(size);
    RegCloseKey(key);
    return setting;
}

void WriteDesktopSetting(const DesktopSetting &setting)
{
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, shellFolders, 0, NULL, 0, KEY_WRITE, NULL, &key, NULL) !=
        ERROR_SUCCESS)
        return;
    if (setting.present) {
        RegSetValueExA(key, "Desktop", 0, setting.type, setting.data.data(),
                       (DWORD)setting.data.size());
    } else {
        RegDeleteValueA(key, "Desktop");
    }
    RegCloseKey(key);
}

void MoveDesktopTo(const std::string &folder)
{
    DesktopSetting setting = {1, REG_SZ, std::vector<BYTE>(folder.begin(), folder.end())};
    setting.data.push_back(0);
    WriteDesktopSetting(setting);
}

/* A folder path of exactly length characters below base, made level by
   level; empty when it cannot be made. */
std::string MakeDeepFolder(const std::string &base, size_t length)
{
    std::string path = base;
    CreateDirectoryA(path.c_str(), NULL);
    while (path.size() < length) {
        size_t level = std::min<size_t>(40, length - path.size() - 1);
        path += "\\" + std::string(level, 'd');
        if (!CreateDirectoryA(path.c_str(), NULL) && GetLastError() != ERROR_ALREADY_EXISTS)
            return "";
    }
    return path;
}

/* Files (not folders) in folder: a link saved under a cut-short name counts. */
int CountFilesIn(const std::string &folder)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return 0;
    int count = 0;
    do count += !(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
    while (FindNextFileA(search, &found));
    FindClose(search);
    return count;
}

void CheckNoLinkWhereDesktopCannotTakeIt(const char *temp)
{
    DesktopSetting saved = ReadDesktopSetting();
    /* 249 characters: a backslash and Zendaro.lnk make the link's path 261. */
    std::string deep = MakeDeepFolder(std::string(temp) + "zendaro deep", 249);
    EXPECT(!deep.empty(), "cannot make a folder 249 characters deep");
    if (!deep.empty()) {
        MoveDesktopTo(deep);
        StartAndClose(exePath, "start with a desktop too deep for the link");
        EXPECT(CountFilesIn(deep) == 0, "a link was written where its path does not fit");
        Log("desktop %zu characters deep: no link, normal start", deep.size());
    }
    MoveDesktopTo("Q:\\no such drive\\Desktop");
    StartAndClose(exePath, "start with a desktop that cannot be reached");
    Log("desktop on a missing drive: normal start");
    WriteDesktopSetting(saved);
}

int ScenarioShortcut(void)
{
    char desktop[MAX_PATH];
    EXPECT(SUCCEEDED(SHGetFolderPathA(NULL, CSIDL_DESKTOPDIRECTORY, NULL, 0, desktop)),
           "no desktop folder");
    std::string link = std::string(desktop) + "\\Zendaro.lnk";
    DeleteFileA(link.c_str());

    StartAndClose(exePath, "first start");
    StartAndClose(exePath, "second start");
    CheckLinkTo(link, exePath, "after two starts");
    EXPECT(CountDesktopLinks(desktop) == 1, "%d Zendaro links on the desktop",
           CountDesktopLinks(desktop));

    /* Started from another folder, the link follows the program. */
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    std::string folder = std::string(temp) + "zendaro moved";
    CreateDirectoryA(folder.c_str(), NULL);
    std::string moved = folder + "\\Zendaro.exe";
    EXPECT(CopyFileA(exePath.c_str(), moved.c_str(), FALSE), "cannot copy the program");
    StartAndClose(moved, "start from another folder");
    CheckLinkTo(link, moved, "after a start from another folder");

    /* No link, and a normal start, where the desktop cannot take one. */
    DeleteFileA(link.c_str());
    CheckNoLinkWhereDesktopCannotTakeIt(temp);
    EXPECT(GetFileAttributesA(link.c_str()) == INVALID_FILE_ATTRIBUTES,
           "a link appeared on the real desktop while the desktop was elsewhere");

    /* A link the user deleted comes back. */
    StartAndClose(exePath, "start after the link was deleted");
    CheckLinkTo(link, exePath, "after the link was deleted");
    DeleteFileA(moved.c_str());
    RemoveDirectoryA(folder.c_str());
    return 0;
}

/* A copy of the program whose sounds and board pictures are damaged (eight
   bytes of junk each; Wine cannot delete resources): the game must still be
   played. */
int ScenarioMissing(void)
{
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    std::string folder = std::string(temp) + "zendaro bare";
    CreateDirectoryA(folder.c_str(), NULL);
    std::string bare = folder + "\\Zendaro.exe";
    EXPECT(CopyFileA(exePath.c_str(), bare.c_str(), FALSE), "cannot copy the program");
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
    DeleteFileA(bare.c_str());
    RemoveDirectoryA(folder.c_str());
    return 0;
}

std::string FullPath(const char *path)
{
    char full[MAX_PATH];
    DWORD length = GetFullPathNameA(path, sizeof full, full, NULL);
    if (length == 0 || length >= sizeof full) return path;
    return full;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 3) {
        fprintf(stderr,
                "usage: zendaro-client layout|games|newgame|close|shortcut|missing ZENDARO_EXE "
                "[OUTPUT_FOLDER]\n");
        return 2;
    }
    std::string scenario = argv[1];
    exePath = FullPath(argv[2]);
    if (argc > 3) outputFolder = FullPath(argv[3]);
    CoInitialize(NULL);
    DWORD start = DriveNow();
    int (*run)(void) = NULL;
    if (scenario == "layout") run = ScenarioLayout;
    if (scenario == "games") run = ScenarioGames;
    if (scenario == "newgame") run = ScenarioNewGame;
    if (scenario == "close") run = ScenarioClose;
    if (scenario == "shortcut") run = ScenarioShortcut;
    if (scenario == "missing") run = ScenarioMissing;
    if (!run) {
        fprintf(stderr, "unknown scenario %s\n", scenario.c_str());
        return 2;
    }
    run();
    Log("%s: %d failure(s) in %lu s", scenario.c_str(), FailureCount(),
        (DriveNow() - start) / 1000);
    CoUninitialize();
    return FailureCount() ? 1 : 0;
}
