#include "app/dialogs/HistoryDialog.h"

#include "gui/WxText.h"
#include "data/text/StringTable.h"
#include "history/ProjectHistory.h"

#include <wx/button.h>
#include <wx/datetime.h>
#include <wx/listctrl.h>
#include <wx/sizer.h>

#include <algorithm>
#include <utility>

namespace {

using wxtext::Tr;

wxString SizeText(const CFileState& state)
{
    // A file that did not exist, or no longer exists, has no size.
    return state.Exists() ? wxString::Format(wxString::FromUTF8("%llu"), // untranslated: a size's digits
                                             static_cast<unsigned long long>(state.Size()))
                          : wxString::FromUTF8("–");
}

// "GS01.731 (– → 97); GS02.731 (120 → 97)": each file with its size before
// and after, in bytes.
wxString FilesText(const CHistoryIndex::Record& record)
{
    wxString text;
    for (const auto& file : record.files)
        text << (text.empty() ? wxString() : wxString::FromUTF8("; ")) << wxtext::FromCp1252(file.name)
             << wxString::FromUTF8(" (") << SizeText(file.before) << wxString::FromUTF8(" → ")
             << SizeText(file.after) << wxString::FromUTF8(")");
    return text;
}

} // namespace

CHistoryDialog::CHistoryDialog(wxWindow* parent, const CProjectHistory& history, std::function<void(int)> reset)
    : wxDialog(parent, wxID_ANY, Tr("Verlauf"), wxDefaultPosition, wxDefaultSize,
               wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER),
      m_history(history), m_reset(std::move(reset))
{
    m_list = new wxListCtrl(this, kListId, wxDefaultPosition, wxSize(900, 320), wxLC_REPORT | wxLC_SINGLE_SEL);
    const std::pair<wxString, int> columns[] = {{Tr("Zeit"), 150}, {Tr("Beschreibung"), 420}, {Tr("Dateien"), 320}};
    m_columns = std::make_unique<CListColumnSizer>(m_list, CColumnWidths("history", 1, 300));
    for (const auto& [title, width] : columns) {
        const long column = m_list->AppendColumn(title, wxLIST_FORMAT_LEFT, width);
        m_columns->Widths().SetWanted(static_cast<int>(column), width);
    }
    auto* resetButton = new wxButton(this, kResetId, wxtext::String(ids::kResetToThisState));
    auto* close = new wxButton(this, wxID_CANCEL, Tr("Schließen"));
    resetButton->Bind(wxEVT_BUTTON, &CHistoryDialog::OnReset, this);
    // The newest operation is the state the project is in already.
    resetButton->Bind(wxEVT_UPDATE_UI, [this](wxUpdateUIEvent& event) {
        const long row = m_list->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED);
        event.Enable(row > 0 && row < static_cast<long>(m_ids.size()));
    });

    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    buttons->Add(resetButton, 0, wxRIGHT, 8);
    buttons->AddStretchSpacer();
    buttons->Add(close);
    auto* top = new wxBoxSizer(wxVERTICAL);
    top->Add(m_list, 1, wxEXPAND | wxALL, 8);
    top->Add(buttons, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, 8);
    SetSizerAndFit(top);
    Refill();
    m_columns->Apply();
    CentreOnParent();
}

void CHistoryDialog::Refill()
{
    const CHistoryIndex index = m_history.Read();
    m_list->DeleteAllItems();
    m_ids.assign(index.undo.rbegin(), index.undo.rend());
    long row = 0;
    for (int id : m_ids) {
        const CHistoryIndex::Record* record = index.Find(id);
        if (!record)
            continue;
        const wxDateTime time(static_cast<time_t>(record->time));
        m_list->InsertItem(row, time.Format(wxString::FromUTF8("%d.%m.%Y %H:%M:%S"))); // untranslated: a date format
        m_list->SetItem(row, 1, wxtext::FromCp1252(record->description));
        m_list->SetItem(row, 2, FilesText(*record));
        ++row;
    }
    std::erase_if(m_ids, [&](int id) { return index.Find(id) == nullptr; });
    // Last, the state before the oldest operation: resetting to it takes
    // back every operation listed.
    if (!m_ids.empty()) {
        m_list->InsertItem(row, wxString());
        m_list->SetItem(row, 1, wxtext::String(ids::kStateBeforeOperations));
        m_ids.push_back(kBeforeAll);
    }
}

void CHistoryDialog::OnReset(wxCommandEvent&)
{
    const long row = m_list->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED);
    if (row <= 0 || row >= static_cast<long>(m_ids.size()))
        return;
    m_reset(m_ids[static_cast<std::size_t>(row)]);
    Refill();
}
