// The project browser's window: what it shows, its menus and title, its
// keys, and the project read again after a conversion.
#include "app/document/MorawinDoc.h"
#include "app/document/MorawinView.h"
#include "tests/app/ProjectBrowserGuiFixture.h"
#include "tests/support/TestSystem.h"

#include <wx/uiaction.h>

namespace {

TEST_F(ProjectBrowserGui, ShowsGroupsListsAndTextsOfTheOpenProject)
{
    EXPECT_EQ(ToUtf8(frame->GetTitle()), "Projekt P1");
    EXPECT_EQ(Column(browser->GetPane(Pane::groups), 0), (std::vector<std::string>{"S01", "S02"}));
    EXPECT_EQ(Column(browser->GetPane(Pane::groups), 1), (std::vector<std::string>{"Quelle", "Ziel"}));
    // The first group and its first list show at once.
    EXPECT_EQ(Column(browser->GetPane(Pane::lists), 0), (std::vector<std::string>{"001", "002"}));
    EXPECT_EQ(Column(browser->GetPane(Pane::lists), 1), (std::vector<std::string>{"E", "T"}));
    EXPECT_EQ(Column(browser->GetPane(Pane::lists), 2), (std::vector<std::string>{"Eingänge", "Zeiten"}));
    EXPECT_EQ(Column(browser->GetPane(Pane::lists), 3), (std::vector<std::string>{"2", "1"}));
    EXPECT_EQ(Column(browser->GetPane(Pane::texts), 0), (std::vector<std::string>{"E012.01", "E012.03"}));
    EXPECT_EQ(Column(browser->GetPane(Pane::texts), 1), (std::vector<std::string>{"Auf", "Zu"}));

    Select(Pane::lists, {1});
    EXPECT_EQ(Column(browser->GetPane(Pane::texts), 0), std::vector<std::string>{"T001"});
    EXPECT_EQ(Column(browser->GetPane(Pane::texts), 1), std::vector<std::string>{"Start @005 s"});
    Select(Pane::groups, {1});
    EXPECT_EQ(Column(browser->GetPane(Pane::lists), 2), std::vector<std::string>{"Andere"});

    // The menu brings up the same window again.
    EXPECT_EQ(TestApp().OpenProjectBrowser(), frame);
}

TEST_F(ProjectBrowserGui, WindowHasItsEditMenuAndNamesItselfInTheMainTitle)
{
    Settle(100);
    EXPECT_EQ(ToUtf8(TestApp().GetMainFrame()->GetTitle()), MainTitleWith("Projekt P1"));
    wxMenuBar* bar = frame->GetMenuBar();
    std::vector<std::string> titles;
    for (size_t i = 0; i < bar->GetMenuCount(); ++i)
        titles.push_back(ToUtf8(bar->GetMenuLabel(i)));
    EXPECT_EQ(titles, (std::vector<std::string>{"&Datei", "&Bearbeiten", "&Ansicht", "&Konfiguration", "&?"}));
    const std::pair<int, unsigned> prompts[] = {
        {wxID_COPY, 57634},        {wxID_PASTE, 57637}, {wxID_DELETE, 57632},
        {cmd::kRenameGroup, 32778}, {cmd::kRefresh, 32779}, {cmd::kProjectBrowser, 32777},
    };
    for (const auto& [id, stringId] : prompts) {
        const wxMenuItem* item = bar->FindItem(id);
        ASSERT_NE(item, nullptr) << id;
        const std::string text = CStringTable::GetUtf8(stringId);
        EXPECT_EQ(ToUtf8(item->GetHelp()), text.substr(0, text.find('\n'))) << id;
    }
    // Every window's file menu opens the browser.
    wxView* document = TestApp().GetDocManager()->GetDocumentsVector()[0]->GetFirstView();
    for (wxMenuBar* other :
         {TestApp().GetMainFrame()->GetMenuBar(), static_cast<wxFrame*>(document->GetFrame())->GetMenuBar()})
        EXPECT_NE(other->FindItem(cmd::kProjectBrowser), nullptr);

    // Nothing selected in the text pane: nothing to copy or delete.
    Select(Pane::texts, {});
    EXPECT_FALSE(Enabled(wxID_COPY));
    EXPECT_FALSE(Enabled(wxID_DELETE));
    EXPECT_TRUE(Enabled(cmd::kRenameGroup));
}

TEST_F(ProjectBrowserGui, ReadsTheProjectAgainAfterAConversion)
{
    ProjectWriter project(dir.Path());
    ProjectWriter::List(project.Group("S05", "Konvertiert"), "001", 3, "Merker");
    EXPECT_EQ(Column(browser->GetPane(Pane::groups), 0), (std::vector<std::string>{"S01", "S02"}));

    auto* view = dynamic_cast<CMorawinView*>(TestApp().GetDocManager()->GetDocumentsVector()[0]->GetFirstView());
    ASSERT_NE(view, nullptr);
    view->Convert(ConversionMode::all);
    Settle();
    EXPECT_EQ(TestApp().conversions.size(), 1u);
    EXPECT_EQ(Column(browser->GetPane(Pane::groups), 0), (std::vector<std::string>{"S01", "S02", "S05"}));
}

TEST_F(ProjectBrowserGui, KeysCopyPasteAndDeleteReachTheBrowser)
{
    ModalDriver boxes(AnswerAll);
    wxUIActionSimulator keys;
    CBrowserListCtrl* lists = browser->GetPane(Pane::lists);
    CBrowserListCtrl* texts = browser->GetPane(Pane::texts);
    Select(Pane::lists, {1});
    keys.Char('C', wxMOD_CONTROL);
    Settle(200);
    Select(Pane::groups, {1});
    keys.Char('V', wxMOD_CONTROL);
    ASSERT_TRUE(WaitFor([&] { return lists->GetItemCount() == 2; }));
    EXPECT_EQ(ListIds(Show()["groups"][1]), (std::vector<std::string>{"001", "002"}));

    if (test_system::UnderWine())
        GTEST_SKIP() << "the simulated Delete key never reaches a program under Wine (a real key press does)";
    Select(Pane::texts, {0});
    keys.Char(WXK_DELETE);
    ASSERT_TRUE(WaitFor([&] { return texts->GetItemCount() == 0; }));
    EXPECT_EQ(boxes.messages, std::vector<std::string>{Message(ids::kAskDeleteTexts)});
    EXPECT_TRUE(Show()["groups"][1]["lists"][1]["texts"].empty());
}

} // namespace
