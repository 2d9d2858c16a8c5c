#pragma once

#include "app/widgets/ListColumnSizer.h"

#include <wx/dialog.h>

#include <functional>
#include <memory>
#include <vector>

class CProjectHistory;
class wxListCtrl;
class wxListEvent;

// "Verlauf": the operations of the open project that are in effect, newest
// first, with their time, description and files (name, size before, size
// after), and last the state before them. "Zurücksetzen auf diesen Stand"
// takes back every operation newer than the selected one, all at once.
class CHistoryDialog : public wxDialog {
public:
    // Control identifiers, for tests.
    enum : int { kListId = 1201, kResetId = 1202 };

    // The row of the state before every operation listed.
    static constexpr int kBeforeAll = 0;

    // `reset` takes back everything after the operation with this id
    // (kBeforeAll: every operation).
    CHistoryDialog(wxWindow* parent, const CProjectHistory& history, std::function<void(int)> reset);

    wxListCtrl* GetList() const { return m_list; }
    // The operation of each row, newest first, then kBeforeAll.
    const std::vector<int>& GetRowIds() const { return m_ids; }
    // Reads the history again.
    void Refill();

private:
    void OnReset(wxCommandEvent& event);

    const CProjectHistory& m_history;
    std::function<void(int)> m_reset;
    wxListCtrl* m_list = nullptr;
    // The description takes the room a wider window gives.
    std::unique_ptr<CListColumnSizer> m_columns;
    std::vector<int> m_ids;
};
