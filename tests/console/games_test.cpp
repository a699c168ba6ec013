/* Whole games and their parts, played on the virtual clock in-process. */
#include <cmath>
#include <cstdio>
#include <sstream>

#include "support.h"

namespace
{

std::string Reveal(unsigned k)
{
    char text[64];
    snprintf(text, sizeof text, "YOU HAVE REVEALED '%0.2f'", (double)AmountTable[k]);
    return text;
}

/* The sounds after the reveals of boxes 2 to 21 of the first clock's deal,
   read off the reveal table by the band of each sum: without a deal, and
   with the deal taken at the first offer (after box 6). */
const int reactionsWithoutDeal[20] = {1, 5, 1, 4, 4, 1, 5, 5, 5, 1, 6, 6, 6, 5, 5, 4, 5, 5, 4, 5};
const int reactionsAfterFirstOffer[20] = {1, 5, 1, 4, 4, 5, 1, 1, 1, 5,
                                          4, 4, 4, 1, 1, 6, 1, 1, 6, 1};

const char won[] = "\"CONGRATULATIONS\" \"YOU VANTOREL\"";
const char lost[] = "\"UNLUCKY\" \"YOU DID NOT VANTOREL\\n\\nTHE BANKER WON\"";

class Games : public ConsoleTest
{
  protected:
    /* The reveal messages in order, with the sound played after each
       reveal's own sound. */
    std::vector<std::pair<std::string, int>> RevealsAndReactions() const
    {
        std::vector<std::pair<std::string, int>> found;
        for (size_t i = 0; i < log.size(); i++) {
            if (log[i].whole.find("YOU HAVE REVEALED") == std::string::npos) continue;
            found.push_back({Unquote(log[i].args.substr(5)), SoundAfter(Find(" play 0", (int)i))});
        }
        return found;
    }
    /* The sound played to its end next after log line from; -1 for none. */
    int SoundAfter(int from) const
    {
        int next = from < 0 ? -1 : Find(" play ", from + 1);
        return next < 0 ? -1 : std::stoi(log[next].args);
    }
};

/* The home positions start-up captures from the recording view's window. */
TEST_F(Games, HomePositionsAreTheTemplatesInPixels)
{
    Load(firstClockLine);
    ASSERT_EQ(RUN_IDLE, Run());
    /* Dialog units times 6/4 across and 13/8 down, rounded half up. */
    const Box &first = gameState.boxes[0];
    EXPECT_EQ(14, first.pictureX);  /* 9 du = 13.5 px */
    EXPECT_EQ(489, first.pictureY); /* 301 du = 489.125 px */
    EXPECT_EQ(32, first.buttonX);
    EXPECT_EQ(509, first.buttonY);
    EXPECT_EQ(114, first.plateX);
    EXPECT_EQ(96, first.plateY);
    const Box &last = gameState.boxes[21];
    EXPECT_EQ(666, last.pictureX);
    EXPECT_EQ(488, last.pictureY);
    EXPECT_EQ(522, last.plateX); /* plate 20021: 348, 219 du */
    EXPECT_EQ(356, last.plateY);
    /* Every control the logic moves stands inside the 765 x 574 client area. */
    for (const Box &box : gameState.boxes) {
        EXPECT_LT(box.pictureX + 86, 765);
        EXPECT_LT(box.pictureY + 67, 574);
        EXPECT_GT(box.buttonX, box.pictureX);
        EXPECT_GT(box.buttonY, box.pictureY);
    }
}

TEST_F(Games, FirstClockGameWithoutDealRevealsTheKnownDeal)
{
    Load(firstClockLine + GameScript(false));
    ASSERT_EQ(RUN_IDLE, Run());

    auto reveals = RevealsAndReactions();
    ASSERT_EQ(22u, reveals.size());
    for (int box = 2; box <= 21; box++) {
        unsigned k = firstDeal[box - 1];
        EXPECT_EQ(Reveal(k), reveals[box - 2].first) << "box " << box;
        EXPECT_EQ(reactionsWithoutDeal[box - 2], reveals[box - 2].second) << "box " << box;
    }
    EXPECT_EQ(Reveal(firstDeal[0]), reveals[20].first);
    EXPECT_EQ(Reveal(firstDeal[21]), reveals[21].first);

    std::vector<std::string> messages = Messages();
    EXPECT_EQ("YOU HAVE CHOSEN BOX '1'", messages[2]);
    EXPECT_EQ("OPEN A BOX", messages[3]);
    /* Choosing is silent: the next sound is the first reveal's. */
    EXPECT_GT(Find(" play ", Find("YOU HAVE CHOSEN BOX")), Find("YOU HAVE REVEALED"));
    /* NO DEAL is good news too, heard before the next box. */
    int answers = 0;
    for (int i = Find("NO DEAL! NOW"); i >= 0; i = Find("NO DEAL! NOW", i + 1), answers++)
        EXPECT_EQ(IDW_GOOD_NEWS, SoundAfter(i));
    EXPECT_EQ(6, answers);
    EXPECT_EQ("THANKYOU FOR PLAYING VANTOREL.  PRESS 'NEW GAME'", messages.back());
    EXPECT_EQ(IDW_START_END, std::stoi(Ops("play").back().args));

    ASSERT_EQ(6, RecordingLineCount(IDC_OFFER_LIST));
    EXPECT_EQ(Pounds("8400"), RecordingLine(IDC_OFFER_LIST, 0));
    EXPECT_EQ(Pounds("3900"), RecordingLine(IDC_OFFER_LIST, 5));

    /* 3000 in the own box against a sixth offer of 3968: the banker won. */
    ASSERT_EQ(1u, Ops("inform").size());
    EXPECT_EQ(lost, Ops("inform")[0].args);
    ASSERT_EQ(1, RecordingLineCount(IDC_WIN_HISTORY));
    EXPECT_EQ(Pounds("3000"), RecordingLine(IDC_WIN_HISTORY, 0));
    EXPECT_EQ(Pounds("3000"), RecordingText(IDC_BANK_VALUE));
    EXPECT_LT(Find("add 1006"), Find("inform"));
}

TEST_F(Games, DealAtTheFirstOfferBanksItAndTurnsTheSoundsRound)
{
    Load(firstClockLine + GameScript(true));
    ASSERT_EQ(RUN_IDLE, Run());

    int deal = Find("DEAL! NOW CARRY ON AND OPEN THE BOXES");
    ASSERT_GT(deal, 0);
    /* The bank shows the offer at once, before the deal's message. */
    int bank = Find("text 1009", Find("add 1004"));
    EXPECT_EQ("1009 \"" + PoundsUtf8("8400") + "\"", log[bank].args);
    EXPECT_LT(bank, deal);
    EXPECT_EQ(log[deal].ms, log[bank].ms);
    EXPECT_EQ(IDW_GOOD_NEWS, SoundAfter(deal));

    auto reveals = RevealsAndReactions();
    for (int box = 2; box <= 21; box++)
        EXPECT_EQ(reactionsAfterFirstOffer[box - 2], reveals[box - 2].second) << "box " << box;
    std::vector<std::string> messages = Messages();
    int afterDeal = 0;
    for (size_t i = 0; i < messages.size(); i++) {
        if (messages[i] == "DEAL! NOW CARRY ON AND OPEN THE BOXES") afterDeal = 1;
        if (!afterDeal) continue;
        EXPECT_NE("OPEN A BOX", messages[i]);
        EXPECT_NE("PRESS THE DEAL BUTTON OR NO DEAL BUTTON", messages[i]);
        if (messages[i] == "THE BANKER WANTS TO SAY HOW MUCH HE WOULD HAVE OFFERED YOU") {
            EXPECT_EQ("BANKER WOULD'VE OFFERED YOU THE ABOVE. NOW OPEN MORE BOXES",
                      messages[i + 1]);
        }
    }
    EXPECT_EQ(5, (int)std::count(messages.begin(), messages.end(),
                                 "BANKER WOULD'VE OFFERED YOU THE ABOVE. NOW OPEN MORE BOXES"));
    EXPECT_EQ(-1, Find("start 8", deal));

    /* 8400 banked against 3000 in the own box. */
    EXPECT_EQ(won, Ops("inform").at(0).args);
    EXPECT_EQ(Pounds("8400"), RecordingLine(IDC_WIN_HISTORY, 0));
    EXPECT_EQ(Pounds("8400"), RecordingText(IDC_BANK_VALUE));
}

/* The swap clock's first game: box 1 holds 15,000, box 22 0.50. A swap
   exchanges the two buttons' numbers and sums until the next game; after a
   deal it decides the verdict on the other sum. */
TEST_F(Games, SwapAnswers)
{
    struct {
        const char *answer;
        bool deal;
        const char *firstButton;
        unsigned ownBox, lastBox; /* the boxes whose sums the last two reveals show */
        const char *banked;       /* nullptr: the first offer, taken */
        const char *verdict;
    } const cases[] = {
        {"yes", false, "22", 22, 1, "0.50", lost},
        {"yes", true, "22", 22, 1, nullptr, won},
        {"no", false, "1", 1, 22, "15000", won},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.answer) + (c.deal ? " after a deal" : ""));
        log.clear();
        RecordingReset();
        Load(swapClockLine + "swap " + c.answer + "\n" + GameScript(c.deal));
        ASSERT_EQ(RUN_IDLE, Run());
        int offer = Find("THE BANKER WILL ALLOW YOU TO SWAP YOUR BOX");
        ASSERT_GT(offer, Find("DEAL! NOW")) << "this clock must offer the swap";
        int ask =
            Find("ask \"BANKER ASKS ...\" \"SWAP YOUR BOX?\" " + std::string(c.answer), offer);
        ASSERT_GT(ask, offer);
        std::string sounds;
        for (int i = offer; i < ask; i++) {
            if (log[i].op == "play") sounds += log[i].args + " ";
        }
        EXPECT_EQ("3 3 3 ", sounds);

