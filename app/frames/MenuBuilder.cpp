#include "app/frames/MenuBuilder.h"

#include "app/frames/CommandIds.h"
#include "app/platform/MenuKeys.h"
#include "gui/WxText.h"

#include <wx/menu.h>

namespace {

using wxtext::Tr;

// Appends an item whose status prompt comes from the string table.
void Add(wxMenu* menu, int id, const wxString& label, wxItemKind kind = wxITEM_NORMAL)
{
    menu->Append(id, label, wxtext::Prompt(cmd::PromptId(id)), kind);
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
    file->Append(cmd::kRecentFirst, Tr("Letzte Datei"), wxtext::Prompt(cmd::PromptId(cmd::kRecentFirst)));
    file->Enable(cmd::kRecentFirst, false);
    file->AppendSeparator();
    Add(file, cmd::kAppExit, Tr("&Beenden"));
}

wxMenu* CMenuBuilder::ViewMenu(bool document)
{
    auto* view = new wxMenu;
    Add(view, cmd::kViewToolBar, Tr("&Symbolleiste"), wxITEM_CHECK);
    Add(view, cmd::kViewStatusBar, Tr("S&tatusleiste"), wxITEM_CHECK);
    if (document)
        Add(view, cmd::kViewOperands, Tr("&Operanden..."));
    return view;
}

void CMenuBuilder::AppendHistoryItems(wxMenu* edit)
{
    // The application writes what Rückgängig and Wiederherstellen would
    // take back into their labels while the menu is shown.
    Add(edit, cmd::kEditUndo, Tr("&Rückgängig\tCtrl+Z"));
    Add(edit, cmd::kEditRedo, Tr("&Wiederherstellen\tCtrl+Y"));
    Add(edit, cmd::kHistoryWindow, Tr("&Verlauf..."));
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
    Add(configuration, cmd::kConfiguration, Tr("&Konfiguration MORAWIN..."));
    auto* language = new wxMenu;
    // Each language in its own name, whatever the program speaks.
    Add(language, cmd::kLanguageGerman, wxString::FromUTF8("Deutsch"), wxITEM_RADIO); // untranslated: its own name
    Add(language, cmd::kLanguageEnglish, wxString::FromUTF8("English"), wxITEM_RADIO); // untranslated: its own name
    Add(language, cmd::kLanguageSystem, Tr("Systemsprache"), wxITEM_RADIO);
    configuration->AppendSubMenu(language, Tr("&Sprache"), wxtext::Prompt(32796));
    return configuration;
}

wxMenu* CMenuBuilder::HelpMenu()
{
    auto* help = new wxMenu;
    Add(help, cmd::kHelpFinder, Tr("&Hilfethemen"));
    Add(help, cmd::kAppAbout, Tr("Inf&o über morawin..."));
    return help;
}

wxMenuBar* CMenuBuilder::MainMenuBar()
{
    auto* file = new wxMenu;
    // The key text is GTK's to write, in the user's language.
    Add(file, cmd::kFileOpen, Tr("Ö&ffnen...\tCtrl+O"));
    Add(file, cmd::kImportTable, Tr("Symboltabelle &importieren..."));
    Add(file, cmd::kProjectBrowser, Tr("RZ731 Projekt an&zeigen..."));
    AppendRecentFilesAndExit(file);

    auto* bar = new wxMenuBar;
    bar->Append(file, Tr("&Datei"));
    bar->Append(HistoryMenu(), Tr("&Bearbeiten"));
    bar->Append(ViewMenu(false), Tr("&Ansicht"));
    bar->Append(ConfigurationMenu(), Tr("&Konfiguration"));
    bar->Append(HelpMenu(), Tr("&?"));
    menu_keys::ShowGermanKeyNames(bar);
    return bar;
}

wxMenu* CMenuBuilder::ChildFileMenu()
{
    auto* file = new wxMenu;
    Add(file, cmd::kFileOpen, Tr("Ö&ffnen...\tCtrl+O"));
    Add(file, cmd::kImportTable, Tr("Symboltabelle &importieren..."));
    Add(file, cmd::kOpenProject, Tr("Öffnen &RZ731 Projekt..."));
    Add(file, cmd::kProjectBrowser, Tr("RZ731 Projekt an&zeigen..."));
    Add(file, cmd::kFileClose, Tr("&Schließen"));
    return file;
}

wxMenuBar* CMenuBuilder::DocumentMenuBar()
{
    wxMenu* file = ChildFileMenu();
    file->AppendSeparator();
    Add(file, cmd::kConvert, Tr("&Konvertieren..."));
    Add(file, cmd::kConvertAll, Tr("&Alles Konvertieren..."));
    Add(file, cmd::kCompareWithProject, Tr("Mit Projekt ab&gleichen..."));
    file->AppendSeparator();
    Add(file, wxID_PRINT, Tr("&Drucken...\tCtrl+P"));
    Add(file, wxID_PREVIEW, Tr("Seitena&nsicht"));
    AppendRecentFilesAndExit(file);

    auto* window = new wxMenu;
    Add(window, cmd::kWindowNew, Tr("Neues &Fenster"));
    // Tabbed child windows cannot be arranged: the items would do nothing.
    if (ChildWindowsCanBeArranged()) {
        Add(window, cmd::kWindowCascade, Tr("Über&lappend"));
        Add(window, cmd::kWindowTile, Tr("&Nebeneinander"));
        Add(window, cmd::kWindowArrange, Tr("&Symbole anordnen"));
    }

    auto* bar = new wxMenuBar;
    bar->Append(file, Tr("&Datei"));
    bar->Append(HistoryMenu(), Tr("&Bearbeiten"));
    bar->Append(ViewMenu(true), Tr("&Ansicht"));
    bar->Append(window, Tr("&Fenster"));
    bar->Append(ConfigurationMenu(), Tr("&Konfiguration"));
    bar->Append(HelpMenu(), Tr("&?"));
    menu_keys::ShowGermanKeyNames(bar);
    return bar;
}

wxMenu* CMenuBuilder::EditMenu()
{
    auto* edit = new wxMenu;
    AppendHistoryItems(edit);
    edit->AppendSeparator();
    Add(edit, wxID_COPY, Tr("&Kopieren\tCtrl+C"));
    Add(edit, wxID_PASTE, Tr("&Einfügen\tCtrl+V"));
    Add(edit, wxID_DELETE, Tr("&Löschen\tDel"));
    edit->AppendSeparator();
    Add(edit, cmd::kRenameGroup, Tr("Gruppe &umbenennen...\tF2"));
    edit->AppendSeparator();
    Add(edit, cmd::kRefresh, Tr("&Aktualisieren\tF5"));
    return edit;
}

wxMenuBar* CMenuBuilder::BrowserMenuBar()
{
    wxMenu* file = ChildFileMenu();
    AppendRecentFilesAndExit(file);

    auto* bar = new wxMenuBar;
    bar->Append(file, Tr("&Datei"));
    bar->Append(EditMenu(), Tr("&Bearbeiten"));
    bar->Append(ViewMenu(false), Tr("&Ansicht"));
    bar->Append(ConfigurationMenu(), Tr("&Konfiguration"));
    bar->Append(HelpMenu(), Tr("&?"));
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
