#include "gui/CancelButton.h"

#include "gui/WxText.h"

#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/sizer.h>

wxButton* CCancelButton::Create(wxDialog* dialog)
{
    auto* button = new wxButton(dialog, kId, wxtext::Tr("Abbrechen"));
    dialog->SetEscapeId(kId);
    button->Bind(wxEVT_BUTTON, [dialog](wxCommandEvent&) { dialog->EndModal(wxID_CANCEL); });
    return button;
}

wxSizer* CCancelButton::OkCancelColumn(wxDialog* dialog)
{
    auto* column = new wxBoxSizer(wxVERTICAL);
    auto* ok = new wxButton(dialog, wxID_OK, wxtext::Tr("OK"));
    ok->SetDefault();
    column->Add(ok, 0, wxEXPAND | wxBOTTOM, 6);
    column->Add(Create(dialog), 0, wxEXPAND);
    return column;
}
