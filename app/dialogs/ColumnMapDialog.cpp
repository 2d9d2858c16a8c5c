#include "app/dialogs/ColumnMapDialog.h"

#include "data/sequence/SequenceFile.h"
#include "gui/CancelButton.h"
#include "gui/WxText.h"
#include "tables/TableError.h"

#include <wx/button.h>
#include <wx/choice.h>
#include <wx/listctrl.h>
#include <wx/sizer.h>
#include <wx/spinctrl.h>
#include <wx/stattext.h>

#include <algorithm>

namespace {

constexpr char kSeparators[] = {';', ',', '\t'};
constexpr TextEncoding kEncodings[] = {TextEncoding::windows1252, TextEncoding::utf8, TextEncoding::utf16le,
                                       TextEncoding::utf16be};
constexpr std::size_t kPreviewRows = 20;

using wxtext::Tr;

} // namespace

CColumnMapDialog::CColumnMapDialog(wxWindow* parent, const wxString& fileName, std::string content,
                                   SymbolTableForm form, const SymbolTableOptions& options)
    : wxDialog(parent, wxID_ANY, Tr("Spalten zuordnen") + wxString::FromUTF8(" - ") + fileName, wxDefaultPosition,
               wxDefaultSize, wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER),
      m_content(std::move(content)), m_form(form)
{
    CreateControls();
    ShowChoice(options);
    SetSize(FromDIP(wxSize(760, 520)));
    CentreOnParent();
}

void CColumnMapDialog::CreateControls()
{
    auto* choosers = new wxFlexGridSizer(4, 6, 12);
    const auto add = [this, choosers](const wxString& label, wxWindow* control) {
        choosers->Add(new wxStaticText(this, wxID_ANY, label), 0, wxALIGN_CENTER_VERTICAL);
        choosers->Add(control, 0, wxEXPAND);
    };
    m_separator = new wxChoice(this, kSeparator);
    for (const wxString& name : {Tr("Semikolon ;"), Tr("Komma ,"), Tr("Tabulator")})
        m_separator->Append(name);
    m_encoding = new wxChoice(this, kEncoding);
    for (TextEncoding encoding : kEncodings)
        m_encoding->Append(wxtext::FromUtf8(EncodingName(encoding)));
    m_sheet = new wxChoice(this, kSheet);
    m_headerRow = new wxSpinCtrl(this, kHeaderRow, wxString(), wxDefaultPosition, wxDefaultSize, wxSP_ARROW_KEYS, 0,
                                 static_cast<int>(kPreviewRows), 0);
    add(Tr("&Trennzeichen:"), m_separator);
    add(Tr("&Zeichensatz:"), m_encoding);
    add(Tr("&Blatt:"), m_sheet);
    add(Tr("&Kopfzeile (0: keine):"), m_headerRow);
    const wxString columnLabels[] = {Tr("&Adresse:"), Tr("&Symbol:"), Tr("K&ommentar:")};
    for (int i = 0; i < 3; ++i) {
        m_columns[i] = new wxChoice(this, kAddress + i);
        add(columnLabels[i], m_columns[i]);
    }
    choosers->AddGrowableCol(1);
    choosers->AddGrowableCol(3);

    m_preview = new wxListCtrl(this, kPreview, wxDefaultPosition, wxDefaultSize, wxLC_REPORT | wxLC_HRULES | wxLC_VRULES);
    m_count = new wxStaticText(this, kCount, wxString());

    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    auto* ok = new wxButton(this, wxID_OK, Tr("OK"));
    ok->SetDefault();
    buttons->AddStretchSpacer();
    buttons->Add(ok, 0, wxRIGHT, 6);
    buttons->Add(CCancelButton::Create(this), 0);

    auto* top = new wxBoxSizer(wxVERTICAL);
    top->Add(choosers, 0, wxEXPAND | wxALL, 12);
    top->Add(m_preview, 1, wxEXPAND | wxLEFT | wxRIGHT, 12);
    top->Add(m_count, 0, wxEXPAND | wxALL, 12);
    top->Add(buttons, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, 12);
    SetSizer(top);

    // A new separator, encoding or sheet gives other rows and columns.
    for (wxChoice* choice : {m_separator, m_encoding, m_sheet})
        choice->Bind(wxEVT_CHOICE, [this](wxCommandEvent&) { Reread(); });
    for (wxChoice* choice : m_columns)
        choice->Bind(wxEVT_CHOICE, [this](wxCommandEvent&) { Recount(); });
    m_headerRow->Bind(wxEVT_SPINCTRL, [this](wxSpinEvent&) { Recount(); });
}

