/* The banker's telephone: an old black desk set with a rotary dial. */
#include "art.h"

#include <algorithm>
#include <cmath>

namespace
{

const int WIDTH = 147, HEIGHT = 93;
const float PI = 3.14159265f;

/* Glossy black Bakelite: light is 0 for the deepest black, 1 for a highlight. */
Rgb Bakelite(float light)
{
    return Mix(FromBytes(12, 12, 16), FromBytes(150, 152, 164), Clamp01(light));
}

/* Distance to a thick curve given as a polyline. */
float SdPolyline(float px, float py, const float *points, int count, float halfWidth)
{
    float best = 1e30f;
    for (int i = 1; i < count; ++i, points += 2)
        best = std::min(best,
                        SdSegment(px, py, points[0], points[1], points[2], points[3], halfWidth));
    return best;
}

void PaintGround(Image &image)
{
    for (int y = 0; y < HEIGHT; ++y)
        for (int x = 0; x < WIDTH; ++x) {
            float dx = (x - WIDTH * 0.5f) / WIDTH, dy = (y - HEIGHT * 0.4f) / HEIGHT;
            float fall = Clamp01(dx * dx * 1.1f + dy * dy * 1.3f);
            PixelAt(image, x, y) = Mix(FromBytes(252, 249, 240), FromBytes(222, 214, 194), fall);
        }
    DropShadow(
        image, 0, 50, WIDTH - 1, HEIGHT - 1,
        [](float px, float py) { return SdEllipse(px, py, 76, 85, 62, 5); }, 4.0f, 0.5f);
}

const float BODY[] = {21, 85, 126, 85, 110, 44, 37, 44};

float Body(float px, float py)
{
    return SdPolygon(px, py, BODY, 4) - 2.5f;
}

void PaintBody(Image &image)
{
    Fill(image, Body, [](float px, float py) {
        float inside = -Body(px, py);
        float rim = 1.0f - SmoothStep(0.0f, 3.5f, inside);
        float top = 1.0f - SmoothStep(42.0f, 54.0f, py);
        float left = 1.0f - SmoothStep(25.0f, 75.0f, px);
        return Bakelite(0.08f + 0.3f * top + 0.3f * rim * (0.4f + left));
    });
    /* The base plate it stands on, and a gloss line along the top ridge. */
    Fill(image, Rounded(17, 82, 130, 88, 2.5f),
         [](float, float py) { return Bakelite(0.32f - (py - 82.0f) * 0.05f); });
    Fill(image, Segment(42, 44.5f, 104, 44.5f, 0.6f), Solid(FromBytes(200, 202, 214)), 0.7f);
}

void PaintDial(Image &image)
{
    const float cx = 73.5f, cy = 64.0f;
    /* Chrome bezel, lit from the upper left. */
    Fill(image, Circle(cx, cy, 17.0f), [&](float px, float py) {
        float l = 0.5f - 0.5f * ((px - cx) + (py - cy)) / 22.0f;
        return Mix(FromBytes(70, 70, 78), FromBytes(236, 236, 242), Clamp01(l));
    });
    Fill(image, Circle(cx, cy, 15.5f), Solid(FromBytes(20, 20, 24)));
    /* The number card seen through the ten finger holes. */
    for (int hole = 0; hole < 10; ++hole) {
        float a = PI * (0.28f + hole * 0.152f);
        float hx = cx + std::cos(a) * 11.0f, hy = cy - std::sin(a) * 11.0f;
        Fill(image, Circle(hx, hy, 2.8f), [&](float px, float py) {
            return Mix(FromBytes(246, 242, 228), FromBytes(160, 154, 140),
                       Clamp01((py - hy + px - hx) * 0.18f + 0.35f));
        });
        Fill(image, Circle(hx, hy, 0.8f), Solid(FromBytes(60, 56, 52)), 0.6f);
    }
    /* The centre card, painted twice over, which firms its edge. */
    Fill(image, Circle(cx, cy, 6.2f), Solid(FromBytes(248, 244, 232)));
    Fill(image, Circle(cx, cy, 6.2f), Solid(FromBytes(248, 244, 232)));
    Fill(
        image, [&](float px, float py) { return std::fabs(SdCircle(px, py, cx, cy, 4.2f)) - 0.6f; },
        Solid(FromBytes(196, 44, 40)));
    /* The finger stop: a short bright hook at four o'clock. */
    Fill(image, Segment(cx + 12.0f, cy + 7.5f, cx + 15.5f, cy + 10.5f, 0.9f),
         Solid(FromBytes(226, 226, 232)));
}

/* The handset: a gently arched handle with a cup at each end. */
const float HANDLE[] = {34, 25, 50, 20.5f, 73, 19, 96, 20.5f, 112, 25};

float Handset(float px, float py)
{
    float handle = SdPolyline(px, py, HANDLE, 5, 5.5f);
    float ear = SdRoundBox(px, py, 15, 24, 45, 37, 6.0f);
    float mouth = SdRoundBox(px, py, 102, 24, 132, 37, 6.0f);
    return std::min(handle, std::min(ear, mouth));
}

void PaintHandset(Image &image)
{
    /* The cradle's two forks, which the cups rest on. */
    for (float x : {37.0f, 110.0f})
        Fill(image, Rounded(x - 5, 34, x + 5, 48, 2.5f),
             [](float, float py) { return Bakelite(0.22f - (py - 34.0f) * 0.01f); });
    DropShadow(
        image, 0, 0, WIDTH - 1, HEIGHT - 1,
        [](float px, float py) { return Handset(px - 1.5f, py - 3.0f); }, 2.0f, 0.55f);
    Fill(image, Handset, [](float px, float py) {
        float inside = -Handset(px, py);
        float rim = 1.0f - SmoothStep(0.0f, 3.0f, inside);
        float top = 1.0f - SmoothStep(17.0f, 32.0f, py);
        return Bakelite(0.06f + 0.32f * top + 0.22f * rim);
    });
    /* Gloss along the handle and on each cup. */
    const float gloss[] = {40, 21.5f, 52, 17.8f, 73, 16.4f, 94, 17.8f, 106, 21.5f};
    Fill(
        image, [&](float px, float py) { return SdPolyline(px, py, gloss, 5, 0.7f); },
        Solid(FromBytes(210, 212, 224)), 0.75f);
    for (float x : {21.0f, 108.0f})
        Fill(image, Segment(x, 26.5f, x + 16, 26.5f, 0.6f), Solid(FromBytes(180, 182, 196)), 0.6f);
}

/* The coiled cord: a helix seen from the side, from under the ear cup down
   to the body's left flank. */
void PaintCord(Image &image)
{
    const int loops = 11, steps = 700;
    float prevX = 0, prevY = 0;
    for (int i = 0; i <= steps; ++i) {
        float t = i / float(steps);
        float bx = 18.0f - 6.0f * std::sin(t * PI) + 14.0f * t * t;
        float by = 37.0f + 40.0f * t;
        float a = t * loops * 2.0f * PI;
        float x = bx + 4.0f * std::cos(a), y = by + 1.6f * std::sin(a);
        if (i > 0) {
            bool front = std::sin(a) > 0.0f;
            float lit = front ? 0.28f * Clamp01(0.5f - std::cos(a)) : 0.0f;
            Rgb colour = Bakelite(0.04f + lit);
            FillShape(image, static_cast<int>(std::min(x, prevX)) - 2,
                      static_cast<int>(std::min(y, prevY)) - 2,
                      static_cast<int>(std::max(x, prevX)) + 2,
                      static_cast<int>(std::max(y, prevY)) + 2, Segment(prevX, prevY, x, y, 0.8f),
                      Solid(colour));
        }
        prevX = x;
        prevY = y;
    }
}

} /* namespace */

Image PaintBankerPhone()
{
    Image image = MakeImage(WIDTH, HEIGHT, Rgb{255, 255, 255});
    PaintGround(image);
    PaintBody(image);
    PaintDial(image);
    PaintCord(image);
    PaintHandset(image);
    return image;
}
