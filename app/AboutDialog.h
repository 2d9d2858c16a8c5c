#pragma once

#include <wx/dialog.h>

// "Info über morawin": program icon, name and version.
class CAboutDialog : public wxDialog {
public:
    explicit CAboutDialog(wxWindow* parent);
};
