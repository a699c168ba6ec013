/* Many games of random clicks, answers, swap answers, NEW GAME and quit at
   random virtual times, also inside turns. The rules that hold between
   turns are checked after every action, the ones that hold at every moment
   after every view operation.

   ZENDARO_RANDOM_GAMES sets how many games (default 300),
   ZENDARO_RANDOM_SEED the seed (default 20080314). */
#include <chrono>
#include <cstdlib>
#include <random>

#include "support.h"

namespace
{

long EnvOr(const char *name, long fallback)
{
    const char *value = getenv(name);
    return value && *value ? strtol(value, nullptr, 10) : fallback;
}

int CountBankerCallsUpTo(int pickCount)
{
    int calls = 0;
    for (int count = 6; count <= 21; count += 3) calls += count <= pickCount;
    return calls;
}

bool IsPermutation()
{
    int seen[AMOUNT_COUNT] = {};
    for (const Box &box : gameState.boxes) {
        if (box.amountIndex >= AMOUNT_COUNT || seen[box.amountIndex]++) return false;
    }
    return true;
}

/* How many boxes have the flag set: own or opened. */
int BoxesWith(int32_t Box::*flag)
{
    int count = 0;
    for (const Box &box : gameState.boxes) count += box.*flag;
    return count;
}

/* What must hold at every moment, even inside a turn. */
void CheckAlways(const char *line, void *failures)
{
    std::string why;
    /* The first game's deal only exists from the first draw on. */
    if (gameState.rngSeeded && !IsPermutation())
        why = "the deal is not a permutation";
    else if (BoxesWith(&Box::isOwnBox) > 1)
        why = "more than one own box";
    else if (gameState.pickCount < 0 || gameState.pickCount > 23)
        why = "pickCount out of range";
    else if (RecordingLineCount(IDC_OFFER_LIST) > 6)
        why = "more than six offers listed";
    else if (RecordingGetCounts()->unknownIds)
        why = "an operation on a control the window lacks";
    if (why.empty()) return;
    auto *list = static_cast<std::vector<std::string> *>(failures);
    if (list->size() < 5) list->push_back(why + " at: " + line);
}

struct GameRecord {
    uint32_t serial;
    int historyAtStart;
};

/* What must hold whenever the game waits in the main loop. */
void CheckBetweenTurns(GameRecord *game)
{
    const int pick = gameState.pickCount;
    ASSERT_TRUE(IsPermutation());
    ASSERT_EQ(pick >= 1 ? 1 : 0, BoxesWith(&Box::isOwnBox)) << "pickCount " << pick;
    ASSERT_EQ(pick >= 1 ? pick - 1 : 0, BoxesWith(&Box::opened)) << "pickCount " << pick;
    ASSERT_EQ(0, gameState.busy);
    ASSERT_EQ(CountBankerCallsUpTo(pick), RecordingLineCount(IDC_OFFER_LIST)) << pick;
    ASSERT_TRUE(!gameState.offerPending || (pick >= 6 && pick <= 18 && pick % 3 == 0)) << pick;
    ASSERT_TRUE(!RecordingEnabled(IDC_DEAL) || gameState.offerPending);
    ASSERT_EQ(RecordingEnabled(IDC_DEAL), RecordingEnabled(IDC_NO_DEAL));

    if (gameSerial != game->serial) *game = {gameSerial, RecordingLineCount(IDC_WIN_HISTORY)};
    ASSERT_EQ(pick >= 22 ? 1 : 0, RecordingLineCount(IDC_WIN_HISTORY) - game->historyAtStart);
    if (pick == 0) {
        ASSERT_STREQ("CHOOSE YOUR OWN BOX", RecordingText(IDC_MESSAGE));
    }

    for (int b = 0; b < BOX_COUNT; b++) {
        const Box &box = gameState.boxes[b];
        int x, y;
        ASSERT_TRUE(RecordingEnabled(IDC_BOX_BUTTON_FIRST + b));
        ASSERT_FALSE(box.isOwnBox && pick <= 21 && box.opened) << "own box " << b + 1;
        int shown = RecordingBitmap(IDC_BOX_PICTURE_FIRST + b);
        ASSERT_EQ(box.opened ? IDB_OPEN_BOX_FIRST + (int)box.amountIndex : IDB_CLOSED_BOX, shown);
        RecordingPosition(IDC_AMOUNT_PLATE_FIRST + (int)box.amountIndex, &x, &y);
        ASSERT_EQ(box.opened != 0, x == OUT_OF_VIEW) << "plate of box " << b + 1;
        RecordingPosition(IDC_BOX_BUTTON_FIRST + b, &x, &y);
        ASSERT_EQ(box.opened != 0, x == OUT_OF_VIEW) << "button of box " << b + 1;
    }
}

PlayerAction RandomAction(std::mt19937 &random)
{
    PlayerAction action = {};
    action.dropIfDisabled = 1;
    int roll = (int)(random() % 1000);
    if (roll < 640) {
        action.kind = ACTION_CLICK;
        action.box = 1 + (int)(random() % BOX_COUNT);
    } else if (roll < 800) {
        action.kind = ACTION_DEAL;
    } else if (roll < 960) {
        action.kind = ACTION_NO_DEAL;
    } else if (roll < 980) {
        action.kind = ACTION_SWAP;
        action.yes = (int)(random() % 2);
    } else if (roll < 988) {
        action.kind = ACTION_NEW_GAME;
        action.yes = 1;
    } else if (roll < 999) {
        action.kind = ACTION_NEW_GAME;
        action.yes = 0;
    } else {
        action.kind = ACTION_QUIT;
    }
    /* Half at once, as fast as the game lets them in; half after a pause
       that often lands inside a turn still running. */
    action.waitMs = random() % 2 ? 0 : (int64_t)(random() % 9000);
    return action;
}

/* Inside a turn the player goes on acting too: without this, a turn that
   waits for the answer to the last offer would wait for ever. */
long actionsInsideTurns;

void ActInsideATurn(void *random)
{
    actionsInsideTurns++;
    PlayerAction action = RandomAction(*static_cast<std::mt19937 *>(random));
    RecordingQueue(&action);
}

TEST(RandomPlay, RulesHoldAfterEveryAction)
{
    const long games = EnvOr("ZENDARO_RANDOM_GAMES", 300);
    const unsigned seed = (unsigned)EnvOr("ZENDARO_RANDOM_SEED", 20080314);
    std::mt19937 random(seed);
    std::vector<std::string> failures;
    long begun = 0, finished = 0, actions = 0, runs = 0;
    long long virtualMs = 0;
    auto started = std::chrono::steady_clock::now();

    recordingSlots = VIRTUAL_SLOTS;
    RecordingSetEchoInput(0);
    RecordingSetFeed(ActInsideATurn, &random);
    while (begun < games && failures.empty() && !::testing::Test::HasFatalFailure()) {
        RecordingReset();
        RecordingSetLog(CheckAlways, &failures);
        ClockTime clock = {2000 + (unsigned)(random() % 30), 1 + (unsigned)(random() % 12),
                           1 + (unsigned)(random() % 28),    (unsigned)(random() % 24),
                           (unsigned)(random() % 60),        (unsigned)(random() % 60),
                           (unsigned)(random() % 1000)};
        RecordingSetClock(&clock);
        RecordingStartUp();
        runs++;
        GameRecord game = {gameSerial, 0};
        int result = RUN_IDLE;
        while (result == RUN_IDLE && failures.empty() && begun + (long)gameSerial <= games &&
               !::testing::Test::HasFailure()) {
            int batch = 1 + (random() % 4 == 0) + (random() % 8 == 0);
            for (int i = 0; i < batch; i++) {
                PlayerAction action = RandomAction(random);
                if (gameState.pickCount == 23 && i == 0) {
                    finished++;
                    action.kind = ACTION_NEW_GAME;
                    action.yes = 1;
                }
                ASSERT_TRUE(RecordingQueue(&action));
            }
            actions += batch;
            result = RecordingRun();
            if (result == RUN_IDLE) {
                CheckBetweenTurns(&game);
                if (::testing::Test::HasFatalFailure())
                    ADD_FAILURE() << "run " << runs << " (seed " << seed << "), after " << actions
                                  << " actions";
            }
        }
        ASSERT_NE(RUN_TIMED_OUT, result);
        begun += gameSerial;
        virtualMs += RecordingNow();
    }
    RecordingSetLog(nullptr, nullptr);
    RecordingSetFeed(nullptr, nullptr);
    for (const std::string &failure : failures)
        ADD_FAILURE() << failure << " (seed " << seed << ")";

    double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    printf("random play: %ld games begun (%ld played to the end) in %ld runs, %ld actions, "
           "%.0f virtual hours in %.2f s: %.0f games/s, %.0f virtual s per real s\n",
           begun, finished, runs, actions + actionsInsideTurns, virtualMs / 3.6e6, seconds,
           begun / seconds, virtualMs / 1000.0 / seconds);
    EXPECT_GE(begun, games);
    EXPECT_GT(finished, games / 20) << "too few games reach the end to prove much";
}

} // namespace
