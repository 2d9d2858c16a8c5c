// "Alle übernehmen" in the conversion dialog: the operands left at S99,
// and the progress of a long run, which can be stopped.
#include "tests/convert/ConversionDialogFixture.h"
#include "tests/cli/CliRunner.h"
#include "tests/support/TestSystem.h"

#include <wx/progdlg.h>

namespace {

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

} // namespace
