// The committed pictures: format, size and what each must show.
#include "asset_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace
{

const int kSums = 22;
// How many characters each sum takes on the board ("1p" ... "£250,000").
const int kLabelLengths[kSums] = {2, 3, 3, 2, 2, 3, 3, 4, 4, 4, 4, 6, 6, 6, 7, 7, 7, 7, 7, 7, 8, 8};

Bitmap Load(const std::string &relative)
{
    Bitmap bmp = ParseBitmap(ReadSource(relative));
    EXPECT_EQ(bmp.error, "") << relative;
    return bmp;
}

// The plate or the opened box of sum k.
Bitmap Art(const char *name, int k)
{
    char path[96];
    std::snprintf(path, sizeof path, "game/resources/art/%s_%02d.bmp", name, k);
    return Load(path);
}

// The columns that hold white letters inside the given rectangle.
struct Ink {
    int first, last, count;
};

Ink InkSpan(const Bitmap &bmp, int left, int top, int right, int bottom)
{
    Ink ink = {bmp.width, -1, 0};
    for (int y = top; y <= bottom; ++y)
        for (int x = left; x <= right; ++x)
            if (IsWhite(bmp.At(x, y))) {
                ink.first = std::min(ink.first, x);
                ink.last = std::max(ink.last, x);
                ++ink.count;
            }
    return ink;
}

struct Expected {
    const char *path;
    int width, height;
};

const Expected kFixedSizes[] = {
    {"game/resources/art/background.bmp", 765, 574},
    {"game/resources/art/closed_box.bmp", 85, 67},
    {"game/resources/art/banker_phone.bmp", 147, 93},
    {"setup/art/header.bmp", 481, 58},
    {"setup/art/folder.bmp", 44, 17},
};

TEST(Bitmaps, EveryFileHasItsSizeAndThe24BitUncompressedLayout)
{
    for (const Expected &e : kFixedSizes) {
        Bitmap bmp = Load(e.path);
        EXPECT_EQ(bmp.width, e.width) << e.path;
        EXPECT_EQ(bmp.height, e.height) << e.path;
    }
    for (int k = 0; k < kSums; ++k) {
        Bitmap plate = Art("plate", k), box = Art("open_box", k);
        EXPECT_EQ(plate.width, 128);
        EXPECT_EQ(plate.height, 23);
        EXPECT_EQ(box.width, 85);
        EXPECT_EQ(box.height, 67);
    }
}

TEST(Bitmaps, ParserRejectsBrokenHeadersAndPadding)
{
    Bytes good = ReadSource("setup/art/folder.bmp");
    ASSERT_EQ(ParseBitmap(good).error, "");
    Bytes compressed = good;
    compressed[30] = 1;
    EXPECT_NE(ParseBitmap(compressed).error, "");
    Bytes topDown = good;
    topDown[25] = 0xFF; // negative height
    EXPECT_NE(ParseBitmap(topDown).error, "");
    Bytes odd = ReadSource("game/resources/art/closed_box.bmp");
    odd[54 + 85 * 3] = 9; // 255 bytes of pixels, one pad byte
    EXPECT_EQ(ParseBitmap(odd).error, "row padding is not zero");
}

// Blue plates brighten down the left column and red ones deepen down the
// right; each has a connector towards the panel edge, black corners, a white
// outline and its white sum centred, as wide as the text.
TEST(Plates, ColourStepsConnectorAndCentredSum)
{
    const Pixel grey = {127, 127, 127};
    int previous = -1, width[kSums];
    for (int k = 0; k < kSums; ++k) {
        SCOPED_TRACE("plate " + std::to_string(k));
        Bitmap plate = Art("plate", k);
        bool left = k < 11;
        // A body pixel clear of the letters, the outline and the connector.
        Pixel body = plate.At(left ? 22 : 105, 6);
        if (left) {
            EXPECT_GT(body.b, body.r + 20) << "should be blue";
        } else {
            EXPECT_GT(body.r, body.b + 40) << "should be red";
            EXPECT_GE(body.r, body.g);
        }
        int luma = Luma(body);
        if (k == 11) previous = 1000;
        if (left) {
            EXPECT_GT(luma, previous) << "breaks the blue steps";
        } else {
            EXPECT_LT(luma, previous) << "breaks the red steps";
        }
        previous = luma;

        int outer = left ? 1 : 126, inner = left ? 127 : 0;
        Pixel line = plate.At(outer, 11), other = plate.At(inner, 11);
        EXPECT_TRUE(line.r == grey.r && line.g == grey.g && line.b == grey.b);
        EXPECT_EQ(other.r + other.g + other.b, 0) << "should end on black";
        for (int corner = 0; corner < 4; ++corner) {
            Pixel p = plate.At(corner % 2 ? 127 : 0, corner / 2 ? 22 : 0);
            EXPECT_EQ(p.r + p.g + p.b, 0) << "corner " << corner;
        }
        EXPECT_TRUE(IsWhite(plate.At(60, 1))) << "outline";

        // Inside the outline, clear of its rounded ends.
        Ink ink = left ? InkSpan(plate, 18, 4, 118, 18) : InkSpan(plate, 9, 4, 109, 18);
        ASSERT_GT(ink.count, 15) << "no white sum";
        width[k] = ink.last - ink.first + 1;
        EXPECT_NEAR((ink.first + ink.last) * 0.5f, left ? 68.0f : 59.0f, 4.0f);
    }
    for (int a = 0; a < kSums; ++a)
        for (int b = 0; b < kSums; ++b)
            if (kLabelLengths[a] < kLabelLengths[b]) {
                EXPECT_LT(width[a], width[b]) << "plates " << a << " and " << b;
            }
}

// A lavender edge two pixels wide around a coloured panel with a light spot
// at the top, and the white sum across the middle, as wide as its text.
TEST(OpenBoxes, LavenderEdgeColouredPanelAndCentredSum)
{
    int width[kSums];
    for (int k = 0; k < kSums; ++k) {
        SCOPED_TRACE("box " + std::to_string(k));
        Bitmap box = Art("open_box", k);
        for (int y = 0; y < 67; ++y)
            for (int x = 0; x < 85; ++x) {
                if (x > 1 && x < 83 && y > 1 && y < 65) continue;
                Pixel p = box.At(x, y);
                ASSERT_TRUE(p.r == 204 && p.g == 204 && p.b == 255) << x << "," << y;
            }
        Pixel panel = box.At(10, 55);
        if (k < 11) {
            EXPECT_GT(panel.b, panel.r + 40) << "should be blue-violet";
            EXPECT_GT(panel.r, panel.g) << "should lean to violet";
        } else {
            EXPECT_GT(panel.r, panel.b + 100) << "should be red-orange";
            EXPECT_GT(panel.g, panel.b) << "should lean to orange";
        }
        EXPECT_GT(Luma(box.At(42, 12)), Luma(box.At(42, 58)) + 30);

        Ink ink = InkSpan(box, 2, 20, 82, 48);
        ASSERT_GT(ink.count, 30) << "no white sum";
        width[k] = ink.last - ink.first + 1;
        EXPECT_NEAR((ink.first + ink.last) * 0.5f, 42.0f, 3.0f);
        EXPECT_GE(ink.first, 3);
        EXPECT_LE(ink.last, 81);
    }
    // Long sums are set smaller to fit, so only clear length steps order the widths.
    for (int a = 0; a < kSums; ++a)
        for (int b = 0; b < kSums; ++b)
            if (kLabelLengths[a] + 1 < kLabelLengths[b] && kLabelLengths[b] <= 6) {
                EXPECT_LT(width[a], width[b]) << "boxes " << a << " and " << b;
            }
}

// A black panel with a silver streak inside a blue-violet border, on light
// wood in a darker frame.
TEST(Background, PanelBorderWoodAndFrame)
{
    Bitmap bg = Load("game/resources/art/background.bmp");
    ASSERT_EQ(bg.error, "");
    for (int y = 88; y <= 383; ++y) {
        for (int x = 113; x <= 650; ++x) {
            Pixel p = bg.At(x, y);
            ASSERT_TRUE(p.r == p.g && p.g == p.b) << "panel not grey at " << x << "," << y;
            if (x <= 249 || x >= 515) {
                ASSERT_EQ(p.r, 0) << "panel not black at " << x << "," << y;
            }
        }
        EXPECT_EQ(bg.At(382, y).r, 255);
        for (int x = 250; x <= 382; ++x) ASSERT_GE(bg.At(x, y).r, bg.At(x - 1, y).r);
        for (int x = 383; x <= 515; ++x) ASSERT_LE(bg.At(x, y).r, bg.At(x - 1, y).r);
    }
    const int border[][2] = {{111, 200}, {652, 200}, {380, 86}, {380, 385}, {109, 236}, {654, 300}};
    for (const auto &at : border) {
        Pixel p = bg.At(at[0], at[1]);
        EXPECT_TRUE(p.r == 102 && p.g == 102 && p.b == 204) << at[0] << "," << at[1];
    }
    EXPECT_NE(bg.At(108, 236).b, 204);
    EXPECT_NE(bg.At(655, 300).b, 204);

    long frame = 0, wood = 0, frameCount = 0, woodCount = 0;
    for (int y = 100; y < 480; ++y) {
        for (int x = 2; x < 8; ++x, ++frameCount)
            frame += Luma(bg.At(x, y)) + Luma(bg.At(764 - x, y));
        for (int x = 20; x < 100; ++x, ++woodCount) wood += Luma(bg.At(x, y));
    }
    frame /= 2 * frameCount;
    wood /= woodCount;
    EXPECT_GT(wood, 150) << "the wood should be light";
    EXPECT_LT(frame, wood - 50) << "the frame should be darker wood";
    // Grain: rows of the wood differ visibly, columns much less.
    long across = 0, down = 0;
    for (int y = 450; y < 560; ++y)
        for (int x = 150; x < 600; ++x) {
            across += std::abs(Luma(bg.At(x + 1, y)) - Luma(bg.At(x, y)));
            down += std::abs(Luma(bg.At(x, y + 1)) - Luma(bg.At(x, y)));
        }
    EXPECT_GT(down, across * 3 / 2) << "grain should run along the board";
}

TEST(ClosedBox, YellowPanelWhereTheButtonSitsOnARedBody)
{
    Bitmap box = Load("game/resources/art/closed_box.bmp");
    auto yellow = [](Pixel p) { return p.r > 220 && p.g > 150 && p.b < 120; };
    auto red = [](Pixel p) { return p.r > 120 && p.g < 90 && p.b < 90; };
    for (int x = 13; x <= 64; ++x) EXPECT_TRUE(yellow(box.At(x, 35))) << x;
    for (int y = 22; y <= 47; ++y) EXPECT_TRUE(yellow(box.At(38, y))) << y;
    EXPECT_TRUE(red(box.At(8, 35)));
    EXPECT_TRUE(red(box.At(70, 35)));
    EXPECT_TRUE(red(box.At(38, 53)));
    // The lid line: a light row near the top of the red body.
    int lightRows = 0;
    for (int y = 8; y < 20; ++y) lightRows += Luma(box.At(38, y)) > Luma(box.At(38, 12)) + 40;
    EXPECT_GE(lightRows, 1);
}

TEST(Pictures, TelephoneOnPaleGroundAndSetupPictures)
{
    Bitmap phone = Load("game/resources/art/banker_phone.bmp");
    int dark = 0;
    for (const Pixel &p : phone.pixels) dark += Luma(p) < 50;
    EXPECT_GT(dark, 147 * 93 / 6) << "the telephone should be black";
    EXPECT_GT(Luma(phone.At(1, 1)), 200);
    EXPECT_GT(Luma(phone.At(145, 3)), 200);

    Bitmap header = Load("setup/art/header.bmp");
    Pixel left = header.At(100, 5), right = header.At(480, 30);
    EXPECT_GT(left.b, left.r + 20) << "the header starts pale lavender";
    EXPECT_TRUE(IsWhite(right)) << "the header ends white";
    int computer = 0;
    for (int y = 0; y < 58; ++y)
        for (int x = 0; x < 80; ++x) computer += Luma(header.At(x, y)) < 150;
    EXPECT_GT(computer, 150) << "a computer near the left edge";

    Bitmap folder = Load("setup/art/folder.bmp");
    int yellow = 0;
    for (const Pixel &p : folder.pixels) yellow += p.r > 220 && p.g > 160 && p.b < 120;
    EXPECT_GT(yellow, 60);
    EXPECT_GT(Luma(folder.At(0, 0)), 220);
    EXPECT_GT(Luma(folder.At(43, 16)), 220);
}

} // namespace
