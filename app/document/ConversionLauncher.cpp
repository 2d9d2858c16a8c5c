#include "app/document/ConversionLauncher.h"

#include "convert/dialogs/ConversionDlg.h"

void RunConversion(wxWindow* parent, ConversionMode mode, CPanelProject& project, const std::vector<CSequenceEntry*>& operands,
                   const CAppSettings& settings, CProjectHistory* history)
{
    // The dialog loads the project and empties it again when it closes, so
    // every conversion starts from what is on disk.
    CConversionDlg dialog(parent, mode, project, operands, settings, history);
    dialog.ShowModal();
}
