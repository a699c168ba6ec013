/* The generator seeded from the clock, the deal, the new game, the
   banker's figure and the money text. */
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <utility>
#include <vector>

#include "../pounds.h"
#include "flow/flow.h"
#include "model/model.h"
#include "view/null_view.h"

namespace
{

const ClockTime firstExample = {2008, 3, 14, 9, 26, 53, 589};

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
        GameReset();
    }
    void StartAt(const ClockTime &clock)
    {
        NullViewSetClock(&clock);
        GameStartUp();
    }
};

TEST_F(Generator, ClockExamplesSeedDrawAndDeal)
{
    /* The second example's seed is negative, wraps, and its divisions
       truncate toward zero. */
    const struct {
        ClockTime clock;
        uint32_t seed, firstDraw, stateAfter, draws;
        std::vector<unsigned> deal;
    } examples[] = {
        {firstExample, 746536u, 145u, 626090617u, 95u, {12, 18, 2,  19, 10, 9,  20, 7, 1,  5, 21,
                                                        17, 16, 15, 0,  8,  14, 3,  6, 11, 4, 13}},
        {{2008, 12, 31, 23, 59, 59, 999},
         (uint32_t)-611771,
         241u,
         1037659886u,
         52u,
         {11, 1, 20, 16, 6, 19, 9, 5, 13, 0, 3, 15, 14, 17, 8, 4, 7, 2, 12, 21, 18, 10}},
    };
    for (const auto &e : examples) {
        const ClockTime &c = e.clock;
        GameReset();
        EXPECT_EQ(e.seed, SeedFromClock(c.year, c.month, c.day, c.hour, c.minute, c.second,
                                        c.milliseconds));
        NullViewSetClock(&c);
        EXPECT_EQ(e.firstDraw, DrawRandom(0, 1000));
        EXPECT_EQ(e.stateAfter, gameState.rngState);
        EXPECT_EQ(e.draws, DealAmounts());
        EXPECT_EQ(e.deal, Deal());
    }
}

TEST_F(Generator, SeedChangesOnlyEveryYearNumberMilliseconds)
{
    /* t = 1499046293 at .589; 2008 divides 1499046296, three ms later. */
    auto dealAt = [&](unsigned ms) {
        GameReset();
        StartAt({2008, 3, 14, 9, 26, 53, ms});
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
    GameReset();
    StartAt(firstExample);
    EXPECT_EQ(stateAfterFirst, gameState.rngState);
    ClockTime later = {2011, 7, 1, 12, 0, 0, 0};
    NullViewSetClock(&later);
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
    GameReset();
    gameState.rngSeeded = 1;
    gameState.rngState = after22;
    EXPECT_EQ(draws - 1, DealAmounts());
    EXPECT_EQ(deal, Deal());
}

std::string Money(float value)
{
    char text[MONEY_TEXT_SIZE];
    return FormatMoney(value, text, sizeof text);
}

/* Box k holds sum k; only the sums listed are still in play. */
void OnlyInPlay(const std::vector<int> &inPlay)
{
    for (int k = 0; k < BOX_COUNT; k++) {
        gameState.boxes[k].amountIndex = (uint32_t)k;
        gameState.boxes[k].opened = 1;
    }
    for (int k : inPlay) gameState.boxes[k].opened = 0;
}

std::vector<int> Range(int from, int to)
{
    std::vector<int> indices;
    for (int k = from; k <= to; k++) indices.push_back(k);
    return indices;
}

using Banker = Generator;

struct OfferCase {
    std::vector<int> inPlay;
    float offer;
    std::string text;
};

TEST_F(Banker, OfferTable)
{
    const OfferCase cases[] = {
        {Range(0, 21), 9215.3994140625f, Pounds("9200")},
        {Range(5, 21), 15369.75390625f, Pounds("15300")},
        {Range(0, 16), 1292.4130859375f, Pounds("1200")},
        {{2, 5, 10, 16, 19}, 7975.8525390625f, Pounds("7900")},
        {{0, 21}, 62525.00390625f, Pounds("62500")},
        {{3, 20}, 25158.36328125f, Pounds("25100")},
        {{13, 14}, 7285.53369140625f, Pounds("7200")},
        {{0, 1}, 0.04331138730049133f, Pounds("0.04")},
    };
    int row = 0;
    for (const OfferCase &c : cases) {
        OnlyInPlay(c.inPlay);
        ComputeOffer();
        EXPECT_EQ(c.offer, gameState.currentOffer) << "row " << row;
        EXPECT_EQ(c.text, Money(gameState.currentOffer)) << "row " << row;
        row++;
    }
}

TEST_F(Banker, OfferLiesBetweenTheSumsAndBelowTheirMean)
{
    std::mt19937 random(2008);
    for (int trial = 0; trial < 2000; trial++) {
        std::vector<int> inPlay;
        for (int k = 0; k < BOX_COUNT; k++) {
            if (random() % 2) inPlay.push_back(k);
        }
        if (inPlay.size() < 2) continue;
        OnlyInPlay(inPlay);
        float offer = OfferForUnopenedBoxes();
        double mean = 0, low = 1e9, high = 0;
        for (int k : inPlay) {
            mean += AmountTable[k] / (double)inPlay.size();
            low = std::min(low, (double)AmountTable[k]);
            high = std::max(high, (double)AmountTable[k]);
        }
        ASSERT_GE(offer, (float)low);
        ASSERT_LE(offer, (float)high);
        ASSERT_LT(offer, mean * (1 + 1e-6));
    }
}

TEST_F(Banker, EverySumOfTheTableShowsExactly)
{
    const char *figures[AMOUNT_COUNT] = {"0.01",  "0.10",  "0.50",   "1",     "5",     "10",
                                         "50",    "100",   "250",    "500",   "750",   "1000",
                                         "3000",  "5000",  "10000",  "15000", "20000", "35000",
                                         "50000", "75000", "100000", "250000"};
    for (int k = 0; k < AMOUNT_COUNT; k++)
        EXPECT_EQ(Pounds(figures[k]), Money(AmountTable[k])) << k;
}

TEST_F(Banker, MoneyTextsRoundThenCutDigits)
{
    const std::pair<float, const char *> cases[] = {
        {0.0f, "0.00"},        {0.99f, "0.99"},      {0.995f, "1"},   {57.4f, "57"},
        {99.99f, "100"},       {100.4f, "100"},      {568.7f, "560"}, {12345.6f, "12300"},
        {99999.99f, "100000"}, {123456.7f, "123000"}};
    for (const auto &c : cases) EXPECT_EQ(Pounds(c.second), Money(c.first)) << c.first;
}

TEST_F(Banker, MoneyTextStaysInsideASmallBuffer)
{
    for (size_t size = 1; size < 9; size++) {
        std::vector<char> buffer(size, 'x'); /* exactly size bytes: ASan sees an overrun */
        FormatMoney(250000.0f, buffer.data(), size);
        EXPECT_EQ('\0', buffer[std::string(buffer.data(), size).find('\0')]) << size;
        EXPECT_LT(std::string(buffer.data()).size(), size);
    }
    char untouched = 'x';
    FormatMoney(5.0f, &untouched, 0);
    EXPECT_EQ('x', untouched);
}

} // namespace
