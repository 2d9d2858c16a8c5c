#include "app/OperandListCtrl.h"

#include "app/Artwork.h"
#include "app/WxText.h"
#include "data/SequenceEntry.h"

COperandListCtrl::COperandListCtrl(wxWindow* parent)
    : wxListCtrl(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxLC_REPORT | wxLC_VIRTUAL),
      m_images(16, 16, true, 5)
{
    for (int kind = kKindInput; kind <= kKindCounter; ++kind)
        m_images.Add(CArtwork::KindIcon(kind));
    SetImageList(&m_images, wxIMAGE_LIST_SMALL);
}

void COperandListCtrl::SetColumns(const std::vector<Column>& columns)
{
    DeleteAllColumns();
    // Widths are in average characters of the list's own font.
    const int charWidth = GetCharWidth();
    for (std::size_t i = 0; i < columns.size(); ++i)
        InsertColumn(static_cast<long>(i), columns[i].title, wxLIST_FORMAT_LEFT, columns[i].widthInChars * charWidth);
}

void COperandListCtrl::SetRows(std::vector<CSequenceEntry*> rows)
{
    // Clearing first drops the selection, which would otherwise stay on the
    // same row numbers with other entries in them.
    DeleteAllItems();
    m_rows = std::move(rows);
    SetItemCount(static_cast<long>(m_rows.size()));
    Refresh();
}

std::vector<CSequenceEntry*> COperandListCtrl::GetSelectedEntries() const
{
    std::vector<CSequenceEntry*> entries;
    for (long item = GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED); item != -1;
         item = GetNextItem(item, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED))
        entries.push_back(m_rows[static_cast<std::size_t>(item)]);
    return entries;
}

wxString COperandListCtrl::OnGetItemText(long item, long column) const
{
    if (item < 0 || static_cast<std::size_t>(item) >= m_rows.size())
        return wxString();
    const CSequenceEntry* entry = m_rows[static_cast<std::size_t>(item)];
    switch (column) {
    case 0:
        return wxtext::FromCp1252(entry->GetOperandText());
    case 1:
        return wxtext::FromCp1252(entry->GetSymbol());
    case 2:
        return wxtext::FromCp1252(entry->GetComment());
    default:
        return wxString();
    }
}

int COperandListCtrl::OnGetItemImage(long item) const
{
    return OnGetItemColumnImage(item, 0);
}

int COperandListCtrl::OnGetItemColumnImage(long item, long column) const
{
    if (column != 0 || item < 0 || static_cast<std::size_t>(item) >= m_rows.size())
        return -1;
    return m_rows[static_cast<std::size_t>(item)]->GetKind() - 1;
}
