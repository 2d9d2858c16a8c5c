#include "app/StatusPanes.h"
#include "data/StringTable.h"

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

} // namespace
