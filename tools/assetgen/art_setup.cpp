// The installer's header and folder pictures, and the two icons.
#include "art.h"
#include "font.h"

#include <algorithm>
#include <cmath>

namespace
{

// Palette indices of the classic 16 colours.
enum {
    kBlack = 0,
    kDarkRed = 1,
    kNavy = 4,
    kTeal = 6,
    kSilver = 7,
    kGrey = 8,
    kRed = 9,
    kYellow = 11,
    kWhiteIndex = 15
};

// The desktop computer of the header: system unit, monitor on it, keyboard in front.
void PaintComputer(Image &image, float ox, float oy)
{
    auto at = [&](float x0, float y0, float x1, float y1, float r) {
        return [=](float px, float py) {
            return SdRoundBox(px, py, ox + x0, oy + y0, ox + x1, oy + y1, r);
        };
    };
    auto caseShade = [&](float top, float bottom) {
        return [=](float, float py) {
            return Mix(FromBytes(236, 234, 228), FromBytes(176, 174, 168),
                       Clamp01((py - oy - top) / (bottom - top)));
        };
    };
    int x0 = static_cast<int>(ox) - 4, y0 = static_cast<int>(oy) - 2;
    int x1 = static_cast<int>(ox) + 70, y1 = static_cast<int>(oy) + 56;
    auto unit = at(4, 30, 58, 42, 2.0f);
    auto monitor = at(10, 2, 52, 31, 2.5f);
    DropShadow(
        image, x0, y0, x1, y1, [&](float px, float py) { return unit(px - 2.0f, py - 2.0f); }, 2.0f,
        0.35f);
    DropShadow(
        image, x0, y0, x1, y1, [&](float px, float py) { return monitor(px - 2.0f, py - 2.0f); },
        2.0f, 0.35f);
    FillShape(
        image, x0, y0, x1, y1, [&](float px, float py) { return unit(px, py); },
        [](float, float) { return FromBytes(120, 118, 112); });
    FillShape(
        image, x0, y0, x1, y1, [&](float px, float py) { return unit(px, py) + 1.0f; },
        caseShade(30, 42));
    // Drive slot and power light on the system unit.
    FillShape(image, x0, y0, x1, y1, at(34, 34, 52, 36, 0.5f),
              [](float, float) { return FromBytes(90, 88, 84); });
    FillShape(image, x0, y0, x1, y1, at(9, 36, 12, 38, 1.0f),
              [](float, float) { return FromBytes(40, 200, 60); });
    FillShape(image, x0, y0, x1, y1, monitor,
              [](float, float) { return FromBytes(120, 118, 112); });
    FillShape(
        image, x0, y0, x1, y1, [&](float px, float py) { return monitor(px, py) + 1.0f; },
        caseShade(2, 31));
    FillShape(image, x0, y0, x1, y1, at(14, 6, 48, 26, 1.5f), [&](float px, float py) {
        float t = Clamp01((px - ox - 14) / 34.0f * 0.4f + (py - oy - 6) / 20.0f * 0.6f);
        return Mix(FromBytes(70, 120, 220), FromBytes(16, 36, 110), t);
    });
    // Screen glare.
    FillShape(
        image, x0, y0, x1, y1,
        [&](float px, float py) {
            return SdSegment(px, py, ox + 18, oy + 12, ox + 26, oy + 8, 1.2f);
        },
        [](float, float) { return FromBytes(200, 220, 255); }, 0.6f);
    // Keyboard: a slanted slab with rows of keys.
    const float board[] = {ox + 2, oy + 54, ox + 62, oy + 54, ox + 58, oy + 45, ox + 6, oy + 45};
    FillShape(
        image, x0, y0, x1, y1, [&](float px, float py) { return SdPolygon(px, py, board, 4); },
        [](float, float py) {
            return Mix(FromBytes(228, 226, 220), FromBytes(170, 168, 160),
                       Clamp01((py - 45.0f) / 9.0f));
        });
    for (int row = 0; row < 3; ++row)
        for (int key = 0; key < 12; ++key) {
            float ky = oy + 47.0f + row * 2.4f;
            float kx = ox + 8.5f - row * 1.1f + key * 4.0f +
                       (row == 2 && key > 2 && key < 9 ? 0.0f : 0.0f);
            BlendPixel(image, static_cast<int>(kx), static_cast<int>(ky), FromBytes(120, 118, 112),
                       0.8f);
            BlendPixel(image, static_cast<int>(kx) + 1, static_cast<int>(ky),
                       FromBytes(120, 118, 112), 0.8f);
        }
}

IconImage EmptyIcon(int size)
{
    IconImage icon;
    icon.size = size;
    icon.index.assign(static_cast<size_t>(size) * size, kBlack);
    icon.transparent.assign(static_cast<size_t>(size) * size, 1);
    return icon;
}

// Sets every pixel whose centre lies inside the shape.
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

auto Box(float x0, float y0, float x1, float y1, float r)
{
    return [=](float px, float py) { return SdRoundBox(px, py, x0, y0, x1, y1, r); };
}

} // namespace

