// The widths of the list columns: fitted to their texts, the last one
// filling the rest, dragged widths kept, the browser's panes filled.
#include "app/browser/BrowserListCtrl.h"
#include "app/browser/ProjectBrowser.h"
#include "app/browser/ProjectBrowserFrame.h"
#include "app/document/MorawinView.h"
#include "app/document/OperandListCtrl.h"
#include "app/frames/CommandIds.h"
#include "app/frames/MainFrame.h"
#include "app/widgets/ColumnWidths.h"
#include "app/widgets/ListColumnSizer.h"
#include "tests/app/GuiSupport.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

class Columns : public ::testing::Test {
protected:
    void SetUp() override { CColumnWidths::ForgetSession(); }
    void TearDown() override
    {
        CColumnWidths::ForgetSession();
        TestApp().GetMainFrame()->SetSize(wxSize(1000, 700));
        Settle();
    }
};

int TotalWidth(const wxListCtrl& list)
{
    int total = 0;
    for (int i = 0; i < list.GetColumnCount(); ++i)
        total += list.GetColumnWidth(i);
    return total;
}

TEST_F(Columns, SymbolFitsItsWidestTextAndKommentarFillsTheRestOnEveryResize)
{
    COperandListCtrl* list = ActiveView()->GetList();
    Settle();
    int widest = 0;
    for (long row = 0; row < list->GetItemCount(); ++row)
        widest = std::max(widest, list->GetTextExtent(list->GetItemText(row, COperandListCtrl::kSymbolColumn)).GetWidth());
    const int symbol = list->GetColumnWidth(COperandListCtrl::kSymbolColumn);
    EXPECT_GE(symbol, widest);
    EXPECT_LT(symbol, widest + 4 * list->GetCharWidth());
    EXPECT_EQ(list->GetColumnWidth(0), 12 * list->GetCharWidth());
    EXPECT_EQ(TotalWidth(*list), CListColumnSizer::RowWidth(*list));

    const int before = list->GetColumnWidth(COperandListCtrl::kCommentColumn);
    TestApp().GetMainFrame()->SetSize(wxSize(1200, 700));
    ASSERT_TRUE(WaitFor([&] { return list->GetColumnWidth(COperandListCtrl::kCommentColumn) > before; }));
    EXPECT_EQ(TotalWidth(*list), CListColumnSizer::RowWidth(*list));
    TestApp().GetMainFrame()->SetSize(wxSize(800, 700));
    ASSERT_TRUE(WaitFor([&] { return list->GetColumnWidth(COperandListCtrl::kCommentColumn) < before; }));
    EXPECT_EQ(TotalWidth(*list), CListColumnSizer::RowWidth(*list));
    EXPECT_EQ(list->GetColumnWidth(COperandListCtrl::kSymbolColumn), symbol);
}

void SendColumnEvent(wxListCtrl* list, wxEventType type, int column)
{
    wxListEvent event(type, list->GetId());
    event.SetEventObject(list);
    event.m_col = column;
    list->ProcessWindowEvent(event);
}

// A column border dragged by the user, as the list reports it; the main
// window is resized while the mouse is still down (on Windows a scroll bar
// coming or going does that).
void Drag(wxListCtrl* list, int column, int width)
{
    SendColumnEvent(list, wxEVT_LIST_COL_BEGIN_DRAG, column);
    list->SetColumnWidth(column, width);
    wxFrame* main = TestApp().GetMainFrame();
    main->SetSize(main->GetSize() + wxSize(10, 0));
    Settle();
    EXPECT_EQ(list->GetColumnWidth(column), width) << "the layout moved the border while it was dragged";
    SendColumnEvent(list, wxEVT_LIST_COL_END_DRAG, column);
    Settle();
}

TEST_F(Columns, DraggedWidthsStayAfterResizingAndForNewWindows)
{
    COperandListCtrl* list = ActiveView()->GetList();
    Settle();
    Drag(list, COperandListCtrl::kSymbolColumn, 222);
    EXPECT_EQ(list->GetColumnWidth(COperandListCtrl::kSymbolColumn), 222);
    // Kommentar still takes the rest.
    EXPECT_EQ(TotalWidth(*list), CListColumnSizer::RowWidth(*list));
    TestApp().GetMainFrame()->SetSize(wxSize(1150, 700));
    Settle(200);
    EXPECT_EQ(list->GetColumnWidth(COperandListCtrl::kSymbolColumn), 222);
    // Refilling the list after a filter change fits nothing over it.
    COperandFilter filter;
    filter.ShowInputs = false;
    ActiveView()->SetFilter(filter);
    EXPECT_EQ(list->GetColumnWidth(COperandListCtrl::kSymbolColumn), 222);

    ChooseCommand(cmd::kWindowNew);
    Settle();
    CMorawinView* second = ActiveView();
    ASSERT_NE(second->GetList(), list);
    EXPECT_EQ(second->GetList()->GetColumnWidth(COperandListCtrl::kSymbolColumn), 222);

    // Kommentar dragged: it no longer follows the window.
    Drag(second->GetList(), COperandListCtrl::kCommentColumn, 300);
    TestApp().GetMainFrame()->SetSize(wxSize(1000, 700));
    Settle(200);
    EXPECT_EQ(second->GetList()->GetColumnWidth(COperandListCtrl::kCommentColumn), 300);
}

TEST_F(Columns, TheBrowsersWidestColumnsFillTheirPanes)
{
    ModalDriver driver(AnswerAll);
    CProjectBrowserFrame* frame = TestApp().OpenProjectBrowser();
    ASSERT_NE(frame, nullptr);
    Settle();
    CProjectBrowser* browser = frame->GetBrowser();
    for (auto pane : {CProjectBrowser::Pane::groups, CProjectBrowser::Pane::lists, CProjectBrowser::Pane::texts}) {
        CBrowserListCtrl* list = browser->GetPane(pane);
        EXPECT_TRUE(WaitFor([&] { return TotalWidth(*list) == CListColumnSizer::RowWidth(*list); }))
            << static_cast<int>(pane) << ": " << TotalWidth(*list) << " of " << CListColumnSizer::RowWidth(*list);
    }
    CBrowserListCtrl* texts = browser->GetPane(CProjectBrowser::Pane::texts);
    const int before = texts->GetColumnWidth(1);
    TestApp().GetMainFrame()->SetSize(wxSize(1300, 700));
    EXPECT_TRUE(WaitFor([&] { return texts->GetColumnWidth(1) > before; }));
    frame->Close(true);
    Settle();
}

} // namespace
