#include "app/frames/MorawinApp.h"
#include "app/platform/MenuKeys.h"

#include "app/dialogs/AboutDialog.h"
#include "app/frames/CommandIds.h"
#include "app/startup/CommandLine.h"
#include "app/dialogs/ConfigDialog.h"
#include "app/dialogs/HistoryDialog.h"
#include "app/document/ConversionLauncher.h"
#include "app/frames/FileFilter.h"
#include "app/platform/HelpLauncher.h"
#include "app/platform/HtmlViewer.h"
#include "app/frames/MainFrame.h"
#include "app/platform/ShellPlatform.h"
#include "app/document/MorawinDoc.h"
#include "app/document/MorawinView.h"
#include "app/startup/ProjectArgument.h"
#include "app/startup/WindowLanguage.h"
#include "app/browser/ProjectBrowserFrame.h"
#include "app/frames/ProjectObserver.h"
#include "app/dialogs/ProjectFolderDialog.h"
#include "app/platform/ShellPlatform.h"
#include "gui/WxText.h"
#include "data/text/Charset.h"
#include "data/text/ErrorMessage.h"
#include "data/platform/Platform.h"
#include "data/settings/Language.h"
#include "data/settings/SettingsLocation.h"
#include "data/settings/StartUp.h"
#include "data/text/StringTable.h"
#include "panel/PanelProject.h"

#include <wx/menu.h>
#include <wx/docview.h>
#include <wx/filedlg.h>
#include <wx/msgdlg.h>
#include <wx/translation.h>
#include <wx/utils.h>

#include <algorithm>
#include <cstdio>
#include <fstream>

namespace fs = std::filesystem;

CMorawinApp& wxGetApp()
{
    return *static_cast<CMorawinApp*>(wxApp::GetInstance());
}

CMorawinApp::CMorawinApp() = default;
CMorawinApp::~CMorawinApp() = default;

fs::path CMorawinApp::ProgramFile() const
{
    fs::path program = settings_location::ProgramFile();
    return program.empty() ? fs::path(wxtext::ArgumentBytes(argv[0])) : program;
}

bool CMorawinApp::OnInit()
{
    s_windowSystemOpened = true;
    wxLog::EnableLogging(true);
    const CCommandLine line = ParseArguments();
    if (!line.Error.empty()) {
        std::fprintf(stderr, "morawin: %s\n%s", line.Error.c_str(), CCommandLine::Usage().c_str());
        return false;
    }
    m_paths = start_up::Begin(ProgramFile(), line.SettingsFile);
    CErrorMessage::SetSink(&m_sink);
    IClipboard::Install(&m_clipboard);
    m_recent.List().LoadFrom(m_paths.SettingsFile);
    m_settings.Load(m_paths.SettingsFile);
    SetUpLanguage();

    m_docManager = new wxDocManager;
    // untranslated: the document type's names are wx's, never shown (the program has its own file dialog).
    new wxDocTemplate(m_docManager, wxString::FromUTF8("Morawi"), wxString::FromUTF8("*"), wxString(), // untranslated:
                      wxString::FromUTF8("seq"), wxString::FromUTF8("Morawi Document"),              // untranslated:
                      wxString::FromUTF8("Morawi View"), wxCLASSINFO(CMorawinDoc), wxCLASSINFO(CMorawinView)); // untranslated:
    m_mainFrame = new CMainFrame(m_docManager);
    SetTopWindow(m_mainFrame);
    BindCommands();
    m_mainFrame->Show();
    m_mainFrame->WhenOnScreen([this, files = line.FilesToOpen, project = line.ProjectArgument] {
        for (const fs::path& file : files)
            OpenSequenceFile(file);
        OpenProjectArgument(project);
    });
    return true;
}

void CMorawinApp::SetUpLanguage()
{
    m_language = window_language::Use(m_paths, m_settings.Language);
}

CCommandLine CMorawinApp::ParseArguments() const
{
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i)
        args.push_back(wxtext::ArgumentBytes(argv[i]));
    return CCommandLine::Parse(args);
}

void CMorawinApp::OnUnhandledException()
{
    // Called inside the framework's catch block: hands the exception on.
    throw;
}

int CMorawinApp::OnExit()
{
    m_recent.List().SaveTo(m_paths.SettingsFile);
    delete m_docManager;
    m_docManager = nullptr;
    m_project.reset();
    IClipboard::Install(nullptr);
    CErrorMessage::SetSink(nullptr);
    return wxApp::OnExit();
}

