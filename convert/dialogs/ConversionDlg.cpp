#include "convert/dialogs/ConversionDlg.h"

#include "gui/CancelButton.h"
#include "gui/WxText.h"
#include "convert/dialogs/YesNoAllDlg.h"
#include "data/text/ErrorMessage.h"
#include "data/records/RecordStream.h"
#include "data/text/StringTable.h"

#include <wx/button.h>
#include <wx/combobox.h>
#include <wx/msgdlg.h>
#include <wx/progdlg.h>
#include <wx/sizer.h>
#include <wx/statline.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/time.h>
#include <wx/utils.h>

namespace {

using wxtext::Tr;

constexpr int kMaxIdentifier = 3;

wxString Title()
{
    return wxtext::String(ids::kProgramTitle);
}

} // namespace

CConversionDlg::CConversionDlg(wxWindow* parent, ConversionMode mode, CPanelProject& project,
                               std::vector<CSequenceEntry*> operands, const CAppSettings& settings,
                               CProjectHistory* history)
    : wxDialog(parent, wxID_ANY, Tr("Einzel-Konvertierung")),
      m_converter(settings),
      m_project(project),
      m_operands(std::move(operands))
{
    CreateControls();
    if (mode == ConversionMode::all) {
        SetTitle(wxtext::String(ids::kConvertAllTitle));
    } else {
        m_acceptAll->Disable();
        m_acceptAll->Hide();
    }
    m_converter.SetHistory(history);
    m_converter.Open(m_project, m_operands, mode, *this);
    for (const auto& id : m_converter.GetGroupChoices())
        m_groupId->Append(wxtext::FromCp1252(id));
    m_initialised = true;
    ShowState(true);
    Fit();
    CentreOnParent();
    m_accept->SetFocus();
}

CConversionDlg::~CConversionDlg()
{
    if (!m_closed)
        m_converter.Close();
}

void CConversionDlg::CreateControls()
{
    CreateFields();
    CreateButtons();
    LayoutControls();
    BindEvents();
}

wxStaticText* CConversionDlg::Label(const wxString& text)
{
    return new wxStaticText(this, wxID_ANY, text);
}

wxTextCtrl* CConversionDlg::ReadOnlyField(int id, int width)
{
    auto* field = new wxTextCtrl(this, id, wxString(), wxDefaultPosition, wxSize(FromDIP(width), -1));
    field->Disable();
    return field;
}

void CConversionDlg::CreateFields()
{
    m_projectName = ReadOnlyField(kProjectNameId, 320);
    m_range = ReadOnlyField(kRangeId, 140);
    m_count = ReadOnlyField(kCountId, 48);
    // Room for three wide characters beside the drop-down button.
    const int threeWide = GetTextExtent(wxtext::FromUtf8("WWW")).x; // untranslated: only measured
    const wxSize identifierSize(threeWide + FromDIP(60), -1);
    m_groupId = new wxComboBox(this, kGroupIdId, wxString(), wxDefaultPosition, identifierSize, 0, nullptr,
                               wxCB_DROPDOWN | wxCB_SORT);
    m_listId = new wxComboBox(this, kListIdId, wxString(), wxDefaultPosition, identifierSize, 0, nullptr,
                              wxCB_DROPDOWN | wxCB_SORT);
    m_groupId->SetMaxLength(kMaxIdentifier);
    m_listId->SetMaxLength(kMaxIdentifier);
    m_groupName = new wxTextCtrl(this, kGroupNameId, wxString(), wxDefaultPosition, wxSize(FromDIP(230), -1));
    m_listName = new wxTextCtrl(this, kListNameId, wxString(), wxDefaultPosition, wxSize(FromDIP(230), -1));
    m_groupName->SetMaxLength(record::kDesignationLength);
    m_listName->SetMaxLength(record::kDesignationLength);
    // The Tab key goes along the rows as they are shown: group identifier
    // and designation, then the list's.
    m_groupName->MoveAfterInTabOrder(m_groupId);
    m_freeLists = ReadOnlyField(kFreeListsId, 48);
    m_freeOperands = ReadOnlyField(kFreeOperandsId, 48);
    m_unit = new wxStaticText(this, kUnitId, wxtext::String(ids::kUnitLists));
    const wxString inputs = wxtext::FromUtf8("E"); // untranslated: operand letters are the program's in every language
    m_kindLetter = new wxStaticText(this, kKindLetterId, inputs);
    m_groupNote = new wxStaticText(this, kGroupNoteId, wxString());
}

void CConversionDlg::CreateButtons()
{
    m_accept = new wxButton(this, wxID_OK, Tr("Übernehmen"));
    m_acceptAll = new wxButton(this, kAcceptAllId, Tr("Alle übernehmen"));
    m_cancel = CCancelButton::Create(this);
    m_accept->SetDefault();
}

