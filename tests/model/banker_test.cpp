/* The banker's figure and the money text. */
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "../pounds.h"
#include "model/model.h"
#include "record/recording.h"

namespace
{

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

class Banker : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        recordingSlots = VIRTUAL_SLOTS;
        RecordingSetLog(nullptr, nullptr);
        RecordingReset();
    }
};

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
        EXPECT_EQ(c.text, RecordingText(IDC_OFFER_VALUE)) << "row " << row;
        ASSERT_EQ(row + 1, RecordingLineCount(IDC_OFFER_LIST));
        EXPECT_EQ(c.text, RecordingLine(IDC_OFFER_LIST, row)) << "row " << row;
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
    const std::string texts[AMOUNT_COUNT] = {
        Pounds("0.01"),   Pounds("0.10"),   Pounds("0.50"),  Pounds("1"),     Pounds("5"),
        Pounds("10"),     Pounds("50"),     Pounds("100"),   Pounds("250"),   Pounds("500"),
        Pounds("750"),    Pounds("1000"),   Pounds("3000"),  Pounds("5000"),  Pounds("10000"),
        Pounds("15000"),  Pounds("20000"),  Pounds("35000"), Pounds("50000"), Pounds("75000"),
        Pounds("100000"), Pounds("250000"),
    };
    for (int k = 0; k < AMOUNT_COUNT; k++) EXPECT_EQ(texts[k], Money(AmountTable[k])) << k;
}

TEST_F(Banker, MoneyTextsRoundThenCutDigits)
{
    EXPECT_EQ(Pounds("0.00"), Money(0.0f));
    EXPECT_EQ(Pounds("0.99"), Money(0.99f));
    EXPECT_EQ(Pounds("1"), Money(0.995f));
    EXPECT_EQ(Pounds("57"), Money(57.4f));
    EXPECT_EQ(Pounds("100"), Money(99.99f));
    EXPECT_EQ(Pounds("100"), Money(100.4f));
    EXPECT_EQ(Pounds("560"), Money(568.7f));
    EXPECT_EQ(Pounds("12300"), Money(12345.6f));
    EXPECT_EQ(Pounds("100000"), Money(99999.99f));
    EXPECT_EQ(Pounds("123000"), Money(123456.7f));
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
