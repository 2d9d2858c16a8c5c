#include "app/platform/HtmlViewer.h"

#include <wx/app.h>
#include <wx/log.h>
#include <wx/process.h>
#include <wx/utils.h>

namespace {

// Waits for the open command and tells its failure; deletes itself.
class COpenCommand : public wxProcess {
public:
    explicit COpenCommand(std::function<void()> failed) : m_failed(std::move(failed)) {}

    void OnTerminate(int, int status) override
    {
        if (status != 0 && m_failed && wxTheApp)
            wxTheApp->CallAfter(m_failed);
        delete this;
    }

private:
    std::function<void()> m_failed;
};

} // namespace

bool LaunchHtmlViewer(const wxString& url, std::function<void()> failed)
{
    // xdg-open returns at once when it cannot hand the file on (no browser
    // configured, none installed) and says so only on stderr.
    auto* command = new COpenCommand(std::move(failed));
    const wxString argv0 = wxASCII_STR("xdg-open"); // untranslated: a program's name
    const wchar_t* const argv[] = {argv0.wc_str(), url.wc_str(), nullptr};
    long pid = 0;
    {
        // The program's own message says it; no second one from wx.
        wxLogNull quiet;
        pid = wxExecute(argv, wxEXEC_ASYNC, command);
    }
    if (pid <= 0) {
        // wxExecute has reported nothing and will not call OnTerminate.
        delete command;
        return false;
    }
    return true;
}
