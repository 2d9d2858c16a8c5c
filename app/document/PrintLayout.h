#pragma once

#include <utility>
#include <vector>

// Pages of a printed operand list: each page starts with a header (title
// line and column titles), then as many rows as fit. An empty list still
// prints one page with its header. Lengths are in any one unit.
class CPrintLayout {
public:
    CPrintLayout(int rowCount, int pageHeight, int lineHeight, int headerLines);

    int RowsPerPage() const { return m_rowsPerPage; }
    int PageCount() const;
    // Rows [first, end) of page `page`, counted from 1; empty beyond the last.
    std::pair<int, int> RowsOfPage(int page) const;

    // Left edges of columns whose widths relate as `widths` (in characters),
    // spread over `totalWidth`, starting at `left`.
    static std::vector<int> ColumnStarts(int left, int totalWidth, const std::vector<int>& widths);

private:
    int m_rowCount;
    int m_rowsPerPage;
};