void CConversionDlg::LayoutControls()
{
    auto* head = new wxFlexGridSizer(2, FromDIP(6), FromDIP(10));
    head->AddGrowableCol(1);
    head->Add(Label(Tr("RZ731-Projekt:")), 0, wxALIGN_CENTER_VERTICAL);
    head->Add(m_projectName, 1, wxEXPAND);

    auto* operands = new wxBoxSizer(wxHORIZONTAL);
    operands->Add(Label(Tr("Der (die) Operand(en):")), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, FromDIP(10));
    operands->Add(m_range, 1, wxALIGN_CENTER_VERTICAL);
    operands->AddSpacer(FromDIP(20));
    operands->Add(Label(Tr("Anzahl:")), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, FromDIP(6));
    operands->Add(m_count, 0, wxALIGN_CENTER_VERTICAL);

    wxSizer* target = TargetGrid();
    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    buttons->Add(m_accept);
    buttons->AddStretchSpacer();
    buttons->Add(m_acceptAll);
    buttons->AddStretchSpacer();
    buttons->Add(m_cancel);

    const int border = FromDIP(10);
    auto* all = new wxBoxSizer(wxVERTICAL);
    all->Add(head, 0, wxEXPAND | wxALL, border);
    all->Add(new wxStaticLine(this), 0, wxEXPAND | wxLEFT | wxRIGHT, border);
    all->Add(operands, 0, wxEXPAND | wxALL, border);
    all->Add(Label(Tr("werden übernommen in:")), 0, wxLEFT | wxRIGHT, border);
    all->Add(target, 0, wxEXPAND | wxALL, border);
    all->Add(new wxStaticLine(this), 0, wxEXPAND | wxLEFT | wxRIGHT, border);
    all->Add(buttons, 0, wxEXPAND | wxALL, border);
    SetSizer(all);
}

// Columns: row label, fixed prefix, identifier, designation, free, unit,
// note.
wxSizer* CConversionDlg::TargetGrid()
{
    auto* target = new wxFlexGridSizer(7, FromDIP(6), FromDIP(6));
    const wxString groupPrefix = wxtext::FromUtf8("G"); // untranslated: every group's file name starts with it
    target->AddGrowableCol(3);
    target->AddSpacer(0);
    target->AddSpacer(0);
    target->Add(Label(Tr("Kennung")));
    target->Add(Label(Tr("Bezeichnung")));
    target->Add(Label(Tr("frei")));
    target->AddSpacer(0);
    target->AddSpacer(0);
    target->Add(Label(Tr("Schrittketten-Gruppe:")), 0, wxALIGN_CENTER_VERTICAL);
    target->Add(Label(groupPrefix), 0, wxALIGN_CENTER_VERTICAL | wxALIGN_RIGHT);
    target->Add(m_groupId, 0, wxALIGN_CENTER_VERTICAL);
    target->Add(m_groupName, 1, wxEXPAND | wxALIGN_CENTER_VERTICAL);
    target->Add(m_freeLists, 0, wxALIGN_CENTER_VERTICAL);
    target->Add(m_unit, 0, wxALIGN_CENTER_VERTICAL);
    target->Add(m_groupNote, 0, wxALIGN_CENTER_VERTICAL);
    target->Add(Label(Tr("Schrittketten-Liste:")), 0, wxALIGN_CENTER_VERTICAL);
    target->Add(m_kindLetter, 0, wxALIGN_CENTER_VERTICAL | wxALIGN_RIGHT);
    target->Add(m_listId, 0, wxALIGN_CENTER_VERTICAL);
    target->Add(m_listName, 1, wxEXPAND | wxALIGN_CENTER_VERTICAL);
    target->Add(m_freeOperands, 0, wxALIGN_CENTER_VERTICAL);
    target->Add(Label(Tr("Operanden")), 0, wxALIGN_CENTER_VERTICAL);
    target->AddSpacer(0);
    return target;
}

void CConversionDlg::BindEvents()
{
    m_groupId->Bind(wxEVT_TEXT, &CConversionDlg::OnGroupText, this);
    m_groupId->Bind(wxEVT_COMBOBOX, &CConversionDlg::OnGroupChosen, this);
    m_listId->Bind(wxEVT_TEXT, &CConversionDlg::OnListText, this);
    m_listId->Bind(wxEVT_COMBOBOX, &CConversionDlg::OnListChosen, this);
    m_accept->Bind(wxEVT_BUTTON, &CConversionDlg::OnAccept, this);
    m_acceptAll->Bind(wxEVT_BUTTON, &CConversionDlg::OnAcceptAll, this);
}

