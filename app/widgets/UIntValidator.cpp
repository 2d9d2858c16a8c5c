#include "app/widgets/UIntValidator.h"

#include "gui/WxText.h"
#include "data/text/StringTable.h"

#include <wx/clipbrd.h>
#include <wx/msgdlg.h>
#include <wx/textctrl.h>

CUIntValidator::CUIntValidator(int* value, CUIntField field, int maxChars)
    : m_value(value), m_field(field), m_maxChars(maxChars)
{
    Bind(wxEVT_CHAR, &CUIntValidator::OnChar, this);
    Bind(wxEVT_TEXT_PASTE, &CUIntValidator::OnPaste, this);
}

CUIntValidator::CUIntValidator(const CUIntValidator& other)
    : CUIntValidator(other.m_value, other.m_field, other.m_maxChars)
{
    Copy(other);
}

wxTextCtrl* CUIntValidator::GetTextCtrl() const
{
    return wxDynamicCast(GetWindow(), wxTextCtrl);
}

bool CUIntValidator::TransferToWindow()
{
    if (wxTextCtrl* text = GetTextCtrl())
        text->ChangeValue(wxString::FromUTF8(std::to_string(*m_value)));
    return true;
}

bool CUIntValidator::TransferFromWindow()
{
    wxTextCtrl* text = GetTextCtrl();
    unsigned value = 0;
    if (!text || m_field.Check(text->GetValue().utf8_string(), value) != CUIntField::Result::ok)
        return false;
    *m_value = static_cast<int>(value);
    return true;
}

bool CUIntValidator::Validate(wxWindow* parent)
{
    wxTextCtrl* text = GetTextCtrl();
    if (!text)
        return false;
    unsigned value = 0;
    const CUIntField::Result result = m_field.Check(text->GetValue().utf8_string(), value);
    if (result == CUIntField::Result::ok)
        return true;
    wxMessageBox(wxtext::FromUtf8(m_field.Message(result)), wxtext::String(ids::kProgramTitle), wxOK | wxICON_EXCLAMATION, parent);
    text->SetFocus();
    text->SelectAll();
    return false;
}

bool CUIntValidator::Fits(long count) const
{
    const wxTextCtrl* text = GetTextCtrl();
    if (!text)
        return false;
    long from = 0;
    long to = 0;
    text->GetSelection(&from, &to);
    return text->GetLastPosition() - (to - from) + count <= m_maxChars;
}

void CUIntValidator::OnChar(wxKeyEvent& event)
{
    const int key = event.GetKeyCode();
    // Editing and navigation keys, and anything with Ctrl or Alt, pass.
    if (key < WXK_SPACE || key == WXK_DELETE || key > WXK_START || event.HasModifiers()) {
        event.Skip();
        return;
    }
    if (CUIntField::IsDigit(static_cast<char32_t>(event.GetUnicodeKey())) && Fits(1))
        event.Skip();
    // Anything else is swallowed: it never reaches the field.
}

void CUIntValidator::OnPaste(wxClipboardTextEvent& event)
{
    wxString pasted;
    if (wxTheClipboard->Open()) {
        wxTextDataObject data;
        if (wxTheClipboard->GetData(data))
            pasted = data.GetText();
        wxTheClipboard->Close();
    }
    const std::string bytes = pasted.utf8_string();
    const bool digits = !bytes.empty() && bytes.find_first_not_of("0123456789") == std::string::npos;
    if (digits && Fits(static_cast<long>(bytes.size())))
        event.Skip();
}
