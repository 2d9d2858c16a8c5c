// The "Spalten zuordnen" dialog: its preview, its count that follows each
// choice, and the document read with the choice.
#include "app/dialogs/ColumnMapDialog.h"
#include "app/document/MorawinView.h"
#include "app/document/OperandListCtrl.h"
#include "app/frames/MorawinApp.h"
#include "tests/app/GuiSupport.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>
#include <wx/choice.h>
#include <wx/docview.h>
#include <wx/listctrl.h>

namespace fs = std::filesystem;

namespace {

// Picks a column (0: none) as a user does: the choice and its event.
void Choose(wxDialog* dialog, int id, int selection)
{
    auto* choice = wxDynamicCast(dialog->FindWindow(id), wxChoice);
    ASSERT_NE(choice, nullptr);
    choice->SetSelection(selection);
    wxCommandEvent event(wxEVT_CHOICE, id);
    event.SetEventObject(choice);
    event.SetInt(selection);
    choice->GetEventHandler()->ProcessEvent(event);
}

std::size_t OpenDocuments()
{
    return TestApp().GetDocManager()->GetDocumentsVector().size();
}

TEST(ColumnMap, ImportShowsThePreviewAndReadsTheChosenColumns)
{
    // Address in the second column; the first would be taken for the
    // symbol, the user takes the third.
    const fs::path table = Fixture().dir / "Liste.csv";
    WriteText(table, "Nr;Adresse;Name;Text\n1;E 2.0;S_A;Taster A\n2;E 2.1;S_B;Taster B\n3;MW 4;;kein Bit\n");
    std::vector<std::string> counts;
    long previewRows = 0;
    ModalDriver driver([&](wxDialog* dialog) {
        auto* columns = dynamic_cast<CColumnMapDialog*>(dialog);
        if (!columns)
            return static_cast<int>(wxID_CANCEL);
        previewRows = wxDynamicCast(dialog->FindWindow(CColumnMapDialog::kPreview), wxListCtrl)->GetItemCount();
        counts.push_back(ToUtf8(columns->GetCountText()));
        Choose(dialog, CColumnMapDialog::kSymbol, 3);  // Spalte 3 (Name)
        Choose(dialog, CColumnMapDialog::kComment, 0); // (keine)
        counts.push_back(ToUtf8(columns->GetCountText()));
        Choose(dialog, CColumnMapDialog::kAddress, 0);
        counts.push_back(ToUtf8(columns->GetCountText()));
        EXPECT_FALSE(dialog->FindWindow(wxID_OK)->IsEnabled());
        Choose(dialog, CColumnMapDialog::kAddress, 2);
        return static_cast<int>(wxID_OK);
    });
    const std::size_t before = OpenDocuments();
    ASSERT_TRUE(TestApp().ImportSymbolTable(table));
    EXPECT_EQ(driver.dialogs, std::vector<std::string>{"Spalten zuordnen - Liste.csv"});
    EXPECT_EQ(previewRows, 4);
    EXPECT_EQ(counts, (std::vector<std::string>{"2 Operanden, 1 Zeilen übersprungen", "2 Operanden, 1 Zeilen übersprungen",
                                                "Keine Spalte für die Adressen gewählt."}));
    ASSERT_EQ(OpenDocuments(), before + 1);
    const COperandListCtrl* list = ActiveView()->GetList();
    ASSERT_EQ(list->GetItemCount(), 2);
    EXPECT_EQ(ToUtf8(list->GetItemText(0, 1)), "S_A");
    EXPECT_EQ(ToUtf8(list->GetItemText(0, 2)), "");
    ActiveView()->GetFrame()->Close(true);

    // The next file with that header is read the same way, without asking.
    const fs::path next = Fixture().dir / "Liste2.csv";
    WriteText(next, "Nr;Adresse;Name;Text\n1;E 3.0;S_C;Taster C\n");
    driver.dialogs.clear();
    ASSERT_TRUE(TestApp().OpenSequenceFile(next));
    EXPECT_TRUE(driver.dialogs.empty());
    const COperandListCtrl* again = ActiveView()->GetList();
    ASSERT_EQ(again->GetItemCount(), 1);
    EXPECT_EQ(ToUtf8(again->GetItemText(0, 1)), "S_C");
    EXPECT_EQ(ToUtf8(again->GetItemText(0, 2)), "");
    ActiveView()->GetFrame()->Close(true);
}

TEST(ColumnMap, ATableWithoutAddressColumnAsksAndAbbrechenOpensNothing)
{
    const fs::path table = Fixture().dir / "Namen.csv";
    WriteText(table, "Name;Text\nPumpe;läuft\nVentil;offen\n");
    ModalDriver driver(AnswerAll);
    const std::size_t before = OpenDocuments();
    EXPECT_FALSE(TestApp().OpenSequenceFile(table));
    EXPECT_EQ(driver.dialogs, std::vector<std::string>{"Spalten zuordnen - Namen.csv"});
    EXPECT_TRUE(driver.messages.empty());
    EXPECT_EQ(OpenDocuments(), before);
}

} // namespace
