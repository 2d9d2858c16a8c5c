#pragma once

#include "app/widgets/ListColumnSizer.h"

#include <wx/imaglist.h>
#include <wx/listctrl.h>

#include <cstdint>
#include <string>
#include <vector>

class CDuplicateOperands;
class CSequenceEntry;
class wxStaticText;

// The operand list of a view: a virtual report list, so that a million
// rows cost no more than their pointers. Each row points at an entry of
// the document's sequence file and shows its operand, symbol and comment
// with the icon of its kind; the texts are made when a row is drawn. Rows
// of operands that the file names more than once are marked. The Symbol
// column is as wide as its widest text, the Kommentar column takes the
// rest of the width; widths the user drags are kept for the session.
class COperandListCtrl : public wxListCtrl {
public:
    explicit COperandListCtrl(wxWindow* parent);

    struct Column {
        wxString title;
        int widthInChars = 0;
    };
    void SetColumns(const std::vector<Column>& columns);
    // Replaces the rows; the selection is cleared. `duplicates` (kept by
    // the document, may be null) marks rows, and so does `replaced`: the
    // operands (CSequenceEntry::SortKey) whose texts had characters
    // without a Windows-1252 form.
    void SetRows(std::vector<CSequenceEntry*> rows, const CDuplicateOperands* duplicates = nullptr,
                 std::vector<std::uint32_t> replaced = {});
    // A text shown inside the list while it has no rows; empty for none.
    void SetHint(const wxString& hint);
    wxString GetHint() const;
    void SelectAll();
    // Gives the list the keyboard focus with a focused row (the first, if
    // none is), so that the arrow keys, Space, Home, End and the page keys
    // move and extend the selection from there.
    void TakeFocus();
    bool IsDuplicateRow(long item) const;
    bool IsReplacedRow(long item) const;

    CColumnWidths& ColumnWidths() { return m_columns.Widths(); }

    static constexpr int kSymbolColumn = 1;
    static constexpr int kCommentColumn = 2;

    const std::vector<CSequenceEntry*>& GetRows() const { return m_rows; }
    // The entries of the selected rows, from the top row down.
    std::vector<CSequenceEntry*> GetSelectedEntries() const;

protected:
    wxString OnGetItemText(long item, long column) const override;
    int OnGetItemImage(long item) const override;
    int OnGetItemColumnImage(long item, long column) const override;
    wxItemAttr* OnGetItemAttr(long item) const override;

private:
    void FitSymbolColumn();
    void FocusFirstRow();
    void PlaceHint();
    void OnMouseMove(wxMouseEvent& event);

    wxImageList m_images;
    std::vector<CSequenceEntry*> m_rows;
    const CDuplicateOperands* m_duplicates = nullptr;
    mutable wxItemAttr m_duplicateAttr;
    std::vector<std::uint32_t> m_replaced; // sorted
    mutable wxItemAttr m_replacedAttr;
    wxStaticText* m_hint = nullptr;
    wxString m_hintText;
    CListColumnSizer m_columns;
};