Image PaintSetupHeader()
{
    Image image = MakeImage(481, 58, Rgb{255, 255, 255});
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            float t = x / float(image.width - 1);
            PixelAt(image, x, y) =
                Mix(FromBytes(204, 204, 246), FromBytes(255, 255, 255), std::pow(t, 0.8f));
        }
    PaintComputer(image, 8.0f, 1.0f);
    return image;
}

Image PaintFolder()
{
    Image image = MakeImage(44, 17, FromBytes(244, 242, 236));
    auto back = Box(12, 3, 31, 15, 1.0f);
    auto tab = Box(12, 1.5f, 20, 5, 1.0f);
    FillShape(
        image, 0, 0, 43, 16,
        [&](float px, float py) { return std::min(back(px, py), tab(px, py)); },
        [](float, float) { return FromBytes(170, 120, 10); });
    FillShape(
        image, 0, 0, 43, 16,
        [&](float px, float py) { return std::min(back(px, py), tab(px, py)) + 1.0f; },
        [](float, float) { return FromBytes(236, 186, 48); });
    FillShape(image, 0, 0, 43, 16, Box(15, 4, 29, 12, 0.3f),
              [](float, float) { return FromBytes(255, 255, 255); });
    const float flap[] = {10, 15.5f, 30, 15.5f, 34, 7, 15, 7};
    FillShape(
        image, 0, 0, 43, 16, [&](float px, float py) { return SdPolygon(px, py, flap, 4); },
        [](float, float) { return FromBytes(168, 116, 8); });
    FillShape(
        image, 0, 0, 43, 16, [&](float px, float py) { return SdPolygon(px, py, flap, 4) + 1.0f; },
        [](float, float py) {
            return Mix(FromBytes(255, 232, 110), FromBytes(246, 196, 40),
                       Clamp01((py - 7.0f) / 8.0f));
        });
    return image;
}

IconImage PaintGameIcon()
{
    IconImage icon = EmptyIcon(32);
    FillIndex(icon, Box(2, 8, 30, 31, 1.0f), kDarkRed);
    FillIndex(icon, Box(3, 9, 29, 30, 0.5f), kRed);
    FillIndex(icon, Box(26, 9, 29, 30, 0.5f), kDarkRed);
    FillIndex(icon, Box(1, 3, 31, 10, 1.0f), kDarkRed);
    FillIndex(icon, Box(2, 4, 30, 9, 0.5f), kRed);
    FillIndex(icon, Box(2, 9, 30, 10, 0.0f), kDarkRed);
    FillIndex(icon, Box(6, 12, 24, 29, 1.5f), kYellow);
    FillIndex(icon, Box(8, 14, 22, 27, 0.5f), kSilver);
    FillIndex(icon, Box(21, 14, 22, 27, 0.0f), kGrey);
    FillIndex(icon, Box(8, 26, 22, 27, 0.0f), kGrey);
    std::vector<float> mask;
    TextStyle style = {kFaceBold, 12.0f, Rgb{0, 0, 0}};
    TextMask(mask, 32, 32, "?", style, std::round(15.0f - TextWidth("?", style) * 0.5f), 26);
    for (size_t i = 0; i < mask.size(); ++i)
        if (mask[i] >= 0.4f) icon.index[i] = kRed;
    return icon;
}

IconImage PaintSetupIcon(int size)
{
    IconImage icon = EmptyIcon(size);
    float s = size / 32.0f;
    auto box = [&](float x0, float y0, float x1, float y1, float r) {
        return Box(x0 * s, y0 * s, x1 * s, y1 * s, r * s);
    };
    FillIndex(icon, box(3, 1, 29, 22, 1.5f), kBlack);
    FillIndex(icon, box(4, 2, 28, 21, 1.0f), kSilver);
    FillIndex(icon, box(7, 4, 25, 17, 0.5f), kGrey);
    // The screen shows a desktop with one window open on it.
    FillIndex(icon, box(8, 5, 25, 17, 0.0f), kTeal);
    if (size >= 32) {
        FillIndex(icon, box(11, 7, 21, 14, 0.0f), kWhiteIndex);
        FillIndex(icon, box(11, 7, 21, 9, 0.0f), kNavy);
        FillIndex(icon, box(11, 14, 22, 15, 0.0f), kBlack);
        FillIndex(icon, box(21, 8, 22, 15, 0.0f), kBlack);
    } else {
        FillIndex(icon, box(12, 8, 22, 14, 0.0f), kWhiteIndex);
        FillIndex(icon, box(12, 8, 22, 10, 0.0f), kNavy);
    }
    FillIndex(icon, box(12, 22, 20, 24, 0.0f), kGrey);
    FillIndex(icon, box(1, 24, 31, 31, 1.0f), kBlack);
    FillIndex(icon, box(2, 25, 30, 30, 0.5f), kSilver);
    int rows = size >= 32 ? 2 : 1;
    for (int row = 0; row < rows; ++row)
        for (float x = 4; x < 28; x += 3)
            FillIndex(icon, box(x, 26 + row * 2.0f, x + 1.6f, 27 + row * 2.0f, 0.0f), kGrey);
    return icon;
}