        EXPECT_STREQ(c.firstButton, RecordingText(IDC_BOX_BUTTON_FIRST + 0));
        EXPECT_EQ(std::string(c.firstButton) == "1" ? "22" : "1",
                  std::string(RecordingText(IDC_BOX_BUTTON_FIRST + 21)));
        EXPECT_EQ(1, gameState.boxes[0].isOwnBox);
        std::vector<std::string> messages = Messages();
        size_t own =
            std::find(messages.begin(), messages.end(), "OPEN YOUR BOX") - messages.begin();
        ASSERT_LT(own + 1, messages.size());
        EXPECT_EQ(Reveal(swapDeal[c.ownBox - 1]), messages[own + 1]);
        EXPECT_EQ(Reveal(swapDeal[c.lastBox - 1]), messages.at(messages.size() - 2));
        std::string banked = c.banked ? Pounds(c.banked) : RecordingLine(IDC_OFFER_LIST, 0);
        EXPECT_EQ(banked, RecordingText(IDC_BANK_VALUE));
        EXPECT_EQ(banked, RecordingLine(IDC_WIN_HISTORY, 0));
        EXPECT_EQ(c.verdict, Ops("inform").at(0).args);

        Load("newgame yes\n");
        Run();
        for (int b = 0; b < BOX_COUNT; b++)
            EXPECT_EQ(std::to_string(b + 1), RecordingText(IDC_BOX_BUTTON_FIRST + b));
    }
}

