/* Reads both built Zendaro.exe files (i686 and x86_64) and checks what they
   carry: every resource in British English, the pictures, sounds, icon and
   manifest as committed, and the main window's dialog template control by
   control. Their headers and imports are tests/pe's. */
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <tuple>
#include <vector>

#include "pe_dialog.h"
#include "pe_reader.h"
#include "pe_resources.h"
#include "resources/board.h"

namespace
{

const uint32_t BRITISH_ENGLISH = 2057;
const uint32_t RT_BITMAP = 2, RT_ICON = 3, RT_DIALOG = 5, RT_GROUP_ICON = 14, RT_VERSION = 16,
               RT_MANIFEST = 24;

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
    const PeFile pe = ReadPeFile(std::string(GetParam().folder) + "/game/win32/Zendaro.exe");

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

/* Every resource the game loads, by type and id, with the committed file
   it carries ("" for those made from the script or changed on the way). */
struct Source {
    ResourceKey type;
    uint32_t id;
    std::string file;
};

std::vector<Source> ExpectedResources()
{
    std::vector<Source> all = {
        {ResourceNumber(RT_BITMAP), 108, "art/banker_phone.bmp"},
        {ResourceNumber(RT_BITMAP), 168, "art/closed_box.bmp"},
        {ResourceNumber(RT_BITMAP), 213, "art/background.bmp"},
        {ResourceNumber(RT_DIALOG), 101, ""},
        {ResourceNumber(RT_GROUP_ICON), 173, ""},
        {ResourceNumber(RT_ICON), 1, ""},
        {ResourceNumber(RT_MANIFEST), 1, ""},
        {ResourceNumber(RT_VERSION), 1, ""},
    };
    char name[64];
    for (int k = 0; k < AMOUNT_COUNT; k++) {
        snprintf(name, sizeof name, "art/plate_%02d.bmp", k);
        all.push_back({ResourceNumber(RT_BITMAP), (uint32_t)PlateBitmapId(k), name});
        snprintf(name, sizeof name, "art/open_box_%02d.bmp", k);
        all.push_back({ResourceNumber(RT_BITMAP), 25000u + k, name});
    }
    for (uint32_t n = 0; n < 10; n++)
        all.push_back(
            {ResourceName("WAVE"), 30000 + n, "sounds/sound_" + std::to_string(n) + ".wav"});
    return all;
}

TEST_P(BuiltGame, CarriesEveryResourceInBritishEnglishOnlyAsCommitted)
{
    std::vector<Source> expected = ExpectedResources();
    for (const Source &source : expected) {
        SCOPED_TRACE(
            (source.type.isNumber ? std::to_string(source.type.number) : source.type.name) + " " +
            std::to_string(source.id) + " " + source.file);
        auto at = pe.resources.find({source.type, ResourceNumber(source.id), BRITISH_ENGLISH});
        if (at == pe.resources.end()) {
            ADD_FAILURE() << "missing";
            continue;
        }
        if (source.file.empty()) continue;
        /* A bitmap resource is its file without the 14-byte file header. */
        size_t header = source.type.isNumber ? 14 : 0;
        std::vector<uint8_t> file = ReadWholeFile(ResourcesFolder() + source.file);
        EXPECT_TRUE(file.size() > header && std::equal(file.begin() + (long)header, file.end(),
                                                       at->second.begin(), at->second.end()))
            << "differs from the file";
    }
    EXPECT_EQ(pe.resources.size(), expected.size())
        << "resources nobody loads, or in another language";
}

/* The icon file split in two: its header and directory entry, the image's
   file offset replaced by its id, make the group; the image is the icon. */
TEST_P(BuiltGame, IconIsTheCommittedIconFile)
{
    std::vector<uint8_t> ico = ReadWholeFile(ResourcesFolder() + "art/zendaro.ico");
    const std::vector<uint8_t> *group = Find(RT_GROUP_ICON, 173), *image = Find(RT_ICON, 1);
    ASSERT_TRUE(group && image && ico.size() > 22);
    std::vector<uint8_t> expected(ico.begin(), ico.begin() + 18);
    expected.insert(expected.end(), {1, 0});
    EXPECT_EQ(*group, expected);
    uint32_t size = U32(ico, 14), offset = U32(ico, 18);
    ASSERT_TRUE(HasBytes(ico, offset, size));
    EXPECT_TRUE(std::equal(ico.begin() + offset, ico.begin() + offset + size, image->begin(),
                           image->end()));
}

TEST_P(BuiltGame, ManifestIsTheCommittedOneForItsProcessor)
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
    EXPECT_EQ(std::string(manifest->begin(), manifest->end()), expected)
        << "resource differs from zendaro.manifest for " << GetParam().name;
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
        {"BUTTON", button, 0, nullptr},
        {"BUTTON", button, 0, nullptr},
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
        uint32_t style = kinds[i].style | (c.disabled ? WS_DISABLED : 0u);
        items.push_back({kinds[i].exStyle, style, (uint32_t)c.id, c.x, c.y, c.width, c.height,
                         kinds[i].className, kinds[i].bitmap ? kinds[i].bitmap : c.text});
    }
    return items;
}

TEST_P(BuiltGame, MainDialogTemplateIsTheBoard)
{
    const std::vector<uint8_t> *bytes = Find(RT_DIALOG, 101);
    ASSERT_NE(bytes, nullptr);
    DialogTemplate t = ParseDialogTemplate(*bytes);
    ASSERT_TRUE(t.complete && t.extended) << "not a whole extended dialog template";
    const uint32_t style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | DS_MODALFRAME |
                           DS_CENTER | DS_SETFONT;
    EXPECT_EQ(std::make_tuple(t.style, t.exStyle, t.cx, t.cy, t.menu, t.className, t.title),
              std::make_tuple(style, 0u, 510, 353, "", "", ""));
    EXPECT_EQ(std::make_tuple(t.face, t.pointSize, t.weight, t.italic, t.charset),
              std::make_tuple("MS Sans Serif", 8, 0, 0, 1));

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
                         ::testing::PrintToStringParamName());

} // namespace
