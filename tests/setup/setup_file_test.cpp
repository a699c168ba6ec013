/* Both cross-built setup.exe files, read as files: the game program each
   carries, the licence, the pictures, the languages, the manifest, and the
   window's template. The i686 setup cannot run here, so this is where its
   contents are proven. */
#include "pe_dialog.h"
#include "pe_reader.h"
#include "pe_resources.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

namespace
{

struct Build {
    const char *name;
    const char *dir;  // cppcheck-suppress unusedStructMember ; read through GetParam()
    uint16_t machine; // cppcheck-suppress unusedStructMember ; read through GetParam()
};

void PrintTo(const Build &build, std::ostream *out)
{
    *out << build.name;
}

const Build BUILDS[] = {{"i686", ZENDARO_WIN32_DIR, 0x014c}, {"x86_64", ZENDARO_WIN64_DIR, 0x8664}};

const uint32_t UK_ENGLISH = 2057;
enum : uint32_t { TYPE_BITMAP = 2, TYPE_DIALOG = 5, TYPE_MANIFEST = 24 };

std::string SourcePath(const std::string &relative)
{
    return std::string(ZENDARO_SOURCE_DIR) + "/" + relative;
}

std::string KeyText(const ResourceKey &key)
{
    return key.isNumber ? std::to_string(key.number) : key.name;
}

class SetupFile : public ::testing::TestWithParam<Build>
{
  protected:
    void SetUp() override
    {
        path = std::string(GetParam().dir) + "/setup/setup.exe";
        pe = ReadPeFile(path);
        ASSERT_EQ(pe.error, "") << path << " (build it with make windows)";
    }

    /* The resource's bytes in UK English, or NULL. */
    const std::vector<uint8_t> *Resource(const ResourceKey &type, uint32_t id) const
    {
        auto found = pe.resources.find(ResourceId{type, ResourceNumber(id), UK_ENGLISH});
        return found == pe.resources.end() ? NULL : &found->second;
    }