int CMorawinApp::FilterEvent(wxEvent& event)
{
    // A command ends every open menu. Windows announces the menu of an item
    // chosen by its key (Ctrl+O) as opened, but never as closed.
    if (event.GetEventType() == wxEVT_MENU && m_mainFrame)
        m_mainFrame->EndMenuMode();
    return Event_Skip;
}

void CMorawinApp::BindCommands()
{
    Bind(wxEVT_MENU, &CMorawinApp::OnAbout, this, cmd::kAppAbout);
    Bind(wxEVT_MENU, &CMorawinApp::OnFileOpen, this, cmd::kFileOpen);
    Bind(wxEVT_MENU, &CMorawinApp::OnImportTable, this, cmd::kImportTable);
    Bind(wxEVT_UPDATE_UI, &CMorawinApp::OnUpdateEnabled, this, cmd::kImportTable);
    Bind(wxEVT_MENU, &CMorawinApp::OnOpenProjectCommand, this, cmd::kOpenProject);
    Bind(wxEVT_MENU, &CMorawinApp::OnConfiguration, this, cmd::kConfiguration);
    Bind(wxEVT_MENU, &CMorawinApp::OnLanguage, this, cmd::kLanguageGerman, cmd::kLanguageSystem);
    Bind(wxEVT_UPDATE_UI, &CMorawinApp::OnUpdateLanguage, this, cmd::kLanguageGerman, cmd::kLanguageSystem);
    Bind(wxEVT_MENU, &CMorawinApp::OnHelpFinder, this, cmd::kHelpFinder);
    Bind(wxEVT_MENU, &CMorawinApp::OnRecentFile, this, cmd::kRecentFirst, cmd::kRecentFirst + cmd::kRecentCount - 1);
    Bind(wxEVT_UPDATE_UI, &CMorawinApp::OnUpdateEnabled, this, cmd::kOpenProject);
    Bind(wxEVT_UPDATE_UI, &CMorawinApp::OnUpdateEnabled, this, cmd::kFileOpen);
    Bind(wxEVT_MENU, &CMorawinApp::OnProjectBrowser, this, cmd::kProjectBrowser);
    Bind(wxEVT_UPDATE_UI, &CMorawinApp::OnUpdateEnabled, this, cmd::kProjectBrowser);
    Bind(wxEVT_MENU, &CMorawinApp::OnUndo, this, cmd::kEditUndo);
    Bind(wxEVT_MENU, &CMorawinApp::OnRedo, this, cmd::kEditRedo);
    Bind(wxEVT_MENU, &CMorawinApp::OnHistoryWindow, this, cmd::kHistoryWindow);
    for (int id : {static_cast<int>(cmd::kEditUndo), static_cast<int>(cmd::kEditRedo), static_cast<int>(cmd::kHistoryWindow)})
        Bind(wxEVT_UPDATE_UI, &CMorawinApp::OnUpdateTakeBack, this, id);
}

bool CMorawinApp::OpenSequenceFile(const fs::path& file)
{
    std::error_code ec;
    const fs::path full = fs::absolute(file, ec).lexically_normal();
    // A file that cannot be read gets no window at all, not one that opens
    // and closes again.
    if (fs::is_directory(full, ec) || !std::ifstream(full, std::ios::binary)) {
        CErrorMessage(ids::kReadError, charset::Utf8ToCp1252(platform::PathToUtf8(full)), 0).Report();
        return false;
    }
    // The document manager brings up the window of a file that is open.
    return m_docManager->CreateDocument(wxtext::FromPath(full), wxDOC_SILENT) != nullptr;
}

bool CMorawinApp::ImportSymbolTable(const fs::path& file)
{
    m_columnsRequest = fs::absolute(file).lexically_normal();
    const bool opened = OpenSequenceFile(file);
    m_columnsRequest.clear();
    return opened;
}

bool CMorawinApp::TakeColumnsRequest(const fs::path& file)
{
    const bool asked = !m_columnsRequest.empty() && m_columnsRequest == file;
    if (asked)
        m_columnsRequest.clear();
    return asked;
}

