#include "data/clipboard/ClipboardBlock.h"

#include "data/model/DataList.h"
#include "data/text/ErrorMessage.h"
#include "data/text/StringTable.h"

#include <memory>
#include <new>

namespace {

std::size_t WordAt(std::span<const std::uint8_t> bytes, std::size_t at)
{
    return static_cast<std::size_t>(bytes[at]) | (static_cast<std::size_t>(bytes[at + 1]) << 8);
}

// One entry of a block that passed the check.
struct CheckedEntry {
    std::span<const std::uint8_t> record;
    std::vector<std::span<const std::uint8_t>> children;
    bool container = false;
};

// Walks a byte range front to back; nothing is read past its end.
class Reader {
public:
    explicit Reader(std::span<const std::uint8_t> bytes) : m_bytes(bytes) {}

    bool Word(std::uint16_t& value)
    {
        if (m_bytes.size() - m_pos < 2)
            return false;
        value = static_cast<std::uint16_t>(WordAt(m_bytes, m_pos));
        m_pos += 2;
        return true;
    }

    bool Take(std::size_t size, std::span<const std::uint8_t>& part)
    {
        if (m_bytes.size() - m_pos < size)
            return false;
        part = m_bytes.subspan(m_pos, size);
        m_pos += size;
        return true;
    }

    // A record's first word is its size, that word included; a size that
    // could not even hold it would never move the reader on.
    bool Record(std::span<const std::uint8_t>& record)
    {
        if (m_bytes.size() - m_pos < 2)
            return false;
        const std::size_t size = WordAt(m_bytes, m_pos);
        return size >= 2 && Take(size, record);
    }

    bool AtEnd() const { return m_pos == m_bytes.size(); }

private:
    std::span<const std::uint8_t> m_bytes;
    std::size_t m_pos = 0;
};

class Writer {
public:
    explicit Writer(std::vector<std::uint8_t>& bytes) : m_bytes(bytes) {}

    void Word(std::size_t value)
    {
        m_bytes[m_pos++] = static_cast<std::uint8_t>(value & 0xFF);
        m_bytes[m_pos++] = static_cast<std::uint8_t>((value >> 8) & 0xFF);
    }

    // The entry writes its record itself; it must begin with its own size,
    // or the block could not be read again.
    bool Record(const CDataEntry& entry)
    {
        const std::size_t size = entry.GetRecordSize();
        if (size < 2 || size > m_bytes.size() - m_pos)
            return false;
        const std::span<std::uint8_t> record(m_bytes.data() + m_pos, size);
        if (!entry.WriteRecord(record) || WordAt(record, 0) != size)
            return false;
        m_pos += size;
        return true;
    }

private:
    std::vector<std::uint8_t>& m_bytes;
    std::size_t m_pos = 0;
};

std::size_t BlockSize(const CDataList& list, std::span<const int> rows)
{
    std::size_t size = 2;
    for (int row : rows) {
        const CDataEntry& entry = *list.GetAt(row);
        size += entry.GetRecordSize() + 2;
        if (entry.IsContainer())
            size += static_cast<const CDataList&>(entry).GetClipboardSize();
    }
    return size;
}

bool WriteEntry(Writer& out, const CDataEntry& entry)
{
    if (!out.Record(entry))
        return false;
    const auto* container = entry.IsContainer() ? dynamic_cast<const CDataList*>(&entry) : nullptr;
    if (!container) {
        out.Word(0);
        return true;
    }
    out.Word(container->GetClipboardSize());
    out.Word(static_cast<std::size_t>(container->GetCount()));
    for (int i = 0; i < container->GetCount(); ++i)
        if (!out.Record(*container->GetAt(i)))
            return false;
    return true;
}

// The entry `list` would make of `record`, if the record reads and is
// exactly as long as what it holds says it must be.
std::unique_ptr<CDataEntry> ReadThrowaway(CDataList& list, std::span<const std::uint8_t> record)
{
    auto entry = list.NewClipboardEntry();
    if (!entry || !entry->ReadRecord(record) || entry->GetRecordSize() != record.size())
        return nullptr;
    return entry;
}

bool CheckChildren(CDataList& container, std::span<const std::uint8_t> bytes, CheckedEntry& checked)
{
    Reader in(bytes);
    std::uint16_t count = 0;
    if (!in.Word(count))
        return false;
    for (unsigned i = 0; i < count; ++i) {
        std::span<const std::uint8_t> record;
        if (!in.Record(record) || !ReadThrowaway(container, record))
            return false;
        checked.children.push_back(record);
    }
    // The children size must cover exactly these records.
    return in.AtEnd();
}

std::optional<CheckedEntry> CheckEntry(CDataList& list, Reader& in)
{
    CheckedEntry checked;
    std::uint16_t childrenSize = 0;
    if (!in.Record(checked.record) || !in.Word(childrenSize))
        return std::nullopt;
    const auto entry = ReadThrowaway(list, checked.record);
    if (!entry)
        return std::nullopt;
    // Whether children follow is decided by the kind of entry this list
    // makes, never by the block.
    auto* container = entry->IsContainer() ? dynamic_cast<CDataList*>(entry.get()) : nullptr;
    if (!container)
        return childrenSize == 0 ? std::optional(std::move(checked)) : std::nullopt;
    std::span<const std::uint8_t> children;
    if (!in.Take(childrenSize, children) || !CheckChildren(*container, children, checked))
        return std::nullopt;
    checked.container = true;
    return checked;
}

std::optional<std::vector<CheckedEntry>> CheckBlock(CDataList& list, std::span<const std::uint8_t> block)
{
    if (block.size() > CClipboardBlock::kMaxSize)
        return std::nullopt;
    Reader in(block);
    std::uint16_t count = 0;
    if (!in.Word(count))
        return std::nullopt;
    std::vector<CheckedEntry> entries;
    for (unsigned i = 0; i < count; ++i) {
        auto entry = CheckEntry(list, in);
        if (!entry)
            return std::nullopt;
        entries.push_back(std::move(*entry));
    }
    // Bytes beyond the last entry mean the count does not describe the
    // block; pasting part of it would silently drop the rest.
    if (!in.AtEnd())
        return std::nullopt;
    return entries;
}

void PasteChildren(CDataList& container, const CheckedEntry& checked)
{
    for (std::size_t j = 0; j < checked.children.size(); ++j)
        container.CreateFromRecord(static_cast<int>(j) - 1, checked.children[j]);
    container.OnEntryChanged(nullptr);
}

} // namespace

