#include "canvas.h"

#include <algorithm>
#include <cmath>

Image MakeImage(int width, int height, Rgb fill)
{
    Image image{width, height, {}};
    image.pixels.assign(static_cast<size_t>(width) * height, fill);
    return image;
}

Rgb &PixelAt(Image &image, int x, int y)
{
    return image.pixels[static_cast<size_t>(y) * image.width + x];
}

const Rgb &PixelAt(const Image &image, int x, int y)
{
    return image.pixels[static_cast<size_t>(y) * image.width + x];
}

void BlendPixel(Image &image, int x, int y, Rgb colour, float alpha)
{
    if (x < 0 || y < 0 || x >= image.width || y >= image.height) return;
    Rgb &p = PixelAt(image, x, y);
    p = Mix(p, colour, Clamp01(alpha));
}

Rgb Mix(Rgb a, Rgb b, float t)
{
    return Rgb{a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Rgb Lighten(Rgb c, float t)
{
    return Mix(c, Rgb{255, 255, 255}, t);
}

Rgb Darken(Rgb c, float t)
{
    return Mix(c, Rgb{0, 0, 0}, t);
}

Rgb FromBytes(int r, int g, int b)
{
    return Rgb{static_cast<float>(r), static_cast<float>(g), static_cast<float>(b)};
}

float Luma(Rgb c)
{
    return 0.299f * c.r + 0.587f * c.g + 0.114f * c.b;
}

float Clamp01(float v)
{
    return std::min(1.0f, std::max(0.0f, v));
}

float SmoothStep(float edge0, float edge1, float v)
{
    float t = Clamp01((v - edge0) / (edge1 - edge0));
    return t * t * (3.0f - 2.0f * t);
}

float Coverage(float distance)
{
    return Clamp01(0.5f - distance);
}

float SdCircle(float px, float py, float cx, float cy, float radius)
{
    return std::hypot(px - cx, py - cy) - radius;
}

float SdEllipse(float px, float py, float cx, float cy, float rx, float ry)
{
    /* Scaled circle distance, corrected by the gradient length so the edge
       stays about one pixel wide on both axes. */
    float nx = (px - cx) / rx, ny = (py - cy) / ry;
    float k = std::hypot(nx, ny);
    if (k == 0.0f) return -std::min(rx, ry);
    float gx = nx / rx, gy = ny / ry;
    return (k - 1.0f) * k / std::hypot(gx, gy);
}

float SdRoundBox(float px, float py, float x0, float y0, float x1, float y1, float radius)
{
    float cx = (x0 + x1) * 0.5f, cy = (y0 + y1) * 0.5f;
    float hx = (x1 - x0) * 0.5f - radius, hy = (y1 - y0) * 0.5f - radius;
    float qx = std::fabs(px - cx) - hx, qy = std::fabs(py - cy) - hy;
    float outside = std::hypot(std::max(qx, 0.0f), std::max(qy, 0.0f));
    float inside = std::min(std::max(qx, qy), 0.0f);
    return outside + inside - radius;
}

float SdSegment(float px, float py, float ax, float ay, float bx, float by, float halfWidth)
{
    float vx = bx - ax, vy = by - ay, wx = px - ax, wy = py - ay;
    float len2 = vx * vx + vy * vy;
    float t = len2 > 0.0f ? Clamp01((wx * vx + wy * vy) / len2) : 0.0f;
    return std::hypot(wx - vx * t, wy - vy * t) - halfWidth;
}

float SdPolygon(float px, float py, const float *corners, int count)
{
    float best = 1e30f, sign = 1.0f;
    size_t n = static_cast<size_t>(std::max(count, 0));
    for (size_t i = 0, j = n - 1; i < n; j = i++) {
        float ax = corners[2 * j], ay = corners[2 * j + 1];
        float bx = corners[2 * i], by = corners[2 * i + 1];
        best = std::min(best, SdSegment(px, py, ax, ay, bx, by, 0.0f));
        /* Crossing count of a ray to the right decides inside or outside. */
        if ((by > py) != (ay > py) && px < (ax - bx) * (py - by) / (ay - by) + bx) sign = -sign;
    }
    return sign * best;
}

float HashUnit(int x, int y, uint32_t seed)
{
    uint32_t h = seed * 0x9E3779B1u;
    h ^= static_cast<uint32_t>(x) * 0x85EBCA77u;
    h = (h << 13) | (h >> 19);
    h ^= static_cast<uint32_t>(y) * 0xC2B2AE3Du;
    h ^= h >> 16;
    h *= 0x7FEB352Du;
    h ^= h >> 15;
    h *= 0x846CA68Bu;
    h ^= h >> 16;
    return static_cast<float>(h & 0xFFFFFFu) / static_cast<float>(0xFFFFFF);
}

float ValueNoise(float x, float y, uint32_t seed)
{
    int ix = static_cast<int>(std::floor(x)), iy = static_cast<int>(std::floor(y));
    float fx = x - ix, fy = y - iy;
    float sx = fx * fx * (3 - 2 * fx), sy = fy * fy * (3 - 2 * fy);
    float a = HashUnit(ix, iy, seed), b = HashUnit(ix + 1, iy, seed);
    float c = HashUnit(ix, iy + 1, seed), d = HashUnit(ix + 1, iy + 1, seed);
    float top = a + (b - a) * sx, bottom = c + (d - c) * sx;
    return top + (bottom - top) * sy;
}

float FractalNoise(float x, float y, uint32_t seed, int octaves)
{
    float sum = 0.0f, amplitude = 0.5f, norm = 0.0f;
    for (int i = 0; i < octaves; ++i) {
        sum += amplitude * ValueNoise(x, y, seed + static_cast<uint32_t>(i) * 101u);
        norm += amplitude;
        amplitude *= 0.5f;
        x *= 2.0f;
        y *= 2.0f;
    }
    return sum / norm;
}
