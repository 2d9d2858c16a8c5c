#include "app/document/MorawinDoc.h"

#include "app/frames/MainFrame.h"
#include "app/frames/MorawinApp.h"
#include "gui/WxText.h"
#include "data/text/Charset.h"
#include "data/text/ErrorMessage.h"
#include "data/platform/Platform.h"
#include "data/sequence/SequenceFile.h"
#include "data/text/StringTable.h"
#include "tables/FileBytes.h"
#include "tables/SymbolTableReader.h"
#include "tables/TableError.h"

#include <wx/mdi.h>
#include <wx/utils.h>

wxIMPLEMENT_DYNAMIC_CLASS(CMorawinDoc, wxDocument);

namespace {

// New documents are named after the document type, numbered from 1.
constexpr const char* kNewDocumentName = "Morawi";

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

bool CMorawinDoc::DoOpenDocument(const wxString& file)
{
    const std::filesystem::path path = wxtext::ToPath(file);
    wxBusyCursor wait;
    std::string content;
    auto read = std::make_unique<CSequenceFile>(path);
    // Every form of symbol table becomes the operands of a sequence file,
    // in Windows-1252; a file that cannot be read or is no symbol table
    // is the same read error.
    bool readable = ReadFileBytes(path, content);
    try {
        if (readable)
            CSymbolTableReader().Read(std::move(content), FormOfFile(path), *read);
    } catch (const CTableError&) {
        readable = false;
    }
    if (!readable) {
        CErrorMessage(ids::kReadError, charset::Utf8ToCp1252(platform::PathToUtf8(path)), 0).Report();
        return false;
    }
    m_file = std::move(read);
    m_duplicates = CDuplicateOperands(m_file.get());
    wxGetApp().AddRecentFile(path);
    return true;
}

void CMorawinDoc::UpdateWindowTitles()
{
    const wxList& views = GetViews();
    const wxString name = GetUserReadableName();
    int number = 0;
    for (const wxObject* object : views) {
        const auto* view = static_cast<const wxView*>(object);
        ++number;
        auto* frame = wxDynamicCast(view->GetFrame(), wxMDIChildFrame);
        if (frame)
            frame->SetTitle(views.size() > 1 ? name + wxString::Format(wxASCII_STR(":%d"), number) : name);
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
