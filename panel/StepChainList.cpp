#include "panel/StepChainList.h"

#include "data/clipboard/Clipboard.h"
#include "data/clipboard/ClipboardBlock.h"
#include "data/text/ErrorMessage.h"
#include "data/records/FileException.h"
#include "data/records/RecordStream.h"
#include "data/sequence/SequenceEntry.h"
#include "data/text/StringTable.h"
#include "panel/StepChainGroup.h"
#include "panel/StepChainText.h"

#include <algorithm>
#include <cstring>

namespace {


std::string TrimTrailingSpaces(std::string text)
{
    text.erase(text.find_last_not_of(' ') + 1);
    return text;
}

std::uint8_t ReadByteOrThrow(CMemFile& file)
{
    if (file.GetRemaining() < 1)
        throw CFileException(CFileException::Cause::endOfFile);
    std::uint8_t value = 0;
    record::ReadByte(file, value);
    return value;
}

std::uint16_t ReadWordOrThrow(CMemFile& file)
{
    if (file.GetRemaining() < 2)
        throw CFileException(CFileException::Cause::endOfFile);
    std::uint16_t value = 0;
    record::ReadWord(file, value);
    return value;
}

} // namespace

CStepChainList::CStepChainList(CStepChainGroup* group)
    : CDataList(group, std::string())
{
    SetLoaded(true);
    m_size = ComputeSize();
}

CStepChainText* CStepChainList::GetText(int index) const
{
    return static_cast<CStepChainText*>(GetAt(index));
}

std::string CStepChainList::GetKindLetter() const
{
    if (m_kind > kKindCounter)
        return "?";
    return KindLetter(m_kind);
}

bool CStepChainList::IsBitList() const
{
    return IsBitKind(m_kind);
}

std::string CStepChainList::GetColumnText(int column) const
{
    const auto* group = dynamic_cast<const CDataFile*>(GetParent());
    switch (column) {
    case 0: return GetName();
    case 1: return GetKindAndId();
    case 2: return group ? group->GetExtension() : std::string();
    case 3: return IntToText(GetListSize());
    case 4: return group ? group->GetDateText() : std::string();
    default: return {};
    }
}

bool CStepChainList::IsCommandEnabled(int command, int selectedCount, int reserved) const
{
    switch (command) {
    case 0:
    case 2:
    case 13:
    case 19:
    case 21: return true;
    case 1:
    case CommandCode(ListCommand::rename): return selectedCount == 1;
    case CommandCode(ListCommand::remove):
    case CommandCode(ListCommand::copy):
    case 32: return selectedCount != 0;
    case CommandCode(ListCommand::paste): return CanPaste();
    case 3:
    case 8:
    case 9:
    case 10:
    case 14:
    case 15:
    case 18:
    case 35: return false;
    default: return CDataList::IsCommandEnabled(command, selectedCount, reserved);
    }
}

std::string CStepChainList::GetContextText(int selector) const
{
    switch (selector) {
    case 1:
    case 2: {
        const auto* group = dynamic_cast<const CDataList*>(GetParent());
        return group ? group->GetContextText(selector) : std::string();
    }
    case 3: return GetKindAndId();
    case 4: return GetName();
    default: return {};
    }
}

void CStepChainList::SetProperties(std::string identifier, int kind, std::string designation)
{
    // The file pads identifiers with spaces; keeping them trimmed here makes
    // a list look the same before and after a save.
    m_id = TrimTrailingSpaces(std::move(identifier));
    m_kind = static_cast<std::uint8_t>(kind);
    SetName(std::move(designation));
    m_size = ComputeSize();
    NotifyGroup();
}

void CStepChainList::NotifyGroup()
{
    if (auto* group = dynamic_cast<CDataList*>(GetParent()))
        group->OnEntryChanged(this);
}

void CStepChainList::Add(std::unique_ptr<CDataEntry> text)
{
    if (text && text->GetType() == type_code::kStepChainText)
        static_cast<CStepChainText*>(text.get())->SetNumber(GetCount() + 1);
    CDataList::Add(std::move(text));
}

void CStepChainList::Remove(CDataEntry* text)
{
    CDataList::Remove(text);
    m_size = ComputeSize();
    NotifyGroup();
}

void CStepChainList::OnEntryChanged(CDataEntry* text)
{
    m_size = ComputeSize();
    CDataList::OnEntryChanged(text);
    NotifyGroup();
}

void CStepChainList::Sort()
{
    // Lists read from a file are in order already; checking is far cheaper
    // than sorting again.
    bool sorted = true;
    for (int i = 1; i < GetCount() && sorted; ++i)
        sorted = GetText(i - 1)->SortKey() <= GetText(i)->SortKey();
    if (!sorted)
        SortEntriesByKey([](const CDataEntry& entry) { return static_cast<const CStepChainText&>(entry).SortKey(); });
    for (int i = 0; i < GetCount(); ++i)
        GetText(i)->SetNumber(i + 1);
}

