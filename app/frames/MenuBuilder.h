#pragma once

#include <wx/accel.h>

class wxMenu;
class wxMenuBar;

// The menus of the two frames and the keys of the main window. The main
// frame's menu bar is shown while no document is open; each document frame
// has the document menu bar, which adds the document's commands and the
// window menu.
class CMenuBuilder {
public:
    static wxMenuBar* MainMenuBar();
    static wxMenuBar* DocumentMenuBar();
    // The project browser's bar: the document bar's files, an edit menu
    // instead of the document's commands, no window menu.
    static wxMenuBar* BrowserMenuBar();
    static wxAcceleratorTable Accelerators();
    // Whether the window menu offers cascading, tiling and arranging: only
    // where child windows are real windows, not tabs.
    static bool ChildWindowsCanBeArranged();

    // The "&Datei" menu of a menu bar, which holds the recent files.
    static wxMenu* FileMenu(wxMenuBar* bar);

private:
    static wxMenu* ViewMenu(bool document);
    static wxMenu* ConfigurationMenu();
    static wxMenu* HelpMenu();
    static wxMenu* EditMenu();
    // Rückgängig, Wiederherstellen and Verlauf of the open project: the
    // whole Bearbeiten menu of the main and the document windows.
    static wxMenu* HistoryMenu();
    static void AppendHistoryItems(wxMenu* edit);
    // The first items of the Datei menu while a child window is active.
    static wxMenu* ChildFileMenu();
    static void AppendRecentFilesAndExit(wxMenu* file);
};
