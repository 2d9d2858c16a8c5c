#include "gui/CancelButton.h"
#include "app/frames/CommandIds.h"
#include "app/dialogs/ConfigDialog.h"
#include "app/frames/MainFrame.h"
#include "app/dialogs/ProjectFolderDialog.h"
#include "app/frames/ProjectStatusBar.h"
#include "app/platform/HelpLauncher.h"
#include "app/platform/HtmlViewer.h"
#include "data/platform/Platform.h"
#include "data/settings/IniFile.h"
#include "data/text/StringTable.h"
#include "panel/PanelProject.h"
#include "tests/app/GuiSupport.h"
#include "tests/support/TestSystem.h"

#include <gtest/gtest.h>
#include <wx/checkbox.h>
#include <wx/stockitem.h>
#include <wx/listbox.h>
#include <wx/log.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>

namespace fs = std::filesystem;

namespace {

wxTextCtrl* Field(wxWindow* dialog, int id)
{
    return wxDynamicCast(dialog->FindWindow(id), wxTextCtrl);
}

wxString U8(const std::string& text)
{
    return wxString::FromUTF8(text.c_str());
}

// Runs the configuration dialog on the application's settings; `act`
// works on the open dialog. Message boxes are answered and collected.
struct ConfigRun {
    int result = 0;
    std::vector<std::string> messages;
    int focusAfterAct = wxID_NONE;
};

ConfigRun RunConfig(const std::function<void(wxDialog*)>& act)
{
    ConfigRun run;
    CConfigDialog dialog(TestApp().GetMainFrame(), TestApp().GetSettings());
    ModalDriver boxes(AnswerMessages);
    dialog.CallAfter([&] {
        act(&dialog);
        Settle(100);
        if (const wxWindow* focus = wxWindow::FindFocus())
            run.focusAfterAct = focus->GetId();
        // A dialog that ended is still modal until its loop returns.
        if (dialog.GetReturnCode() == 0)
            ClickButton(&dialog, CCancelButton::kId);
    });
    run.result = dialog.ShowModal();
    run.messages = boxes.messages;
    return run;
}

class Configuration : public ::testing::Test {
protected:
    void SetUp() override
    {
        fs::remove(Fixture().settingsFile);
        TestApp().GetSettings().Load(Fixture().settingsFile);
    }
};

TEST_F(Configuration, ShowsTheSettingsAndSavesAllSixEntriesOnOk)
{
    const ConfigRun run = RunConfig([](wxDialog* dialog) {
        EXPECT_EQ(ToUtf8(Field(dialog, CConfigDialog::kMaxLists)->GetValue()), "50");
        EXPECT_EQ(ToUtf8(Field(dialog, CConfigDialog::kMaxOperands)->GetValue()), "64");
        EXPECT_EQ(ToUtf8(Field(dialog, CConfigDialog::kMaxGroupSize)->GetValue()), "24");
        EXPECT_TRUE(wxDynamicCast(dialog->FindWindow(CConfigDialog::kSymbolToText), wxCheckBox)->GetValue());
        // German on every desktop: wxGTK would put GTK's own button, in the
        // desktop's language, in the place of a stock ID's button.
        const wxWindow* cancel = dialog->FindWindow(CCancelButton::kId);
        EXPECT_EQ(ToUtf8(cancel->GetLabel()), "Abbrechen");
        EXPECT_FALSE(wxIsStockID(cancel->GetId()));
        EXPECT_EQ(dialog->GetEscapeId(), CCancelButton::kId);
        ClickButton(dialog, wxID_OK);
    });
    EXPECT_EQ(run.result, wxID_OK);
    EXPECT_TRUE(run.messages.empty());
    CIniFile ini;
    ASSERT_TRUE(ini.Load(Fixture().settingsFile));
    EXPECT_EQ(ini.GetString("Configuration", "SymbolToText"), "1");
    EXPECT_EQ(ini.GetString("Configuration", "CommentToText"), "1");
    EXPECT_EQ(ini.GetString("Configuration", "MaxLists"), "50");
    EXPECT_EQ(ini.GetString("Configuration", "MaxOperands"), "64");
    EXPECT_EQ(ini.GetString("Configuration", "MaxGroupSizeKb"), "24");
    EXPECT_EQ(ini.GetString("Help", "File Name"), "morawin.htm");
}

TEST_F(Configuration, ZeroListsIsRefusedWithTheFocusInTheFieldAndNothingSaved)
{
    const ConfigRun run = RunConfig([](wxDialog* dialog) {
        Field(dialog, CConfigDialog::kMaxLists)->ChangeValue(U8("0"));
        Field(dialog, CConfigDialog::kMaxGroupSize)->ChangeValue(U8("33"));
        ClickButton(dialog, wxID_OK);
        EXPECT_EQ(dialog->GetReturnCode(), 0) << "the dialog closed";
    });
    EXPECT_EQ(run.result, wxID_CANCEL);
    // Only the first wrong field is reported.
    EXPECT_EQ(run.messages, (std::vector<std::string>{"Die Zahl muss zwischen 1 und 255 liegen."}));
    EXPECT_EQ(run.focusAfterAct, CConfigDialog::kMaxLists);
    EXPECT_FALSE(fs::exists(Fixture().settingsFile));
    EXPECT_EQ(TestApp().GetSettings().MaxLists, 50);
}

TEST_F(Configuration, GroupSizeAbove32AndEmptyFieldsAreRefused)
{
    ConfigRun run = RunConfig([](wxDialog* dialog) {
        Field(dialog, CConfigDialog::kMaxGroupSize)->ChangeValue(U8("33"));
        ClickButton(dialog, wxID_OK);
    });
    EXPECT_EQ(run.messages, (std::vector<std::string>{"Die Zahl muss zwischen 1 und 32 liegen."}));
    EXPECT_EQ(run.focusAfterAct, CConfigDialog::kMaxGroupSize);

    run = RunConfig([](wxDialog* dialog) {
        Field(dialog, CConfigDialog::kMaxOperands)->ChangeValue(wxString());
        ClickButton(dialog, wxID_OK);
    });
    EXPECT_EQ(run.messages, (std::vector<std::string>{"Bitte geben Sie eine ganze Zahl zwischen 1 und 255 ein."}));
    EXPECT_EQ(run.focusAfterAct, CConfigDialog::kMaxOperands);
    EXPECT_FALSE(fs::exists(Fixture().settingsFile));
}

TEST_F(Configuration, BothTextSwitchesOffIsRefusedWithTheFocusOnTheFirst)
{
    const ConfigRun run = RunConfig([](wxDialog* dialog) {
        wxDynamicCast(dialog->FindWindow(CConfigDialog::kSymbolToText), wxCheckBox)->SetValue(false);
        wxDynamicCast(dialog->FindWindow(CConfigDialog::kCommentToText), wxCheckBox)->SetValue(false);
        Field(dialog, CConfigDialog::kMaxLists)->ChangeValue(U8("7"));
        ClickButton(dialog, wxID_OK);
        EXPECT_EQ(dialog->GetReturnCode(), 0) << "the dialog closed";
    });
    EXPECT_EQ(run.result, wxID_CANCEL);
    ASSERT_EQ(run.messages.size(), 1u);
    EXPECT_NE(run.messages[0].find("\"Operanden (=Symbole)\" und \"Kommentare\""), std::string::npos);
    EXPECT_EQ(run.focusAfterAct, CConfigDialog::kSymbolToText);
    EXPECT_FALSE(fs::exists(Fixture().settingsFile));
    EXPECT_EQ(TestApp().GetSettings().SymbolToText, 1);
    EXPECT_EQ(TestApp().GetSettings().MaxLists, 50);

    // One switch is enough.
    const ConfigRun comments = RunConfig([](wxDialog* dialog) {
        wxDynamicCast(dialog->FindWindow(CConfigDialog::kSymbolToText), wxCheckBox)->SetValue(false);
        ClickButton(dialog, wxID_OK);
    });
    EXPECT_EQ(comments.result, wxID_OK);
    EXPECT_EQ(TestApp().GetSettings().SymbolToText, 0);
    EXPECT_EQ(TestApp().GetSettings().CommentToText, 1);
}

TEST_F(Configuration, UpperLimitsAreAcceptedAndUsedByTheNextConversion)
{
    const ConfigRun run = RunConfig([](wxDialog* dialog) {
        Field(dialog, CConfigDialog::kMaxLists)->ChangeValue(U8("255"));
        Field(dialog, CConfigDialog::kMaxOperands)->ChangeValue(U8("1"));
        Field(dialog, CConfigDialog::kMaxGroupSize)->ChangeValue(U8("32"));
        wxDynamicCast(dialog->FindWindow(CConfigDialog::kCommentToText), wxCheckBox)->SetValue(false);
        ClickButton(dialog, wxID_OK);
    });
    EXPECT_EQ(run.result, wxID_OK);
    CIniFile ini;
    ini.Load(Fixture().settingsFile);
    EXPECT_EQ(ini.GetString("Configuration", "MaxLists"), "255");
    EXPECT_EQ(ini.GetString("Configuration", "MaxGroupSizeKb"), "32");
    EXPECT_EQ(ini.GetString("Configuration", "CommentToText"), "0");

    TestApp().conversions.clear();
    ChooseCommand(cmd::kConvertAll);
    ASSERT_EQ(TestApp().conversions.size(), 1u);
    const auto& conversion = TestApp().conversions[0];
    EXPECT_EQ(conversion.maxLists, 255);
    EXPECT_EQ(conversion.maxOperands, 1);
    EXPECT_EQ(conversion.maxGroupSizeKb, 32);
    EXPECT_EQ(conversion.commentToText, 0);
    EXPECT_EQ(conversion.symbolToText, 1);
}

TEST_F(Configuration, OutOfRangeValuesFromTheFileAreShownRefusedAndKeptOnCancel)
{
    WriteText(Fixture().settingsFile, "[Configuration]\r\nMaxLists=999\r\nMaxGroupSizeKb=-5\r\n");
    TestApp().GetSettings().Load(Fixture().settingsFile);
    const std::string before = ReadFileText(Fixture().settingsFile);
    const ConfigRun run = RunConfig([](wxDialog* dialog) {
        EXPECT_EQ(ToUtf8(Field(dialog, CConfigDialog::kMaxLists)->GetValue()), "999");
        EXPECT_EQ(ToUtf8(Field(dialog, CConfigDialog::kMaxGroupSize)->GetValue()), "-5");
        ClickButton(dialog, wxID_OK);
        EXPECT_EQ(dialog->GetReturnCode(), 0) << "the dialog closed";
        ClickButton(dialog, CCancelButton::kId);
    });
    EXPECT_EQ(run.result, wxID_CANCEL);
    EXPECT_EQ(run.messages.size(), 1u);
    EXPECT_EQ(ReadFileText(Fixture().settingsFile), before);
    EXPECT_EQ(TestApp().GetSettings().MaxLists, 999);
}

TEST_F(Configuration, OnlyDigitsCanBeTypedAndNoMoreThanTheFieldHolds)
{
    std::string lists;
    std::string size;
    RunConfig([&](wxDialog* dialog) {
        wxUIActionSimulator keys;
        wxTextCtrl* listsField = Field(dialog, CConfigDialog::kMaxLists);
        listsField->SetFocus();
        listsField->SelectAll();
        keys.Text("1a2-34");
        WaitFor([&] { return listsField->GetValue().length() >= 3; }, 2000);
        Settle(100);
        lists = ToUtf8(listsField->GetValue());

        wxTextCtrl* sizeField = Field(dialog, CConfigDialog::kMaxGroupSize);
        sizeField->SetFocus();
        sizeField->SelectAll();
        keys.Text("123");
        WaitFor([&] { return sizeField->GetValue().length() >= 2; }, 2000);
        Settle(100);
        size = ToUtf8(sizeField->GetValue());
    });
    EXPECT_EQ(lists, "123");
    EXPECT_EQ(size, "12");
}

TEST_F(Configuration, TheMenuCommandOpensTheDialog)
{
    ModalDriver driver(AnswerAll);
    ChooseCommand(cmd::kConfiguration);
    EXPECT_EQ(driver.dialogs, (std::vector<std::string>{"Konfiguration"}));
}

// The chooser, started in the fixture's folder, which holds the projects.
struct ChooserRun {
    int result = 0;
    fs::path chosen;
};

ChooserRun RunChooser(const std::function<void(CProjectFolderDialog*)>& act, const fs::path& start = Fixture().dir.Path())
{
    CProjectFolderDialog chooser(TestApp().GetMainFrame(), U8("Öffnen RZ731Win-Projekt"), start);
    chooser.CallAfter([&] {
        act(&chooser);
        if (chooser.GetReturnCode() == 0)
            ClickButton(&chooser, CCancelButton::kId);
    });
    ChooserRun run;
    run.result = chooser.ShowModal();
    run.chosen = chooser.GetChosenFolder();
    return run;
}

std::string ProjectName(wxWindow* chooser)
{
    return ToUtf8(Field(chooser, CProjectFolderDialog::kProjectName)->GetValue());
}

TEST(ProjectChooser, ShowsTheFolderItsSubFoldersAndTheProjectName)
{
    RunChooser([](CProjectFolderDialog* chooser) {
        EXPECT_EQ(ToUtf8(Field(chooser, CProjectFolderDialog::kPathField)->GetValue()), Fixture().dir.Path().string());
        EXPECT_EQ(ProjectName(chooser), "");
        auto* folders = wxDynamicCast(chooser->FindWindow(CProjectFolderDialog::kFolderList), wxListBox);
        ASSERT_NE(folders, nullptr);
        EXPECT_NE(folders->FindString(U8("Projekt Mühle")), wxNOT_FOUND);

        // Entering a folder (a double click) shows its path and project.
        wxCommandEvent open(wxEVT_LISTBOX_DCLICK, CProjectFolderDialog::kFolderList);
        open.SetString(U8("Projekt Mühle"));
        open.SetEventObject(folders);
        folders->HandleWindowEvent(open);
        EXPECT_EQ(ToUtf8(Field(chooser, CProjectFolderDialog::kPathField)->GetValue()), Fixture().project.string());
        EXPECT_EQ(ProjectName(chooser), "Mühle 3");
    });
}

TEST(ProjectChooser, OkInAFolderWithoutProjectStaysOpenAndCancelChoosesNothing)
{
    const ChooserRun run = RunChooser([](CProjectFolderDialog* chooser) {
        ClickButton(chooser, wxID_OK);
        EXPECT_EQ(chooser->GetReturnCode(), 0) << "the chooser closed";
        EXPECT_EQ(chooser->GetFolder(), Fixture().dir.Path());
    });
    EXPECT_EQ(run.result, wxID_CANCEL);
    EXPECT_TRUE(run.chosen.empty());
}

TEST(ProjectChooser, ATypedProjectPathIsEnteredAndAccepted)
{
    const ChooserRun run = RunChooser([](CProjectFolderDialog* chooser) {
        Field(chooser, CProjectFolderDialog::kPathField)->SetValue(U8("Projekt Mühle"));
        ClickButton(chooser, wxID_OK);
    });
    EXPECT_EQ(run.result, wxID_OK);
    EXPECT_EQ(run.chosen, Fixture().project);
}

TEST(ProjectChooser, AFolderSelectedInTheListIsEnteredOnOk)
{
    const ChooserRun run = RunChooser([](CProjectFolderDialog* chooser) {
        auto* folders = wxDynamicCast(chooser->FindWindow(CProjectFolderDialog::kFolderList), wxListBox);
        folders->SetStringSelection(U8("Zweitprojekt"));
        ClickButton(chooser, wxID_OK);
    });
    EXPECT_EQ(run.result, wxID_OK);
    EXPECT_EQ(run.chosen, Fixture().otherProject);
}

TEST(ProjectChooser, ATypedFileNameTakesItsFolder)
{
    const ChooserRun run = RunChooser([](CProjectFolderDialog* chooser) {
        Field(chooser, CProjectFolderDialog::kPathField)->SetValue(U8((Fixture().project / "SDAT.731").string()));
        ClickButton(chooser, wxID_OK);
    });
    EXPECT_EQ(run.chosen, Fixture().project);

    const ChooserRun other = RunChooser([](CProjectFolderDialog* chooser) {
        // A file in a folder without a project: the folder is entered,
        // nothing is accepted.
        Field(chooser, CProjectFolderDialog::kPathField)->SetValue(U8(Fixture().sequenceFile.string()));
        ClickButton(chooser, wxID_OK);
        EXPECT_EQ(chooser->GetReturnCode(), 0) << "the chooser closed";
        // A path that names nothing leaves everything as it was.
        Field(chooser, CProjectFolderDialog::kPathField)->SetValue(U8("gibt es nicht"));
        ClickButton(chooser, wxID_OK);
        EXPECT_EQ(chooser->GetFolder(), Fixture().dir.Path());
    });
    EXPECT_EQ(other.result, wxID_CANCEL);
}

TEST(ProjectChooser, StartingInAProjectFolderShowsItsNameAtOnce)
{
    RunChooser([](CProjectFolderDialog* chooser) { EXPECT_EQ(ProjectName(chooser), "Linie 2"); },
               Fixture().otherProject);
}

TEST(ProjectChooser, OpenProjectReplacesTheProjectAndCancelKeepsIt)
{
    CPanelProject* before = TestApp().GetProject();
    ModalDriver cancel(AnswerAll);
    ChooseCommand(cmd::kOpenProject);
    EXPECT_EQ(cancel.dialogs, (std::vector<std::string>{"Öffnen RZ731Win-Projekt"}));
    EXPECT_EQ(TestApp().GetProject(), before);
}

TEST(ProjectChooser, AChosenProjectGoesToTheStatusBar)
{
    ModalDriver choose([](wxDialog* dialog) {
        dialog->CallAfter([dialog] {
            Field(dialog, CProjectFolderDialog::kPathField)->SetValue(U8(Fixture().otherProject.string()));
            ClickButton(dialog, wxID_OK);
        });
        return wxID_NONE;
    });
    TestApp().OnOpenProject();
    const CProjectStatusBar* bar = TestApp().GetMainFrame()->GetProjectStatusBar();
    EXPECT_EQ(ToUtf8(bar->GetStatusText(0)), Fixture().otherProject.string());
    EXPECT_EQ(ToUtf8(bar->GetStatusText(1)), "Linie 2");
}

TEST(Help, OpensTheHelpDocumentWithTheBrowser)
{
    TestApp().launchedUrls.clear();
    TestApp().browserAvailable = true;
    ModalDriver driver(AnswerAll);
    ChooseCommand(cmd::kHelpFinder);
    EXPECT_TRUE(driver.messages.empty());
    ASSERT_EQ(TestApp().launchedUrls.size(), 1u);
    // On Windows the drive follows a third slash: file:///C:/...
    const std::string folder = Fixture().dir.Path().generic_string();
    EXPECT_EQ(TestApp().launchedUrls[0],
              "file://" + std::string(folder.starts_with('/') ? "" : "/") + folder + "/bin/hlp/morawin.htm");
}

TEST(Help, NoBrowserAndNoDocumentAreReported)
{
    TestApp().browserAvailable = false;
    ModalDriver driver(AnswerAll);
    ChooseCommand(cmd::kHelpFinder);
    ASSERT_EQ(driver.messages.size(), 1u);
    EXPECT_EQ(driver.messages[0], CStringTable::GetUtf8(ids::kNoHtmViewer) + "\nDie Hilfe steht in der Datei \""
                                      + Fixture().helpDocument.string() + "\".");

    TestApp().browserAvailable = true;
    TestApp().GetSettings().HelpFileName = "fehlt.htm";
    ChooseCommand(cmd::kHelpFinder);
    ASSERT_EQ(driver.messages.size(), 2u);
    EXPECT_EQ(driver.messages[1], "Datei-Fehler.");
    TestApp().GetSettings().HelpFileName = "morawin.htm";
}

// What wx would show in message boxes of its own.
class LogRecorder : public wxLog {
public:
    std::vector<std::string> texts;

protected:
    void DoLogTextAtLevel(wxLogLevel, const wxString& text) override { texts.push_back(ToUtf8(text)); }
};

TEST(Help, AViewerThatCannotBeStartedLeavesTheMessageToTheProgram)
{
    if (!test_system::kWindows)
        GTEST_SKIP() << "the desktop's open command may start any program there; its failure comes back through "
                        "its exit status";
    TempDir dir;
    const fs::path document = dir / "hilfe.morawin-unbekannt"; // a type nothing is associated with
    WriteText(document, "<html></html>");
    LogRecorder recorder;
    wxLog* const previous = wxLog::SetActiveTarget(&recorder);
    const bool shown = LaunchHtmlViewer(wxString::FromUTF8(CHelpLauncher::FileUrl(document)), {});
    wxLog::FlushActive();
    wxLog::SetActiveTarget(previous);
    EXPECT_FALSE(shown);
    EXPECT_TRUE(recorder.texts.empty()) << recorder.texts.front();
}

TEST(About, ShowsVersionAndWhereTheProgramFindsItsFiles)
{
    std::vector<std::string> lines;
    ModalDriver driver([&](wxDialog* dialog) {
        for (wxWindow* child : dialog->GetChildren())
            if (auto* text = dynamic_cast<wxStaticText*>(child))
                lines.push_back(ToUtf8(text->GetLabel()));
        return static_cast<int>(wxID_OK);
    });
    ChooseCommand(cmd::kAppAbout);
    EXPECT_EQ(driver.dialogs, (std::vector<std::string>{"Info über morawin"}));
    ASSERT_EQ(lines.size(), 8u);
    // The same version as morawin-cli --version: both come from the build.
    EXPECT_EQ(lines[0], "MoraWin, Version " MORAWIN_VERSION);
    // The fixture's settings file beside the program exists (a portable copy).
    EXPECT_EQ(lines[2], "Einstellungen: " + Fixture().settingsFile.string());
    EXPECT_EQ(lines[3], "Hilfe: " + Fixture().helpDocument.parent_path().string());
    EXPECT_EQ(lines[4], "Textkatalog: " + (Fixture().programFile.parent_path() / "morawin.strings").string()
                            + " (nicht vorhanden)");
    EXPECT_EQ(lines[5], "Übersetzungen: " + (Fixture().programFile.parent_path() / "locale").string()
                            + " (nicht vorhanden)");
    // A portable copy keeps the history beside its settings; the folder
    // comes with the first change of a project.
    const std::string history = "Verlauf: " + (Fixture().programFile.parent_path() / "history").string();
    EXPECT_EQ(lines[6].substr(0, history.size()), history);
    // The licence, with the copyright line of LICENSE.
    EXPECT_EQ(lines[7], MORAWIN_COPYRIGHT ". Freie Software unter der MIT-Lizenz, ohne jede Gewährleistung.");
}

} // namespace
