#pragma once

#include "app/document/PrintLayout.h"

#include <wx/print.h>

#include <memory>
#include <vector>

class CSequenceEntry;

// Prints the operand list as a view shows it: operand, symbol and comment
// in three columns, each page headed by the document's title, the page
// number and the column titles.
class COperandPrintout : public wxPrintout {
public:
    COperandPrintout(const wxString& title, std::vector<CSequenceEntry*> rows);

    void OnPreparePrinting() override;
    bool HasPage(int page) override;
    void GetPageInfo(int* minPage, int* maxPage, int* pageFrom, int* pageTo) override;
    bool OnPrintPage(int page) override;

    int GetPageCount() const { return m_layout ? m_layout->PageCount() : 0; }

private:
    wxSize PaperMm();
    // The page in tenths of a millimetre, margins taken off.
    void MapPage(wxDC& dc);
    void DrawHeader(wxDC& dc, int page);
    void DrawRow(wxDC& dc, const CSequenceEntry& entry, int y);
    void DrawClipped(wxDC& dc, const wxString& text, int column, int y);

    wxString m_title;
    std::vector<CSequenceEntry*> m_rows;
    std::unique_ptr<CPrintLayout> m_layout;
    wxRect m_page;
    std::vector<int> m_columnStarts;
    std::vector<wxString> m_columnTitles;
};
