#include "gui/WxText.h"
#include "gui/CancelButton.h"
#include "app/frames/CommandIds.h"
#include "app/frames/MainFrame.h"
#include "app/frames/RecentFileList.h"
#include "app/document/MorawinDoc.h"
#include "app/document/MorawinView.h"
#include "app/dialogs/OperandFilterDialog.h"
#include "app/document/OperandListCtrl.h"
#include "app/document/OperandPrintout.h"
#include "convert/dialogs/ConversionDlg.h"
#include "panel/PanelProject.h"
#include "data/sequence/SequenceEntry.h"
#include "data/sequence/SequenceFile.h"
#include "tests/app/GuiSupport.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestSystem.h"

#include <gtest/gtest.h>
#include <wx/checkbox.h>
#include <wx/docview.h>
#include <wx/filedlg.h>
#include <wx/msgdlg.h>
#include <wx/dcmemory.h>
#include <wx/dnd.h>
#include <wx/print.h>
#include <wx/toolbar.h>
#include <wx/uiaction.h>

namespace fs = std::filesystem;

namespace {

std::string Operands(const std::vector<CSequenceEntry*>& entries)
{
    std::string out;
    for (const CSequenceEntry* entry : entries)
        out += entry->GetOperandText() + " ";
    return out;
}

void Select(COperandListCtrl& list, std::initializer_list<long> rows)
{
    for (long row = 0; row < list.GetItemCount(); ++row)
        list.SetItemState(row, 0, wxLIST_STATE_SELECTED);
    for (long row : rows)
        list.SetItemState(row, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
}

// Runs the operand filter dialog of the active view; `act` works on the
// open dialog and ends it.
void RunFilterDialog(const std::function<void(wxDialog*)>& act)
{
    ModalDriver driver([&](wxDialog* dialog) {
        dialog->CallAfter([dialog, act] { act(dialog); });
        return wxID_NONE;
    });
    ChooseCommand(cmd::kViewOperands);
    ASSERT_EQ(driver.dialogs, (std::vector<std::string>{"Auswahl Operanden"}));
}

void SetCheck(wxWindow* dialog, int id, bool value)
{
    auto* box = wxDynamicCast(dialog->FindWindow(id), wxCheckBox);
    ASSERT_NE(box, nullptr);
    box->SetValue(value);
}

class OperandView : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_view = ActiveView();
        ASSERT_NE(m_view, nullptr);
        m_list = m_view->GetList();
        TestApp().conversions.clear();
    }
    CMorawinView* m_view = nullptr;
    COperandListCtrl* m_list = nullptr;
};

TEST_F(OperandView, ConvertHandsOverTheSelectedRowsFromTheTopDown)
{
    Select(*m_list, {9, 2, 5});
    ChooseCommand(cmd::kConvert);
    ASSERT_EQ(TestApp().conversions.size(), 1u);
    EXPECT_EQ(TestApp().conversions[0].mode, ConversionMode::selected);
    EXPECT_EQ(Operands(TestApp().conversions[0].operands), "E000.02 A005.03 T002 ");
    EXPECT_EQ(TestApp().conversions[0].projectName, "Mühle 3");
}

TEST_F(OperandView, ConvertAllHandsOverOnlyTheRowsTheFilterShows)
{
    COperandFilter filter;
    filter.ShowInputs = filter.ShowMarkers = false;
    m_view->SetFilter(filter);
    ChooseCommand(cmd::kConvertAll);
    ASSERT_EQ(TestApp().conversions.size(), 1u);
    EXPECT_EQ(TestApp().conversions[0].mode, ConversionMode::all);
    EXPECT_EQ(Operands(TestApp().conversions[0].operands), "A004.00 A004.01 A005.03 T001 T002 Z001 Z003 ");
}

