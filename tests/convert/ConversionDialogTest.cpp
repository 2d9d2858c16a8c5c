// The conversion dialog and the overwrite question, driven through their
// real controls under Xvfb.
#include "convert/AnswerCode.h"
#include "convert/dialogs/ConversionDlg.h"
#include "convert/dialogs/YesNoAllDlg.h"
#include "data/settings/AppSettings.h"
#include "data/records/AtomicFile.h"
#include "data/sequence/SequenceFile.h"
#include "panel/GroupFolder.h"
#include "panel/PanelProject.h"
#include "panel/StepChainGroup.h"
#include "panel/StepChainList.h"
#include "panel/StepChainText.h"
#include "tests/cli/CliRunner.h"
#include "tests/support/ModalScript.h"
#include "tests/support/PanelFiles.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestSystem.h"

#include <gtest/gtest.h>

#include <wx/app.h>
#include <wx/button.h>
#include <wx/combobox.h>
#include <wx/stockitem.h>
#include <wx/progdlg.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>

#include <algorithm>
#include <cerrno>
#include <fstream>
#include <functional>
#include <sstream>

namespace {

std::string Utf8(const wxString& text)
{
    return text.utf8_string();
}

class ConversionDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        WriteDataFile(dir.Path(), "Mischanlage");
        settings.Load(dir / "morawin.ini");
    }
    void TearDown() override { CAtomicFile::SetFaultHook({}); }

    std::vector<CSequenceEntry*> Operands(const std::string& text)
    {
        sequence = std::make_unique<CSequenceFile>((dir / "anlage.seq").string());
        std::istringstream in(text);
        sequence->ReadArchive(in);
        std::vector<CSequenceEntry*> entries;
        for (int i = 0; i < sequence->GetCount(); ++i)
            entries.push_back(sequence->GetEntry(i));
        return entries;
    }

    // Shows the dialog modally and runs `actions` inside its loop; a dialog
    // still open afterwards is cancelled. Returns ShowModal's result.
    int Run(ConversionMode mode, const std::string& operands, std::function<void(CConversionDlg&)> actions)
    {
        CPanelProject project(dir.Path().string(), "");
        EXPECT_TRUE(project.IsValid());
        CConversionDlg dialog(nullptr, mode, project, Operands(operands), settings);
        script.Allow(&dialog);
        wxTheApp->CallAfter([&] {
            actions(dialog);
            if (IsOpen(dialog))
                Click(dialog, CConversionDlg::kCancelId);
        });
        return dialog.ShowModal();
    }

    template <class T>
    static T& Control(wxWindow& dialog, int id)
    {
        return *dynamic_cast<T*>(dialog.FindWindow(id));
    }
    static std::string Value(wxWindow& dialog, int id)
    {
        if (auto* combo = dynamic_cast<wxComboBox*>(dialog.FindWindow(id)))
            return Utf8(combo->GetValue());
        if (auto* text = dynamic_cast<wxTextCtrl*>(dialog.FindWindow(id)))
            return Utf8(text->GetValue());
        return Utf8(Control<wxStaticText>(dialog, id).GetLabel());
    }
    // The focus is on the control or inside it (a combo box's entry).
    static bool HasFocus(wxWindow& dialog, int id)
    {
        for (wxWindow* w = wxWindow::FindFocus(); w; w = w->GetParent())
            if (w == dialog.FindWindow(id))
                return true;
        return false;
    }
    static void Choose(wxComboBox& combo, const wxString& item)
    {
        combo.SetSelection(combo.FindString(item));
        wxCommandEvent chosen(wxEVT_COMBOBOX, combo.GetId());
        chosen.SetEventObject(&combo);
        chosen.SetInt(combo.GetSelection());
        combo.ProcessWindowEvent(chosen);
    }

    // A group S02 "Zwei" with input list 001 holding E001.00 "alt".
    void ExistingGroup(const std::string& id = "S02", int kind = 1)
    {
        // Written afresh: a new group never replaces a file it did not read.
        std::filesystem::remove(dir / ("G" + id + ".731"));
        CPanelProject project(dir.Path().string(), "");
        project.Load();
        auto group = std::make_unique<CStepChainGroup>(project.GetGroupFolder());
        group->Rename("G" + id, "Zwei");
        auto* list = group->AddNew(std::make_unique<CStepChainList>(group.get()));
        list->SetProperties("001", kind, "Liste");
        auto* text = list->AddNew(std::make_unique<CStepChainText>(list, 1, 0, 0, 0, "alt"));
        list->OnEntryChanged(text);
        ASSERT_TRUE(group->Save());
    }

    std::vector<std::string> Messages() const
    {
        std::vector<std::string> texts;
        for (const auto& box : script.boxes)
            texts.push_back(box.message);
        return texts;
    }

    TempDir dir;
    CAppSettings settings;
    ModalScript script;
    std::unique_ptr<CSequenceFile> sequence;
    const std::string threeInputs = "\tE 1.0\tA\tx\n\tE 1.1\tB\ty\n\tE 1.2\tC\tz\n";
};

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

