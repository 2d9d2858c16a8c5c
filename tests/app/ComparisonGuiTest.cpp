// The comparison window of an operand view, on a project of its own; what
// it wrote is checked with morawin-cli.
#include "app/frames/CommandIds.h"
#include "app/comparison/ComparisonDialog.h"
#include "data/text/StringTable.h"
#include "app/comparison/ComparisonListCtrl.h"
#include "app/document/MorawinView.h"
#include "app/document/OperandListCtrl.h"
#include "data/sequence/SequenceEntry.h"
#include "tests/app/GuiSupport.h"
#include "tests/cli/CliRunner.h"
#include "tests/support/PanelFiles.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <wx/checkbox.h>
#include <wx/menu.h>
#include <wx/stattext.h>

namespace fs = std::filesystem;

namespace {

class ComparisonWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        fs::create_directories(project);
        WriteDataFile(project, "Abgleich");
        // E000.00 kept in two groups with old texts, E000.01 and T001 in
        // step, E000.05 no longer in the sequence file.
        WriteBytes(project / "GS01.731", GroupBytes("Abgleich", "S01", "Eins", 2)
                                             .List("001", "", 1, 1)
                                             .BitBlock(0, 3)
                                             .Text(0, 0, "alt")
                                             .Text(1, 0, "S_START Taster Start")
                                             .Text(5, 0, "weg")
                                             .EndList()
                                             .List("002", "", 4, 1)
                                             .Text(1, 0, "T_F\xDCLLEN \xDC" "berwachungszeit F\xFCllen")
                                             .EndList()
                                             .Bytes());
        WriteBytes(project / "GS02.731", GroupBytes("Abgleich", "S02", "Zwei", 1)
                                             .List("001", "", 1, 1)
                                             .BitBlock(0, 1)
                                             .Text(0, 0, "auch alt")
                                             .EndList()
                                             .Bytes());
        ASSERT_TRUE(TestApp().OpenProjectArgument(project));
        ASSERT_NE(ActiveView(), nullptr);
    }

    // Opens the window from the active view; `act` works on it and ends it.
    void RunComparison(const std::function<void(CComparisonDialog*)>& act)
    {
        bool ran = false;
        ModalDriver driver([&](wxDialog* dialog) {
            auto* comparison = dynamic_cast<CComparisonDialog*>(dialog);
            if (!comparison)
                return static_cast<int>(wxID_OK); // message boxes
            comparison->CallAfter([&, comparison] {
                act(comparison);
                ran = true;
                comparison->EndModal(wxID_CANCEL);
            });
            return static_cast<int>(wxID_NONE);
        });
        ChooseCommand(cmd::kCompareWithProject);
        EXPECT_TRUE(ran);
        messages = driver.messages;
    }

    // The shown rows as "status operand group list stored|new".
    static std::vector<std::string> Rows(CComparisonDialog* dialog)
    {
        std::vector<std::string> rows;
        CComparisonListCtrl* list = dialog->GetList();
        for (long item = 0; item < list->GetItemCount(); ++item) {
            std::string row;
            for (int column = 0; column < 6; ++column)
                row += ToUtf8(list->GetItemText(item, column)) + (column == 4 ? "|" : column == 5 ? "" : " ");
            rows.push_back(row);
        }
        return rows;
    }

    static void Show(CComparisonDialog* dialog, CProjectComparison::Status status, bool on)
    {
        const int id = CComparisonDialog::kShowSameId + static_cast<int>(status);
        auto* box = wxDynamicCast(dialog->FindWindow(id), wxCheckBox);
        ASSERT_NE(box, nullptr);
        box->SetValue(on);
        wxCommandEvent event(wxEVT_CHECKBOX, id);
        event.SetEventObject(box);
        event.SetInt(on);
        box->HandleWindowEvent(event);
    }

    static void Select(CComparisonDialog* dialog, std::initializer_list<long> items)
    {
        CComparisonListCtrl* list = dialog->GetList();
        for (long item = 0; item < list->GetItemCount(); ++item)
            list->SetItemState(item, 0, wxLIST_STATE_SELECTED);
        for (long item : items)
            list->SetItemState(item, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
    }

    static std::string Summary(CComparisonDialog* dialog)
    {
        return ToUtf8(dialog->FindWindow(CComparisonDialog::kSummaryId)->GetLabel());
    }

    nlohmann::json CliDiff()
    {
        const auto result = RunCli({"diff", Fixture().sequenceFile.string(), project.string(), "--settings",
                                    Fixture().settingsFile.string(), "--json"});
        // 6: the comparison found differences.
        EXPECT_TRUE(result.exitCode == 0 || result.exitCode == 6) << result.exitCode << ": " << result.err;
        return nlohmann::json::parse(result.out);
    }

    TempDir dir;
    fs::path project = dir / "Abgleich";
    std::vector<std::string> messages;
};

