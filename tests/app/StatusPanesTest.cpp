#include "app/frames/StatusPanes.h"
#include "data/text/StringTable.h"

#include <gtest/gtest.h>

namespace {

// Every character 7 wide on average, 11 at most; text 7 per byte.
CStatusPanes::Metrics Fixed()
{
    CStatusPanes::Metrics metrics;
    metrics.averageCharWidth = 7;
    metrics.maxCharWidth = 11;
    metrics.textWidth = [](const std::string& text) { return static_cast<int>(text.size()) * 7; };
    return metrics;
}

TEST(StatusPanes, StartsWithNoProjectAndAHiddenNamePane)
{
    const CStatusPanes panes;
    EXPECT_EQ(panes.GetPaneText(0), "Kein RZ731WIN-Projekt geöffnet");
    const auto name = panes.GetLayout(1, Fixed());
    EXPECT_FALSE(name.visible);
    EXPECT_EQ(name.width, 0);
    EXPECT_TRUE(panes.GetLayout(0, Fixed()).visible);
}

TEST(StatusPanes, ProjectPathAndNameWithEmptyPathMeaningNone)
{
    CStatusPanes panes;
    panes.ShowProject("/daten/projekte/mühle", "Mühle 3");
    EXPECT_EQ(panes.GetPaneText(0), "/daten/projekte/mühle");
    EXPECT_EQ(panes.GetPaneText(1), "Mühle 3");

    panes.ShowProject("/daten/p", "");
    EXPECT_EQ(panes.GetPaneText(0), "/daten/p");
    EXPECT_FALSE(panes.GetLayout(1, Fixed()).visible);

    panes.ShowProject("", "egal");
    EXPECT_EQ(panes.GetPaneText(0), CStringTable::GetUtf8(ids::kNoProject));
}

TEST(StatusPanes, WidthIsTheTextsButAtLeastTenCharacters)
{
    CStatusPanes panes;
    panes.ShowProject("/p", "N");
    // Path: ten average characters; name: ten of the widest.
    EXPECT_EQ(panes.GetLayout(0, Fixed()).width, 70);
    EXPECT_EQ(panes.GetLayout(1, Fixed()).width, 110);

    const std::string longPath = "/ein/sehr/langer/pfad/zu/einem/projekt";
    panes.ShowProject(longPath, "Ein langer Projektname");
    EXPECT_EQ(panes.GetLayout(0, Fixed()).width, static_cast<int>(longPath.size()) * 7);
    EXPECT_EQ(panes.GetLayout(1, Fixed()).width, 22 * 7);
}

TEST(StatusPanes, MenuModeKeepsTextsUntilItEnds)
{
    CStatusPanes panes;
    panes.EnterMenuMode();
    EXPECT_FALSE(panes.SetPaneText(0, "/neu"));
    EXPECT_FALSE(panes.SetPaneText(1, "Neu"));
    EXPECT_EQ(panes.GetPaneText(0), "/neu");
    panes.ExitMenuMode();
    EXPECT_FALSE(panes.InMenuMode());
    EXPECT_TRUE(panes.SetPaneText(1, "Neuer"));
    EXPECT_EQ(panes.GetPaneText(1), "Neuer");
}

TEST(StatusPanes, PanesBeyondTheSecondAreIgnored)
{
    CStatusPanes panes;
    EXPECT_FALSE(panes.SetPaneText(2, "x"));
    EXPECT_FALSE(panes.SetPaneText(-1, "x"));
    EXPECT_EQ(panes.GetPaneText(2), "");
    EXPECT_FALSE(panes.GetLayout(5, Fixed()).visible);
}

TEST(StatusPanes, TheCountsPaneFollowsTheProjectPanesAndWaitsForTheMenu)
{
    CStatusPanes panes;
    EXPECT_FALSE(panes.GetLayout(CStatusPanes::kCountsPane, Fixed()).visible);
    EXPECT_TRUE(panes.ShowCounts("12 Operanden"));
    const CStatusPanes::Layout shown = panes.GetLayout(CStatusPanes::kCountsPane, Fixed());
    EXPECT_TRUE(shown.visible);
    EXPECT_EQ(shown.text, "12 Operanden");
    // The project texts are not touched by it.
    EXPECT_EQ(panes.GetPaneText(1), "");
    panes.EnterMenuMode();
    EXPECT_FALSE(panes.ShowCounts("3 Operanden"));
    panes.ExitMenuMode();
    EXPECT_EQ(panes.GetLayout(CStatusPanes::kCountsPane, Fixed()).text, "3 Operanden");
    EXPECT_TRUE(panes.ShowCounts(""));
    EXPECT_FALSE(panes.GetLayout(CStatusPanes::kCountsPane, Fixed()).visible);
}

TEST(StatusPanes, CountTextSaysWhatIsShownOfTheFileAndHowManyAreDuplicated)
{
    const struct {
        std::size_t shown, inFile, duplicated;
        const char* text;
    } cases[] = {
        {12, 12, 0, "12 Operanden"},
        {7, 12, 0, "7 von 12 Operanden"},
        {0, 12, 0, "0 von 12 Operanden"},
        {0, 0, 0, "0 Operanden"},
        {1, 1, 0, "1 Operand"},
        {1, 2, 1, "1 von 2 Operanden, 1 mehrfach in der Datei"},
        {5, 5, 2, "5 Operanden, 2 mehrfach in der Datei"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CStatusPanes::CountText(c.shown, c.inFile, c.duplicated), c.text);
}

} // namespace
