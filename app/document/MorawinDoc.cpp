#include "app/document/MorawinDoc.h"

#include "app/dialogs/ColumnMapDialog.h"
#include "app/document/ColumnChoices.h"
#include "app/frames/MainFrame.h"
#include "app/frames/MorawinApp.h"
#include "gui/WxText.h"
#include "data/text/Charset.h"
#include "data/text/ErrorMessage.h"
#include "data/platform/Platform.h"
#include "data/sequence/SequenceFile.h"
#include "data/text/StringTable.h"
#include "data/text/TextFormat.h"
#include "tables/FileBytes.h"
#include "tables/SymbolTableReader.h"
#include "tables/TableError.h"
#include "tables/TablePreview.h"

#include <wx/mdi.h>
#include <wx/utils.h>

wxIMPLEMENT_DYNAMIC_CLASS(CMorawinDoc, wxDocument);

namespace {

// New documents are named after the document type, numbered from 1.
constexpr const char* kNewDocumentName = "Morawi"; // untranslated: the document type's name

// Tells several windows on one document apart: "name:2".
wxString WindowNumber(int number)
{
    return wxString::Format(wxASCII_STR(":%d"), number); // untranslated: a window's number
}

} // namespace

CMorawinDoc::CMorawinDoc() = default;
CMorawinDoc::~CMorawinDoc() = default;

bool CMorawinDoc::OnNewDocument()
{
    static int counter = 0;
    if (!wxDocument::OnNewDocument())
        return false;
    m_file.reset();
    m_duplicates = CDuplicateOperands();
    SetTitle(wxString::FromUTF8(kNewDocumentName) << ++counter);
    // The window was titled before the document had its name.
    UpdateWindowTitles();
    return true;
}

void CMorawinDoc::ReportUnreadable(const std::string& name, const CTableError& error)
{
    CErrorMessage message(ids::kReadError, name, 0);
    if (const std::string place = error.PlaceText(); !place.empty())
        message.AddLine(place);
    message.Report();
}

std::vector<std::string> CMorawinDoc::FirstRow(const std::string& content, SymbolTableForm form)
{
    try {
        TablePreview preview = TablePreview::Of(content, form, {}, 1);
        return preview.rows.empty() ? std::vector<std::string>() : std::move(preview.rows.front());
    } catch (const CTableError&) {
        return {};
    }
}

bool CMorawinDoc::ColumnsFound(const std::string& content, SymbolTableForm form)
{
    // A table the reader cannot read at all says so when it is read.
    try {
        const TablePreview preview = TablePreview::Of(content, form, {});
        return preview.columns && preview.columns->address >= 0;
    } catch (const CTableError&) {
        return true;
    }
}

bool CMorawinDoc::DoOpenDocument(const wxString& file)
{
    const std::filesystem::path path = wxtext::ToPath(file);
    wxBusyCursor wait;
    std::string content;
    auto read = std::make_unique<CSequenceFile>(path);
    // Every form of symbol table becomes the operands of a sequence file,
    // in Windows-1252; a file that cannot be read or is no symbol table
    // is the same read error.
    const std::string name = charset::Utf8ToCp1252(platform::PathToUtf8(path));
    if (!ReadFileBytes(path, content)) {
        CErrorMessage(ids::kReadError, name, 0).Report();
        return false;
    }
    const SymbolTableForm form = FormOfFile(path);
    const bool table = form != SymbolTableForm::sequence;
    SymbolTableOptions options;
    const CColumnChoices choices(wxGetApp().GetSettings().SettingsFile);
    std::optional<std::vector<std::string>> header;
    if (table && !choices.IsEmpty()) {
        header = FirstRow(content, form);
        options = choices.Find(*header).value_or(options);
    }
    bool ask = table && wxGetApp().TakeColumnsRequest(path);
    for (;;) {
        if (ask) {
            CColumnMapDialog dialog(wxGetApp().GetMainFrame(), wxtext::FromPath(path.filename()), content, form,
                                    options);
            if (dialog.ShowModal() != wxID_OK)
                return false;
            options = dialog.GetOptions();
            choices.Remember(header ? *header : FirstRow(content, form), options);
        }
        try {
            // A table is kept for the columns dialog, should its columns
            // not be found.
            m_report = CSymbolTableReader(options).Read(table ? content : std::move(content), form, *read);
            break;
        } catch (const CTableError& error) {
            if (!ask && table && !ColumnsFound(content, form)) {
                ask = true;
                continue;
            }
            ReportUnreadable(name, error);
            return false;
        }
    }
    m_file = std::move(read);
    m_duplicates = CDuplicateOperands(m_file.get());
    wxGetApp().AddRecentFile(path);
    return true;
}

std::string CMorawinDoc::ReadingNote() const
{
    std::string note;
    if (m_report.encoding != TextEncoding::windows1252)
        note = std::string(EncodingName(m_report.encoding));
    if (m_report.replacedCharacters > 0)
        note += (note.empty() ? "" : ", ")
            + charset::Cp1252ToUtf8(FormatText(CStringTable::Get(ids::kCharactersReplaced),
                                               {static_cast<int>(m_report.replacedCharacters)}));
    return note;
}

void CMorawinDoc::UpdateWindowTitles()
{
    const wxList& views = GetViews();
    wxString name = GetUserReadableName();
    // A workbook is named with the sheet its operands come from.
    if (m_file && m_report.form == SymbolTableForm::workbook)
        name << wxtext::Tr(", Blatt ") << wxtext::FromUtf8(m_report.sheet);
    int number = 0;
    for (const wxObject* object : views) {
        const auto* view = static_cast<const wxView*>(object);
        ++number;
        auto* frame = wxDynamicCast(view->GetFrame(), wxMDIChildFrame);
        if (frame)
            frame->SetTitle(views.size() > 1 ? name + WindowNumber(number) : name);
    }
    if (CMainFrame* main = wxGetApp().GetMainFrame())
        main->CallAfter(&CMainFrame::UpdateTitle);
}

void CMorawinDoc::OnChangedViewList()
{
    UpdateWindowTitles();
    // May delete the document when its last window has gone.
    wxDocument::OnChangedViewList();
}
