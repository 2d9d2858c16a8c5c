#pragma once

#include "data/settings/AppPaths.h"
#include "app/startup/CommandLine.h"
#include "app/frames/RecentFilesMenu.h"
#include "app/browser/WxClipboard.h"
#include "app/dialogs/WxMessageSink.h"
#include "convert/ConversionMode.h"
#include "data/settings/AppSettings.h"
#include "history/ProjectHistory.h"

#include <wx/app.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class CMainFrame;
class CPanelProject;
class CProjectBrowserFrame;
class IProjectObserver;
class CSequenceEntry;
class wxDocManager;

// The application: start-up (paths, settings, resource catalog, document
// template, main frame, command line), the open panel project, and the
// commands that need no document: About, Open, Open project,
// Configuration, Help and the recent files.
class CMorawinApp : public wxApp {
public:
    CMorawinApp();
    ~CMorawinApp() override;

    bool OnInit() override;
    // Whether the window system opened: wx calls OnInit only then.
    static bool WindowSystemOpened() { return s_windowSystemOpened; }
    int OnExit() override;
    int FilterEvent(wxEvent& event) override;
    // An exception that no handler caught leaves the program through main,
    // which says what happened and ends with its documented exit code.
    void OnUnhandledException() override;

    CMainFrame* GetMainFrame() const { return m_mainFrame; }
    wxDocManager* GetDocManager() const { return m_docManager; }
    CAppSettings& GetSettings() { return m_settings; }
    const std::string& GetLanguage() const { return m_language; }
    const CAppPaths& GetPaths() const { return m_paths; }
    CPanelProject* GetProject() const { return m_project.get(); }
    CRecentFilesMenu& RecentFiles() { return m_recent; }
    // The history of the open project with the settings' limits; null
    // without a project.
    CProjectHistory* GetHistory();
    // Takes back every operation after `id`, which stays in effect (the
    // Verlauf window's "Zurücksetzen auf diesen Stand").
    void ResetHistoryTo(int id);

    // Opens a sequence file in a new window, or brings up the window that
    // shows it already. False when it could not be opened.
    bool OpenSequenceFile(const std::filesystem::path& file);
    // Opens a symbol table after the columns dialog, whatever the reader
    // would find by itself.
    bool ImportSymbolTable(const std::filesystem::path& file);
    // Whether the document being opened for `file` asks for its columns
    // (once: the request is used up).
    bool TakeColumnsRequest(const std::filesystem::path& file);
    void AddRecentFile(const std::filesystem::path& file);

    // The project argument of the command line: opens the project when the
    // folder holds a valid one, otherwise silently nothing.
    bool OpenProjectArgument(const std::filesystem::path& argument);
    // Runs the project folder chooser; a chosen project replaces the open
    // one, Cancel keeps it.
    void OnOpenProject();
    // True when a project is open, after running the chooser if none was.
    bool EnsureProject();

    // Hands the operands of a view to the conversion; a project must be
    // open.
    void RunConversion(wxWindow* parent, ConversionMode mode, const std::vector<CSequenceEntry*>& operands);
    // Opens the help document; a failure is reported to the user.
    bool ShowHelp();

    // Brings up the project browser on the open project, opening one first
    // when none is; null when no project is open afterwards.
    CProjectBrowserFrame* OpenProjectBrowser();
    // Observers are told when another project is opened and after each
    // conversion; they remove themselves before they go.
    void AddProjectObserver(IProjectObserver* observer);
    void RemoveProjectObserver(IProjectObserver* observer);
    // Tells the observers; also for windows that wrote group files.
    void NotifyProjectChanged();

protected:
    // The points where tests step in.
    virtual std::filesystem::path ProgramFile() const;
    virtual bool LaunchBrowser(const std::string& url);
    virtual void HandOverConversion(wxWindow* parent, ConversionMode mode, CPanelProject& project,
                                    const std::vector<CSequenceEntry*>& operands);

    // Tests close it to start from "no project".
    std::unique_ptr<CPanelProject> m_project;

private:
    void SetUpLanguage();
    CCommandLine ParseArguments() const;
    void SetProject(std::unique_ptr<CPanelProject> project, const std::filesystem::path& shownPath);
    void BindCommands();
    void OnAbout(wxCommandEvent& event);
    void OnFileOpen(wxCommandEvent& event);
    void OnImportTable(wxCommandEvent& event);
    void OnOpenProjectCommand(wxCommandEvent& event);
    void OnConfiguration(wxCommandEvent& event);
    void OnLanguage(wxCommandEvent& event);
    void OnUpdateLanguage(wxUpdateUIEvent& event);
    void OnHelpFinder(wxCommandEvent& event);
    void OnRecentFile(wxCommandEvent& event);
    void OnProjectBrowser(wxCommandEvent& event);
    void OnUpdateEnabled(wxUpdateUIEvent& event);
    void OnUndo(wxCommandEvent& event);
    void OnRedo(wxCommandEvent& event);
    void OnHistoryWindow(wxCommandEvent& event);
    void OnUpdateTakeBack(wxUpdateUIEvent& event);
    // Runs a take-back; files changed since are asked about (take back the
    // others only, or nothing), failures shown. The windows show the result.
    void TakeBack(const std::function<CProjectHistory::TakeBack(bool onlyUnchanged)>& run);

    CAppSettings m_settings;
    CAppPaths m_paths;
    // "de" or "en", as the program speaks since its start.
    std::string m_language;
    // Where the project chooser ended last, for a chooser opened without a
    // project.
    std::filesystem::path m_lastChosenFolder;
    std::filesystem::path m_columnsRequest;
    CRecentFilesMenu m_recent;
    CWxMessageSink m_sink;
    CWxClipboard m_clipboard;
    std::vector<IProjectObserver*> m_observers;
    std::unique_ptr<CProjectHistory> m_history;
    CProjectHistory::Limits m_historyLimits;
    wxDocManager* m_docManager = nullptr;
    CMainFrame* m_mainFrame = nullptr;
    static inline bool s_windowSystemOpened = false;
};

// The running application.
CMorawinApp& wxGetApp();
