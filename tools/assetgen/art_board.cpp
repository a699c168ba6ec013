/* The board: wood background with the display panel, and the closed box. */
#include "art.h"

#include <algorithm>
#include <cmath>

namespace
{

const int BOARD_WIDTH = 765;
const int BOARD_HEIGHT = 574;
const int FRAME_WIDTH = 11;

/* The display panel, inclusive pixel bounds, and its border outside them. */
const int PANEL_LEFT = 113, PANEL_TOP = 88, PANEL_RIGHT = 650, PANEL_BOTTOM = 383;
const int BORDER_WIDTH = 4;
const Rgb BORDER_COLOUR = {102, 102, 204};

/* Silver highlight across the panel: black, white, black. */
const int SHINE_LEFT = 249, SHINE_MIDDLE = 382, SHINE_RIGHT = 515;

float GrainLine(float x, float y, uint32_t seed, float spacing)
{
    /* Broad sweeps of the growth rings, smaller wobbles on top, and ring
       widths that vary as the tree grew faster or slower. */
    float warp = FractalNoise(x * 0.0025f, y * 0.01f, seed, 3) * 70.0f +
                 FractalNoise(x * 0.02f, y * 0.06f, seed + 17u, 2) * 4.0f;
    float ring = (y + warp) / spacing;
    ring += 1.5f * FractalNoise(ring * 0.15f, x * 0.001f, seed + 29u, 2);
    float f = ring - std::floor(ring);
    /* Late wood: a narrow dark band that fades in slowly and ends sharply. */
    float width = 0.55f + 0.25f * HashUnit(static_cast<int>(std::floor(ring)), 0, seed + 3u);
    return SmoothStep(width, 0.93f, f) * (1.0f - SmoothStep(0.93f, 1.0f, f));
}

Rgb WoodTone(float x, float y, uint32_t seed, Rgb early, Rgb late, float spacing)
{
    float line = GrainLine(x, y, seed, spacing);
    float fibre = ValueNoise(x * 0.45f, y * 2.2f, seed + 5u) - 0.5f;
    float pores = SmoothStep(0.78f, 0.95f, ValueNoise(x * 0.9f, y * 5.0f, seed + 11u));
    float cloud = FractalNoise(x * 0.008f, y * 0.02f, seed + 9u, 3) - 0.5f;
    return Mix(early, late,
               Clamp01(0.6f * line + 0.2f * fibre + 0.12f * pores + 0.4f * cloud + 0.1f));
}

/* Light wood, shared by the background and the closed box so the box blends in. */
Rgb LightWood(float x, float y)
{
    return WoodTone(x, y, 1234u, FromBytes(232, 196, 146), FromBytes(196, 146, 90), 9.0f);
}

Rgb DarkWood(float x, float y)
{
    return WoodTone(x, y, 77u, FromBytes(150, 92, 48), FromBytes(96, 52, 24), 5.0f);
}

/* Fills the picture with the wood as it lies at (left, top) on the board. */
void PaintLightWood(Image &image, int left, int top)
{
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x)
            PixelAt(image, x, y) = LightWood(x + left + 0.5f, y + top + 0.5f);
}

/* The frame is four mitred strips; the side strips run their grain vertically.
   Its profile is rounded: light on the outer lip, darker towards the panel,
   and the right and bottom strips face away from the light. */
Rgb FrameColour(int x, int y, int w, int h)
{
    int fromLeft = x, fromRight = w - 1 - x, fromTop = y, fromBottom = h - 1 - y;
    int across = std::min(fromLeft, fromRight), down = std::min(fromTop, fromBottom);
    int edge = std::min(across, down);
    bool side = across < down;
    Rgb c = side ? DarkWood(y + 0.5f, x + 0.5f + 300.0f) : DarkWood(x + 0.5f, y + 0.5f);
    float t = (edge + 0.5f) / FRAME_WIDTH;
    float light = 0.22f * std::sin(t * 3.14159f) - 0.12f * t;
    bool awayFromLight = side ? fromRight < fromLeft : fromBottom < fromTop;
    if (awayFromLight) light -= 0.12f;
    c = light >= 0.0f ? Lighten(c, light) : Darken(c, -light);
    if (edge == FRAME_WIDTH - 1) c = Darken(c, 0.35f);
    if (edge == 0) c = Darken(c, 0.25f);
    return c;
}

void PaintFrame(Image &image)
{
    int w = image.width, h = image.height, f = FRAME_WIDTH;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            int edge = std::min(std::min(x, w - 1 - x), std::min(y, h - 1 - y));
            if (edge < f) PixelAt(image, x, y) = FrameColour(x, y, w, h);
            /* A soft shadow the frame casts on the wood inside it. */
            else if (edge < f + 4)
                BlendPixel(image, x, y, Rgb{40, 20, 5}, 0.22f * (1.0f - (edge - f) / 4.0f));
        }
}

