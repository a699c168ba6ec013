/* Every picture the two programs carry, painted from code. */
#ifndef ASSETGEN_ART_H
#define ASSETGEN_ART_H

#include "canvas.h"
#include "formats.h"
#include "resources/board.h"

#include <string>

const int SUM_COUNT = AMOUNT_COUNT;

/* The sum as the board writes it (code page 1252). */
std::string SumLabel(int amountIndex);

Image PaintBackground();
Image PaintClosedBox();
Image PaintBankerPhone();
Image PaintPlate(int amountIndex);
Image PaintOpenBox(int amountIndex);

Image PaintSetupHeader();
Image PaintFolder();

IconImage PaintGameIcon();
IconImage PaintSetupIcon(int size);

#endif