class OverwriteQuestionTest : public ConversionDialogTest {
protected:
    // E001.00 exists in S02/001: converting E001.00 and E001.01 there asks
    // once for E001.00. Returns the text E001.00 has afterwards.
    std::string Answer(std::function<void(wxDialog&)> action)
    {
        ExistingGroup();
        script.dialogActions.push_back(std::move(action));
        Run(ConversionMode::selected, "\tE 1.0\tneu\t\n\tE 1.1\tneu\t\n", [&](CConversionDlg& d) {
            Choose(Control<wxComboBox>(d, CConversionDlg::kGroupIdId), wxString::FromUTF8("S02"));
            Choose(Control<wxComboBox>(d, CConversionDlg::kListIdId), wxString::FromUTF8("001"));
            Click(d, wxID_OK);
        });
        CPanelProject project(dir.Path().string(), "");
        project.Load();
        auto* group = static_cast<CStepChainGroup*>(project.GetGroupFolder()->FindEntry("GS02"));
        EXPECT_TRUE(group && group->Load());
        return group->FindList("001")->FindText(1, 0)->GetText();
    }
};

TEST_F(OverwriteQuestionTest, ShowsTheQuestionWithFourButtons)
{
    std::string text;
    Answer([&](wxDialog& question) {
        text = Utf8(dynamic_cast<wxStaticText*>(question.FindWindow(1037))->GetLabel());
        std::replace(text.begin(), text.end(), '\n', ' '); // wrapped to the dialog's width
        for (int id : {CYesNoAllDlg::kYesId, CYesNoAllDlg::kNoId, CYesNoAllDlg::kYesForAllId,
                       CYesNoAllDlg::kNoForAllId})
            EXPECT_NE(question.FindWindow(id), nullptr);
        // Each answer has its own mnemonic; Enter answers "Ja".
        const std::pair<int, const char*> labels[] = {{CYesNoAllDlg::kYesId, "&Ja"},
                                                      {CYesNoAllDlg::kNoId, "&Nein"},
                                                      {CYesNoAllDlg::kYesForAllId, "Ja für &Alle"},
                                                      {CYesNoAllDlg::kNoForAllId, "Nein für A&lle"}};
        for (const auto& [id, label] : labels)
            EXPECT_EQ(Utf8(dynamic_cast<wxButton*>(question.FindWindow(id))->GetLabel()), label);
        auto* yes = dynamic_cast<wxButton*>(question.FindWindow(CYesNoAllDlg::kYesId));
        EXPECT_EQ(question.GetDefaultItem(), yes);
        Click(question, CYesNoAllDlg::kYesId);
    });
    // The program's name, as on its message boxes.
    EXPECT_EQ(script.dialogTitles, std::vector<std::string>{"morawin"});
    EXPECT_EQ(text, "Der  Operand \"E001.00\" ist bereits vorhanden. Soll er überschrieben werden?");
}

