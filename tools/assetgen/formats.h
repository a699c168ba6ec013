/* The file formats the generator writes: BMP, ICO, WAV, PNG and plain text. */
#ifndef ASSETGEN_FORMATS_H
#define ASSETGEN_FORMATS_H

#include "canvas.h"

#include <cstdint>
#include <string>
#include <vector>

typedef std::vector<uint8_t> Bytes;

/* The sixteen colours of the classic Windows palette, in index order. */
extern const Rgb ICON_PALETTE[16];

/* A 16-colour icon image: one palette index per pixel, and a mask that
   marks the pixels through which the desktop shows. */
struct IconImage {
    int size;
    std::vector<uint8_t> index;
    std::vector<uint8_t> transparent;
};

Bytes EncodeBmp24(const Image &image);
Bytes EncodeIcon(const std::vector<IconImage> &images);

/* 8-bit mono PCM at 11,025 Hz, followed by a LIST/INFO chunk of 78 bytes
   that names the sound (title at most 23 characters, comment at most 25). */
Bytes EncodeWav(const std::vector<uint8_t> &samples, const std::string &title,
                const std::string &comment);

bool WriteFile(const std::string &path, const Bytes &bytes);
bool WriteText(const std::string &path, const std::string &text);
bool WritePng(const std::string &path, const Image &image);

#endif
