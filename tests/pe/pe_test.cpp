/* The shipped programs are hardened and self-contained: ASLR with
   relocations kept, NX, high-entropy addresses on x86_64, a GUI program for
   the right processor, nothing imported that Windows would look for beside
   the program, and a header that rebuilds reproduce. */
#include <gtest/gtest.h>

#include <stdlib.h>
#include <strings.h>

#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "pe_resources.h"
#include "pe_version.h"
#include "resources/version.h"

namespace
{

struct Program {
    const char *label;
    const char *buildDir;
    const char *file;
    uint16_t machine;
    uint16_t magic;
    uint16_t dllCharacteristics;
};

const Program PROGRAMS[] = {
    {"Zendaro_i686", ZENDARO_WIN32_DIR, "game/win32/Zendaro.exe", PE_MACHINE_I386, PE_MAGIC_PE32,
     0x140},
    {"setup_i686", ZENDARO_WIN32_DIR, "setup/setup.exe", PE_MACHINE_I386, PE_MAGIC_PE32, 0x140},
    {"Zendaro_x86_64", ZENDARO_WIN64_DIR, "game/win32/Zendaro.exe", PE_MACHINE_AMD64,
     PE_MAGIC_PE32_PLUS, 0x160},
    {"setup_x86_64", ZENDARO_WIN64_DIR, "setup/setup.exe", PE_MACHINE_AMD64, PE_MAGIC_PE32_PLUS,
     0x160},
    /* What each setup carries and installs, as packed into it. */
    {"Zendaro_in_setup_i686", ZENDARO_WIN32_DIR, "setup/setup-payload/Zendaro.exe", PE_MACHINE_I386,
     PE_MAGIC_PE32, 0x140},
    {"Zendaro_in_setup_x86_64", ZENDARO_WIN64_DIR, "setup/setup-payload/Zendaro.exe",
     PE_MACHINE_AMD64, PE_MAGIC_PE32_PLUS, 0x160},
};

/* Known DLLs that no shipped program imports all the same. ADVAPI32 comes
   in with the stack protector's own seeding, which opens a cryptographic
   provider before the program's entry, and so loads DLLs that are not
   known DLLs (cryptsp, cryptbase) while the search still includes the
   program's folder. Our code asks for it at run time from the system
   folder instead. */
const char *const NOT_IMPORTED[] = {"advapi32.dll"};

void PrintTo(const Program &program, std::ostream *out)
{
    *out << program.label;
}

/* ZENDARO_PE_I686_DIR names a folder laid out as the i686 build (the
   signed release's programs) to be checked in its place. */
std::string BuildDir(const Program &program)
{
    const char *other = getenv("ZENDARO_PE_I686_DIR");
    if (other && *other && program.machine == PE_MACHINE_I386) return other;
    return program.buildDir;
}

class ShippedProgram : public ::testing::TestWithParam<Program>
{
  protected:
    void SetUp() override
    {
        path = BuildDir(GetParam()) + "/" + GetParam().file;
        PeFile pe = ReadPeFile(path);
        ASSERT_EQ(pe.error, "");
        image = pe.image;
        for (const auto &resource : pe.resources)
            if (resource.first.type.isNumber && resource.first.type.number == RT_MANIFEST)
                manifest.assign(resource.second.begin(), resource.second.end());
    }
    static const uint32_t RT_MANIFEST = 24;
    std::string path;
    PeImage image;
    std::string manifest;
};

TEST_P(ShippedProgram, IsAGuiProgramForItsProcessor)
{
    EXPECT_EQ(image.machine, GetParam().machine) << path;
    EXPECT_EQ(image.magic, GetParam().magic) << path;
    EXPECT_EQ(image.subsystem, PE_SUBSYSTEM_GUI) << path;
    EXPECT_TRUE(image.characteristics & PE_FILE_EXECUTABLE_IMAGE) << path;
}

TEST_P(ShippedProgram, HasExactlyTheHardeningFlags)
{
    EXPECT_EQ(image.dllCharacteristics, GetParam().dllCharacteristics)
        << path << ": DllCharacteristics 0x" << std::hex << image.dllCharacteristics;
}

/* Without relocations the loader cannot move the program, whatever the
   DYNAMIC_BASE flag says. */
TEST_P(ShippedProgram, KeepsItsRelocations)
{
    EXPECT_FALSE(image.characteristics & PE_FILE_RELOCS_STRIPPED) << path;
    const PeSection *reloc = FindPeSection(image, ".reloc");
    ASSERT_NE(reloc, nullptr) << path << " has no .reloc section";
    EXPECT_GT(reloc->rawSize, 0u) << path;
    EXPECT_GT(image.relocations.size, 0u) << path;
    EXPECT_GE(image.relocations.rva, reloc->virtualAddress) << path;
    EXPECT_LE(image.relocations.rva + image.relocations.size,
              reloc->virtualAddress + reloc->virtualSize)
        << path;
}

/* Rebuilds of a release must match it byte for byte, so the header holds
   no link time; its checksum, which some tools and loaders check, must
   still be the one of the finished file. */
TEST_P(ShippedProgram, HasNoLinkTimeAndATrueChecksum)
{
    EXPECT_EQ(image.timeDateStamp, 0u) << path << ": the link time is in the header";
    std::vector<uint8_t> bytes = ReadWholeFile(path);
    EXPECT_EQ(image.checksum, PeChecksum(bytes, image))
        << path << ": header checksum 0x" << std::hex << image.checksum;
}

/* The shipped programs live in folders that others can write to. Windows
   takes a known DLL from the system folder whatever lies beside the
   program, and comctl32 from its side-by-side store when the program's
   manifest asks for the common controls; every other imported DLL would be
   looked for beside the program first. */
TEST_P(ShippedProgram, ImportsOnlyDllsFromTheSystemFolder)
{
    EXPECT_FALSE(image.importedDlls.empty()) << path;
    bool boundControls = manifest.find("Microsoft.Windows.Common-Controls") != std::string::npos;
    for (const std::string &dll : image.importedDlls) {
        bool sideBySide = boundControls && strcasecmp(dll.c_str(), "comctl32.dll") == 0;
        EXPECT_TRUE(IsKnownDll(dll) || sideBySide) << path << " imports " << dll;
        for (const char *forbidden : NOT_IMPORTED)
            EXPECT_NE(strcasecmp(dll.c_str(), forbidden), 0) << path << " imports " << dll;
    }
}

/* What Windows shows in a program's Properties (Details), and what support
   and antivirus programs read: one version resource, in British English
   and code page 1252, with the numbers and names of version.h. */
TEST_P(ShippedProgram, CarriesItsVersionDetails)
{
    const bool setup = std::string(GetParam().file) == "setup/setup.exe";
    const uint32_t RT_VERSION = 16, BRITISH_ENGLISH = 2057;
    PeFile pe = ReadPeFile(path);
    std::vector<const std::vector<uint8_t> *> found;
    for (const auto &resource : pe.resources)
        if (resource.first.type.isNumber && resource.first.type.number == RT_VERSION) {
            EXPECT_EQ(resource.first.name.number, 1u) << path;
            EXPECT_EQ(resource.first.language, BRITISH_ENGLISH) << path;
            found.push_back(&resource.second);
        }
    ASSERT_EQ(found.size(), 1u) << path << ": version resources";
    VersionInfo info = ParseVersionInfo(*found[0]);
    ASSERT_TRUE(info.complete) << path << ": not a whole version resource";

    const uint32_t high = ZENDARO_VERSION_MAJOR << 16 | ZENDARO_VERSION_MINOR;
    const uint32_t low = ZENDARO_VERSION_PATCH << 16;
    const uint32_t VOS_NT_WINDOWS32 = 0x40004, VFT_APP = 1;
    EXPECT_EQ(std::make_tuple(info.fileVersionMs, info.fileVersionLs, info.productVersionMs,
                              info.productVersionLs),
              std::make_tuple(high, low, high, low))
        << path;
    EXPECT_EQ(std::make_tuple(info.fileFlags, info.fileOs, info.fileType, info.fileSubtype),
              std::make_tuple(0u, VOS_NT_WINDOWS32, VFT_APP, 0u))
        << path;

    const std::map<std::string, std::string> expected = {
        {"FileDescription", setup ? ZENDARO_SETUP_DESCRIPTION : ZENDARO_GAME_DESCRIPTION},
        {"FileVersion", ZENDARO_VERSION_TEXT},
        {"LegalCopyright", ZENDARO_COPYRIGHT},
        {"OriginalFilename", setup ? ZENDARO_SETUP_FILE_NAME : ZENDARO_GAME_FILE_NAME},
        {"ProductName", ZENDARO_PRODUCT_NAME},
        {"ProductVersion", ZENDARO_VERSION_TEXT},
    };
    EXPECT_EQ(info.strings, (std::map<std::string, std::map<std::string, std::string>>{
                                {ZENDARO_VERSION_STRING_TABLE, expected}}))
        << path;
    /* Windows finds the strings through the translation: language 0x0809,
       code page 1252 (0x04E4), the same pair as the table's key. */
    EXPECT_EQ(info.translations, std::vector<uint32_t>({0x04E40809u})) << path;
}

INSTANTIATE_TEST_SUITE_P(Pe, ShippedProgram, ::testing::ValuesIn(PROGRAMS),
                         ::testing::PrintToStringParamName());

} // namespace