bool CStepChainList::Matches(const CStepChainText& text, std::uint8_t operand, std::uint8_t bit) const
{
    return text.GetOperand() == operand && (!IsBitList() || text.GetBit() == bit);
}

CStepChainText* CStepChainList::FindText(std::uint8_t operand, std::uint8_t bit) const
{
    for (int i = 0; i < GetCount(); ++i)
        if (Matches(*GetText(i), operand, bit))
            return GetText(i);
    return nullptr;
}

bool CStepChainList::HasDuplicate(const CStepChainText* text, std::uint8_t operand, std::uint8_t bit) const
{
    for (int i = 0; i < GetCount(); ++i)
        if (GetText(i) != text && Matches(*GetText(i), operand, bit))
            return true;
    return false;
}

std::vector<const CStepChainText*> CStepChainList::FileOrder() const
{
    std::vector<const CStepChainText*> texts;
    texts.reserve(static_cast<std::size_t>(GetCount()));
    for (int i = 0; i < GetCount(); ++i)
        texts.push_back(GetText(i));
    // Texts added after the last Sort would otherwise split a byte's block
    // and come back in another order after a load.
    const auto byKey = [](const CStepChainText* a, const CStepChainText* b) { return a->SortKey() < b->SortKey(); };
    if (!std::is_sorted(texts.begin(), texts.end(), byKey))
        std::stable_sort(texts.begin(), texts.end(), byKey);
    return texts;
}

template <class Block>
void CStepChainList::ForEachBlock(const std::vector<const CStepChainText*>& texts, Block block) const
{
    const bool bitList = IsBitList();
    std::size_t first = 0;
    while (first < texts.size()) {
        std::size_t count = 1;
        if (bitList)
            while (first + count < texts.size() && count < kMaxBlockTexts
                   && texts[first + count]->GetOperand() == texts[first]->GetOperand())
                ++count;
        block(first, count);
        first += count;
    }
}

std::size_t CStepChainList::ComputeSize() const
{
    std::size_t size = kFixedRecordSize + record::StoredDesignationLength(GetName());
    const auto texts = FileOrder();
    for (const CStepChainText* text : texts)
        size += text->GetStoredLength() + CStepChainText::kRecordOverhead;
    if (IsBitList())
        ForEachBlock(texts, [&](std::size_t, std::size_t) { size += kBlockHeaderSize; });
    return size;
}

void CStepChainList::WriteFileRecord(CMemFile& file) const
{
    const std::size_t start = file.GetPosition();
    std::string code = m_id;
    if (code.size() < 3)
        code.resize(3, ' ');
    record::WriteCode(file, code);
    record::WriteWord(file, 0); // the size, filled in at the end
    record::WriteCountedString(file, record::PadTo32(record::TrimRight(GetName())));
    record::WriteByte(file, m_kind);

    const auto texts = FileOrder();
    std::size_t blocks = 0;
    ForEachBlock(texts, [&](std::size_t, std::size_t) { ++blocks; });
    if (blocks > 0xFFFF)
        throw CFileException(CFileException::Cause::tooLarge);
    record::WriteWord(file, static_cast<std::uint16_t>(blocks));
    const bool bitList = IsBitList();
    ForEachBlock(texts, [&](std::size_t first, std::size_t count) {
        if (bitList) {
            record::WriteByte(file, texts[first]->GetOperand());
            record::WriteByte(file, static_cast<std::uint8_t>(count));
        }
        for (std::size_t i = first; i < first + count; ++i)
            texts[i]->WriteFileRecord(file, bitList);
    });

    const std::size_t end = file.GetPosition();
    if (end - start > 0xFFFF)
        throw CFileException(CFileException::Cause::tooLarge);
    file.Seek(start + 3);
    record::WriteWord(file, static_cast<std::uint16_t>(end - start));
    file.Seek(end);
}

