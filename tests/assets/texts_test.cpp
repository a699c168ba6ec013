// The licence agreement and the manifest.
#include "asset_files.h"

#include <gtest/gtest.h>

#include <string>

namespace
{

TEST(Licence, ExactSizeCrLfLinesAndPlainText)
{
    Bytes text = ReadSource("setup/license.txt");
    EXPECT_EQ(text.size(), 5064u);
    int breaks = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        ASSERT_NE(text[i], 0) << "zero byte at " << i;
        if (text[i] == '\n') {
            ASSERT_GT(i, 0u);
            EXPECT_EQ(text[i - 1], '\r') << "bare line feed at " << i;
            ++breaks;
        }
        if (text[i] == '\r') {
            ASSERT_TRUE(i + 1 < text.size() && text[i + 1] == '\n') << "bare CR at " << i;
        } else if (text[i] != '\n') {
            EXPECT_TRUE(text[i] >= 0x20 && text[i] < 0x7F)
                << "byte " << int(text[i]) << " at " << i;
        }
    }
    EXPECT_EQ(breaks, 46);
    std::string s(text.begin(), text.end());
    EXPECT_NE(s.find("Zendaro"), std::string::npos);
    EXPECT_NE(s.find("LICENCE AGREEMENT"), std::string::npos);
}

TEST(Manifest, NamesTheAppAndAsksForCommonControlsSix)
{
    Bytes bytes = ReadSource("game/resources/zendaro.manifest");
    std::string m(bytes.begin(), bytes.end());
    const char *const required[] = {
        "version=\"1.0.0.0\"",
        "processorArchitecture=\"X86\"",
        "name=\"CompanyName.ProductName.YourApp\"",
        "type=\"win32\"",
        "<description>Your application description here.</description>",
        "name=\"Microsoft.Windows.Common-Controls\"",
        "version=\"6.0.0.0\"",
        "publicKeyToken=\"6595b64144ccf1df\"",
        "language=\"*\"",
    };
    for (const char *r : required) EXPECT_NE(m.find(r), std::string::npos) << r;
    auto count = [&m](const char *part) {
        size_t n = 0;
        for (size_t at = m.find(part); at != std::string::npos; at = m.find(part, at + 1)) ++n;
        return n;
    };
    // One identity of our own and exactly one dependency.
    EXPECT_EQ(count("<assemblyIdentity"), 2u);
    EXPECT_EQ(count("<dependency>"), 1u);
    EXPECT_LT(m.find("CompanyName.ProductName.YourApp"), m.find("<dependency>"));
}

} // namespace
