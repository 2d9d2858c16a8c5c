#pragma once

#include <wx/dialog.h>
#include <wx/modalhook.h>

#include <deque>
#include <functional>
#include <set>
#include <string>
#include <vector>

class wxDialog;
class wxWindow;

// Answers modal dialogs during a GUI test. Message boxes are not shown:
// their text is recorded and the next scripted answer returned
// (wxID_OK, wxID_CANCEL, ...; wxID_OK when none is left). Other dialogs are
// shown, and the next scripted action runs inside their modal loop.
class ModalScript : public wxModalDialogHook {
public:
    ModalScript() { Register(); }
    ~ModalScript() override { Unregister(); }

    int Enter(wxDialog* dialog) override;
    // A dialog the test shows itself: it passes without an action.
    void Allow(const wxDialog* dialog) { m_allowed.insert(dialog); }
    void Exit(wxDialog*) override {}

    struct Box {
        std::string message; // UTF-8
        std::string title;
        long style = 0;
    };
    std::vector<Box> boxes;
    // The boxes' messages, in order.
    std::vector<std::string> Messages() const;
    std::deque<int> boxAnswers;
    std::deque<std::function<void(wxDialog&)>> dialogActions;
    // For dialogs beyond the scripted actions (none: such a dialog fails the
    // test and is closed).
    std::function<void(wxDialog&)> defaultAction;
    std::vector<std::string> dialogTitles;

private:
    std::set<const wxDialog*> m_allowed;
};

// Sends a button click to a window's child with `id`, as a click would.
void Click(wxWindow& parent, int id);

// Whether a modal dialog is still open: its loop runs and nothing has
// ended it. On Windows IsModal() stays true after EndModal() until the
// loop has returned; an ended dialog is hidden on every system.
inline bool IsOpen(const wxDialog& dialog)
{
    return dialog.IsModal() && dialog.IsShown();
}