/* Plays to "OPEN YOUR BOX", lets adjust the state, then opens box 1. */
class Verdict : public Games
{
  protected:
    std::string OpenOwnBoxAfter(bool deal, const std::function<void()> &adjust)
    {
        log.clear();
        RecordingReset();
        Load(firstClockLine + UpToOwnBox(deal));
        Run();
        EXPECT_STREQ("OPEN YOUR BOX", RecordingText(IDC_MESSAGE));
        adjust();
        Queue(ACTION_CLICK, 1);
        Run();
        /* The verdict is heard before it is read: good news or bad. */
        std::string verdict = Ops("inform").at(0).args;
        int reveal = Find(" play 0", Find("\"OPEN YOUR BOX\""));
        EXPECT_EQ(verdict == won ? IDW_GOOD_NEWS : IDW_BAD_NEWS, SoundAfter(reveal));
        EXPECT_LT(Find(" play ", reveal + 1), Find("inform"));
        return verdict;
    }
};

TEST_F(Verdict, EqualValuesAreTheBankersWin)
{
    const float own = AmountTable[firstDeal[0]];
    /* A deal at exactly the own box's sum. */
    EXPECT_EQ(lost, OpenOwnBoxAfter(true, [&] { gameState.bankAmount = own; }));
    EXPECT_EQ(won,
              OpenOwnBoxAfter(true, [&] { gameState.bankAmount = std::nextafter(own, 1e9f); }));
    EXPECT_EQ(lost,
              OpenOwnBoxAfter(true, [&] { gameState.bankAmount = std::nextafter(own, 0.0f); }));
    /* No deal, and a sixth offer of exactly the own box's sum. */
    EXPECT_EQ(lost, OpenOwnBoxAfter(false, [&] { gameState.currentOffer = own; }));
    EXPECT_EQ(won,
              OpenOwnBoxAfter(false, [&] { gameState.currentOffer = std::nextafter(own, 0.0f); }));
    EXPECT_EQ(Pounds("3000"), RecordingText(IDC_BANK_VALUE));
}

