/* NEW GAME and quit arriving at every moment of a turn: the new game starts
   exactly as NewGame leaves it and the interrupted turn touches nothing. */
#include "support.h"

namespace
{

struct Moment {
    const char *name;
    bool swapClock;
    const char *script; /* after the clock line */
    const char *trigger;
    int nth;
    const char *then = nullptr; /* the first line after the trigger that ends the moment */
};

void PrintTo(const Moment &m, std::ostream *out)
{
    *out << m.name;
}

const char toFirstCall[] = "click 1\nclick 2\nclick 3\nclick 4\nclick 5\nclick 6\n";
const char toFirstReminder[] = "click 1\nclick 2\nclick 3\nclick 4\nclick 5\nclick 6\nwait 30\n";

std::string ScriptOf(const Moment &m)
{
    std::string script = m.swapClock ? swapClockLine : firstClockLine;
    std::string toOwnBox = UpToOwnBox(false);
    if (std::string(m.script) == "last call")
        return script + toOwnBox.substr(0, toOwnBox.rfind("nodeal"));
    if (std::string(m.script) == "answered last call") return script + "swap yes\n" + toOwnBox;
    if (std::string(m.script) == "whole game") return script + GameScript(false);
    if (std::string(m.script) == "deal game") return script + GameScript(true);
    return script + m.script;
}

const Moment moments[] = {
    {"NewGamesOwnPass", false, "click 1\nclick 2\nwait 10\nnewgame yes\n", "CHOOSE YOUR OWN BOX",
     2},
    {"RevealPass", false, "click 1\nclick 2\n", "YOU HAVE REVEALED", 1},
    {"EndOfClickPass", false, "click 1\nclick 2\n", "text 1007 \"OPEN A BOX\"", 1},
    {"FirstWaitOfCall", false, toFirstCall, " play 3", 1},
    {"SecondWaitOfCall", false, toFirstCall, " play 3", 2},
    {"ThirdWaitOfCall", false, toFirstCall, " play 9", 1},
    {"PassAfterOffer", false, toFirstCall, "add 1004", 1},
    {"ReminderPass", false, toFirstReminder, "PRESS THE DEAL", 1},
    {"AnswerPass", false, "click 1\nclick 2\nclick 3\nclick 4\nclick 5\nclick 6\nnodeal\n",
     "NO DEAL! NOW", 1},
    {"DealPass", false, "click 1\nclick 2\nclick 3\nclick 4\nclick 5\nclick 6\ndeal\n", "DEAL! NOW",
     1},
    {"AfterDealFigurePass", false, "deal game", "BANKER WOULD'VE OFFERED", 1},
    /* The answer wait only starts once the last offer's reveal has played;
       the swap's first wait once its first ring has. */
    {"AnswerWaitAtLastCall", false, "last call", "add 1004", 6, " play 0"},
    {"SwapRings", true, "answered last call", "THE BANKER WILL ALLOW", 1, " play 3"},
    {"SwapQuestion", true, "answered last call", "SWAP YOUR BOX?", 1},
    {"VerdictBox", false, "whole game", "inform", 1},
    {"LastBoxPass", false, "whole game", "THANKYOU FOR PLAYING", 1},
};

class AtEveryMoment : public ConsoleTest, public ::testing::WithParamInterface<Moment>
{
  protected:
    /* Loads the moment's game and has the player act once the moment comes,
       dropping the rest of the script. */
    void ActAtTheMoment(int kind, int yes = 0)
    {
        const Moment &m = GetParam();
        Load(ScriptOf(m));
        When(m.trigger, m.nth, [this, m, kind, yes] {
            auto act = [this, kind, yes] {
                historyThen = RecordingLineCount(IDC_WIN_HISTORY);
                actedAt = (int)log.size();
                RecordingClearQueue();
                Queue(kind, 0, yes);
            };
            if (m.then)
                When(m.then, 1, act);
            else
                act();
        });
    }
    int historyThen = -1, actedAt = -1;
};

TEST_P(AtEveryMoment, NewGameStartsFreshAndTheOldTurnStops)
{
    ActAtTheMoment(ACTION_NEW_GAME, 1);
    ASSERT_EQ(RUN_IDLE, Run());
    ASSERT_NE(-1, actedAt) << "the moment never came";

    int asked = Find("ask \"NEW GAME\" \"START AGAIN?\" yes");
    ASSERT_GT(asked, 0);
    int jingle = Find(" play 7", asked);
    ASSERT_GT(jingle, asked);
    for (size_t i = jingle + 1; i < log.size(); i++) EXPECT_EQ("tick", log[i].op) << log[i].whole;
    ExpectFreshGame();
    EXPECT_EQ(historyThen, RecordingLineCount(IDC_WIN_HISTORY));
    EXPECT_EQ(1, (int)std::count_if(log.begin() + asked, log.end(), [](const LogLine &l) {
                  return l.whole.find(" play 7") != std::string::npos;
              }));

    /* The new game plays on. */
    Load("click 5\nclick 6\n");
    ASSERT_EQ(RUN_IDLE, Run());
    EXPECT_EQ(2, gameState.pickCount);
    EXPECT_EQ(1, gameState.boxes[4].isOwnBox);
    EXPECT_EQ(1, gameState.boxes[5].opened);
}

TEST_P(AtEveryMoment, QuitEndsTheRunWhereItStands)
{
    ActAtTheMoment(ACTION_QUIT);
    ASSERT_EQ(RUN_QUIT, Run());
    ASSERT_NE(-1, actedAt) << "the moment never came";
    /* The next pass takes the quit message; nothing happens after it. */
    EXPECT_EQ(actedAt, (int)log.size()) << log.back().whole;
    EXPECT_TRUE(ViewQuitTaken());
    EXPECT_NE(0, PumpMessages());
}

INSTANTIATE_TEST_SUITE_P(Turn, AtEveryMoment, ::testing::ValuesIn(moments),
                         [](const ::testing::TestParamInfo<Moment> &info) {
                             return std::string(info.param.name);
                         });

} // namespace
