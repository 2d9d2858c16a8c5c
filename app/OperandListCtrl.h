#pragma once

#include <wx/imaglist.h>
#include <wx/listctrl.h>

#include <string>
#include <vector>

class CSequenceEntry;

// The operand list of a view: a virtual report list, so that a million
// rows cost no more than their pointers. Each row points at an entry of
// the document's sequence file and shows its operand, symbol and comment
// with the icon of its kind; the texts are made when a row is drawn.
class COperandListCtrl : public wxListCtrl {
public:
    explicit COperandListCtrl(wxWindow* parent);

    struct Column {
        wxString title;
        int widthInChars = 0;
    };
    void SetColumns(const std::vector<Column>& columns);
    // Replaces the rows; the selection is cleared.
    void SetRows(std::vector<CSequenceEntry*> rows);

    const std::vector<CSequenceEntry*>& GetRows() const { return m_rows; }
    // The entries of the selected rows, from the top row down.
    std::vector<CSequenceEntry*> GetSelectedEntries() const;

protected:
    wxString OnGetItemText(long item, long column) const override;
    int OnGetItemImage(long item) const override;
    int OnGetItemColumnImage(long item, long column) const override;

private:
    wxImageList m_images;
    std::vector<CSequenceEntry*> m_rows;
};
