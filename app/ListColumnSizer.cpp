#include "app/ListColumnSizer.h"

#include <wx/listctrl.h>
#include <wx/settings.h>

CListColumnSizer::CListColumnSizer(wxListCtrl* list, CColumnWidths widths) : m_list(list), m_widths(std::move(widths))
{
    m_list->Bind(wxEVT_SIZE, &CListColumnSizer::OnSize, this);
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
    // After the list has laid out its own parts for the new size.
    m_list->CallAfter([this] { Apply(); });
}

void CListColumnSizer::OnDragged(wxListEvent& event)
{
    event.Skip();
    const int column = event.GetColumn();
    // The column has its new width once the drag has been handled.
    m_list->CallAfter([this, column] {
        m_widths.SetDragged(column, m_list->GetColumnWidth(column));
        Apply();
    });
}
