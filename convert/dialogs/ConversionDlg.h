#pragma once

#include "gui/CancelButton.h"
#include "convert/Converter.h"
#include "convert/ConverterHost.h"

#include <wx/dialog.h>
#include <wx/longlong.h>

#include <memory>
#include <string>
#include <vector>

class CAppSettings;
class CPanelProject;
class CProjectHistory;
class CSequenceEntry;
class wxButton;
class wxComboBox;
class wxProgressDialog;
class wxSizer;
class wxStaticText;
class wxTextCtrl;

// The conversion dialog: shows the engine's proposals and free counts, lets
// the user change identifiers and designations, and hands "Übernehmen" and
// "Alle übernehmen" to the engine, whose host it is.
class CConversionDlg : public wxDialog, public IConverterHost {
public:
    // Control identifiers.
    enum {
        kCancelId = CCancelButton::kId,
        kAcceptAllId = 1026,
        kGroupIdId = 1004,
        kGroupNameId = 1005,
        kListIdId = 1006,
        kListNameId = 1007,
        kRangeId = 1021,
        kFreeListsId = 1022,
        kFreeOperandsId = 1023,
        kCountId = 1025,
        kProjectNameId = 1031,
        kKindLetterId = 1032,
        kUnitId = 1033,
        kGroupNoteId = 1034,
    };

    // `operands` (at least one) in the order of the view's rows. With a
    // history the whole run is one operation of it.
    CConversionDlg(wxWindow* parent, ConversionMode mode, CPanelProject& project,
                   std::vector<CSequenceEntry*> operands, const CAppSettings& settings,
                   CProjectHistory* history = nullptr);
    ~CConversionDlg() override;

    // Ends the dialog; the converter saves deferred groups and releases the
    // project's contents, whichever way the dialog ends.
    void EndModal(int result) override;

    const CConverter& GetConverter() const { return m_converter; }

    // IConverterHost
    void ShowInfo(const std::string& text) override;
    void ShowError(unsigned messageId, const std::string& fileName) override;
    void ShowSaveFailed(unsigned messageId, const std::string& fileName, const std::string& notConverted) override;
    bool AskOkCancel(const std::string& text) override;
    int AskOverwrite(const std::string& text) override;
    void OnGroupAdded(const std::string& groupId) override;
    void OnListAdded(const std::string& listId) override;
    void OnListChoices(const std::vector<std::string>& listIds) override;
    void BeginWait() override;
    void EndWait() override;
    bool ContinueAcceptAll(const CConverter& converter) override;

private:
    void CreateControls();
    void CreateFields();
    void CreateButtons();
    void LayoutControls();
    wxSizer* TargetGrid();
    void BindEvents();
    wxStaticText* Label(const wxString& text);
    wxTextCtrl* ReadOnlyField(int id, int width);
    void ShowState(bool identifiers);
    bool TakeControls();
    void FocusAfterError();
    void ShowProposedList();
    void OnGroupText(wxCommandEvent& event);
    void OnGroupChosen(wxCommandEvent& event);
    void OnListText(wxCommandEvent& event);
    void OnListChosen(wxCommandEvent& event);
    void OnAccept(wxCommandEvent& event);
    void OnAcceptAll(wxCommandEvent& event);
    // Fills both identifier boxes with the converter's present choices.
    void RefillChoices();

    CConverter m_converter;
    CPanelProject& m_project;
    std::vector<CSequenceEntry*> m_operands;
    bool m_initialised = false;
    bool m_quiet = false; // the dialog itself is changing a control
    bool m_closed = false;
    unsigned m_lastError = 0;
    std::unique_ptr<wxProgressDialog> m_progress;
    // While "Alle übernehmen" runs: the boxes are filled once at its end,
    // and the progress is shown a few times a second, not at every step.
    bool m_acceptingAll = false;
    // Drawing the progress at each of thousands of steps would take longer
    // than the steps; a few times a second is enough to see it move and to
    // stop it.
    static constexpr int kProgressInterval = 100; // milliseconds
    wxLongLong m_progressShownAt = 0;

    wxTextCtrl* m_projectName = nullptr;
    wxTextCtrl* m_range = nullptr;
    wxTextCtrl* m_count = nullptr;
    wxComboBox* m_groupId = nullptr;
    wxTextCtrl* m_groupName = nullptr;
    wxTextCtrl* m_freeLists = nullptr;
    wxStaticText* m_unit = nullptr;
    wxStaticText* m_groupNote = nullptr;
    wxStaticText* m_kindLetter = nullptr;
    wxComboBox* m_listId = nullptr;
    wxTextCtrl* m_listName = nullptr;
    wxTextCtrl* m_freeOperands = nullptr;
    wxButton* m_accept = nullptr;
    wxButton* m_acceptAll = nullptr;
    wxButton* m_cancel = nullptr;
};
