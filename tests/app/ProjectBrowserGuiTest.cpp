// The project browser in the running program, on a project of its own;
// what the browser did is read back from the files with morawin-cli.
#include "app/browser/BrowserListCtrl.h"
#include "app/frames/CommandIds.h"
#include "app/frames/MainFrame.h"
#include "app/document/MorawinDoc.h"
#include "app/document/MorawinView.h"
#include "app/browser/ProjectBrowser.h"
#include "app/browser/ProjectBrowserFrame.h"
#include "app/browser/RenameGroupDialog.h"
#include "convert/dialogs/YesNoAllDlg.h"
#include "data/records/AtomicFile.h"
#include "data/text/Charset.h"
#include "data/clipboard/ClipboardBlock.h"
#include "data/text/StringTable.h"
#include "tests/support/TempDir.h"
#include "panel/GroupFolder.h"
#include "panel/PanelProject.h"
#include "panel/StepChainGroup.h"
#include "panel/StepChainList.h"
#include "panel/StepChainText.h"
#include "tests/app/GuiSupport.h"
#include "tests/cli/CliRunner.h"
#include "tests/support/PanelFiles.h"
#include "tests/support/TestSystem.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <wx/msgdlg.h>
#include <wx/process.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>

#include <algorithm>
#include <cerrno>
#include <deque>

namespace fs = std::filesystem;
using Pane = CProjectBrowser::Pane;
using nlohmann::json;

namespace {

// Writes a group through the store, as the conversion would. Texts are
// given in UTF-8 and kept, like all texts of the store, in Windows-1252.
class ProjectWriter {
public:
    explicit ProjectWriter(const fs::path& folder) : m_project(folder.string(), std::string())
    {
        m_project.Load();
    }
    CStepChainGroup* Group(const std::string& id, const std::string& designation)
    {
        auto group = std::make_unique<CStepChainGroup>(m_project.GetGroupFolder());
        group->Rename("G" + id, charset::Utf8ToCp1252(designation));
        return m_project.GetGroupFolder()->AddNew(std::move(group));
    }
    static CStepChainList* List(CStepChainGroup* group, const std::string& id, int kind, const std::string& name)
    {
        auto* list = group->AddNew(std::make_unique<CStepChainList>(group));
        list->SetProperties(id, kind, charset::Utf8ToCp1252(name));
        return list;
    }
    static void Text(CStepChainList* list, std::uint8_t operand, std::uint8_t bit, const std::string& text)
    {
        list->AddNew(std::make_unique<CStepChainText>(list, operand, bit, 0, 0, charset::Utf8ToCp1252(text)));
        list->OnEntryChanged(nullptr);
    }

private:
    CPanelProject m_project;
};

// Texts of a list in the JSON of morawin-cli show, as "E012.03 text".
std::vector<std::string> Texts(const json& list)
{
    std::vector<std::string> texts;
    for (const json& text : list["texts"]) {
        char operand[16];
        const int byte = text["byte"];
        const int bit = text["bit"];
        if (list["kind"] == "E" || list["kind"] == "A" || list["kind"] == "M")
            std::snprintf(operand, sizeof operand, "%s%03d.%02d", list["kind"].get<std::string>().c_str(), byte, bit);
        else
            std::snprintf(operand, sizeof operand, "%s%03d", list["kind"].get<std::string>().c_str(), byte);
        texts.push_back(std::string(operand) + " " + text["text"].get<std::string>());
    }
    return texts;
}

std::vector<std::string> ListIds(const json& group)
{
    std::vector<std::string> ids;
    for (const json& list : group["lists"])
        ids.push_back(list["id"]);
    return ids;
}

std::vector<std::string> Column(CBrowserListCtrl* pane, int column)
{
    std::vector<std::string> texts;
    for (long row = 0; row < pane->GetItemCount(); ++row)
        texts.push_back(ToUtf8(pane->GetItemText(row, column)));
    return texts;
}

std::string Message(unsigned id, const std::string& text = {})
{
    const std::string format = CStringTable::GetUtf8(id);
    const auto at = format.find("%s");
    return at == std::string::npos ? format : format.substr(0, at) + text + format.substr(at + 2);
}

class ProjectBrowserGui : public ::testing::Test {
protected:
    void SetUp() override
    {
        WriteDataFile(dir.Path(), "P1");
        ProjectWriter project(dir.Path());
        CStepChainGroup* source = project.Group("S01", "Quelle");
        CStepChainList* inputs = ProjectWriter::List(source, "001", 1, "Eingänge");
        ProjectWriter::Text(inputs, 12, 1, "Auf");
        ProjectWriter::Text(inputs, 12, 3, "Zu");
        ProjectWriter::Text(ProjectWriter::List(source, "002", 4, "Zeiten"), 1, 0, "Start @5 s");
        ASSERT_TRUE(source->Save());
        CStepChainGroup* target = project.Group("S02", "Ziel");
        ProjectWriter::Text(ProjectWriter::List(target, "001", 1, "Andere"), 12, 3, "Schon da");
        ASSERT_TRUE(target->Save());

        ASSERT_TRUE(TestApp().OpenProjectArgument(dir.Path()));
        ChooseCommand(cmd::kProjectBrowser);
        Settle();
        frame = TestApp().OpenProjectBrowser();
        ASSERT_NE(frame, nullptr);
        browser = frame->GetBrowser();
    }

