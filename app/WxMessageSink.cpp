#include "app/WxMessageSink.h"

#include "app/WxText.h"

#include <wx/app.h>
#include <wx/msgdlg.h>

namespace {

constexpr unsigned kApplicationTitle = 57344;

} // namespace

void CWxMessageSink::ShowMessage(const std::string& text, MessageKind kind)
{
    const long icon = kind == MessageKind::error ? wxICON_ERROR : wxICON_INFORMATION;
    wxWindow* parent = wxTheApp ? wxTheApp->GetTopWindow() : nullptr;
    wxMessageBox(wxtext::FromCp1252(text), wxtext::String(kApplicationTitle), wxOK | icon, parent);
}