void CMorawinApp::OnImportTable(wxCommandEvent&)
{
    wxFileDialog dialog(m_mainFrame, wxtext::Tr("Symboltabelle importieren"), wxString(), wxString(),
                        wxtext::FromCp1252(FileDialogWildcard(CStringTable::Get(ids::kSymbolTableFilter))),
                        wxFD_OPEN | wxFD_FILE_MUST_EXIST);
    if (dialog.ShowModal() == wxID_OK)
        ImportSymbolTable(wxtext::ToPath(dialog.GetPath()));
}

void CMorawinApp::AddRecentFile(const fs::path& file)
{
    m_recent.List().Add(file);
    m_recent.Refresh();
}

void CMorawinApp::SetProject(std::unique_ptr<CPanelProject> project, const fs::path& shownPath)
{
    m_project = std::move(project);
    m_mainFrame->ShowProject(wxtext::FromPath(shownPath), wxtext::FromCp1252(m_project->GetName()));
    NotifyProjectChanged();
}

bool CMorawinApp::OpenProjectArgument(const fs::path& argument)
{
    const fs::path folder = ResolveProjectArgument(argument);
    if (folder.empty())
        return false;
    auto project = std::make_unique<CPanelProject>(folder, std::string());
    if (!project->IsValid())
        return false;
    SetProject(std::move(project), folder);
    return true;
}

void CMorawinApp::OnOpenProject()
{
    // The user most likely looks for a project beside the one open, or
    // where the last search ended.
    // (The project folder ends with a separator: its parent_path is the
    // folder itself.)
    const fs::path start = m_project ? m_project->GetProjectDir().parent_path() : m_lastChosenFolder;
    CProjectFolderDialog chooser(m_mainFrame, wxtext::String(ids::kOpenProjectTitle), start);
    if (chooser.ShowModal() != wxID_OK)
        return;
    m_lastChosenFolder = chooser.GetChosenFolder();
    // The chooser has just seen a valid project there; should the folder
    // have changed since, the open project stays.
    auto project = std::make_unique<CPanelProject>(chooser.GetChosenFolder(), std::string());
    if (project->IsValid())
        SetProject(std::move(project), chooser.GetChosenFolder());
}

bool CMorawinApp::EnsureProject()
{
    if (!m_project)
        OnOpenProject();
    return m_project != nullptr;
}

void CMorawinApp::RunConversion(wxWindow* parent, ConversionMode mode, const std::vector<CSequenceEntry*>& operands)
{
    if (!m_project)
        return;
    HandOverConversion(parent, mode, *m_project, operands);
    // The conversion may have written group files.
    NotifyProjectChanged();
}

CProjectBrowserFrame* CMorawinApp::OpenProjectBrowser()
{
    if (!EnsureProject())
        return nullptr;
    for (IProjectObserver* observer : m_observers) {
        if (auto* browser = dynamic_cast<CProjectBrowserFrame*>(observer)) {
            browser->Activate();
            return browser;
        }
    }
    auto* browser = new CProjectBrowserFrame(m_mainFrame);
    browser->Show();
    return browser;
}

void CMorawinApp::AddProjectObserver(IProjectObserver* observer)
{
    m_observers.push_back(observer);
}

void CMorawinApp::RemoveProjectObserver(IProjectObserver* observer)
{
    std::erase(m_observers, observer);
}

void CMorawinApp::NotifyProjectChanged()
{
    // An observer may go while it is told (a browser closes without a
    // project); the others are still told.
    const std::vector<IProjectObserver*> observers = m_observers;
    for (IProjectObserver* observer : observers)
        if (std::find(m_observers.begin(), m_observers.end(), observer) != m_observers.end())
            observer->OnProjectChanged();
}

void CMorawinApp::HandOverConversion(wxWindow* parent, ConversionMode mode, CPanelProject& project,
                                     const std::vector<CSequenceEntry*>& operands)
{
    ::RunConversion(parent, mode, project, operands, m_settings, GetHistory());
}

CProjectHistory* CMorawinApp::GetHistory()
{
    if (!m_project) {
        m_history.reset();
        return nullptr;
    }
    // Made again for another project and after the limits changed.
    const auto limits = CProjectHistory::Limits::Of(m_settings);
    if (!m_history || m_history->ProjectFolder() != m_project->GetProjectDir() || limits.keep != m_historyLimits.keep
        || limits.maxSizeMb != m_historyLimits.maxSizeMb) {
        m_history = std::make_unique<CProjectHistory>(m_paths.HistoryFolder, *m_project, limits);
        m_historyLimits = limits;
    }
    return m_history.get();
}

