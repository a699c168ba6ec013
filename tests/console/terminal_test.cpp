/* The terminal game on the virtual clock: a player who watches the board
   and types, one key per pass, as zendaro-console's real-time game reads
   them. */
#include <functional>
#include <string>
#include <vector>

#include "support.h"
#include "terminal.h"

namespace
{

struct Step {
    std::function<bool()> ready;
    std::string keys; // cppcheck-suppress unusedStructMember ; read through steps.front()
};

std::vector<Step> steps;
std::string keys;    /* typed one a pass */
const char *openBox; /* the text of the message box on the board */
std::vector<std::string> boxScreens, soundScreens;
bool outOfTime;

const int64_t PLAYER_PATIENCE_MS = 3600000;

int64_t PlayerRest(int64_t nowMs, int ms)
{
    if (openBox && boxScreens.size() < 8) boxScreens.push_back(TerminalScreen());
    if (ms > 1 && RecordingSoundNow(0) >= 0) soundScreens.push_back(TerminalScreen());
    if (keys.empty() && !steps.empty() && steps.front().ready()) {
        keys = steps.front().keys;
        steps.erase(steps.begin());
    }
    if (keys.empty() && nowMs > PLAYER_PATIENCE_MS && !outOfTime) {
        outOfTime = true; /* a step that never became ready */
        keys = "q";
    }
    if (!keys.empty()) {
        TerminalKey(keys[0]);
        keys.erase(0, 1);
    }
    return nowMs + ms;
}

int BoxOnTheBoard(const char *text, const char *caption, int isQuestion)
{
    openBox = text;
    int yes = TerminalMessageBox(text, caption, isQuestion);
    openBox = nullptr;
    return yes;
}

class TerminalGame : public ConsoleTest
{
  protected:
    void SetUp() override
    {
        ConsoleTest::SetUp();
        Load(firstClockLine);
        recordingSlots.rest = PlayerRest;
        recordingSlots.messageBox = BoxOnTheBoard;
        RecordingSetInputOpen(1);
        steps.clear();
        keys.clear();
        boxScreens.clear();
        soundScreens.clear();
        outOfTime = false;
    }
    void TearDown() override
    {
        recordingSlots = VIRTUAL_SLOTS;
        ConsoleTest::TearDown();
    }
    static bool Idle(int pickCount)
    {
        return !openBox && gameState.pickCount == pickCount && !gameState.busy &&
               !gameState.offerPending && RecordingEnabled(IDC_BOX_BUTTON_FIRST);
    }
    void Play()
    {
        EXPECT_EQ(RUN_QUIT, Run());
        EXPECT_FALSE(outOfTime) << steps.size() << " steps never became ready";
    }
};

/* Box 1 kept, 2 to 21 opened in order, NO DEAL at every offer, then box 1
   and box 22: each number typed and Enter, each offer answered with n. */
TEST_F(TerminalGame, AWholeGamePlayedWithTheKeys)
{
    const int order[23] = {1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12,
                           13, 14, 15, 16, 17, 18, 19, 20, 21, 1,  22};
    std::string screenAtPick5;
    for (int p = 0; p < 23; p++) {
        auto ready = [p, &screenAtPick5] {
            if (!Idle(p)) return false;
            if (p == 5) screenAtPick5 = TerminalScreen();
            return true;
        };
        steps.push_back({ready, std::to_string(order[p]) + "\n"});
        if (IsBankerCount(p + 1)) steps.push_back({[] { return RecordingEnabled(IDC_DEAL); }, "n"});
        if (p == 21) steps.push_back({[] { return openBox != nullptr; }, "\n"});
    }
    steps.push_back({[] { return Idle(23); }, "q"});
    Play();

    EXPECT_EQ(Pounds("3000"), RecordingText(IDC_BANK_VALUE));
    /* The own box stands under MY BOX, not in the ring; opened boxes show
       their sums (box 2 held 50,000). */
    EXPECT_EQ(std::string::npos, screenAtPick5.find("(choose a box)"));
    EXPECT_NE(std::string::npos, screenAtPick5.find("[1]"));
    EXPECT_EQ(screenAtPick5.find("[1]"), screenAtPick5.rfind("[1]")) << screenAtPick5;
    EXPECT_NE(std::string::npos, screenAtPick5.find(PoundsUtf8("50k")));
    /* The verdict as a box with its two sentences on one line. */
    ASSERT_FALSE(boxScreens.empty());
    EXPECT_NE(std::string::npos, boxScreens[0].find("[Enter] OK"));
    EXPECT_TRUE(boxScreens[0].find("YOU VANTOREL") != std::string::npos ||
                boxScreens[0].find("YOU DID NOT VANTOREL - THE BANKER WON") != std::string::npos)
        << boxScreens[0];
    /* Every sound played to its end is named on the board while it plays. */
    size_t rings = 0, reveals = 0;
    for (const std::string &screen : soundScreens) {
        rings += screen.find("the banker's phone rings") != std::string::npos;
        reveals += screen.find("the reveal") != std::string::npos;
    }
    EXPECT_EQ((size_t)RecordingGetCounts()->plays[IDW_BANKER_CALL], rings);
    EXPECT_EQ((size_t)RecordingGetCounts()->plays[IDW_REVEAL], reveals);
}

/* NEW GAME asks on the board: a stray key leaves the question open, n keeps
   the game, y starts a new one, and q in a box closes the window. */
TEST_F(TerminalGame, TheNewGameQuestionIsAnsweredWithTheKeys)
{
    steps = {
        {[] { return Idle(0); }, "1\n"},           {[] { return Idle(1); }, "g"},
        {[] { return openBox != nullptr; }, "xn"}, {[] { return Idle(1); }, "g"},
        {[] { return openBox != nullptr; }, "y"},  {[] { return Idle(0) && gameSerial == 2; }, "g"},
        {[] { return openBox != nullptr; }, "q"}};
    Play();

    EXPECT_EQ(2u, gameSerial);
    EXPECT_EQ(0, gameState.pickCount);
    ExpectFreshGame();
    ASSERT_FALSE(boxScreens.empty());
    for (const char *part : {" NEW GAME ", "START AGAIN?", "[y] Yes   [n] No",
                             "ZENDARO - UK - \xC2\xA3"
                             "250,000 JACKPOT"})
        EXPECT_NE(std::string::npos, boxScreens[0].find(part)) << part;
    std::vector<LogLine> asks = Ops("ask");
    ASSERT_EQ(3u, asks.size());
    EXPECT_EQ("\"NEW GAME\" \"START AGAIN?\" no", asks[0].args);
    EXPECT_EQ("\"NEW GAME\" \"START AGAIN?\" yes", asks[1].args);
}

} // namespace