    std::string path;
    PeFile pe;
};

TEST_P(SetupFile, CarriesTheGameProgramOfItsOwnBuildByteForByte)
{
    /* The build writes where its Zendaro.exe is beside setup.exe. */
    std::ifstream in(std::string(GetParam().dir) + "/setup/game-path.txt");
    std::string gamePath;
    std::getline(in, gamePath);
    ASSERT_NE(gamePath, "") << "no setup/game-path.txt in " << GetParam().dir;
    std::vector<uint8_t> game = ReadWholeFile(gamePath);
    ASSERT_GT(game.size(), 100000u) << gamePath;
    const std::vector<uint8_t> *payload = Resource(ResourceName("BINARY"), 113);
    ASSERT_NE(payload, nullptr);
    EXPECT_TRUE(*payload == game) << "BINARY 113 differs from " << gamePath;
    uint32_t header = U32(*payload, 0x3c);
    EXPECT_EQ(U16(*payload, header + 4), GetParam().machine)
        << "the payload is not a program for this build's machine";
}

/* The licence is its file byte for byte, so also without a terminating
   zero; a BITMAP resource is its file without the 14-byte file header. */
TEST_P(SetupFile, CarriesTheLicenceAndThePictures)
{
    const struct {
        ResourceKey type;
        uint32_t id;
        const char *file;
        size_t header;
    } packed[] = {{ResourceName("LICENSE"), 111, "setup/license.txt", 0},
                  {ResourceNumber(TYPE_BITMAP), 104, "setup/art/folder.bmp", 14},
                  {ResourceNumber(TYPE_BITMAP), 112, "setup/art/header.bmp", 14}};
    for (const auto &p : packed) {
        const std::vector<uint8_t> *bytes = Resource(p.type, p.id);
        ASSERT_NE(bytes, nullptr) << p.file;
        std::vector<uint8_t> file = ReadWholeFile(SourcePath(p.file));
        ASSERT_GT(file.size(), p.header) << p.file;
        EXPECT_TRUE(std::vector<uint8_t>(file.begin() + p.header, file.end()) == *bytes)
            << "resource " << p.id << " differs from " << p.file;
    }
}

/* Exactly these resources, all in UK English: in particular one manifest
   only, the program's own, not one the toolchain adds. */
TEST_P(SetupFile, HoldsOnlyItsOwnResourcesInUkEnglish)
{
    std::vector<std::string> found;
    for (const auto &entry : pe.resources) {
        const ResourceId &id = entry.first;
        found.push_back(KeyText(id.type) + "/" + KeyText(id.name) + "/" +
                        std::to_string(id.language));
    }
    std::sort(found.begin(), found.end());
    EXPECT_EQ(found,
              std::vector<std::string>({"14/102/2057", "16/1/2057", "2/104/2057", "2/112/2057",
                                        "24/1/2057", "3/1/2057", "3/2/2057", "5/101/2057",
                                        "BINARY/113/2057", "LICENSE/111/2057"}));
}

/* A 32-bit "setup" without a level is raised to administrator by the
   installer detection; the version 6 common controls would theme the
   controls. */
TEST_P(SetupFile, ManifestRunsAsTheUserWithTheClassicControls)
{
    const std::vector<uint8_t> *bytes = Resource(ResourceNumber(TYPE_MANIFEST), 1);
    ASSERT_NE(bytes, nullptr) << "no manifest 1 in UK English";
    size_t manifests = 0;
    for (const auto &entry : pe.resources)
        manifests += entry.first.type.isNumber && entry.first.type.number == TYPE_MANIFEST;
    EXPECT_EQ(manifests, 1u) << "Windows reads one manifest; a second one means another look";
    std::string manifest(bytes->begin(), bytes->end());
    EXPECT_NE(manifest.find("<requestedExecutionLevel level=\"asInvoker\" uiAccess=\"false\"/>"),
              std::string::npos)
        << manifest;
    EXPECT_EQ(manifest.find("requireAdministrator"), std::string::npos);
    EXPECT_EQ(manifest.find("highestAvailable"), std::string::npos);
    EXPECT_EQ(manifest.find("Common-Controls"), std::string::npos) << manifest;
    /* Declared for the versions of Windows it runs on, Setup is left alone
       by the compatibility assistant ("might not have installed
       correctly"). */
    for (const char *os :
         {"e2011457-1546-43c5-a5fe-008deee3d3f0", "35138b9a-5d96-4fbd-8e2d-a2440225f93a",
          "4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38", "1f676c76-80e1-4239-95bb-83d0f6d0da78",
          "8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a"})
        EXPECT_NE(manifest.find(std::string("<supportedOS Id=\"{") + os + "}\"/>"),
                  std::string::npos)
            << os;
}

/* Window styles, as the platform's headers give them. */
enum : uint32_t {
    CHILD_VISIBLE = 0x50000000, /* WS_CHILD | WS_VISIBLE */
    DISABLED = 0x08000000,
    BORDER = 0x00800000,
    VSCROLL = 0x00200000,
    GROUP = 0x00020000,
    TABSTOP = 0x00010000
};

TEST_P(SetupFile, WindowTemplateIsTheInstallersWindow)
{
    const std::vector<uint8_t> *bytes = Resource(ResourceNumber(TYPE_DIALOG), 101);
    ASSERT_NE(bytes, nullptr);
    DialogTemplate t = ParseDialogTemplate(*bytes);
    ASSERT_TRUE(t.complete && !t.extended) << "not a whole plain dialog template";
    /* WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | DS_MODALFRAME
       | DS_CENTER, and DS_SETFONT for the font. */
    EXPECT_EQ(t.style, 0x80CA08C0u) << "dialog style";
    EXPECT_EQ(t.exStyle, 0u) << "extended style";
    EXPECT_EQ(t.x, 0);
    EXPECT_EQ(t.y, 0);
    EXPECT_EQ(t.cx, 322);
    EXPECT_EQ(t.cy, 218);
    EXPECT_EQ(t.menu, "") << "menu";
    EXPECT_EQ(t.className, "") << "class";
    EXPECT_EQ(t.title, "Program Setup");
    EXPECT_EQ(t.pointSize, 8) << "font size";
    EXPECT_EQ(t.face, "MS Sans Serif");

    const std::string button = "BUTTON", edit = "EDIT", staticClass = "STATIC";
    /* The extended style is 0 for every control. */
    const DialogItem expected[] = {
        /* SS_BITMAP | SS_SUNKEN */
        {0, CHILD_VISIBLE | 0x100E, 1017, 0, 0, 321, 36, staticClass, "#112"},
        /* ES_AUTOHSCROLL */
        {0, CHILD_VISIBLE | BORDER | TABSTOP | 0x80, 1009, 14, 58, 264, 13, edit, ""},
        /* BS_BITMAP */
        {0, CHILD_VISIBLE | TABSTOP | 0x80, 1004, 282, 58, 27, 13, button, "Browse"},
        /* ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN */
        {0, CHILD_VISIBLE | BORDER | VSCROLL | TABSTOP | 0x1044, 1014, 14, 95, 295, 81, edit, ""},
        /* BS_AUTOCHECKBOX | BS_FLAT */
        {0, CHILD_VISIBLE | TABSTOP | 0x8003, 1008, 10, 200, 236, 9, button,
         "I have Read, Understand and Agree to the License Agreement Above"},
        {0, CHILD_VISIBLE | DISABLED | TABSTOP, 1003, 257, 196, 56, 17, button, "Install"},
        /* SS_GRAYFRAME, SS_WHITEFRAME */
        {0, CHILD_VISIBLE | 0x08, 0xFFFF, 0, 186, 321, 1, staticClass, ""},
        {0, CHILD_VISIBLE | 0x09, 0xFFFF, 0, 188, 321, 1, staticClass, ""},
        {0, CHILD_VISIBLE | GROUP, 0xFFFF, 14, 84, 76, 9, staticClass, "License Agreement"},
        {0, CHILD_VISIBLE | GROUP, 0xFFFF, 14, 47, 76, 9, staticClass, "Install Path"},
    };
    ASSERT_EQ(t.items.size(), sizeof expected / sizeof expected[0]);
    for (size_t i = 0; i < t.items.size(); i++) EXPECT_EQ(t.items[i], expected[i]);
}

INSTANTIATE_TEST_SUITE_P(Builds, SetupFile, ::testing::ValuesIn(BUILDS),
                         [](const ::testing::TestParamInfo<Build> &info) {
                             return std::string(info.param.name);
                         });

} // namespace
