#pragma once

#include "app/widgets/UIntField.h"

#include <wx/validate.h>

class wxTextCtrl;

// Binds a number field of a dialog to an unsigned value: only digits can
// be typed, and no more than `maxChars` of them; on OK the text must hold a
// number of the field's range, otherwise a message names the range and the
// focus goes into the field. A value set by the program is shown whole,
// however long, as the user must see what the settings file holds.
class CUIntValidator : public wxValidator {
public:
    CUIntValidator(int* value, CUIntField field, int maxChars);
    CUIntValidator(const CUIntValidator& other);

    wxObject* Clone() const override { return new CUIntValidator(*this); }
    bool TransferToWindow() override;
    bool TransferFromWindow() override;
    bool Validate(wxWindow* parent) override;

private:
    wxTextCtrl* GetTextCtrl() const;
    void OnChar(wxKeyEvent& event);
    void OnPaste(wxClipboardTextEvent& event);
    // Whether `count` more characters fit in place of the selection.
    bool Fits(long count) const;

    int* m_value;
    CUIntField m_field;
    int m_maxChars;
};