// The two commands open the conversion dialog on the open project, which is
// loaded for the conversion and emptied again when the dialog closes.
TEST_F(OperandView, ConvertCommandsOpenTheConversionDialog)
{
    TestApp().runConversions = true;
    const fs::path group = Fixture().project / "GS01.731";
    fs::remove(group);
    std::vector<std::string> titles;
    ModalDriver driver([&](wxDialog* dialog) {
        if (dialog->IsKindOf(wxCLASSINFO(wxMessageDialog)))
            return static_cast<int>(wxID_OK);
        titles.push_back(ToUtf8(dialog->GetTitle()));
        const bool all = titles.size() == 2;
        dialog->CallAfter([dialog, all] { ClickButton(dialog, all ? static_cast<int>(CConversionDlg::kAcceptAllId) : static_cast<int>(CConversionDlg::kCancelId)); });
        return static_cast<int>(wxID_NONE);
    });
    Select(*m_list, {0, 1});
    ChooseCommand(cmd::kConvert);
    EXPECT_FALSE(fs::exists(group)); // cancelled before any step
    ChooseCommand(cmd::kConvertAll);
    TestApp().runConversions = false;
    EXPECT_EQ(titles, (std::vector<std::string>{"Einzel-Konvertierung", "Konvertierung einer gesamten Liste"}));
    EXPECT_EQ(driver.messages, std::vector<std::string>{"Alle Operanden wurden erfolgreich konvertiert."});
    EXPECT_TRUE(fs::exists(group));
    ASSERT_NE(TestApp().GetProject(), nullptr);
    EXPECT_FALSE(TestApp().GetProject()->IsLoaded());
    fs::remove(group);
}

TEST_F(OperandView, NothingSelectedOrNothingListedConvertsNothing)
{
    Select(*m_list, {});
    ChooseCommand(cmd::kConvert);
    COperandFilter none;
    none.ShowInputs = none.ShowOutputs = none.ShowMarkers = none.ShowTimers = none.ShowCounters = false;
    m_view->SetFilter(none);
    EXPECT_EQ(m_list->GetItemCount(), 0);
    ChooseCommand(cmd::kConvertAll);
    ChooseCommand(cmd::kConvert);
    EXPECT_TRUE(TestApp().conversions.empty());
}

TEST_F(OperandView, WithoutAProjectTheChooserComesFirstAndCancelStopsIt)
{
    TestApp().ForgetProject();
    Select(*m_list, {0});
    ModalDriver driver(AnswerAll);
    ChooseCommand(cmd::kConvert);
    EXPECT_EQ(driver.dialogs, (std::vector<std::string>{"Öffnen RZ731Win-Projekt"}));
    EXPECT_TRUE(TestApp().conversions.empty());
    EXPECT_EQ(TestApp().GetProject(), nullptr);
}

TEST_F(OperandView, WithoutAProjectTheChosenProjectIsUsed)
{
    TestApp().ForgetProject();
    Select(*m_list, {1});
    ModalDriver driver([](wxDialog* dialog) {
        dialog->CallAfter([dialog] {
            auto* path = wxDynamicCast(dialog->FindWindow(1152), wxTextCtrl);
            path->SetValue(wxString::FromUTF8(Fixture().otherProject.string().c_str()));
            ClickButton(dialog, wxID_OK);
        });
        return wxID_NONE;
    });
    ChooseCommand(cmd::kConvert);
    ASSERT_EQ(TestApp().conversions.size(), 1u);
    EXPECT_EQ(TestApp().conversions[0].projectName, "Linie 2");
    EXPECT_EQ(Operands(TestApp().conversions[0].operands), "E000.01 ");
}

