#include "sheet.h"
#include "font.h"
#include "resources/board.h"

#include <algorithm>
#include <cmath>

namespace
{

const Rgb PAPER = {236, 236, 236};
const int GAP = 12;
const int LABEL_HEIGHT = 16;

void Blit(Image &page, const Image &image, int left, int top)
{
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            int px = left + x, py = top + y;
            if (px >= 0 && py >= 0 && px < page.width && py < page.height)
                PixelAt(page, px, py) = PixelAt(image, x, y);
        }
}

/* Dialog units of the main window to pixels, rounded as the dialog manager does. */
int UnitsAcross(int units)
{
    return static_cast<int>(std::lround(units * BASE_UNIT_X / 4.0));
}

int UnitsDown(int units)
{
    return static_cast<int>(std::lround(units * BASE_UNIT_Y / 8.0));
}

} /* namespace */

Image IconPreview(const IconImage &icon)
{
    Image image = MakeImage(icon.size, icon.size, Rgb{0, 0, 0});
    for (int y = 0; y < icon.size; ++y)
        for (int x = 0; x < icon.size; ++x) {
            size_t i = static_cast<size_t>(y) * icon.size + x;
            bool light = ((x / 4) + (y / 4)) % 2 == 0;
            PixelAt(image, x, y) = icon.transparent[i]
                                       ? (light ? Rgb{250, 250, 250} : Rgb{205, 205, 205})
                                       : ICON_PALETTE[icon.index[i]];
        }
    return image;
}

Image BoardPreview(const Image &background, const Image &closedBox, const Image &phone,
                   const std::vector<Image> &plates, const std::vector<Image> &openBoxes)
{
    Image board = background;
    for (int k = 0; k < AMOUNT_COUNT; ++k) {
        /* Two sums already revealed, to show opened boxes and missing plates. */
        if (k == 4 || k == 17) continue;
        Blit(board, plates[static_cast<size_t>(k)], UnitsAcross(PlateX(k)), UnitsDown(PlateY(k)));
    }
    for (int b = 0; b < BOX_COUNT; ++b) {
        const Image &picture = b == 3 ? openBoxes[4] : b == 12 ? openBoxes[17] : closedBox;
        Blit(board, picture, UnitsAcross(BOX_PLACES[b].pictureX),
             UnitsDown(BOX_PLACES[b].pictureY));
    }
    const BoardControl &phonePlace = BOARD_CONTROLS[0]; /* the banker's phone */
    Blit(board, phone, UnitsAcross(phonePlace.x), UnitsDown(phonePlace.y));
    return board;
}

Image ComposeSheet(const std::vector<SheetItem> &items, int pageWidth)
{
    /* Lay the items out in rows, then paint them. */
    TextStyle label = {FACE_REGULAR, 8.0f, Rgb{40, 40, 40}};
    std::vector<int> lefts, tops;
    int x = GAP, y = GAP, rowHeight = 0;
    for (const SheetItem &item : items) {
        int w = std::max(item.image.width, static_cast<int>(TextWidth(item.label, label)) + 4);
        if (x + w + GAP > pageWidth && x > GAP) {
            x = GAP;
            y += rowHeight + GAP;
            rowHeight = 0;
        }
        lefts.push_back(x);
        tops.push_back(y);
        x += w + GAP;
        rowHeight = std::max(rowHeight, item.image.height + LABEL_HEIGHT);
    }
    Image page = MakeImage(pageWidth, y + rowHeight + GAP, PAPER);
    for (size_t i = 0; i < items.size(); ++i) {
        DrawText(page, items[i].label, label, static_cast<float>(lefts[i]), tops[i] + 10);
        Blit(page, items[i].image, lefts[i], tops[i] + LABEL_HEIGHT);
    }
    return page;
}
