#include "app/StatusPanes.h"

#include "data/StringTable.h"

#include <algorithm>

CStatusPanes::CStatusPanes()
{
    m_texts[0] = CStringTable::GetUtf8(ids::kNoProject);
}

void CStatusPanes::ShowProject(const std::string& path, const std::string& name)
{
    SetPaneText(0, path.empty() ? CStringTable::GetUtf8(ids::kNoProject) : path);
    SetPaneText(1, name);
}

bool CStatusPanes::SetPaneText(int index, std::string text)
{
    if (index < 0 || index >= kPaneCount)
        return false;
    m_texts[index] = std::move(text);
    return !m_menuMode;
}

const std::string& CStatusPanes::GetPaneText(int index) const
{
    static const std::string none;
    return index >= 0 && index < kPaneCount ? m_texts[index] : none;
}

CStatusPanes::Layout CStatusPanes::GetLayout(int index, const Metrics& metrics) const
{
    Layout layout;
    layout.text = GetPaneText(index);
    if (layout.text.empty())
        return layout;
    const int charWidth = index == 0 ? metrics.averageCharWidth : metrics.maxCharWidth;
    const int extent = metrics.textWidth ? metrics.textWidth(layout.text) : 0;
    layout.width = std::max(extent, kMinimumChars * charWidth);
    layout.visible = true;
    return layout;
}
