#include "app/widgets/ColumnWidths.h"

#include <algorithm>
#include <map>

namespace {

// Dragged widths by list name and column; 0 where the user dragged nothing.
std::map<std::string, std::vector<int>>& Session()
{
    static std::map<std::string, std::vector<int>> widths;
    return widths;
}

} // namespace

CColumnWidths::CColumnWidths(std::string name, int fill, int minimumFill)
    : m_name(std::move(name)), m_fill(fill), m_minimumFill(minimumFill)
{
}

void CColumnWidths::SetWanted(int column, int width)
{
    if (column < 0)
        return;
    if (m_wanted.size() <= static_cast<std::size_t>(column))
        m_wanted.resize(static_cast<std::size_t>(column) + 1, 0);
    m_wanted[static_cast<std::size_t>(column)] = std::max(width, 0);
}

void CColumnWidths::SetDragged(int column, int width)
{
    if (column < 0)
        return;
    std::vector<int>& dragged = Session()[m_name];
    if (dragged.size() <= static_cast<std::size_t>(column))
        dragged.resize(static_cast<std::size_t>(column) + 1, 0);
    // A column dragged shut stays findable: the user can drag it open again.
    dragged[static_cast<std::size_t>(column)] = std::max(width, 1);
}

bool CColumnWidths::IsDragged(int column) const
{
    const auto found = Session().find(m_name);
    return column >= 0 && found != Session().end() && static_cast<std::size_t>(column) < found->second.size() &&
           found->second[static_cast<std::size_t>(column)] > 0;
}

int CColumnWidths::Width(int column) const
{
    if (IsDragged(column))
        return Session()[m_name][static_cast<std::size_t>(column)];
    return static_cast<std::size_t>(column) < m_wanted.size() ? m_wanted[static_cast<std::size_t>(column)] : 0;
}

std::vector<int> CColumnWidths::Layout(int clientWidth) const
{
    std::vector<int> widths(m_wanted.size());
    int others = 0;
    for (std::size_t i = 0; i < widths.size(); ++i) {
        widths[i] = Width(static_cast<int>(i));
        if (static_cast<int>(i) != m_fill)
            others += widths[i];
    }
    // The fill column follows the window unless the user has sized it.
    if (m_fill >= 0 && static_cast<std::size_t>(m_fill) < widths.size() && !IsDragged(m_fill))
        widths[static_cast<std::size_t>(m_fill)] =
            std::max({clientWidth - others, m_minimumFill, 0});
    return widths;
}

void CColumnWidths::ForgetSession()
{
    Session().clear();
}
