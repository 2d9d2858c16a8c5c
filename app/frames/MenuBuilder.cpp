#include "app/frames/MenuBuilder.h"

#include "app/frames/CommandIds.h"
#include "app/platform/MenuKeys.h"
#include "gui/WxText.h"

#include <wx/menu.h>

namespace {

// Appends an item whose status prompt comes from the string table.
void Add(wxMenu* menu, int id, const char* label, wxItemKind kind = wxITEM_NORMAL)
{
    menu->Append(id, wxString::FromUTF8(label), wxtext::Prompt(cmd::PromptId(id)), kind);
}

} // namespace

bool CMenuBuilder::ChildWindowsCanBeArranged()
{
    // wxGTK shows MDI children as the pages of a notebook; elsewhere they
    // are real windows inside the main window.
#if defined(__WXGTK__)
    return false;
#else
    return true;
#endif
}

void CMenuBuilder::AppendRecentFilesAndExit(wxMenu* file)
{
    file->AppendSeparator();
    // Placeholder that the recent-file list replaces by its entries.
    file->Append(cmd::kRecentFirst, wxString::FromUTF8("Letzte Datei"), wxtext::Prompt(cmd::PromptId(cmd::kRecentFirst)));
    file->Enable(cmd::kRecentFirst, false);
    file->AppendSeparator();
    Add(file, cmd::kAppExit, "&Beenden");
}

wxMenu* CMenuBuilder::ViewMenu(bool document)
{
    auto* view = new wxMenu;
    Add(view, cmd::kViewToolBar, "&Symbolleiste", wxITEM_CHECK);
    Add(view, cmd::kViewStatusBar, "S&tatusleiste", wxITEM_CHECK);
    if (document)
        Add(view, cmd::kViewOperands, "&Operanden...");
    return view;
}

void CMenuBuilder::AppendHistoryItems(wxMenu* edit)
{
    // The application writes what Rückgängig and Wiederherstellen would
    // take back into their labels while the menu is shown.
    Add(edit, cmd::kEditUndo, "&Rückgängig\tCtrl+Z");
    Add(edit, cmd::kEditRedo, "&Wiederherstellen\tCtrl+Y");
    Add(edit, cmd::kHistoryWindow, "&Verlauf...");
}

wxMenu* CMenuBuilder::HistoryMenu()
{
    auto* edit = new wxMenu;
    AppendHistoryItems(edit);
    return edit;
}

wxMenu* CMenuBuilder::ConfigurationMenu()
{
    auto* configuration = new wxMenu;
    Add(configuration, cmd::kConfiguration, "&Konfiguration MORAWIN...");
    return configuration;
}

wxMenu* CMenuBuilder::HelpMenu()
{
    auto* help = new wxMenu;
    Add(help, cmd::kHelpFinder, "&Hilfethemen");
    Add(help, cmd::kAppAbout, "Inf&o über morawin...");
    return help;
}

wxMenuBar* CMenuBuilder::MainMenuBar()
{
    auto* file = new wxMenu;
    // The key text is GTK's to write, in the user's language.
    Add(file, cmd::kFileOpen, "Ö&ffnen...\tCtrl+O");
    Add(file, cmd::kImportTable, "Symboltabelle &importieren...");
    Add(file, cmd::kProjectBrowser, "RZ731 Projekt an&zeigen...");
    AppendRecentFilesAndExit(file);

    auto* bar = new wxMenuBar;
    bar->Append(file, wxString::FromUTF8("&Datei"));
    bar->Append(HistoryMenu(), wxString::FromUTF8("&Bearbeiten"));
    bar->Append(ViewMenu(false), wxString::FromUTF8("&Ansicht"));
    bar->Append(ConfigurationMenu(), wxString::FromUTF8("&Konfiguration"));
    bar->Append(HelpMenu(), wxString::FromUTF8("&?"));
    menu_keys::ShowGermanKeyNames(bar);
    return bar;
}

wxMenu* CMenuBuilder::ChildFileMenu()
{
    auto* file = new wxMenu;
    Add(file, cmd::kFileOpen, "Ö&ffnen...\tCtrl+O");
    Add(file, cmd::kImportTable, "Symboltabelle &importieren...");
    Add(file, cmd::kOpenProject, "Öffnen &RZ731 Projekt...");
    Add(file, cmd::kProjectBrowser, "RZ731 Projekt an&zeigen...");
    Add(file, cmd::kFileClose, "&Schließen");
    return file;
}