// "a" belongs to "Alles Konvertieren..." in the same menu.
TEST_F(ComparisonWindow, IsOnTheDocumentsFileMenu)
{
    auto* frame = wxDynamicCast(ActiveView()->GetFrame(), wxFrame);
    ASSERT_NE(frame, nullptr);
    wxMenuBar* bar = frame->GetMenuBar();
    ASSERT_NE(bar, nullptr);
    wxMenuItem* item = bar->FindItem(cmd::kCompareWithProject);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(ToUtf8(item->GetItemLabel()), "Mit Projekt ab&gleichen...");
}

TEST_F(ComparisonWindow, NeuerTextTakesTheRoomTheOtherColumnsLeave)
{
    std::vector<int> gaps;
    RunComparison([&](CComparisonDialog* dialog) {
        CComparisonListCtrl* list = dialog->GetList();
        for (int width : {900, 1200}) {
            dialog->SetSize(wxSize(width, 500));
            Settle(100);
            int columns = 0;
            for (int i = 0; i < list->GetColumnCount(); ++i)
                columns += list->GetColumnWidth(i);
            // No empty column to the right: the rows end within a few
            // pixels of the list's edge (and its scroll bar).
            gaps.push_back(CListColumnSizer::RowWidth(*list) - columns);
        }
        EXPECT_GT(list->GetColumnWidth(CComparisonListCtrl::kNewTextColumn), 34 * list->GetCharWidth());
    });
    EXPECT_EQ(gaps, (std::vector<int>{0, 0}));
}

TEST_F(ComparisonWindow, ShowsRowsFiltersAndTakesChangedTextsOver)
{
    const auto gs01 = ReadBytes(project / "GS01.731");
    RunComparison([&](CComparisonDialog* dialog) {
        // Not "same" at first.
        auto rows = Rows(dialog);
        ASSERT_EQ(rows.size(), 12u);
        EXPECT_EQ(rows[0], "geändert E000.00 S01 001 alt|NOT_AUS Not-Aus geschlossen");
        EXPECT_EQ(rows[1], "geändert E000.00 S02 001 auch alt|NOT_AUS Not-Aus geschlossen");
        EXPECT_EQ(rows[2], "neu E000.02   |S_STOP Taster Stopp");
        EXPECT_EQ(rows[3], "verwaist E000.05 S01 001 weg|");
        EXPECT_EQ(Summary(dialog), "2 gleich, 2 geändert, 9 neu, 1 verwaist");

        Show(dialog, CProjectComparison::Status::same, true);
        rows = Rows(dialog);
        ASSERT_EQ(rows.size(), 14u);
        EXPECT_EQ(rows[2], "gleich E000.01 S01 001 S_START Taster Start|S_START Taster Start");
        EXPECT_EQ(rows.back(), "neu Z003   |Z_STÜCK Stückzähler");
        Show(dialog, CProjectComparison::Status::added, false);
        Show(dialog, CProjectComparison::Status::orphan, false);
        EXPECT_EQ(Rows(dialog).size(), 4u);

        // The selected row only: S02's text.
        Select(dialog, {1});
        ClickButton(dialog, CComparisonDialog::kApplyId);
        EXPECT_EQ(Summary(dialog), "3 gleich, 1 geändert, 9 neu, 1 verwaist – 1 Text(e) übernommen");
        // Nothing selected: every changed row shown.
        Select(dialog, {});
        ClickButton(dialog, CComparisonDialog::kApplyId);
        EXPECT_EQ(Summary(dialog), "4 gleich, 0 geändert, 9 neu, 1 verwaist – 1 Text(e) übernommen");
        EXPECT_TRUE(dialog->RowsToApply().empty());
    });
    EXPECT_TRUE(messages.empty());
    EXPECT_NE(ReadBytes(project / "GS01.731"), gs01);
    // The command line sees the same project.
    const auto after = CliDiff();
    EXPECT_EQ(after["summary"], nlohmann::json::parse(R"({"same":4,"changed":0,"new":9,"orphan":1})"));
    EXPECT_EQ(after["rows"][0]["old"], "NOT_AUS Not-Aus geschlossen");
}

