// The two icon files: 16-colour images of the sizes the programs ask for.
#include "asset_files.h"

#include <gtest/gtest.h>

namespace
{

enum { kNavy = 4, kTeal = 6, kSilver = 7, kGrey = 8, kRed = 9, kYellow = 11 };

Icon Load(const std::string &relative)
{
    Icon icon = ParseIcon(ReadSource(relative));
    EXPECT_EQ(icon.error, "") << relative;
    return icon;
}

void ExpectSixteenColours(const IconEntry &e, int size)
{
    EXPECT_EQ(e.width, size);
    EXPECT_EQ(e.height, size);
    EXPECT_EQ(e.colours, 16);
    EXPECT_EQ(e.planes, 1);
    EXPECT_EQ(e.bits, 4);
    EXPECT_EQ(e.headerWidth, size);
    EXPECT_EQ(e.headerHeight, 2 * size) << "colour and mask halves";
    EXPECT_EQ(e.headerBits, 4);
}

int CountOpaque(const IconEntry &e, int index)
{
    int n = 0;
    for (size_t i = 0; i < e.index.size(); ++i) n += !e.transparent[i] && e.index[i] == index;
    return n;
}

TEST(Icons, GameIconIsOneRedBoxWithAYellowRimAndQuestionMark)
{
    Icon icon = Load("game/resources/art/zendaro.ico");
    ASSERT_EQ(icon.images.size(), 1u);
    const IconEntry &e = icon.images[0];
    ExpectSixteenColours(e, 32);
    EXPECT_TRUE(e.transparent[0]) << "the corner shows the desktop";
    EXPECT_GT(CountOpaque(e, kRed), 150);
    EXPECT_GT(CountOpaque(e, kYellow), 40);
    EXPECT_GT(CountOpaque(e, kSilver), 40);
    // The question mark: red pixels on the grey front, in the middle of the icon.
    int mark = 0;
    for (int y = 14; y < 27; ++y)
        for (int x = 9; x < 22; ++x) mark += e.index[static_cast<size_t>(y) * 32 + x] == kRed;
    EXPECT_GT(mark, 12);
    EXPECT_LT(mark, 100);
}

TEST(Icons, SetupIconIsAComputerAtBothSizes)
{
    Icon icon = Load("setup/art/setup.ico");
    ASSERT_EQ(icon.images.size(), 2u);
    ExpectSixteenColours(icon.images[0], 32);
    ExpectSixteenColours(icon.images[1], 16);
    for (const IconEntry &e : icon.images) {
        int size = e.width;
        EXPECT_GT(CountOpaque(e, kSilver) + CountOpaque(e, kGrey), size * size / 5);
        EXPECT_GT(CountOpaque(e, kNavy) + CountOpaque(e, kTeal), size * size / 12) << "screen";
        // The screen ends in the upper three quarters, above the keyboard.
        int screenBottom = 0;
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x) {
                int v = e.index[static_cast<size_t>(y) * size + x];
                if (!e.transparent[static_cast<size_t>(y) * size + x] && (v == kNavy || v == kTeal))
                    screenBottom = std::max(screenBottom, y);
            }
        EXPECT_LT(screenBottom, size * 3 / 4) << "size " << size;
    }
}

} // namespace
