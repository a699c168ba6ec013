/* Bounds-checked little-endian reads over a file's bytes: the one reader
   of every test that looks inside a binary file. A read past the end
   answers 0; PeReader also clears ok, so a parser may read a whole header
   and look once. */
#ifndef ZENDARO_PE_READER_H
#define ZENDARO_PE_READER_H

#include <stdint.h>

#include <vector>

inline bool HasBytes(const std::vector<uint8_t> &bytes, uint64_t offset, uint64_t length)
{
    return offset <= bytes.size() && length <= bytes.size() - offset;
}

inline uint32_t LittleEndian(const std::vector<uint8_t> &bytes, uint64_t offset, int width)
{
    if (!HasBytes(bytes, offset, (uint64_t)width)) return 0;
    uint32_t value = 0;
    for (int i = width - 1; i >= 0; i--) value = (value << 8) | bytes[offset + (uint64_t)i];
    return value;
}

inline uint16_t U16(const std::vector<uint8_t> &bytes, uint64_t offset)
{
    return (uint16_t)LittleEndian(bytes, offset, 2);
}

inline uint32_t U32(const std::vector<uint8_t> &bytes, uint64_t offset)
{
    return LittleEndian(bytes, offset, 4);
}

struct PeReader {
    const std::vector<uint8_t> &bytes;
    bool ok = true;

    bool Has(uint64_t offset, uint64_t length) const
    {
        return HasBytes(bytes, offset, length);
    }
    uint32_t Read(uint64_t offset, int width)
    {
        if (!Has(offset, (uint64_t)width)) ok = false;
        return LittleEndian(bytes, offset, width);
    }
    uint16_t U16(uint64_t offset)
    {
        return (uint16_t)Read(offset, 2);
    }
    uint32_t U32(uint64_t offset)
    {
        return Read(offset, 4);
    }
};

#endif