void CColumnMapDialog::ShowChoice(const SymbolTableOptions& options)
{
    TablePreview preview;
    try {
        preview = TablePreview::Of(m_content, m_form, options, kPreviewRows);
    } catch (const CTableError&) {
        // Shown as the count's reason below; the choosers stay as they are.
        Recount();
        return;
    }
    const bool table = m_form != SymbolTableForm::workbook;
    m_separator->Enable(table);
    m_encoding->Enable(table);
    m_sheet->Enable(!table);
    const auto separator = std::find(std::begin(kSeparators), std::end(kSeparators), preview.separator);
    m_separator->SetSelection(static_cast<int>(separator - std::begin(kSeparators)) % 3);
    const auto encoding = std::find(std::begin(kEncodings), std::end(kEncodings), preview.encoding);
    m_encoding->SetSelection(static_cast<int>(encoding - std::begin(kEncodings)) % 4);
    m_sheet->Clear();
    for (const std::string& sheet : preview.sheets)
        m_sheet->Append(wxtext::FromUtf8(sheet));
    m_sheet->SetStringSelection(wxtext::FromUtf8(preview.sheet));
    m_headerRow->SetValue(static_cast<int>(preview.headerRow));
    FillColumnChoosers(preview);
    ShowPreview(preview);
    Recount();
}

void CColumnMapDialog::FillColumnChoosers(const TablePreview& preview)
{
    const std::vector<std::string>* header =
        preview.headerRow > 0 && preview.headerRow <= preview.rows.size() ? &preview.rows[preview.headerRow - 1] : nullptr;
    const int chosen[] = {preview.columns ? preview.columns->address : -1, preview.columns ? preview.columns->symbol : -1,
                          preview.columns ? preview.columns->comment : -1};
    for (int i = 0; i < 3; ++i) {
        m_columns[i]->Clear();
        m_columns[i]->Append(Tr("(keine)"));
        for (std::size_t c = 0; c < preview.columnCount; ++c) {
            wxString name = wxString::Format(Tr("Spalte %zu"), c + 1);
            if (header && c < header->size() && !(*header)[c].empty())
                name << wxString::FromUTF8(" (") << wxtext::FromUtf8((*header)[c]) << wxString::FromUTF8(")");
            m_columns[i]->Append(name);
        }
        m_columns[i]->SetSelection(chosen[i] + 1 < static_cast<int>(m_columns[i]->GetCount()) ? chosen[i] + 1 : 0);
    }
}

void CColumnMapDialog::ShowPreview(const TablePreview& preview)
{
    m_preview->ClearAll();
    for (std::size_t c = 0; c < preview.columnCount; ++c) {
        const wxString number = wxString::Format(wxString::FromUTF8("%zu"), c + 1); // untranslated: a column's number
        m_preview->AppendColumn(number, wxLIST_FORMAT_LEFT, FromDIP(110));
    }
    for (std::size_t r = 0; r < preview.rows.size(); ++r) {
        const long item = m_preview->InsertItem(static_cast<long>(r), wxString());
        for (std::size_t c = 0; c < preview.rows[r].size(); ++c)
            m_preview->SetItem(item, static_cast<long>(c), wxtext::FromUtf8(preview.rows[r][c]));
    }
}

SymbolTableOptions CColumnMapDialog::GetOptions() const
{
    SymbolTableOptions options;
    if (m_form != SymbolTableForm::workbook) {
        options.separator = kSeparators[std::max(m_separator->GetSelection(), 0)];
        options.encoding = kEncodings[std::max(m_encoding->GetSelection(), 0)];
    } else if (m_sheet->GetSelection() >= 0) {
        options.sheet = m_sheet->GetStringSelection().utf8_string();
    }
    if (m_headerRow->GetValue() > 0)
        options.headerRow = static_cast<std::size_t>(m_headerRow->GetValue());
    ColumnMap columns;
    columns.address = m_columns[0]->GetSelection() - 1;
    columns.symbol = m_columns[1]->GetSelection() - 1;
    columns.comment = m_columns[2]->GetSelection() - 1;
    // Also without an address column: the reader then says it has none.
    options.columns = columns;
    return options;
}

wxString CColumnMapDialog::GetCountText() const
{
    return m_count->GetLabel();
}

void CColumnMapDialog::Recount()
{
    if (m_columns[0]->GetSelection() <= 0) {
        m_count->SetLabel(Tr("Keine Spalte für die Adressen gewählt."));
        FindWindow(wxID_OK)->Enable(false);
        return;
    }
    CSequenceFile read{std::string()};
    wxString text;
    bool readable = true;
    try {
        const SymbolTableReport report = CSymbolTableReader(GetOptions()).Read(m_content, m_form, read);
        text = wxString::Format(Tr("%d Operanden, %zu Zeilen übersprungen"), read.GetCount(), report.skippedRows);
    } catch (const CTableError& error) {
        const std::string place = error.PlaceText();
        text = place.empty() ? Tr("Keine Spalte enthält Operanden-Adressen.") : wxtext::FromCp1252(place);
        readable = false;
    }
    m_count->SetLabel(text);
    FindWindow(wxID_OK)->Enable(readable);
}

void CColumnMapDialog::Reread()
{
    // The columns and the header are found again in what the new choice
    // reads.
    SymbolTableOptions options = GetOptions();
    options.columns.reset();
    options.headerRow.reset();
    ShowChoice(options);
}
