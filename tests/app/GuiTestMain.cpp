// The GUI tests run the real application under X (Xvfb in CI): it starts
// with the fixture's project folder and sequence file on its command line,
// as a user would start it, and the tests drive its windows.
#include "tests/app/GuiSupport.h"

#include <gtest/gtest.h>
#include <wx/docview.h>
#include <wx/evtloop.h>
#include <wx/init.h>
#include <wx/log.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace {

// Every test starts from the state the command line gave: one window on
// the fixture's sequence file and the fixture's project open. The first
// test of a run sees the real start-up.
class StartStateListener : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override
    {
        if (m_first) {
            m_first = false;
            return;
        }
        CTestApp& app = TestApp();
        app.GetDocManager()->CloseDocuments(true);
        Settle();
        app.ForgetProject();
        app.OpenProjectArgument(Fixture().project);
        app.OpenSequenceFile(Fixture().sequenceFile);
        std::filesystem::remove(Fixture().settingsFile);
        app.GetSettings().Load(Fixture().settingsFile);
        app.conversions.clear();
        app.launchedUrls.clear();
        app.browserAvailable = true;
        Settle();
    }
    bool m_first = true;
};

// A failed wx assertion would open a dialog nobody answers.
void FailTestOnAssert(const wxString& file, int line, const wxString& function, const wxString& condition,
                      const wxString& message)
{
    ADD_FAILURE_AT(file.utf8_string().c_str(), line)
        << "wx assertion in " << function.utf8_string() << ": " << condition.utf8_string() << " "
        << message.utf8_string();
}

void Shutdown()
{
    if (wxDocManager* documents = TestApp().GetDocManager())
        documents->CloseDocuments(true);
    if (wxWindow* main = wxTheApp->GetTopWindow())
        main->Destroy();
    wxTheApp->ProcessPendingEvents();
    wxTheApp->ProcessIdle();
    wxTheApp->OnExit();
    wxEntryCleanup();
}

// Starts wx with a command line as the system hands it to a program: wide
// on Windows, where narrow arguments would be read in the ANSI code page
// that cannot hold every file name, the file names' own bytes elsewhere.
bool StartWx(const std::vector<std::filesystem::path>& arguments)
{
    static std::vector<std::filesystem::path::string_type> texts;
    static std::vector<std::filesystem::path::value_type*> pointers;
    for (const auto& argument : arguments)
        texts.push_back(argument.native());
    for (auto& text : texts)
        pointers.push_back(text.data());
    pointers.push_back(nullptr);
    int count = static_cast<int>(arguments.size());
    return wxEntryStart(count, pointers.data());
}

} // namespace

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    // Test discovery at build time needs no display.
    if (::testing::GTEST_FLAG(list_tests))
        return RUN_ALL_TESTS();

    ::testing::UnitTest::GetInstance()->listeners().Append(new StartStateListener);
    wxSetAssertHandler(FailTestOnAssert);
    wxApp::SetInstance(new CTestApp);
    if (!StartWx({argv[0], Fixture().project, "--open", Fixture().sequenceFile})) {
        std::fprintf(stderr, "gui_tests: no display (set DISPLAY or run under Xvfb)\n");
        return 1;
    }
    // A log message must not become a message box nobody answers.
    delete wxLog::SetActiveTarget(new wxLogStderr);
    if (!wxTheApp->CallOnInit()) {
        std::fprintf(stderr, "gui_tests: the application did not start\n");
        return 1;
    }
    int result = 0;
    {
        // The tests run as the program's handlers do, inside an event loop:
        // only then does waiting in a test dispatch what the system queues
        // (keys, paints, timers, the end of a started program). Windows
        // leaves those in the queue while no loop is active.
        wxGUIEventLoop loop;
        wxEventLoopActivator active(&loop);
        Settle(200);
        result = RUN_ALL_TESTS();
    }
    Shutdown();
    return result;
}
