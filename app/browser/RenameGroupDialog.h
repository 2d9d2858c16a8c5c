#pragma once

#include <wx/dialog.h>

#include <string>

class CGroupFolder;
class CStepChainGroup;
class wxTextCtrl;

// "Gruppe umbenennen": a new identifier and designation for a step-chain
// group. OK accepts only an identifier that a group file can carry and
// that no other group of the project has; a refused one is reported and
// the dialog stays open.
class CRenameGroupDialog : public wxDialog {
public:
    CRenameGroupDialog(wxWindow* parent, const CGroupFolder& folder, const CStepChainGroup& group);

    // Upper-cased, Windows-1252; valid after OK.
    const std::string& GetGroupId() const { return m_groupId; }
    const std::string& GetDesignation() const { return m_designation; }

    // The controls, for tests.
    enum : int { kGroupIdField = 1201, kDesignationField = 1202 };

private:
    void CreateControls();
    void OnOK(wxCommandEvent& event);

    const CGroupFolder& m_folder;
    const CStepChainGroup& m_group;
    wxTextCtrl* m_idField = nullptr;
    wxTextCtrl* m_designationField = nullptr;
    std::string m_groupId;
    std::string m_designation;
};
