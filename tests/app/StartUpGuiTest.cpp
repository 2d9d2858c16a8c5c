#include "app/frames/CommandIds.h"
#include "app/frames/MainFrame.h"
#include "app/document/MorawinDoc.h"
#include "app/document/MorawinView.h"
#include "app/document/OperandListCtrl.h"
#include "app/frames/ProjectStatusBar.h"
#include "data/sequence/SequenceEntry.h"
#include "data/text/StringTable.h"
#include "panel/PanelProject.h"
#include "tests/app/GuiSupport.h"

#include <gtest/gtest.h>
#include <wx/docview.h>
#include <wx/menu.h>
#include <wx/toolbar.h>

namespace {

std::vector<std::string> RowTexts(const COperandListCtrl& list, long column)
{
    std::vector<std::string> texts;
    for (long row = 0; row < list.GetItemCount(); ++row)
        texts.push_back(ToUtf8(list.GetItemText(row, static_cast<int>(column))));
    return texts;
}

TEST(StartUp, CommandLineProjectIsOpenAndShownInTheStatusBar)
{
    ASSERT_NE(TestApp().GetProject(), nullptr);
    const CProjectStatusBar* bar = TestApp().GetMainFrame()->GetProjectStatusBar();
    // The project's two panes, and the counts of the operand view once the
    // program is idle.
    Settle();
    EXPECT_EQ(bar->GetFieldsCount(), 3);
    EXPECT_EQ(ToUtf8(bar->GetStatusText(0)), Fixture().project.string());
    EXPECT_EQ(ToUtf8(bar->GetStatusText(1)), "Mühle 3");
    // Both panes as wide as their texts, at least.
    EXPECT_GE(bar->GetStatusWidth(0), bar->GetTextExtent(bar->GetStatusText(0)).GetWidth());
    EXPECT_GE(bar->GetStatusWidth(1), bar->GetTextExtent(bar->GetStatusText(1)).GetWidth());
}

TEST(StartUp, OpenOptionOpensTheSequenceFileWithItsRows)
{
    CMorawinView* view = ActiveView();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(TestApp().GetDocManager()->GetDocumentsVector().size(), 1u);
    const COperandListCtrl& list = *view->GetList();
    // Sorted by kind, byte and bit; I and O lines count as E and A, F as M.
    EXPECT_EQ(RowTexts(list, 0), (std::vector<std::string>{"E000.00", "E000.01", "E000.02", "A004.00", "A004.01",
                                                           "A005.03", "M000.00", "M010.07", "T001", "T002", "Z001",
                                                           "Z003"}));
    EXPECT_EQ(RowTexts(list, 1)[3], "K1");
    EXPECT_EQ(RowTexts(list, 2)[3], "Schütz Förderband");
    EXPECT_EQ(RowTexts(list, 1)[8], "T_FÜLLEN");
    EXPECT_EQ(RowTexts(list, 2)[9], "");
    EXPECT_EQ(RowTexts(list, 2)[11], "Stückzähler");
}

TEST(StartUp, ColumnsHaveTheTitlesAndWidthsOfTheSequenceFile)
{
    const COperandListCtrl& list = *ActiveView()->GetList();
    ASSERT_EQ(list.GetColumnCount(), 3);
    const char* titles[] = {"Operand", "Symbol", "Kommentar"};
    for (int i = 0; i < 3; ++i) {
        wxListItem column;
        column.SetMask(wxLIST_MASK_TEXT);
        list.GetColumn(i, column);
        EXPECT_EQ(ToUtf8(column.GetText()), titles[i]);
    }
    // The operand column is as wide as the file says; Symbol fits its
    // texts and Kommentar takes the rest (see the layout tests).
    EXPECT_EQ(list.GetColumnWidth(0), 12 * list.GetCharWidth());
    EXPECT_GE(list.GetColumnWidth(2), 10 * list.GetCharWidth());
}

TEST(StartUp, EachRowShowsTheIconOfItsKind)
{
    COperandListCtrl& list = *ActiveView()->GetList();
    for (long row = 0; row < list.GetItemCount(); ++row) {
        wxListItem item;
        item.SetId(row);
        item.SetMask(wxLIST_MASK_IMAGE);
        ASSERT_TRUE(list.GetItem(item));
        EXPECT_EQ(item.GetImage(), list.GetRows()[static_cast<std::size_t>(row)]->GetKind() - 1) << row;
    }
    EXPECT_EQ(list.GetImageList(wxIMAGE_LIST_SMALL)->GetImageCount(), 5);
}

TEST(StartUp, TitleNamesTheActiveDocumentAndMenusCarryTheirPrompts)
{
    Settle();
    EXPECT_EQ(ToUtf8(TestApp().GetMainFrame()->GetTitle()), MainTitleWith("Zuordnung Ölmühle.seq"));

    wxMenuBar* bar = static_cast<wxFrame*>(ActiveView()->GetFrame())->GetMenuBar();
    ASSERT_NE(bar, nullptr);
    std::vector<std::string> titles;
    for (size_t i = 0; i < bar->GetMenuCount(); ++i)
        titles.push_back(ToUtf8(bar->GetMenuLabel(i)));
    EXPECT_EQ(titles, (std::vector<std::string>{"&Datei", "&Bearbeiten", "&Ansicht", "&Fenster", "&Konfiguration", "&?"}));
    const std::pair<int, unsigned> prompts[] = {
        {cmd::kConvert, 32771},   {cmd::kConvertAll, 32772}, {cmd::kConfiguration, 32773}, {cmd::kViewOperands, 32774},
        {cmd::kOpenProject, 32776}, {cmd::kFileOpen, 57601},   {cmd::kFileClose, 57602},     {cmd::kWindowNew, 57648},
        {cmd::kAppExit, 57665},   {cmd::kHelpFinder, 57667}, {cmd::kViewToolBar, 59392},   {cmd::kViewStatusBar, 59393},
        {cmd::kEditUndo, 57643},       {cmd::kEditRedo, 57644},        {cmd::kHistoryWindow, 32791},
    };
    for (const auto& [id, stringId] : prompts) {
        const wxMenuItem* item = bar->FindItem(id);
        ASSERT_NE(item, nullptr) << id;
        const std::string text = CStringTable::GetUtf8(stringId);
        EXPECT_EQ(ToUtf8(item->GetHelp()), text.substr(0, text.find('\n'))) << id;
    }
    EXPECT_EQ(ToUtf8(bar->FindItem(cmd::kAppAbout)->GetItemLabel()), "Inf&o über morawin...");
    EXPECT_EQ(ToUtf8(bar->FindItem(cmd::kOpenProject)->GetItemLabel()), "Öffnen &RZ731 Projekt...");
}

TEST(StartUp, ToolBarHasOpenConvertAllAndAboutWithTheirTips)
{
    wxToolBar* tools = TestApp().GetMainFrame()->GetToolBar();
    ASSERT_NE(tools, nullptr);
    EXPECT_EQ(ToUtf8(tools->GetToolShortHelp(cmd::kFileOpen)), "Öffnen");
    EXPECT_EQ(ToUtf8(tools->GetToolShortHelp(cmd::kConvertAll)), "Alles konvertieren");
    EXPECT_EQ(ToUtf8(tools->GetToolShortHelp(cmd::kAppAbout)), "Info");
    EXPECT_EQ(tools->GetToolPos(cmd::kFileOpen), 0);
    EXPECT_EQ(tools->GetToolPos(cmd::kConvertAll), 1);
    EXPECT_EQ(tools->GetToolPos(cmd::kAppAbout), 3);
}

TEST(StartUp, ConvertAllButtonNeedsAnOpenView)
{
    wxToolBar* tools = TestApp().GetMainFrame()->GetToolBar();
    TestApp().GetMainFrame()->UpdateWindowUI(wxUPDATE_UI_RECURSE);
    EXPECT_TRUE(tools->GetToolEnabled(cmd::kConvertAll));
    TestApp().GetDocManager()->CloseDocuments(true);
    Settle();
    TestApp().GetMainFrame()->UpdateWindowUI(wxUPDATE_UI_RECURSE);
    EXPECT_FALSE(tools->GetToolEnabled(cmd::kConvertAll));
    EXPECT_TRUE(tools->GetToolEnabled(cmd::kFileOpen));
    EXPECT_EQ(ToUtf8(TestApp().GetMainFrame()->GetTitle()), "MoraWin");
}

TEST(StartUp, ArgumentsThatAreNoProjectOpenNothing)
{
    CPanelProject* before = TestApp().GetProject();
    EXPECT_FALSE(TestApp().OpenProjectArgument(Fixture().sequenceFile));
    EXPECT_FALSE(TestApp().OpenProjectArgument(Fixture().dir / "fehlt"));
    EXPECT_FALSE(TestApp().OpenProjectArgument(std::filesystem::path()));
    EXPECT_EQ(TestApp().GetProject(), before);
    EXPECT_EQ(ToUtf8(TestApp().GetMainFrame()->GetProjectStatusBar()->GetStatusText(1)), "Mühle 3");
}

TEST(StartUp, PatternArgumentOpensTheFirstMatchingProject)
{
    EXPECT_TRUE(TestApp().OpenProjectArgument(Fixture().dir / "Zweit*"));
    const CProjectStatusBar* bar = TestApp().GetMainFrame()->GetProjectStatusBar();
    EXPECT_EQ(ToUtf8(bar->GetStatusText(0)), Fixture().otherProject.string());
    EXPECT_EQ(ToUtf8(bar->GetStatusText(1)), "Linie 2");
}

TEST(StatusBar, NoProjectShowsOnlyThatText)
{
    TestApp().ForgetProject();
    const CProjectStatusBar* bar = TestApp().GetMainFrame()->GetProjectStatusBar();
    EXPECT_EQ(ToUtf8(bar->GetStatusText(0)), "Kein RZ731WIN-Projekt geöffnet");
    EXPECT_EQ(bar->GetStatusText(1), wxString());
    EXPECT_EQ(bar->GetStatusWidth(1), 0);
    EXPECT_EQ(bar->GetStatusStyle(1), wxSB_FLAT);
}

TEST(StatusBar, MenuModeShowsPromptsAndThenTheProjectAgain)
{
    CMainFrame* main = TestApp().GetMainFrame();
    CProjectStatusBar* bar = main->GetProjectStatusBar();
    wxMenuBar* menus = static_cast<wxFrame*>(ActiveView()->GetFrame())->GetMenuBar();
    wxMenu* file = menus->GetMenu(0);

    wxMenuEvent open(wxEVT_MENU_OPEN, 0, file);
    main->HandleWindowEvent(open);
    EXPECT_EQ(bar->GetFieldsCount(), 1);
    wxMenuEvent highlight(wxEVT_MENU_HIGHLIGHT, cmd::kConvertAll, file);
    main->OnMenuHighlight(highlight);
    EXPECT_EQ(ToUtf8(bar->GetStatusText(0)), "Konvertiert alle Operanden");
    // A project opened meanwhile shows once the menu is closed.
    bar->ShowProject(wxString::FromUTF8("/anderswo"), wxString::FromUTF8("Neu"));
    EXPECT_EQ(bar->GetFieldsCount(), 1);
    wxMenuEvent close(wxEVT_MENU_CLOSE, 0, file);
    main->HandleWindowEvent(close);
    EXPECT_EQ(bar->GetFieldsCount(), 3);
    EXPECT_EQ(ToUtf8(bar->GetStatusText(0)), "/anderswo");
    EXPECT_EQ(ToUtf8(bar->GetStatusText(1)), "Neu");

    // Pop-up menus leave the bar alone.
    wxMenu popup;
    wxMenuEvent popupOpen(wxEVT_MENU_OPEN, wxID_ANY, &popup);
    main->HandleWindowEvent(popupOpen);
    EXPECT_EQ(bar->GetFieldsCount(), 3);
}

} // namespace
