/* Reads a Windows program file's COFF and optional headers, section table
   and imported DLL names from its raw bytes, so it runs on the build
   machine without any Windows header (pe_resources.h adds the resources). */
#ifndef ZENDARO_PE_IMAGE_H
#define ZENDARO_PE_IMAGE_H

#include <stdint.h>

#include <string>
#include <vector>

enum : uint16_t {
    PE_MACHINE_I386 = 0x014c,
    PE_MACHINE_AMD64 = 0x8664,
    PE_MAGIC_PE32 = 0x10b,
    PE_MAGIC_PE32_PLUS = 0x20b,
    PE_SUBSYSTEM_GUI = 2,
    PE_FILE_RELOCS_STRIPPED = 0x0001,
    PE_FILE_EXECUTABLE_IMAGE = 0x0002
};

struct PeSection {
    std::string name;
    uint32_t virtualAddress;
    uint32_t virtualSize;
    uint32_t rawOffset;
    uint32_t rawSize;
};

/* An address range of the optional header's data directory. */
struct PeDirectory {
    uint32_t rva;
    uint32_t size;
};

struct PeImage {
    uint64_t fileSize = 0;
    uint16_t machine = 0;
    uint16_t characteristics = 0;
    uint32_t timeDateStamp = 0;
    uint16_t magic = 0;
    uint32_t checksum = 0;
    uint64_t checksumOffset = 0;
    uint16_t subsystem = 0;
    uint16_t dllCharacteristics = 0;
    PeDirectory imports = {0, 0};
    PeDirectory resources = {0, 0};
    PeDirectory relocations = {0, 0};
    std::vector<PeSection> sections;
    std::vector<std::string> importedDlls;
};

/* Parses a whole file's bytes. Answers "" on success, else what is wrong
   (the image is then partly filled at most). Never reads past the end. */
std::string ParsePeImage(const std::vector<uint8_t> &bytes, PeImage *image);

/* The checksum of a parsed file's bytes as Windows computes it (the
   CheckSumMappedFile sum): 16-bit words added with end-around carry, the
   header's own checksum field counted as zero, plus the file size. */
uint32_t PeChecksum(const std::vector<uint8_t> &bytes, const PeImage &image);

/* The bytes of a file, or an empty vector. */
std::vector<uint8_t> ReadWholeFile(const std::string &path);

/* The file offset of a relative virtual address, or 0 when no section's
   raw data holds it (offset 0 is the DOS header, never section data). */
uint64_t PeFileOffset(const PeImage &image, uint32_t rva);

/* The section of that name, or NULL. */
const PeSection *FindPeSection(const PeImage &image, const char *name);

/* Whether Windows loads a DLL of this name from the system folder only,
   whatever lies beside the program: one of its "known DLLs" (kernel32,
   user32 ...); the case of the name does not matter. Any other DLL, a
   compiler's runtime DLL or winmm.dll alike, is looked for in the
   program's own folder first. */
int IsKnownDll(const std::string &name);

#endif
