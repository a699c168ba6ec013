/* The game client's shared moves: starting and closing the game, reading
   the board, and playing boxes, offers and whole games as a player would. */
#include <windows.h>

#include <stdio.h>
#include <string.h>

#include <algorithm>
#include <string>
#include <vector>

#include "game_play.h"

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

void ExpectText(HWND dlg, int id, const char *expected, int line)
{
    std::string text = DriveText(dlg, id);
    if (text != expected)
        Check(false, Format("(line %d) control %d shows \"%s\", expected \"%s\"", line, id,
                            Show(text).c_str(), Show(expected).c_str()));
}

const char OPEN_YOUR_BOX[] = "OPEN YOUR BOX";
const char OPEN_LAST[] = "OPEN THE LAST BOX";
const char CALLING_AFTER_DEAL[] = "THE BANKER WANTS TO SAY HOW MUCH HE WOULD HAVE OFFERED YOU";
const char SWAP_OFFERED[] = "THE BANKER WILL ALLOW YOU TO SWAP YOUR BOX";
const char GAME_OVER[] = "THANKYOU FOR PLAYING VANTOREL.  PRESS 'NEW GAME'";
const char POUND[] = "\xA3";
const char NO_POUNDS[] = "\xA3"
                         "0.00";

/* The player's own box after its choice, in client pixels (the client's
   oracle, like board.cpp's layout). */

std::string exePath;
std::string outputFolder;
int captureBoard;

int StartGame(Game *g, const char *path)
{
    memset(g, 0, sizeof *g);
    GetSystemTime(&g->startedAfter);
    DWORD started = DriveNow();
    if (!DriveStart(path, " ", NULL, 20000, &g->process)) {
        EXPECT(0, "Zendaro.exe did not start (error %lu)", GetLastError());
        return 0;
    }
    g->dlg = DriveWaitDialog(g->process.pid, GAME_TITLE, 30000);
    EXPECT(g->dlg, "no window titled \"%s\"", Show(GAME_TITLE).c_str());
    if (!g->dlg) return 0;
    EXPECT(MeasureBaseUnits(g->dlg), "client area %ldx%ld is no whole number of dialog units",
           DriveClientSize(g->dlg).cx, DriveClientSize(g->dlg).cy);
    int ready = DriveWaitText(g->dlg, ID_MESSAGE, CHOOSE, 10000);
    GetSystemTime(&g->readyBy);
    EXPECT(ready, "the first game did not start");
    Log("the first game began %lu ms after the start", DriveNow() - started);
    return ready;
}

/* Closes the window and checks the program ends at once with code 0. */
void CloseGame(Game *g, const char *when)
{
    if (!g->process.process) return;
    DWORD code = 99, elapsed = 0;
    int ended = DriveClose(&g->process, g->dlg, 5000, &code, &elapsed);
    EXPECT(ended, "closed %s, the program still runs after %lu ms", when, 5000 + driveAllowanceMs);
    if (ended) {
        Log("closed %s: ended in %lu ms with code %lu", when, elapsed, code);
        EXPECT(code == 0, "closed %s, exit code %lu", when, code);
        EXPECT(elapsed <= 2000 + driveAllowanceMs, "closed %s, took %lu ms to end", when, elapsed);
    }
    DriveRelease(&g->process);
}

HWND WaitMessageBox(Game *g, const char *caption, DWORD timeoutMs)
{
    HWND box = NULL;
    DriveWaitFor(
        [&] {
            return (box = DriveOtherDialog(g->process.pid, g->dlg)) && DriveTitle(box) == caption;
        },
        timeoutMs);
    return box && DriveTitle(box) == caption ? box : NULL;
}

int IsOut(HWND dlg, int id)
{
    RECT r = DriveRect(dlg, id);
    return r.left == OUT_OF_VIEW && r.top == OUT_OF_VIEW;
}

/* Where the 96-dpi board's point p is on the board on screen: exactly at
   6 x 13 base units, within the pixel of rounding at others. */
int IsAt(HWND dlg, int id, POINT p)
{
    RECT r = DriveRect(dlg, id);
    POINT want = ScaledPoint(p);
    int slack = baseUnitX == 6 && baseUnitY == 13 ? 0 : 1;
    return abs(r.left - want.x) <= slack && abs(r.top - want.y) <= slack;
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
    Log("layout: %d controls within 1 pixel of the template at %d x %d base units", checked,
        baseUnitX, baseUnitY);
}

/* The board as NewGame leaves it: every box home, and the offer's sign
   and the bank's figure read back through the window in code page 1252. */
