#pragma once

#include <wx/dialog.h>

class CAppSettings;

// "Konfiguration": the two text switches and the three limits of the
// conversion. OK checks the numbers, takes them into the settings and
// saves the settings file; Cancel changes nothing.
class CConfigDialog : public wxDialog {
public:
    CConfigDialog(wxWindow* parent, CAppSettings& settings);

    // The controls, for tests.
    enum : int {
        kSymbolToText = 1013,
        kCommentToText = 1014,
        kMaxOperands = 1016,
        kMaxGroupSize = 1017,
        kMaxLists = 1018,
    };

private:
    void CreateControls();
    void OnOK(wxCommandEvent& event);

    CAppSettings& m_settings;
    int m_maxLists;
    int m_maxOperands;
    int m_maxGroupSizeKb;
    bool m_symbolToText;
    bool m_commentToText;
};
