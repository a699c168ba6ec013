/* Pixel canvas and the shape helpers every picture is painted with.
   Shapes are described by signed distances (negative inside), which gives
   anti-aliased edges without supersampling: a pixel's coverage is how much
   of its one-pixel footprint lies inside. */
#ifndef ASSETGEN_CANVAS_H
#define ASSETGEN_CANVAS_H

#include <cstdint>
#include <vector>

struct Rgb {
    float r, g, b;
};

struct Image {
    int width;
    int height;
    std::vector<Rgb> pixels; /* row-major, top row first */
};

Image MakeImage(int width, int height, Rgb fill);
Rgb &PixelAt(Image &image, int x, int y);
const Rgb &PixelAt(const Image &image, int x, int y);

/* Paints colour over the pixel with the given opacity (0..1); outside is ignored. */
void BlendPixel(Image &image, int x, int y, Rgb colour, float alpha);

Rgb Mix(Rgb a, Rgb b, float t);
Rgb Lighten(Rgb c, float t); /* towards white */
Rgb Darken(Rgb c, float t);  /* towards black */
Rgb FromBytes(int r, int g, int b);
float Luma(Rgb c);

float Clamp01(float v);
float SmoothStep(float edge0, float edge1, float v);
float Coverage(float distance); /* distance in pixels, negative inside */

/* Signed distances; (px, py) is the sample point in pixel coordinates. */
float SdCircle(float px, float py, float cx, float cy, float radius);
float SdEllipse(float px, float py, float cx, float cy, float rx, float ry);
float SdRoundBox(float px, float py, float x0, float y0, float x1, float y1, float radius);
float SdSegment(float px, float py, float ax, float ay, float bx, float by, float halfWidth);
/* Closed polygon given as x0, y0, x1, y1, ...; count is the number of corners. */
float SdPolygon(float px, float py, const float *corners, int count);

/* The same shapes as distance functions of the sample point alone, for
   FillShape and DropShadow (Polygon keeps a pointer to the caller's corners),
   and a shader that paints one colour. */
inline auto Circle(float cx, float cy, float radius)
{
    return [=](float px, float py) { return SdCircle(px, py, cx, cy, radius); };
}

inline auto Rounded(float x0, float y0, float x1, float y1, float radius)
{
    return [=](float px, float py) { return SdRoundBox(px, py, x0, y0, x1, y1, radius); };
}

inline auto Segment(float ax, float ay, float bx, float by, float halfWidth)
{
    return [=](float px, float py) { return SdSegment(px, py, ax, ay, bx, by, halfWidth); };
}

inline auto Polygon(const float *corners, int count)
{
    return [=](float px, float py) { return SdPolygon(px, py, corners, count); };
}

inline auto Solid(Rgb colour)
{
    return [=](float, float) { return colour; };
}

/* Deterministic value noise in [0, 1], smooth between integer lattice points. */
float HashUnit(int x, int y, uint32_t seed);
float ValueNoise(float x, float y, uint32_t seed);
float FractalNoise(float x, float y, uint32_t seed, int octaves);

/* Fills every pixel whose centre region the distance function covers; the
   shader gives the colour at a pixel centre. Only the bounding box is visited. */
template <typename Distance, typename Shader>
void FillShape(Image &image, int x0, int y0, int x1, int y1, Distance distance, Shader shader,
               float opacity = 1.0f)
{
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            float px = x + 0.5f, py = y + 0.5f;
            float cover = Coverage(distance(px, py)) * opacity;
            if (cover > 0.0f) BlendPixel(image, x, y, shader(px, py), cover);
        }
    }
}

/* FillShape over the whole picture. */
template <typename Distance, typename Shader>
void Fill(Image &image, Distance distance, Shader shader, float opacity = 1.0f)
{
    FillShape(image, 0, 0, image.width - 1, image.height - 1, distance, shader, opacity);
}

/* Soft drop shadow: darkens pixels by a blurred copy of a shape's coverage. */
template <typename Distance>
void DropShadow(Image &image, int x0, int y0, int x1, int y1, Distance distance, float softness,
                float strength)
{
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            float d = distance(x + 0.5f, y + 0.5f);
            float a = strength * (1.0f - SmoothStep(-softness, softness, d));
            if (a > 0.0f) BlendPixel(image, x, y, Rgb{0, 0, 0}, a);
        }
    }
}

/* A shape with a rim: all of it in the rim's colour, then the shader's
   colour inside, rimWidth pixels in from the edge. */
template <typename Distance, typename Shader>
void FillRimmed(Image &image, Distance distance, Rgb rim, float rimWidth, Shader shader)
{
    Fill(image, distance, Solid(rim));
    Fill(
        image, [&](float px, float py) { return distance(px, py) + rimWidth; }, shader);
}

#endif