void CheckCleanBoard(HWND dlg, const char *when)
{
    int misplaced = 0;
    for (int b = 0; b < BOXES; b++) {
        for (int id : {ID_PLATE + b, ID_BOX_PICTURE + b, ID_BOX_BUTTON + b}) {
            RECT want = HomeRect(id), r = DriveRect(dlg, id);
            if (Near(r, want)) continue;
            misplaced++;
            Log("%s: control %d at %ld,%ld, home %ld,%ld", when, id, r.left, r.top, want.left,
                want.top);
        }
    }
    EXPECT(misplaced == 0, "%s: %d plates, pictures or buttons away from home", when, misplaced);
    EXPECT_TEXT(dlg, ID_OFFER_VALUE, POUND);
    EXPECT_TEXT(dlg, ID_BANK_VALUE, NO_POUNDS);
}

/* ---- playing ---- */

void BeginPlay(Play *p, Game *g, const std::vector<uint32_t> &states)
{
    p->g = g;
    p->own = -1;
    p->openedCount = 0;
    p->dealt = 0;
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
    return DriveWaitFor([&] { return BoxButtonsEnabled(dlg); }, timeoutMs);
}

int WaitListLines(HWND dlg, int id, size_t lines, DWORD timeoutMs)
{
    return DriveWaitFor([&] { return DriveListLines(dlg, id).size() >= lines; }, timeoutMs, 50);
}

int WaitEnabled(HWND dlg, int id, int enabled, DWORD timeoutMs)
{
    return DriveWaitFor([&] { return DriveEnabled(dlg, id) == enabled; }, timeoutMs);
}

/* The real mouse: a click on box b's picture beside its number does
   nothing; then one on the number. */
static void ClickBoxNumberWithMouse(HWND dlg, int b)
{
    RECT picture = DriveRect(dlg, ID_BOX_PICTURE + b), number = DriveRect(dlg, ID_BOX_BUTTON + b);
    WaitSoundEnded(dlg);
    EXPECT(DriveMouseClick(dlg, POINT{picture.left + 4, picture.top + 4}), "no mouse click");
    Sleep(1500);
    EXPECT_TEXT(dlg, ID_MESSAGE, CHOOSE);
    CheckCleanBoard(dlg, "after a click on a box's picture");
    EXPECT(DriveMouseClick(
               dlg, POINT{(number.left + number.right) / 2, (number.top + number.bottom) / 2}),
           "no mouse click");
}

