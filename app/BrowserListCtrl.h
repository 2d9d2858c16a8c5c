#pragma once

#include <wx/listctrl.h>

#include <vector>

// One pane of the project browser: a report list whose rows are the
// entries of a data list, in the list's order, several selectable.
class CBrowserListCtrl : public wxListCtrl {
public:
    CBrowserListCtrl(wxWindow* parent, wxWindowID id);

    struct Column {
        const char* title;
        int widthInChars;
        bool right = false;
    };
    void SetColumns(const std::vector<Column>& columns);
    // Replaces the rows; nothing is selected afterwards.
    void SetRows(const std::vector<std::vector<wxString>>& rows);

    // From the top row down.
    std::vector<int> GetSelectedRows() const;
    // -1 when nothing is selected.
    int GetFirstSelected() const;
    // Selects exactly these rows and shows the first.
    void SelectRows(const std::vector<int>& rows);
};
