#include "app/platform/HtmlViewer.h"

#include <wx/log.h>
#include <wx/utils.h>

bool LaunchHtmlViewer(const wxString& url, std::function<void()>)
{
    // The shell's association for ".htm" opens it; it fails at once or not.
    // The program's own message says so and names the document: no second,
    // English one from wx.
    wxLogNull quiet;
    return wxLaunchDefaultBrowser(url);
}
