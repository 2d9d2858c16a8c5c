#pragma once

#include "app/frames/StatusPanes.h"

#include <wx/statusbr.h>

class wxFrame;

// The main frame's status bar: the open project's folder in the first pane
// and its name in the second, each as wide as its text. It shows no
// command prompts, except while a menu of the menu bar is open: then it
// turns into one pane with the prompt of the highlighted item.
class CProjectStatusBar : public wxStatusBar {
public:
    explicit CProjectStatusBar(wxFrame* frame);

    // "No project" in pane 0, pane 1 hidden.
    void Init();
    void ShowProject(const wxString& path, const wxString& name);
    // The operand counts of the active view; empty hides their pane.
    void ShowCounts(const wxString& text);
    // An index of 2 or more is ignored; in menu mode the text is kept and
    // shown when the menu closes.
    void SetPaneTextEx(int index, const wxString& text);
    void EnterMenuMode();
    void ExitMenuMode();
    bool InMenuMode() const { return m_panes.InMenuMode(); }

    const CStatusPanes& GetPanes() const { return m_panes; }

private:
    void ApplyPanes();
    CStatusPanes::Metrics Measure() const;

    wxFrame* m_frame;
    CStatusPanes m_panes;
};
