#include "sheet.h"
#include "font.h"

#include <algorithm>
#include <cmath>

namespace
{

const Rgb kPaper = {236, 236, 236};
const int kGap = 12;
const int kLabelHeight = 16;

void Blit(Image &page, const Image &image, int left, int top)
{
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            int px = left + x, py = top + y;
            if (px >= 0 && py >= 0 && px < page.width && py < page.height)
                PixelAt(page, px, py) = PixelOf(image, x, y);
        }
}

// Dialog units of the main window to pixels, rounded as the dialog manager does.
int UnitsAcross(int units)
{
    return static_cast<int>(std::lround(units * 1.5));
}

int UnitsDown(int units)
{
    return static_cast<int>(std::lround(units * 13.0 / 8.0));
}

} // namespace

Image IconPreview(const IconImage &icon)
{
    Image image = MakeImage(icon.size, icon.size, Rgb{0, 0, 0});
    for (int y = 0; y < icon.size; ++y)
        for (int x = 0; x < icon.size; ++x) {
            size_t i = static_cast<size_t>(y) * icon.size + x;
            bool light = ((x / 4) + (y / 4)) % 2 == 0;
            PixelAt(image, x, y) = icon.transparent[i]
                                       ? (light ? Rgb{250, 250, 250} : Rgb{205, 205, 205})
                                       : kIconPalette[icon.index[i]];
        }
    return image;
}

Image BoardPreview(const Image &background, const Image &closedBox, const Image &phone,
                   const std::vector<Image> &plates, const std::vector<Image> &openBoxes)
{
    static const int kBoxes[22][2] = {
        {9, 301},  {9, 260},   {9, 219},   {9, 178},   {9, 137},   {9, 96},    {9, 55},  {13, 8},
        {77, 8},   {136, 8},   {195, 8},   {255, 8},   {315, 8},   {374, 8},   {438, 8}, {444, 54},
        {444, 95}, {444, 136}, {444, 177}, {444, 218}, {444, 259}, {444, 300},
    };
    Image board = background;
    for (int k = 0; k < 22; ++k) {
        // Two sums already revealed, to show opened boxes and missing plates.
        if (k == 4 || k == 17) continue;
        int x = k < 11 ? 76 : 348, y = 59 + 16 * (k % 11);
        Blit(board, plates[static_cast<size_t>(k)], UnitsAcross(x), UnitsDown(y));
    }
    for (int b = 0; b < 22; ++b) {
        const Image &picture = b == 3 ? openBoxes[4] : b == 12 ? openBoxes[17] : closedBox;
        Blit(board, picture, UnitsAcross(kBoxes[b][0]), UnitsDown(kBoxes[b][1]));
    }
    Blit(board, phone, UnitsAcross(205), UnitsDown(68));
    return board;
}

Image ComposeSheet(const std::vector<SheetItem> &items, int pageWidth)
{
    // Lay the items out in rows, then paint them.
    TextStyle label = {kFaceRegular, 8.0f, Rgb{40, 40, 40}};
    std::vector<int> lefts, tops;
    int x = kGap, y = kGap, rowHeight = 0;
    for (const SheetItem &item : items) {
        int w = std::max(item.image.width, static_cast<int>(TextWidth(item.label, label)) + 4);
        if (x + w + kGap > pageWidth && x > kGap) {
            x = kGap;
            y += rowHeight + kGap;
            rowHeight = 0;
        }
        lefts.push_back(x);
        tops.push_back(y);
        x += w + kGap;
        rowHeight = std::max(rowHeight, item.image.height + kLabelHeight);
    }
    Image page = MakeImage(pageWidth, y + rowHeight + kGap, kPaper);
    for (size_t i = 0; i < items.size(); ++i) {
        DrawText(page, items[i].label, label, static_cast<float>(lefts[i]), tops[i] + 10);
        Blit(page, items[i].image, lefts[i], tops[i] + kLabelHeight);
    }
    return page;
}
