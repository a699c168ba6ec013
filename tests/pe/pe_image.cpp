#include "pe_image.h"

#include "pe_reader.h"

#include <ctype.h>
#include <string.h>

#include <fstream>
#include <iterator>

namespace
{

const size_t COFF_HEADER_SIZE = 20;
const size_t SECTION_HEADER_SIZE = 40;
const size_t IMPORT_DESCRIPTOR_SIZE = 20;
const uint32_t DIRECTORY_IMPORT = 1;
const uint32_t DIRECTORY_RESOURCE = 2;
const uint32_t DIRECTORY_BASE_RELOCATION = 5;
/* No real program has more; a bad table must not loop for long. */
const uint32_t MOST_IMPORTED_DLLS = 1024;
const size_t LONGEST_DLL_NAME = 256;

std::string ReadSections(PeReader &r, uint64_t table, unsigned count, PeImage *image)
{
    if (!r.Has(table, (uint64_t)count * SECTION_HEADER_SIZE)) return "section table cut short";
    for (unsigned i = 0; i < count; i++) {
        uint64_t at = table + (uint64_t)i * SECTION_HEADER_SIZE;
        PeSection s;
        const char *name = (const char *)&r.bytes[at];
        s.name.assign(name, strnlen(name, 8));
        s.virtualSize = r.U32(at + 8);
        s.virtualAddress = r.U32(at + 12);
        s.rawSize = r.U32(at + 16);
        s.rawOffset = r.U32(at + 20);
        if (!r.Has(s.rawOffset, s.rawSize)) return "section " + s.name + " lies past the end";
        image->sections.push_back(s);
    }
    return "";
}

std::string ReadDllName(PeReader &r, uint64_t offset, std::string *name)
{
    name->clear();
    for (size_t i = 0; i < LONGEST_DLL_NAME; i++) {
        if (!r.Has(offset + i, 1)) return "imported DLL name runs past the end";
        char c = (char)r.bytes[offset + i];
        if (c == '\0') return name->empty() ? "empty imported DLL name" : "";
        *name += c;
    }
    return "imported DLL name too long";
}

std::string ReadImports(PeReader &r, PeImage *image)
{
    if (image->imports.rva == 0) return "";
    uint64_t at = PeFileOffset(*image, image->imports.rva);
    if (at == 0) return "import table outside every section";
    for (uint32_t i = 0; i < MOST_IMPORTED_DLLS; i++, at += IMPORT_DESCRIPTOR_SIZE) {
        if (!r.Has(at, IMPORT_DESCRIPTOR_SIZE)) return "import table cut short";
        uint32_t nameRva = r.U32(at + 12);
        uint32_t firstThunk = r.U32(at + 16);
        if (nameRva == 0 && firstThunk == 0) return "";
        uint64_t nameAt = PeFileOffset(*image, nameRva);
        if (nameAt == 0) return "imported DLL name outside every section";
        std::string name;
        std::string wrong = ReadDllName(r, nameAt, &name);
        if (!wrong.empty()) return wrong;
        image->importedDlls.push_back(name);
    }
    return "import table has no end";
}

PeDirectory ReadDirectory(PeReader &r, uint64_t directories, uint32_t count, uint32_t index)
{
    PeDirectory d = {0, 0};
    if (index >= count) return d;
    d.rva = r.U32(directories + index * UINT64_C(8));
    d.size = r.U32(directories + index * UINT64_C(8) + 4);
    return d;
}

std::string ReadOptionalHeader(PeReader &r, uint64_t at, PeImage *image)
{
    image->magic = r.U16(at);
    uint64_t directoryCountAt;
    if (image->magic == PE_MAGIC_PE32)
        directoryCountAt = at + 92;
    else if (image->magic == PE_MAGIC_PE32_PLUS)
        directoryCountAt = at + 108;
    else
        return "optional header is neither PE32 nor PE32+";
    image->checksum = r.U32(at + 64);
    image->checksumOffset = at + 64;
    image->subsystem = r.U16(at + 68);
    image->dllCharacteristics = r.U16(at + 70);
    uint32_t count = r.U32(directoryCountAt);
    uint64_t directories = directoryCountAt + 4;
    image->imports = ReadDirectory(r, directories, count, DIRECTORY_IMPORT);
    image->resources = ReadDirectory(r, directories, count, DIRECTORY_RESOURCE);
    image->relocations = ReadDirectory(r, directories, count, DIRECTORY_BASE_RELOCATION);
    return r.ok ? "" : "optional header cut short";
}

} // namespace

std::string ParsePeImage(const std::vector<uint8_t> &bytes, PeImage *image)
{
    *image = PeImage();
    image->fileSize = bytes.size();
    PeReader r{bytes};
    if (r.U16(0) != 0x5A4D) return "no MZ signature";
    uint64_t pe = r.U32(0x3C);
    if (!r.ok || r.U32(pe) != 0x00004550 || !r.ok) return "no PE signature";
    uint64_t coff = pe + 4;
    image->machine = r.U16(coff);
    unsigned sectionCount = r.U16(coff + 2);
    image->timeDateStamp = r.U32(coff + 4);
    uint16_t optionalSize = r.U16(coff + 16);
    image->characteristics = r.U16(coff + 18);
    if (!r.ok) return "COFF header cut short";
    uint64_t optional = coff + COFF_HEADER_SIZE;
    std::string wrong = ReadOptionalHeader(r, optional, image);
    if (wrong.empty()) wrong = ReadSections(r, optional + optionalSize, sectionCount, image);
    if (wrong.empty()) wrong = ReadImports(r, image);
    return wrong;
}

uint32_t PeChecksum(const std::vector<uint8_t> &bytes, const PeImage &image)
{
    uint64_t sum = 0;
    for (uint64_t at = 0; at < bytes.size(); at += 2) {
        bool inField = at >= image.checksumOffset && at < image.checksumOffset + 4;
        if (inField) continue;
        uint32_t word = bytes[at];
        if (at + 1 < bytes.size()) word |= (uint32_t)bytes[at + 1] << 8;
        sum += word;
        sum = (sum & 0xFFFF) + (sum >> 16);
    }
    return (uint32_t)(sum + bytes.size());
}

std::vector<uint8_t> ReadWholeFile(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) return {};
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in),
                                std::istreambuf_iterator<char>());
}

uint64_t PeFileOffset(const PeImage &image, uint32_t rva)
{
    for (const PeSection &s : image.sections) {
        if (rva >= s.virtualAddress && rva - s.virtualAddress < s.rawSize)
            return (uint64_t)s.rawOffset + (rva - s.virtualAddress);
    }
    return 0;
}

const PeSection *FindPeSection(const PeImage &image, const char *name)
{
    for (const PeSection &s : image.sections)
        if (s.name == name) return &s;
    return nullptr;
}

int IsKnownDll(const std::string &name)
{
    static const char *const systemDlls[] = {
        "kernel32.dll", "user32.dll",   "gdi32.dll",   "shell32.dll", "ole32.dll", "oleaut32.dll",
        "comdlg32.dll", "advapi32.dll", "shlwapi.dll", "msvcrt.dll",  "ntdll.dll"};
    std::string lower;
    for (char c : name) lower += (char)tolower((unsigned char)c);
    for (const char *dll : systemDlls)
        if (lower == dll) return 1;
    return 0;
}
