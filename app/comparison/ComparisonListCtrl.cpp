#include "app/comparison/ComparisonListCtrl.h"

#include "gui/WxText.h"
#include "panel/StepChainGroup.h"
#include "panel/StepChainList.h"

#include <wx/dcmemory.h>

namespace {

using wxtext::Tr;

// A 16 x 16 status mark: a grey dot (same), an orange dot (changed), a
// green plus (new), a red minus (orphan).
wxBitmap StatusIcon(CProjectComparison::Status status)
{
    using Status = CProjectComparison::Status;
    wxBitmap bitmap(16, 16, 24);
    wxMemoryDC dc(bitmap);
    dc.SetBackground(*wxWHITE_BRUSH);
    dc.Clear();
    switch (status) {
    case Status::same:
    case Status::changed:
        dc.SetPen(wxPen(status == Status::same ? wxColour(150, 150, 150) : wxColour(200, 110, 0)));
        dc.SetBrush(wxBrush(status == Status::same ? wxColour(190, 190, 190) : wxColour(245, 150, 20)));
        dc.DrawCircle(8, 8, 5);
        break;
    case Status::added:
        dc.SetPen(*wxTRANSPARENT_PEN);
        dc.SetBrush(wxBrush(wxColour(30, 150, 40)));
        dc.DrawRectangle(6, 2, 4, 12);
        dc.DrawRectangle(2, 6, 12, 4);
        break;
    case Status::orphan:
        dc.SetPen(*wxTRANSPARENT_PEN);
        dc.SetBrush(wxBrush(wxColour(200, 30, 30)));
        dc.DrawRectangle(2, 6, 12, 4);
        break;
    }
    dc.SelectObject(wxNullBitmap);
    bitmap.SetMask(new wxMask(bitmap, *wxWHITE));
    return bitmap;
}

} // namespace

CComparisonListCtrl::CComparisonListCtrl(wxWindow* parent, wxWindowID id)
    : wxListCtrl(parent, id, wxDefaultPosition, wxDefaultSize, wxLC_REPORT | wxLC_VIRTUAL),
      m_images(16, 16, true, 4),
      m_columns(this, CColumnWidths("comparison", kNewTextColumn, 20 * GetCharWidth()))
{
    for (Status status : {Status::same, Status::changed, Status::added, Status::orphan})
        m_images.Add(StatusIcon(status));
    SetImageList(&m_images, wxIMAGE_LIST_SMALL);
    const int charWidth = GetCharWidth();
    const std::pair<wxString, int> columns[] = {{Tr("Status"), 11}, {Tr("Operand"), 10},
                                                {Tr("Gruppe"), 7},  {Tr("Liste"), 6},
                                                {Tr("Gespeicherter Text"), 34}, {Tr("Neuer Text"), 34}};
    for (const auto& [title, width] : columns) {
        const long column = AppendColumn(title, wxLIST_FORMAT_LEFT, width * charWidth);
        m_columns.Widths().SetWanted(static_cast<int>(column), width * charWidth);
    }
    // The new text takes the room the other columns leave.
    m_columns.Apply();
}

wxString CComparisonListCtrl::StatusText(Status status)
{
    switch (status) {
    case Status::same: return Tr("gleich");
    case Status::changed: return Tr("geändert");
    case Status::added: return Tr("neu");
    case Status::orphan: return Tr("verwaist");
    }
    return wxString();
}

void CComparisonListCtrl::SetRows(const CProjectComparison& comparison, const Shown& shown)
{
    DeleteAllItems();
    m_comparison = &comparison;
    m_shown.clear();
    const auto& rows = comparison.GetRows();
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (shown[static_cast<std::size_t>(rows[i].status)])
            m_shown.push_back(i);
    SetItemCount(static_cast<long>(m_shown.size()));
    Refresh();
}

void CComparisonListCtrl::Clear()
{
    DeleteAllItems();
    m_comparison = nullptr;
    m_shown.clear();
    SetItemCount(0);
    Refresh();
}

std::vector<std::size_t> CComparisonListCtrl::GetSelectedRows() const
{
    std::vector<std::size_t> rows;
    for (long item = GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED); item != -1;
         item = GetNextItem(item, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED))
        if (static_cast<std::size_t>(item) < m_shown.size())
            rows.push_back(m_shown[static_cast<std::size_t>(item)]);
    return rows;
}

const CProjectComparison::Row* CComparisonListCtrl::RowAt(long item) const
{
    if (!m_comparison || item < 0 || static_cast<std::size_t>(item) >= m_shown.size())
        return nullptr;
    const std::size_t row = m_shown[static_cast<std::size_t>(item)];
    return row < m_comparison->GetRows().size() ? &m_comparison->GetRows()[row] : nullptr;
}

wxString CComparisonListCtrl::OnGetItemText(long item, long column) const
{
    const CProjectComparison::Row* row = RowAt(item);
    if (!row)
        return wxString();
    switch (column) {
    case 0: return StatusText(row->status);
    case 1: return wxtext::FromCp1252(row->OperandName());
    case 2: return row->group ? wxtext::FromCp1252(row->group->GetGroupId()) : wxString();
    case 3: return row->list ? wxtext::FromCp1252(row->list->GetListId()) : wxString();
    case 4: return wxtext::FromCp1252(row->StoredText());
    case 5: return row->status == Status::orphan ? wxString() : wxtext::FromCp1252(row->NewText());
    default: return wxString();
    }
}

int CComparisonListCtrl::OnGetItemImage(long item) const
{
    return OnGetItemColumnImage(item, 0);
}

int CComparisonListCtrl::OnGetItemColumnImage(long item, long column) const
{
    const CProjectComparison::Row* row = RowAt(item);
    return column == 0 && row ? static_cast<int>(row->status) : -1;
}
