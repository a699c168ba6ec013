/* Reads both built Zendaro.exe files (i686 and x86_64) and checks what they
   carry: every resource in British English, the pictures, sounds, icon and
   manifest as generated, and the main window's dialog template control by
   control. Their headers and imports are tests/pe's. */
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "pe_dialog.h"
#include "pe_reader.h"
#include "pe_resources.h"
#include "resources/board.h"

namespace
{

const uint32_t BRITISH_ENGLISH = 2057;
const uint32_t RT_BITMAP = 2, RT_ICON = 3, RT_DIALOG = 5, RT_GROUP_ICON = 14, RT_MANIFEST = 24;

std::string ResourcesFolder()
{
    return std::string(ZENDARO_SOURCE_DIR) + "/game/resources/";
}

struct Build {
    const char *name;
    const char *folder;
    uint16_t machine;
};

void PrintTo(const Build &build, std::ostream *out)
{
    *out << build.name;
}

class BuiltGame : public ::testing::TestWithParam<Build>
{
  protected:
    static const PeFile &Game(const Build &build)
    {
        static PeFile files[2];
        static bool read[2];
        int i = build.machine == 0x8664;
        if (!read[i]) {
            files[i] = ReadPeFile(std::string(build.folder) + "/game/win32/Zendaro.exe");
            read[i] = true;
        }
        return files[i];
    }
    const PeFile &pe = Game(GetParam());

    void SetUp() override
    {
        ASSERT_EQ(pe.error, "") << "build it with: make windows";
    }

