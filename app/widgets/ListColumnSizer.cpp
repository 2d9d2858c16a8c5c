#include "app/widgets/ListColumnSizer.h"

#include <wx/listctrl.h>
#include <wx/settings.h>

CListColumnSizer::CListColumnSizer(wxListCtrl* list, CColumnWidths widths) : m_list(list), m_widths(std::move(widths))
{
    m_list->Bind(wxEVT_SIZE, &CListColumnSizer::OnSize, this);
    m_list->Bind(wxEVT_LIST_COL_BEGIN_DRAG, &CListColumnSizer::OnDragStarted, this);
    m_list->Bind(wxEVT_LIST_COL_END_DRAG, &CListColumnSizer::OnDragged, this);
}

int CListColumnSizer::RowWidth(const wxListCtrl& list)
{
    int width = list.GetClientSize().GetWidth();
    // With more rows than fit, the scroll bar takes its part of the width.
    if (list.GetItemCount() > list.GetCountPerPage())
        width -= wxSystemSettings::GetMetric(wxSYS_VSCROLL_X, &list);
    // A pixel or two less than all, or a horizontal scroll bar appears.
    return width - 2;
}

void CListColumnSizer::Apply()
{
    const std::vector<int> widths = m_widths.Layout(RowWidth(*m_list));
    for (std::size_t i = 0; i < widths.size() && static_cast<int>(i) < m_list->GetColumnCount(); ++i)
        if (m_list->GetColumnWidth(static_cast<int>(i)) != widths[i])
            m_list->SetColumnWidth(static_cast<int>(i), widths[i]);
}

void CListColumnSizer::OnSize(wxSizeEvent& event)
{
    event.Skip();
    // After the list has laid out its own parts for the new size. Not while
    // the user drags a border: on Windows the column widens as the mouse
    // moves, a scroll bar that comes or goes resizes the list, and laying
    // the columns out then would pull the border from under the mouse.
    m_list->CallAfter([this] {
        if (!m_dragging)
            Apply();
    });
}

void CListColumnSizer::OnDragStarted(wxListEvent& event)
{
    event.Skip();
    m_dragging = true;
}

void CListColumnSizer::OnDragged(wxListEvent& event)
{
    event.Skip();
    m_dragging = false;
    // Windows tells the new width with the event and gives it to the column
    // only afterwards; elsewhere the column has it already. Taken now, a
    // layout still queued from before cannot stand in for it.
    const int column = event.GetColumn();
    const int reported = event.GetItem().GetWidth();
    m_widths.SetDragged(column, reported > 0 ? reported : m_list->GetColumnWidth(column));
    m_list->CallAfter([this] { Apply(); });
}
