#include "app/comparison/ComparisonDialog.h"

#include "app/frames/CommandIds.h"
#include "app/frames/MorawinApp.h"
#include "gui/WxText.h"
#include "panel/PanelProject.h"
#include "panel/StepChainGroup.h"

#include <wx/accel.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/utils.h>

using Status = CProjectComparison::Status;

namespace {

using wxtext::Tr;

} // namespace

CComparisonDialog::CComparisonDialog(wxWindow* parent, std::vector<CSequenceEntry*> operands,
                               CProjectComparison::Kinds kinds, std::filesystem::path project,
                               const CAppSettings& settings)
    : wxDialog(parent, wxID_ANY, Tr("Mit Projekt abgleichen"), wxDefaultPosition, wxDefaultSize,
               wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER | wxMAXIMIZE_BOX),
      m_operands(std::move(operands)), m_kinds(kinds), m_folder(std::move(project)), m_comparison(settings)
{
    CreateControls();
    Recompute();
    wxGetApp().AddProjectObserver(this);
    // The application takes back the project's changes while the window is
    // open, and tells it.
    wxAcceleratorEntry keys[] = {{wxACCEL_CTRL, 'Z', cmd::kEditUndo}, {wxACCEL_CTRL, 'Y', cmd::kEditRedo}};
    SetAcceleratorTable(wxAcceleratorTable(static_cast<int>(std::size(keys)), keys));
}

CComparisonDialog::~CComparisonDialog()
{
    wxGetApp().RemoveProjectObserver(this);
}

void CComparisonDialog::CreateControls()
{
    auto* top = new wxBoxSizer(wxVERTICAL);
    auto* filter = new wxBoxSizer(wxHORIZONTAL);
    filter->Add(new wxStaticText(this, wxID_ANY, Tr("Anzeigen:")), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 8);
    const wxString labels[] = {Tr("&gleich"), Tr("g&eändert"), Tr("&neu"), Tr("&verwaist")};
    for (int i = 0; i < 4; ++i) {
        m_show[i] = new wxCheckBox(this, kShowSameId + i, labels[i]);
        // Texts in step are the many that need no look.
        m_show[i]->SetValue(i != static_cast<int>(Status::same));
        m_show[i]->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) { ShowRows(); });
        filter->Add(m_show[i], 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 12);
    }
    top->Add(filter, 0, wxALL, 8);

    m_list = new CComparisonListCtrl(this, kListId);
    m_list->SetMinSize(wxSize(960, 360));
    top->Add(m_list, 1, wxEXPAND | wxLEFT | wxRIGHT, 8);
    m_summary = new wxStaticText(this, kSummaryId, wxString());
    top->Add(m_summary, 0, wxEXPAND | wxALL, 8);

    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    auto* apply = new wxButton(this, kApplyId, Tr("Geänderte &übernehmen"));
    auto* convert = new wxButton(this, kConvertNewId, Tr("Neue &konvertieren..."));
    buttons->Add(apply, 0, wxRIGHT, 8);
    buttons->Add(convert, 0);
    buttons->AddStretchSpacer();
    buttons->Add(new wxButton(this, wxID_CANCEL, Tr("&Schließen")), 0);
    top->Add(buttons, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, 8);
    SetSizerAndFit(top);

    apply->Bind(wxEVT_BUTTON, &CComparisonDialog::OnApply, this);
    convert->Bind(wxEVT_BUTTON, &CComparisonDialog::OnConvertNew, this);
    apply->Bind(wxEVT_UPDATE_UI, [this](wxUpdateUIEvent& event) { event.Enable(!RowsToApply().empty()); });
    convert->Bind(wxEVT_UPDATE_UI, [this](wxUpdateUIEvent& event) { event.Enable(!OperandsToConvert().empty()); });
}

void CComparisonDialog::Recompute()
{
    wxBusyCursor wait;
    m_list->Clear();
    // A fresh project object: what is on disk now.
    m_comparison.Clear();
    m_project = std::make_unique<CPanelProject>(m_folder, std::string());
    if (m_project->IsValid())
        m_comparison.Compare(m_operands, *m_project, m_kinds);
    ShowRows();
    ShowSummary();
}

void CComparisonDialog::ShowRows()
{
    CComparisonListCtrl::Shown shown{};
    for (std::size_t i = 0; i < shown.size(); ++i)
        shown[i] = m_show[i]->GetValue();
    m_list->SetRows(m_comparison, shown);
}

void CComparisonDialog::ShowSummary(const wxString& note)
{
    const auto& counts = m_comparison.GetCounts();
    wxString text = wxString::Format(Tr("%zu gleich, %zu geändert, %zu neu, %zu verwaist"), counts.same,
                                     counts.changed, counts.added, counts.orphan);
    if (!m_project->IsValid())
        text = Tr("Kein RZ731 Projekt in ") + wxtext::FromPath(m_folder);
    for (const CStepChainGroup* group : m_comparison.GetUnreadableGroups())
        text += Tr(" \u2013 nicht lesbar: ") + wxtext::FromCp1252(group->GetFileName());
    if (!note.empty())
        text += wxString::FromUTF8(" \u2013 ") + note;
    m_summary->SetLabel(text);
}

std::vector<std::size_t> CComparisonDialog::Chosen(Status status) const
{
    std::vector<std::size_t> rows = m_list->GetSelectedRows();
    if (rows.empty())
        rows = m_list->GetShownRows();
    std::vector<std::size_t> chosen;
    for (std::size_t row : rows)
        if (m_comparison.GetRows()[row].status == status)
            chosen.push_back(row);
    return chosen;
}

std::vector<std::size_t> CComparisonDialog::RowsToApply() const
{
    return Chosen(Status::changed);
}

std::vector<CSequenceEntry*> CComparisonDialog::OperandsToConvert() const
{
    std::vector<CSequenceEntry*> operands;
    for (std::size_t row : Chosen(Status::added))
        operands.push_back(m_comparison.GetRows()[row].operand);
    return operands;
}

void CComparisonDialog::OnApply(wxCommandEvent&)
{
    const std::vector<std::size_t> rows = RowsToApply();
    if (rows.empty())
        return;
    // The rows go with the apply; an error message must not repaint them.
    m_list->Clear();
    CProjectComparison::ApplyResult result;
    {
        wxBusyCursor wait;
        result = m_comparison.Apply(rows, wxGetApp().GetHistory());
    }
    wxGetApp().NotifyProjectChanged(); // this window computes again too
    ShowSummary(wxString::Format(Tr("%zu Text(e) übernommen"), result.replaced));
}

void CComparisonDialog::OnConvertNew(wxCommandEvent&)
{
    const std::vector<CSequenceEntry*> operands = OperandsToConvert();
    if (operands.empty())
        return;
    // The rows point into this dialog's own project, not the one the
    // conversion loads; they are made again afterwards.
    wxGetApp().RunConversion(this, ConversionMode::selected, operands);
    Recompute();
}
