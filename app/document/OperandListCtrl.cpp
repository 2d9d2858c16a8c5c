#include "app/document/OperandListCtrl.h"

#include "app/frames/Artwork.h"
#include "data/sequence/DuplicateOperands.h"
#include "gui/WxText.h"
#include "data/sequence/SequenceEntry.h"

#include <wx/stattext.h>

#include <algorithm>

namespace {

using wxtext::Tr;

// A Symbol column never grows beyond this many average characters.
constexpr int kMaxSymbolChars = 40;
// How many of the longest symbols are measured; the others are shorter.
constexpr std::size_t kMeasuredSymbols = 64;
// The space the list leaves around a cell's text.
constexpr int kCellPadding = 16;

} // namespace

COperandListCtrl::COperandListCtrl(wxWindow* parent)
    : wxListCtrl(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxLC_REPORT | wxLC_VIRTUAL),
      m_images(16, 16, true, 5),
      m_columns(this, CColumnWidths("operands", kCommentColumn, 10 * GetCharWidth()))
{
    for (int kind = kKindInput; kind <= kKindCounter; ++kind)
        m_images.Add(CArtwork::KindIcon(kind));
    SetImageList(&m_images, wxIMAGE_LIST_SMALL);
    // A warm background that stays readable with the selection colour.
    m_duplicateAttr.SetBackgroundColour(wxColour(255, 224, 160));
    m_duplicateAttr.SetTextColour(*wxBLACK);
    m_replacedAttr.SetBackgroundColour(wxColour(255, 205, 205));
    m_replacedAttr.SetTextColour(*wxBLACK);
    m_hint = new wxStaticText(this, wxID_ANY, wxString());
    m_hint->Hide();
    Bind(wxEVT_SIZE, [this](wxSizeEvent& event) {
        event.Skip();
        PlaceHint();
    });
    // The rows may be drawn by a window inside the list (the generic list
    // of GTK): the tool tip goes where the mouse is.
    Bind(wxEVT_MOTION, &COperandListCtrl::OnMouseMove, this);
    for (wxWindow* child : GetChildren())
        if (child != m_hint)
            child->Bind(wxEVT_MOTION, &COperandListCtrl::OnMouseMove, this);
    // The list is its window's only control: Tab would leave the focus on
    // the bare frame, where no key does anything.
    Bind(wxEVT_CHAR_HOOK, [](wxKeyEvent& event) {
        const int modifiers = event.GetModifiers();
        if (event.GetKeyCode() != WXK_TAB || (modifiers != wxMOD_NONE && modifiers != wxMOD_SHIFT))
            event.Skip();
    });
}

void COperandListCtrl::SetColumns(const std::vector<Column>& columns)
{
    DeleteAllColumns();
    // Widths are in average characters of the list's own font.
    const int charWidth = GetCharWidth();
    for (std::size_t i = 0; i < columns.size(); ++i) {
        InsertColumn(static_cast<long>(i), columns[i].title, wxLIST_FORMAT_LEFT, columns[i].widthInChars * charWidth);
        m_columns.Widths().SetWanted(static_cast<int>(i), columns[i].widthInChars * charWidth);
    }
    m_columns.Apply();
}

void COperandListCtrl::SetRows(std::vector<CSequenceEntry*> rows, const CDuplicateOperands* duplicates,
                               std::vector<std::uint32_t> replaced)
{
    std::sort(replaced.begin(), replaced.end());
    m_replaced = std::move(replaced);
    // Clearing first drops the selection, which would otherwise stay on the
    // same row numbers with other entries in them.
    DeleteAllItems();
    m_rows = std::move(rows);
    m_duplicates = duplicates && duplicates->EntryCount() > 0 ? duplicates : nullptr;
    SetItemCount(static_cast<long>(m_rows.size()));
    FocusFirstRow();
    FitSymbolColumn();
    m_columns.Apply();
    Refresh();
}

void COperandListCtrl::TakeFocus()
{
    SetFocus();
    if (GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_FOCUSED) < 0)
        FocusFirstRow();
}

