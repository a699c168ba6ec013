/* The money plates beside the display and the opened boxes that show a sum. */
#include "art.h"
#include "font.h"

#include <algorithm>
#include <cmath>

namespace
{

const int PLATE_WIDTH_PX = 128, PLATE_HEIGHT_PX = 23;
const int CONNECTOR_LENGTH = 10;
const int LOW_COLUMN_COUNT = 11; /* amount indices 0 to 10 stand in the left column */

const Rgb WHITE = {255, 255, 255};
const Rgb CONNECTOR_GREY = {127, 127, 127};
const Rgb OPEN_EDGE = {204, 204, 255};

/* The sums as the board writes them, by amount index: pence, then whole
   pounds after the pound sign (0xA3 in code page 1252). */
const char *const SUM_FIGURES[SUM_COUNT] = {
    "1p",     "10p",    "50p",    "1",      "5",       "10",      "50",     "100",
    "250",    "500",    "750",    "1,000",  "3,000",   "5,000",   "10,000", "15,000",
    "20,000", "35,000", "50,000", "75,000", "100,000", "250,000",
};
const int PENCE_COUNT = 3;

/* One colour per plate: the left column brightens evenly from deep blue
   through light blue to pale lavender, the right column deepens from pale
   salmon through orange to deep red. */
const Rgb PLATE_COLOURS[SUM_COUNT] = {
    {18, 30, 150},   {26, 52, 176},   {34, 74, 198},   {42, 94, 212},   {50, 112, 222},
    {60, 130, 230},  {76, 148, 236},  {98, 164, 240},  {122, 178, 244}, {164, 172, 244},
    {198, 196, 250}, {250, 182, 160}, {246, 160, 132}, {242, 142, 110}, {238, 126, 92},
    {236, 122, 32},  {230, 106, 24},  {224, 92, 20},   {216, 66, 20},   {204, 46, 18},
    {186, 24, 20},   {130, 6, 10},
};

/* The same white letters everywhere, with a soft dark rim and a shade below
   right, so that they read on the palest plates too. */
void DrawSum(Image &image, const std::string &text, float digitHeight, float cx, float cy,
             Rgb ground)
{
    TextStyle letters = {FACE_BOLD, digitHeight, WHITE};
    float left = std::round(cx - TextWidth(text, letters) * 0.5f);
    int baseline = static_cast<int>(std::lround(cy + digitHeight * 0.5f));
    std::vector<float> mask;
    TextMask(mask, image.width, image.height, text, letters, left, baseline);
    Rgb dark = Darken(ground, 0.6f);
    float rim = Clamp01((Luma(ground) - 90.0f) / 200.0f) * 0.5f + 0.15f;
    auto maskAt = [&](int x, int y) {
        bool inside = x >= 0 && y >= 0 && x < image.width && y < image.height;
        return inside ? mask[static_cast<size_t>(y) * image.width + x] : 0.0f;
    };
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            float near = 0.0f;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) near = std::max(near, maskAt(x + dx, y + dy));
            float below = maskAt(x - 1, y - 1);
            BlendPixel(image, x, y, dark, std::max(near * rim, below * 0.75f));
        }
    DrawText(image, text, letters, left, baseline);
}

} /* namespace */

std::string SumLabel(int amountIndex)
{
    const char *figures = SUM_FIGURES[amountIndex];
    return amountIndex < PENCE_COUNT ? figures : "\xA3" + std::string(figures);
}

Image PaintPlate(int amountIndex)
{
    Image image = MakeImage(PLATE_WIDTH_PX, PLATE_HEIGHT_PX, Rgb{0, 0, 0});
    bool leftColumn = amountIndex < LOW_COLUMN_COUNT;
    /* The plate's edges, one black pixel clear of the picture's border. */
    float x0 = leftColumn ? CONNECTOR_LENGTH : 1.0f;
    float x1 = leftColumn ? PLATE_WIDTH_PX - 1.0f : PLATE_WIDTH_PX - CONNECTOR_LENGTH;
    const int mid = PLATE_HEIGHT_PX / 2;
    int cx0 = leftColumn ? 0 : PLATE_WIDTH_PX - CONNECTOR_LENGTH;
    for (int x = cx0; x < cx0 + CONNECTOR_LENGTH; ++x) PixelAt(image, x, mid) = CONNECTOR_GREY;

    Rgb base = PLATE_COLOURS[amountIndex];
    FillRimmed(image, Rounded(x0, 1.0f, x1, PLATE_HEIGHT_PX - 1.0f, 8.0f), WHITE, 1.25f,
               [&](float, float py) {
                   float t = (py - 2.0f) / (PLATE_HEIGHT_PX - 4.0f);
                   Rgb c = Mix(Lighten(base, 0.28f), Darken(base, 0.22f), t);
                   if (py < mid) c = Lighten(c, 0.12f); /* the glaze of the upper half */
                   return c;
               });
    DrawSum(image, SumLabel(amountIndex), 11.0f, (x0 + x1) * 0.5f, mid + 0.5f, base);
    return image;
}

Image PaintOpenBox(int amountIndex)
{
    const int w = 85, h = 67;
    bool low = amountIndex < LOW_COLUMN_COUNT;
    Rgb base = low ? FromBytes(82, 64, 196) : FromBytes(226, 84, 28);
    Image image = MakeImage(w, h, OPEN_EDGE);
    for (int y = 2; y < h - 2; ++y)
        for (int x = 2; x < w - 2; ++x) {
            float dx = (x + 0.5f - w * 0.5f) / (w * 0.5f), dy = (y + 0.5f - h * 0.5f) / (h * 0.5f);
            float vignette = 0.28f * Clamp01(dx * dx * 0.6f + dy * dy * 0.8f);
            Rgb c = Darken(Mix(Lighten(base, 0.1f), Darken(base, 0.15f), y / float(h)), vignette);
            /* The light spot: an oval glow under the top edge. */
            float sx = (x + 0.5f - w * 0.5f) / 30.0f, sy = (y + 0.5f - 13.0f) / 10.0f;
            float glow = std::exp(-(sx * sx + sy * sy) * 1.4f);
            PixelAt(image, x, y) = Lighten(c, 0.55f * glow);
        }
    /* A bevel inside the lavender edge makes the panel sit in its frame. */
    for (int x = 2; x < w - 2; ++x) {
        BlendPixel(image, x, 2, Darken(base, 0.5f), 0.6f);
        BlendPixel(image, x, h - 3, Lighten(base, 0.4f), 0.4f);
    }
    for (int y = 2; y < h - 2; ++y) {
        BlendPixel(image, 2, y, Darken(base, 0.5f), 0.6f);
        BlendPixel(image, w - 3, y, Lighten(base, 0.4f), 0.4f);
    }
    const std::string text = SumLabel(amountIndex);
    float digit = 15.0f;
    while (digit > 8.0f && TextWidth(text, TextStyle{FACE_BOLD, digit, WHITE}) > w - 12.0f)
        digit -= 1.0f;
    DrawSum(image, text, digit, w * 0.5f, h * 0.5f + 2.0f, base);
    return image;
}