void PaintScrew(Image &image, float cx, float cy, float radius, float slotAngle)
{
    int x0 = static_cast<int>(cx - radius - 3), x1 = static_cast<int>(cx + radius + 3);
    int y0 = static_cast<int>(cy - radius - 3), y1 = static_cast<int>(cy + radius + 3);
    DropShadow(image, x0, y0, x1 + 2, y1 + 2, Circle(cx + 0.8f, cy + 1.0f, radius), 1.2f, 0.45f);
    FillShape(image, x0, y0, x1, y1, Circle(cx, cy, radius), [&](float px, float py) {
        float nx = (px - cx) / radius, ny = (py - cy) / radius;
        float light = Clamp01(0.55f - 0.45f * (nx + ny) * 0.7071f);
        float rim = SmoothStep(0.7f, 1.0f, std::hypot(nx, ny));
        Rgb metal = Mix(FromBytes(98, 98, 104), FromBytes(236, 236, 240), light);
        return Darken(metal, 0.3f * rim);
    });
    float dx = std::cos(slotAngle) * (radius - 1.0f), dy = std::sin(slotAngle) * (radius - 1.0f);
    FillShape(image, x0, y0, x1, y1, Segment(cx - dx, cy - dy, cx + dx, cy + dy, 0.7f),
              Solid(FromBytes(58, 58, 64)));
}

/* Screws at the four corners, top left to bottom right, each slot turned its own way. */
void PaintCornerScrews(Image &image, float left, float top, float right, float bottom,
                       const float (&slotAngles)[4])
{
    for (int i = 0; i < 4; ++i)
        PaintScrew(image, i % 2 ? right : left, i < 2 ? top : bottom, 4.0f, slotAngles[i]);
}

float ShineLevel(int x)
{
    return x <= SHINE_MIDDLE ? SmoothStep(SHINE_LEFT, SHINE_MIDDLE, x)
                             : SmoothStep(SHINE_RIGHT, SHINE_MIDDLE, x);
}

void PaintDisplayPanel(Image &image)
{
    int l = PANEL_LEFT - BORDER_WIDTH, r = PANEL_RIGHT + BORDER_WIDTH;
    int t = PANEL_TOP - BORDER_WIDTH, b = PANEL_BOTTOM + BORDER_WIDTH;
    /* The panel stands slightly proud of the wood: a soft shadow below right. */
    DropShadow(image, l - 4, t - 4, r + 8, b + 8,
               Rounded(l + 2.0f, t + 2.0f, r + 3.0f, b + 3.0f, 3.0f), 2.5f, 0.45f);
    for (int y = t; y <= b; ++y)
        for (int x = l; x <= r; ++x) PixelAt(image, x, y) = BORDER_COLOUR;
    for (int y = PANEL_TOP; y <= PANEL_BOTTOM; ++y)
        for (int x = PANEL_LEFT; x <= PANEL_RIGHT; ++x) {
            float v = 255.0f * ShineLevel(x);
            PixelAt(image, x, y) = Rgb{v, v, v};
        }
    /* The corner screws sit on the border's outer corners, clear of the black. */
    PaintCornerScrews(image, l + 0.5f, t + 0.5f, r + 0.5f, b + 0.5f, {0.8f, 2.4f, 1.9f, 0.3f});
}

/* The closed box: a red body under an overhanging lid, a yellow panel on
   the front for the number button, and a shadow to the lower right. */
void PaintBoxBody(Image &image)
{
    auto body = Rounded(4, 8, 74, 59, 3.0f);
    auto lid = Rounded(2, 4, 76, 18, 2.5f);
    DropShadow(
        image, 0, 0, 84, 66,
        [&](float px, float py) { return std::min(body(px - 4, py - 4), lid(px - 4, py - 4)); },
        2.5f, 0.5f);
    auto redShade = [](Rgb top, Rgb bottom, float y0, float y1, float left, float right) {
        return [=](float px, float py) {
            Rgb c = Mix(top, bottom, (py - y0) / (y1 - y0));
            if (px < left) c = Lighten(c, 0.15f);
            if (px > right) c = Darken(c, 0.2f);
            return c;
        };
    };
    Fill(image, body, redShade(FromBytes(222, 44, 36), FromBytes(150, 18, 18), 8, 59, 7, 71));
    Fill(image, lid, redShade(FromBytes(238, 70, 58), FromBytes(186, 28, 24), 4, 18, 5, 73));
    /* The lid's light lower edge, the shade under it, and the gleam on top. */
    for (int x = 3; x <= 75; ++x) {
        BlendPixel(image, x, 17, FromBytes(255, 196, 180), 0.85f);
        BlendPixel(image, x, 18, FromBytes(90, 10, 10), 0.45f);
        if (x >= 4 && x <= 74) BlendPixel(image, x, 5, FromBytes(255, 170, 160), 0.6f);
    }
}

void PaintBoxPanel(Image &image)
{
    FillRimmed(
        image, Rounded(12, 21, 66, 49, 5.0f), FromBytes(176, 112, 8), 1.0f, [](float, float py) {
            return Mix(FromBytes(255, 232, 96), FromBytes(246, 186, 26), (py - 21.0f) / 28.0f);
        });
}

} /* namespace */

Image PaintBackground()
{
    Image image = MakeImage(BOARD_WIDTH, BOARD_HEIGHT, Rgb{0, 0, 0});
    PaintLightWood(image, 0, 0);
    PaintFrame(image);
    float c = FRAME_WIDTH * 0.5f;
    PaintCornerScrews(image, c, c, image.width - c, image.height - c, {0.6f, 2.2f, 1.1f, 0.2f});
    PaintDisplayPanel(image);
    return image;
}

Image PaintClosedBox()
{
    Image image = MakeImage(85, 67, Rgb{0, 0, 0});
    /* The wood where box 1 stands on the board, so the grain continues there. */
    PaintLightWood(image, 14, 489);
    PaintBoxBody(image);
    PaintBoxPanel(image);
    return image;
}