TEST_F(OperandView, FilterDialogWithOnlyCountersLeavesTheCounterRows)
{
    RunFilterDialog([](wxDialog* dialog) {
        for (int id : {COperandFilterDialog::kInputs, COperandFilterDialog::kOutputs, COperandFilterDialog::kMarkers,
                       COperandFilterDialog::kTimers})
            SetCheck(dialog, id, false);
        ClickButton(dialog, wxID_OK);
    });
    ASSERT_EQ(m_list->GetItemCount(), 2);
    EXPECT_EQ(ToUtf8(m_list->GetItemText(0, 0)), "Z001");
    EXPECT_EQ(ToUtf8(m_list->GetItemText(1, 0)), "Z003");
    EXPECT_EQ(ToUtf8(m_list->GetItemText(1, 1)), "Z_STÜCK");
    EXPECT_FALSE(m_view->GetFilter().ShowInputs);
    EXPECT_TRUE(m_view->GetFilter().ShowCounters);
}

TEST_F(OperandView, FilterDialogCancelOrUnchangedOkKeepsListAndSelection)
{
    Select(*m_list, {3, 7});
    RunFilterDialog([](wxDialog* dialog) {
        SetCheck(dialog, COperandFilterDialog::kInputs, false);
        ClickButton(dialog, CCancelButton::kId);
    });
    EXPECT_EQ(m_list->GetItemCount(), 12);
    EXPECT_EQ(Operands(m_list->GetSelectedEntries()), "A004.00 M010.07 ");

    RunFilterDialog([](wxDialog* dialog) { ClickButton(dialog, wxID_OK); });
    EXPECT_EQ(Operands(m_list->GetSelectedEntries()), "A004.00 M010.07 ");
}

TEST_F(OperandView, TwoWindowsOnOneDocumentKeepSeparateFilters)
{
    wxDocument* document = m_view->GetDocument();
    ChooseCommand(cmd::kWindowNew);
    Settle();
    ASSERT_EQ(document->GetViewsVector().size(), 2u);
    auto* second = static_cast<CMorawinView*>(document->GetViewsVector()[1]);
    EXPECT_EQ(second->GetList()->GetItemCount(), 12);

    COperandFilter onlyTimers;
    onlyTimers.ShowInputs = onlyTimers.ShowOutputs = onlyTimers.ShowMarkers = onlyTimers.ShowCounters = false;
    second->SetFilter(onlyTimers);
    EXPECT_EQ(second->GetList()->GetItemCount(), 2);
    EXPECT_EQ(m_list->GetItemCount(), 12);

    // Closing one window leaves the document to the other.
    second->GetFrame()->Close(true);
    Settle();
    ASSERT_EQ(document->GetViewsVector().size(), 1u);
    EXPECT_EQ(static_cast<CMorawinDoc*>(document)->GetSequenceFile()->GetCount(), 12);
    EXPECT_EQ(m_list->GetItemCount(), 12);
}

TEST_F(OperandView, CloseClosesTheActiveDocumentWithAllItsWindows)
{
    ChooseCommand(cmd::kWindowNew);
    Settle();
    ASSERT_EQ(m_view->GetDocument()->GetViewsVector().size(), 2u);
    ModalDriver driver(AnswerAll);
    ChooseCommand(cmd::kFileClose);
    Settle();
    EXPECT_TRUE(TestApp().GetDocManager()->GetDocumentsVector().empty());
    EXPECT_TRUE(driver.dialogs.empty());
    EXPECT_TRUE(driver.messages.empty());
}

TEST_F(OperandView, ToolBarAndStatusBarCanBeHiddenAndShown)
{
    CMainFrame* main = TestApp().GetMainFrame();
    ChooseCommand(cmd::kViewToolBar);
    ChooseCommand(cmd::kViewStatusBar);
    EXPECT_FALSE(main->GetToolBar()->IsShown());
    EXPECT_FALSE(main->GetStatusBar()->IsShown());
    ChooseCommand(cmd::kViewToolBar);
    ChooseCommand(cmd::kViewStatusBar);
    EXPECT_TRUE(main->GetToolBar()->IsShown());
    EXPECT_TRUE(main->GetStatusBar()->IsShown());
}

