#include "app/dialogs/ConfigDialog.h"

#include "gui/CancelButton.h"
#include "app/widgets/UIntValidator.h"
#include "gui/WxText.h"
#include "data/settings/AppSettings.h"
#include "data/text/StringTable.h"

#include <wx/checkbox.h>
#include <wx/msgdlg.h>
#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/valgen.h>

namespace {

using wxtext::Tr;

} // namespace

CConfigDialog::CConfigDialog(wxWindow* parent, CAppSettings& settings)
    : wxDialog(parent, wxID_ANY, Tr("Konfiguration")), m_settings(settings),
      // Values from the file are shown as they are, even out of range, so
      // that the user sees and corrects them.
      m_maxLists(settings.MaxLists), m_maxOperands(settings.MaxOperands), m_maxGroupSizeKb(settings.MaxGroupSizeKb),
      m_symbolToText(settings.SymbolToText != 0),
      m_commentToText(settings.CommentToText != 0)
{
    SetExtraStyle(GetExtraStyle() | wxWS_EX_VALIDATE_RECURSIVELY);
    CreateControls();
    Bind(wxEVT_BUTTON, &CConfigDialog::OnOK, this, wxID_OK);
}

void CConfigDialog::CreateControls()
{
    auto* limits = new wxFlexGridSizer(3, wxSize(8, 6));
    // Created in the order in which OK checks them: the first wrong field
    // gets the message and the focus.
    const auto number = [&](int id, const wxString& label, int* value, unsigned max, int chars, const wxString& unit) {
        limits->Add(new wxStaticText(this, wxID_ANY, label), 0, wxALIGN_CENTER_VERTICAL);
        auto* text = new wxTextCtrl(this, id, wxString(), wxDefaultPosition, wxSize(GetCharWidth() * 6, -1), 0,
                                    CUIntValidator(value, CUIntField(1, max), chars));
        limits->Add(text, 0, wxALIGN_CENTER_VERTICAL);
        limits->Add(new wxStaticText(this, wxID_ANY, unit), 0, wxALIGN_CENTER_VERTICAL);
    };
    number(kMaxLists, Tr("Max. Listen/Gruppe"), &m_maxLists, 255, 3, wxString());
    number(kMaxOperands, Tr("Max.Operanden/Liste"), &m_maxOperands, 255, 3, wxString());
    number(kMaxGroupSize, Tr("Max.Größe Gruppe"), &m_maxGroupSizeKb, 32, 2, Tr("KB"));

    auto* box = new wxStaticBoxSizer(wxVERTICAL, this, Tr("als Text übernehmen:"));
    box->Add(new wxCheckBox(box->GetStaticBox(), kSymbolToText, Tr("Operanden (=Symbole)"), wxDefaultPosition,
                            wxDefaultSize, 0, wxGenericValidator(&m_symbolToText)),
             0, wxALL, 4);
    box->Add(new wxCheckBox(box->GetStaticBox(), kCommentToText, Tr("Kommentare"), wxDefaultPosition, wxDefaultSize, 0,
                            wxGenericValidator(&m_commentToText)),
             0, wxALL, 4);

    // The switches stand left of the numbers: the Tab key visits them first.
    box->GetStaticBox()->MoveBeforeInTabOrder(GetChildren().GetFirst()->GetData());

    auto* fields = new wxBoxSizer(wxHORIZONTAL);
    fields->Add(box, 0, wxEXPAND | wxRIGHT, 16);
    fields->Add(limits, 0, wxALIGN_TOP);

    wxSizer* buttons = CCancelButton::OkCancelColumn(this);

    auto* top = new wxBoxSizer(wxHORIZONTAL);
    top->Add(fields, 1, wxALL, 12);
    top->Add(buttons, 0, wxTOP | wxRIGHT | wxBOTTOM, 12);
    SetSizerAndFit(top);
    CentreOnParent();
}

void CConfigDialog::OnOK(wxCommandEvent&)
{
    // A wrong field has been reported and has the focus; stay open.
    if (!Validate() || !TransferDataFromWindow())
        return;
    // Neither switch would make every converted text empty, and could
    // overwrite real texts with nothing.
    if (!m_symbolToText && !m_commentToText) {
        wxMessageBox(wxtext::String(ids::kNoTextSwitch), wxtext::String(ids::kProgramTitle), wxOK | wxICON_EXCLAMATION, this);
        FindWindow(kSymbolToText)->SetFocus();
        return;
    }
    m_settings.MaxLists = m_maxLists;
    m_settings.MaxOperands = m_maxOperands;
    m_settings.MaxGroupSizeKb = m_maxGroupSizeKb;
    m_settings.SymbolToText = m_symbolToText ? 1 : 0;
    m_settings.CommentToText = m_commentToText ? 1 : 0;
    // A failed write is not reported; the values hold for this run.
    m_settings.Save();
    EndModal(wxID_OK);
}
