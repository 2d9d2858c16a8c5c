#pragma once

#include "app/frames/MorawinApp.h"
#include "tests/support/TempDir.h"

#include <wx/modalhook.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

class CMainFrame;
class CMorawinView;
class wxDialog;

// The files one run of the GUI tests starts with: a program folder (so
// that settings and help are the test's own), a panel project and a
// sequence file, in folders whose names hold umlauts.
struct GuiFixture {
    GuiFixture();
    TempDir dir;
    std::filesystem::path programFile; // <dir>/bin/morawin, not a real file
    std::filesystem::path settingsFile;
    std::filesystem::path helpDocument;
    std::filesystem::path project;      // "Projekt Mühle", named "Mühle 3"
    std::filesystem::path otherProject; // "Zweitprojekt", named "Linie 2"
    std::filesystem::path sequenceFile; // "Zuordnung Ölmühle.seq", 12 operands
    std::filesystem::path emptySequenceFile;
};
GuiFixture& Fixture();

// The application as the tests start it: its files come from the fixture,
// the browser and the conversion are recorded instead of run.
class CTestApp : public CMorawinApp {
public:
    struct Conversion {
        ConversionMode mode = ConversionMode::selected;
        std::vector<CSequenceEntry*> operands;
        std::string projectName;
        int maxLists = 0;
        int maxOperands = 0;
        int maxGroupSizeKb = 0;
        int symbolToText = -1;
        int commentToText = -1;
    };
    std::vector<Conversion> conversions;
    // Run the real conversion dialog instead of recording the hand-over.
    bool runConversions = false;
    std::vector<std::string> launchedUrls;
    bool browserAvailable = true;

    // Closes the open project, as if none had ever been opened.
    void ForgetProject();

protected:
    std::filesystem::path ProgramFile() const override { return Fixture().programFile; }
    bool LaunchBrowser(const std::string& url) override;
    void HandOverConversion(wxWindow* parent, ConversionMode mode, CPanelProject& project,
                            const std::vector<CSequenceEntry*>& operands) override;
};
CTestApp& TestApp();

// Takes every modal dialog the program opens while it lives. The handler
// gets the dialog before it is shown: it returns an ID to answer for the
// user without showing it, or wxID_NONE to let it run (queue the actions
// with CallAfter on the dialog first).
class ModalDriver : public wxModalDialogHook {
public:
    using Handler = std::function<int(wxDialog*)>;
    explicit ModalDriver(Handler handler);
    ~ModalDriver() override;

    int Enter(wxDialog* dialog) override;
    void Exit(wxDialog*) override {}

    // Texts of the message boxes seen (UTF-8).
    std::vector<std::string> messages;
    // Titles of the other dialogs seen.
    std::vector<std::string> dialogs;

private:
    Handler m_handler;
};
// A handler that answers message boxes with OK and everything else with
// Cancel.
int AnswerAll(wxDialog* dialog);
// A handler that answers message boxes with OK and lets other dialogs run.
int AnswerMessages(wxDialog* dialog);

// Processes pending events until `done` holds or the time is up.
bool WaitFor(const std::function<bool()>& done, int milliseconds = 3000);
// Lets queued events and repaints happen.
void Settle(int milliseconds = 50);
// Clicks a button of a window the way a mouse click does: the button's
// command event, with the button as its object.
void ClickButton(wxWindow* window, int id);
// Sends a menu command to the main frame, as choosing the item does.
void ChooseCommand(int id);

// The main window's title while the maximized child window `name` is
// active. Windows itself names a maximized child in the main window's
// title, in brackets, and wx cannot keep it from doing so: the program
// leaves the name to it there.
std::string MainTitleWith(const std::string& name);

CMorawinView* ActiveView();
std::string ToUtf8(const wxString& text);
std::string ReadFileText(const std::filesystem::path& file);
