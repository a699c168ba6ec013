/* The reader itself: a broken file is reported, never read past its end,
   resources are found by type, name and language, and the DLL allow-list
   refuses runtime DLLs. */
#include <gtest/gtest.h>

#include <string.h>

#include <string>
#include <vector>

#include "pe_image.h"
#include "pe_resources.h"

namespace
{

void Put16(std::vector<uint8_t> &b, size_t at, uint16_t v)
{
    b[at] = (uint8_t)v;
    b[at + 1] = (uint8_t)(v >> 8);
}

void Put32(std::vector<uint8_t> &b, size_t at, uint32_t v)
{
    for (int i = 0; i < 4; i++) b[at + (size_t)i] = (uint8_t)(v >> (8 * i));
}

/* A minimal PE32 image: headers, one section ".idata" at RVA 0x1000 with
   an import table naming kernel32.dll and one resource, WAVE 30000 in
   language 2057 holding "RIFF" (its directory at RVA 0x1180, file offset
   0x380), and one ".reloc" section. */
std::vector<uint8_t> MinimalImage()
{
    std::vector<uint8_t> b(0x600, 0);
    Put16(b, 0, 0x5A4D);
    Put32(b, 0x3C, 0x80);
    Put32(b, 0x80, 0x00004550);
    const size_t coff = 0x84, optional = coff + 20, optionalSize = 224;
    Put16(b, coff + 2, 2);
    Put16(b, coff + 16, optionalSize);
    Put16(b, optional, PE_MAGIC_PE32);
    Put32(b, optional + 92, 16);
    Put32(b, optional + 96 + 8, 0x1000); /* imports */
    Put32(b, optional + 96 + 12, 40);
    const size_t sections = optional + optionalSize;
    memcpy(&b[sections], ".idata", 6);
    Put32(b, sections + 8, 0x200);
    Put32(b, sections + 12, 0x1000);
    Put32(b, sections + 16, 0x200);
    Put32(b, sections + 20, 0x200);
    memcpy(&b[sections + 40], ".reloc", 6);
    Put32(b, sections + 48, 0x200);
    Put32(b, sections + 52, 0x2000);
    Put32(b, sections + 56, 0x200);
    Put32(b, sections + 60, 0x400);
    Put32(b, 0x200 + 12, 0x1100); /* the one descriptor's name */
    Put32(b, 0x200 + 16, 0x1080);
    memcpy(&b[0x300], "kernel32.dll", 13);
    const size_t root = 0x380;
    Put32(b, optional + 96 + 16, 0x1180);
    Put32(b, optional + 96 + 20, 0x80);
    Put16(b, root + 12, 1); /* one named type */
    Put32(b, root + 16, 0x80000000u | 0x60);
    Put32(b, root + 20, 0x80000000u | 0x18);
    Put16(b, root + 0x18 + 14, 1); /* one numbered name */
    Put32(b, root + 0x18 + 16, 30000);
    Put32(b, root + 0x18 + 20, 0x80000000u | 0x30);
    Put16(b, root + 0x30 + 14, 1); /* one language, a leaf */
    Put32(b, root + 0x30 + 16, 2057);
    Put32(b, root + 0x30 + 20, 0x48);
    Put32(b, root + 0x48, 0x1170);
    Put32(b, root + 0x48 + 4, 4);
    memcpy(&b[0x370], "RIFF", 4);
    Put16(b, root + 0x60, 4);
    for (size_t i = 0; i < 4; i++) Put16(b, root + 0x62 + 2 * i, (uint16_t) "WAVE"[i]);
    return b;
}

TEST(PeImageReader, ReportsBrokenFilesWithoutReadingPastTheEnd)
{
    PeImage image;
    EXPECT_NE(ParsePeImage({}, &image), "");
    EXPECT_NE(ParsePeImage(std::vector<uint8_t>(100, 'x'), &image), "");

    std::vector<uint8_t> bytes = MinimalImage();
    for (size_t cut : {0x40, 0x90, 0x120, 0x250, 0x420}) {
        std::vector<uint8_t> shorter(bytes.begin(), bytes.begin() + (long)cut);
        EXPECT_NE(ParsePeImage(shorter, &image), "") << "cut at " << cut;
    }

    std::vector<uint8_t> farOff = bytes;
    Put32(farOff, 0x3C, 0xFFFFFFF0u);
    EXPECT_EQ(ParsePeImage(farOff, &image), "no PE signature");

    std::vector<uint8_t> endless = bytes;
    memset(&endless[0x300], 'a', 0x100);
    EXPECT_NE(ParsePeImage(endless, &image), "");
}

/* The shipped programs' tests read the other header fields. */
TEST(PeImageReader, ReadsImportsAndResourcesAndReportsThoseOutsideTheFile)
{
    std::vector<uint8_t> bytes = MinimalImage();
    PeImage image;
    ASSERT_EQ(ParsePeImage(bytes, &image), "");
    EXPECT_EQ(image.importedDlls, std::vector<std::string>{"kernel32.dll"});
    EXPECT_EQ(FindPeSection(image, ".rsrc"), nullptr);
    std::map<ResourceId, std::vector<uint8_t>> resources;
    ASSERT_EQ(ParsePeResources(bytes, image, &resources), "");
    ASSERT_EQ(resources.size(), 1u);
    ResourceId wave{ResourceName("WAVE"), ResourceNumber(30000), 2057};
    ASSERT_EQ(resources.count(wave), 1u);
    EXPECT_EQ(std::string(resources[wave].begin(), resources[wave].end()), "RIFF");

    /* The leaf's size past the end, its address in no section, a name
       longer than the file. */
    for (auto fault :
         {std::make_pair(0x380 + 0x4C, 0x1000), {0x380 + 0x48, 0x9000}, {0x380 + 0x60, 0xFFFF}}) {
        std::vector<uint8_t> broken = bytes;
        Put16(broken, fault.first, (uint16_t)fault.second);
        EXPECT_NE(ParsePeResources(broken, image, &resources), "") << "at " << fault.first;
    }
}

/* The shipped programs' imports show which names it allows. System DLLs
   that are not known DLLs are refused as well. */
TEST(PeImageReader, RefusesRuntimeAndLookAlikeDlls)
{
    for (const char *dll : {"libgcc_s_dw2-1.dll", "libgcc_s_seh-1.dll", "libstdc++-6.dll",
                            "libwinpthread-1.dll", "libssp-0.dll", "kernel32", "kernel32.dll.evil",
                            "msvcr120.dll", "", "WINMM.dll", "version.dll", "comctl32.dll"})
        EXPECT_FALSE(IsKnownDll(dll)) << dll;
}

} // namespace
