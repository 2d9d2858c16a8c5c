// Copy and paste in the project browser: lists and texts, the question for
// held operands, a failed save, and the clipboard between programs.
#include "convert/dialogs/YesNoAllDlg.h"
#include "data/clipboard/ClipboardBlock.h"
#include "data/text/TextFormat.h"
#include "gui/WxText.h"
#include "tests/app/ProjectBrowserGuiFixture.h"
#include "tests/support/TestSystem.h"

#include <wx/process.h>
#include <wx/uiaction.h>

#include <algorithm>
#include <cerrno>
#include <deque>

namespace {

TEST_F(ProjectBrowserGui, ListCopiedIntoAnotherGroupAndPastedAgainIsOfferedTheNextFreeIdentifier)
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

    // Abbrechen pastes nothing; OK pastes under the group's next free
    // identifier.
    const std::string question = ToUtf8(wxtext::FromCp1252(
        FormatText(CStringTable::Get(ids::kAskPasteListAs), {std::string("002"), std::string("S02"), std::string("003")})));
    {
        ModalDriver cancel([](wxDialog*) { return static_cast<int>(wxID_CANCEL); });
        Command(wxID_PASTE);
        EXPECT_EQ(cancel.messages, std::vector<std::string>{question});
    }
    EXPECT_EQ(Show()["groups"], pasted["groups"]);
    EXPECT_EQ(Column(browser->GetPane(Pane::lists), 0), (std::vector<std::string>{"001", "002"}));
    boxes.messages.clear();
    Command(wxID_PASTE);
    EXPECT_EQ(boxes.messages, std::vector<std::string>{question});
    const json again = Show();
    ASSERT_EQ(ListIds(again["groups"][1]), (std::vector<std::string>{"001", "002", "003"}));
    EXPECT_EQ(again["groups"][1]["lists"][2]["name"], "Zeiten");
    EXPECT_EQ(Texts(again["groups"][1]["lists"][2]), std::vector<std::string>{"T001 Start @005 s"});
    EXPECT_EQ(browser->GetPane(Pane::lists)->GetSelectedRows(), std::vector<int>{2});
}

TEST_F(ProjectBrowserGui, CtrlVThatCannotPasteSaysWhy)
{
    ModalDriver boxes(AnswerAll);
    wxUIActionSimulator keys;
    const json before = Show();
    Select(Pane::texts, {0});
    Command(wxID_COPY);
    Select(Pane::lists, {0});
    ASSERT_FALSE(browser->GetShownGroup()->CanPaste()) << "the clipboard holds lists";
    // Under Wine the simulated Ctrl+V of this test never reached the
    // browser (the one of KeysCopyPasteAndDeleteReachTheBrowser does); the
    // menu command takes the same way from there.
    if (test_system::UnderWine())
        Command(wxID_PASTE);
    else
        keys.Char('V', wxMOD_CONTROL);
    ASSERT_TRUE(WaitFor([&] { return !boxes.messages.empty(); }));
    EXPECT_EQ(boxes.messages, std::vector<std::string>{Message(ids::kClipboardHoldsNoLists)});
    EXPECT_EQ(Show()["groups"], before["groups"]);
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
        // Counted are the group's writes: the history, which writes its own
        // files the same way, is off.
        TestApp().GetSettings().HistoryKeep = 0;
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

// A full disk: the history cannot keep the file, so it is not written; with
// the history off the file's own write fails.
TEST_F(ProjectBrowserGui, FailedSaveIsReportedAndTheFileShown)
{
    Select(Pane::lists, {1});
    Command(wxID_COPY);
    Select(Pane::groups, {1});
    const json before = Show();
    for (const unsigned message : {ids::kHistoryUnwritable, ids::kWriteError}) {
        TestApp().GetSettings().HistoryKeep = message == ids::kWriteError ? 0 : 100;
        CAtomicFile::SetFaultHook([](CAtomicFile::Step step) { return step == CAtomicFile::Step::rename ? ENOSPC : 0; });
        ModalDriver boxes(AnswerAll);
        Command(wxID_PASTE);
        CAtomicFile::SetFaultHook({});
        EXPECT_EQ(boxes.messages, std::vector<std::string>{Message(message, "GS02.731")});
        EXPECT_EQ(Show()["groups"], before["groups"]);
        EXPECT_EQ(Column(browser->GetPane(Pane::lists), 0), std::vector<std::string>{"001"});
    }
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
