#include "gui/MessageBox.h"

#include "gui/WxText.h"

#include <wx/artprov.h>
#include <wx/button.h>
#include <wx/msgdlg.h>
#include <wx/sizer.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>

CMessageBox::CMessageBox(wxWindow* parent, const wxString& message, const wxString& caption, long style)
    : wxDialog(parent, wxID_ANY, caption), m_iconId(IconFor(style))
{
    auto* body = new wxBoxSizer(wxHORIZONTAL);
    if (!m_iconId.empty())
        body->Add(new wxStaticBitmap(this, wxID_ANY, wxArtProvider::GetBitmap(m_iconId, wxASCII_STR(wxART_MESSAGE_BOX))),
                  0, wxRIGHT, FromDIP(12));
    auto* text = new wxStaticText(this, wxID_ANY, message);
    text->Wrap(FromDIP(460));
    body->Add(text, 1, wxALIGN_CENTER_VERTICAL);

    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    buttons->AddStretchSpacer();
    if (style & wxYES_NO) {
        AddButton(buttons, kYesId, wxtext::Tr("&Ja"), wxID_YES);
        AddButton(buttons, kNoId, wxtext::Tr("&Nein"), wxID_NO);
    } else {
        AddButton(buttons, kOkId, wxtext::Tr("OK"), wxID_OK);
    }
    if (style & wxCANCEL)
        AddButton(buttons, kCancelId, wxtext::Tr("Abbrechen"), wxID_CANCEL);

    // Escape and the close box: Abbrechen where there is one, else Nein,
    // else OK.
    SetEscapeId(FindWindow(kCancelId) ? kCancelId : FindWindow(kNoId) ? kNoId : kOkId);
    int preferred = (style & wxYES_NO) ? kYesId : kOkId;
    if ((style & wxCANCEL_DEFAULT) && FindWindow(kCancelId))
        preferred = kCancelId;
    else if ((style & wxNO_DEFAULT) && FindWindow(kNoId))
        preferred = kNoId;
    auto* defaultButton = static_cast<wxButton*>(FindWindow(preferred));
    defaultButton->SetDefault();
    defaultButton->SetFocus();

    auto* all = new wxBoxSizer(wxVERTICAL);
    // Short messages get a box of a usual width.
    all->SetMinSize(FromDIP(wxSize(300, -1)));
    all->Add(body, 1, wxEXPAND | wxALL, FromDIP(14));
    all->Add(buttons, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, FromDIP(14));
    SetSizerAndFit(all);
    CentreOnParent();
}

void CMessageBox::AddButton(wxSizer* sizer, int id, const wxString& label, int result)
{
    auto* button = new wxButton(this, id, label);
    button->Bind(wxEVT_BUTTON, [this, result](wxCommandEvent&) { EndModal(result); });
    sizer->Add(button, 0, wxLEFT, FromDIP(8));
}

wxString CMessageBox::IconFor(long style)
{
    if (style & wxICON_ERROR)
        return wxASCII_STR(wxART_ERROR);
    if (style & wxICON_WARNING)
        return wxASCII_STR(wxART_WARNING);
    if (style & wxICON_QUESTION)
        return wxASCII_STR(wxART_QUESTION);
    if (style & wxICON_INFORMATION)
        return wxASCII_STR(wxART_INFORMATION);
    // Without an icon asked for (wxICON_NONE among it), a box that asks
    // is a question and any other a piece of information.
    return (style & (wxCANCEL | wxYES_NO)) ? wxASCII_STR(wxART_QUESTION) : wxASCII_STR(wxART_INFORMATION);
}

int CMessageBoxHook::Enter(wxDialog* dialog)
{
    const auto* box = dynamic_cast<wxMessageDialog*>(dialog);
    if (!box)
        return wxID_NONE;
    wxString message = box->GetMessage();
    if (!box->GetExtendedMessage().empty())
        message << wxASCII_STR("\n\n") << box->GetExtendedMessage();
    CMessageBox german(box->GetParent(), message, box->GetTitle(), box->GetMessageDialogStyle());
    return german.ShowModal();
}
