// The banker's telephone: an old black desk set with a rotary dial.
#include "art.h"

#include <algorithm>
#include <cmath>

namespace
{

const int kWidth = 147, kHeight = 93;
const float kPi = 3.14159265f;

// Glossy black: the light comes from the upper left.
Rgb Bakelite(float light)
{
    return Mix(FromBytes(14, 14, 18), FromBytes(120, 122, 134), Clamp01(light));
}

void PaintGround(Image &image)
{
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            float dx = (x - kWidth * 0.5f) / kWidth, dy = (y - kHeight * 0.45f) / kHeight;
            float fall = Clamp01(dx * dx * 1.2f + dy * dy * 1.4f);
            PixelAt(image, x, y) = Mix(FromBytes(250, 246, 234), FromBytes(226, 218, 198), fall);
        }
    DropShadow(
        image, 0, 60, kWidth - 1, kHeight - 1,
        [](float px, float py) { return SdEllipse(px, py, 76, 84, 58, 6); }, 4.0f, 0.45f);
}

const float kBody[] = {22, 84, 124, 84, 112, 42, 34, 42};

void PaintBody(Image &image)
{
    auto body = [](float px, float py) { return SdPolygon(px, py, kBody, 4) - 2.0f; };
    FillShape(image, 0, 0, kWidth - 1, kHeight - 1, body, [&](float px, float py) {
        float edge = -body(px, py);
        float top = 1.0f - SmoothStep(42.0f, 56.0f, py);
        float rim = 1.0f - SmoothStep(0.0f, 3.0f, edge);
        float left = 1.0f - SmoothStep(20.0f, 60.0f, px);
        return Bakelite(0.1f + 0.35f * top + 0.35f * rim * left + 0.12f * rim);
    });
    // The plinth the body stands on.
    FillShape(
        image, 0, 0, kWidth - 1, kHeight - 1,
        [](float px, float py) { return SdRoundBox(px, py, 18, 80, 128, 87, 2.5f); },
        [](float, float py) { return Bakelite(0.3f - (py - 80.0f) * 0.04f); });
}

void PaintDial(Image &image)
{
    const float cx = 73, cy = 63;
    FillShape(
        image, 40, 36, 106, 88, [&](float px, float py) { return SdCircle(px, py, cx, cy, 17.5f); },
        [&](float px, float py) {
            float l = 0.5f - 0.5f * ((px - cx) + (py - cy)) / 25.0f;
            return Mix(FromBytes(60, 60, 66), FromBytes(210, 210, 216), Clamp01(l));
        });
    FillShape(
        image, 40, 36, 106, 88, [&](float px, float py) { return SdCircle(px, py, cx, cy, 16.0f); },
        [&](float, float) { return FromBytes(24, 24, 28); });
    for (int hole = 0; hole < 10; ++hole) {
        float a = kPi * (0.35f + hole * 0.15f);
        float hx = cx + std::cos(a) * 11.5f, hy = cy - std::sin(a) * 11.5f;
        FillShape(
            image, 40, 36, 106, 88,
            [&](float px, float py) { return SdCircle(px, py, hx, hy, 2.7f); },
            [&](float px, float py) {
                return Mix(FromBytes(236, 230, 214), FromBytes(150, 146, 136),
                           Clamp01((py - hy + px - hx) * 0.2f + 0.4f));
            });
    }
    FillShape(
        image, 40, 36, 106, 88, [&](float px, float py) { return SdCircle(px, py, cx, cy, 6.0f); },
        [&](float, float) { return FromBytes(246, 242, 230); });
    FillShape(
        image, 40, 36, 106, 88, [&](float px, float py) { return SdCircle(px, py, cx, cy, 3.5f); },
        [&](float, float) { return FromBytes(190, 40, 36); });
    // The finger stop, a small bright hook at the lower right.
    FillShape(
        image, 40, 36, 106, 88,
        [&](float px, float py) {
            return SdSegment(px, py, cx + 12, cy + 10, cx + 17, cy + 14, 1.0f);
        },
        [&](float, float) { return FromBytes(220, 220, 226); });
}

void PaintHandset(Image &image)
{
    // Cradle prongs first, so the handset lies on them.
    for (float x : {44.0f, 102.0f})
        FillShape(
            image, 0, 0, kWidth - 1, kHeight - 1,
            [&](float px, float py) { return SdRoundBox(px, py, x - 4, 30, x + 4, 46, 2.0f); },
            [](float px, float) { return Bakelite(0.25f - px * 0.001f); });
    auto handle = [](float px, float py) { return SdRoundBox(px, py, 22, 18, 126, 29, 5.5f); };
    auto ear = [](float px, float py) { return SdEllipse(px, py, 22, 30, 12.5f, 9.5f); };
    auto mouth = [](float px, float py) { return SdEllipse(px, py, 125, 30, 12.5f, 9.5f); };
    auto handset = [&](float px, float py) {
        return std::min(handle(px, py), std::min(ear(px, py), mouth(px, py)));
    };
    DropShadow(
        image, 0, 0, kWidth - 1, kHeight - 1,
        [&](float px, float py) { return handset(px - 1.5f, py - 2.5f); }, 2.0f, 0.5f);
    FillShape(image, 0, 0, kWidth - 1, kHeight - 1, handset, [&](float px, float py) {
        float top = 1.0f - SmoothStep(17.0f, 30.0f, py);
        float edge = 1.0f - SmoothStep(0.0f, 2.5f, -handset(px, py));
        return Bakelite(0.08f + 0.3f * top + 0.25f * edge);
    });
    // A long gloss line along the handle's top.
    FillShape(
        image, 0, 0, kWidth - 1, kHeight - 1,
        [](float px, float py) { return SdSegment(px, py, 30, 20.5f, 118, 20.5f, 0.8f); },
        [](float, float) { return FromBytes(190, 192, 204); }, 0.8f);
}

// The coiled cord: a helix seen from the side, from the handset's ear
// piece down to the body's left flank.
void PaintCord(Image &image)
{
    const int loops = 9, steps = 360;
    float prevX = 0, prevY = 0;
    for (int i = 0; i <= steps; ++i) {
        float t = i / float(steps);
        float bx = 14.0f - 2.0f * std::sin(t * kPi) + 16.0f * t * t;
        float by = 38.0f + 42.0f * t;
        float a = t * loops * 2.0f * kPi;
        float x = bx + 4.5f * std::cos(a), y = by + 2.2f * std::sin(a);
        if (i > 0) {
            bool front = std::sin(a) > 0.0f;
            Rgb c = front ? FromBytes(40, 40, 46) : FromBytes(10, 10, 12);
            FillShape(
                image, static_cast<int>(std::min(x, prevX)) - 2,
                static_cast<int>(std::min(y, prevY)) - 2, static_cast<int>(std::max(x, prevX)) + 2,
                static_cast<int>(std::max(y, prevY)) + 2,
                [&](float px, float py) { return SdSegment(px, py, prevX, prevY, x, y, 0.75f); },
                [&](float, float) { return c; });
        }
        prevX = x;
        prevY = y;
    }
}

} // namespace

Image PaintBankerPhone()
{
    Image image = MakeImage(kWidth, kHeight, Rgb{255, 255, 255});
    PaintGround(image);
    PaintCord(image);
    PaintBody(image);
    PaintDial(image);
    PaintHandset(image);
    return image;
}
