#include "app/dialogs/AboutDialog.h"

#include "app/frames/Artwork.h"
#include "gui/WxText.h"
#include "data/settings/StartUp.h"

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>

CAboutDialog::CAboutDialog(wxWindow* parent, const CAppPaths& paths)
    : wxDialog(parent, wxID_ANY, wxString::FromUTF8("Info über morawin"))
{
    auto* lines = new wxBoxSizer(wxVERTICAL);
    lines->Add(new wxStaticText(this, wxID_ANY, wxString::FromUTF8("MoraWin, Version " MORAWIN_VERSION)), 0,
               wxBOTTOM, 8);
    lines->Add(new wxStaticText(this, wxID_ANY,
                                wxString::FromUTF8("Schrittkettentexte für RZ731-Bedienfelder aus Zuordnungslisten")),
               0, wxBOTTOM, 12);
    // "Einstellungen: /path", with a note when the file is not there.
    for (const auto& file : start_up::ListFiles(paths, {{&CAppPaths::SettingsFile, "Einstellungen: "},
                                                        {&CAppPaths::HelpFolder, "Hilfe: "},
                                                        {&CAppPaths::CatalogFile, "Textkatalog: "},
                                                        {&CAppPaths::HistoryFolder, "Verlauf: "}})) {
        const wxString place = wxtext::FromUtf8(file.label) + wxtext::FromPath(file.path)
            + wxString::FromUTF8(file.present ? "" : " (nicht vorhanden)");
        lines->Add(new wxStaticText(this, wxID_ANY, place), 0, wxBOTTOM, 2);
    }
    lines->Add(new wxStaticText(this, wxID_ANY,
                                wxString::FromUTF8(MORAWIN_COPYRIGHT ". Freie Software unter der " MORAWIN_LICENSE
                                                   "-Lizenz, ohne jede Gewährleistung.")),
               0, wxTOP, 10);

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
