#include "convert/dialogs/YesNoAllDlg.h"

#include "gui/WxText.h"
#include "convert/AnswerCode.h"
#include "data/text/StringTable.h"

#include <wx/artprov.h>
#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>

namespace {

wxArtID IconFor(unsigned style)
{
    switch (style & 0xF0) {
    case CYesNoAllDlg::kIconExclamation: return wxASCII_STR(wxART_WARNING);
    case CYesNoAllDlg::kIconAsterisk: return wxASCII_STR(wxART_INFORMATION);
    case CYesNoAllDlg::kIconHand: return wxASCII_STR(wxART_ERROR);
    default: return wxASCII_STR(wxART_QUESTION);
    }
}

} // namespace

CYesNoAllDlg::CYesNoAllDlg(const std::string& text, unsigned iconStyle, wxWindow* parent)
    // The question carries the program's name, like its message boxes.
    : wxDialog(parent, wxID_ANY, wxtext::String(ids::kProgramTitle))
{
    auto* top = new wxBoxSizer(wxHORIZONTAL);
    top->Add(new wxStaticBitmap(this, 1036, wxArtProvider::GetBitmap(IconFor(iconStyle), wxASCII_STR(wxART_MESSAGE_BOX))), 0,
             wxALL, 10);
    auto* label = new wxStaticText(this, 1037, wxtext::FromCp1252(text));
    label->Wrap(FromDIP(420));
    top->Add(label, 1, wxALL | wxALIGN_CENTER_VERTICAL, 10);

    auto* buttons = new wxGridSizer(1, 4, 0, FromDIP(8));
    const std::pair<int, wxString> kButtons[] = {{kYesId, wxtext::Tr("&Ja")},
                                                 {kNoId, wxtext::Tr("&Nein")},
                                                 {kYesForAllId, wxtext::Tr("Ja für &Alle")},
                                                 {kNoForAllId, wxtext::Tr("Nein für A&lle")}};
    for (const auto& [id, caption] : kButtons) {
        auto* button = new wxButton(this, id, caption);
        button->Bind(wxEVT_BUTTON, &CYesNoAllDlg::OnButton, this);
        buttons->Add(button, 0, wxEXPAND);
    }
    // Enter answers "Ja".
    static_cast<wxButton*>(FindWindow(kYesId))->SetDefault();

    auto* all = new wxBoxSizer(wxVERTICAL);
    all->Add(top, 1, wxEXPAND);
    all->Add(buttons, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, 10);
    SetSizerAndFit(all);
    CentreOnParent();
    // There is no Cancel button for Escape to press; it closes the question.
    Bind(wxEVT_CHAR_HOOK, [this](wxKeyEvent& key) {
        if (key.GetKeyCode() == WXK_ESCAPE)
            EndModal(wxID_CANCEL);
        else
            key.Skip();
    });
}

void CYesNoAllDlg::OnButton(wxCommandEvent& event)
{
    EndModal(event.GetId());
}

int CYesNoAllDlg::Run()
{
    FindWindow(kYesId)->SetFocus();
    switch (ShowModal()) {
    case kYesId: return answer_code::kYes;
    case kNoId: return answer_code::kNo;
    case kYesForAllId: return answer_code::kYesForAll;
    case kNoForAllId: return answer_code::kNoForAll;
    default: return answer_code::kClosed;
    }
}
