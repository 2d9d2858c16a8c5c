// The overwrite question with its four answers, driven through its real
// buttons under Xvfb.
#include "convert/AnswerCode.h"
#include "convert/dialogs/YesNoAllDlg.h"
#include "tests/convert/ConversionDialogFixture.h"

#include <wx/button.h>

#include <algorithm>

namespace {

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

} // namespace
