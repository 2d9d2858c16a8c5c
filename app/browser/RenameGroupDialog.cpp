#include "app/browser/RenameGroupDialog.h"

#include "gui/CancelButton.h"
#include "gui/WxText.h"
#include "data/text/ErrorMessage.h"
#include "data/records/RecordStream.h"
#include "data/text/StringTable.h"
#include "panel/GroupFolder.h"
#include "panel/ProjectFiles.h"
#include "panel/StepChainGroup.h"

#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

namespace {

using wxtext::Tr;

} // namespace

CRenameGroupDialog::CRenameGroupDialog(wxWindow* parent, const CGroupFolder& folder, const CStepChainGroup& group)
    : wxDialog(parent, wxID_ANY, Tr("Gruppe umbenennen")), m_folder(folder), m_group(group)
{
    CreateControls();
    Bind(wxEVT_BUTTON, &CRenameGroupDialog::OnOK, this, wxID_OK);
}

void CRenameGroupDialog::CreateControls()
{
    m_idField = new wxTextCtrl(this, kGroupIdField, wxtext::FromCp1252(m_group.GetGroupId()), wxDefaultPosition,
                               wxSize(GetCharWidth() * 6, -1));
    m_idField->SetMaxLength(3);
    m_designationField = new wxTextCtrl(this, kDesignationField, wxtext::FromCp1252(m_group.GetName()),
                                        wxDefaultPosition, wxSize(GetCharWidth() * 36, -1));
    m_designationField->SetMaxLength(record::kDesignationLength);

    auto* fields = new wxFlexGridSizer(2, wxSize(8, 6));
    fields->Add(new wxStaticText(this, wxID_ANY, Tr("&Kennung:")), 0, wxALIGN_CENTER_VERTICAL);
    fields->Add(m_idField, 0, wxALIGN_CENTER_VERTICAL);
    fields->Add(new wxStaticText(this, wxID_ANY, Tr("&Bezeichnung:")), 0, wxALIGN_CENTER_VERTICAL);
    fields->Add(m_designationField, 0, wxALIGN_CENTER_VERTICAL);

    wxSizer* buttons = CCancelButton::OkCancelColumn(this);

    auto* top = new wxBoxSizer(wxHORIZONTAL);
    top->Add(fields, 1, wxALL, 12);
    top->Add(buttons, 0, wxTOP | wxRIGHT | wxBOTTOM, 12);
    SetSizerAndFit(top);
    CentreOnParent();
    m_idField->SetFocus();
    m_idField->SelectAll();
}

void CRenameGroupDialog::OnOK(wxCommandEvent&)
{
    const std::string id = project_files::ToUpper(wxtext::ToCp1252(m_idField->GetValue()));
    if (const unsigned problem = CStepChainGroup::CheckGroupId(id)) {
        CErrorMessage(problem, 0).Report();
        m_idField->SetFocus();
        return;
    }
    // Another group's file would be overwritten.
    const CDataFile* holder = m_folder.FindEntry("G" + id);
    if (holder && holder != &m_group) {
        CErrorMessage(ids::kGroupIdTaken, id, 0).Report();
        m_idField->SetFocus();
        return;
    }
    m_groupId = id;
    m_designation = wxtext::ToCp1252(m_designationField->GetValue());
    EndModal(wxID_OK);
}
