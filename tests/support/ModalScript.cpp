#include "tests/support/ModalScript.h"

#include <gtest/gtest.h>

#include <wx/app.h>
#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/msgdlg.h>

int ModalScript::Enter(wxDialog* dialog)
{
    if (auto* box = dynamic_cast<wxMessageDialog*>(dialog)) {
        boxes.push_back({box->GetMessage().utf8_string(), box->GetTitle().utf8_string(), box->GetMessageDialogStyle()});
        if (boxAnswers.empty())
            return wxID_OK;
        const int answer = boxAnswers.front();
        boxAnswers.pop_front();
        return answer;
    }
    if (m_allowed.count(dialog))
        return wxID_NONE;
    dialogTitles.push_back(dialog->GetTitle().utf8_string());
    if (dialogActions.empty() && defaultAction)
        dialogActions.push_back(defaultAction);
    if (dialogActions.empty()) {
        // Nobody would answer it: say so and close it instead of hanging.
        ADD_FAILURE() << "unexpected dialog \"" << dialog->GetTitle().utf8_string() << "\"";
        return wxID_CANCEL;
    }
    auto action = std::move(dialogActions.front());
    dialogActions.pop_front();
    wxTheApp->CallAfter([dialog, action] { action(*dialog); });
    return wxID_NONE;
}

void Click(wxWindow& parent, int id)
{
    wxWindow* control = parent.FindWindow(id);
    if (!control)
        return;
    wxCommandEvent click(wxEVT_BUTTON, id);
    click.SetEventObject(control);
    control->ProcessWindowEvent(click);
}

std::vector<std::string> ModalScript::Messages() const
{
    std::vector<std::string> messages;
    for (const auto& box : boxes)
        messages.push_back(box.message);
    return messages;
}
