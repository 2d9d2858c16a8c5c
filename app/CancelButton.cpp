#include "app/CancelButton.h"

#include <wx/button.h>
#include <wx/dialog.h>

wxButton* CCancelButton::Create(wxDialog* dialog)
{
    auto* button = new wxButton(dialog, kId, wxString::FromUTF8("Abbrechen"));
    dialog->SetEscapeId(kId);
    button->Bind(wxEVT_BUTTON, [dialog](wxCommandEvent&) { dialog->EndModal(wxID_CANCEL); });
    return button;
}