    const std::vector<uint8_t> *Find(uint32_t type, uint32_t name) const
    {
        auto at = pe.resources.find({ResourceNumber(type), ResourceNumber(name), BRITISH_ENGLISH});
        return at == pe.resources.end() ? nullptr : &at->second;
    }
};

/* Every resource the game loads, by type and id. */
std::vector<std::pair<ResourceKey, uint32_t>> ExpectedResources()
{
    std::vector<std::pair<ResourceKey, uint32_t>> all;
    for (uint32_t id : {108u, 168u, 213u}) all.push_back({ResourceNumber(RT_BITMAP), id});
    for (uint32_t id = 184; id <= 205; id++) all.push_back({ResourceNumber(RT_BITMAP), id});
    for (uint32_t id = 25000; id <= 25021; id++) all.push_back({ResourceNumber(RT_BITMAP), id});
    for (uint32_t id = 30000; id <= 30009; id++) all.push_back({ResourceName("WAVE"), id});
    all.push_back({ResourceNumber(RT_DIALOG), 101});
    all.push_back({ResourceNumber(RT_GROUP_ICON), 173});
    all.push_back({ResourceNumber(RT_ICON), 1});
    all.push_back({ResourceNumber(RT_MANIFEST), 1});
    return all;
}

TEST_P(BuiltGame, CarriesEveryResourceInBritishEnglishOnly)
{
    for (const auto &expected : ExpectedResources()) {
        ResourceId id{expected.first, ResourceNumber(expected.second), BRITISH_ENGLISH};
        EXPECT_TRUE(pe.resources.count(id))
            << "missing: type "
            << (expected.first.isNumber ? std::to_string(expected.first.number)
                                        : expected.first.name)
            << " id " << expected.second;
    }
    for (const auto &resource : pe.resources) {
        EXPECT_EQ(resource.first.language, BRITISH_ENGLISH)
            << "type " << resource.first.type.number << resource.first.type.name << " id "
            << resource.first.name.number << " is in language " << resource.first.language;
    }
    EXPECT_EQ(pe.resources.size(), ExpectedResources().size()) << "resources nobody loads";
}

/* The file a bitmap resource comes from. */
std::string BitmapFile(uint32_t id)
{
    char name[64];
    if (id == 108) return "art/banker_phone.bmp";
    if (id == 168) return "art/closed_box.bmp";
    if (id == 213) return "art/background.bmp";
    if (id >= 25000) {
        snprintf(name, sizeof name, "art/open_box_%02u.bmp", id - 25000);
        return name;
    }
    /* Plates are named by amount index; their ids are not in that order. */
    int k = 0;
    while (k < AMOUNT_COUNT - 1 && PlateBitmapId(k) != (int)id) k++;
    snprintf(name, sizeof name, "art/plate_%02d.bmp", k);
    return name;
}

TEST_P(BuiltGame, BitmapsAreTheArtworkAtTheControlsSizes)
{
    struct Size {
        uint32_t first, last;
        int32_t width, height;
    };
    const Size sizes[] = {{108, 108, 147, 93},
                          {168, 168, 85, 67},
                          {184, 205, 128, 23},
                          {213, 213, 765, 574},
                          {25000, 25021, 85, 67}};
    for (const Size &size : sizes) {
        for (uint32_t id = size.first; id <= size.last; id++) {
            SCOPED_TRACE("bitmap " + std::to_string(id));
            const std::vector<uint8_t> *bitmap = Find(RT_BITMAP, id);
            ASSERT_NE(bitmap, nullptr);
            EXPECT_EQ(U32(*bitmap, 0), 40u) << "info header size";
            EXPECT_EQ((int32_t)U32(*bitmap, 4), size.width);
            EXPECT_EQ((int32_t)U32(*bitmap, 8), size.height) << "bottom-up rows";
            EXPECT_EQ(U16(*bitmap, 14), 24) << "bits per pixel";
            EXPECT_EQ(U32(*bitmap, 16), 0u) << "compression";
            /* The resource is the file without its 14-byte file header. */
            std::vector<uint8_t> file = ReadWholeFile(ResourcesFolder() + BitmapFile(id));
            ASSERT_GT(file.size(), 14u) << BitmapFile(id);
            EXPECT_TRUE(std::equal(file.begin() + 14, file.end(), bitmap->begin(), bitmap->end()))
                << BitmapFile(id) << " differs from the resource";
        }
    }
}

TEST_P(BuiltGame, SoundsAreTheGeneratedWaveFilesByteForByte)
{
    for (uint32_t n = 0; n < 10; n++) {
        SCOPED_TRACE("sound " + std::to_string(n));
        auto at =
            pe.resources.find({ResourceName("WAVE"), ResourceNumber(30000 + n), BRITISH_ENGLISH});
        ASSERT_NE(at, pe.resources.end());
        std::vector<uint8_t> file =
            ReadWholeFile(ResourcesFolder() + "sounds/sound_" + std::to_string(n) + ".wav");
        ASSERT_FALSE(file.empty());
        EXPECT_TRUE(file == at->second) << "resource differs from sound_" << n << ".wav";
        EXPECT_EQ(std::string(at->second.begin(), at->second.begin() + 4), "RIFF");
    }
}

TEST_P(BuiltGame, IconGroupHoldsOne32x32SixteenColourImage)
{
    const std::vector<uint8_t> *group = Find(RT_GROUP_ICON, 173);
    ASSERT_NE(group, nullptr);
    ASSERT_EQ(group->size(), 6u + 14u) << "one entry";
    EXPECT_EQ(U16(*group, 2), 1) << "type icon";
    EXPECT_EQ(U16(*group, 4), 1) << "image count";
    EXPECT_EQ((*group)[6], 32);
    EXPECT_EQ((*group)[7], 32);
    EXPECT_EQ((*group)[8], 16) << "colours";
    EXPECT_EQ(U16(*group, 12), 4) << "bits per pixel";
    EXPECT_EQ(U16(*group, 18), 1) << "icon id";
    const std::vector<uint8_t> *image = Find(RT_ICON, 1);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(U32(*group, 14), image->size());
    EXPECT_EQ((int32_t)U32(*image, 4), 32);
    EXPECT_EQ((int32_t)U32(*image, 8), 64) << "image and mask";
    EXPECT_EQ(U16(*image, 14), 4);
}

TEST_P(BuiltGame, ManifestAsksForVersion6CommonControls)
{
    const std::vector<uint8_t> *manifest = Find(RT_MANIFEST, 1);
    ASSERT_NE(manifest, nullptr);
    // zendaro.manifest as it is for i686; for x86_64 the same bytes with
    // amd64 as the architecture of the program and of the common controls.
    std::vector<uint8_t> file = ReadWholeFile(ResourcesFolder() + "zendaro.manifest");
    std::string expected(file.begin(), file.end());
    const std::string x86 = "processorArchitecture=\"X86\"";
    const std::string ours = GetParam().machine == 0x8664 ? "processorArchitecture=\"amd64\"" : x86;
    int replaced = 0;
    for (size_t at = expected.find(x86); at != std::string::npos;
         at = expected.find(x86, at + ours.size()), ++replaced)
        expected.replace(at, x86.size(), ours);
    EXPECT_EQ(replaced, 2);
    std::string text(manifest->begin(), manifest->end());
    EXPECT_EQ(text, expected) << "resource differs from zendaro.manifest for " << GetParam().name;
    for (const char *part : {"Microsoft.Windows.Common-Controls", "version=\"6.0.0.0\"",
                             "6595b64144ccf1df", "CompanyName.ProductName.YourApp"})
        EXPECT_NE(text.find(part), std::string::npos) << part;
}

/* ---- the dialog template ---- */

enum : uint32_t {
    WS_POPUP = 0x80000000,
    WS_CHILD = 0x40000000,
    WS_VISIBLE = 0x10000000,
    WS_DISABLED = 0x08000000,
    WS_CAPTION = 0x00C00000,
    WS_BORDER = 0x00800000,
    WS_VSCROLL = 0x00200000,
    WS_SYSMENU = 0x00080000,
    WS_GROUP = 0x00020000,
    WS_MINIMIZEBOX = 0x00020000,
    WS_TABSTOP = 0x00010000,
    DS_SETFONT = 0x40,
    DS_MODALFRAME = 0x80,
    DS_CENTER = 0x800,
    SS_CENTER = 0x1,
    SS_BITMAP = 0xE,
    SS_CENTERIMAGE = 0x200,
    SS_SUNKEN = 0x1000,
    BS_GROUPBOX = 7,
    BS_FLAT = 0x8000,
    LBS_NOTIFY = 0x1,
    LBS_NOINTEGRALHEIGHT = 0x100,
    ES_CENTER = 0x1,
    ES_MULTILINE = 0x4,
    ES_AUTOHSCROLL = 0x80,
    WS_EX_DLGMODALFRAME = 0x1,
    WS_EX_CLIENTEDGE = 0x200,
    WS_EX_RIGHT = 0x1000
};

const uint32_t SHOWN = WS_CHILD | WS_VISIBLE;

/* What the template says of each control of BOARD_CONTROLS beyond its
   place and text: class, styles, and the bitmap of a picture. */
struct Kind {
    const char *className;
    uint32_t style, exStyle;
    const char *bitmap;
};

std::vector<DialogItem> ExpectedControls()
{
    std::vector<DialogItem> items;
    items.reserve(AMOUNT_COUNT + 2 * BOX_COUNT + BOARD_CONTROL_COUNT);
    for (int k = 0; k < AMOUNT_COUNT; k++)
        items.push_back({0, SHOWN | SS_BITMAP, (uint32_t)(IDC_AMOUNT_PLATE_FIRST + k), PlateX(k),
                         PlateY(k), PLATE_WIDTH, PLATE_HEIGHT, "STATIC",
                         "#" + std::to_string(PlateBitmapId(k))});
    for (int b = 0; b < BOX_COUNT; b++)
        items.push_back({0, SHOWN | SS_BITMAP, (uint32_t)(IDC_BOX_PICTURE_FIRST + b),
                         BOX_PLACES[b].pictureX, BOX_PLACES[b].pictureY, BOX_PICTURE_WIDTH,
                         BOX_PICTURE_HEIGHT, "STATIC", "#" + std::to_string(IDB_CLOSED_BOX)});
    for (int b = 0; b < BOX_COUNT; b++)
        items.push_back({0, SHOWN | BS_FLAT | WS_TABSTOP, (uint32_t)(IDC_BOX_BUTTON_FIRST + b),
                         BOX_PLACES[b].buttonX, BOX_PLACES[b].buttonY, BOX_BUTTON_WIDTH,
                         BOX_BUTTON_HEIGHT, "BUTTON", std::to_string(b + 1)});
    const uint32_t valueStyle = SHOWN | SS_CENTER | SS_CENTERIMAGE | SS_SUNKEN | WS_GROUP;
    const uint32_t button = SHOWN | WS_TABSTOP; /* BS_PUSHBUTTON is 0 */
    const uint32_t list =
        SHOWN | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_BORDER | WS_TABSTOP;
    const uint32_t label = SHOWN | SS_CENTER | WS_GROUP;
    const Kind kinds[] = {
        {"STATIC", SHOWN | SS_BITMAP, 0, "#108"},
        {"STATIC", valueStyle, 0, nullptr},
        {"STATIC", valueStyle, 0, nullptr},
        {"BUTTON", button | WS_DISABLED, 0, nullptr},
        {"BUTTON", button | WS_DISABLED, 0, nullptr},
        {"BUTTON", button, 0, nullptr},
        {"BUTTON", button, 0, nullptr},
        {"LISTBOX", list, WS_EX_RIGHT, nullptr},
        {"STATIC", label, 0, nullptr},
        {"STATIC", SHOWN | SS_CENTER | SS_CENTERIMAGE | WS_GROUP, 0, nullptr},
        {"STATIC", valueStyle, 0, nullptr},
        {"LISTBOX", list, 0, nullptr},
        {"STATIC", label, 0, nullptr},
        {"EDIT", SHOWN | ES_MULTILINE | ES_CENTER | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 0,
         nullptr},
        {"STATIC", label, 0, nullptr},
        {"BUTTON", SHOWN | BS_GROUPBOX, WS_EX_DLGMODALFRAME | WS_EX_CLIENTEDGE, nullptr},
        {"BUTTON", button, 0, nullptr},
    };
    static_assert(sizeof kinds / sizeof kinds[0] == BOARD_CONTROL_COUNT, "one kind a control");
    for (int i = 0; i < BOARD_CONTROL_COUNT; i++) {
        const BoardControl &c = BOARD_CONTROLS[i];
        items.push_back({kinds[i].exStyle, kinds[i].style, (uint32_t)c.id, c.x, c.y, c.width,
                         c.height, kinds[i].className, kinds[i].bitmap ? kinds[i].bitmap : c.text});
    }
    return items;
}

TEST_P(BuiltGame, MainDialogTemplateIsTheBoard)
{
    const std::vector<uint8_t> *bytes = Find(RT_DIALOG, 101);
    ASSERT_NE(bytes, nullptr);
    DialogTemplate t = ParseDialogTemplate(*bytes);
    ASSERT_TRUE(t.complete && t.extended) << "not a whole extended dialog template";
    EXPECT_EQ(t.style, WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | DS_MODALFRAME |
                           DS_CENTER | DS_SETFONT);
    EXPECT_EQ(t.exStyle, 0u);
    EXPECT_EQ(t.cx, 510);
    EXPECT_EQ(t.cy, 353);
    EXPECT_EQ(t.menu, "");
    EXPECT_EQ(t.className, "");
    EXPECT_EQ(t.title, "");
    EXPECT_EQ(t.face, "MS Sans Serif");
    EXPECT_EQ(t.pointSize, 8);
    EXPECT_EQ(t.weight, 0);
    EXPECT_EQ(t.italic, 0);
    EXPECT_EQ(t.charset, 1);

    std::vector<DialogItem> expected = ExpectedControls();
    ASSERT_EQ(t.items.size(), expected.size());
    for (size_t i = 0; i < expected.size(); i++) {
        SCOPED_TRACE("control " + std::to_string(i));
        EXPECT_EQ(t.items[i], expected[i]);
    }
}

INSTANTIATE_TEST_SUITE_P(Zendaro, BuiltGame,
                         ::testing::Values(Build{"i686", ZENDARO_WIN32_DIR, 0x014C},
                                           Build{"x86_64", ZENDARO_WIN64_DIR, 0x8664}),
                         [](const ::testing::TestParamInfo<Build> &info) {
                             return std::string(info.param.name == std::string("i686") ? "i686"
                                                                                       : "x86_64");
                         });

} // namespace
