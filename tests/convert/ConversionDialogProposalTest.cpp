// The conversion dialog's fields: the first proposal, identifiers typed
// and chosen, each validation message at its field, and its cancel button.
#include "tests/convert/ConversionDialogFixture.h"
#include "convert/dialogs/YesNoAllDlg.h"

#include <wx/stockitem.h>
#include <wx/uiaction.h>

namespace {

TEST_F(ConversionDialogTest, ShowsTheFirstProposal)
{
    Run(ConversionMode::selected, threeInputs, [&](CConversionDlg& d) {
        EXPECT_EQ(Utf8(d.GetTitle()), "Einzel-Konvertierung");
        EXPECT_EQ(Value(d, CConversionDlg::kProjectNameId), "Mischanlage");
        EXPECT_EQ(Value(d, CConversionDlg::kRangeId), "E001.00 - E001.02");
        EXPECT_EQ(Value(d, CConversionDlg::kCountId), "3");
        EXPECT_EQ(Value(d, CConversionDlg::kGroupIdId), "S01");
        EXPECT_EQ(Value(d, CConversionDlg::kGroupNameId), "anlage");
        EXPECT_EQ(Value(d, CConversionDlg::kListIdId), "001");
        EXPECT_EQ(Value(d, CConversionDlg::kListNameId), "E001.00 - E001.02");
        EXPECT_EQ(Value(d, CConversionDlg::kFreeListsId), "50");
        EXPECT_EQ(Value(d, CConversionDlg::kUnitId), "Listen");
        EXPECT_EQ(Value(d, CConversionDlg::kFreeOperandsId), "64");
        EXPECT_EQ(Value(d, CConversionDlg::kKindLetterId), "E");
        EXPECT_TRUE(d.FindWindow(wxID_OK)->IsEnabled());
        EXPECT_FALSE(d.FindWindow(CConversionDlg::kAcceptAllId)->IsShown());
    });
}

// "Abbrechen" stays German on every desktop (no stock ID for GTK to swap),
// Escape presses it, and it ends the dialog without writing anything.
TEST_F(ConversionDialogTest, EscapePressesTheGermanCancelButtonAndNothingIsWritten)
{
    std::string label;
    int cancelId = 0;
    const int result = Run(ConversionMode::selected, threeInputs, [&](CConversionDlg& d) {
        const wxWindow* cancel = d.FindWindow(CConversionDlg::kCancelId);
        ASSERT_NE(cancel, nullptr);
        label = Utf8(cancel->GetLabel());
        cancelId = d.GetEscapeId();
        wxKeyEvent escape(wxEVT_CHAR_HOOK);
        escape.m_keyCode = WXK_ESCAPE;
        escape.SetEventObject(&d);
        d.ProcessWindowEvent(escape);
    });
    EXPECT_EQ(label, "Abbrechen");
    EXPECT_FALSE(wxIsStockID(CConversionDlg::kCancelId));
    EXPECT_EQ(cancelId, CConversionDlg::kCancelId);
    EXPECT_EQ(result, wxID_CANCEL);
    EXPECT_FALSE(std::filesystem::exists(dir / "GS01.731"));
}

TEST_F(ConversionDialogTest, WholeListModeOffersAcceptAll)
{
    const int result = Run(ConversionMode::all, threeInputs, [&](CConversionDlg& d) {
        EXPECT_EQ(Utf8(d.GetTitle()), "Konvertierung einer gesamten Liste");
        ASSERT_TRUE(d.FindWindow(CConversionDlg::kAcceptAllId)->IsShown());
        EXPECT_TRUE(d.FindWindow(CConversionDlg::kAcceptAllId)->IsEnabled());
        Click(d, CConversionDlg::kAcceptAllId);
    });
    EXPECT_EQ(result, wxID_OK);
    EXPECT_TRUE(std::filesystem::exists(dir / "GS01.731"));
    EXPECT_EQ(Messages(), std::vector<std::string>{"Alle Operanden wurden erfolgreich konvertiert."});
}

TEST_F(ConversionDialogTest, TypedGroupIdentifierFindsTheGroupIgnoringCase)
{
    ExistingGroup();
    Run(ConversionMode::selected, threeInputs, [&](CConversionDlg& d) {
        auto& group = Control<wxComboBox>(d, CConversionDlg::kGroupIdId);
        group.SetFocus();
        group.SelectAll();
        wxUIActionSimulator keys;
        keys.Text("s02");
        wxYield();
        EXPECT_EQ(Value(d, CConversionDlg::kGroupIdId), "s02"); // the box keeps what was typed
        EXPECT_EQ(Value(d, CConversionDlg::kGroupNameId), "Zwei");
        EXPECT_EQ(Value(d, CConversionDlg::kListIdId), "");
        EXPECT_EQ(Value(d, CConversionDlg::kListNameId), "E001.00 - E001.02");
        EXPECT_EQ(Value(d, CConversionDlg::kFreeListsId), "49");
        Click(d, wxID_OK);
        EXPECT_EQ(Messages(), std::vector<std::string>{"Listen-Kennung ungültig."});
        EXPECT_TRUE(HasFocus(d, CConversionDlg::kListIdId));
        EXPECT_EQ(d.GetConverter().GetGroupId(), "S02");
    });
}

TEST_F(ConversionDialogTest, ChosenIdentifiersSelectGroupAndList)
{
    ExistingGroup();
    script.dialogActions.push_back([](wxDialog& question) { Click(question, CYesNoAllDlg::kYesId); });
    const int result = Run(ConversionMode::selected, threeInputs, [&](CConversionDlg& d) {
        Choose(Control<wxComboBox>(d, CConversionDlg::kGroupIdId), wxString::FromUTF8("S02"));
        EXPECT_EQ(Value(d, CConversionDlg::kGroupNameId), "Zwei");
        auto& list = Control<wxComboBox>(d, CConversionDlg::kListIdId);
        ASSERT_EQ(list.GetCount(), 1u);
        Choose(list, wxString::FromUTF8("001"));
        EXPECT_EQ(Value(d, CConversionDlg::kListNameId), "Liste");
        EXPECT_EQ(Value(d, CConversionDlg::kFreeOperandsId), "63");
        Click(d, wxID_OK);
    });
    EXPECT_EQ(result, wxID_OK);
    EXPECT_EQ(Messages(), std::vector<std::string>{
                              "Die Operanden E001.00 - E001.02 wurden nach \nGruppe GS02, Liste E001 konvertiert."});
}

TEST_F(ConversionDialogTest, EveryValidateMessageFocusesItsField)
{
    ExistingGroup("S01", 4);
    struct Case {
        const char* group;
        const char* list;
        const char* message;
        int focus;
    };
    const Case cases[] = {
        {"S1", "001", "Gruppen-Kennung ungültig.", CConversionDlg::kGroupIdId},
        {"S;1", "001", "Gruppen-Kennung enthält unzulässige Zeichen.", CConversionDlg::kGroupIdId},
        {"S02", "01", "Listen-Kennung ungültig.", CConversionDlg::kListIdId},
        {"S01", "001",
         "Ein Liste mit der angegebenen Kennung ist bereits für einen anderen Operanden-Typ vorhanden.",
         CConversionDlg::kListIdId},
    };
    Run(ConversionMode::selected, threeInputs, [&](CConversionDlg& d) {
        for (const auto& k : cases) {
            script.boxes.clear();
            Control<wxComboBox>(d, CConversionDlg::kGroupIdId).SetValue(wxString::FromUTF8(k.group));
            Control<wxComboBox>(d, CConversionDlg::kListIdId).SetValue(wxString::FromUTF8(k.list));
            if (std::string(k.message).rfind("Ein Liste", 0) == 0) {
                EXPECT_EQ(Value(d, CConversionDlg::kKindLetterId), "T");
            }
            Click(d, wxID_OK);
            ASSERT_EQ(Messages(), std::vector<std::string>{k.message}) << k.group << "/" << k.list;
            EXPECT_EQ(script.boxes[0].style & wxICON_MASK, wxICON_ERROR);
            EXPECT_TRUE(HasFocus(d, k.focus)) << k.message;
        }
    });
    EXPECT_EQ(ListFolder(dir.Path()), (std::vector<std::string>{"GS01.731", "SDAT.731"}));
}

TEST_F(ConversionDialogTest, ANewGroupGetsListOneAndTheKindLetterFollowsTheOperands)
{
    ExistingGroup("S01", 2); // list 001 holds outputs
    std::string listId, letter, wholeListLetter;
    Run(ConversionMode::selected, threeInputs, [&](CConversionDlg& d) {
        auto& groupId = Control<wxComboBox>(d, CConversionDlg::kGroupIdId);
        groupId.SetFocus();
        groupId.SetValue(wxString::FromUTF8("S07"));
        listId = Value(d, CConversionDlg::kListIdId);
        letter = Value(d, CConversionDlg::kKindLetterId);
        Click(d, wxID_OK);
    });
    EXPECT_EQ(listId, "001");
    EXPECT_EQ(letter, "E");
    EXPECT_EQ(Messages(), std::vector<std::string>{"Die Operanden E001.00 - E001.02 wurden nach \nGruppe GS07, "
                                                   "Liste E001 konvertiert."});
    EXPECT_TRUE(std::filesystem::exists(dir / "GS07.731"));

    // Whole-list mode replaces list 001 by one of inputs, and says so.
    Run(ConversionMode::all, threeInputs,
        [&](CConversionDlg& d) { wholeListLetter = Value(d, CConversionDlg::kKindLetterId); });
    EXPECT_EQ(wholeListLetter, "E");
}

} // namespace