/* Each refused click leaves the game as it was: no sound, no message. */
class RefusedClicks : public Games
{
  protected:
    /* All of the game's state a click could change but the offer shown. */
    static std::string Take()
    {
        std::ostringstream s;
        s << gameState.pickCount << ' ' << gameState.offerPending << ' ' << gameState.dealTaken
          << ' ' << gameState.busy << ' ' << std::hexfloat << gameState.bankAmount << ' '
          << RecordingText(IDC_MESSAGE);
        for (const Box &box : gameState.boxes)
            s << ' ' << box.amountIndex << '/' << box.opened << '/' << box.isOwnBox;
        long long sounds = 0;
        for (long long plays : RecordingGetCounts()->plays) sounds += plays;
        s << " sounds " << sounds;
        return s.str();
    }
    /* Delivers one action and answers what it changed in the window. */
    void ExpectRefused(int kind, int box, const char *offerValueAfter, int force = 0)
    {
        std::string before = Take(), offerValueBefore = RecordingText(IDC_OFFER_VALUE);
        size_t from = log.size();
        Queue(kind, box, 0, 0, force);
        ASSERT_EQ(RUN_IDLE, Run());
        EXPECT_EQ(before, Take());
        EXPECT_EQ(offerValueAfter ? std::string(offerValueAfter) : offerValueBefore,
                  RecordingText(IDC_OFFER_VALUE));
        for (size_t i = from; i < log.size(); i++) {
            const std::string &op = log[i].op;
            EXPECT_TRUE(op == "focus" || op == "tick" || op == "start" ||
                        log[i].args == "1008 \"\"")
                << log[i].whole;
        }
    }
};

