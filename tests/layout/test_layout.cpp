#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "layoutcheck.h"
#include "tempdir.h"

namespace fs = std::filesystem;

namespace
{
std::string Report(const std::vector<LAYOUT_VIOLATION>& violations)
{
    std::string report;
    for (const LAYOUT_VIOLATION& violation : violations)
        report += violation.ToString() + "\n";
    return report;
}
}  // namespace

TEST(Layout, EveryIncludeOfTheTreePointsDownTheReadmesOrder)
{
    CLayoutCheck check;
    std::string error;
    ASSERT_TRUE(check.ReadReadme(fs::path(VELTRANO_SOURCE_DIR) / "README.md", &error)) << error;

    const std::vector<LAYOUT_VIOLATION> violations = check.Check(VELTRANO_SOURCE_DIR);
    EXPECT_TRUE(violations.empty()) << Report(violations);
}

TEST(Layout, TheReadmeListsEveryTopLevelFolderAndOnlyFoldersThatExist)
{
    CLayoutCheck check;
    std::string error;
    ASSERT_TRUE(check.ReadReadme(fs::path(VELTRANO_SOURCE_DIR) / "README.md", &error)) << error;

    std::vector<std::string> listed = check.Outside();
    for (const std::string& folder : check.Order())
    {
        EXPECT_TRUE(fs::is_directory(fs::path(VELTRANO_SOURCE_DIR) / folder)) << folder;
        listed.push_back(folder.substr(0, folder.find('/')));
    }
    for (const std::string& folder : check.Outside())
        EXPECT_TRUE(fs::is_directory(fs::path(VELTRANO_SOURCE_DIR) / folder)) << folder;

    for (const fs::directory_entry& entry : fs::directory_iterator(VELTRANO_SOURCE_DIR))
    {
        const std::string name = entry.path().filename().string();
        if (!entry.is_directory() || name[0] == '.' || fs::exists(entry.path() / "CMakeCache.txt"))
            continue;
        EXPECT_NE(std::find(listed.begin(), listed.end(), name), listed.end())
            << name << "/ is missing from the README's Layout section";
    }
}

TEST(LayoutCheck, FixtureTreeReportsEveryBreakAndNothingElse)
{
    CLayoutCheck check;
    std::string error;
    ASSERT_TRUE(check.ReadReadme(fs::path(VELTRANO_LAYOUT_FIXTURE) / "README.md", &error)) << error;
    EXPECT_EQ(check.Order(), (std::vector<std::string>{"top", "middle", "lib/inner", "lib/low"}));
    EXPECT_EQ(check.Outside(), (std::vector<std::string>{"outside"}));

    // Relative, nested and downward includes pass; includes the tree cannot answer (generated forms,
    // system headers) are not judged; the folder outside the order, the build tree and the hidden
    // folder are not read.
    const std::vector<std::string> expected = {
        "lib/inner/helper.cpp:4: #include \"twice.h\": names more than one header: lib/low/twice.h, "
        "middle/twice.h",
        "lib/low/engine.cpp:3: #include \"helper.h\": lib/inner/helper.h lies in lib/inner/, above lib/low/",
        "lib/stray.cpp: lies in no folder of the layout",
        "middle/panel.cpp:4: #include \"window.h\": top/window.h lies in top/, above middle/",
    };
    std::vector<std::string> reported;
    for (const LAYOUT_VIOLATION& violation : check.Check(VELTRANO_LAYOUT_FIXTURE))
        reported.push_back(violation.ToString());
    EXPECT_EQ(reported, expected);
}

TEST(LayoutCheck, ReadmeWithoutAnOrderIsRefused)
{
    struct Case
    {
        const char* name;
        const char* text;  // nullptr: no README at all
        const char* error;
    };
    const Case cases[] = {
        {"missing file", nullptr, "cannot read"},
        {"no section", "# Project\n\n1. `app/`\n", "has no \"## Layout\" section"},
        {"only folders outside", "## Layout\n\n- `tests/`\n", "lists no folder in order"},
        {"order after the section", "## Layout\n\nText.\n\n## Next\n\n1. `app/`\n",
         "lists no folder in order"},
    };
    for (const Case& c : cases)
    {
        CTempDir dir;
        const fs::path readme = fs::path(dir.Path()) / "README.md";
        if (c.text != nullptr)
            std::ofstream(readme) << c.text;
        CLayoutCheck check;
        std::string error;
        EXPECT_FALSE(check.ReadReadme(readme, &error)) << c.name;
        EXPECT_NE(error.find(c.error), std::string::npos) << c.name << ": " << error;
        EXPECT_TRUE(check.Order().empty()) << c.name;
    }
}