void COperandListCtrl::FocusFirstRow()
{
    // Without a focused row the list's own key handling has nothing to move
    // from and does nothing.
    if (GetItemCount() > 0)
        SetItemState(0, wxLIST_STATE_FOCUSED, wxLIST_STATE_FOCUSED);
}

void COperandListCtrl::FitSymbolColumn()
{
    if (GetColumnCount() <= kCommentColumn)
        return;
    wxListItem header;
    header.SetMask(wxLIST_MASK_TEXT);
    GetColumn(kSymbolColumn, header);
    int widest = GetTextExtent(header.GetText()).GetWidth();
    // Measuring every text of a long file would take long; the texts with
    // the most characters are the widest but for odd fonts, so only those.
    std::vector<std::string_view> symbols;
    symbols.reserve(m_rows.size());
    for (const CSequenceEntry* entry : m_rows)
        symbols.push_back(entry->GetSymbol());
    const std::size_t measured = std::min(kMeasuredSymbols, symbols.size());
    std::partial_sort(symbols.begin(), symbols.begin() + static_cast<std::ptrdiff_t>(measured), symbols.end(),
                      [](std::string_view a, std::string_view b) { return a.size() > b.size(); });
    for (std::size_t i = 0; i < measured; ++i)
        widest = std::max(widest, GetTextExtent(wxtext::FromCp1252(std::string(symbols[i]))).GetWidth());
    m_columns.Widths().SetWanted(kSymbolColumn, std::min(widest + kCellPadding, kMaxSymbolChars * GetCharWidth()));
}

void COperandListCtrl::SetHint(const wxString& hint)
{
    m_hintText = hint;
    PlaceHint();
}

wxString COperandListCtrl::GetHint() const
{
    return m_hint->IsShown() ? m_hintText : wxString();
}

void COperandListCtrl::PlaceHint()
{
    const bool show = m_rows.empty() && !m_hintText.empty();
    if (show) {
        // Below the column headers, wrapped to the list's width.
        const int margin = GetCharWidth() * 2;
        m_hint->SetLabel(m_hintText);
        m_hint->Wrap(std::max(GetClientSize().GetWidth() - 2 * margin, 20 * GetCharWidth()));
        m_hint->Move(margin, GetCharHeight() * 3);
        m_hint->Raise();
    }
    m_hint->Show(show);
}

void COperandListCtrl::SelectAll()
{
    if (!m_rows.empty())
        SetItemState(-1, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
}

bool COperandListCtrl::IsDuplicateRow(long item) const
{
    return m_duplicates && item >= 0 && static_cast<std::size_t>(item) < m_rows.size() &&
           m_duplicates->Contains(m_rows[static_cast<std::size_t>(item)]);
}

bool COperandListCtrl::IsReplacedRow(long item) const
{
    return !m_replaced.empty() && item >= 0 && static_cast<std::size_t>(item) < m_rows.size() &&
           std::binary_search(m_replaced.begin(), m_replaced.end(), m_rows[static_cast<std::size_t>(item)]->SortKey());
}

wxItemAttr* COperandListCtrl::OnGetItemAttr(long item) const
{
    if (IsDuplicateRow(item))
        return &m_duplicateAttr;
    return IsReplacedRow(item) ? &m_replacedAttr : nullptr;
}

void COperandListCtrl::OnMouseMove(wxMouseEvent& event)
{
    event.Skip();
    auto* window = static_cast<wxWindow*>(event.GetEventObject());
    // The column headers of the generic list are a window of their own,
    // whose positions are no rows.
    const wxString headerClass = wxASCII_STR("wxListHeaderWindow"); // untranslated: a class name
    if (wxString(window->GetClassInfo()->GetClassName()) == headerClass)
        return;
    int flags = 0;
    const long item = m_duplicates || !m_replaced.empty() ? HitTest(event.GetPosition(), flags) : wxNOT_FOUND;
    wxString tip;
    if (IsDuplicateRow(item))
        tip = Tr("mehrfach in der Datei");
    else if (IsReplacedRow(item))
        tip = Tr("Zeichen ohne Entsprechung in Windows-1252 durch ? ersetzt");
    if (window->GetToolTipText() != tip) {
        if (tip.empty())
            window->UnsetToolTip();
        else
            window->SetToolTip(tip);
    }
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
