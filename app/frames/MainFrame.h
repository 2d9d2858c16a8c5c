#pragma once

#include <wx/docmdi.h>
#include <wx/timer.h>

#include <functional>
#include <vector>

class CProjectStatusBar;
class wxToolBar;

// The main window: the menus shown while no document is open, the tool
// bar, the keys, and the status bar that names the open panel project.
// Documents open as child frames inside it.
class CMainFrame : public wxDocMDIParentFrame {
public:
    explicit CMainFrame(wxDocManager* manager);
    ~CMainFrame() override;

    // An empty path shows that no project is open.
    void ShowProject(const wxString& path, const wxString& name);
    // "MoraWin", followed by the active window's title; and the operand
    // counts of the active operand view in the status bar.
    void UpdateTitle();

    CProjectStatusBar* GetProjectStatusBar() const { return m_statusBar; }

    // Shows the prompt of a highlighted menu item while a menu is open; the
    // document frames hand their menus' highlights on to here.
    void OnMenuHighlight(wxMenuEvent& event);
    // Takes on what a child window shows through this one: the prompts of
    // its menus, and its name in the title, which may change when it is
    // maximized or restored.
    void FollowChild(wxMDIChildFrame* child);
    // Runs `work` once the window system has put this window on the
    // screen: a message box shown before a window manager has placed the
    // window would lie beneath it.
    void WhenOnScreen(std::function<void()> work);
    // No menu is open any more: the status bar shows the project again.
    void EndMenuMode();

private:
    void OnShow(wxShowEvent& event);
    void RunWaiting();
    void CreateToolBarButtons();
    void OnMenuOpen(wxMenuEvent& event);
    void OnMenuClose(wxMenuEvent& event);
    void OnToggleToolBar(wxCommandEvent& event);
    void OnToggleStatusBar(wxCommandEvent& event);
    void OnUpdateToolBarItem(wxUpdateUIEvent& event);
    void OnUpdateStatusBarItem(wxUpdateUIEvent& event);
    void OnUpdateNeedsView(wxUpdateUIEvent& event);
    void OnWindowCommand(wxCommandEvent& event);
    void OnFileClose(wxCommandEvent& event);
    void OnExit(wxCommandEvent& event);

    CProjectStatusBar* m_statusBar = nullptr;
    int m_openMenus = 0;
    bool m_onScreen = false;
    std::vector<std::function<void()>> m_waiting;
    // Should the window system never report the window shown, the start
    // goes on after a while all the same.
    wxTimer m_onScreenTimeout;
};
