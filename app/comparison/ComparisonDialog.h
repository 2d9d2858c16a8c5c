#pragma once

#include "app/comparison/ComparisonListCtrl.h"
#include "app/frames/ProjectObserver.h"
#include "convert/ProjectComparison.h"

#include <wx/dialog.h>

#include <filesystem>
#include <memory>
#include <vector>

class CAppSettings;
class CPanelProject;
class CSequenceEntry;
class wxCheckBox;
class wxStaticText;

// Compares the operands of an operand view with the open panel project:
// one row per place a text is kept (same, changed), per operand kept
// nowhere (new) and per text whose operand is gone (orphan). Changed texts
// are taken over in place; new operands go to the conversion dialog. The
// comparison reads the project on its own, from disk, every time it is
// computed: after a conversion, after taking texts over, after a take-back
// of the history (Ctrl+Z, Ctrl+Y work here too), and on request.
class CComparisonDialog : public wxDialog, public IProjectObserver {
public:
    // Control identifiers, for tests.
    enum : int {
        kListId = 1101,
        kShowSameId = 1102, // and the next three, by status
        kApplyId = 1106,
        kConvertNewId = 1107,
        kSummaryId = 1108,
    };

    // `operands`: the view's rows, of the kinds `kinds`; `project`: the
    // open project's folder.
    CComparisonDialog(wxWindow* parent, std::vector<CSequenceEntry*> operands, CProjectComparison::Kinds kinds,
                   std::filesystem::path project, const CAppSettings& settings);
    ~CComparisonDialog() override;

    const CProjectComparison& GetComparison() const { return m_comparison; }
    CComparisonListCtrl* GetList() const { return m_list; }
    // Reads the project again and compares.
    void Recompute();
    void OnProjectChanged() override { Recompute(); }
    // The changed rows "Geänderte übernehmen" takes: of the selected rows,
    // or of all shown rows when none is selected.
    std::vector<std::size_t> RowsToApply() const;
    // The operands "Neue konvertieren..." hands over, by the same rule.
    std::vector<CSequenceEntry*> OperandsToConvert() const;

private:
    void CreateControls();
    void ShowRows();
    void ShowSummary(const wxString& note = wxString());
    // The rows of this status among the selected rows, or among all shown
    // rows when none is selected.
    std::vector<std::size_t> Chosen(CProjectComparison::Status status) const;
    void OnApply(wxCommandEvent& event);
    void OnConvertNew(wxCommandEvent& event);

    std::vector<CSequenceEntry*> m_operands;
    CProjectComparison::Kinds m_kinds;
    std::filesystem::path m_folder;
    CProjectComparison m_comparison;
    std::unique_ptr<CPanelProject> m_project;
    CComparisonListCtrl* m_list = nullptr;
    wxCheckBox* m_show[4] = {};
    wxStaticText* m_summary = nullptr;
};
