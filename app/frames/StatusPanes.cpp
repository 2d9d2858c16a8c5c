#include "app/frames/StatusPanes.h"

#include "data/text/StringTable.h"
#include "data/text/TextFormat.h"

#include <algorithm>
#include <string>

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
    if (index < 0 || index >= kProjectPanes)
        return false;
    m_texts[index] = std::move(text);
    return !m_menuMode;
}

bool CStatusPanes::ShowCounts(std::string text)
{
    m_texts[kCountsPane] = std::move(text);
    return !m_menuMode;
}

std::string CStatusPanes::CountText(std::size_t shown, std::size_t inFile, std::size_t duplicated)
{
    // The string table's texts are Windows-1252; the panes hold UTF-8.
    const auto text = [](unsigned id, std::size_t number) {
        return FormatText(CStringTable::GetUtf8(id), {static_cast<unsigned long>(number)});
    };
    std::string counts;
    if (shown != inFile)
        counts = text(ids::kCountShownOf, shown);
    counts += text(inFile == 1 ? ids::kCountOperand : ids::kCountOperands, inFile);
    if (duplicated > 0)
        counts += text(ids::kCountDuplicated, duplicated);
    return counts;
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
    const int charWidth = index == 1 ? metrics.maxCharWidth : metrics.averageCharWidth;
    const int extent = metrics.textWidth ? metrics.textWidth(layout.text) : 0;
    layout.width = std::max(extent, kMinimumChars * charWidth);
    layout.visible = true;
    return layout;
}
