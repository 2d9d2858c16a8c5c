#include "app/dialogs/ProjectFolderDialog.h"

#include "gui/CancelButton.h"
#include "app/dialogs/ProjectFolder.h"
#include "gui/WxText.h"

#include <wx/choice.h>
#include <wx/listbox.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/utils.h>

namespace {

using wxtext::Tr;

} // namespace

CProjectFolderDialog::CProjectFolderDialog(wxWindow* parent, const wxString& title,
                                           const std::filesystem::path& initialFolder)
    : wxDialog(parent, wxID_ANY, title, wxDefaultPosition, wxDefaultSize, wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER),
      m_browser(initialFolder), m_places(CFolderBrowser::Places())
{
    CreateControls();
    Bind(wxEVT_BUTTON, &CProjectFolderDialog::OnOK, this, wxID_OK);
    m_path->Bind(wxEVT_TEXT_ENTER, &CProjectFolderDialog::OnOK, this);
    m_folders->Bind(wxEVT_LISTBOX_DCLICK, &CProjectFolderDialog::OnFolderActivated, this);
    m_placeChoice->Bind(wxEVT_CHOICE, &CProjectFolderDialog::OnPlaceChosen, this);
    ShowFolder();
}

void CProjectFolderDialog::CreateControls()
{
    // Each label just before its field, in the order they are shown: that
    // is the order of the Tab key, and a label's mnemonic goes to the field
    // after it.
    const int charWidth = GetCharWidth();
    auto* fields = new wxBoxSizer(wxVERTICAL);
    fields->Add(new wxStaticText(this, wxID_ANY, Tr("&Pfad:")));
    m_path = new wxTextCtrl(this, kPathField, wxString(), wxDefaultPosition, wxSize(charWidth * 64, -1),
                            wxTE_PROCESS_ENTER);
    fields->Add(m_path, 0, wxEXPAND);
    // Why the folder shown is no project; empty for a project folder.
    m_reason = new wxStaticText(this, kReason, wxString::FromUTF8(" "));
    m_reason->SetForegroundColour(wxColour(160, 0, 0));
    fields->Add(m_reason, 0, wxEXPAND | wxTOP | wxBOTTOM, 4);
    fields->Add(new wxStaticText(this, wxID_ANY, Tr("&Verzeichnis:")));
    m_folders = new wxListBox(this, kFolderList, wxDefaultPosition, wxSize(charWidth * 64, GetCharHeight() * 14));
    fields->Add(m_folders, 1, wxEXPAND | wxBOTTOM, 8);
    fields->Add(new wxStaticText(this, wxID_ANY, Tr("&Laufwerk:")));
    m_placeChoice = new wxChoice(this, kPlaces);
    for (const auto& place : m_places)
        m_placeChoice->Append(wxtext::FromPath(place));
    fields->Add(m_placeChoice, 0, wxEXPAND | wxBOTTOM, 8);
    fields->Add(new wxStaticText(this, wxID_ANY, Tr("Projektname:")));
    // A framed field, as GTK draws no border around static text.
    m_projectName = new wxTextCtrl(this, kProjectName, wxString(), wxDefaultPosition, wxSize(charWidth * 64, -1),
                                   wxTE_READONLY);
    fields->Add(m_projectName, 0, wxEXPAND);

    wxSizer* buttons = CCancelButton::OkCancelColumn(this);

    auto* top = new wxBoxSizer(wxHORIZONTAL);
    top->Add(fields, 1, wxEXPAND | wxALL, 12);
    top->Add(buttons, 0, wxTOP | wxRIGHT, 12 + GetCharHeight());
    SetSizerAndFit(top);
    CentreOnParent();
}

void CProjectFolderDialog::ShowFolder()
{
    const std::filesystem::path& folder = m_browser.GetFolder();
    m_path->ChangeValue(wxtext::FromPath(folder));
    m_path->SetInsertionPointEnd();

    m_folders->Clear();
    for (const std::filesystem::path& entry : m_browser.GetEntries())
        m_folders->Append(wxtext::FromPath(entry));

    m_placeChoice->SetSelection(CFolderBrowser::PlaceOf(m_places, folder));

    std::string name;
    std::string reason;
    m_projectName->ChangeValue(IsProjectFolder(folder, name, reason) ? wxtext::FromCp1252(name) : wxString());
    m_reason->SetLabel(wxtext::FromUtf8(reason));
    Layout();
}

void CProjectFolderDialog::OnOK(wxCommandEvent&)
{
    const wxString typed = m_path->GetValue();
    if (typed != wxtext::FromPath(m_browser.GetFolder())) {
        if (!m_browser.Go(wxtext::ToPath(typed))) {
            wxBell();
            return;
        }
    } else if (const int selected = m_folders->GetSelection(); selected != wxNOT_FOUND) {
        m_browser.Enter(wxtext::ToPath(m_folders->GetString(static_cast<unsigned>(selected))));
    }
    ShowFolder();
    std::string name;
    if (!IsProjectFolder(m_browser.GetFolder(), name)) {
        // The line under the path says why.
        wxBell();
        return;
    }
    m_chosen = m_browser.GetFolder();
    EndModal(wxID_OK);
}

void CProjectFolderDialog::OnFolderActivated(wxCommandEvent& event)
{
    if (m_browser.Enter(wxtext::ToPath(event.GetString())))
        ShowFolder();
}

void CProjectFolderDialog::OnPlaceChosen(wxCommandEvent& event)
{
    const int index = event.GetSelection();
    if (index >= 0 && static_cast<std::size_t>(index) < m_places.size())
        m_browser.Go(m_places[static_cast<std::size_t>(index)]);
    // Also when the place cannot be entered: the choice then goes back to
    // the place of the folder shown.
    ShowFolder();
}

