/* The installer's header and folder pictures, and the two icons. */
#include "art.h"
#include "font.h"

#include <algorithm>
#include <cmath>

namespace
{

/* Palette indices of the classic 16 colours. */
const uint8_t BLACK = 0, DARK_RED = 1, NAVY = 4, TEAL = 6, SILVER = 7, GREY = 8, RED = 9,
              YELLOW = 11, WHITE_INDEX = 15;

/* The header's desktop computer, near its left edge: a system unit, the
   monitor standing on it and the keyboard in front. */
const int HEADER_WIDTH = 481, HEADER_HEIGHT = 58;

/* Putty-coloured plastic with a dark seam round it, lit from above. */
void PaintCase(Image &image, float x0, float top, float x1, float bottom, float radius)
{
    auto shape = Rounded(x0, top, x1, bottom, radius);
    DropShadow(
        image, 0, 0, 90, HEADER_HEIGHT - 1,
        [&](float px, float py) { return shape(px - 2.0f, py - 2.0f); }, 2.0f, 0.35f);
    FillRimmed(image, shape, FromBytes(120, 118, 112), 1.0f, [=](float, float py) {
        return Mix(FromBytes(236, 234, 228), FromBytes(176, 174, 168),
                   Clamp01((py - top) / (bottom - top)));
    });
}

void PaintSystemUnit(Image &image)
{
    PaintCase(image, 12, 31, 66, 43, 2.0f);
    Fill(image, Rounded(42, 35, 60, 37, 0.5f), Solid(FromBytes(90, 88, 84)));
    Fill(image, Rounded(17, 37, 20, 39, 1.0f), Solid(FromBytes(40, 200, 60)));
}

void PaintMonitor(Image &image)
{
    PaintCase(image, 18, 3, 60, 32, 2.5f);
    Fill(image, Rounded(22, 7, 56, 27, 1.5f), [](float px, float py) {
        float t = Clamp01((px - 22.0f) / 34.0f * 0.4f + (py - 7.0f) / 20.0f * 0.6f);
        return Mix(FromBytes(70, 120, 220), FromBytes(16, 36, 110), t);
    });
    Fill(image, Segment(26, 13, 34, 9, 1.2f), Solid(FromBytes(200, 220, 255)), 0.6f);
}

void PaintKeyboard(Image &image)
{
    const float slab[] = {10, 55, 70, 55, 66, 46, 14, 46};
    Fill(image, Polygon(slab, 4), [](float, float py) {
        return Mix(FromBytes(228, 226, 220), FromBytes(170, 168, 160),
                   Clamp01((py - 46.0f) / 9.0f));
    });
    /* Three rows of keys, each row shifted along the slant. */
    for (int row = 0; row < 3; ++row)
        for (int key = 0; key < 12; ++key) {
            int x = static_cast<int>(16.5f - row * 1.1f + key * 4.0f);
            int y = static_cast<int>(48.0f + row * 2.4f);
            BlendPixel(image, x, y, FromBytes(120, 118, 112), 0.8f);
            BlendPixel(image, x + 1, y, FromBytes(120, 118, 112), 0.8f);
        }
}

IconImage EmptyIcon(int size)
{
    IconImage icon;
    icon.size = size;
    icon.index.assign(static_cast<size_t>(size) * size, BLACK);
    icon.transparent.assign(static_cast<size_t>(size) * size, 1);
    return icon;
}

/* Sets every pixel whose centre lies inside the shape. */
template <typename Distance> void FillIndex(IconImage &icon, Distance distance, uint8_t index)
{
    for (int y = 0; y < icon.size; ++y)
        for (int x = 0; x < icon.size; ++x)
            if (distance(x + 0.5f, y + 0.5f) <= 0.0f) {
                size_t i = static_cast<size_t>(y) * icon.size + x;
                icon.index[i] = index;
                icon.transparent[i] = 0;
            }
}

} /* namespace */

Image PaintSetupHeader()
{
    Image image = MakeImage(HEADER_WIDTH, HEADER_HEIGHT, Rgb{255, 255, 255});
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            float t = x / float(image.width - 1);
            PixelAt(image, x, y) =
                Mix(FromBytes(204, 204, 246), FromBytes(255, 255, 255), std::pow(t, 0.8f));
        }
    PaintSystemUnit(image);
    PaintMonitor(image);
    PaintKeyboard(image);
    return image;
}

