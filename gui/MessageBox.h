#pragma once

#include <wx/dialog.h>
#include <wx/modalhook.h>

class wxMessageDialogBase;

// The program's message box: the icon of its kind (error, warning,
// information, question) and buttons in the program's language ("OK",
// "Abbrechen", "&Ja", "&Nein") whatever the desktop's language. The buttons do not use wx's
// stock IDs: for those, GTK would put its own buttons in their place,
// labelled in the desktop's language.
class CMessageBox : public wxDialog {
public:
    // `style` as for wxMessageBox: wxOK, wxCANCEL, wxYES_NO, wxICON_*,
    // wxNO_DEFAULT, wxCANCEL_DEFAULT.
    CMessageBox(wxWindow* parent, const wxString& message, const wxString& caption, long style);

    // The buttons' window identifiers (ShowModal returns wxID_OK,
    // wxID_CANCEL, wxID_YES or wxID_NO).
    enum : int { kOkId = 1, kCancelId = 2, kYesId = 6, kNoId = 7 };

    // The art identifier of the icon shown; empty for none.
    const wxString& GetIconId() const { return m_iconId; }

    // The icon a box with this style shows: the one asked for, the question
    // mark for a question without one, else the information sign.
    static wxString IconFor(long style);

private:
    void AddButton(wxSizer* sizer, int id, const wxString& label, int result);

    wxString m_iconId;
};

// Shows every wxMessageDialog of the program (wxMessageBox, wx's own
// messages among them) as a CMessageBox. Active while it lives.
class CMessageBoxHook : public wxModalDialogHook {
public:
    CMessageBoxHook() { Register(); }
    ~CMessageBoxHook() override { Unregister(); }

    int Enter(wxDialog* dialog) override;
    void Exit(wxDialog*) override {}
};