void CStepChainList::ReadFileRecord(CMemFile& file)
{
    const std::size_t start = file.GetPosition();
    m_id = TrimTrailingSpaces(record::ReadCode(file));
    const std::uint16_t size = ReadWordOrThrow(file);
    SetName(record::TrimRight(record::ReadCountedString(file)));
    m_kind = ReadByteOrThrow(file);
    const std::uint16_t blocks = ReadWordOrThrow(file);
    const bool bitList = IsBitList();
    for (std::uint16_t b = 0; b < blocks; ++b) {
        // Checked before each block, so an overrun inside the last block
        // passes, as files in use rely on.
        if (file.GetPosition() - start > size)
            throw CFileException(CFileException::Cause::generic);
        if (bitList) {
            const std::uint8_t byteNumber = ReadByteOrThrow(file);
            const std::uint8_t count = ReadByteOrThrow(file);
            for (unsigned i = 0; i < count; ++i)
                AddNew(std::make_unique<CStepChainText>(this, byteNumber))->ReadFileRecord(file, true);
        } else {
            AddNew(std::make_unique<CStepChainText>(this))->ReadFileRecord(file, false);
        }
    }
    Sort();
    SetLoaded(true);
    m_size = ComputeSize();
}

bool CStepChainList::WriteRecord(std::span<std::uint8_t> buffer) const
{
    const std::size_t size = GetRecordSize();
    if (buffer.size() < size || size > 0xFFFF || m_id.size() > 3)
        return false;
    std::fill(buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(size), std::uint8_t{0});
    buffer[0] = static_cast<std::uint8_t>(size & 0xFF);
    buffer[1] = static_cast<std::uint8_t>(size >> 8);
    buffer[4] = m_kind;
    std::string code = m_id;
    code.resize(3, ' ');
    std::memcpy(buffer.data() + 8, code.data(), 3);
    std::memcpy(buffer.data() + 11, GetName().data(), GetName().size());
    return true;
}

bool CStepChainList::ReadRecord(std::span<const std::uint8_t> record)
{
    if (record.size() < 12)
        return false;
    const auto designation = record.subspan(11);
    const auto end = std::find(designation.begin(), designation.end(), std::uint8_t{0});
    // The kind is a 32-bit field holding one byte; a designation must end
    // inside the record and fit the file's counted string.
    if (record[5] != 0 || record[6] != 0 || record[7] != 0 || end == designation.end()
        || end - designation.begin() > static_cast<std::ptrdiff_t>(record::kMaxCountedLength))
        return false;
    m_kind = record[4];
    m_id = TrimTrailingSpaces(std::string(record.begin() + 8, record.begin() + 11));
    SetName(std::string(designation.begin(), end));
    m_size = ComputeSize();
    return true;
}

CDataEntry* CStepChainList::CreateFromRecord(int, std::span<const std::uint8_t> record)
{
    CStepChainText read(this);
    if (!read.ReadRecord(record))
        return nullptr;
    // A number operand has no bit, and the file would not keep one.
    const std::uint8_t bit = IsBitList() ? read.GetBit() : 0;
    if (CStepChainText* stored = FindText(read.GetOperand(), bit)) {
        if (!m_duplicateQuestion) {
            // The operand's name is the user's only clue which text was
            // refused.
            CErrorMessage(ids::kOperandExists, read.GetOperandName(), 0).Report();
            return nullptr;
        }
        switch (m_duplicateQuestion(*stored)) {
        case Duplicate::replace: Remove(stored); break;
        case Duplicate::keep: return nullptr;
        case Duplicate::cancel: m_pasteCancelled = true; return nullptr;
        }
    }
    return AddNew(std::make_unique<CStepChainText>(this, read.GetOperand(), bit, read.GetAttribute1(),
                                                   read.GetAttribute2(), read.GetText()));
}

std::unique_ptr<CDataEntry> CStepChainList::NewClipboardEntry()
{
    return std::make_unique<CStepChainText>(this);
}

bool CStepChainList::KeepPasted(CDataEntry* text)
{
    const auto* group = dynamic_cast<const CStepChainGroup*>(GetParent());
    if (!group || !group->ReportIfTooLarge())
        return true;
    Remove(text);
    return false;
}

bool CStepChainList::CopyToClipboard(std::span<const int> rows) const
{
    IClipboard* clipboard = IClipboard::GetInstalled();
    if (!clipboard)
        return false;
    auto block = CClipboardBlock::Build(*this, rows);
    return block && clipboard->SetData({{GetClipboardFormatName(), std::move(*block)}, {kKindFormat, {m_kind}}});
}

CDataEntry* CStepChainList::PasteFromClipboard(int firstSelected)
{
    m_pasteCancelled = false;
    IClipboard* clipboard = IClipboard::GetInstalled();
    if (!clipboard)
        return nullptr;
    // Texts that other software put there come without a kind.
    if (const auto kind = clipboard->GetData(kKindFormat)) {
        if (kind->size() != 1) {
            CErrorMessage(ids::kClipboardDataInvalid, 0).Report();
            return nullptr;
        }
        if ((*kind)[0] != m_kind) {
            CErrorMessage(ids::kClipboardOtherKind, 0).Report();
            return nullptr;
        }
    }
    return CDataList::PasteFromClipboard(firstSelected);
}
