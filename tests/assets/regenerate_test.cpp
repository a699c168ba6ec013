// Regenerates every asset into a fresh folder and compares it with the
// committed files, so the committed art can never drift from its source.
// Usage: assets_regenerate_test TOOL SOURCE_DIR [gtest flags]
#include "asset_files.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <stdlib.h>
#include <string>

namespace fs = std::filesystem;

namespace
{

std::string gTool, gSource;

// What the generator owns: its folders whole, and two texts beside other files.
std::set<std::string> CommittedAssets()
{
    std::set<std::string> files = {"game/resources/zendaro.manifest", "setup/license.txt"};
    for (const char *folder : {"game/resources/art", "game/resources/sounds", "setup/art"})
        for (const auto &entry : fs::directory_iterator(fs::path(gSource) / folder))
            files.insert(fs::relative(entry.path(), gSource).generic_string());
    return files;
}

struct TempFolder {
    std::string path;
    TempFolder()
    {
        std::string pattern = (fs::temp_directory_path() / "zendaro-assets-XXXXXX").string();
        char *made = mkdtemp(pattern.data());
        path = made ? made : "";
    }
    ~TempFolder()
    {
        std::error_code ignored;
        if (!path.empty()) fs::remove_all(path, ignored);
    }
};

TEST(Regenerate, CommittedAssetsEqualFreshOutputByteForByte)
{
    TempFolder out;
    ASSERT_FALSE(out.path.empty());
    std::string sheet = out.path + "/sheet.png";
    std::string command = "'" + gTool + "' '" + out.path + "' --sheet '" + sheet + "'";
    // NOLINTNEXTLINE(cert-env33-c): runs the generator itself on paths the test made
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    EXPECT_GT(fs::file_size(sheet), 10000u) << "contact sheet";
    fs::remove(sheet);

    std::set<std::string> produced;
    for (const auto &entry : fs::recursive_directory_iterator(out.path))
        if (entry.is_regular_file())
            produced.insert(fs::relative(entry.path(), out.path).generic_string());
    EXPECT_EQ(produced, CommittedAssets());
    for (const std::string &file : produced) {
        Bytes fresh = ReadWholeFile((fs::path(out.path) / file).string());
        Bytes committed = ReadWholeFile((fs::path(gSource) / file).string());
        EXPECT_TRUE(fresh == committed)
            << file << " differs from the generator's output: run `make assets` and commit";
    }
}

} // namespace

int main(int argc, char **argv)
{
    testing::InitGoogleTest(&argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s TOOL SOURCE_DIR\n", argv[0]);
        return 2;
    }
    gTool = argv[1];
    gSource = argv[2];
    return RUN_ALL_TESTS();
}
