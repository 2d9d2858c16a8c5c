#pragma once

class wxButton;
class wxDialog;
class wxSizer;

// The "Abbrechen" button of the program's dialogs. It does what a button
// with wx's stock ID wxID_CANCEL does (Escape and closing the window press
// it, the dialog ends with wxID_CANCEL), but keeps its German label: for
// the stock ID, wxGTK swaps a label that reads like the stock one for
// GTK's own button, which speaks the desktop's language instead.
class CCancelButton {
public:
    static constexpr int kId = 2;

    static wxButton* Create(wxDialog* dialog);
    // The right-hand column of most dialogs: OK (the default button)
    // above Abbrechen.
    static wxSizer* OkCancelColumn(wxDialog* dialog);
};