TEST_F(OperandView, SaveLeavesTheSequenceFileUntouched)
{
    const std::string before = ReadFileText(Fixture().sequenceFile);
    const auto time = fs::last_write_time(Fixture().sequenceFile);
    ModalDriver driver(AnswerAll);
    ChooseCommand(wxID_SAVE);
    ChooseCommand(wxID_SAVEAS);
    EXPECT_TRUE(m_view->GetDocument()->Save());
    EXPECT_TRUE(m_view->GetDocument()->OnSaveDocument(wxtext::FromPath(Fixture().sequenceFile)));
    EXPECT_EQ(ReadFileText(Fixture().sequenceFile), before);
    EXPECT_EQ(fs::last_write_time(Fixture().sequenceFile), time);
    EXPECT_TRUE(driver.dialogs.empty());
    EXPECT_FALSE(m_view->GetDocument()->IsModified());
}

TEST_F(OperandView, KeysCtrlNAndCtrlSMakeAnEmptyDocumentThatSavesNothing)
{
    const auto filesBefore = Fixture().dir.List();
    ModalDriver driver(AnswerAll);
    wxUIActionSimulator keys;
    m_list->SetFocus();
    keys.Char('N', wxMOD_CONTROL);
    ASSERT_TRUE(WaitFor([] { return TestApp().GetDocManager()->GetDocumentsVector().size() == 2; }));
    CMorawinView* created = ActiveView();
    ASSERT_NE(created, m_view);
    EXPECT_EQ(created->GetMorawinDoc()->GetSequenceFile(), nullptr);
    EXPECT_EQ(created->GetList()->GetItemCount(), 0);
    EXPECT_EQ(created->GetList()->GetColumnCount(), 3);
    EXPECT_EQ(ToUtf8(created->GetDocument()->GetUserReadableName()).rfind("Morawi", 0), 0u);

    created->GetList()->SetFocus();
    keys.Char('S', wxMOD_CONTROL);
    Settle(300);
    EXPECT_TRUE(driver.dialogs.empty());
    EXPECT_EQ(Fixture().dir.List(), filesBefore);

    // Converting from an empty list does nothing either.
    ChooseCommand(cmd::kConvertAll);
    EXPECT_TRUE(TestApp().conversions.empty());
    TestApp().GetDocManager()->CloseDocument(created->GetDocument(), true);
    Settle();
}

TEST_F(OperandView, OpeningAnOpenFileBringsUpItsWindow)
{
    EXPECT_TRUE(TestApp().OpenSequenceFile(Fixture().sequenceFile));
    EXPECT_EQ(TestApp().GetDocManager()->GetDocumentsVector().size(), 1u);
}

TEST_F(OperandView, AFileWithoutOperandsShowsAnEmptyList)
{
    ASSERT_TRUE(TestApp().OpenSequenceFile(Fixture().emptySequenceFile));
    Settle();
    CMorawinView* view = ActiveView();
    ASSERT_NE(view, m_view);
    EXPECT_EQ(view->GetList()->GetItemCount(), 0);
    ChooseCommand(cmd::kConvertAll);
    ChooseCommand(cmd::kConvert);
    EXPECT_TRUE(TestApp().conversions.empty());
    TestApp().GetDocManager()->CloseDocument(view->GetDocument(), true);
}

TEST_F(OperandView, AFileThatCannotBeReadIsReportedAndOpensNothing)
{
    ModalDriver driver(AnswerAll);
    EXPECT_FALSE(TestApp().OpenSequenceFile(Fixture().dir / "fehlt.seq"));
    ASSERT_EQ(driver.messages.size(), 1u);
    EXPECT_EQ(driver.messages[0], "Fehler beim Lesen der Datei \"" + (Fixture().dir / "fehlt.seq").string() + "\".");
    EXPECT_EQ(TestApp().GetDocManager()->GetDocumentsVector().size(), 1u);
}

