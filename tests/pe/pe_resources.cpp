#include "pe_resources.h"

#include <tuple>

#include "pe_reader.h"

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

namespace
{

const uint32_t SUBDIRECTORY = 0x80000000u;
const uint32_t NAMED = 0x80000000u;
/* No real directory has more; a bad count must not loop for long. */
const unsigned MOST_ENTRIES = 4096;

struct ResourceWalk {
    PeReader &r;
    const PeImage &image;
    uint64_t root; /* file offset of the resource directory's root */
    std::map<ResourceId, std::vector<uint8_t>> &resources;

    ResourceKey KeyOf(uint32_t nameField)
    {
        if (!(nameField & NAMED)) return ResourceNumber(nameField & 0xFFFF);
        uint64_t at = root + (nameField & ~NAMED);
        uint16_t length = r.U16(at);
        std::string name;
        for (uint16_t i = 0; i < length && r.ok; i++) name += (char)r.U16(at + 2 + 2ull * i);
        return ResourceName(name);
    }

    /* Entries of the directory at offset, as (name field, target field). */
    std::vector<std::pair<uint32_t, uint32_t>> Entries(uint32_t offset)
    {
        uint64_t at = root + offset;
        unsigned count = (unsigned)r.U16(at + 12) + r.U16(at + 14);
        std::vector<std::pair<uint32_t, uint32_t>> entries;
        for (unsigned i = 0; i < count && r.ok && i < MOST_ENTRIES; i++)
            entries.push_back({r.U32(at + 16 + 8ull * i), r.U32(at + 20 + 8ull * i)});
        return entries;
    }

    std::string Leaf(const ResourceId &id, uint32_t offset)
    {
        uint64_t at = root + offset;
        uint32_t rva = r.U32(at), size = r.U32(at + 4);
        uint64_t data = PeFileOffset(image, rva);
        if (!r.ok || data == 0 || !r.Has(data, size)) return "a resource lies outside the file";
        resources[id] = std::vector<uint8_t>(r.bytes.begin() + (long)data,
                                             r.bytes.begin() + (long)(data + size));
        return "";
    }

    std::string Walk()
    {
        for (auto type : Entries(0)) {
            if (!(type.second & SUBDIRECTORY)) continue;
            for (auto name : Entries(type.second & ~SUBDIRECTORY)) {
                if (!(name.second & SUBDIRECTORY)) continue;
                for (auto language : Entries(name.second & ~SUBDIRECTORY)) {
                    ResourceId id{KeyOf(type.first), KeyOf(name.first), language.first};
                    std::string wrong = Leaf(id, language.second & ~SUBDIRECTORY);
                    if (!wrong.empty()) return wrong;
                }
            }
        }
        return r.ok ? "" : "resource directory runs past the end";
    }
};

} // namespace

std::string ParsePeResources(const std::vector<uint8_t> &bytes, const PeImage &image,
                             std::map<ResourceId, std::vector<uint8_t>> *resources)
{
    resources->clear();
    if (image.resources.rva == 0) return "";
    uint64_t root = PeFileOffset(image, image.resources.rva);
    if (root == 0) return "resource directory outside every section";
    PeReader r{bytes};
    ResourceWalk walk{r, image, root, *resources};
    return walk.Walk();
}

PeFile ReadPeFile(const std::string &path)
{
    PeFile pe;
    std::vector<uint8_t> bytes = ReadWholeFile(path);
    if (bytes.empty()) {
        pe.error = "cannot read " + path;
        return pe;
    }
    std::string wrong = ParsePeImage(bytes, &pe.image);
    if (wrong.empty()) wrong = ParsePeResources(bytes, pe.image, &pe.resources);
    if (!wrong.empty()) pe.error = path + ": " + wrong;
    return pe;
}