TEST_F(RefusedClicks, InEveryWrongState)
{
    Load(firstClockLine + "click 1\nclick 2\n");
    Run();
    /* Opening: the own box before 21 (its refusal still empties the offer). */
    ExpectRefused(ACTION_CLICK, 1, "");
    /* An opened box: its button is out of view but takes a posted click. */
    ExpectRefused(ACTION_CLICK, 2, "");
    /* No offer waits: DEAL and NO DEAL, posted past their disabled buttons. */
    ExpectRefused(ACTION_DEAL, 0, nullptr, 1);
    ExpectRefused(ACTION_NO_DEAL, 0, nullptr, 1);

    /* Awaiting an answer: the offer stays on show. */
    Load("click 3\nclick 4\nclick 5\nclick 6\n");
    Run();
    ASSERT_EQ(1, gameState.offerPending);
    ExpectRefused(ACTION_CLICK, 10, Pounds("8400").c_str());

    /* Own box to open: the other closed box. */
    log.clear();
    Load("nodeal\nwait 4\n" + UpToOwnBox(false).substr(UpToOwnBox(false).find("click 7")));
    Run();
    ASSERT_EQ(21, gameState.pickCount);
    ExpectRefused(ACTION_CLICK, 22, "");

    /* Last box to open: the own box, now opened. Game over: any box. */
    Load("click 1\n");
    Run();
    ASSERT_EQ(22, gameState.pickCount);
    ExpectRefused(ACTION_CLICK, 1, "");
    Load("click 22\n");
    Run();
    ASSERT_EQ(23, gameState.pickCount);
    for (int box : {1, 5, 22}) ExpectRefused(ACTION_CLICK, box, "");
}

TEST_F(RefusedClicks, DuringATurnPostedClicksChangeNothingAndHeldClicksWait)
{
    RecordingSetEchoInput(1);
    Load(firstClockLine + "click 1\nclick 2\nclick 3\nclick 4\nclick 5\nclick 6\n");
    /* Inside the banker's first wait: busy is set, the buttons disabled. */
    When(" play 3", 1, [&] {
        Queue(ACTION_CLICK, 10, 0, 0, 1);
        Queue(ACTION_CLICK, 11);
    });
    Run();
    EXPECT_EQ(6, gameState.pickCount);
    EXPECT_EQ(1, gameState.offerPending);
    /* The posted click came inside the first wait; the held one only once
       the turn had enabled the buttons again, and was refused for the
       waiting offer. */
    int posted = Find("input click 10");
    EXPECT_GT(posted, Find(" play 3"));
    EXPECT_LT(posted, Find(" play 3", Find(" play 3") + 1));
    int held = Find("input click 11");
    EXPECT_GT(held, Find("enable 10010 1", Find("add 1004")));
    EXPECT_EQ(Pounds("8400"), RecordingText(IDC_OFFER_VALUE));
}

TEST_F(Games, RemindersComeWithinFourSecondsOfTheOfferAndEveryFourAfter)
{
    Load(firstClockLine + "click 1\nclick 2\nclick 3\nclick 4\nclick 5\nclick 6\nwait 60\n");
    Run();
    long long offered = Ops("add").at(0).ms;
    std::vector<long long> reminders;
    for (const LogLine &line : log) {
        if (line.whole.find("PRESS THE DEAL BUTTON OR NO DEAL BUTTON") != std::string::npos)
            reminders.push_back(line.ms);
    }
    ASSERT_GE(reminders.size(), 6u);
    EXPECT_LE(reminders[0] - offered, 4000);
    EXPECT_GT(reminders[0], offered);
    for (size_t i = 1; i < reminders.size(); i++) EXPECT_EQ(4000, reminders[i] - reminders[i - 1]);
    /* Only the reminder enables the answers, with its sound. */
    EXPECT_EQ(reminders[0], log[Find("enable 1003 1")].ms);
    EXPECT_EQ(reminders[0], log[Find("enable 1039 1")].ms);
    EXPECT_EQ((long long)reminders.size(), RecordingGetCounts()->starts[IDW_ANSWER_PROMPT]);

    /* Answered, the reminders stop. */
    Load("nodeal\nwait 20\n");
    Run();
    int answered = Find("NO DEAL! NOW");
    ASSERT_GT(answered, 0);
    EXPECT_EQ(-1, Find("PRESS THE DEAL", answered));
    EXPECT_EQ(-1, Find("start 8", answered));
    EXPECT_FALSE(RecordingEnabled(IDC_DEAL));
    EXPECT_FALSE(RecordingEnabled(IDC_NO_DEAL));
}

