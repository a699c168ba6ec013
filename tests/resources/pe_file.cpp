#include "pe_file.h"

#include <fstream>
#include <iterator>
#include <tuple>

bool ResourceKey::operator<(const ResourceKey &other) const
{
    return std::tie(isNumber, number, name) < std::tie(other.isNumber, other.number, other.name);
}

ResourceKey ResourceNumber(uint32_t number)
{
    return ResourceKey{true, number, ""};
}

ResourceKey ResourceName(const std::string &name)
{
    return ResourceKey{false, 0, name};
}

bool ResourceId::operator<(const ResourceId &other) const
{
    return std::tie(type, name, language) < std::tie(other.type, other.name, other.language);
}

std::vector<uint8_t> ReadWholeFile(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) return {};
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in),
                                std::istreambuf_iterator<char>());
}

namespace
{

struct Section {
    uint32_t virtualAddress, virtualSize, rawOffset, rawSize;
};

/* Bounds-checked little-endian reads; a read past the end sets failed. */
struct Reader {
    const std::vector<uint8_t> &bytes;
    std::vector<Section> sections;
    bool failed = false;

    uint32_t Get(uint64_t at, int size)
    {
        if (at + (uint64_t)size > bytes.size()) {
            failed = true;
            return 0;
        }
        uint32_t value = 0;
        for (int i = size - 1; i >= 0; i--) value = (value << 8) | bytes[at + (uint64_t)i];
        return value;
    }
    uint16_t U16(uint64_t at)
    {
        return (uint16_t)Get(at, 2);
    }
    uint32_t U32(uint64_t at)
    {
        return Get(at, 4);
    }

    /* File offset of a relative virtual address, or 0 if no section has it. */
    uint64_t Offset(uint32_t rva)
    {
        for (const Section &s : sections) {
            uint32_t span = s.virtualSize > s.rawSize ? s.virtualSize : s.rawSize;
            if (rva >= s.virtualAddress && rva - s.virtualAddress < span)
                return (uint64_t)s.rawOffset + (rva - s.virtualAddress);
        }
        failed = true;
        return 0;
    }

    std::string AsciiAt(uint64_t at)
    {
        std::string text;
        while (!failed && text.size() < 260) {
            uint8_t c = (uint8_t)Get(at++, 1);
            if (c == 0) break;
            text += (char)c;
        }
        return text;
    }
};

struct ResourceWalk {
    Reader &reader;
    uint64_t base; /* file offset of the resource directory's root */
    PeFile &pe;

    ResourceKey KeyOf(uint32_t nameField)
    {
        if (!(nameField & 0x80000000u)) return ResourceNumber(nameField & 0xFFFF);
        uint64_t at = base + (nameField & 0x7FFFFFFFu);
        uint16_t length = reader.U16(at);
        std::string name;
        for (uint16_t i = 0; i < length; i++) name += (char)reader.U16(at + 2 + 2ull * i);
        return ResourceName(name);
    }

    /* Entries of the directory at offset, as (name field, target field). */
    std::vector<std::pair<uint32_t, uint32_t>> Entries(uint32_t offset)
    {
        uint64_t at = base + offset;
        unsigned count = (unsigned)reader.U16(at + 12) + reader.U16(at + 14);
        std::vector<std::pair<uint32_t, uint32_t>> entries;
        for (unsigned i = 0; i < count && !reader.failed && i < 4096; i++)
            entries.push_back({reader.U32(at + 16 + 8ull * i), reader.U32(at + 20 + 8ull * i)});
        return entries;
    }

    void Leaf(const ResourceId &id, uint32_t offset)
    {
        uint64_t at = base + offset;
        uint32_t rva = reader.U32(at), size = reader.U32(at + 4);
        uint64_t data = reader.Offset(rva);
        if (reader.failed || data + size > reader.bytes.size()) {
            reader.failed = true;
            return;
        }
        pe.resources[id] = std::vector<uint8_t>(reader.bytes.begin() + (long)data,
                                                reader.bytes.begin() + (long)(data + size));
    }

    void Walk()
    {
        for (auto type : Entries(0)) {
            if (!(type.second & 0x80000000u)) continue;
            for (auto name : Entries(type.second & 0x7FFFFFFFu)) {
                if (!(name.second & 0x80000000u)) continue;
                for (auto language : Entries(name.second & 0x7FFFFFFFu)) {
                    ResourceId id{KeyOf(type.first), KeyOf(name.first), language.first};
                    Leaf(id, language.second & 0x7FFFFFFFu);
                }
            }
        }
    }
};

void ReadImports(Reader &reader, uint32_t rva, PeFile &pe)
{
    if (rva == 0) return;
    uint64_t at = reader.Offset(rva);
    for (int i = 0; i < 64 && !reader.failed; i++, at += 20) {
        uint32_t nameRva = reader.U32(at + 12);
        if (nameRva == 0) break;
        pe.importedDlls.push_back(reader.AsciiAt(reader.Offset(nameRva)));
    }
}

} // namespace

PeFile ReadPeFile(const std::string &path)
{
    PeFile pe;
    std::vector<uint8_t> bytes = ReadWholeFile(path);
    if (bytes.empty()) {
        pe.error = "cannot read " + path;
        return pe;
    }
    Reader reader{bytes, {}};
    uint32_t header = reader.U32(0x3C);
    if (reader.U16(0) != 0x5A4D || reader.U32(header) != 0x00004550) {
        pe.error = path + " is not a PE file";
        return pe;
    }
    uint64_t coff = header + 4;
    pe.machine = reader.U16(coff);
    unsigned sectionCount = reader.U16(coff + 2);
    uint64_t optional = coff + 20;
    uint64_t sectionTable = optional + reader.U16(coff + 16);
    bool wide = reader.U16(optional) == 0x20B;
    pe.subsystem = reader.U16(optional + 68);
    pe.dllCharacteristics = reader.U16(optional + 70);
    uint64_t directories = optional + (wide ? 112 : 96);
    for (unsigned i = 0; i < sectionCount && !reader.failed; i++) {
        uint64_t at = sectionTable + 40ull * i;
        std::string name;
        for (int c = 0; c < 8 && reader.Get(at + (uint64_t)c, 1); c++)
            name += (char)reader.Get(at + (uint64_t)c, 1);
        pe.sections.push_back(name);
        reader.sections.push_back(
            {reader.U32(at + 12), reader.U32(at + 8), reader.U32(at + 20), reader.U32(at + 16)});
    }
    ReadImports(reader, reader.U32(directories + 8), pe);
    uint32_t resourceRva = reader.U32(directories + 16);
    if (resourceRva) {
        ResourceWalk walk{reader, reader.Offset(resourceRva), pe};
        walk.Walk();
    }
    if (reader.failed) pe.error = path + ": a header points outside the file";
    return pe;
}
