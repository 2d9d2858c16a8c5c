#pragma once

#include "data/sequence/OperandFilter.h"

#include <wx/dialog.h>

// "Auswahl Operanden": which operand kinds the list shows. The dialog
// starts with the view's filter; OK takes the boxes, Cancel leaves the
// filter as it was given.
class COperandFilterDialog : public wxDialog {
public:
    COperandFilterDialog(wxWindow* parent, const COperandFilter& filter);

    const COperandFilter& GetFilter() const { return m_filter; }

    // The check boxes, for tests.
    enum : int {
        kInputs = 1006,
        kOutputs = 1007,
        kMarkers = 1008,
        kCounters = 1009,
        kTimers = 1010,
    };

    // What the window manager's buttons beside the title take, at most.
    static constexpr int kTitleButtonsWidth = 120;

private:
    // Widens the dialog so that its title shows whole.
    void FitTitle();

    COperandFilter m_filter;
};
