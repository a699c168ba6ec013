/* Both cross-built setup.exe files, read as files: the game program each
   carries, the licence, the pictures, the languages, no manifest, and the
   window's template. The i686 setup cannot run here, so this is where its
   contents are proven. */
#include "pe_resources.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <string>
#include <vector>

namespace
{

struct Build {
    const char *name;
    const char *dir;
    uint16_t machine; // cppcheck-suppress unusedStructMember ; read through GetParam()
};

void PrintTo(const Build &build, std::ostream *out)
{
    *out << build.name;
}

const Build BUILDS[] = {{"i686", ZENDARO_WIN32_DIR, 0x014c}, {"x86_64", ZENDARO_WIN64_DIR, 0x8664}};

const uint32_t UK_ENGLISH = 2057;
enum : uint32_t { TYPE_BITMAP = 2, TYPE_ICON = 3, TYPE_DIALOG = 5, TYPE_GROUP_ICON = 14 };

std::string SourcePath(const std::string &relative)
{
    return std::string(ZENDARO_SOURCE_DIR) + "/" + relative;
}

std::string KeyText(const ResourceKey &key)
{
    return key.isNumber ? std::to_string(key.number) : key.name;
}

/* The build writes where its Zendaro.exe is beside setup.exe. */
std::string GameProgramPath(const Build &build)
{
    std::ifstream in(std::string(build.dir) + "/setup/game-path.txt");
    std::string path;
    std::getline(in, path);
    return path;
}

uint32_t Little(const std::vector<uint8_t> &bytes, size_t at, int size)
{
    uint32_t value = 0;
    for (int i = size - 1; i >= 0; i--)
        value = (value << 8) | (at + (size_t)i < bytes.size() ? bytes[at + (size_t)i] : 0);
    return value;
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
    std::string gamePath = GameProgramPath(GetParam());
    ASSERT_NE(gamePath, "") << "no setup/game-path.txt in " << GetParam().dir;
    std::vector<uint8_t> game = ReadWholeFile(gamePath);
    ASSERT_GT(game.size(), 100000u) << gamePath;
    const std::vector<uint8_t> *payload = Resource(ResourceName("BINARY"), 113);
    ASSERT_NE(payload, nullptr);
    EXPECT_EQ(payload->size(), game.size());
    EXPECT_TRUE(*payload == game) << "BINARY 113 differs from " << gamePath;
    uint32_t header = Little(*payload, 0x3c, 4);
    EXPECT_EQ(Little(*payload, header + 4, 2), GetParam().machine)
        << "the payload is not a program for this build's machine";
}

TEST_P(SetupFile, CarriesTheLicenceWithoutATerminatingZero)
{
    const std::vector<uint8_t> *license = Resource(ResourceName("LICENSE"), 111);
    ASSERT_NE(license, nullptr);
    std::vector<uint8_t> file = ReadWholeFile(SourcePath("setup/license.txt"));
    ASSERT_FALSE(file.empty());
    EXPECT_TRUE(*license == file) << "LICENSE 111 differs from setup/license.txt";
    EXPECT_NE(license->back(), 0) << "the licence resource ends in a zero byte";
}

TEST_P(SetupFile, CarriesThePicturesAndTheIcon)
{
    const struct {
        uint32_t id;
        const char *file;
    } bitmaps[] = {{104, "setup/art/folder.bmp"}, {112, "setup/art/header.bmp"}};
    for (const auto &bitmap : bitmaps) {
        const std::vector<uint8_t> *packed = Resource(ResourceNumber(TYPE_BITMAP), bitmap.id);
        ASSERT_NE(packed, nullptr) << "bitmap " << bitmap.id;
        std::vector<uint8_t> file = ReadWholeFile(SourcePath(bitmap.file));
        ASSERT_GT(file.size(), 14u) << bitmap.file;
        /* A BITMAP resource is the file without its 14-byte file header. */
        EXPECT_TRUE(std::vector<uint8_t>(file.begin() + 14, file.end()) == *packed) << bitmap.file;
    }
    const std::vector<uint8_t> *group = Resource(ResourceNumber(TYPE_GROUP_ICON), 102);
    ASSERT_NE(group, nullptr);
    ASSERT_EQ(Little(*group, 4, 2), 2u) << "icon group 102 holds two images";
    for (size_t image = 0; image < 2; image++) {
        uint32_t iconId = Little(*group, 6 + image * 14 + 12, 2);
        EXPECT_EQ(iconId, image + 1);
        EXPECT_NE(Resource(ResourceNumber(TYPE_ICON), iconId), nullptr) << "icon " << iconId;
    }
}

/* Exactly these resources, all in UK English: in particular no manifest,
   so the controls keep the classic look. */
TEST_P(SetupFile, HoldsOnlyItsOwnResourcesInUkEnglish)
{
    std::vector<std::string> found;
    for (const auto &entry : pe.resources) {
        const ResourceId &id = entry.first;
        std::string key = KeyText(id.type);
        key.append("/").append(KeyText(id.name)).append("/").append(std::to_string(id.language));
        found.push_back(key);
    }
    std::vector<std::string> expected = {"2/104/2057",      "2/112/2057",      "3/1/2057",
                                         "3/2/2057",        "5/101/2057",      "14/102/2057",
                                         "BINARY/113/2057", "LICENSE/111/2057"};
    std::sort(found.begin(), found.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(found, expected);
}

/* A DLGTEMPLATE read field by field. */
struct DialogReader {
    const std::vector<uint8_t> &bytes;
    size_t at = 0;

    uint32_t Take(int size)
    {
        uint32_t value = Little(bytes, at, size);
        at += (size_t)size;
        return value;
    }
    std::string TakeText()
    {
        std::string text;
        for (uint32_t c; (c = Take(2)) != 0;) text += c < 256 ? (char)c : '?';
        return text;
    }
    /* A control's class: the system classes come as a number or by name,
       which the dialog manager takes alike; both read as the name. */
    std::string TakeClass()
    {
        std::string name = TakeNameOrNumber();
        if (name == "#128") return "BUTTON";
        if (name == "#129") return "EDIT";
        if (name == "#130") return "STATIC";
        for (char &c : name) c = (char)toupper((unsigned char)c);
        return name;
    }
    /* A name or number field: "" when empty, "#n" for a number. */
    std::string TakeNameOrNumber()
    {
        uint32_t first = Little(bytes, at, 2);
        if (first == 0xFFFF) {
            at += 2;
            return "#" + std::to_string(Take(2));
        }
        return TakeText();
    }
    void AlignToDword()
    {
        at = (at + 3) & ~(size_t)3;
    }
};

struct Control {
    uint32_t style;
    int x, y, cx, cy;
    uint32_t id;
    std::string className;
    std::string text;
    bool operator==(const Control &o) const
    {
        return style == o.style && x == o.x && y == o.y && cx == o.cx && cy == o.cy && id == o.id &&
               className == o.className && text == o.text;
    }
};

void PrintTo(const Control &c, std::ostream *out)
{
    *out << std::hex << "style 0x" << c.style << std::dec << " " << c.x << "," << c.y << " " << c.cx
         << "x" << c.cy << " id " << c.id << " class " << c.className << " \"" << c.text << "\"";
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
    DialogReader r{*bytes};
    /* WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | DS_MODALFRAME
       | DS_CENTER, and DS_SETFONT for the font. */
    EXPECT_EQ(r.Take(4), 0x80CA08C0u) << "dialog style";
    EXPECT_EQ(r.Take(4), 0u) << "extended style";
    uint32_t count = r.Take(2);
    EXPECT_EQ(r.Take(2), 0u);
    EXPECT_EQ(r.Take(2), 0u);
    EXPECT_EQ(r.Take(2), 322u);
    EXPECT_EQ(r.Take(2), 218u);
    EXPECT_EQ(r.TakeNameOrNumber(), "") << "menu";
    EXPECT_EQ(r.TakeNameOrNumber(), "") << "class";
    EXPECT_EQ(r.TakeText(), "Program Setup");
    EXPECT_EQ(r.Take(2), 8u) << "font size";
    EXPECT_EQ(r.TakeText(), "MS Sans Serif");

    const std::string button = "BUTTON", edit = "EDIT", staticClass = "STATIC";
    const Control expected[] = {
        {CHILD_VISIBLE | 0x100E, 0, 0, 321, 36, 1017, staticClass,
         "#112"}, /* SS_BITMAP|SS_SUNKEN */
        {CHILD_VISIBLE | BORDER | TABSTOP | 0x80, 14, 58, 264, 13, 1009, edit,
         ""}, /* ES_AUTOHSCROLL */
        {CHILD_VISIBLE | TABSTOP | 0x80, 282, 58, 27, 13, 1004, button, "Browse"}, /* BS_BITMAP */
        /* ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN */
        {CHILD_VISIBLE | BORDER | VSCROLL | TABSTOP | 0x1044, 14, 95, 295, 81, 1014, edit, ""},
        {CHILD_VISIBLE | TABSTOP | 0x8003, 10, 200, 236, 9, 1008,
         button, /* BS_AUTOCHECKBOX|BS_FLAT */
         "I have Read, Understand and Agree to the License Agreement Above"},
        {CHILD_VISIBLE | DISABLED | TABSTOP, 257, 196, 56, 17, 1003, button, "Install"},
        {CHILD_VISIBLE | 0x08, 0, 186, 321, 1, 0xFFFF, staticClass, ""}, /* SS_GRAYFRAME */
        {CHILD_VISIBLE | 0x09, 0, 188, 321, 1, 0xFFFF, staticClass, ""}, /* SS_WHITEFRAME */
        {CHILD_VISIBLE | GROUP, 14, 84, 76, 9, 0xFFFF, staticClass, "License Agreement"},
        {CHILD_VISIBLE | GROUP, 14, 47, 76, 9, 0xFFFF, staticClass, "Install Path"},
    };
    ASSERT_EQ(count, sizeof expected / sizeof expected[0]);
    for (const Control &want : expected) {
        r.AlignToDword();
        Control got;
        got.style = r.Take(4);
        EXPECT_EQ(r.Take(4), 0u) << "extended style of control " << want.id;
        got.x = (int16_t)r.Take(2);
        got.y = (int16_t)r.Take(2);
        got.cx = (int16_t)r.Take(2);
        got.cy = (int16_t)r.Take(2);
        got.id = r.Take(2);
        got.className = r.TakeClass();
        got.text = r.TakeNameOrNumber();
        r.at += r.Take(2); /* creation data */
        EXPECT_EQ(got, want);
    }
}

INSTANTIATE_TEST_SUITE_P(Builds, SetupFile, ::testing::ValuesIn(BUILDS),
                         [](const ::testing::TestParamInfo<Build> &info) {
                             return std::string(info.param.name);
                         });

} // namespace
