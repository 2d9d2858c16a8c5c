#include "tests/app/GuiSupport.h"

#include "app/frames/MainFrame.h"
#include "app/document/MorawinView.h"
#include "data/text/Charset.h"
#include "data/platform/Platform.h"
#include "panel/PanelProject.h"
#include "tests/support/PanelFiles.h"
#include "tests/support/TestSystem.h"

#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/docview.h>
#include <wx/filedlg.h>
#include <wx/msgdlg.h>
#include <wx/utils.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <thread>

namespace fs = std::filesystem;

GuiFixture::GuiFixture()
{
    programFile = dir / "bin" / "morawin";
    settingsFile = dir / "bin" / "morawin.ini";
    helpDocument = dir / "bin" / "hlp" / "morawin.htm";
    fs::create_directories(helpDocument.parent_path());
    // A portable copy: the settings file beside the program is the one the
    // program uses (it only does so when the file exists).
    WriteText(settingsFile, "");
    WriteText(helpDocument, "<html><body>Hilfe</body></html>");

    project = dir.Path() / platform::PathFromUtf8("Projekt Mühle");
    fs::create_directories(project);
    WriteDataFile(project, charset::Utf8ToCp1252("Mühle 3"));
    otherProject = dir / "Zweitprojekt";
    fs::create_directories(otherProject);
    WriteDataFile(otherProject, "Linie 2");

    // Windows-1252 bytes, as the files come from the controls' software.
    sequenceFile = dir.Path() / platform::PathFromUtf8("Zuordnung Ölmühle.seq");
    WriteText(sequenceFile, charset::Utf8ToCp1252("Zuordnungsliste Ölmühle\r\n"
                                                  "\tE 0.0\tNOT_AUS\tNot-Aus geschlossen\r\n"
                                                  "\tE 0.1\tS_START\tTaster Start\r\n"
                                                  "\tA 4.0\tK1\tSchütz Förderband\r\n"
                                                  "\tA 4.1\tK2\tSchütz Rührwerk\r\n"
                                                  "\tM 10.7\tM_TAKT\tTaktmerker\r\n"
                                                  "\tT 1\tT_FÜLLEN\tÜberwachungszeit Füllen\r\n"
                                                  "\tT 2\tT_HEIZEN\t\r\n"
                                                  "\tZ 3\tZ_STÜCK\tStückzähler\r\n"
                                                  "\tZ 1\tZ_CHARGE\tChargenzähler\r\n"
                                                  "\tI 0.2\tS_STOP\tTaster Stopp\r\n"
                                                  "\tO 5.3\tH1\tMeldeleuchte Störung\r\n"
                                                  "\tF 0.0\t\t\r\n"
                                                  "kein Operand\r\n"));
    emptySequenceFile = dir / "leer.seq";
    WriteText(emptySequenceFile, "Nur Kopfzeilen\r\n; nichts\r\n");
}

GuiFixture& Fixture()
{
    static GuiFixture fixture;
    return fixture;
}

bool CTestApp::LaunchBrowser(const std::string& url)
{
    launchedUrls.push_back(url);
    return browserAvailable;
}

void CTestApp::HandOverConversion(wxWindow* parent, ConversionMode mode, CPanelProject& project,
                                  const std::vector<CSequenceEntry*>& operands)
{
    if (runConversions) {
        CMorawinApp::HandOverConversion(parent, mode, project, operands);
        return;
    }
    const CAppSettings& settings = GetSettings();
    conversions.push_back({mode, operands, charset::Cp1252ToUtf8(project.GetName()),
                           settings.MaxLists, settings.MaxOperands, settings.MaxGroupSizeKb, settings.SymbolToText,
                           settings.CommentToText});
}

void CTestApp::ForgetProject()
{
    m_project.reset();
    GetMainFrame()->ShowProject(wxString(), wxString());
}

CTestApp& TestApp()
{
    return static_cast<CTestApp&>(wxGetApp());
}

ModalDriver::ModalDriver(Handler handler) : m_handler(std::move(handler))
{
    Register();
}

ModalDriver::~ModalDriver()
{
    Unregister();
}

int ModalDriver::Enter(wxDialog* dialog)
{
    if (auto* box = wxDynamicCast(dialog, wxMessageDialog))
        messages.push_back(ToUtf8(box->GetMessage()));
    else if (auto* files = wxDynamicCast(dialog, wxFileDialog))
        dialogs.push_back(ToUtf8(files->GetMessage()));
    else
        dialogs.push_back(ToUtf8(dialog->GetTitle()));
    return m_handler ? m_handler(dialog) : wxID_NONE;
}

int AnswerAll(wxDialog* dialog)
{
    return wxDynamicCast(dialog, wxMessageDialog) ? wxID_OK : wxID_CANCEL;
}

int AnswerMessages(wxDialog* dialog)
{
    return wxDynamicCast(dialog, wxMessageDialog) ? wxID_OK : wxID_NONE;
}

bool WaitFor(const std::function<bool()>& done, int milliseconds)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    while (!done()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        wxTheApp->ProcessPendingEvents();
        wxYield();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

void Settle(int milliseconds)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    WaitFor([&] { return std::chrono::steady_clock::now() > end; }, milliseconds + 1000);
}

void ClickButton(wxWindow* window, int id)
{
    auto* button = wxDynamicCast(window->FindWindow(id), wxButton);
    ASSERT_NE(button, nullptr) << "no button " << id;
    wxCommandEvent click(wxEVT_BUTTON, id);
    click.SetEventObject(button);
    button->HandleWindowEvent(click);
}

void ChooseCommand(int id)
{
    // The menus of the active child window show in the main window on
    // every system; the main window hands their commands to that child
    // first and handles what the child leaves.
    wxCommandEvent command(wxEVT_MENU, id);
    wxFrame* main = TestApp().GetMainFrame();
    command.SetEventObject(main);
    main->HandleWindowEvent(command);
}

std::string MainTitleWith(const std::string& name)
{
    return test_system::kWindows ? "MoraWin - [" + name + "]" : "MoraWin - " + name;
}

CMorawinView* ActiveView()
{
    return dynamic_cast<CMorawinView*>(TestApp().GetDocManager()->GetCurrentView());
}

std::string ToUtf8(const wxString& text)
{
    return text.utf8_string();
}

std::string ReadFileText(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}
