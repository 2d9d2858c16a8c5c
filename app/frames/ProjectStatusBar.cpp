#include "app/frames/ProjectStatusBar.h"

#include "gui/WxText.h"

#include <wx/frame.h>

namespace {

// Room for the field's border and the margins the bar draws text with, so
// that a pane as wide as its text shows all of it.
constexpr int kFieldPadding = 12;

} // namespace

CProjectStatusBar::CProjectStatusBar(wxFrame* frame)
    : wxStatusBar(frame, wxID_ANY, wxSTB_SIZEGRIP | wxFULL_REPAINT_ON_RESIZE), m_frame(frame)
{
}

void CProjectStatusBar::Init()
{
    m_panes = CStatusPanes();
    ApplyPanes();
}

void CProjectStatusBar::ShowProject(const wxString& path, const wxString& name)
{
    m_panes.ShowProject(path.utf8_string(), name.utf8_string());
    if (!m_panes.InMenuMode())
        ApplyPanes();
}

void CProjectStatusBar::ShowCounts(const wxString& text)
{
    if (m_panes.GetPaneText(CStatusPanes::kCountsPane) == text.utf8_string())
        return;
    if (m_panes.ShowCounts(text.utf8_string()))
        ApplyPanes();
}

void CProjectStatusBar::SetPaneTextEx(int index, const wxString& text)
{
    if (m_panes.SetPaneText(index, text.utf8_string()))
        ApplyPanes();
}

void CProjectStatusBar::EnterMenuMode()
{
    m_panes.EnterMenuMode();
    SetFieldsCount(1);
    const int width[] = {-1};
    const int style[] = {wxSB_SUNKEN};
    SetStatusWidths(1, width);
    SetStatusStyles(1, style);
    SetStatusText(wxString());
}

void CProjectStatusBar::ExitMenuMode()
{
    m_panes.ExitMenuMode();
    ApplyPanes();
}

CStatusPanes::Metrics CProjectStatusBar::Measure() const
{
    CStatusPanes::Metrics metrics;
    metrics.averageCharWidth = GetCharWidth();
    // wx has no maximum character width; the widest capital stands for it.
    metrics.maxCharWidth = GetTextExtent(wxString::FromUTF8("W")).GetWidth(); // untranslated: only measured
    metrics.textWidth = [this](const std::string& text) { return GetTextExtent(wxtext::FromUtf8(text)).GetWidth(); };
    return metrics;
}

void CProjectStatusBar::ApplyPanes()
{
    // The frame's own prompts (tool bar fly-by texts) have no pane; menu
    // prompts are shown by the main frame in menu mode only.
    m_frame->SetStatusBarPane(-1);
    // The counts' pane exists only while an operand view is active.
    const int count = m_panes.GetPaneText(CStatusPanes::kCountsPane).empty() ? CStatusPanes::kProjectPanes
                                                                                : CStatusPanes::kPaneCount;
    SetFieldsCount(count);
    const CStatusPanes::Metrics metrics = Measure();
    int widths[CStatusPanes::kPaneCount];
    int styles[CStatusPanes::kPaneCount];
    for (int i = 0; i < count; ++i) {
        const CStatusPanes::Layout layout = m_panes.GetLayout(i, metrics);
        widths[i] = layout.visible ? layout.width + kFieldPadding : 0;
        styles[i] = layout.visible ? wxSB_SUNKEN : wxSB_FLAT;
        SetStatusText(wxtext::FromUtf8(layout.text), i);
    }
    SetStatusWidths(count, widths);
    SetStatusStyles(count, styles);
    Refresh();
    Update();
}
