/* The console game in real time: the recording view on the real clock,
   with the window's controls drawn as a text board after each change, the
   player's keys read without blocking and the message boxes answered on
   the board. */
#include "terminal.h"

#include <ctype.h>
#include <math.h>
#include <poll.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>

#include <string>

#include "model/model.h"
#include "record/recording.h"

static const char *const soundNames[SOUND_COUNT] = {
    "the reveal", "bad news",      "ambience",   "the banker's phone rings", "mild good news",
    "good news",  "mild bad news", "the jingle", "answer the banker!",       "the banker hangs up",
};

#define RESET "\x1b[0m"
#define BOLD "\x1b[1m"
#define DIM "\x1b[2m"

static struct termios savedTerminal;
static int terminalRaw;
static struct timespec startTime;

static char typed[24];   /* the command being typed */
static char notice[160]; /* a word to the player about the last command */
static int boxOpen, boxIsQuestion, boxAnswer;
static int keysChanged; /* the player typed or a box opened or closed */
static char boxText[256], boxCaption[128];

/* ---- The terminal ------------------------------------------------------- */

static void RestoreTerminal(void)
{
    if (!terminalRaw) return;
    tcsetattr(STDIN_FILENO, TCSANOW, &savedTerminal);
    static const char leave[] = "\x1b[0m\x1b[?25h\x1b[?1049l";
    if (write(STDOUT_FILENO, leave, sizeof leave - 1) < 0) {
    }
    terminalRaw = 0;
}

static void OnSignal(int)
{
    RestoreTerminal();
    _exit(130);
}

static void MakeTerminalRaw(void)
{
    tcgetattr(STDIN_FILENO, &savedTerminal);
    struct termios raw = savedTerminal;
    raw.c_lflag &= ~(tcflag_t)(ICANON | ECHO);
    raw.c_cc[VMIN] = 0;
    raw.c_cc[VTIME] = 0;
    tcsetattr(STDIN_FILENO, TCSANOW, &raw);
    terminalRaw = 1;
    struct sigaction action;
    memset(&action, 0, sizeof action);
    action.sa_handler = OnSignal;
    for (int which : {SIGINT, SIGTERM, SIGHUP}) sigaction(which, &action, NULL);
    fputs("\x1b[?1049h\x1b[?25l", stdout);
}

/* ---- Drawing ------------------------------------------------------------ */

static std::string Utf8(const char *text)
{
    char out[768];
    TextToUtf8(text, out, sizeof out);
    return out;
}

/* Columns a string takes: escape sequences take none, a UTF-8 character
   one. */