namespace {

wxString Lines(const std::vector<std::string>& lines)
{
    wxString text;
    for (const std::string& line : lines)
        text << (text.empty() ? wxString() : wxString::FromUTF8("\n")) << wxtext::FromCp1252(line);
    return text;
}

// "&Rückgängig: Konvertierung von ..." with the description's own "&"
// shown as it is.
wxString TakeBackLabel(const wxString& label, const char* key, const std::optional<CHistoryIndex::Record>& next)
{
    wxString text = label;
    if (next) {
        wxString subject = wxtext::FromCp1252(CProjectHistory::SubjectOf(*next));
        subject.Replace(wxString::FromUTF8("&"), wxString::FromUTF8("&&"));
        text << wxString::FromUTF8(": ") << subject;
    }
    return text + wxString::FromUTF8(key);
}

// Sets the label of the menu item the event asks about, and shows its key
// with its German name again (Windows shows the text as set).
void SetItemLabel(wxUpdateUIEvent& event, const wxString& label)
{
    auto* menu = wxDynamicCast(event.GetEventObject(), wxMenu);
    wxMenuItem* item = menu ? menu->FindItem(event.GetId()) : nullptr;
    if (!item) {
        event.SetText(label);
        return;
    }
    if (item->GetItemLabel() == label)
        return;
    item->SetItemLabel(label);
    menu_keys::ShowGermanKeyName(*item);
}

} // namespace

void CMorawinApp::TakeBack(const std::function<CProjectHistory::TakeBack(bool onlyUnchanged)>& run)
{
    using Outcome = CProjectHistory::TakeBack::Outcome;
    auto result = run(false);
    if (result.outcome == Outcome::refused && !result.changedFiles.empty()) {
        // Files changed since: the user chooses between the other files and
        // nothing; Escape keeps everything as it is. (Any other refusal,
        // another program taking back, offers no choice.)
        wxMessageDialog question(m_mainFrame, wxtext::String(ids::kAskTakeBackOthers), wxtext::String(ids::kProgramTitle),
                                 wxOK | wxCANCEL | wxICON_QUESTION | wxCANCEL_DEFAULT);
        question.SetExtendedMessage(Lines(result.messages));
        if (question.ShowModal() != wxID_OK)
            return;
        result = run(true);
    }
    if (result.outcome != Outcome::done && !result.messages.empty()) {
        wxMessageDialog box(m_mainFrame, Lines(result.messages), wxtext::String(ids::kProgramTitle),
                            wxOK | wxICON_EXCLAMATION);
        box.ShowModal();
    }
    if (result.outcome != Outcome::nothing)
        NotifyProjectChanged();
}

void CMorawinApp::OnUndo(wxCommandEvent&)
{
    if (CProjectHistory* history = GetHistory())
        TakeBack([history](bool onlyUnchanged) { return history->Undo(std::nullopt, onlyUnchanged); });
}

void CMorawinApp::OnRedo(wxCommandEvent&)
{
    if (CProjectHistory* history = GetHistory())
        TakeBack([history](bool onlyUnchanged) { return history->Redo(onlyUnchanged); });
}

void CMorawinApp::ResetHistoryTo(int id)
{
    CProjectHistory* history = GetHistory();
    if (!history)
        return;
    // The operation after `id` on the undo stack is the last to go; before
    // every operation, the oldest one.
    const std::vector<int> undo = history->Read().undo;
    auto at = undo.begin();
    if (id != CHistoryDialog::kBeforeAll) {
        at = std::find(undo.begin(), undo.end(), id);
        if (at != undo.end())
            ++at;
    }
    if (at == undo.end())
        return;
    const int downTo = *at;
    TakeBack([history, downTo](bool onlyUnchanged) { return history->Undo(downTo, onlyUnchanged); });
}

void CMorawinApp::OnHistoryWindow(wxCommandEvent&)
{
    if (!EnsureProject())
        return;
    CProjectHistory* history = GetHistory();
    CHistoryDialog dialog(m_mainFrame, *history, [this](int id) { ResetHistoryTo(id); });
    dialog.ShowModal();
}