TEST_F(Games, BankersCallRingsWaitsAndOffersInOrder)
{
    Load(firstClockLine + "click 1\nclick 2\nclick 3\nclick 4\nclick 5\nclick 6\n");
    Run();
    int start = Find("THE BANKER WISHES TO MAKE A DEAL");
    int end = Find(" play 0", Find("add 1004"));
    ASSERT_GT(end, start);
    std::string order;
    int ticks = 0;
    std::vector<long long> waits;
    long long waitStart = 0;
    for (int i = start + 1; i <= end; i++) {
        const LogLine &line = log[i];
        if (line.op == "tick") {
            ticks++;
            continue;
        }
        if (line.op != "play" && line.op != "add" && line.op != "text") continue;
        if (ticks) {
            order += "[" + std::to_string(ticks) + " ticks] ";
            waits.push_back(line.ms - waitStart);
        }
        ticks = 0;
        order += line.op + " " + line.args.substr(0, 4) + "; ";
        if (line.op == "play") waitStart = line.ms + SoundLengthMs[std::stoi(line.args)];
    }
    EXPECT_EQ("play 3; [3 ticks] play 3; [3 ticks] play 3; play 9; [3 ticks] text 1008; "
              "add 1004; play 0; ",
              order);
    /* A tick that fell due during a ring comes at once, so a wait of three
       ticks lasts between one and three seconds. */
    for (long long wait : waits) {
        EXPECT_GE(wait, 1000);
        EXPECT_LE(wait, 3000);
    }
    long long length = log[end].ms + SoundLengthMs[IDW_REVEAL] - log[start].ms;
    EXPECT_GE(length, 7830 + 400 + 1510 + 3 * 1000);
    EXPECT_LE(length, 7830 + 400 + 1510 + 3 * 3000);
}

TEST_F(Games, BackgroundSoundEveryFourthTickFromTheChoiceUntilNewGame)
{
    Load(firstClockLine + "wait 10\n" + GameScript(false) +
         "wait 20\nnewgame yes\nwait 20\nclick 3\nwait 10\n");
    ASSERT_EQ(RUN_IDLE, Run());
    /* Each game counts its ticks from its start; every fourth one starts
       sound 2 once the own box is chosen, the game over included. */
    std::vector<int> expected, started;
    int ticks = 0, afterEnd = 0, ticksUnchosen = 0;
    bool chosen = false, over = false;
    for (int i = 0; i < (int)log.size(); i++) {
        const LogLine &line = log[i];
        if (line.args == "1007 \"CHOOSE YOUR OWN BOX\"") ticks = 0, chosen = false, over = false;
        if (line.args.find("YOU HAVE CHOSEN BOX") != std::string::npos) chosen = true;
        if (line.args.find("THANKYOU FOR PLAYING") != std::string::npos) over = true;
        if (line.op == "tick" && ++ticks % 4 == 0 && chosen) expected.push_back(i + 1);
        if (line.op == "tick" && !chosen) ticksUnchosen++;
        if (line.op == "start" && line.args == "2") started.push_back(i), afterEnd += over;
    }
    EXPECT_EQ(expected, started);
    EXPECT_GE(afterEnd, 4);
    EXPECT_GE(ticksUnchosen, 20);
    EXPECT_GT(started.back(), Find("CHOSEN BOX '3'"));
}

TEST_F(Games, TicksCollapseAfterASoundAndKeepTheirPhase)
{
    Load(firstClockLine + "wait 10\n");
    Run();
    std::vector<long long> ticks;
    for (const LogLine &line : Ops("tick")) ticks.push_back(line.ms);
    /* The start jingle runs from 1 to 5821 ms: five periods, one tick. */
    EXPECT_EQ((std::vector<long long>{5821, 6000, 7000, 8000, 9000, 10000}), ticks);
}

} // namespace
