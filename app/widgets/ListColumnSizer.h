#pragma once

#include "app/widgets/ColumnWidths.h"

class wxListCtrl;
class wxListEvent;
class wxSizeEvent;

// Keeps the columns of a report list as CColumnWidths wants them: on every
// resize of the list, and after the user drags a column border.
class CListColumnSizer {
public:
    CListColumnSizer(wxListCtrl* list, CColumnWidths widths);

    CColumnWidths& Widths() { return m_widths; }
    // Sets the columns' widths for the list's present size.
    void Apply();

    // The width the rows have, without a vertical scroll bar.
    static int RowWidth(const wxListCtrl& list);

private:
    void OnSize(wxSizeEvent& event);
    void OnDragStarted(wxListEvent& event);
    void OnDragged(wxListEvent& event);

    wxListCtrl* m_list;
    CColumnWidths m_widths;
    bool m_dragging = false;
};