wxMenuBar* CMenuBuilder::DocumentMenuBar()
{
    wxMenu* file = ChildFileMenu();
    file->AppendSeparator();
    Add(file, cmd::kConvert, "&Konvertieren...");
    Add(file, cmd::kConvertAll, "&Alles Konvertieren...");
    Add(file, cmd::kCompareWithProject, "Mit Projekt ab&gleichen...");
    file->AppendSeparator();
    Add(file, wxID_PRINT, "&Drucken...\tCtrl+P");
    Add(file, wxID_PREVIEW, "Seitena&nsicht");
    AppendRecentFilesAndExit(file);

    auto* window = new wxMenu;
    Add(window, cmd::kWindowNew, "Neues &Fenster");
    // Tabbed child windows cannot be arranged: the items would do nothing.
    if (ChildWindowsCanBeArranged()) {
        Add(window, cmd::kWindowCascade, "Über&lappend");
        Add(window, cmd::kWindowTile, "&Nebeneinander");
        Add(window, cmd::kWindowArrange, "&Symbole anordnen");
    }

    auto* bar = new wxMenuBar;
    bar->Append(file, wxString::FromUTF8("&Datei"));
    bar->Append(HistoryMenu(), wxString::FromUTF8("&Bearbeiten"));
    bar->Append(ViewMenu(true), wxString::FromUTF8("&Ansicht"));
    bar->Append(window, wxString::FromUTF8("&Fenster"));
    bar->Append(ConfigurationMenu(), wxString::FromUTF8("&Konfiguration"));
    bar->Append(HelpMenu(), wxString::FromUTF8("&?"));
    menu_keys::ShowGermanKeyNames(bar);
    return bar;
}

wxMenu* CMenuBuilder::EditMenu()
{
    auto* edit = new wxMenu;
    AppendHistoryItems(edit);
    edit->AppendSeparator();
    Add(edit, wxID_COPY, "&Kopieren\tCtrl+C");
    Add(edit, wxID_PASTE, "&Einfügen\tCtrl+V");
    Add(edit, wxID_DELETE, "&Löschen\tDel");
    edit->AppendSeparator();
    Add(edit, cmd::kRenameGroup, "Gruppe &umbenennen...\tF2");
    edit->AppendSeparator();
    Add(edit, cmd::kRefresh, "&Aktualisieren\tF5");
    return edit;
}

wxMenuBar* CMenuBuilder::BrowserMenuBar()
{
    wxMenu* file = ChildFileMenu();
    AppendRecentFilesAndExit(file);

    auto* bar = new wxMenuBar;
    bar->Append(file, wxString::FromUTF8("&Datei"));
    bar->Append(EditMenu(), wxString::FromUTF8("&Bearbeiten"));
    bar->Append(ViewMenu(false), wxString::FromUTF8("&Ansicht"));
    bar->Append(ConfigurationMenu(), wxString::FromUTF8("&Konfiguration"));
    bar->Append(HelpMenu(), wxString::FromUTF8("&?"));
    menu_keys::ShowGermanKeyNames(bar);
    return bar;
}

wxMenu* CMenuBuilder::FileMenu(wxMenuBar* bar)
{
    return bar ? bar->GetMenu(0) : nullptr;
}

wxAcceleratorTable CMenuBuilder::Accelerators()
{
    // Ctrl+Z and Ctrl+Y take back changes of the open project from any
    // window. The other edit keys reach the project browser, whose window takes the
    // commands while it is active; elsewhere they and F6 do nothing. Ctrl+A
    // selects every row of the active operand view.
    wxAcceleratorEntry entries[] = {
        {wxACCEL_CTRL, 'N', wxID_NEW},
        {wxACCEL_CTRL, 'O', cmd::kFileOpen},
        {wxACCEL_CTRL, 'S', wxID_SAVE},
        {wxACCEL_CTRL, 'P', wxID_PRINT},
        {wxACCEL_CTRL, 'A', wxID_SELECTALL},
        {wxACCEL_CTRL, 'Z', cmd::kEditUndo},
        {wxACCEL_ALT, WXK_BACK, cmd::kEditUndo},
        {wxACCEL_CTRL, 'Y', cmd::kEditRedo},
        {wxACCEL_CTRL, 'X', wxID_CUT},
        {wxACCEL_SHIFT, WXK_DELETE, wxID_CUT},
        {wxACCEL_CTRL, 'C', wxID_COPY},
        {wxACCEL_CTRL, WXK_INSERT, wxID_COPY},
        {wxACCEL_CTRL, 'V', wxID_PASTE},
        {wxACCEL_SHIFT, WXK_INSERT, wxID_PASTE},
        {wxACCEL_NORMAL, WXK_F6, cmd::kNextPane},
        {wxACCEL_SHIFT, WXK_F6, cmd::kPrevPane},
    };
    return wxAcceleratorTable(static_cast<int>(std::size(entries)), entries);
}