std::optional<std::vector<std::uint8_t>> CClipboardBlock::Build(const CDataList& list, std::span<const int> rows)
{
    if (rows.empty() || list.IsEmpty())
        return std::nullopt;
    for (int row : rows)
        if (row < 0 || row >= list.GetCount())
            return std::nullopt;
    const std::size_t size = BlockSize(list, rows);
    if (size > kMaxSize) {
        CErrorMessage(ids::kClipboardTooLarge, static_cast<int>(kMaxSize)).Report();
        return std::nullopt;
    }
    std::vector<std::uint8_t> block;
    try {
        block.resize(size);
    } catch (const std::bad_alloc&) {
        CErrorMessage(ids::kNoMemory, 0).Report();
        return std::nullopt;
    }
    Writer out(block);
    out.Word(rows.size());
    for (int row : rows) {
        if (!WriteEntry(out, *list.GetAt(row))) {
            // Without a message the user would paste whatever the
            // clipboard held before and take it for this copy.
            CErrorMessage(ids::kClipboardTooLarge, static_cast<int>(kMaxSize)).Report();
            return std::nullopt;
        }
    }
    return block;
}

bool CClipboardBlock::Check(CDataList& list, std::span<const std::uint8_t> block)
{
    return CheckBlock(list, block).has_value();
}

CDataEntry* CClipboardBlock::Paste(CDataList& list, std::span<const std::uint8_t> block, int firstSelected)
{
    const auto entries = CheckBlock(list, block);
    if (!entries) {
        CErrorMessage(ids::kClipboardDataInvalid, 0).Report();
        return nullptr;
    }
    CDataEntry* last = nullptr;
    for (std::size_t i = 0; i < entries->size(); ++i) {
        const CheckedEntry& checked = (*entries)[i];
        const int index = firstSelected < 0 ? -1 : firstSelected + static_cast<int>(i);
        CDataEntry* created = list.CreateFromRecord(index, checked.record);
        if (!created) {
            if (list.StopsPaste())
                break;
            continue;
        }
        if (auto* container = checked.container ? dynamic_cast<CDataList*>(created) : nullptr)
            PasteChildren(*container, checked);
        if (!list.KeepPasted(created))
            break;
        last = created;
    }
    list.OnEntryChanged(nullptr);
    return last;
}
