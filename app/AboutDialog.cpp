#include "app/AboutDialog.h"

#include "app/Artwork.h"

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>

CAboutDialog::CAboutDialog(wxWindow* parent)
    : wxDialog(parent, wxID_ANY, wxString::FromUTF8("Info über morawin"))
{
    auto* lines = new wxBoxSizer(wxVERTICAL);
    lines->Add(new wxStaticText(this, wxID_ANY, wxString::FromUTF8("MoraWin, Version 1.1")), 0, wxBOTTOM, 8);
    lines->Add(new wxStaticText(this, wxID_ANY,
                                wxString::FromUTF8("Schrittkettentexte für RZ731-Bedienfelder aus Zuordnungslisten")));

    auto* body = new wxBoxSizer(wxHORIZONTAL);
    body->Add(new wxStaticBitmap(this, wxID_ANY, CArtwork::ProgramBitmap()), 0, wxRIGHT, 16);
    body->Add(lines, 1, wxALIGN_CENTER_VERTICAL);

    auto* ok = new wxButton(this, wxID_OK, wxString::FromUTF8("OK"));
    ok->SetDefault();
    auto* top = new wxBoxSizer(wxHORIZONTAL);
    top->Add(body, 1, wxALL, 16);
    top->Add(ok, 0, wxTOP | wxRIGHT, 16);
    SetSizerAndFit(top);
    CentreOnParent();
}