    void TearDown() override
    {
        CAtomicFile::SetFaultHook({});
        if (frame)
            frame->Close();
        Settle();
    }

    // A command of the browser window's menus.
    void Command(int id)
    {
        wxCommandEvent command(wxEVT_MENU, id);
        command.SetEventObject(frame);
        frame->HandleWindowEvent(command);
        Settle();
    }

    bool Enabled(int id)
    {
        wxUpdateUIEvent update(id);
        update.SetEventObject(frame);
        frame->HandleWindowEvent(update);
        return update.GetEnabled();
    }

    void Select(Pane pane, std::vector<int> rows)
    {
        browser->ActivatePane(pane);
        browser->GetPane(pane)->SelectRows(rows);
        Settle();
    }

    json Show()
    {
        const CliResult result = RunCli({"show", dir.Path().string(), "--json"});
        EXPECT_EQ(result.exitCode, 0) << result.err;
        return json::parse(result.out);
    }

    TempDir dir;
    CProjectBrowserFrame* frame = nullptr;
    CProjectBrowser* browser = nullptr;
};

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

TEST_F(ProjectBrowserGui, ListCopiedIntoAnotherGroupAndPastedAgainIsADuplicate)
{
    const json before = Show();
    Select(Pane::lists, {1});
    EXPECT_TRUE(Enabled(wxID_COPY));
    Command(wxID_COPY);
    Select(Pane::groups, {1});
    EXPECT_TRUE(Enabled(wxID_PASTE));
    ModalDriver boxes(AnswerAll);
    Command(wxID_PASTE);
    EXPECT_TRUE(boxes.messages.empty());

    const json pasted = Show();
    ASSERT_EQ(ListIds(pasted["groups"][1]), (std::vector<std::string>{"001", "002"}));
    EXPECT_EQ(pasted["groups"][1]["lists"][1]["name"], "Zeiten");
    EXPECT_EQ(Texts(pasted["groups"][1]["lists"][1]), std::vector<std::string>{"T001 Start @005 s"});
    EXPECT_EQ(pasted["groups"][0], before["groups"][0]);
    // The browser shows the group as it is now, the pasted list selected.
    EXPECT_EQ(Column(browser->GetPane(Pane::lists), 0), (std::vector<std::string>{"001", "002"}));
    EXPECT_EQ(browser->GetPane(Pane::lists)->GetSelectedRows(), std::vector<int>{1});

    Command(wxID_PASTE);
    EXPECT_EQ(boxes.messages, std::vector<std::string>{Message(ids::kListIdExists)});
    EXPECT_EQ(Show()["groups"], pasted["groups"]);
}

TEST_F(ProjectBrowserGui, PasteCancelledAtTheQuestionChangesNothingAndKindsMustMatch)
{
    Select(Pane::texts, {0, 1});
    Command(wxID_COPY);
    Select(Pane::groups, {1});
    Select(Pane::texts, {});
    ModalDriver boxes(AnswerAll); // the question is closed without an answer
    Command(wxID_PASTE);
    EXPECT_TRUE(boxes.messages.empty());
    EXPECT_EQ(boxes.dialogs.size(), 1u);
    // Not even E012.01, which the list did not hold, stays.
    EXPECT_EQ(Texts(Show()["groups"][1]["lists"][0]), std::vector<std::string>{"E012.03 Schon da"});
    EXPECT_EQ(Column(browser->GetPane(Pane::texts), 1), std::vector<std::string>{"Schon da"});

    // Texts fit only into a list of the same kind.
    Select(Pane::groups, {0});
    Select(Pane::lists, {1});
    Select(Pane::texts, {});
    Command(wxID_PASTE);
    EXPECT_EQ(boxes.messages.back(), Message(ids::kClipboardOtherKind));
    EXPECT_EQ(Texts(Show()["groups"][0]["lists"][1]), std::vector<std::string>{"T001 Start @005 s"});
}

TEST_F(ProjectBrowserGui, DeleteAsksAndSavesAtOnce)
{
    int answer = wxID_CANCEL;
    ModalDriver boxes([&](wxDialog*) { return answer; });
    Select(Pane::texts, {0});
    Command(wxID_DELETE);
    EXPECT_EQ(boxes.messages, std::vector<std::string>{Message(ids::kAskDeleteTexts)});
    EXPECT_EQ(Texts(Show()["groups"][0]["lists"][0]).size(), 2u);

    answer = wxID_OK;
    Command(wxID_DELETE);
    EXPECT_EQ(Texts(Show()["groups"][0]["lists"][0]), std::vector<std::string>{"E012.03 Zu"});
    EXPECT_EQ(Column(browser->GetPane(Pane::texts), 0), std::vector<std::string>{"E012.03"});

    Select(Pane::lists, {0});
    Command(wxID_DELETE);
    EXPECT_EQ(boxes.messages.back(), Message(ids::kAskDeleteLists));
    EXPECT_EQ(ListIds(Show()["groups"][0]), std::vector<std::string>{"002"});

    Select(Pane::groups, {1});
    Command(wxID_DELETE);
    EXPECT_EQ(boxes.messages.back(), Message(ids::kAskDeleteGroups));
    EXPECT_FALSE(fs::exists(dir / "GS02.731"));
    EXPECT_EQ(Show()["groups"].size(), 1u);
    EXPECT_EQ(Column(browser->GetPane(Pane::groups), 0), std::vector<std::string>{"S01"});
}

TEST_F(ProjectBrowserGui, RenameGivesTheGroupANewFileAndRefusesATakenIdentifier)
{
    std::vector<std::function<void(CRenameGroupDialog&)>> steps = {
        [](CRenameGroupDialog& d) {
            wxDynamicCast(d.FindWindow(CRenameGroupDialog::kGroupIdField), wxTextCtrl)->ChangeValue(wxString::FromUTF8("s02"));
            ClickButton(&d, wxID_OK);
        },
        [](CRenameGroupDialog& d) {
            wxDynamicCast(d.FindWindow(CRenameGroupDialog::kGroupIdField), wxTextCtrl)->ChangeValue(wxString::FromUTF8("s07"));
            wxDynamicCast(d.FindWindow(CRenameGroupDialog::kDesignationField), wxTextCtrl)
                ->ChangeValue(wxString::FromUTF8("Förderband"));
            ClickButton(&d, wxID_OK);
        },
    };
    ModalDriver dialogs([&](wxDialog* dialog) {
        if (wxDynamicCast(dialog, wxMessageDialog))
            return int{wxID_OK};
        auto* rename = dynamic_cast<CRenameGroupDialog*>(dialog);
        if (!rename)
            return int{wxID_CANCEL};
        rename->CallAfter([rename, &steps] {
            for (auto& step : steps)
                step(*rename);
        });
        return int{wxID_NONE};
    });
    Select(Pane::groups, {0});
    EXPECT_TRUE(Enabled(cmd::kRenameGroup));
    Command(cmd::kRenameGroup);

    EXPECT_EQ(dialogs.messages, std::vector<std::string>{Message(ids::kGroupIdTaken, "S02")});
    EXPECT_FALSE(fs::exists(dir / "GS01.731"));
    const json renamed = Show();
    ASSERT_EQ(renamed["groups"].size(), 2u);
    EXPECT_EQ(renamed["groups"][1]["id"], "S07");
    EXPECT_EQ(renamed["groups"][1]["name"], "Förderband");
    EXPECT_EQ(ListIds(renamed["groups"][1]), (std::vector<std::string>{"001", "002"}));
    EXPECT_EQ(Column(browser->GetPane(Pane::groups), 0), (std::vector<std::string>{"S02", "S07"}));
    EXPECT_EQ(browser->GetPane(Pane::groups)->GetSelectedRows(), std::vector<int>{1});
}

TEST_F(ProjectBrowserGui, FailedSaveIsReportedAndTheFileShown)
{
    Select(Pane::lists, {1});
    Command(wxID_COPY);
    Select(Pane::groups, {1});
    const json before = Show();
    CAtomicFile::SetFaultHook([](CAtomicFile::Step step) { return step == CAtomicFile::Step::rename ? ENOSPC : 0; });
    ModalDriver boxes(AnswerAll);
    Command(wxID_PASTE);
    CAtomicFile::SetFaultHook({});
    EXPECT_EQ(boxes.messages, std::vector<std::string>{Message(ids::kWriteError, "GS02.731")});
    EXPECT_EQ(Show()["groups"], before["groups"]);
    EXPECT_EQ(Column(browser->GetPane(Pane::lists), 0), std::vector<std::string>{"001"});
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

// Runs the other program with `args` and waits until it has ended or
// `until` holds; the program's clipboard requests are answered meanwhile.
class PeerRun {
public:
    explicit PeerRun(std::vector<std::string> args) : m_args(std::move(args))
    {
        m_args.insert(m_args.begin(), MORAWIN_CLIPBOARD_PEER);
        std::vector<const char*> argv;
        for (const std::string& arg : m_args)
            argv.push_back(arg.c_str());
        argv.push_back(nullptr);
        m_pid = wxExecute(argv.data(), wxEXEC_ASYNC, &m_process);
    }
    ~PeerRun()
    {
        if (m_pid != 0 && !m_process.ended) {
            wxProcess::Kill(static_cast<int>(m_pid), wxSIGTERM);
            WaitFor([&] { return m_process.ended; }, 5000);
        }
    }
    bool Started() const { return m_pid != 0; }
    bool WaitForEnd() { return WaitFor([&] { return m_process.ended; }, 10000); }
    int ExitCode() const { return m_process.exitCode; }

private:
    struct Process : wxProcess {
        void OnTerminate(int, int status) override
        {
            exitCode = status;
            ended = true;
        }
        bool ended = false;
        int exitCode = -1;
    };
    std::vector<std::string> m_args;
    Process m_process;
    long m_pid = 0;
};

TEST_F(ProjectBrowserGui, ListsTravelBetweenProgramsThroughTheSystemClipboard)
{
    // Out: the block as another program gets it.
    Select(Pane::lists, {0});
    Command(wxID_COPY);
    const std::string out = (dir / "block.bin").string();
    PeerRun reader({"get", "RZ731_SCTLISTE", out});
    ASSERT_TRUE(reader.Started());
    ASSERT_TRUE(reader.WaitForEnd());
    EXPECT_EQ(reader.ExitCode(), 0);
    const std::vector<int> first{0};
    EXPECT_EQ(ReadBytes(out), *CClipboardBlock::Build(*browser->GetShownGroup(), first));

    // In: a list that another program offers.
    auto group = std::make_unique<CStepChainGroup>(nullptr);
    CStepChainList* list = ProjectWriter::List(group.get(), "Z09", 5, "Fremd");
    ProjectWriter::Text(list, 7, 0, "Zähler @9");
    const std::string in = (dir / "offer.bin").string();
    WriteBytes(in, *CClipboardBlock::Build(*group, first));
    const fs::path ready = dir / "ready";
    PeerRun offerer({"put", "RZ731_SCTLISTE", in, ready.string()});
    ASSERT_TRUE(offerer.Started());
    ASSERT_TRUE(WaitFor([&] { return fs::exists(ready); }, 10000));
    Select(Pane::groups, {1});
    ModalDriver boxes(AnswerAll);
    Command(wxID_PASTE);
    EXPECT_TRUE(boxes.messages.empty());
    const json pasted = Show()["groups"][1];
    ASSERT_EQ(ListIds(pasted), (std::vector<std::string>{"001", "Z09"}));
    EXPECT_EQ(Texts(pasted["lists"][1]), std::vector<std::string>{"Z007 Zähler @009"});
}

} // namespace

namespace {

// Another program's version of group S02: list 001 as before and a list
// 009 of outputs.
std::vector<std::uint8_t> OtherProgramsS02()
{
    return GroupBytes("P1", "S02", "Ziel", 2)
        .List("001", "Andere", 1, 1).BitBlock(12, 1).Text(3, 0, "Schon da").EndList()
        .List("009", "Fremd", 2, 1).BitBlock(4, 1).Text(0, 0, "Ventil").EndList()
        .Bytes();
}

TEST_F(ProjectBrowserGui, ChangeAnotherProgramMadeSurvivesPasteAndDeleteAndIsShown)
{
    const std::string refused = Message(ids::kChangedOnDisk, "GS02.731");
    ModalDriver boxes(AnswerAll);
    Select(Pane::lists, {1});
    Command(wxID_COPY);
    Select(Pane::groups, {1}); // S02 read now
    WriteBytes(dir / "GS02.731", OtherProgramsS02());
    Command(wxID_PASTE);
    EXPECT_EQ(boxes.messages, std::vector<std::string>{refused});
    EXPECT_EQ(ReadBytes(dir / "GS02.731"), OtherProgramsS02());
    EXPECT_EQ(Column(browser->GetPane(Pane::lists), 0), (std::vector<std::string>{"001", "009"}));

    // Read again, the browser works on what the file holds.
    Command(wxID_PASTE);
    EXPECT_EQ(ListIds(Show()["groups"][1]), (std::vector<std::string>{"001", "009", "002"}));

    // Deleting a text of a list that another program changed meanwhile.
    Select(Pane::lists, {0});
    Select(Pane::texts, {0});
    WriteBytes(dir / "GS02.731", OtherProgramsS02());
    Command(wxID_DELETE);
    EXPECT_EQ(boxes.messages.back(), refused);
    EXPECT_EQ(ReadBytes(dir / "GS02.731"), OtherProgramsS02());
    EXPECT_EQ(Column(browser->GetPane(Pane::texts), 1), std::vector<std::string>{"Schon da"});

    // Deleting the list 009 after another program changed its group.
    Select(Pane::lists, {1});
    const auto changedAgain = GroupBytes("P1", "S02", "Ziel", 1)
                                  .List("009", "Fremd", 2, 1).BitBlock(4, 1).Text(0, 0, "Ventil neu").EndList()
                                  .Bytes();
    WriteBytes(dir / "GS02.731", changedAgain);
    Command(wxID_DELETE);
    EXPECT_EQ(boxes.messages.back(), refused);
    EXPECT_EQ(ReadBytes(dir / "GS02.731"), changedAgain);
    EXPECT_EQ(Column(browser->GetPane(Pane::lists), 0), std::vector<std::string>{"009"});
    EXPECT_EQ(boxes.messages, (std::vector<std::string>{refused, Message(ids::kAskDeleteTexts), refused,
                                                        Message(ids::kAskDeleteLists), refused}));
}

TEST_F(ProjectBrowserGui, GroupChangedByAnotherProgramIsNeitherDeletedNorRenamed)
{
    {
        ModalDriver boxes(AnswerAll);
        Select(Pane::groups, {1});
        WriteBytes(dir / "GS02.731", OtherProgramsS02());
        Command(wxID_DELETE);
        EXPECT_EQ(boxes.messages, (std::vector<std::string>{Message(ids::kAskDeleteGroups),
                                                            Message(ids::kChangedOnDisk, "GS02.731")}));
        EXPECT_EQ(ReadBytes(dir / "GS02.731"), OtherProgramsS02());
        EXPECT_EQ(Column(browser->GetPane(Pane::groups), 0), (std::vector<std::string>{"S01", "S02"}));
    }

    // Renamed after another program changed the file: no new file.
    Select(Pane::groups, {0});
    std::vector<std::uint8_t> s01 = ReadBytes(dir / "GS01.731");
    s01[s01.size() - 2] = 'x'; // the last text's last letter: same length, other bytes
    WriteBytes(dir / "GS01.731", s01);
    ModalDriver dialogs([](wxDialog* dialog) {
        auto* rename = dynamic_cast<CRenameGroupDialog*>(dialog);
        if (!rename)
            return int{wxID_OK};
        rename->CallAfter([rename] {
            wxDynamicCast(rename->FindWindow(CRenameGroupDialog::kGroupIdField), wxTextCtrl)
                ->ChangeValue(wxString::FromUTF8("S07"));
            ClickButton(rename, wxID_OK);
        });
        return int{wxID_NONE};
    });
    Command(cmd::kRenameGroup);
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{Message(ids::kChangedOnDisk, "GS01.731")});
    EXPECT_EQ(Column(browser->GetPane(Pane::groups), 0), (std::vector<std::string>{"S01", "S02"}));
    EXPECT_FALSE(fs::exists(dir / "GS07.731"));
    EXPECT_EQ(ReadBytes(dir / "GS01.731"), s01);

