#include "pe_version.h"

#include "pe_reader.h"

namespace
{

const uint32_t FIXED_SIGNATURE = 0xFEEF04BD;
const size_t FIXED_SIZE = 52;

/* One node of the tree: wLength, wValueLength, wType, the key, its value
   and children, each start on a 4-byte boundary of the resource. */
struct Block {
    std::string key;
    size_t value = 0, valueLength = 0; /* valueLength in bytes, or characters for text */
    bool text = false;
    size_t children = 0, end = 0;
};

size_t Aligned(size_t at)
{
    return (at + 3) & ~(size_t)3;
}

/* UTF-16 up to its terminating zero, before `end`, as UTF-8; `*at` moves
   past the zero. Answers false when no zero comes before `end`. */
bool ReadText(const std::vector<uint8_t> &b, size_t *at, size_t end, std::string *text)
{
    for (; *at + 2 <= end; *at += 2) {
        uint16_t c = U16(b, *at);
        if (c == 0) {
            *at += 2;
            return true;
        }
        if (c < 0x80) {
            *text += (char)c;
        } else if (c < 0x800) {
            *text += (char)(0xC0 | (c >> 6));
            *text += (char)(0x80 | (c & 0x3F));
        } else {
            *text += (char)(0xE0 | (c >> 12));
            *text += (char)(0x80 | ((c >> 6) & 0x3F));
            *text += (char)(0x80 | (c & 0x3F));
        }
    }
    return false;
}

/* The block at `at`, which must end by `limit`. */
bool ReadBlock(const std::vector<uint8_t> &b, size_t at, size_t limit, Block *block)
{
    if (at + 6 > limit || limit > b.size()) return false;
    size_t length = U16(b, at);
    block->valueLength = U16(b, at + 2);
    uint16_t type = U16(b, at + 4);
    block->end = at + length;
    if (length < 6 || block->end > limit || type > 1) return false;
    block->text = type == 1;
    size_t cursor = at + 6;
    if (!ReadText(b, &cursor, block->end, &block->key)) return false;
    block->value = Aligned(cursor);
    size_t valueBytes = block->text ? 2 * block->valueLength : block->valueLength;
    if (block->value + valueBytes > block->end) return false;
    block->children = Aligned(block->value + valueBytes);
    return true;
}

bool ReadStringTable(const std::vector<uint8_t> &b, const Block &table,
                     std::map<std::string, std::string> *strings)
{
    for (size_t at = table.children; at < table.end;) {
        Block entry;
        if (!ReadBlock(b, at, table.end, &entry) || !entry.text) return false;
        std::string value;
        size_t cursor = entry.value;
        if (entry.valueLength > 0 && !ReadText(b, &cursor, entry.end, &value)) return false;
        (*strings)[entry.key] = value;
        at = Aligned(entry.end);
    }
    return true;
}

bool ReadChild(const std::vector<uint8_t> &b, const Block &child, VersionInfo *info)
{
    for (size_t at = child.children; at < child.end;) {
        Block inner;
        if (!ReadBlock(b, at, child.end, &inner)) return false;
        if (child.key == "StringFileInfo") {
            if (!ReadStringTable(b, inner, &info->strings[inner.key])) return false;
        } else if (child.key == "VarFileInfo" && inner.key == "Translation") {
            for (size_t v = 0; v + 4 <= inner.valueLength; v += 4)
                info->translations.push_back(U32(b, inner.value + v));
        }
        at = Aligned(inner.end);
    }
    return true;
}

} // namespace

VersionInfo ParseVersionInfo(const std::vector<uint8_t> &bytes)
{
    VersionInfo info;
    Block root;
    if (!ReadBlock(bytes, 0, bytes.size(), &root) || root.key != "VS_VERSION_INFO" ||
        root.valueLength != FIXED_SIZE)
        return info;
    const size_t f = root.value;
    info.signature = U32(bytes, f);
    info.fileVersionMs = U32(bytes, f + 8);
    info.fileVersionLs = U32(bytes, f + 12);
    info.productVersionMs = U32(bytes, f + 16);
    info.productVersionLs = U32(bytes, f + 20);
    info.fileFlagsMask = U32(bytes, f + 24);
    info.fileFlags = U32(bytes, f + 28);
    info.fileOs = U32(bytes, f + 32);
    info.fileType = U32(bytes, f + 36);
    info.fileSubtype = U32(bytes, f + 40);
    for (size_t at = root.children; at < root.end;) {
        Block child;
        if (!ReadBlock(bytes, at, root.end, &child) || !ReadChild(bytes, child, &info)) return info;
        at = Aligned(child.end);
    }
    info.complete = info.signature == FIXED_SIGNATURE;
    return info;
}
