/* Reads both built Zendaro.exe files (i686 and x86_64) and checks what they
   carry: every resource in British English, the pictures, sounds, icon and
   manifest as generated, and the main window's dialog template control by
   control. Their headers and imports are tests/pe's. */
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "pe_resources.h"

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

uint32_t U32(const std::vector<uint8_t> &b, size_t at)
{
    return at + 4 <= b.size() ? (uint32_t)b[at] | (uint32_t)b[at + 1] << 8 |
                                    (uint32_t)b[at + 2] << 16 | (uint32_t)b[at + 3] << 24
                              : 0;
}

uint16_t U16(const std::vector<uint8_t> &b, size_t at)
{
    return at + 2 <= b.size() ? (uint16_t)(b[at] | b[at + 1] << 8) : 0;
}

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
    unsigned k = id == 184 ? 10 : id <= 194 ? id - 185 : id == 195 ? 21 : id - 196 + 11;
    snprintf(name, sizeof name, "art/plate_%02u.bmp", k);
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

struct Item {
    uint32_t exStyle, style, id;
    int x, y, cx, cy;
    std::string className, text; /* "#n" for an ordinal */
};

struct Template {
    uint32_t style = 0, exStyle = 0;
    int x = 0, y = 0, cx = 0, cy = 0;
    std::string menu, className, title, face;
    int pointSize = 0, weight = 0, italic = 0, charset = 0;
    std::vector<Item> items;
    bool complete = false;
};

/* A name or ordinal field: empty, "#n", or the text in code page 1252. */
std::string NameOrOrdinal(const std::vector<uint8_t> &b, size_t *at)
{
    uint16_t first = U16(b, *at);
    if (first == 0xFFFF) {
        std::string ordinal = "#" + std::to_string(U16(b, *at + 2));
        *at += 4;
        return ordinal;
    }
    std::string text;
    for (uint16_t c; *at + 2 <= b.size() && (c = U16(b, *at)) != 0; *at += 2)
        text += c < 256 ? (char)c : '?';
    *at += 2;
    return text;
}

std::string ClassName(const std::string &raw)
{
    static const char *const atoms[] = {"BUTTON", "EDIT", "STATIC", "LISTBOX"};
    if (raw.size() > 1 && raw[0] == '#') {
        int atom = std::stoi(raw.substr(1)) - 0x80;
        if (atom >= 0 && atom < 4) return atoms[atom];
    }
    std::string upper = raw;
    std::transform(upper.begin(), upper.end(), upper.begin(), ::toupper);
    return upper;
}

Template ParseDialogEx(const std::vector<uint8_t> &b)
{
    Template t;
    if (U16(b, 0) != 1 || U16(b, 2) != 0xFFFF) return t;
    t.exStyle = U32(b, 8);
    t.style = U32(b, 12);
    unsigned count = U16(b, 16);
    t.x = (int16_t)U16(b, 18);
    t.y = (int16_t)U16(b, 20);
    t.cx = (int16_t)U16(b, 22);
    t.cy = (int16_t)U16(b, 24);
    size_t at = 26;
    t.menu = NameOrOrdinal(b, &at);
    t.className = NameOrOrdinal(b, &at);
    t.title = NameOrOrdinal(b, &at);
    if (t.style & DS_SETFONT) {
        t.pointSize = U16(b, at);
        t.weight = U16(b, at + 2);
        t.italic = b.size() > at + 4 ? b[at + 4] : 0;
        t.charset = b.size() > at + 5 ? b[at + 5] : 0;
        at += 6;
        t.face = NameOrOrdinal(b, &at);
    }
    for (unsigned i = 0; i < count && at < b.size(); i++) {
        at = (at + 3) & ~(size_t)3;
        Item item;
        item.exStyle = U32(b, at + 4);
        item.style = U32(b, at + 8);
        item.x = (int16_t)U16(b, at + 12);
        item.y = (int16_t)U16(b, at + 14);
        item.cx = (int16_t)U16(b, at + 16);
        item.cy = (int16_t)U16(b, at + 18);
        item.id = U32(b, at + 20);
        at += 24;
        item.className = ClassName(NameOrOrdinal(b, &at));
        item.text = NameOrOrdinal(b, &at);
        at += 2 + U16(b, at);
        t.items.push_back(item);
    }
    t.complete = t.items.size() == count && at <= b.size();
    return t;
}

const uint32_t SHOWN = WS_CHILD | WS_VISIBLE;
const uint32_t NONE = 0xFFFFFFFF;

