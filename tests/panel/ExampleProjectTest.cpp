#include "tests/panel/ExampleProject.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

namespace {

const std::filesystem::path kExample = std::filesystem::path(MORAWIN_EXAMPLES) / "mischanlage-projekt";

TEST(ExampleProject, ShippedFilesAreWhatTheGeneratorWrites)
{
    TempDir dir;
    ASSERT_TRUE(WriteExampleProject(dir.Path()));
    std::vector<std::string> shipped;
    for (const auto& entry : std::filesystem::directory_iterator(kExample))
        shipped.push_back(entry.path().filename().string());
    std::sort(shipped.begin(), shipped.end());
    ASSERT_EQ(shipped, dir.List());
    for (const std::string& name : shipped)
        EXPECT_EQ(ReadBytes(kExample / name), ReadBytes(dir / name)) << name;
}

} // namespace
