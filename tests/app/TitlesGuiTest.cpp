// The titles of the document windows and of the main window.
#include "app/document/MorawinDoc.h"
#include "app/document/MorawinView.h"
#include "app/frames/CommandIds.h"
#include "app/frames/MainFrame.h"
#include "tests/app/GuiSupport.h"

#include <gtest/gtest.h>
#include <wx/docview.h>

namespace {

std::string TabTitle(CMorawinView* view)
{
    return ToUtf8(static_cast<wxMDIChildFrame*>(view->GetFrame())->GetTitle());
}

TEST(Titles, TwoWindowsOnOneFileAreNumbered)
{
    CMorawinView* first = ActiveView();
    EXPECT_EQ(TabTitle(first), "Zuordnung Ölmühle.seq");
    ChooseCommand(cmd::kWindowNew);
    Settle();
    CMorawinView* second = ActiveView();
    ASSERT_NE(second, first);
    EXPECT_EQ(TabTitle(first), "Zuordnung Ölmühle.seq:1");
    EXPECT_EQ(TabTitle(second), "Zuordnung Ölmühle.seq:2");
    EXPECT_TRUE(WaitFor([] {
        return ToUtf8(TestApp().GetMainFrame()->GetTitle()) == MainTitleWith("Zuordnung Ölmühle.seq:2");
    })) << ToUtf8(TestApp().GetMainFrame()->GetTitle());

    second->GetFrame()->Close(true);
    Settle();
    EXPECT_EQ(TabTitle(first), "Zuordnung Ölmühle.seq");
    EXPECT_TRUE(WaitFor([] {
        return ToUtf8(TestApp().GetMainFrame()->GetTitle()) == MainTitleWith("Zuordnung Ölmühle.seq");
    })) << ToUtf8(TestApp().GetMainFrame()->GetTitle());
}

TEST(Titles, ANewDocumentHasOneNameInItsTabAndTheMainTitle)
{
    ModalDriver driver(AnswerAll);
    TestApp().GetDocManager()->CreateNewDocument();
    Settle();
    CMorawinView* created = ActiveView();
    ASSERT_NE(created, nullptr);
    const std::string tab = TabTitle(created);
    EXPECT_EQ(tab.rfind("Morawi", 0), 0u) << tab;
    EXPECT_TRUE(WaitFor([&] { return ToUtf8(TestApp().GetMainFrame()->GetTitle()) == MainTitleWith(tab); }))
        << ToUtf8(TestApp().GetMainFrame()->GetTitle()) << " / " << tab;
    TestApp().GetDocManager()->CloseDocument(created->GetDocument(), true);
    Settle();
}

} // namespace
