#include "asset_files.h"

Bytes ReadSource(const std::string &relative)
{
    return ReadWholeFile(std::string(ZENDARO_SOURCE_DIR) + "/" + relative);
}

int Luma(Pixel p)
{
    return (299 * p.r + 587 * p.g + 114 * p.b) / 1000;
}

bool IsWhite(Pixel p)
{
    return p.r >= 245 && p.g >= 245 && p.b >= 245;
}

Bitmap ParseBitmap(const Bytes &f)
{
    Bitmap bmp;
    if (f.size() < 54 || f[0] != 'B' || f[1] != 'M') {
        bmp.error = "not a BMP file";
        return bmp;
    }
    int32_t width = static_cast<int32_t>(U32(f, 18)), height = static_cast<int32_t>(U32(f, 22));
    size_t stride = ((static_cast<size_t>(width) * 24 + 31) / 32) * 4;
    if (U32(f, 2) != f.size())
        bmp.error = "file size field wrong";
    else if (U32(f, 10) != 54)
        bmp.error = "pixels do not follow the headers";
    else if (U32(f, 14) != 40)
        bmp.error = "info header is not 40 bytes";
    else if (width <= 0 || height <= 0)
        bmp.error = "not a bottom-up bitmap";
    else if (U16(f, 26) != 1 || U16(f, 28) != 24)
        bmp.error = "not 24 bits per pixel";
    else if (U32(f, 30) != 0)
        bmp.error = "compressed";
    else if (U32(f, 46) != 0)
        bmp.error = "has a colour table";
    else if (U32(f, 34) != stride * height)
        bmp.error = "image size field wrong";
    else if (f.size() != 54 + stride * height)
        bmp.error = "pixel data size wrong";
    if (!bmp.error.empty()) return bmp;
    bmp.width = width;
    bmp.height = height;
    for (int y = 0; y < height; ++y) {
        size_t row = 54 + stride * static_cast<size_t>(height - 1 - y);
        for (int x = 0; x < width; ++x) {
            size_t at = row + 3 * static_cast<size_t>(x);
            bmp.pixels.push_back(Pixel{f[at + 2], f[at + 1], f[at]});
        }
        for (size_t pad = row + 3 * static_cast<size_t>(width); pad < row + stride; ++pad)
            if (f[pad] != 0) bmp.error = "row padding is not zero";
    }
    return bmp;
}

namespace
{

std::string ReadIconImage(const Bytes &f, IconEntry &e)
{
    if (e.offset + 40 > f.size() || e.offset + e.bytes > f.size()) return "image outside the file";
    e.headerWidth = static_cast<int>(U32(f, e.offset + 4));
    e.headerHeight = static_cast<int>(U32(f, e.offset + 8));
    e.headerBits = static_cast<int>(U16(f, e.offset + 14));
    if (U32(f, e.offset) != 40) return "image header is not 40 bytes";
    if (e.headerBits != 4) return "image is not 4 bits per pixel";
    int size = e.headerWidth;
    size_t xorStride = ((static_cast<size_t>(size) * 4 + 31) / 32) * 4;
    size_t andStride = ((static_cast<size_t>(size) + 31) / 32) * 4;
    size_t xorAt = e.offset + 40 + 16 * 4, andAt = xorAt + xorStride * size;
    if (40 + 64 + (xorStride + andStride) * size != e.bytes) return "image byte count wrong";
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            size_t row = static_cast<size_t>(size - 1 - y);
            uint8_t pair = f[xorAt + row * xorStride + x / 2];
            e.index.push_back(x % 2 == 0 ? pair >> 4 : pair & 15);
            e.transparent.push_back((f[andAt + row * andStride + x / 8] >> (7 - x % 8)) & 1);
        }
    return "";
}

} // namespace

Icon ParseIcon(const Bytes &f)
{
    Icon icon;
    if (f.size() < 6 || U16(f, 0) != 0 || U16(f, 2) != 1) {
        icon.error = "not an icon file";
        return icon;
    }
    uint32_t count = U16(f, 4);
    for (uint32_t i = 0; i < count && icon.error.empty(); ++i) {
        size_t at = 6 + 16 * i;
        IconEntry e{};
        e.width = f[at] == 0 ? 256 : f[at];
        e.height = f[at + 1] == 0 ? 256 : f[at + 1];
        e.colours = f[at + 2];
        e.planes = static_cast<int>(U16(f, at + 4));
        e.bits = static_cast<int>(U16(f, at + 6));
        e.bytes = U32(f, at + 8);
        e.offset = U32(f, at + 12);
        icon.error = ReadIconImage(f, e);
        icon.images.push_back(e);
    }
    return icon;
}

Wave ParseWave(const Bytes &f)
{
    Wave wave;
    wave.file = f;
    if (f.size() < 12 || std::string(f.begin(), f.begin() + 4) != "RIFF" ||
        std::string(f.begin() + 8, f.begin() + 12) != "WAVE") {
        wave.error = "not a RIFF WAVE file";
        return wave;
    }
    if (U32(f, 4) + 8 != f.size()) wave.error = "RIFF size does not match the file";
    size_t at = 12;
    while (at + 8 <= f.size()) {
        Chunk c{std::string(f.data() + at, f.data() + at + 4), U32(f, at + 4), at + 8};
        wave.chunks.push_back(c);
        at += 8 + c.size + (c.size & 1);
    }
    if (at != f.size()) wave.error = "chunks do not end with the file";
    return wave;
}