void CMorawinApp::OnUpdateTakeBack(wxUpdateUIEvent& event)
{
    CProjectHistory* history = GetHistory();
    const bool on = history && !history->IsOff();
    switch (event.GetId()) {
    case cmd::kEditUndo: {
        const auto next = on ? history->NextUndo() : std::nullopt;
        SetItemLabel(event, TakeBackLabel(wxtext::Tr("&Rückgängig"), "\tCtrl+Z", next));
        event.Enable(next.has_value());
        break;
    }
    case cmd::kEditRedo: {
        const auto next = on ? history->NextRedo() : std::nullopt;
        SetItemLabel(event, TakeBackLabel(wxtext::Tr("&Wiederherstellen"), "\tCtrl+Y", next));
        event.Enable(next.has_value());
        break;
    }
    default: event.Enable(true);
    }
}

bool CMorawinApp::LaunchBrowser(const std::string& url)
{
    const fs::path document = m_paths.HelpDocument(m_settings.HelpFileName, m_language);
    return LaunchHtmlViewer(wxtext::FromUtf8(url), [document] { CHelpLauncher::ReportLaunchFailure(document); });
}

bool CMorawinApp::ShowHelp()
{
    const CHelpLauncher launcher([this](const std::string& url) { return LaunchBrowser(url); });
    return launcher.Open(m_paths.HelpDocument(m_settings.HelpFileName, m_language));
}

void CMorawinApp::OnAbout(wxCommandEvent&)
{
    CAboutDialog about(m_mainFrame, m_paths);
    about.ShowModal();
}

void CMorawinApp::OnFileOpen(wxCommandEvent&)
{
    wxFileDialog dialog(m_mainFrame, wxtext::Tr("Öffnen"), wxString(), wxString(),
                        wxtext::FromCp1252(FileDialogWildcard(CStringTable::Get(ids::kSymbolTableFilter))),
                        wxFD_OPEN | wxFD_FILE_MUST_EXIST);
    if (dialog.ShowModal() == wxID_OK)
        OpenSequenceFile(wxtext::ToPath(dialog.GetPath()));
}

void CMorawinApp::OnOpenProjectCommand(wxCommandEvent&)
{
    OnOpenProject();
}

namespace {

// The settings' name of a language command's language.
const char* LanguageOf(int command)
{
    return command == cmd::kLanguageEnglish ? language::kEnglish
           : command == cmd::kLanguageSystem ? language::kSystem
                                             : language::kGerman;
}

// The language the settings choose; none, or an unknown one, is German.
std::string ChoiceOf(const CAppSettings& settings)
{
    return language::IsChoice(settings.Language) ? settings.Language : language::kGerman;
}

} // namespace

void CMorawinApp::OnLanguage(wxCommandEvent& event)
{
    const std::string chosen = LanguageOf(event.GetId());
    if (chosen == ChoiceOf(m_settings))
        return;
    m_settings.Language = chosen;
    // As in the configuration dialog, a failed write is not reported.
    m_settings.Save();
    wxMessageBox(wxtext::Tr("Die gewählte Sprache gilt ab dem nächsten Start von MoraWin."),
                 wxtext::String(ids::kProgramTitle), wxOK | wxICON_INFORMATION, m_mainFrame);
}

void CMorawinApp::OnUpdateLanguage(wxUpdateUIEvent& event)
{
    event.Check(ChoiceOf(m_settings) == LanguageOf(event.GetId()));
}

void CMorawinApp::OnConfiguration(wxCommandEvent&)
{
    CConfigDialog dialog(m_mainFrame, m_settings);
    dialog.ShowModal();
}

void CMorawinApp::OnHelpFinder(wxCommandEvent&)
{
    ShowHelp();
}

void CMorawinApp::OnRecentFile(wxCommandEvent& event)
{
    const auto index = static_cast<std::size_t>(event.GetId() - cmd::kRecentFirst);
    const auto& files = m_recent.List().GetFiles();
    if (index >= files.size())
        return;
    // A file that cannot be opened any more leaves the list.
    if (!OpenSequenceFile(files[index])) {
        m_recent.List().Remove(index);
        m_recent.Refresh();
    }
}

void CMorawinApp::OnProjectBrowser(wxCommandEvent&)
{
    OpenProjectBrowser();
}

void CMorawinApp::OnUpdateEnabled(wxUpdateUIEvent& event)
{
    event.Enable(true);
}
