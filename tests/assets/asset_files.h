// Readers for the files the asset generator writes: just enough of BMP,
// ICO and RIFF WAVE to check every header field the Windows loaders use.
#ifndef ZENDARO_TESTS_ASSET_FILES_H
#define ZENDARO_TESTS_ASSET_FILES_H

#include <cstdint>
#include <string>
#include <vector>

#include "pe_image.h"  // ReadWholeFile
#include "pe_reader.h" // U16, U32

typedef std::vector<uint8_t> Bytes;

// A committed file, by its path in the checkout.
Bytes ReadSource(const std::string &relative);

struct Pixel {
    int r, g, b;
};

// A 24-bit bottom-up BMP. error is empty when every header rule holds.
struct Bitmap {
    std::string error;
    int width = 0, height = 0;
    std::vector<Pixel> pixels; // top row first
    Pixel At(int x, int y) const
    {
        return pixels[static_cast<size_t>(y) * width + x];
    }
};

Bitmap ParseBitmap(const Bytes &file);

struct IconEntry {
    int width, height, colours, planes, bits;
    uint32_t bytes, offset;
    // From the image's own header and data:
    int headerWidth, headerHeight, headerBits;
    std::vector<int> index;        // palette index per pixel, top row first
    std::vector<bool> transparent; // AND mask
};

struct Icon {
    std::string error;
    std::vector<IconEntry> images;
};

Icon ParseIcon(const Bytes &file);

struct Chunk {
    std::string id;
    uint32_t size;
    size_t dataAt;
};

struct Wave {
    std::string error;
    std::vector<Chunk> chunks; // top-level chunks inside RIFF/WAVE, in order
    Bytes file;
};

Wave ParseWave(const Bytes &file);

int Luma(Pixel p);
bool IsWhite(Pixel p);

#endif
