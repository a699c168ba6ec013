#include "support.h"

#include <sstream>
#include <utility>

const std::string firstClockLine = "clock 2008-03-14T09:26:53.589\n";
const std::string swapClockLine = "clock 2008-03-14T09:27:01.621\n";
const unsigned firstDeal[BOX_COUNT] = {12, 18, 2,  19, 10, 9,  20, 7, 1,  5, 21,
                                       17, 16, 15, 0,  8,  14, 3,  6, 11, 4, 13};
const unsigned swapDeal[BOX_COUNT] = {15, 16, 14, 7,  17, 18, 3, 10, 6,  8,  13,
                                      11, 4,  1,  21, 9,  20, 5, 0,  12, 19, 2};

std::string GameScript(bool dealAtFirstOffer)
{
    std::ostringstream script;
    script << "click 1\n";
    for (int box = 2; box <= 21; box++) {
        script << "click " << box << "\n";
        if ((box - 1) % 3 != 2 || box < 6) continue;
        /* The answer's own sound plays out before the next box. */
        if (box == 6 && dealAtFirstOffer)
            script << "deal\nwait 4\n";
        else if (!dealAtFirstOffer)
            script << "nodeal\nwait 4\n";
    }
    script << "click 1\nclick 22\n";
    return script.str();
}

std::string UpToOwnBox(bool dealAtFirstOffer)
{
    std::string script = GameScript(dealAtFirstOffer);
    return script.substr(0, script.rfind("click 1\n"));
}

std::string Unquote(const std::string &quoted)
{
    std::string text;
    for (size_t i = 1; i + 1 < quoted.size(); i++) {
        if (quoted[i] == '\\' && quoted[i + 1] == 'n') {
            text += '\n';
            i++;
        } else {
            text += quoted[i];
        }
    }
    return text;
}

void ConsoleTest::SetUp()
{
    recordingSlots = VIRTUAL_SLOTS;
    RecordingReset();
    RecordingSetEchoInput(0);
    RecordingSetLog(Sink, this);
}

void ConsoleTest::TearDown()
{
    RecordingSetLog(nullptr, nullptr);
}

void ConsoleTest::Sink(const char *line, void *self)
{
    ConsoleTest *test = static_cast<ConsoleTest *>(self);
    LogLine entry;
    std::istringstream in(line);
    in >> entry.ms >> entry.op;
    std::getline(in >> std::ws, entry.args);
    entry.whole = line;
    test->log.push_back(entry);
    /* An action may add triggers of its own. */
    for (size_t i = 0; i < test->triggers.size(); i++) {
        Trigger &trigger = test->triggers[i];
        if (trigger.remaining > 0 && entry.whole.find(trigger.text) != std::string::npos &&
            --trigger.remaining == 0) {
            std::function<void()> action = trigger.action;
            action();
        }
    }
}

void ConsoleTest::Load(const std::string &script)
{
    char error[256] = "";
    ASSERT_EQ(0, LoadScript(script.c_str(), error, sizeof error)) << error;
}

int ConsoleTest::Run()
{
    return RecordingRun();
}

void ConsoleTest::Queue(int kind, int box, int yes, int64_t waitMs, int force)
{
    PlayerAction action = {};
    action.kind = kind;
    action.box = box;
    action.yes = yes;
    action.waitMs = waitMs;
    ASSERT_TRUE(force ? RecordingQueueForced(&action) : RecordingQueue(&action));
}

void ConsoleTest::When(const std::string &text, int nth, std::function<void()> action)
{
    triggers.push_back(Trigger{text, nth, std::move(action)});
}

std::vector<LogLine> ConsoleTest::Ops(const std::string &op) const
{
    std::vector<LogLine> found;
    for (const LogLine &line : log) {
        if (line.op == op) found.push_back(line);
    }
    return found;
}

std::vector<std::string> ConsoleTest::Messages() const
{
    std::vector<std::string> messages;
    for (const LogLine &line : log) {
        if (line.op == "text" && line.args.rfind("1007 ", 0) == 0)
            messages.push_back(Unquote(line.args.substr(5)));
    }
    return messages;
}

int ConsoleTest::Find(const std::string &text, int from) const
{
    for (int i = from; i < (int)log.size(); i++) {
        if (log[i].whole.find(text) != std::string::npos) return i;
    }
    return -1;
}

void ConsoleTest::ExpectFreshGame()
{
    EXPECT_STREQ("CHOOSE YOUR OWN BOX", RecordingText(IDC_MESSAGE));
    EXPECT_EQ(0, gameState.pickCount);
    EXPECT_EQ(0, gameState.offerPending);
    EXPECT_EQ(0, gameState.dealTaken);
    EXPECT_EQ(0, gameState.busy);
    EXPECT_EQ(0, gameState.ownBoxChosen);
    for (int b = 0; b < BOX_COUNT; b++) {
        const Box &box = gameState.boxes[b];
        int x, y;
        EXPECT_TRUE(RecordingEnabled(IDC_BOX_BUTTON_FIRST + b)) << "box " << b + 1;
        EXPECT_EQ(0, box.opened + box.isOwnBox) << "box " << b + 1;
        RecordingPosition(IDC_BOX_BUTTON_FIRST + b, &x, &y);
        EXPECT_EQ(box.buttonX, x) << "box " << b + 1;
        EXPECT_EQ(box.buttonY, y) << "box " << b + 1;
        EXPECT_EQ(std::to_string(b + 1), RecordingText(IDC_BOX_BUTTON_FIRST + b));
        EXPECT_EQ(IDB_CLOSED_BOX, RecordingBitmap(IDC_BOX_PICTURE_FIRST + b));
    }
    EXPECT_FALSE(RecordingEnabled(IDC_DEAL));
    EXPECT_FALSE(RecordingEnabled(IDC_NO_DEAL));
    EXPECT_EQ(0, RecordingLineCount(IDC_OFFER_LIST));
    EXPECT_EQ(Pounds(""), RecordingText(IDC_OFFER_VALUE));
}