Image PaintFolder()
{
    Image image = MakeImage(44, 17, FromBytes(244, 242, 236));
    auto back = Rounded(12, 3, 31, 15, 1.0f);
    auto tab = Rounded(12, 1.5f, 20, 5, 1.0f);
    FillRimmed(
        image, [&](float px, float py) { return std::min(back(px, py), tab(px, py)); },
        FromBytes(170, 120, 10), 1.0f, Solid(FromBytes(236, 186, 48)));
    Fill(image, Rounded(15, 4, 29, 12, 0.3f), Solid(FromBytes(255, 255, 255)));
    const float flap[] = {10, 15.5f, 30, 15.5f, 34, 7, 15, 7};
    FillRimmed(image, Polygon(flap, 4), FromBytes(168, 116, 8), 1.0f, [](float, float py) {
        return Mix(FromBytes(255, 232, 110), FromBytes(246, 196, 40), Clamp01((py - 7.0f) / 8.0f));
    });
    return image;
}

IconImage PaintGameIcon()
{
    IconImage icon = EmptyIcon(32);
    FillIndex(icon, Rounded(2, 8, 30, 31, 1.0f), DARK_RED);
    FillIndex(icon, Rounded(3, 9, 29, 30, 0.5f), RED);
    FillIndex(icon, Rounded(26, 9, 29, 30, 0.5f), DARK_RED);
    FillIndex(icon, Rounded(1, 3, 31, 10, 1.0f), DARK_RED);
    FillIndex(icon, Rounded(2, 4, 30, 9, 0.5f), RED);
    FillIndex(icon, Rounded(2, 9, 30, 10, 0.0f), DARK_RED);
    FillIndex(icon, Rounded(6, 12, 24, 29, 1.5f), YELLOW);
    FillIndex(icon, Rounded(8, 14, 22, 27, 0.5f), SILVER);
    FillIndex(icon, Rounded(21, 14, 22, 27, 0.0f), GREY);
    FillIndex(icon, Rounded(8, 26, 22, 27, 0.0f), GREY);
    std::vector<float> mask;
    TextStyle style = {FACE_BOLD, 12.0f, Rgb{0, 0, 0}};
    TextMask(mask, 32, 32, "?", style, std::round(15.0f - TextWidth("?", style) * 0.5f), 26);
    for (size_t i = 0; i < mask.size(); ++i)
        if (mask[i] >= 0.4f) icon.index[i] = RED;
    return icon;
}

IconImage PaintSetupIcon(int size)
{
    IconImage icon = EmptyIcon(size);
    float s = size / 32.0f;
    auto box = [&](float x0, float y0, float x1, float y1, float r) {
        return Rounded(x0 * s, y0 * s, x1 * s, y1 * s, r * s);
    };
    FillIndex(icon, box(3, 1, 29, 22, 1.5f), BLACK);
    FillIndex(icon, box(4, 2, 28, 21, 1.0f), SILVER);
    FillIndex(icon, box(7, 4, 25, 17, 0.5f), GREY);
    /* The screen shows a desktop with one window open on it. */
    FillIndex(icon, box(8, 5, 25, 17, 0.0f), TEAL);
    if (size >= 32) {
        FillIndex(icon, box(11, 7, 21, 14, 0.0f), WHITE_INDEX);
        FillIndex(icon, box(11, 7, 21, 9, 0.0f), NAVY);
        FillIndex(icon, box(11, 14, 22, 15, 0.0f), BLACK);
        FillIndex(icon, box(21, 8, 22, 15, 0.0f), BLACK);
    } else {
        FillIndex(icon, box(12, 8, 22, 14, 0.0f), WHITE_INDEX);
        FillIndex(icon, box(12, 8, 22, 10, 0.0f), NAVY);
    }
    FillIndex(icon, box(12, 22, 20, 24, 0.0f), GREY);
    FillIndex(icon, box(1, 24, 31, 31, 1.0f), BLACK);
    FillIndex(icon, box(2, 25, 30, 30, 0.5f), SILVER);
    int rows = size >= 32 ? 2 : 1;
    for (int row = 0; row < rows; ++row)
        for (int x = 4; x < 28; x += 3)
            FillIndex(icon, box(x, 26 + row * 2.0f, x + 1.6f, 27 + row * 2.0f, 0.0f), GREY);
    return icon;
}
