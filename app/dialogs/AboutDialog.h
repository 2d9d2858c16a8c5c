#pragma once

#include <wx/dialog.h>

class CAppPaths;

// "Info über morawin": program icon, name and version, and where the
// program finds its settings, its help, its text catalog and the projects'
// history.
class CAboutDialog : public wxDialog {
public:
    CAboutDialog(wxWindow* parent, const CAppPaths& paths);
};