// Writes the converter's values into the controls without raising their
// change events. The identifiers are left alone while the user edits them.
void CConversionDlg::ShowState(bool identifiers)
{
    m_projectName->ChangeValue(wxtext::FromCp1252(m_converter.GetProjectName()));
    if (identifiers) {
        m_groupId->ChangeValue(wxtext::FromCp1252(m_converter.GetGroupId()));
        m_listId->ChangeValue(wxtext::FromCp1252(m_converter.GetListId()));
    }
    m_groupName->ChangeValue(wxtext::FromCp1252(m_converter.GetGroupDesignation()));
    m_listName->ChangeValue(wxtext::FromCp1252(m_converter.GetListDesignation()));
    m_kindLetter->SetLabel(wxtext::FromCp1252(m_converter.GetKindLetterText()));
    m_range->ChangeValue(wxtext::FromCp1252(m_converter.GetRangeText()));
    m_count->ChangeValue(wxtext::FromCp1252(m_converter.GetCountText()));
    m_freeLists->ChangeValue(wxtext::FromCp1252(m_converter.GetFreeListsText()));
    m_freeOperands->ChangeValue(wxtext::FromCp1252(m_converter.GetFreeOperandsText()));
    m_unit->SetLabel(wxtext::FromCp1252(m_converter.GetUnitText()));
    m_groupNote->SetLabel(wxtext::FromCp1252(m_converter.GetGroupNoteText()));
    m_accept->Enable(m_converter.CanAccept());
    m_acceptAll->Enable(m_converter.CanAccept() && m_converter.GetMode() == ConversionMode::all);
    Layout();
}

// Takes identifiers and designations from the controls and checks them;
// after a refusal the focus goes to the identifier concerned.
bool CConversionDlg::TakeControls()
{
    m_converter.SetGroupId(wxtext::ToCp1252(m_groupId->GetValue()));
    m_converter.SetListId(wxtext::ToCp1252(m_listId->GetValue()));
    m_converter.SetGroupDesignation(wxtext::ToCp1252(m_groupName->GetValue()));
    m_converter.SetListDesignation(wxtext::ToCp1252(m_listName->GetValue()));
    m_lastError = 0;
    if (m_converter.Validate())
        return true;
    FocusAfterError();
    return false;
}

void CConversionDlg::FocusAfterError()
{
    const bool groupFault = m_lastError == ids::kGroupIdInvalid || m_lastError == ids::kGroupIdBadChars;
    wxComboBox* faulty = groupFault ? m_groupId : m_listId;
    faulty->SetFocus();
    faulty->SelectAll();
}

void CConversionDlg::OnGroupText(wxCommandEvent&)
{
    // Only the user's typing counts, not the dialog's own changes.
    if (!m_initialised || m_quiet)
        return;
    m_converter.SetGroupId(wxtext::ToCp1252(m_groupId->GetValue()));
    m_converter.SelectGroup(true);
    ShowProposedList();
    ShowState(false);
}

void CConversionDlg::OnGroupChosen(wxCommandEvent&)
{
    if (m_groupId->GetSelection() == wxNOT_FOUND)
        return;
    m_converter.SetGroupId(wxtext::ToCp1252(m_groupId->GetString(m_groupId->GetSelection())));
    m_converter.SelectGroup(true);
    ShowProposedList();
    ShowState(false);
}

// A new group gets its first list proposed; for an existing one the user
// chooses among its lists, and the list identifier stays empty.
void CConversionDlg::ShowProposedList()
{
    if (!m_converter.GetGroup())
        m_listId->ChangeValue(wxtext::FromCp1252(m_converter.GetListId()));
}

void CConversionDlg::OnListText(wxCommandEvent&)
{
    // Only the user's typing counts, not the dialog's own changes.
    if (!m_initialised || m_quiet)
        return;
    m_converter.SetListId(wxtext::ToCp1252(m_listId->GetValue()));
    m_converter.SelectList(true);
    ShowState(false);
}

void CConversionDlg::OnListChosen(wxCommandEvent&)
{
    if (m_listId->GetSelection() == wxNOT_FOUND)
        return;
    m_converter.SetListId(wxtext::ToCp1252(m_listId->GetString(m_listId->GetSelection())));
    m_converter.SelectList(true);
    ShowState(false);
}

void CConversionDlg::OnAccept(wxCommandEvent&)
{
    if (!TakeControls())
        return;
    const bool done = m_converter.Accept();
    ShowState(true);
    if (done)
        EndModal(wxID_OK);
}