TEST_F(OverwriteQuestionTest, EachButtonAndEscape)
{
    const std::pair<int, const char*> cases[] = {
        {CYesNoAllDlg::kYesId, "neu "},      {CYesNoAllDlg::kNoId, "alt"},
        {CYesNoAllDlg::kYesForAllId, "neu "}, {CYesNoAllDlg::kNoForAllId, "alt"},
    };
    for (const auto& [button, expected] : cases) {
        const int id = button;
        EXPECT_EQ(Answer([id](wxDialog& question) { Click(question, id); }), expected) << id;
    }
}

// Escape and the close box cancel the step: nothing of it is written, no
// message, and the dialog stays open on the same proposal.
TEST_F(OverwriteQuestionTest, EscapeAndTheCloseBoxCancelTheStep)
{
    const std::function<void(wxDialog&)> closers[] = {
        [](wxDialog& question) {
            // The key as the dialog's window receives it.
            wxKeyEvent escape(wxEVT_CHAR_HOOK);
            escape.m_keyCode = WXK_ESCAPE;
            escape.SetEventObject(&question);
            question.ProcessWindowEvent(escape);
        },
        [](wxDialog& question) { question.Close(); },
    };
    for (const auto& closer : closers) {
        ExistingGroup();
        const auto before = ReadBytes(dir / "GS02.731");
        script.boxes.clear();
        script.dialogActions.push_back(closer);
        bool stillOpen = false;
        std::string range, group, list, count;
        Run(ConversionMode::selected, "\tE 1.0\tneu\t\n\tE 1.1\tneu\t\n", [&](CConversionDlg& d) {
            Choose(Control<wxComboBox>(d, CConversionDlg::kGroupIdId), wxString::FromUTF8("S02"));
            Choose(Control<wxComboBox>(d, CConversionDlg::kListIdId), wxString::FromUTF8("001"));
            Control<wxTextCtrl>(d, CConversionDlg::kGroupNameId).ChangeValue(wxString::FromUTF8("Neu"));
            Click(d, wxID_OK);
            stillOpen = IsOpen(d) && d.GetReturnCode() == 0;
            range = Value(d, CConversionDlg::kRangeId);
            group = Value(d, CConversionDlg::kGroupIdId);
            list = Value(d, CConversionDlg::kListIdId);
            count = Value(d, CConversionDlg::kCountId);
        });
        EXPECT_TRUE(stillOpen);
        EXPECT_EQ(range, "E001.00 - E001.01");
        EXPECT_EQ(group, "S02");
        EXPECT_EQ(list, "001");
        EXPECT_EQ(count, "2");
        EXPECT_TRUE(script.boxes.empty()) << script.boxes.front().message;
        EXPECT_EQ(ReadBytes(dir / "GS02.731"), before);
    }
}

