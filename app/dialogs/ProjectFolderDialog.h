#pragma once

#include "app/dialogs/FolderBrowser.h"

#include <wx/dialog.h>

#include <filesystem>
#include <vector>

class wxChoice;
class wxListBox;
class wxStaticText;
class wxTextCtrl;

// Chooses a panel project folder. The dialog shows the current folder in
// "&Pfad:", its sub-folders, the places to start from, and below the name
// of the project in the current folder, or why the folder is not one. OK
// first moves to a path typed
// into "&Pfad:" (or into the folder selected in the list), then closes
// only if the current folder holds a valid project.
class CProjectFolderDialog : public wxDialog {
public:
    // An empty initial folder starts in the current folder.
    CProjectFolderDialog(wxWindow* parent, const wxString& title, const std::filesystem::path& initialFolder);

    // The accepted folder; empty unless the dialog ended with OK.
    const std::filesystem::path& GetChosenFolder() const { return m_chosen; }
    const std::filesystem::path& GetFolder() const { return m_browser.GetFolder(); }

    // The controls, for tests.
    enum : int {
        kPathField = 1152,
        kFolderList = 1121,
        kPlaces = 1137,
        kProjectName = 1025,
        kReason = 1026,
    };

private:
    void CreateControls();
    // Shows the browser's folder: path field, sub-folders, project name.
    void ShowFolder();
    void OnOK(wxCommandEvent& event);
    void OnFolderActivated(wxCommandEvent& event);
    void OnPlaceChosen(wxCommandEvent& event);

    CFolderBrowser m_browser;
    std::vector<std::filesystem::path> m_places;
    std::filesystem::path m_chosen;
    wxTextCtrl* m_path = nullptr;
    wxListBox* m_folders = nullptr;
    wxChoice* m_placeChoice = nullptr;
    wxTextCtrl* m_projectName = nullptr;
    wxStaticText* m_reason = nullptr;
};
