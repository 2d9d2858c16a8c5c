#pragma once

#include "app/widgets/ListColumnSizer.h"

#include <wx/listctrl.h>

#include <memory>
#include <vector>

// One pane of the project browser: a report list whose rows are the
// entries of a data list, in the list's order, several selectable. Its
// widest column (the designation or text) takes the room the others leave;
// widths the user drags are kept for the session.
class CBrowserListCtrl : public wxListCtrl {
public:
    CBrowserListCtrl(wxWindow* parent, wxWindowID id);

    struct Column {
        wxString title;
        int widthInChars;
        bool right = false;
    };
    // Each column at least as wide as its title needs.
    void SetColumns(const std::vector<Column>& columns);
    CColumnWidths* ColumnWidths() { return m_columns ? &m_columns->Widths() : nullptr; }
    // Replaces the rows; nothing is selected afterwards.
    void SetRows(const std::vector<std::vector<wxString>>& rows);

    // From the top row down.
    std::vector<int> GetSelectedRows() const;
    // -1 when nothing is selected.
    int GetFirstSelected() const;
    // Selects exactly these rows and shows the first.
    void SelectRows(const std::vector<int>& rows);

private:
    int TitleWidth(const Column& column) const;

    std::unique_ptr<CListColumnSizer> m_columns;
};