std::vector<Item> ExpectedControls()
{
    std::vector<Item> items;
    const int pictures[22][4] = {
        {9, 301, 21, 313},    {9, 260, 21, 272},    {9, 219, 22, 231},    {9, 178, 22, 190},
        {9, 137, 22, 149},    {9, 96, 22, 108},     {9, 55, 22, 67},      {13, 8, 26, 21},
        {77, 8, 90, 20},      {136, 8, 148, 20},    {195, 8, 208, 20},    {255, 8, 268, 20},
        {315, 8, 328, 20},    {374, 8, 386, 21},    {438, 8, 450, 21},    {444, 54, 458, 67},
        {444, 95, 457, 108},  {444, 136, 457, 149}, {444, 177, 457, 190}, {444, 218, 458, 231},
        {444, 259, 457, 272}, {444, 300, 458, 313}};
    for (uint32_t k = 0; k < 22; k++) {
        uint32_t bitmap = k <= 9 ? 185 + k : k == 10 ? 184 : k <= 20 ? 196 + k - 11 : 195;
        int column = k <= 10 ? 76 : 348, row = (int)(k <= 10 ? k : k - 11);
        items.push_back({0, SHOWN | SS_BITMAP, 20000 + k, column, 59 + 16 * row, 85, 14, "STATIC",
                         "#" + std::to_string(bitmap)});
    }
    for (uint32_t b = 0; b < 22; b++)
        items.push_back({0, SHOWN | SS_BITMAP, 15000 + b, pictures[b][0], pictures[b][1], 57, 41,
                         "STATIC", "#168"});
    for (uint32_t b = 0; b < 22; b++)
        items.push_back({0, SHOWN | BS_FLAT | WS_TABSTOP, 10000 + b, pictures[b][2], pictures[b][3],
                         27, 18, "BUTTON", std::to_string(b + 1)});
    const uint32_t valueStyle = SHOWN | SS_CENTER | SS_CENTERIMAGE | SS_SUNKEN | WS_GROUP;
    const uint32_t button = SHOWN | WS_TABSTOP; /* BS_PUSHBUTTON is 0 */
    const uint32_t list =
        SHOWN | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_BORDER | WS_TABSTOP;
    const uint32_t label = SHOWN | SS_CENTER | WS_GROUP;
    const std::string hyphens(25, '-');
    const std::vector<Item> others = {
        {0, SHOWN | SS_BITMAP, NONE, 205, 68, 98, 57, "STATIC", "#108"},
        {0, valueStyle, NONE, 205, 57, 98, 11, "STATIC", "BANKERS OFFER"},
        {0, valueStyle, 1008, 205, 125, 98, 16, "STATIC", ""},
        {0, button | WS_DISABLED, 1003, 205, 143, 48, 14, "BUTTON", "DEAL"},
        {0, button | WS_DISABLED, 1039, 255, 143, 48, 14, "BUTTON", "NO DEAL"},
        {0, button, 1040, 184, 202, 48, 13, "BUTTON", "NEW GAME"},
        {0, button, 1042, 234, 202, 56, 13, "BUTTON", "MORE GAMES"},
        {WS_EX_RIGHT, list, 1004, 331, 257, 108, 56, "LISTBOX", ""},
        {0, label, 1012, 332, 248, 108, 10, "STATIC", "BANKERS OFFERS"},
        {0, SHOWN | SS_CENTER | SS_CENTERIMAGE | WS_GROUP, 1014, 182, 218, 54, 17, "STATIC",
         "BANK"},
        {0, valueStyle, 1009, 236, 218, 91, 17, "STATIC", ""},
        {0, list, 1006, 67, 258, 108, 56, "LISTBOX", ""},
        {0, label, 1013, 67, 248, 108, 10, "STATIC", "WIN HISTORY"},
        {0, SHOWN | ES_MULTILINE | ES_CENTER | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 1007, 184,
         160, 141, 38, "EDIT", ""},
        {0, label, NONE, 183, 249, 141, 8, "STATIC", hyphens + " MY BOX " + hyphens},
        {WS_EX_DLGMODALFRAME | WS_EX_CLIENTEDGE, SHOWN | BS_GROUPBOX, NONE, 183, 258, 141, 55,
         "BUTTON", ""},
        {0, button, 1043, 292, 202, 34, 13, "BUTTON", "HELP"},
    };
    items.insert(items.end(), others.begin(), others.end());
    return items;
}

TEST_P(BuiltGame, MainDialogTemplateIsTheBoard)
{
    const std::vector<uint8_t> *bytes = Find(RT_DIALOG, 101);
    ASSERT_NE(bytes, nullptr);
    Template t = ParseDialogEx(*bytes);
    ASSERT_TRUE(t.complete) << "not a whole extended dialog template";
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

    std::vector<Item> expected = ExpectedControls();
    ASSERT_EQ(t.items.size(), expected.size());
    for (size_t i = 0; i < expected.size(); i++) {
        const Item &want = expected[i], &got = t.items[i];
        SCOPED_TRACE("control " + std::to_string(i) + " (" + want.text + ")");
        EXPECT_EQ(got.id, want.id);
        EXPECT_EQ(got.className, want.className);
        EXPECT_EQ(got.style, want.style);
        EXPECT_EQ(got.exStyle, want.exStyle);
        EXPECT_EQ(got.x, want.x);
        EXPECT_EQ(got.y, want.y);
        EXPECT_EQ(got.cx, want.cx);
        EXPECT_EQ(got.cy, want.cy);
        EXPECT_EQ(got.text, want.text);
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
