#pragma once

#include "app/frames/ProjectObserver.h"

#include <wx/mdi.h>

class CMainFrame;
class CProjectBrowser;

// The window of the project browser, beside the windows of the sequence
// documents, with menus of its own: the edit commands work on the pane
// that has the focus. It follows the application's open project, and
// reads it again after a conversion.
class CProjectBrowserFrame : public wxMDIChildFrame, public IProjectObserver {
public:
    explicit CProjectBrowserFrame(CMainFrame* parent);
    ~CProjectBrowserFrame() override;

    CProjectBrowser* GetBrowser() const { return m_browser; }
    void OnProjectChanged() override;

private:
    void ShowTitle();
    void BindCommands();
    void OnEdit(wxCommandEvent& event);
    void OnUpdateEdit(wxUpdateUIEvent& event);

    CProjectBrowser* m_browser = nullptr;
};
