#include "app/dialogs/AboutDialog.h"

#include "app/frames/Artwork.h"
#include "gui/WxText.h"
#include "data/settings/StartUp.h"

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>

namespace {

using wxtext::Tr;

} // namespace

CAboutDialog::CAboutDialog(wxWindow* parent, const CAppPaths& paths)
    : wxDialog(parent, wxID_ANY, Tr("Info über morawin"))
{
    // Version, copyright and license are the build's, the same in every
    // language; the catalog holds only the words around them.
    auto* lines = new wxBoxSizer(wxVERTICAL);
    lines->Add(new wxStaticText(this, wxID_ANY,
                                wxString::Format(Tr("MoraWin, Version %s"), wxString::FromUTF8(MORAWIN_VERSION))),
               0, wxBOTTOM, 8);
    lines->Add(new wxStaticText(this, wxID_ANY, Tr("Schrittkettentexte für RZ731-Bedienfelder aus Zuordnungslisten")),
               0, wxBOTTOM, 12);
    // "Einstellungen: /path", with a note when the file is not there.
    for (const auto& file : start_up::ListFiles(paths, {{&CAppPaths::SettingsFile, Tr("Einstellungen: ").utf8_string()},
                                                        {&CAppPaths::HelpFolder, Tr("Hilfe: ").utf8_string()},
                                                        {&CAppPaths::CatalogFile, Tr("Textkatalog: ").utf8_string()},
                                                        {&CAppPaths::LocaleFolder, Tr("Übersetzungen: ").utf8_string()},
                                                        {&CAppPaths::HistoryFolder, Tr("Verlauf: ").utf8_string()}})) {
        const wxString place = wxtext::FromUtf8(file.label) + wxtext::FromPath(file.path)
            + (file.present ? wxString() : Tr(" (nicht vorhanden)"));
        lines->Add(new wxStaticText(this, wxID_ANY, place), 0, wxBOTTOM, 2);
    }
    lines->Add(new wxStaticText(this, wxID_ANY,
                                wxString::Format(Tr("%s. Freie Software unter der %s-Lizenz, ohne jede Gewährleistung."),
                                                 wxString::FromUTF8(MORAWIN_COPYRIGHT),
                                                 wxString::FromUTF8(MORAWIN_LICENSE))),
               0, wxTOP, 10);

    auto* body = new wxBoxSizer(wxHORIZONTAL);
    body->Add(new wxStaticBitmap(this, wxID_ANY, CArtwork::ProgramBitmap()), 0, wxRIGHT, 16);
    body->Add(lines, 1, wxALIGN_CENTER_VERTICAL);

    auto* ok = new wxButton(this, wxID_OK, Tr("OK"));
    ok->SetDefault();
    auto* top = new wxBoxSizer(wxHORIZONTAL);
    top->Add(body, 1, wxALL, 16);
    top->Add(ok, 0, wxTOP | wxRIGHT, 16);
    SetSizerAndFit(top);
    CentreOnParent();
}