TEST(OverwriteQuestion, ResultsAreTheAnswerCodes)
{
    ModalScript script;
    const std::pair<int, int> cases[] = {
        {CYesNoAllDlg::kYesId, answer_code::kYes},
        {CYesNoAllDlg::kNoId, answer_code::kNo},
        {CYesNoAllDlg::kYesForAllId, answer_code::kYesForAll},
        {CYesNoAllDlg::kNoForAllId, answer_code::kNoForAll},
    };
    for (const auto& [button, code] : cases) {
        const int id = button;
        script.dialogActions.push_back([id](wxDialog& question) { Click(question, id); });
        CYesNoAllDlg question("Frage?", 0, nullptr);
        EXPECT_EQ(question.Run(), code);
    }
    script.dialogActions.push_back([](wxDialog& question) { question.Close(); });
    CYesNoAllDlg closed("Frage?", CYesNoAllDlg::kIconExclamation, nullptr);
    EXPECT_EQ(closed.Run(), answer_code::kClosed);
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

TEST_F(ConversionDialogTest, ExistingGroupQuestionCancelChangesNothing)
{
    ExistingGroup("S01");
    const auto before = ReadBytes(dir / "GS01.731");
    script.boxAnswers = {wxID_CANCEL};
    const int result = Run(ConversionMode::all, threeInputs, [&](CConversionDlg& d) {
        Click(d, wxID_OK);
        EXPECT_TRUE(IsOpen(d));
        EXPECT_EQ(Value(d, CConversionDlg::kCountId), "3");
    });
    EXPECT_EQ(result, wxID_CANCEL);
    EXPECT_EQ(Messages(), std::vector<std::string>{
                              "Die Schrittkettengruppe \"GS01\" existiert bereits\nund wird überschrieben."});
    EXPECT_EQ(ReadBytes(dir / "GS01.731"), before);
}

TEST_F(ConversionDialogTest, FailedSaveShowsTheErrorAndKeepsTheFiles)
{
    ExistingGroup("S01");
    const auto before = ReadBytes(dir / "GS01.731");
    // A read-only folder stops anyone but root (and means nothing on
    // Windows); otherwise the file layer fails the same way directly.
    if (test_system::IsSuperUser() || test_system::kWindows)
        CAtomicFile::SetFaultHook([](CAtomicFile::Step s) { return s == CAtomicFile::Step::createTemp ? EROFS : 0; });
    else
        std::filesystem::permissions(dir.Path(), std::filesystem::perms::owner_write,
                                     std::filesystem::perm_options::remove);
    Run(ConversionMode::selected, "\tE 2.0\tneu\t\n", [&](CConversionDlg& d) {
        Click(d, wxID_OK);
        EXPECT_TRUE(IsOpen(d));
    });
    std::filesystem::permissions(dir.Path(), std::filesystem::perms::owner_write, std::filesystem::perm_options::add);
    ASSERT_EQ(Messages(), std::vector<std::string>{"Fehler beim Schreiben der Datei \"GS01.731\"."});
    EXPECT_EQ(script.boxes[0].style & wxICON_MASK, wxICON_ERROR);
    EXPECT_EQ(ReadBytes(dir / "GS01.731"), before);
}

TEST_F(ConversionDialogTest, StepOverAFileAnotherProgramChangedIsRefusedAndTheProposalStays)
{
    ExistingGroup("S01");
    const auto other = GroupBytes("Mischanlage", "S01", "Zwei", 2)
                           .List("001", "Liste", 1, 1).BitBlock(1, 1).Text(0, 0, "fremd").EndList()
                           .List("009", "Fremd", 2, 1).BitBlock(4, 1).Text(0, 0, "Ventil").EndList()
                           .Bytes();
    const int result = Run(ConversionMode::selected, "\tE 2.0\tneu\t\n", [&](CConversionDlg& d) {
        WriteBytes(dir / "GS01.731", other);
        Click(d, wxID_OK);
        EXPECT_TRUE(IsOpen(d));
        EXPECT_EQ(ReadBytes(dir / "GS01.731"), other);
        EXPECT_EQ(Value(d, CConversionDlg::kGroupIdId), "S01");
        EXPECT_EQ(Value(d, CConversionDlg::kListIdId), "001");
        EXPECT_EQ(Value(d, CConversionDlg::kRangeId), "E002.00");
        Click(d, wxID_OK); // the same step again, on what the file holds now
    });
    EXPECT_EQ(result, wxID_OK);
    ASSERT_EQ(Messages().size(), 2u);
    EXPECT_EQ(Messages()[0], "Die Datei \"GS01.731\" wurde inzwischen von einem anderen Programm geändert. "
                             "Sie wurde neu eingelesen; bitte den Schritt wiederholen.");
    EXPECT_EQ(script.boxes[0].style & wxICON_MASK, wxICON_ERROR);
    CPanelProject project(dir.Path().string(), "");
    project.Load();
    auto* group = static_cast<CStepChainGroup*>(project.GetGroupFolder()->FindEntry("GS01"));
    ASSERT_TRUE(group && group->Load());
    ASSERT_NE(group->FindList("009"), nullptr);
    const CStepChainList* inputs = group->FindList("001");
    ASSERT_EQ(inputs->GetCount(), 2);
    EXPECT_EQ(inputs->GetText(0)->GetText(), "fremd");
    EXPECT_EQ(inputs->GetText(1)->GetText(), "neu ");
}

TEST_F(ConversionDialogTest, AcceptAllLeavesAGroupAnotherProgramChangedBeforeTheFinalSave)
{
    // The new group's file exists once it has been created; the other
    // program writes it while the final save is on its way to the disk.
    const auto other = GroupBytes("Mischanlage", "S01", "Fremd", 0).Bytes();
    bool written = false;
    CAtomicFile::SetFaultHook([&](CAtomicFile::Step step) {
        if (step == CAtomicFile::Step::close && !written && std::filesystem::exists(dir / "GS01.731")) {
            WriteBytes(dir / "GS01.731", other);
            written = true;
        }
        return 0;
    });
    const int result = Run(ConversionMode::all, threeInputs, [&](CConversionDlg& d) {
        Click(d, CConversionDlg::kAcceptAllId);
    });
    CAtomicFile::SetFaultHook({});
    EXPECT_EQ(result, wxID_OK);
    EXPECT_TRUE(written);
    EXPECT_EQ(Messages(), std::vector<std::string>{"Die Datei \"GS01.731\" wurde inzwischen von einem anderen "
                                                   "Programm geändert. Sie wurde neu eingelesen; bitte den Schritt "
                                                   "wiederholen."});
    EXPECT_EQ(ReadBytes(dir / "GS01.731"), other);
}

TEST_F(ConversionDialogTest, RemainingOperandsAtS99)
{
    WriteText(dir / "morawin.ini", "[Configuration]\r\nMaxLists=1\r\nMaxOperands=1\r\n");
    settings.Load(dir / "morawin.ini");
    std::string operands;
    for (int i = 0; i < 101; ++i)
        operands += "\tM " + std::to_string(i / 8) + "." + std::to_string(i % 8) + "\tM\t\n";
    const int result = Run(ConversionMode::all, operands, [&](CConversionDlg& d) {
        Click(d, CConversionDlg::kAcceptAllId);
        EXPECT_TRUE(IsOpen(d)); // operands are left: the dialog stays open
        EXPECT_FALSE(d.FindWindow(wxID_OK)->IsEnabled());
    });
    EXPECT_EQ(result, wxID_CANCEL);
    EXPECT_EQ(Messages(), std::vector<std::string>{
                              "Die Schrittkettengruppen S01 bis S99 sind voll: 2 Operand(en) wurden nicht konvertiert."});
    EXPECT_TRUE(std::filesystem::exists(dir / "GS99.731"));
}

TEST_F(ConversionDialogTest, LongAcceptAllShowsProgressAndCanBeStopped)
{
    if (test_system::kWindows)
        GTEST_SKIP() << "Windows shows its own progress window, run by a thread of its own: its events never "
                        "pass the program's event filter and its button is no window the test can press";
    WriteText(dir / "morawin.ini", "[Configuration]\r\nMaxLists=1\r\nMaxOperands=8\r\n");
    settings.Load(dir / "morawin.ini");
    std::string operands;
    for (int i = 0; i < 600; ++i)
        operands += "\tM " + std::to_string(i / 8) + "." + std::to_string(i % 8) + "\tM\tMerker\n";
    // The progress dialog handles only its own window's events while the
    // passes run: a filter sees them and presses its Abbrechen.
    class StopProgress : public wxEventFilter {
    public:
        int FilterEvent(wxEvent& event) override
        {
            auto* window = dynamic_cast<wxWindow*>(event.GetEventObject());
            auto* progress = window ? dynamic_cast<wxGenericProgressDialog*>(wxGetTopLevelParent(window)) : nullptr;
            // Once a pass has put its group and list into the message.
            if (!progress || !text.empty() || event.GetEventType() != wxEVT_PAINT)
                return Event_Skip;
            const std::string message = Utf8(progress->GetMessage());
            if (message.find("Gruppe") != std::string::npos) {
                text = message;
                Click(*progress, wxID_CANCEL);
            }
            return Event_Skip;
        }
        std::string text;
    } stop;
    wxEvtHandler::AddFilter(&stop);
    bool stayedOpen = false;
    Run(ConversionMode::all, operands, [&](CConversionDlg& d) {
        Click(d, CConversionDlg::kAcceptAllId);
        stayedOpen = IsOpen(d);
    });
    wxEvtHandler::RemoveFilter(&stop);
    const std::string progressText = stop.text;
    EXPECT_TRUE(stayedOpen);
    EXPECT_NE(progressText.find("Gruppe S"), std::string::npos) << progressText;
    // What was converted before the stop is saved when the dialog closes;
    // the rest is not there, and every file that was written is complete.
    std::size_t groups = 0;
    for (const auto& name : ListFolder(dir.Path()))
        groups += name.rfind("GS", 0) == 0;
    EXPECT_GT(groups, 0u);
    EXPECT_LT(groups, 75u);
    const auto shown = RunCli({"show", dir.Path().string(), "--json"});
    EXPECT_EQ(shown.exitCode, 0) << shown.err;
}

class SameAsCommandLineTest : public ConversionDialogTest {
protected:
    void SetUp() override
    {
        for (const auto* copy : {"gui", "cli"}) {
            std::filesystem::create_directories(dir / copy);
            for (const auto& file : std::filesystem::directory_iterator(ExamplePath("mischanlage-projekt")))
                std::filesystem::copy_file(file.path(), dir / copy / file.path().filename());
        }
        settings.Load(dir / "morawin.ini");
    }

    std::vector<CSequenceEntry*> ExampleOperands()
    {
        sequence = std::make_unique<CSequenceFile>(ExamplePath("mischanlage.seq"));
        std::ifstream in(ExamplePath("mischanlage.seq"), std::ios::binary);
        EXPECT_TRUE(sequence->ReadArchive(in));
        std::vector<CSequenceEntry*> entries;
        for (int i = 0; i < sequence->GetCount(); ++i)
            entries.push_back(sequence->GetEntry(i));
        return entries;
    }

    // Runs the dialog on the "gui" copy until it closes.
    void ConvertInDialog(ConversionMode mode, int button)
    {
        CPanelProject project((dir / "gui").string(), "");
        ASSERT_TRUE(project.IsValid());
        CConversionDlg dialog(nullptr, mode, project, ExampleOperands(), settings);
        script.Allow(&dialog);
        wxTheApp->CallAfter([&] {
            for (int clicks = 0; clicks < 100 && IsOpen(dialog) && dialog.FindWindow(button)->IsEnabled(); ++clicks)
                Click(dialog, button);
            if (IsOpen(dialog))
                Click(dialog, CConversionDlg::kCancelId);
        });
        dialog.ShowModal();
    }

    void ExpectSameFiles()
    {
        const auto gui = ListFolder(dir / "gui");
        EXPECT_EQ(gui, ListFolder(dir / "cli"));
        int written = 0;
        for (const auto& name : gui) {
            EXPECT_EQ(ReadBytes(dir / "gui" / name), ReadBytes(dir / "cli" / name)) << name;
            const auto original = std::filesystem::path(ExamplePath("mischanlage-projekt")) / name;
            written += !std::filesystem::exists(original) || ReadBytes(original) != ReadBytes(dir / "gui" / name);
        }
        EXPECT_GT(written, 0); // the conversion did write
    }
};

TEST_F(SameAsCommandLineTest, StepByStep)
{
    script.defaultAction = [](wxDialog& question) { Click(question, CYesNoAllDlg::kYesForAllId); };
    ConvertInDialog(ConversionMode::selected, wxID_OK);
    const auto cli = RunCli({"convert", ExamplePath("mischanlage.seq"), (dir / "cli").string(), "--settings",
                             (dir / "morawin.ini").string(), "--answer", "yes-all"});
    EXPECT_EQ(cli.exitCode, 0) << cli.err;
    ExpectSameFiles();
}

TEST_F(SameAsCommandLineTest, AcceptAll)
{
    ConvertInDialog(ConversionMode::all, CConversionDlg::kAcceptAllId);
    const auto cli = RunCli({"convert", ExamplePath("mischanlage.seq"), (dir / "cli").string(), "--settings",
                             (dir / "morawin.ini").string(), "--all"});
    EXPECT_EQ(cli.exitCode, 0) << cli.err;
    ExpectSameFiles();
}

} // namespace
