// The window menu: arranging the child windows where they can be arranged.
#include "app/document/MorawinView.h"
#include "app/frames/CommandIds.h"
#include "app/frames/MainFrame.h"
#include "app/frames/MenuBuilder.h"
#include "tests/app/DocumentBar.h"
#include "tests/app/GuiSupport.h"

#include <gtest/gtest.h>

namespace {

TEST(WindowMenu, OffersArrangingOnlyWhereChildWindowsCanBeArranged)
{
    wxMenuBar* bar = DocumentBar();
    const bool arranged = CMenuBuilder::ChildWindowsCanBeArranged();
    EXPECT_NE(bar->FindItem(cmd::kWindowNew), nullptr);
    for (int id : {cmd::kWindowCascade, cmd::kWindowTile, cmd::kWindowArrange})
        EXPECT_EQ(bar->FindItem(id) != nullptr, arranged) << id;
#if defined(__WXGTK__)
    // GTK shows the child windows as tabs.
    EXPECT_FALSE(arranged);
#endif
}

TEST(WindowMenu, CascadeAndTileArrangeTheChildWindows)
{
    if (!CMenuBuilder::ChildWindowsCanBeArranged())
        GTEST_SKIP() << "child windows are tabs here";
    auto* first = static_cast<wxMDIChildFrame*>(ActiveView()->GetFrame());
    ChooseCommand(cmd::kWindowNew);
    Settle();
    auto* second = static_cast<wxMDIChildFrame*>(ActiveView()->GetFrame());
    ASSERT_NE(second, first);
    EXPECT_TRUE(second->IsMaximized());
    const wxSize room = TestApp().GetMainFrame()->GetClientWindow()->GetClientSize();

    // Restored and overlapping, one below and right of the other; the
    // main title names the active window itself again.
    ChooseCommand(cmd::kWindowCascade);
    Settle();
    EXPECT_FALSE(first->IsMaximized());
    EXPECT_FALSE(second->IsMaximized());
    const wxRect a = first->GetRect(), b = second->GetRect();
    EXPECT_NE(a.GetPosition(), b.GetPosition());
    EXPECT_TRUE(a.Intersects(b));
    EXPECT_LT(a.GetWidth(), room.GetWidth());
    EXPECT_TRUE(WaitFor([] {
        return ToUtf8(TestApp().GetMainFrame()->GetTitle()) == "MoraWin - Zuordnung Ölmühle.seq:2";
    })) << ToUtf8(TestApp().GetMainFrame()->GetTitle());

    // Side by side: together they fill the room without overlapping.
    ChooseCommand(cmd::kWindowTile);
    Settle();
    const wxRect c = first->GetRect(), d = second->GetRect();
    EXPECT_FALSE(c.Intersects(d)) << c.x << "," << c.y << " " << d.x << "," << d.y;
    EXPECT_EQ(c.Union(d).GetSize(), room);

    // Maximized again, the system names the window in the title.
    second->Maximize();
    EXPECT_TRUE(WaitFor([] {
        return ToUtf8(TestApp().GetMainFrame()->GetTitle()) == MainTitleWith("Zuordnung Ölmühle.seq:2");
    })) << ToUtf8(TestApp().GetMainFrame()->GetTitle());
    second->Close(true);
    Settle();
}

} // namespace
