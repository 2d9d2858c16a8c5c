#include "app/dialogs/OperandFilterDialog.h"

#include "gui/CancelButton.h"
#include "gui/WxText.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/valgen.h>

namespace {

using wxtext::Tr;

} // namespace

COperandFilterDialog::COperandFilterDialog(wxWindow* parent, const COperandFilter& filter)
    : wxDialog(parent, wxID_ANY, Tr("Auswahl Operanden")), m_filter(filter)
{
    SetExtraStyle(GetExtraStyle() | wxWS_EX_VALIDATE_RECURSIVELY);
    auto* box = new wxStaticBoxSizer(wxVERTICAL, this, Tr("In der Liste anzeigen:"));
    const auto check = [box](int id, const wxString& label, bool* flag) {
        box->Add(new wxCheckBox(box->GetStaticBox(), id, label, wxDefaultPosition, wxDefaultSize, 0,
                                wxGenericValidator(flag)),
                 0, wxALL, 4);
    };
    check(kInputs, Tr("Eingänge"), &m_filter.ShowInputs);
    check(kOutputs, Tr("Ausgänge"), &m_filter.ShowOutputs);
    check(kMarkers, Tr("Merker"), &m_filter.ShowMarkers);
    check(kCounters, Tr("Zähler"), &m_filter.ShowCounters);
    check(kTimers, Tr("Zeiten"), &m_filter.ShowTimers);

    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    auto* ok = new wxButton(this, wxID_OK, Tr("OK"));
    ok->SetDefault();
    buttons->Add(ok, 1, wxRIGHT, 6);
    buttons->Add(CCancelButton::Create(this), 1);

    auto* top = new wxBoxSizer(wxVERTICAL);
    top->Add(box, 1, wxEXPAND | wxALL, 12);
    top->Add(buttons, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, 12);
    SetSizerAndFit(top);
    FitTitle();
    CentreOnParent();
}

void COperandFilterDialog::FitTitle()
{
    // The window manager draws the title in a bolder font beside its
    // buttons; a dialog as narrow as its check boxes cuts it off.
    wxFont bold = GetFont();
    bold.SetWeight(wxFONTWEIGHT_BOLD);
    int title = 0;
    GetTextExtent(GetTitle(), &title, nullptr, nullptr, nullptr, &bold);
    const int wanted = title * 5 / 4 + FromDIP(kTitleButtonsWidth);
    if (GetSize().GetWidth() < wanted)
        SetSize(wxSize(wanted, GetSize().GetHeight()));
}
