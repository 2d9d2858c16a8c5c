#include "data/model/DataList.h"

#include "data/clipboard/Clipboard.h"
#include "data/clipboard/ClipboardBlock.h"
#include "data/text/StringTable.h"

#include <algorithm>

CDataList::CDataList(CDataEntry* parent, unsigned nameId)
    : CDataList(parent, CStringTable::Get(nameId))
{
}

bool CDataList::IsCommandEnabled(int, int, int) const
{
    return false;
}

void CDataList::Add(std::unique_ptr<CDataEntry> entry)
{
    m_entries.push_back(std::move(entry));
}

std::unique_ptr<CDataEntry> CDataList::Detach(CDataEntry* entry)
{
    const int index = IndexOf(entry);
    if (index < 0)
        return nullptr;
    auto owned = std::move(m_entries[static_cast<std::size_t>(index)]);
    m_entries.erase(m_entries.begin() + index);
    return owned;
}

void CDataList::Remove(CDataEntry* entry)
{
    Detach(entry);
}

void CDataList::InsertAfter(std::unique_ptr<CDataEntry> entry, int index)
{
    if (index < 0 || index >= GetCount() - 1)
        m_entries.push_back(std::move(entry));
    else
        m_entries.insert(m_entries.begin() + index + 1, std::move(entry));
}

void CDataList::OnEntryChanged(CDataEntry* entry)
{
    if (!entry) {
        Sort();
        return;
    }
    const int index = IndexOf(entry);
    if (index < 0)
        return;
    const bool beforePredecessor = index > 0 && *entry < *GetAt(index - 1);
    const bool afterSuccessor = index + 1 < GetCount() && *entry > *GetAt(index + 1);
    if (beforePredecessor || afterSuccessor)
        Sort();
}

bool CDataList::Save()
{
    return false;
}

void CDataList::RemoveAll()
{
    m_entries.clear();
    m_loaded = false;
    SetModified(false);
}

void CDataList::Sort()
{
}

std::string CDataList::GetContextText(int selector) const
{
    if (selector != 0)
        return {};
    const CDataEntry* project = GetProject();
    return project ? project->GetName() : std::string();
}

std::size_t CDataList::GetClipboardSize() const
{
    std::size_t size = 2;
    for (const auto& entry : m_entries)
        size += entry->GetRecordSize();
    return size;
}

std::string CDataList::GetClipboardFormatName() const
{
    return {};
}

void CDataList::CollectLists(std::vector<CDataList*>& lists)
{
    // No class of this system has type 8; the rule keeps such a list, and
    // everything below it, out of the collection.
    if (GetType() == 8)
        return;
    if (!m_loaded)
        Load();
    if (!m_entries.empty())
        lists.push_back(this);
    for (const auto& entry : m_entries)
        if (entry->IsContainer())
            static_cast<CDataList*>(entry.get())->CollectLists(lists);
}

CDataEntry* CDataList::CreateFromRecord(int, std::span<const std::uint8_t>)
{
    return nullptr;
}

std::unique_ptr<CDataEntry> CDataList::NewClipboardEntry()
{
    return nullptr;
}

bool CDataList::CanPaste() const
{
    IClipboard* clipboard = IClipboard::GetInstalled();
    const std::string format = GetClipboardFormatName();
    return clipboard && !format.empty() && clipboard->HasFormat(format);
}

bool CDataList::CopyToClipboard(std::span<const int> rows) const
{
    IClipboard* clipboard = IClipboard::GetInstalled();
    const std::string format = GetClipboardFormatName();
    if (!clipboard || format.empty())
        return false;
    auto block = CClipboardBlock::Build(*this, rows);
    return block && clipboard->SetData({{format, std::move(*block)}});
}

CDataEntry* CDataList::PasteFromClipboard(int firstSelected)
{
    IClipboard* clipboard = IClipboard::GetInstalled();
    const std::string format = GetClipboardFormatName();
    if (!clipboard || format.empty())
        return nullptr;
    const auto block = clipboard->GetData(format);
    return block ? CClipboardBlock::Paste(*this, *block, firstSelected) : nullptr;
}

int CDataList::IndexOf(const CDataEntry* entry) const
{
    if (!entry)
        return -1;
    for (std::size_t i = 0; i < m_entries.size(); ++i)
        if (m_entries[i].get() == entry)
            return static_cast<int>(i);
    return -1;
}

std::string CDataList::GetColumnHeader(int column) const
{
    if (column < 0 || column >= GetColumnCount())
        return {};
    const std::string headers = GetColumnHeaders();
    std::size_t start = 0;
    for (int i = 0; i < column; ++i) {
        const auto newline = headers.find('\n', start);
        if (newline == std::string::npos)
            return {};
        start = newline + 1;
    }
    return headers.substr(start, headers.find('\n', start) - start);
}

int CDataList::WidthOf(std::initializer_list<int> widths, int column)
{
    return column >= 0 && column < static_cast<int>(widths.size()) ? widths.begin()[column] : 1;
}

void CDataList::SortEntries()
{
    if (m_entries.size() < 2)
        return;
    std::stable_sort(m_entries.begin(), m_entries.end(),
                     [](const auto& a, const auto& b) { return a->Compare(b.get()) < 0; });
}
