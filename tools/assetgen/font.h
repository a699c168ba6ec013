/* Text set with a real TrueType rasteriser (stb_truetype) in DejaVu Sans. */
#ifndef ASSETGEN_FONT_H
#define ASSETGEN_FONT_H

#include "canvas.h"

#include <string>

enum FontFace { FACE_BOLD, FACE_REGULAR };

/* Loads the faces once; returns false (and says why on stderr) if a font is missing. */
bool LoadFonts();

/* Text is code page 1252 (0xA3 is the pound sign). The size is given as the
   height of a digit in pixels, so figures sit exactly on pixel rows. */
struct TextStyle {
    FontFace face;
    float digitHeight;
    Rgb colour;
};

float TextWidth(const std::string &text, const TextStyle &style);

/* Draws text whose digits span the rows baseline-digitHeight .. baseline-1. */
void DrawText(Image &image, const std::string &text, const TextStyle &style, float left,
              int baseline);

/* Coverage of the text, as DrawText would paint it, into a mask the size of
   the image (values 0..1, combined by maximum). */
void TextMask(std::vector<float> &mask, int width, int height, const std::string &text,
              const TextStyle &style, float left, int baseline);

#endif