void ChooseOwnBox(Play *p, int b, bool withMouse)
{
    HWND dlg = p->g->dlg;
    if (withMouse)
        ClickBoxNumberWithMouse(dlg, b);
    else
        DriveClick(dlg, ID_BOX_BUTTON + b);
    EXPECT(DriveWaitText(dlg, ID_MESSAGE, OPEN_A_BOX, 5000), "no \"OPEN A BOX\" after the choice");
    EXPECT(IsAt(dlg, ID_BOX_PICTURE + b, MY_BOX_PICTURE) &&
               IsAt(dlg, ID_BOX_BUTTON + b, MY_BOX_BUTTON),
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
    int k = -1;
    DriveWaitFor([&] { return (k = NewlyRevealedSum(p)) >= 0; }, 5000, 10);
    EXPECT(k >= 0, "no plate left the board after box %d was clicked", b + 1);
    if (k < 0) return -1;
    DriveWaitFor([&] { return IsOut(dlg, ID_BOX_BUTTON + b); }, 2000, 10);
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

/* After the banker's call has shown its figure. */
void SeeOffer(Play *p)
{
    HWND dlg = p->g->dlg;
    std::vector<std::string> lines = DriveListLines(dlg, ID_OFFER_LIST);
    EXPECT(lines.size() == p->offers.size() + 1, "offers list has %zu lines after call %zu",
           lines.size(), p->offers.size() + 1);
    if (lines.empty()) return;
    EXPECT(lines.back()[0] == POUND[0], "offer \"%s\" is not in pounds",
           Show(lines.back()).c_str());
    EXPECT_TEXT(dlg, ID_OFFER_VALUE, lines.back().c_str());
    p->offers.push_back(lines.back());
}

/* Answers the offer on show, once the reminder has enabled the buttons. */
void AnswerOffer(Play *p, int deal)
{
    HWND dlg = p->g->dlg;
    EXPECT(WaitEnabled(dlg, ID_DEAL, 1, 8000), "no reminder enabled DEAL within 8 s of the offer");
    DriveClick(dlg, deal ? ID_DEAL : ID_NO_DEAL);
    const char *said =
        deal ? "DEAL! NOW CARRY ON AND OPEN THE BOXES" : "NO DEAL! NOW CARRY ON AND OPEN THE BOXES";
    /* After the last call the game moves straight on to the swap offer or
       the own box, so the answer's text may show too briefly to be seen. */
    int lastCall = p->offers.size() == 6;
    EXPECT(DriveWaitFor(
               [&] {
                   std::string text = DriveText(dlg, ID_MESSAGE);
                   return text == said ||
                          (lastCall && (text == SWAP_OFFERED || text == OPEN_YOUR_BOX));
               },
               5000),
           "no answer message after %s", deal ? "DEAL" : "NO DEAL");
    /* The game disables one button after the other: a busy machine can show
       the board between the two. */
    EXPECT(DriveWaitFor(
               [&] { return !DriveEnabled(dlg, ID_DEAL) && !DriveEnabled(dlg, ID_NO_DEAL); }, 5000),
           "DEAL / NO DEAL still enabled after the answer");
    EXPECT_TEXT(dlg, ID_OFFER_VALUE, "");
    EXPECT_TEXT(dlg, ID_BANK_VALUE, deal ? p->offers.back().c_str() : NO_POUNDS);
    p->dealt = deal;
}

/* Waits until the game answers messages again: a click that must change
   nothing is then taken at once, not held behind a sound that plays. */
void WaitSoundEnded(HWND dlg)
{
    EXPECT(DriveResponds(dlg, 5000 + driveAllowanceMs), "the game does not answer");
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
    while (DriveNow() - start < 25000 + driveAllowanceMs) {
        if (DriveText(dlg, ID_MESSAGE) == SWAP_OFFERED) *swapSeen = 1;
        HWND box = DriveOtherDialog(p->g->process.pid, p->g->dlg);
        if (box) {
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
        if (i + 1 < boxesToOpen)
            EXPECT(WaitBoxButtonsEnabled(dlg, 5000), "box buttons not enabled after a reveal");
        if (captureBoard && p->openedCount == 3 && !outputFolder.empty() && p->offers.empty()) {
            std::string bmp = outputFolder + "\\board.bmp";
            EXPECT(DriveCaptureWindow(dlg, bmp.c_str()), "no screenshot written to %s",
                   bmp.c_str());
        }
    }
    const char *calling = p->dealt ? CALLING_AFTER_DEAL : CALLING;
    EXPECT(DriveWaitText(dlg, ID_MESSAGE, calling, 3000), "the banker did not call");
    DWORD callStart = DriveNow();
    EXPECT(WaitListLines(dlg, ID_OFFER_LIST, p->offers.size() + 1, CallMs()),
           "no figure within %lu ms of the call", CallMs() + driveAllowanceMs);
    DWORD callTime = DriveNow() - callStart;
    SeeOffer(p);
    Log("call %zu: %s after %lu ms", p->offers.size(), Show(p->offers.back()).c_str(), callTime);
    EXPECT(callTime >= 5000, "the call took only %lu ms (three waits of 3 ticks)", callTime);
    if (!lastRound) EXPECT(WaitBoxButtonsEnabled(dlg, 3000), "turn did not end after the call");
    if (!p->dealt) AnswerOffer(p, dealNow);
}

/* Verdict: own box opened at the end. */
void OpenOwnBox(Play *p)
{
    HWND dlg = p->g->dlg;
    int k = RevealBox(p, p->own);
    HWND box = NULL;
    DriveWaitFor([&] { return (box = DriveOtherDialog(p->g->process.pid, p->g->dlg)) != NULL; },
                 5000);
    EXPECT(box, "no verdict after the own box was opened");
    if (!box || k < 0) return;
    std::string caption = DriveTitle(box), text = DriveMessageBoxText(box);
    EXPECT(caption == "CONGRATULATIONS"
               ? text == "YOU VANTOREL"
               : caption == "UNLUCKY" && text == "YOU DID NOT VANTOREL\n\nTHE BANKER WON",
           "verdict \"%s\" / \"%s\"", caption.c_str(), Show(text).c_str());
    Log("verdict: %s, own box held %.2f", caption.c_str(), SUMS[k]);
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
    OpenOwnBox(p);
    OpenLastBox(p);
    std::vector<std::string> history = DriveListLines(dlg, ID_WIN_HISTORY);
    EXPECT(history.size() == historyBefore + 1, "win history grew by %zu lines in one game",
           history.size() - historyBefore);
    std::string banked = DriveText(dlg, ID_BANK_VALUE);
    EXPECT(!history.empty() && history.back() == banked && banked[0] == POUND[0],
           "win history's last line \"%s\", the bank \"%s\"",
           history.empty() ? "" : Show(history.back()).c_str(), Show(banked).c_str());
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

std::string CopyOfGame(const char *folder)
{
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    std::string path = std::string(temp) + folder;
    CreateDirectoryA(path.c_str(), NULL);
    path += "\\Zendaro.exe";
    EXPECT(CopyFileA(exePath.c_str(), path.c_str(), FALSE), "cannot copy the program");
    return path;
}

void RemoveCopyOfGame(const std::string &copy)
{
    DeleteFileA(copy.c_str());
    RemoveDirectoryA(copy.substr(0, copy.rfind('\\')).c_str());
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
