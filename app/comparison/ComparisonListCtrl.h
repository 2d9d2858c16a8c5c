#pragma once

#include "app/widgets/ListColumnSizer.h"
#include "convert/ProjectComparison.h"

#include <wx/imaglist.h>
#include <wx/listctrl.h>

#include <array>
#include <vector>

// The rows of a comparison whose status is shown: a virtual report list
// with a status icon, operand, group, list, stored and new text. The texts
// are made when a row is drawn, so a project of a quarter million texts
// costs no more than the rows' numbers.
class CComparisonListCtrl : public wxListCtrl {
public:
    using Status = CProjectComparison::Status;
    using Shown = std::array<bool, 4>; // by Status

    static constexpr int kNewTextColumn = 5;

    explicit CComparisonListCtrl(wxWindow* parent, wxWindowID id);

    // The comparison must outlive the rows; nothing is selected afterwards.
    void SetRows(const CProjectComparison& comparison, const Shown& shown);
    void Clear();

    // Indices into the comparison's rows, from the top row down.
    std::vector<std::size_t> GetSelectedRows() const;
    const std::vector<std::size_t>& GetShownRows() const { return m_shown; }

    // A status's name in the windows' language ("geändert").
    static wxString StatusText(Status status);

protected:
    wxString OnGetItemText(long item, long column) const override;
    int OnGetItemImage(long item) const override;
    int OnGetItemColumnImage(long item, long column) const override;

private:
    const CProjectComparison::Row* RowAt(long item) const;

    wxImageList m_images;
    const CProjectComparison* m_comparison = nullptr;
    std::vector<std::size_t> m_shown;
    CListColumnSizer m_columns;
};