static int VisibleWidth(const std::string &s)
{
    int width = 0, escape = 0;
    for (unsigned char c : s) {
        if (c == 0x1B)
            escape = 1;
        else if (escape)
            escape = !((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'));
        else
            width += (c & 0xC0) != 0x80;
    }
    return width;
}

/* text centred in width, in colour. */
static std::string Cell(const std::string &text, int width, const char *colour = "")
{
    int space = width - VisibleWidth(text);
    if (space < 0) space = 0;
    int left = space / 2;
    std::string cell(left, ' ');
    cell += *colour ? colour + text + RESET : text;
    cell += std::string(space - left, ' ');
    return cell;
}

/* text centred on a coloured bar of the given width. */
static std::string Bar(const std::string &text, int width, const char *colour)
{
    return colour + Cell(text, width) + RESET;
}

static std::string ShortMoney(int k)
{
    char text[16];
    float sum = AmountTable[k];
    if (sum < 1.0f)
        snprintf(text, sizeof text, "%ldp", lroundf(sum * 100.0f));
    else if (sum < 1000.0f)
        snprintf(text, sizeof text, "\xA3%d", (int)sum);
    else
        snprintf(text, sizeof text, "\xA3%dk", (int)(sum / 1000.0f));
    return Utf8(text);
}

static int IsOutOfView(int id)
{
    int x, y;
    return RecordingPosition(id, &x, &y) && x >= OUT_OF_VIEW;
}

/* A box as its picture and button show it. */
static std::string BoxFace(BoxId b, int width)
{
    int bitmap = RecordingBitmap(IDC_BOX_PICTURE_FIRST + (int)b);
    int button = IDC_BOX_BUTTON_FIRST + (int)b;
    if (bitmap >= IDB_OPEN_BOX_FIRST && bitmap < IDB_OPEN_BOX_FIRST + AMOUNT_COUNT)
        return Cell(ShortMoney(bitmap - IDB_OPEN_BOX_FIRST), width, DIM);
    if (IsOutOfView(button)) return Cell("", width);
    std::string face = std::string("[") + Utf8(RecordingText(button)) + "]";
    return Cell(face, width, RecordingEnabled(button) ? "\x1b[1;30;43m" : "\x1b[2;33m");
}

static std::string RingBox(BoxId b, int width)
{
    return gameState.boxes[b].isOwnBox ? Cell(DIM "  ..  " RESET, width) : BoxFace(b, width);
}

static std::string Plate(int k)
{
    char text[MONEY_TEXT_SIZE];
    FormatMoney(AmountTable[k], text, sizeof text);
    int inPlay = !IsOutOfView(IDC_AMOUNT_PLATE_FIRST + k);
    /* The colour spans the whole plate, as a bitmap would. */
    return " " + Bar(Utf8(text), 9, inPlay ? "\x1b[1;97;42m" : "\x1b[2;9m");
}

static std::string Button(int id, const char *colour)
{
    return (RecordingEnabled(id) ? colour : DIM) + std::string(" ") + RecordingText(id) + " " RESET;
}

static std::string OwnBox(void)
{
    for (BoxId b = 0; b < BOX_COUNT; b++)
        if (gameState.boxes[b].isOwnBox) return BoxFace(b, 8);
    return DIM "(choose a box)" RESET;
}

static std::string CentrePanel(int row)
{
    const int width = 36;
    switch (row) {
    case 0:
        return Cell("BANKERS OFFER", width, DIM);
    case 1:
        return Cell(Utf8(RecordingText(IDC_OFFER_VALUE)), width, "\x1b[1;97;44m");
    case 3:
        return Cell(Button(IDC_DEAL, "\x1b[1;97;42m") + "   " +
                        Button(IDC_NO_DEAL, "\x1b[1;97;41m"),
                    width);
    case 5:
        return Cell(std::string(DIM "BANK " RESET BOLD) + Utf8(RecordingText(IDC_BANK_VALUE)) +
                        RESET,
                    width);
    case 7:
        return Cell("------- MY BOX -------", width, DIM);
    case 8:
        return Cell(OwnBox(), width);
    default:
        return Cell("", width);
    }
}

static std::string ListText(int listId, int maxWidth)
{
    std::string text;
    int count = RecordingLineCount(listId);
    for (int i = count - 1; i >= 0; i--) {
        std::string line = Utf8(RecordingLine(listId, i));
        if (VisibleWidth(text) + VisibleWidth(line) + 2 > maxWidth) {
            text.insert(0, "... ");
            break;
        }
        text.insert(0, "  ").insert(0, line);
    }
    return text;
}

static std::string SoundLine(void)
{
    std::string line;
    int playing = RecordingSoundNow(0), background = RecordingSoundNow(1);
    if (playing >= 0) line += std::string("\x1b[1;35m\xE2\x99\xAA ") + soundNames[playing] + RESET;
    if (background >= 0) {
        line += std::string(line.empty() ? "" : "   ") + DIM "\xE2\x99\xAA " +
                soundNames[background] + RESET;
    }
    return line;
}

static std::string BoxLines(void)
{
    if (!boxOpen) return "\x1b[K\n\x1b[K\n";
    std::string text = boxText;
    std::string buttons = boxIsQuestion ? "[y] Yes   [n] No" : "[Enter] OK";
    /* The box's two line feeds part its sentences with a dash on one line. */
    std::string body;
    for (size_t i = 0; i < text.size(); i++) {
        if (text[i] == '\n' && i + 1 < text.size() && text[i + 1] == '\n')
            body += " - ", i++;
        else
            body += text[i] == '\n' ? ' ' : text[i];
    }
    return "  \x1b[1;30;47m " + Utf8(boxCaption) + " " RESET "\x1b[K\n  \x1b[30;47m " +
           Utf8(body.c_str()) + "     " + buttons + " " RESET "\x1b[K\n";
}

std::string TerminalScreen(void)
{
    std::string s = "\x1b[H";
    s += BOLD " " + Utf8(GAME_TITLE) + RESET "\x1b[K\n\x1b[K\n";
    s += "  ";
    for (BoxId b = 7; b <= 14; b++) s += RingBox(b, 9);
    s += "\x1b[K\n";
    for (int row = 0; row < 13; row++) {
        s += "  ";
        s += row % 2 == 0 ? RingBox((BoxId)(6 - row / 2), 8) : Cell("", 8);
        s += row >= 1 && row <= 11 ? Plate(row - 1) : Cell("", 10);
        s += CentrePanel(row);
        s += row >= 1 && row <= 11 ? Plate(10 + row) : Cell("", 10);
        s += row % 2 == 0 ? RingBox((BoxId)(15 + row / 2), 8) : Cell("", 8);
        s += "\x1b[K\n";
    }
    s += "\x1b[K\n  " + Bar(Utf8(RecordingText(IDC_MESSAGE)), 72, "\x1b[1;97;44m") +
         "\x1b[K\n\x1b[K\n";
    s += "  " DIM "BANKERS OFFERS " RESET + ListText(IDC_OFFER_LIST, 58) + "\x1b[K\n";
    s += "  " DIM "WIN HISTORY    " RESET + ListText(IDC_WIN_HISTORY, 58) + "\x1b[K\n";
    s += "  " + SoundLine() + "\x1b[K\n";
    s += BoxLines();
    s += std::string("  > ") + typed + "\x1b[7m \x1b[0m   " + DIM +
         (*notice ? notice
                  : "1-22 Enter: open a box   d: DEAL   n: NO DEAL   g: NEW GAME   q: quit") +
         RESET "\x1b[K\n\x1b[J";
    return s;
}

static void Draw(void)
{
    fputs(TerminalScreen().c_str(), stdout);
    fflush(stdout);
}

/* ---- Commands ----------------------------------------------------------- */

static void Queue(int kind, int box)
{
    PlayerAction action = {};
    action.kind = kind;
    action.box = box;
    action.dropIfDisabled = 1;
    RecordingQueue(&action);
}

static void Say(const char *text)
{
    snprintf(notice, sizeof notice, "%s", text);
}

static void PressButton(int id, int kind)
{
    if (!RecordingEnabled(id))
        Say("That button is disabled right now.");
    else
        Queue(kind, 0);
}

/* The player reads the numbers on the buttons, which a swap exchanges. */
static void ClickNumber(int number)
{
    char caption[12];
    snprintf(caption, sizeof caption, "%d", number);
    for (int b = 0; b < BOX_COUNT; b++) {
        int id = IDC_BOX_BUTTON_FIRST + b;
        if (IsOutOfView(id) || strcmp(RecordingText(id), caption) != 0) continue;
        if (!RecordingEnabled(id))
            Say("The boxes cannot be clicked right now.");
        else
            Queue(ACTION_CLICK, b + 1);
        return;
    }
    Say("There is no such box on the board.");
}

/* A command is the digits typed before Enter, or one of the letters d, n,
   g and q, which act at once. A number too long for a box reads as 0,
   which no button shows. */
static void RunCommand(const char *command)
{
    notice[0] = '\0';
    if (isdigit((unsigned char)*command))
        ClickNumber(strlen(command) > 9 ? 0 : (int)strtol(command, NULL, 10));
    else if (*command == 'd')
        PressButton(IDC_DEAL, ACTION_DEAL);
    else if (*command == 'n')
        PressButton(IDC_NO_DEAL, ACTION_NO_DEAL);
    else if (*command == 'g')
        Queue(ACTION_NEW_GAME, 0);
    else if (*command == 'q')
        Queue(ACTION_QUIT, 0);
}

/* A question waits for y or n; a message goes on Enter or space. */
static void OnBoxKey(char c)
{
    int yes = boxIsQuestion && (c == 'y' || c == 'Y');
    int no = boxIsQuestion ? (c == 'n' || c == 'N') : (c == '\n' || c == ' ');
    if (c == 'q')
        Queue(ACTION_QUIT, 0);
    else if (yes)
        boxAnswer = 1;
    else if (no)
        boxAnswer = 0;
}

void TerminalKey(char c)
{
    size_t length = strlen(typed);
    keysChanged = 1;
    if (boxOpen) {
        OnBoxKey(c);
        return;
    }
    if (c == '\n') {
        RunCommand(typed);
        typed[0] = '\0';
    } else if (c == 0x7F || c == '\b') {
        if (length) typed[length - 1] = '\0';
    } else if (length == 0 && strchr("dngq", c)) {
        char command[2] = {c, '\0'};
        RunCommand(command);
    } else if (c >= '0' && c <= '9' && length + 1 < sizeof typed) {
        typed[length] = c;
        typed[length + 1] = '\0';
    }
}

int TerminalMessageBox(const char *text, const char *caption, int isQuestion)
{
    snprintf(boxText, sizeof boxText, "%s", text);
    snprintf(boxCaption, sizeof boxCaption, "%s", caption);
    boxIsQuestion = isQuestion;
    boxAnswer = -1;
    boxOpen = keysChanged = 1;
    while (boxAnswer < 0 && !PumpMessages()) {
    }
    boxOpen = 0;
    keysChanged = 1;
    return boxAnswer == 1;
}

/* ---- Real time ---------------------------------------------------------- */

static int64_t Now(void)
{
    struct timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return (int64_t)(now.tv_sec - startTime.tv_sec) * 1000 +
           (now.tv_nsec - startTime.tv_nsec) / 1000000;
}

static void ReadKeys(void)
{
    struct pollfd input = {STDIN_FILENO, POLLIN, 0};
    char keys[64];
    ssize_t n;
    while (poll(&input, 1, 0) > 0 && (n = read(STDIN_FILENO, keys, sizeof keys)) > 0) {
        for (ssize_t i = 0; i < n; i++) TerminalKey(keys[i]);
    }
}

/* Redraws after anything a player would see changed: the window, the
   sounds playing, the keys typed. */
static void DrawIfChanged(void)
{
    static long long drawnChanges = -1;
    static int drawnPlaying = -1, drawnBackground = -1;
    int playing = RecordingSoundNow(0), background = RecordingSoundNow(1);
    if (!keysChanged && drawnChanges == RecordingChangeCount() && drawnPlaying == playing &&
        drawnBackground == background)
        return;
    Draw();
    keysChanged = 0;
    drawnChanges = RecordingChangeCount();
    drawnPlaying = playing;
    drawnBackground = background;
}

static int64_t RestInRealTime(int64_t, int ms)
{
    ReadKeys();
    DrawIfChanged();
    struct timespec rest = {ms / 1000, (long)(ms % 1000) * 1000000L};
    if (ms > 0) nanosleep(&rest, NULL);
    return Now();
}

int PlayInTerminal(void)
{
    clock_gettime(CLOCK_MONOTONIC, &startTime);
    MakeTerminalRaw();
    RecordingReset();
    recordingSlots.rest = RestInRealTime;
    recordingSlots.messageBox = TerminalMessageBox;
    RecordingSetInputOpen(1);
    Draw();
    RecordingRun();
    RestoreTerminal();
    puts("Thank you for playing.");
    return 0;
}
