#include "app/dialogs/FolderBrowser.h"
#include "data/platform/Platform.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestSystem.h"

#include <gtest/gtest.h>


namespace fs = std::filesystem;

namespace {

const fs::path kUmlautFolder = platform::PathFromUtf8("Ölmühle");

class FolderBrowserTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char* folder : {"beta", "Alpha", "gamma/tief", ".versteckt"})
            fs::create_directories(m_dir / folder);
        fs::create_directories(m_dir.Path() / kUmlautFolder);
        WriteText(m_dir / "datei.seq", "");
        WriteText(m_dir / "gamma" / "anlage.seq", "");
    }
    TempDir m_dir;
};

TEST_F(FolderBrowserTest, ListsSubFoldersSortedWithoutHiddenOnesAndFiles)
{
    const CFolderBrowser browser(m_dir.Path());
    EXPECT_EQ(browser.GetFolder(), m_dir.Path());
    EXPECT_EQ(browser.GetEntries(), (std::vector<fs::path>{"..", "Alpha", "beta", "gamma", kUmlautFolder}));
}

TEST_F(FolderBrowserTest, EntersAndLeavesFolders)
{
    CFolderBrowser browser(m_dir.Path());
    EXPECT_TRUE(browser.Enter("gamma"));
    EXPECT_EQ(browser.GetFolder(), m_dir / "gamma");
    EXPECT_TRUE(browser.Enter("tief"));
    EXPECT_TRUE(browser.Enter(".."));
    EXPECT_TRUE(browser.Enter(".."));
    EXPECT_EQ(browser.GetFolder(), m_dir.Path());
    EXPECT_FALSE(browser.Enter("datei.seq"));
    EXPECT_FALSE(browser.Enter("fehlt"));
    EXPECT_FALSE(browser.Enter("gamma/tief"));
    EXPECT_FALSE(browser.Enter(""));
    EXPECT_EQ(browser.GetFolder(), m_dir.Path());
    // Names come back as GetEntries gives them, umlauts included.
    EXPECT_TRUE(browser.Enter(browser.GetEntries().back()));
    EXPECT_EQ(browser.GetFolder(), m_dir.Path() / kUmlautFolder);
}

TEST_F(FolderBrowserTest, TheRootHasNoWayUp)
{
    if (test_system::kWindows)
        GTEST_SKIP() << "the root is a drive there (C:\\)";
    CFolderBrowser root("/");
    EXPECT_EQ(root.GetFolder(), "/");
    const auto entries = root.GetEntries();
    EXPECT_TRUE(std::find(entries.begin(), entries.end(), "..") == entries.end());
    EXPECT_FALSE(root.Enter(".."));
}

TEST_F(FolderBrowserTest, TypedPathsAbsoluteRelativeOrToAFile)
{
    CFolderBrowser browser(m_dir.Path());
    EXPECT_TRUE(browser.Go("gamma/tief/"));
    EXPECT_EQ(browser.GetFolder(), m_dir / "gamma" / "tief");
    EXPECT_TRUE(browser.Go("../anlage.seq"));
    EXPECT_EQ(browser.GetFolder(), m_dir / "gamma");
    EXPECT_TRUE(browser.Go(m_dir.Path() / kUmlautFolder));
    EXPECT_EQ(browser.GetFolder(), m_dir.Path() / kUmlautFolder);
    EXPECT_FALSE(browser.Go("gibt es nicht"));
    EXPECT_FALSE(browser.Go(""));
    EXPECT_EQ(browser.GetFolder(), m_dir.Path() / kUmlautFolder);
}

TEST_F(FolderBrowserTest, UnusableStartFoldersGiveTheCurrentFolder)
{
    EXPECT_EQ(CFolderBrowser("").GetFolder(), fs::current_path());
    EXPECT_EQ(CFolderBrowser(m_dir / "fehlt").GetFolder(), fs::current_path());
    EXPECT_EQ(CFolderBrowser(m_dir / "datei.seq").GetFolder(), fs::current_path());
}

TEST_F(FolderBrowserTest, AFolderThatCannotBeReadHasNoEntries)
{
    if (test_system::IsSuperUser())
        GTEST_SKIP() << "root reads every folder";
    if (test_system::kWindows)
        GTEST_SKIP() << "Windows folders have no permission bits to take away";
    fs::permissions(m_dir / "beta", fs::perms::none);
    CFolderBrowser browser(m_dir.Path());
    EXPECT_FALSE(browser.Enter("beta"));
    fs::permissions(m_dir / "beta", fs::perms::owner_all);
}

TEST(FolderBrowserPlaces, StartWithTheRootAndHoldNoDuplicates)
{
    if (test_system::kWindows)
        GTEST_SKIP() << "the places are the drives there";
    const auto places = CFolderBrowser::Places();
    ASSERT_FALSE(places.empty());
    EXPECT_EQ(places.front(), "/");
    for (std::size_t i = 0; i < places.size(); ++i)
        for (std::size_t j = i + 1; j < places.size(); ++j)
            EXPECT_NE(places[i], places[j]);
}

TEST(FolderBrowserPlaces, AFolderBelongsToTheDeepestPlaceThatHoldsIt)
{
    const std::vector<fs::path> places{"/", "/home/anna", "/media/anna/USB"};
    EXPECT_EQ(CFolderBrowser::PlaceOf(places, "/"), 0);
    EXPECT_EQ(CFolderBrowser::PlaceOf(places, "/etc"), 0);
    EXPECT_EQ(CFolderBrowser::PlaceOf(places, "/home/anna"), 1);
    EXPECT_EQ(CFolderBrowser::PlaceOf(places, "/home/anna/projekte/p1"), 1);
    EXPECT_EQ(CFolderBrowser::PlaceOf(places, "/home/annabell"), 0);
    EXPECT_EQ(CFolderBrowser::PlaceOf(places, "/media/anna/USB/p"), 2);
    EXPECT_EQ(CFolderBrowser::PlaceOf({"/home/anna"}, "/etc"), -1);
    EXPECT_EQ(CFolderBrowser::PlaceOf({}, "/etc"), -1);
}

} // namespace