TEST_F(OperandView, OpenCommandOffersSymbolTablesFirstAndEachFormOnItsOwn)
{
    wxString wildcard;
    ModalDriver driver([&](wxDialog* dialog) {
        if (auto* files = wxDynamicCast(dialog, wxFileDialog))
            wildcard = files->GetWildcard();
        return wxID_CANCEL;
    });
    ChooseCommand(cmd::kFileOpen);
    EXPECT_EQ(driver.dialogs, (std::vector<std::string>{"Öffnen"}));
    const std::string shown = ToUtf8(wildcard);
    EXPECT_EQ(shown.substr(0, shown.find('|')), "Symboltabellen (*.seq;*.csv;*.tsv;*.txt;*.xlsx)");
    for (const char* form : {"|SEQ Dateien (*.seq)|", "|CSV Dateien (*.csv)|", "|Tabulatorgetrennte Texte (*.tsv;*.txt)|",
                             "|Arbeitsmappen (*.xlsx)|", "|Alle Dateien (*.*)|"})
        EXPECT_NE(shown.find(form), std::string::npos) << form;
}

TEST_F(OperandView, ATableDroppedOnTheWindowOpensWithHowItWasReadAndItsMarks)
{
    // UTF-8 with a character that Windows-1252 lacks (the Greek Omega).
    const fs::path table = Fixture().dir / "Symbole.csv";
    WriteText(table, "Adresse;Symbol;Kommentar\nE 1.0;S_AUF;T\xC3\xBCr auf\nE 1.1;S_OHM;R in \xCE\xA9\n");
    auto* target = dynamic_cast<wxFileDropTarget*>(TestApp().GetMainFrame()->GetDropTarget());
    ASSERT_NE(target, nullptr);
    EXPECT_TRUE(target->OnDropFiles(0, 0, wxArrayString(1, wxtext::FromPath(table))));
    ASSERT_TRUE(WaitFor([&] { return ActiveView() != m_view; }));
    CMorawinView* view = ActiveView();
    const COperandListCtrl* list = view->GetList();
    ASSERT_EQ(list->GetItemCount(), 2);
    EXPECT_EQ(ToUtf8(list->GetItemText(1, 2)), "R in ?");
    EXPECT_FALSE(list->IsReplacedRow(0));
    EXPECT_TRUE(list->IsReplacedRow(1));
    EXPECT_EQ(ToUtf8(view->GetCountText()),
              "2 Operanden, UTF-8, 1 Zeichen ohne Entsprechung in Windows-1252 durch ? ersetzt");
    view->GetFrame()->Close(true);
    Settle();
}

TEST_F(OperandView, ATableThatCannotBeReadNamesItsRow)
{
    const fs::path table = Fixture().dir / "Kaputt.csv";
    WriteText(table, "Adresse;Symbol;Kommentar\nE 1.0;A;eins\nE 1.9;B;zu hoch\n");
    ModalDriver driver(AnswerAll);
    EXPECT_FALSE(TestApp().OpenSequenceFile(table));
    ASSERT_EQ(driver.messages.size(), 1u);
    EXPECT_EQ(driver.messages[0], "Fehler beim Lesen der Datei \"" + table.string() + "\".\nZeile 3 der Tabelle.");
}