    // Unchanged, the group goes.
    Select(Pane::groups, {1});
    Command(wxID_DELETE);
    EXPECT_FALSE(fs::exists(dir / "GS02.731"));
}

// Texts pasted into a list that holds their operands: each answer of the
// four-answer question, checked in the group file's bytes.
TEST_F(ProjectBrowserGui, PastedTextsForHeldOperandsAskWithTheFourAnswers)
{
    const auto s02 = [](const std::string& e01, const std::string& e03) {
        return GroupBytes("P1", "S02", "Ziel", 1)
            .List("001", "Andere", 1, 1).BitBlock(12, 2).Text(1, 0, e01).Text(3, 0, e03).EndList()
            .Bytes();
    };
    struct Case {
        std::vector<int> answers;
        std::string e01, e03; // the texts afterwards
        int writes;
    };
    const Case cases[] = {
        {{CYesNoAllDlg::kYesId, CYesNoAllDlg::kNoId}, "Auf", "Alt3", 1},
        {{CYesNoAllDlg::kNoId, CYesNoAllDlg::kYesId}, "Alt1", "Zu", 1},
        {{CYesNoAllDlg::kYesForAllId}, "Auf", "Zu", 1},
        {{CYesNoAllDlg::kNoForAllId}, "Alt1", "Alt3", 1},
        // Escape (or the close box) on the second question: nothing at all.
        {{CYesNoAllDlg::kYesId, wxID_CANCEL}, "Alt1", "Alt3", 0},
    };
    Select(Pane::texts, {0, 1});
    Command(wxID_COPY);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.e01 + " " + c.e03 + " " + std::to_string(c.answers.size()));
        WriteBytes(dir / "GS02.731", s02("Alt1", "Alt3"));
        Command(cmd::kRefresh);
        Select(Pane::groups, {1});
        Select(Pane::texts, {});
        std::vector<std::string> questions;
        std::deque<int> answers(c.answers.begin(), c.answers.end());
        ModalDriver dialogs([&](wxDialog* dialog) {
            if (!dynamic_cast<CYesNoAllDlg*>(dialog))
                return int{wxID_OK};
            std::string question = ToUtf8(dialog->FindWindow(1037)->GetLabel());
            std::replace(question.begin(), question.end(), '\n', ' '); // wrapped to the dialog's width
            questions.push_back(question);
            const int answer = answers.empty() ? wxID_CANCEL : answers.front();
            if (!answers.empty())
                answers.pop_front();
            return answer;
        });
        int writes = 0;
        CAtomicFile::SetFaultHook([&](CAtomicFile::Step step) {
            writes += step == CAtomicFile::Step::rename;
            return 0;
        });
        Command(wxID_PASTE);
        CAtomicFile::SetFaultHook({});
        EXPECT_TRUE(dialogs.messages.empty());
        std::vector<std::string> expected{Message(ids::kOperandExists, "E012.01")};
        if (c.answers.size() > 1)
            expected.push_back(Message(ids::kOperandExists, "E012.03"));
        EXPECT_EQ(questions, expected);
        EXPECT_EQ(ReadBytes(dir / "GS02.731"), s02(c.e01, c.e03));
        EXPECT_EQ(writes, c.writes);
        EXPECT_EQ(Column(browser->GetPane(Pane::texts), 1), (std::vector<std::string>{c.e01, c.e03}));
    }
}

} // namespace