void CConversionDlg::OnAcceptAll(wxCommandEvent&)
{
    if (m_converter.GetMode() != ConversionMode::all || !TakeControls() || !m_converter.ConfirmReplacements())
        return;
    // One busy cursor for the whole run: the engine's own, at every step,
    // are then nested in it and cost nothing.
    wxBusyCursor wait;
    m_progress = std::make_unique<wxProgressDialog>(
        Title(), Tr("Konvertierung läuft ..."), static_cast<int>(m_converter.GetOperandCount()), this,
        wxPD_APP_MODAL | wxPD_CAN_ABORT | wxPD_AUTO_HIDE | wxPD_ELAPSED_TIME);
    // Its button has wx's stock ID, for which GTK shows its own button in the
    // desktop's language; a label that is not the stock one stays German.
    if (auto* stop = wxDynamicCast(m_progress->FindWindow(wxID_CANCEL), wxButton))
        stop->SetLabel(Tr("Ab&brechen"));
    // The first step already shows where the run is.
    m_progressShownAt = wxGetLocalTimeMillis() - kProgressInterval;
    m_acceptingAll = true;
    const bool done = m_converter.AcceptAll();
    m_acceptingAll = false;
    m_progress.reset();
    RefillChoices();
    ShowState(true);
    // With operands left (they did not fit, or the user stopped) the dialog
    // stays open; Close saves what was converted when it ends.
    if (done)
        EndModal(wxID_OK);
}

bool CConversionDlg::ContinueAcceptAll(const CConverter& converter)
{
    // The target moves on while it runs; the kind letter follows the
    // operands being converted (set only when it changes, which is rare).
    const wxString letter = wxtext::FromCp1252(converter.GetKindLetterText());
    if (m_kindLetter->GetLabel() != letter)
        m_kindLetter->SetLabel(letter);
    if (!m_progress)
        return true;
    // A stop pressed while the progress was last drawn ends the run at the
    // next step, not only at the next drawing.
    if (m_progress->WasCancelled())
        return false;
    const wxLongLong now = wxGetLocalTimeMillis();
    if (now - m_progressShownAt < kProgressInterval)
        return true;
    m_progressShownAt = now;
    const auto handled = converter.GetOperandCount() - converter.GetRemainingCount();
    const wxString where = wxString::Format(Tr("Gruppe %s, Liste %s: %d von %d Operanden"),
                                            wxtext::FromCp1252(converter.GetGroupId()),
                                            wxtext::FromCp1252(converter.GetListId()), static_cast<int>(handled),
                                            static_cast<int>(converter.GetOperandCount()));
    return m_progress->Update(static_cast<int>(handled), where);
}

void CConversionDlg::EndModal(int result)
{
    if (!m_closed) {
        m_closed = true;
        m_converter.Close();
    }
    wxDialog::EndModal(result);
}

void CConversionDlg::ShowInfo(const std::string& text)
{
    wxMessageBox(wxtext::FromCp1252(text), Title(), wxOK | wxICON_INFORMATION, this);
}

void CConversionDlg::ShowError(unsigned messageId, const std::string& fileName)
{
    m_lastError = messageId;
    wxMessageBox(wxtext::FromCp1252(CErrorMessage(messageId, fileName, 0).BuildText()), Title(), wxOK | wxICON_ERROR, this);
}

void CConversionDlg::ShowSaveFailed(unsigned messageId, const std::string& fileName, const std::string& notConverted)
{
    m_lastError = messageId;
    const std::string text = CErrorMessage(messageId, fileName, 0).BuildText() + "\n" + notConverted;
    wxMessageBox(wxtext::FromCp1252(text), Title(), wxOK | wxICON_ERROR, this);
}

bool CConversionDlg::AskOkCancel(const std::string& text)
{
    return wxMessageBox(wxtext::FromCp1252(text), Title(), wxOK | wxCANCEL | wxICON_NONE, this) == wxOK;
}

int CConversionDlg::AskOverwrite(const std::string& text)
{
    CYesNoAllDlg question(text, CYesNoAllDlg::kIconNone, this);
    return question.Run();
}

void CConversionDlg::OnGroupAdded(const std::string& groupId)
{
    if (!m_acceptingAll)
        m_groupId->Append(wxtext::FromCp1252(groupId));
}

void CConversionDlg::OnListAdded(const std::string& listId)
{
    if (!m_acceptingAll)
        m_listId->Append(wxtext::FromCp1252(listId));
}

void CConversionDlg::RefillChoices()
{
    wxArrayString groups;
    for (const auto& id : m_converter.GetGroupChoices())
        groups.Add(wxtext::FromCp1252(id));
    wxArrayString lists;
    for (const auto& id : m_converter.GetListChoices())
        lists.Add(wxtext::FromCp1252(id));
    m_quiet = true;
    m_groupId->Set(groups);
    m_listId->Set(lists);
    m_quiet = false;
}

void CConversionDlg::OnListChoices(const std::vector<std::string>& listIds)
{
    if (m_acceptingAll)
        return;
    m_quiet = true;
    m_listId->Clear();
    for (const auto& id : listIds)
        m_listId->Append(wxtext::FromCp1252(id));
    m_quiet = false;
}

void CConversionDlg::BeginWait()
{
    wxBeginBusyCursor();
}

void CConversionDlg::EndWait()
{
    wxEndBusyCursor();
}
