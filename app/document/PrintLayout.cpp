#include "app/document/PrintLayout.h"

#include <algorithm>
#include <numeric>

CPrintLayout::CPrintLayout(int rowCount, int pageHeight, int lineHeight, int headerLines)
    : m_rowCount(std::max(rowCount, 0))
{
    const int lines = lineHeight > 0 ? pageHeight / lineHeight : 0;
    // However small the page, every page carries at least one row, so
    // that printing always ends.
    m_rowsPerPage = std::max(lines - headerLines, 1);
}

int CPrintLayout::PageCount() const
{
    return std::max((m_rowCount + m_rowsPerPage - 1) / m_rowsPerPage, 1);
}

std::pair<int, int> CPrintLayout::RowsOfPage(int page) const
{
    if (page < 1 || page > PageCount())
        return {m_rowCount, m_rowCount};
    const long long first = static_cast<long long>(page - 1) * m_rowsPerPage;
    const long long end = std::min<long long>(first + m_rowsPerPage, m_rowCount);
    return {static_cast<int>(first), static_cast<int>(end)};
}

std::vector<int> CPrintLayout::ColumnStarts(int left, int totalWidth, const std::vector<int>& widths)
{
    const long long sum = std::accumulate(widths.begin(), widths.end(), 0LL);
    std::vector<int> starts;
    long long before = 0;
    for (int width : widths) {
        starts.push_back(left + static_cast<int>(sum > 0 ? before * totalWidth / sum : 0));
        before += std::max(width, 0);
    }
    return starts;
}
