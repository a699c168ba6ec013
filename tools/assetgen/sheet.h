/* The contact sheet: every picture at 1:1 on one page, labelled by id. */
#ifndef ASSETGEN_SHEET_H
#define ASSETGEN_SHEET_H

#include "canvas.h"
#include "formats.h"

#include <string>
#include <vector>

struct SheetItem {
    std::string label;
    Image image;
};

Image IconPreview(const IconImage &icon);

/* A mock-up of the board, with boxes, plates and the telephone where the
   window puts them, so the pictures can be judged together. */
Image BoardPreview(const Image &background, const Image &closedBox, const Image &phone,
                   const std::vector<Image> &plates, const std::vector<Image> &openBoxes);

Image ComposeSheet(const std::vector<SheetItem> &items, int pageWidth);

#endif