TEST_F(OperandView, RecentFilesListTheOpenedFileAndDropVanishedOnes)
{
    const auto& files = TestApp().RecentFiles().List().GetFiles();
    ASSERT_FALSE(files.empty());
    EXPECT_EQ(files[0], Fixture().sequenceFile);
    wxMenuItem* first = static_cast<wxFrame*>(m_view->GetFrame())->GetMenuBar()->FindItem(cmd::kRecentFirst);
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->IsEnabled());
    // The umlauts of "Zuordnung Ölmühle.seq" reach the menu as they are.
    EXPECT_EQ(ToUtf8(first->GetItemLabel()), CRecentFileList::MenuLabel(0, files[0]));
    EXPECT_NE(ToUtf8(first->GetItemLabel()).find("Ölmühle.seq"), std::string::npos);

    const fs::path vanishing = Fixture().dir / "weg.seq";
    WriteText(vanishing, "\tE 1.0\tX\n");
    ASSERT_TRUE(TestApp().OpenSequenceFile(vanishing));
    // wxGTK gives a new document frame its menus in idle time; closing it
    // before that trips an assertion in wx, which a user cannot get to.
    Settle();
    TestApp().GetDocManager()->CloseDocument(ActiveView()->GetDocument(), true);
    Settle();
    fs::remove(vanishing);
    ASSERT_EQ(files[0], vanishing);
    ModalDriver driver(AnswerAll);
    ChooseCommand(cmd::kRecentFirst);
    EXPECT_EQ(driver.messages.size(), 1u);
    EXPECT_EQ(files[0], Fixture().sequenceFile);
}

// Lays a printout out on DIN A4 and prints its pages into a bitmap.
int PrintPages(wxPrintout& printout)
{
    printout.SetPageSizeMM(210, 297);
    printout.SetPPIPrinter(300, 300);
    printout.SetPageSizePixels(2480, 3508);
    printout.SetPaperRectPixels(wxRect(0, 0, 2480, 3508));
    wxBitmap paper(620, 877);
    wxMemoryDC dc(paper);
    printout.SetDC(&dc);
    printout.OnPreparePrinting();
    int minPage = 0, maxPage = 0, from = 0, to = 0;
    printout.GetPageInfo(&minPage, &maxPage, &from, &to);
    for (int page = minPage; page <= maxPage; ++page)
        EXPECT_TRUE(printout.HasPage(page) && printout.OnPrintPage(page)) << page;
    EXPECT_FALSE(printout.HasPage(maxPage + 1));
    return maxPage;
}

TEST_F(OperandView, PrintingPrintsTheListAsShownOnAsManyPagesAsItNeeds)
{
    std::unique_ptr<wxPrintout> printout(m_view->OnCreatePrintout());
    ASSERT_NE(dynamic_cast<COperandPrintout*>(printout.get()), nullptr);
    EXPECT_EQ(ToUtf8(printout->GetTitle()), "Zuordnung Ölmühle.seq");
    EXPECT_EQ(PrintPages(*printout), 1);

    // 56 rows fit on a page: 200 operands take four.
    std::string lines;
    for (int i = 0; i < 200; ++i)
        lines += "\tM " + std::to_string(i / 8) + "." + std::to_string(i % 8) + "\tM\tMerker\n";
    const fs::path many = Fixture().dir / "viele.seq";
    WriteText(many, lines);
    ASSERT_TRUE(TestApp().OpenSequenceFile(many));
    std::unique_ptr<wxPrintout> long_(ActiveView()->OnCreatePrintout());
    EXPECT_EQ(PrintPages(*long_), 4);

    // The filter shows fewer rows: fewer pages.
    COperandFilter none;
    none.ShowMarkers = false;
    ActiveView()->SetFilter(none);
    std::unique_ptr<wxPrintout> empty(ActiveView()->OnCreatePrintout());
    EXPECT_EQ(PrintPages(*empty), 1);
    Settle();
}

TEST_F(OperandView, PreviewShowsThePrintoutInItsOwnWindow)
{
    if (test_system::UnderWine())
        GTEST_SKIP() << "Wine has no printer, and a preview needs one";
    ChooseCommand(wxID_PREVIEW);
    wxPreviewFrame* preview = nullptr;
    for (wxWindow* window : wxTopLevelWindows)
        if (auto* frame = wxDynamicCast(window, wxPreviewFrame))
            preview = frame;
    ASSERT_NE(preview, nullptr);
    EXPECT_EQ(ToUtf8(preview->GetTitle()), "Seitenansicht");
    preview->Close(true);
    Settle();
}

} // namespace
