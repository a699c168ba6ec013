#include "formats.h"

#include <stb_image_write.h>

#include <cmath>
#include <cstdio>
#include <filesystem>

const Rgb ICON_PALETTE[16] = {
    {0, 0, 0},     {128, 0, 0},     {0, 128, 0},     {128, 128, 0},   {0, 0, 128}, {128, 0, 128},
    {0, 128, 128}, {192, 192, 192}, {128, 128, 128}, {255, 0, 0},     {0, 255, 0}, {255, 255, 0},
    {0, 0, 255},   {255, 0, 255},   {0, 255, 255},   {255, 255, 255},
};

namespace
{

void Put16(Bytes &out, uint32_t v)
{
    out.push_back(static_cast<uint8_t>(v & 0xFF));
    out.push_back(static_cast<uint8_t>((v >> 8) & 0xFF));
}

void Put32(Bytes &out, uint32_t v)
{
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

void PutTag(Bytes &out, const char *tag)
{
    out.insert(out.end(), tag, tag + 4);
}

uint8_t ToByte(float v)
{
    long r = std::lround(v);
    return static_cast<uint8_t>(r < 0 ? 0 : r > 255 ? 255 : r);
}

/* A colour as BMP and ICO files keep it: blue, green, red. */
void PutBgr(Bytes &out, Rgb c)
{
    out.insert(out.end(), {ToByte(c.b), ToByte(c.g), ToByte(c.r)});
}

void PutInfoHeader(Bytes &out, int width, int height, int bits, uint32_t imageBytes)
{
    Put32(out, 40);
    Put32(out, static_cast<uint32_t>(width));
    Put32(out, static_cast<uint32_t>(height));
    Put16(out, 1);
    Put16(out, static_cast<uint32_t>(bits));
    Put32(out, 0); /* no compression */
    Put32(out, imageBytes);
    Put32(out, bits == 24 ? 3780 : 0); /* 96 dots per inch */
    Put32(out, bits == 24 ? 3780 : 0);
    Put32(out, 0);
    Put32(out, 0);
}

int RowBytes(int width, int bits)
{
    return ((width * bits + 31) / 32) * 4;
}

/* An icon image's colour pixels and its transparency mask. */
uint32_t IconPixelBytes(const IconImage &icon)
{
    return (RowBytes(icon.size, 4) + RowBytes(icon.size, 1)) * icon.size;
}

void PutIconPixels(Bytes &out, const IconImage &icon)
{
    int xorRow = RowBytes(icon.size, 4), andRow = RowBytes(icon.size, 1);
    for (int y = icon.size - 1; y >= 0; --y) {
        Bytes row(static_cast<size_t>(xorRow), 0);
        for (int x = 0; x < icon.size; ++x) {
            size_t i = static_cast<size_t>(y) * icon.size + x;
            uint8_t v = icon.transparent[i] ? 0 : icon.index[i];
            row[x / 2] |= static_cast<uint8_t>(x % 2 == 0 ? v << 4 : v);
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    for (int y = icon.size - 1; y >= 0; --y) {
        Bytes row(static_cast<size_t>(andRow), 0);
        for (int x = 0; x < icon.size; ++x)
            if (icon.transparent[static_cast<size_t>(y) * icon.size + x])
                row[x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
        out.insert(out.end(), row.begin(), row.end());
    }
}

void PutInfoText(Bytes &out, const char *tag, const std::string &text, size_t fieldBytes)
{
    PutTag(out, tag);
    Put32(out, static_cast<uint32_t>(fieldBytes));
    for (size_t i = 0; i < fieldBytes; ++i)
        out.push_back(i < text.size() ? static_cast<uint8_t>(text[i]) : 0);
}

/* Creates every missing folder on the way to path's parent folder. */
bool MakeParentFolders(const std::string &path)
{
    std::error_code error;
    std::filesystem::path parent = std::filesystem::path(path).parent_path();
    if (parent.empty()) return true;
    std::filesystem::create_directories(parent, error);
    return !error;
}

} /* namespace */

Bytes EncodeBmp24(const Image &image)
{
    int rowBytes = RowBytes(image.width, 24);
    uint32_t imageBytes = static_cast<uint32_t>(rowBytes) * image.height;
    Bytes out = {'B', 'M'};
    Put32(out, 14 + 40 + imageBytes);
    Put32(out, 0);
    Put32(out, 14 + 40);
    PutInfoHeader(out, image.width, image.height, 24, imageBytes);
    for (int y = image.height - 1; y >= 0; --y) {
        for (int x = 0; x < image.width; ++x) PutBgr(out, PixelAt(image, x, y));
        out.resize(out.size() + (size_t)(rowBytes - image.width * 3), 0);
    }
    return out;
}

Bytes EncodeIcon(const std::vector<IconImage> &images)
{
    Bytes out;
    Put16(out, 0);
    Put16(out, 1); /* icon, not cursor */
    Put16(out, static_cast<uint32_t>(images.size()));
    uint32_t offset = 6 + 16 * static_cast<uint32_t>(images.size());
    for (const IconImage &icon : images) {
        uint32_t bytes = 40 + 64 + IconPixelBytes(icon);
        uint8_t size = static_cast<uint8_t>(icon.size);
        out.insert(out.end(), {size, size, 16, 0}); /* 16 colours */
        Put16(out, 1);
        Put16(out, 4);
        Put32(out, bytes);
        Put32(out, offset);
        offset += bytes;
    }
    for (const IconImage &icon : images) {
        PutInfoHeader(out, icon.size, icon.size * 2, 4, IconPixelBytes(icon));
        for (const Rgb &c : ICON_PALETTE) {
            PutBgr(out, c);
            out.push_back(0);
        }
        PutIconPixels(out, icon);
    }
    return out;
}

Bytes EncodeWav(const std::vector<uint8_t> &samples, const std::string &title,
                const std::string &comment)
{
    const uint32_t LIST_BYTES = 78;
    uint32_t dataBytes = static_cast<uint32_t>(samples.size());
    uint32_t pad = dataBytes % 2;
    Bytes out;
    PutTag(out, "RIFF");
    Put32(out, 4 + (8 + 16) + (8 + dataBytes + pad) + LIST_BYTES);
    PutTag(out, "WAVE");
    PutTag(out, "fmt ");
    Put32(out, 16);
    Put16(out, 1);     /* PCM */
    Put16(out, 1);     /* mono */
    Put32(out, 11025); /* samples per second */
    Put32(out, 11025); /* bytes per second */
    Put16(out, 1);     /* block align */
    Put16(out, 8);     /* bits per sample */
    PutTag(out, "data");
    Put32(out, dataBytes);
    out.insert(out.end(), samples.begin(), samples.end());
    if (pad) out.push_back(0);
    PutTag(out, "LIST");
    Put32(out, LIST_BYTES - 8);
    PutTag(out, "INFO");
    PutInfoText(out, "INAM", title.substr(0, 23), 24);
    PutInfoText(out, "ICMT", comment.substr(0, 25), 26);
    return out;
}

bool WriteFile(const std::string &path, const Bytes &bytes)
{
    if (!MakeParentFolders(path)) return false;
    std::FILE *file = std::fopen(path.c_str(), "wb");
    if (!file) {
        std::fprintf(stderr, "assetgen: cannot write %s\n", path.c_str());
        return false;
    }
    size_t written = std::fwrite(bytes.data(), 1, bytes.size(), file);
    bool closed = std::fclose(file) == 0;
    return written == bytes.size() && closed;
}

bool WriteText(const std::string &path, const std::string &text)
{
    return WriteFile(path, Bytes(text.begin(), text.end()));
}

bool WritePng(const std::string &path, const Image &image)
{
    if (!MakeParentFolders(path)) return false;
    std::vector<uint8_t> rgb;
    rgb.reserve(image.pixels.size() * 3);
    for (const Rgb &p : image.pixels) {
        rgb.push_back(ToByte(p.r));
        rgb.push_back(ToByte(p.g));
        rgb.push_back(ToByte(p.b));
    }
    return stbi_write_png(path.c_str(), image.width, image.height, 3, rgb.data(),
                          image.width * 3) != 0;
}
