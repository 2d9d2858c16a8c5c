#pragma once

#include "convert/AnswerCode.h"

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

    // Window identifiers of the four buttons: their answer codes.
    static constexpr int kYesId = answer_code::kYes;
    static constexpr int kNoId = answer_code::kNo;
    static constexpr int kYesForAllId = answer_code::kYesForAll;
    static constexpr int kNoForAllId = answer_code::kNoForAll;

private:
    void OnButton(wxCommandEvent& event);
};
