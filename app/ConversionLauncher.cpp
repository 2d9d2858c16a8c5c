#include "app/ConversionLauncher.h"

#include "app/WxText.h"

#include <wx/msgdlg.h>

// The conversion engine and its dialog are not part of this program yet:
// the user is told so instead of being shown a conversion that does
// nothing.
void RunConversion(wxWindow* parent, int, CPanelProject&, const std::vector<CSequenceEntry*>&, const CAppSettings&)
{
    wxMessageBox(wxString::FromUTF8("Die Konvertierung ist in diesem Programmstand noch nicht verfügbar."),
                 wxtext::String(57344), wxOK | wxICON_INFORMATION, parent);
}
