#include "font.h"

#include <stb_truetype.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>

namespace
{

struct LoadedFace {
    std::vector<unsigned char> data;
    stbtt_fontinfo info;
    float digitUnits; /* height of the digit one above the baseline, in font units */
};

LoadedFace gFaces[2];

int CodepointAt(const std::string &text, size_t i)
{
    /* Code page 1252 matches Latin-1 for every character the assets use. */
    return static_cast<unsigned char>(text[i]);
}

bool LoadFace(LoadedFace &face, const char *path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "assetgen: cannot read font %s\n", path);
        return false;
    }
    face.data.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (!stbtt_InitFont(&face.info, face.data.data(), 0)) {
        std::fprintf(stderr, "assetgen: not a TrueType font: %s\n", path);
        return false;
    }
    int x0, y0, x1, y1;
    stbtt_GetCodepointBox(&face.info, '1', &x0, &y0, &x1, &y1);
    face.digitUnits = static_cast<float>(y1);
    return true;
}

float ScaleOf(const TextStyle &style)
{
    return style.digitHeight / gFaces[style.face].digitUnits;
}

/* Moves the pen past character i of text: its advance, then the kerning
   towards the next character. */
void Advance(const stbtt_fontinfo &info, const std::string &text, size_t i, float scale, float *pen)
{
    int cp = CodepointAt(text, i);
    int advance, bearing;
    stbtt_GetCodepointHMetrics(&info, cp, &advance, &bearing);
    *pen += advance * scale;
    if (i + 1 < text.size())
        *pen += scale * stbtt_GetCodepointKernAdvance(&info, cp, CodepointAt(text, i + 1));
}

} /* namespace */

bool LoadFonts()
{
    return LoadFace(gFaces[FACE_BOLD], "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf") &&
           LoadFace(gFaces[FACE_REGULAR], "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf");
}

float TextWidth(const std::string &text, const TextStyle &style)
{
    const stbtt_fontinfo &info = gFaces[style.face].info;
    float scale = ScaleOf(style), width = 0.0f;
    for (size_t i = 0; i < text.size(); ++i) Advance(info, text, i, scale, &width);
    return width;
}

void TextMask(std::vector<float> &mask, int width, int height, const std::string &text,
              const TextStyle &style, float left, int baseline)
{
    const stbtt_fontinfo &info = gFaces[style.face].info;
    float scale = ScaleOf(style);
    float pen = left;
    mask.resize(static_cast<size_t>(width) * height, 0.0f);
    for (size_t i = 0; i < text.size(); ++i) {
        int cp = CodepointAt(text, i);
        int whole = static_cast<int>(std::floor(pen));
        float shift = pen - whole;
        int x0, y0, x1, y1;
        stbtt_GetCodepointBitmapBoxSubpixel(&info, cp, scale, scale, shift, 0.0f, &x0, &y0, &x1,
                                            &y1);
        int gw = x1 - x0, gh = y1 - y0;
        if (gw > 0 && gh > 0) {
            std::vector<unsigned char> glyph(static_cast<size_t>(gw) * gh);
            stbtt_MakeCodepointBitmapSubpixel(&info, glyph.data(), gw, gh, gw, scale, scale, shift,
                                              0.0f, cp);
            for (int gy = 0; gy < gh; ++gy) {
                for (int gx = 0; gx < gw; ++gx) {
                    int x = whole + x0 + gx, y = baseline + y0 + gy;
                    if (x < 0 || y < 0 || x >= width || y >= height) continue;
                    float v = glyph[static_cast<size_t>(gy) * gw + gx] / 255.0f;
                    float &m = mask[static_cast<size_t>(y) * width + x];
                    if (v > m) m = v;
                }
            }
        }
        Advance(info, text, i, scale, &pen);
    }
}

void DrawText(Image &image, const std::string &text, const TextStyle &style, float left,
              int baseline)
{
    std::vector<float> mask;
    TextMask(mask, image.width, image.height, text, style, left, baseline);
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            float m = mask[static_cast<size_t>(y) * image.width + x];
            if (m > 0.0f) BlendPixel(image, x, y, style.colour, m);
        }
}