// One take-over is one operation: Ctrl+Z in the window takes it back and
// the window compares again at once.
TEST_F(ComparisonWindow, TakeOverIsTakenBackByRueckgaengig)
{
    const auto before = FolderBytes(project);
    RunComparison([&](CComparisonDialog* dialog) {
        ClickButton(dialog, CComparisonDialog::kApplyId);
        EXPECT_EQ(Summary(dialog), "4 gleich, 0 geändert, 9 neu, 1 verwaist – 2 Text(e) übernommen");
        EXPECT_NE(FolderBytes(project), before);
        wxCommandEvent undo(wxEVT_MENU, cmd::kEditUndo);
        undo.SetEventObject(dialog);
        dialog->HandleWindowEvent(undo);
        EXPECT_EQ(FolderBytes(project), before);
        EXPECT_EQ(Summary(dialog), "2 gleich, 2 geändert, 9 neu, 1 verwaist");
    });
    EXPECT_TRUE(messages.empty());
}

TEST_F(ComparisonWindow, NewOperandsGoToTheConversionOfSelectedOperands)
{
    COperandFilter filter;
    filter.ShowInputs = false;
    ActiveView()->SetFilter(filter);
    RunComparison([&](CComparisonDialog* dialog) {
        // Inputs are not listed: neither compared nor orphaned.
        EXPECT_EQ(Summary(dialog), "1 gleich, 0 geändert, 8 neu, 0 verwaist");
        Select(dialog, {1, 3});
        ClickButton(dialog, CComparisonDialog::kConvertNewId);
        Select(dialog, {});
        ClickButton(dialog, CComparisonDialog::kConvertNewId);
    });
    const auto& conversions = TestApp().conversions;
    ASSERT_EQ(conversions.size(), 2u);
    auto names = [](const std::vector<CSequenceEntry*>& operands) {
        std::string text;
        for (const CSequenceEntry* operand : operands)
            text += operand->GetOperandText() + " ";
        return text;
    };
    EXPECT_EQ(conversions[0].mode, ConversionMode::selected);
    EXPECT_EQ(names(conversions[0].operands), "A004.01 M000.00 ");
    EXPECT_EQ(conversions[1].mode, ConversionMode::selected);
    EXPECT_EQ(names(conversions[1].operands), "A004.00 A004.01 A005.03 M000.00 M010.07 T002 Z001 Z003 ");
}

TEST_F(ComparisonWindow, ProjectGoneFromDiskLeavesNoRows)
{
    RunComparison([&](CComparisonDialog* dialog) {
        ASSERT_EQ(Rows(dialog).size(), 12u);
        fs::remove(project / "SDAT.731");
        dialog->Recompute();
        EXPECT_EQ(dialog->GetList()->GetItemCount(), 0);
        EXPECT_TRUE(dialog->GetComparison().GetRows().empty());
        EXPECT_EQ(Summary(dialog).rfind("Kein RZ731 Projekt in ", 0), 0u) << Summary(dialog);
        EXPECT_TRUE(dialog->RowsToApply().empty());
    });
}

// A group that another program changed after the comparison read it is
// not written over: the window says so as the browser does, and the rows
// show the file as it is now.
TEST_F(ComparisonWindow, AGroupChangedMeanwhileIsSaidSoAndNotWritten)
{
    const auto changed = GroupBytes("Abgleich", "S02", "Zwei", 1)
                             .List("001", "", 1, 1)
                             .BitBlock(0, 1)
                             .Text(0, 0, "fremd")
                             .EndList()
                             .Bytes();
    RunComparison([&](CComparisonDialog* dialog) {
        WriteBytes(project / "GS02.731", changed);
        ClickButton(dialog, CComparisonDialog::kApplyId);
    });
    EXPECT_EQ(ReadBytes(project / "GS02.731"), changed);
    ASSERT_FALSE(messages.empty());
    const std::string format = CStringTable::GetUtf8(ids::kChangedOnDisk);
    EXPECT_EQ(messages[0], format.substr(0, format.find("%s")) + "GS02.731" + format.substr(format.find("%s") + 2));
}

} // namespace
