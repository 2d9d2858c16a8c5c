// Rückgängig, Wiederherstellen and Verlauf in the desktop program: every
// take-back leaves each file of the project byte for byte as it was.
#include "app/browser/RenameGroupDialog.h"
#include "app/dialogs/HistoryDialog.h"
#include "app/document/MorawinView.h"
#include "app/widgets/ListColumnSizer.h"
#include "convert/dialogs/ConversionDlg.h"
#include "tests/app/ProjectBrowserGuiFixture.h"

#include <wx/listctrl.h>
#include <wx/msgdlg.h>
#include <wx/uiaction.h>

namespace {

using Bytes = std::map<std::string, std::vector<std::uint8_t>>;

class HistoryGui : public ProjectBrowserGui {
protected:
    Bytes Files() const { return FolderBytes(dir.Path()); }

    // What the menu item reads now, as the menu shows it.
    std::string Label(int id)
    {
        wxUpdateUIEvent update(id);
        update.SetEventObject(frame);
        frame->HandleWindowEvent(update);
        return ToUtf8(update.GetText());
    }

    void DeleteGroups(std::vector<int> rows)
    {
        Select(Pane::groups, std::move(rows));
        ModalDriver boxes(AnswerAll);
        Command(wxID_DELETE);
    }

    void PasteFirstListIntoSecondGroup()
    {
        Select(Pane::groups, {0});
        Select(Pane::lists, {1});
        Command(wxID_COPY);
        Select(Pane::groups, {1});
        ModalDriver boxes(AnswerAll);
        Command(wxID_PASTE);
    }
};

TEST_F(HistoryGui, CtrlZTakesBackAllUebernehmenAndCtrlYWritesItAgain)
{
    const Bytes before = Files();
    EXPECT_EQ(Label(cmd::kEditUndo), "&Rückgängig\tCtrl+Z");
    EXPECT_FALSE(Enabled(cmd::kEditUndo));

    TestApp().runConversions = true;
    ModalDriver driver([](wxDialog* dialog) {
        if (wxDynamicCast(dialog, wxMessageDialog))
            return static_cast<int>(wxID_OK);
        dialog->CallAfter([dialog] { ClickButton(dialog, CConversionDlg::kAcceptAllId); });
        return static_cast<int>(wxID_NONE);
    });
    auto* view = dynamic_cast<CMorawinView*>(TestApp().GetDocManager()->GetDocumentsVector()[0]->GetFirstView());
    ASSERT_NE(view, nullptr);
    view->Convert(ConversionMode::all);
    TestApp().runConversions = false;
    Settle();
    const Bytes converted = Files();
    ASSERT_NE(converted, before);
    const std::string undo = Label(cmd::kEditUndo);
    EXPECT_EQ(undo.rfind("&Rückgängig: Konvertierung von Zuordnung Ölmühle.seq: ", 0), 0u) << undo;
    EXPECT_EQ(undo.substr(undo.size() - 7), "\tCtrl+Z");
    EXPECT_TRUE(Enabled(cmd::kEditUndo));

    browser->ActivatePane(Pane::groups);
    Settle();
    wxUIActionSimulator keys;
    keys.Char('Z', wxMOD_CONTROL);
    ASSERT_TRUE(WaitFor([&] { return Files() == before; }));
    // The browser shows the groups the project had.
    EXPECT_EQ(Column(browser->GetPane(Pane::groups), 0), (std::vector<std::string>{"S01", "S02"}));
    EXPECT_EQ(Label(cmd::kEditRedo), "&Wiederherstellen: " + undo.substr(std::string("&Rückgängig: ").size(),
                                                                    undo.size() - 7 - std::string("&Rückgängig: ").size())
                                    + "\tCtrl+Y");
    keys.Char('Y', wxMOD_CONTROL);
    ASSERT_TRUE(WaitFor([&] { return Files() == converted; }));
    EXPECT_EQ(Label(cmd::kEditRedo), "&Wiederherstellen\tCtrl+Y");
}

TEST_F(HistoryGui, PasteDeleteAndRenameAreTakenBackExactly)
{
    const Bytes before = Files();
    PasteFirstListIntoSecondGroup();
    const Bytes pasted = Files();
    ASSERT_NE(pasted, before);
    EXPECT_EQ(Label(cmd::kEditUndo), "&Rückgängig: Einfügen in GS02.731\tCtrl+Z");

    DeleteGroups({0});
    ASSERT_FALSE(Files().count("GS01.731"));
    EXPECT_EQ(Label(cmd::kEditUndo), "&Rückgängig: Löschen von GS01.731\tCtrl+Z");

    ModalDriver rename([](wxDialog* dialog) {
        if (auto* d = dynamic_cast<CRenameGroupDialog*>(dialog))
            d->CallAfter([d] {
                wxDynamicCast(d->FindWindow(CRenameGroupDialog::kGroupIdField), wxTextCtrl)
                    ->ChangeValue(wxString::FromUTF8("S05"));
                ClickButton(d, wxID_OK);
            });
        return static_cast<int>(wxID_NONE);
    });
    Select(Pane::groups, {0});
    Command(cmd::kRenameGroup);
    ASSERT_TRUE(Files().count("GS05.731"));
    EXPECT_EQ(Label(cmd::kEditUndo), "&Rückgängig: Umbenennen von GS02.731 in GS05.731\tCtrl+Z");

    const Bytes renamed = Files();
    ChooseCommand(cmd::kEditUndo);
    Settle();
    EXPECT_EQ(Column(browser->GetPane(Pane::groups), 0), std::vector<std::string>{"S02"});
    ChooseCommand(cmd::kEditUndo);
    EXPECT_EQ(Files(), pasted);
    ChooseCommand(cmd::kEditUndo);
    EXPECT_EQ(Files(), before);
    for (int i = 0; i < 3; ++i)
        ChooseCommand(cmd::kEditRedo);
    EXPECT_EQ(Files(), renamed);
}

TEST_F(HistoryGui, FilesChangedSinceAreAskedAboutAndAbbrechenWritesNothing)
{
    const Bytes before = Files();
    DeleteGroups({0, 1});
    ASSERT_FALSE(Files().count("GS01.731") || Files().count("GS02.731"));
    // Another program writes GS02.731 since.
    const std::vector<std::uint8_t> theirs{'f', 'r', 'e', 'm', 'd'};
    WriteBytes(dir.Path() / "GS02.731", theirs);
    const Bytes changed = Files();

    std::vector<std::string> extended;
    int answer = wxID_CANCEL;
    ModalDriver question([&](wxDialog* dialog) {
        if (auto* box = wxDynamicCast(dialog, wxMessageDialog))
            extended.push_back(ToUtf8(box->GetExtendedMessage()));
        return answer;
    });
    ChooseCommand(cmd::kEditUndo);
    EXPECT_EQ(question.messages, std::vector<std::string>{CStringTable::GetUtf8(ids::kAskTakeBackOthers)});
    EXPECT_EQ(extended, std::vector<std::string>{"GS02.731 wurde seitdem geändert"});
    EXPECT_EQ(Files(), changed);

    answer = wxID_OK;
    ChooseCommand(cmd::kEditUndo);
    Bytes expected = before;
    expected["GS02.731"] = theirs;
    EXPECT_EQ(Files(), expected);
}

TEST_F(HistoryGui, VerlaufListsNewestFirstAndResetsToTheChosenState)
{
    const Bytes original = Files();
    PasteFirstListIntoSecondGroup();
    const Bytes pasted = Files();
    DeleteGroups({0});

    std::vector<std::vector<std::string>> rows;
    std::vector<long> counts;
    int gap = -1;
    ModalDriver driver([&](wxDialog* dialog) {
        auto* verlauf = dynamic_cast<CHistoryDialog*>(dialog);
        if (!verlauf)
            return static_cast<int>(wxID_OK);
        verlauf->CallAfter([&, verlauf] {
            wxListCtrl* list = verlauf->GetList();
            for (long row = 0; row < list->GetItemCount(); ++row)
                rows.push_back({ToUtf8(list->GetItemText(row, 1)), ToUtf8(list->GetItemText(row, 2))});
            // A wider window widens the description: no empty column.
            verlauf->SetSize(wxSize(1200, 400));
            Settle(100);
            gap = CListColumnSizer::RowWidth(*list) - list->GetColumnWidth(0) - list->GetColumnWidth(1)
                - list->GetColumnWidth(2);
            list->SetItemState(1, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
            ClickButton(verlauf, CHistoryDialog::kResetId);
            counts.push_back(list->GetItemCount());
            // The last row: the state before every operation.
            list->SetItemState(list->GetItemCount() - 1, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
            ClickButton(verlauf, CHistoryDialog::kResetId);
            counts.push_back(list->GetItemCount());
            verlauf->EndModal(wxID_CANCEL);
        });
        return static_cast<int>(wxID_NONE);
    });
    ChooseCommand(cmd::kHistoryWindow);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0][0], "Löschen von GS01.731");
    EXPECT_EQ(rows[0][1].rfind("GS01.731 (", 0), 0u);
    EXPECT_TRUE(rows[0][1].ends_with(" → –)")) << rows[0][1]; // the file is gone
    EXPECT_EQ(rows[1][0], "Einfügen in GS02.731");
    EXPECT_EQ(rows[2], (std::vector<std::string>{"Stand vor diesen Operationen", ""}));
    EXPECT_EQ(gap, 0);
    // After the first reset the paste and the state before it are left;
    // after the second, nothing: the project is as it was.
    EXPECT_EQ(counts, (std::vector<long>{2, 0}));
    EXPECT_EQ(Files(), original);
    EXPECT_NE(original, pasted);
    EXPECT_EQ(Column(browser->GetPane(Pane::groups), 0), (std::vector<std::string>{"S01", "S02"}));
}

} // namespace
