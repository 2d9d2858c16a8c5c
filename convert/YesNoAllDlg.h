#pragma once

#include <wx/dialog.h>

#include <string>

// The four-answer question: "Ja", "Nein", "Ja für Alle", "Nein für Alle".
// Run returns answer_code::kYes, kNo, kYesForAll, kNoForAll, or kClosed when
// the question is closed with Escape or the close box.
class CYesNoAllDlg : public wxDialog {
public:
    // Message-box icon styles, as the callers pass them.
    enum IconStyle : unsigned {
        kIconNone = 0,
        kIconHand = 0x10,
        kIconQuestion = 0x20,
        kIconExclamation = 0x30,
        kIconAsterisk = 0x40,
    };

    // `text` is Windows-1252; `iconStyle` one of IconStyle (none shows the
    // question mark).
    CYesNoAllDlg(const std::string& text, unsigned iconStyle, wxWindow* parent);

    int Run();

    // Window identifiers of the four buttons.
    static constexpr int kYesId = 6;
    static constexpr int kNoId = 7;
    static constexpr int kYesForAllId = 1034;
    static constexpr int kNoForAllId = 1035;

private:
    void OnButton(wxCommandEvent& event);
};
