/* Bounds-checked little-endian reads over a program file's bytes, shared
   by the header and the resource readers. A read past the end answers 0
   and clears ok, so a parser may read a whole header and look once. */
#ifndef ZENDARO_PE_READER_H
#define ZENDARO_PE_READER_H

#include <stdint.h>

#include <vector>

struct PeReader {
    const std::vector<uint8_t> &bytes;
    bool ok = true;

    bool Has(uint64_t offset, uint64_t length) const
    {
        return offset <= bytes.size() && length <= bytes.size() - offset;
    }
    uint32_t Read(uint64_t offset, int width)
    {
        if (!Has(offset, (uint64_t)width)) {
            ok = false;
            return 0;
        }
        uint32_t value = 0;
        for (int i = width - 1; i >= 0; i--) value = (value << 8) | bytes[offset + (uint64_t)i];
        return value;
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
