#include "app/document/OperandPrintout.h"

#include "gui/WxText.h"
#include "data/sequence/SequenceEntry.h"
#include "data/sequence/SequenceFile.h"

#include <wx/dc.h>

namespace {

// Units of the mapped page: tenths of a millimetre.
constexpr int kUnitsPerMm = 10;
constexpr int kMarginMm = 15;
constexpr int kFontPoints = 9;
// The height of a character cell on paper (a point is 0.3528 mm, a cell a
// little more than its font) and of a line.
constexpr double kCellHeight = kFontPoints * 0.3528 * kUnitsPerMm * 1.15;
constexpr int kLineHeight = static_cast<int>(kCellHeight * 1.2 + 0.5);
// Title line, blank line, column titles, rule.
constexpr int kHeaderLines = 4;

} // namespace

COperandPrintout::COperandPrintout(const wxString& title, std::vector<CSequenceEntry*> rows)
    : wxPrintout(title), m_title(title), m_rows(std::move(rows))
{
    const CSequenceFile layout{std::string()};
    for (int i = 0; i < layout.GetColumnCount(); ++i)
        m_columnTitles.push_back(wxtext::FromCp1252(layout.GetColumnHeader(i)));
}

wxSize COperandPrintout::PaperMm()
{
    int widthMm = 0;
    int heightMm = 0;
    GetPageSizeMM(&widthMm, &heightMm);
    // Without a printer the size may be unknown: DIN A4 then.
    if (widthMm <= 2 * kMarginMm || heightMm <= 2 * kMarginMm)
        return wxSize(210, 297);
    return wxSize(widthMm, heightMm);
}

void COperandPrintout::MapPage(wxDC& dc)
{
    const int widthMm = PaperMm().GetWidth();
    const int heightMm = PaperMm().GetHeight();
    FitThisSizeToPaper(wxSize(widthMm * kUnitsPerMm, heightMm * kUnitsPerMm));
    OffsetLogicalOrigin(kMarginMm * kUnitsPerMm, kMarginMm * kUnitsPerMm);
    // Printer and preview scale fonts differently; measuring makes the text
    // kFontPoints high on paper in both.
    wxFont font(wxFontInfo(kFontPoints).Family(wxFONTFAMILY_SWISS));
    dc.SetFont(font);
    if (const int measured = dc.GetCharHeight(); measured > 0) {
        font.SetFractionalPointSize(kFontPoints * kCellHeight / measured);
        dc.SetFont(font);
    }
}

void COperandPrintout::OnPreparePrinting()
{
    // Only the paper's size counts here; the printer's or preview's device
    // context may not exist yet.
    const int widthMm = PaperMm().GetWidth();
    const int heightMm = PaperMm().GetHeight();
    m_page = wxRect(0, 0, (widthMm - 2 * kMarginMm) * kUnitsPerMm, (heightMm - 2 * kMarginMm) * kUnitsPerMm);
    m_layout = std::make_unique<CPrintLayout>(static_cast<int>(m_rows.size()), m_page.height, kLineHeight, kHeaderLines);
    m_columnStarts = CPrintLayout::ColumnStarts(0, m_page.width, {12, 12, 30});
}

bool COperandPrintout::HasPage(int page)
{
    return m_layout && page >= 1 && page <= m_layout->PageCount();
}

void COperandPrintout::GetPageInfo(int* minPage, int* maxPage, int* pageFrom, int* pageTo)
{
    *minPage = 1;
    *maxPage = GetPageCount();
    *pageFrom = 1;
    *pageTo = *maxPage;
}

bool COperandPrintout::OnPrintPage(int page)
{
    wxDC* dc = GetDC();
    if (!dc || !m_layout)
        return false;
    MapPage(*dc);
    dc->SetTextForeground(*wxBLACK);
    DrawHeader(*dc, page);
    const auto [first, end] = m_layout->RowsOfPage(page);
    int y = kHeaderLines * kLineHeight;
    for (int row = first; row < end; ++row, y += kLineHeight)
        DrawRow(*dc, *m_rows[static_cast<std::size_t>(row)], y);
    return true;
}

void COperandPrintout::DrawHeader(wxDC& dc, int page)
{
    const int lineHeight = kLineHeight;
    dc.DrawText(m_title, 0, 0);
    const wxString pageText = wxString::Format(wxtext::Tr("Seite %d von %d"), page, GetPageCount());
    dc.DrawText(pageText, m_page.width - dc.GetTextExtent(pageText).GetWidth(), 0);
    for (std::size_t i = 0; i < m_columnTitles.size() && i < m_columnStarts.size(); ++i)
        DrawClipped(dc, m_columnTitles[i], static_cast<int>(i), 2 * lineHeight);
    const int rule = 3 * lineHeight + lineHeight / 3;
    dc.SetPen(*wxBLACK_PEN);
    dc.DrawLine(0, rule, m_page.width, rule);
}

void COperandPrintout::DrawRow(wxDC& dc, const CSequenceEntry& entry, int y)
{
    DrawClipped(dc, wxtext::FromCp1252(entry.GetOperandText()), 0, y);
    DrawClipped(dc, wxtext::FromCp1252(entry.GetSymbol()), 1, y);
    DrawClipped(dc, wxtext::FromCp1252(entry.GetComment()), 2, y);
}

void COperandPrintout::DrawClipped(wxDC& dc, const wxString& text, int column, int y)
{
    const auto index = static_cast<std::size_t>(column);
    const int left = m_columnStarts[index];
    const int right = index + 1 < m_columnStarts.size() ? m_columnStarts[index + 1] : m_page.width;
    // A long text ends at its column instead of running into the next.
    wxDCClipper clip(dc, wxRect(left, y, right - left - kUnitsPerMm, kLineHeight));
    dc.DrawText(text, left, y);
}
