#include "app/browser/BrowserListCtrl.h"
#include "app/browser/ProjectBrowser.h"
#include "app/browser/ProjectBrowserFrame.h"
#include "app/frames/CommandIds.h"
#include "tests/app/GuiSupport.h"

#include <gtest/gtest.h>
#include <wx/listctrl.h>
#include <wx/settings.h>

#include <algorithm>

namespace {

// The header draws a title with an inset of three edge widths on each
// side: a column must be that much wider than its title, or the title ends
// in "…" ("Gru…", "Eintr…").
TEST(BrowserColumns, EveryHeaderShowsItsWholeTitle)
{
    ChooseCommand(cmd::kProjectBrowser);
    Settle();
    CProjectBrowserFrame* frame = TestApp().OpenProjectBrowser();
    ASSERT_NE(frame, nullptr);
    // A narrow window: the column that takes the rest is at its narrowest.
    frame->SetSize(wxSize(300, 300));
    Settle(200);
    using Pane = CProjectBrowser::Pane;
    for (Pane pane : {Pane::groups, Pane::lists, Pane::texts}) {
        const CBrowserListCtrl* list = frame->GetBrowser()->GetPane(pane);
        const int inset = 6 * std::max(2, wxSystemSettings::GetMetric(wxSYS_EDGE_X, list));
        ASSERT_GT(list->GetColumnCount(), 0);
        for (int column = 0; column < list->GetColumnCount(); ++column) {
            wxListItem item;
            item.SetMask(wxLIST_MASK_TEXT);
            ASSERT_TRUE(list->GetColumn(column, item));
            EXPECT_GE(list->GetColumnWidth(column), list->GetTextExtent(item.GetText()).GetWidth() + inset)
                << ToUtf8(item.GetText());
        }
    }
    frame->Close();
    Settle();
}

} // namespace
