#include "app/browser/BrowserListCtrl.h"

#include <algorithm>
#include <string>

CBrowserListCtrl::CBrowserListCtrl(wxWindow* parent, wxWindowID id)
    : wxListCtrl(parent, id, wxDefaultPosition, wxDefaultSize, wxLC_REPORT | wxBORDER_SUNKEN)
{
}

int CBrowserListCtrl::TitleWidth(const Column& column) const
{
    // The header insets its title by three edge widths on each side (a
    // little more than two characters); narrower, the title is cut.
    return GetTextExtent(column.title).GetWidth() + 3 * GetCharWidth();
}

void CBrowserListCtrl::SetColumns(const std::vector<Column>& columns)
{
    ClearAll();
    int fill = -1;
    for (std::size_t i = 0; i < columns.size(); ++i)
        if (fill < 0 || columns[i].widthInChars > columns[static_cast<std::size_t>(fill)].widthInChars)
            fill = static_cast<int>(i);
    const int minimumFill =
        fill < 0 ? 0
                 : std::max(columns[static_cast<std::size_t>(fill)].widthInChars * GetCharWidth() / 2,
                            TitleWidth(columns[static_cast<std::size_t>(fill)]));
    if (!m_columns)
        m_columns = std::make_unique<CListColumnSizer>(
            this, CColumnWidths("browser" + std::to_string(GetId()), fill, minimumFill));
    for (std::size_t i = 0; i < columns.size(); ++i) {
        const int width = std::max(columns[i].widthInChars * GetCharWidth(), TitleWidth(columns[i]));
        AppendColumn(columns[i].title, columns[i].right ? wxLIST_FORMAT_RIGHT : wxLIST_FORMAT_LEFT, width);
        m_columns->Widths().SetWanted(static_cast<int>(i), width);
    }
    m_columns->Apply();
}

void CBrowserListCtrl::SetRows(const std::vector<std::vector<wxString>>& rows)
{
    Freeze();
    DeleteAllItems();
    for (std::size_t row = 0; row < rows.size(); ++row) {
        const long item = InsertItem(static_cast<long>(row), rows[row].empty() ? wxString() : rows[row][0]);
        for (std::size_t column = 1; column < rows[row].size(); ++column)
            SetItem(item, static_cast<int>(column), rows[row][column]);
    }
    Thaw();
    // The rows may have brought a scroll bar.
    if (m_columns)
        m_columns->Apply();
}

std::vector<int> CBrowserListCtrl::GetSelectedRows() const
{
    std::vector<int> rows;
    for (long item = GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED); item != -1;
         item = GetNextItem(item, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED))
        rows.push_back(static_cast<int>(item));
    return rows;
}

int CBrowserListCtrl::GetFirstSelected() const
{
    return static_cast<int>(GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED));
}

void CBrowserListCtrl::SelectRows(const std::vector<int>& rows)
{
    for (long item = GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED); item != -1;
         item = GetNextItem(item, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED))
        SetItemState(item, 0, wxLIST_STATE_SELECTED);
    for (int row : rows)
        if (row >= 0 && row < GetItemCount())
            SetItemState(row, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED,
                         wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
    if (!rows.empty() && rows.front() >= 0 && rows.front() < GetItemCount())
        EnsureVisible(rows.front());
}
