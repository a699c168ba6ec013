/* The generator seeded from the clock, the deal and the new game. */
#include <gtest/gtest.h>

#include <vector>

#include "flow/flow.h"
#include "model/model.h"
#include "record/recording.h"

namespace
{

ClockTime Clock(unsigned y, unsigned mo, unsigned d, unsigned h, unsigned mi, unsigned s,
                unsigned ms)
{
    return ClockTime{y, mo, d, h, mi, s, ms};
}

const ClockTime firstExample = Clock(2008, 3, 14, 9, 26, 53, 589);
const ClockTime secondExample = Clock(2008, 12, 31, 23, 59, 59, 999);

std::vector<unsigned> Deal()
{
    std::vector<unsigned> deal;
    for (const Box &box : gameState.boxes) deal.push_back(box.amountIndex);
    return deal;
}

/* The state the generator must be in for its next step to give s. */
uint32_t StateBefore(uint32_t s)
{
    uint32_t inverse = 12345u; /* Newton's iteration for 1 / 12345 modulo 2^32 */
    for (int i = 0; i < 5; i++) inverse *= 2u - 12345u * inverse;
    return (s - 38289u) * inverse;
}

class Generator : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        recordingSlots = VIRTUAL_SLOTS;
        RecordingSetLog(nullptr, nullptr);
        RecordingReset();
    }
    void StartAt(const ClockTime &clock)
    {
        RecordingSetClock(&clock);
        RecordingStartUp();
    }
};

TEST_F(Generator, FirstClockExampleSeedsDrawsAndDeals)
{
    EXPECT_EQ(746536u, SeedFromClock(2008, 3, 14, 9, 26, 53, 589));
    RecordingSetClock(&firstExample);
    EXPECT_EQ(145u, DrawRandom(0, 1000));
    EXPECT_EQ(626090617u, gameState.rngState);
    EXPECT_EQ(95u, DealAmounts());
    std::vector<unsigned> expected = {12, 18, 2,  19, 10, 9,  20, 7, 1,  5, 21,
                                      17, 16, 15, 0,  8,  14, 3,  6, 11, 4, 13};
    EXPECT_EQ(expected, Deal());
}

TEST_F(Generator, SecondClockExampleWrapsNegativeAndTruncatesTowardZero)
{
    EXPECT_EQ((uint32_t)-611771, SeedFromClock(2008, 12, 31, 23, 59, 59, 999));
    RecordingSetClock(&secondExample);
    EXPECT_EQ(241u, DrawRandom(0, 1000));
    EXPECT_EQ(52u, DealAmounts());
    std::vector<unsigned> expected = {11, 1,  20, 16, 6, 19, 9, 5,  13, 0,  3,
                                      15, 14, 17, 8,  4, 7,  2, 12, 21, 18, 10};
    EXPECT_EQ(expected, Deal());
}

TEST_F(Generator, StartUpDealsTheFirstExampleThroughNewGame)
{
    StartAt(firstExample);
    std::vector<unsigned> expected = {12, 18, 2,  19, 10, 9,  20, 7, 1,  5, 21,
                                      17, 16, 15, 0,  8,  14, 3,  6, 11, 4, 13};
    EXPECT_EQ(expected, Deal());
    EXPECT_EQ(1, gameState.rngSeeded);
}

TEST_F(Generator, SeedChangesOnlyEveryYearNumberMilliseconds)
{
    /* t = 1499046293 at .589; 2008 divides 1499046296, three ms later. */
    auto dealAt = [&](unsigned ms) {
        RecordingReset();
        StartAt(Clock(2008, 3, 14, 9, 26, 53, ms));
        return Deal();
    };
    std::vector<unsigned> first = dealAt(589);
    EXPECT_EQ(first, dealAt(590));
    EXPECT_EQ(first, dealAt(591));
    EXPECT_NE(first, dealAt(592));
}

TEST_F(Generator, SecondGameContinuesTheSequenceWithoutReadingTheClock)
{
    StartAt(firstExample);
    std::vector<unsigned> firstDeal = Deal();
    uint32_t stateAfterFirst = gameState.rngState;
    NewGame();
    std::vector<unsigned> secondDeal = Deal();
    EXPECT_NE(firstDeal, secondDeal);

    /* The same run with the clock moved before the second game. */
    RecordingReset();
    StartAt(firstExample);
    EXPECT_EQ(stateAfterFirst, gameState.rngState);
    ClockTime later = Clock(2011, 7, 1, 12, 0, 0, 0);
    RecordingSetClock(&later);
    NewGame();
    EXPECT_EQ(secondDeal, Deal());
}

TEST_F(Generator, TopStatesGiveOnePastTheRange)
{
    gameState.rngSeeded = 1;
    for (uint32_t top : {4294967292u, 4294967295u}) {
        gameState.rngState = StateBefore(top);
        EXPECT_EQ(22u, DrawRandom(0, 21)) << top;
        gameState.rngState = StateBefore(top);
        EXPECT_EQ(4u, DrawRandom(0, 3)) << top;
    }
    gameState.rngState = StateBefore(4294967291u);
    EXPECT_EQ(21u, DrawRandom(0, 21));
    /* 0 to 1000: the top 620 states give 1001. */
    gameState.rngState = StateBefore(4294967295u - 619u);
    EXPECT_EQ(1001u, DrawRandom(0, 1000));
    gameState.rngState = StateBefore(4294967295u - 620u);
    EXPECT_EQ(1000u, DrawRandom(0, 1000));
}

TEST_F(Generator, DealDrawsAgainInsteadOfDealingTwentyTwo)
{
    gameState.rngSeeded = 1;
    gameState.rngState = StateBefore(4294967293u); /* the first draw gives 22 */
    unsigned draws = DealAmounts();
    std::vector<unsigned> deal = Deal();
    std::vector<int> seen(AMOUNT_COUNT, 0);
    for (unsigned k : deal) {
        ASSERT_LT(k, (unsigned)AMOUNT_COUNT);
        seen[k]++;
    }
    EXPECT_EQ(std::vector<int>(AMOUNT_COUNT, 1), seen);

    /* The same deal as from the state one step on: the 22 was only skipped. */
    uint32_t after22 = 4294967293u;
    RecordingReset();
    gameState.rngSeeded = 1;
    gameState.rngState = after22;
    EXPECT_EQ(draws - 1, DealAmounts());
    EXPECT_EQ(deal, Deal());
}

class NewGameState : public Generator
{
};

TEST_F(NewGameState, HomePositionsAreTheTemplatesInPixels)
{
    StartAt(firstExample);
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

} // namespace
