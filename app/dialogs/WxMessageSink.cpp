#include "app/dialogs/WxMessageSink.h"

#include "gui/WxText.h"
#include "data/text/StringTable.h"

#include <wx/app.h>
#include <wx/msgdlg.h>

void CWxMessageSink::ShowMessage(const std::string& text, MessageKind kind)
{
    const long icon = kind == MessageKind::error ? wxICON_ERROR : wxICON_INFORMATION;
    wxWindow* parent = wxTheApp ? wxTheApp->GetTopWindow() : nullptr;
    wxMessageBox(wxtext::FromCp1252(text), wxtext::String(ids::kProgramTitle), wxOK | icon, parent);
}
