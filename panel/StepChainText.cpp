#include "panel/StepChainText.h"

#include "data/records/RecordStream.h"
#include "data/sequence/SequenceEntry.h"
#include "data/text/TextFormat.h"
#include "panel/StepChainList.h"

#include <algorithm>
#include <cstring>

namespace {

void PutWord(std::span<std::uint8_t> buffer, std::size_t at, std::uint16_t value)
{
    buffer[at] = static_cast<std::uint8_t>(value & 0xFF);
    buffer[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

void PutLong(std::span<std::uint8_t> buffer, std::size_t at, std::uint32_t value)
{
    for (std::size_t i = 0; i < 4; ++i)
        buffer[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

std::uint32_t GetLong(std::span<const std::uint8_t> record, std::size_t at)
{
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i)
        value |= static_cast<std::uint32_t>(record[at + i]) << (8 * i);
    return value;
}

} // namespace

CStepChainText::CStepChainText(CStepChainList* list, std::uint8_t operand, std::uint8_t bit, std::uint8_t attribute1,
                               std::uint8_t attribute2, std::string text)
    : CDataEntry(list), m_operand(operand), m_bit(bit), m_attribute1(attribute1), m_attribute2(attribute2)
{
    SetText(std::move(text));
}

CStepChainText::CStepChainText(CStepChainList* list, std::uint8_t byteNumber)
    : CStepChainText(list, byteNumber, 0, 1, 0, std::string())
{
}

CStepChainText::CStepChainText(CStepChainList* list)
    : CStepChainText(list, 1, 0, 0, 0, std::string())
{
}

const CStepChainList* CStepChainText::GetList() const
{
    return static_cast<const CStepChainList*>(GetParent());
}

void CStepChainText::SetText(std::string text)
{
    m_stored = record::EncodeReferences(text);
    m_shownDiffers = text != m_stored;
    m_text = m_shownDiffers ? std::move(text) : std::string();
}

std::string CStepChainText::GetOperandName() const
{
    const CStepChainList* list = GetList();
    const std::string letter = list ? list->GetKindLetter() : std::string();
    if (list && IsBitKind(list->GetKind()))
        return FormatText("%s%03u.%02u", {letter, unsigned{m_operand}, unsigned{m_bit}});
    return FormatText("%s%03u", {letter, unsigned{m_operand}});
}

std::string CStepChainText::GetColumnText(int column) const
{
    switch (column) {
    case 0: return IntToText(m_number);
    case 1: return GetOperandName();
    case 2: return IntToText(m_attribute1);
    case 3: return IntToText(m_attribute2);
    case 4: return GetText();
    default: return {};
    }
}

int CStepChainText::Compare(const CDataEntry* other) const
{
    if (other->GetType() != type_code::kStepChainText)
        return 0;
    const std::uint32_t mine = SortKey();
    const std::uint32_t theirs = static_cast<const CStepChainText*>(other)->SortKey();
    return mine < theirs ? -1 : mine > theirs ? 1 : 0;
}

bool CStepChainText::WriteRecord(std::span<std::uint8_t> buffer) const
{
    const std::size_t size = GetRecordSize();
    if (buffer.size() < size || size > 0xFFFF)
        return false;
    std::fill(buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(size), std::uint8_t{0});
    PutWord(buffer, 0, static_cast<std::uint16_t>(size));
    PutLong(buffer, 4, static_cast<std::uint32_t>(m_number));
    buffer[8] = m_operand;
    buffer[9] = m_bit;
    buffer[10] = m_attribute1;
    buffer[11] = m_attribute2;
    const std::string& text = GetText();
    std::memcpy(buffer.data() + 12, text.data(), text.size());
    return true;
}

bool CStepChainText::ReadRecord(std::span<const std::uint8_t> record)
{
    if (record.size() < 13)
        return false;
    const auto text = record.subspan(12);
    const auto end = std::find(text.begin(), text.end(), std::uint8_t{0});
    // The file packs the attributes into 5 and 3 bits; larger values would
    // come back changed.
    if (end == text.end() || record[10] > 0x1F || record[11] > 0x07)
        return false;
    m_number = static_cast<int>(GetLong(record, 4));
    m_operand = record[8];
    m_bit = record[9];
    m_attribute1 = record[10];
    m_attribute2 = record[11];
    SetText(std::string(text.begin(), end));
    return true;
}

void CStepChainText::ReadFileRecord(CMemFile& file, bool bitKind)
{
    std::uint8_t number = 0;
    std::uint8_t attributes = 0;
    record::ReadByte(file, number);
    record::ReadByte(file, attributes);
    (bitKind ? m_bit : m_operand) = number;
    m_attribute1 = attributes & 0x1F;
    m_attribute2 = static_cast<std::uint8_t>(attributes >> 5);
    SetStoredText(record::ReadEscapedString(file));
}

void CStepChainText::SetStoredText(std::string stored)
{
    m_stored = std::move(stored);
    m_shownDiffers = m_stored.find(record::kEscape) != std::string::npos;
    m_text = m_shownDiffers ? record::DecodeReferences(m_stored) : std::string();
}

void CStepChainText::WriteFileRecord(CMemFile& file, bool bitKind) const
{
    record::WriteByte(file, bitKind ? m_bit : m_operand);
    // Attributes outside 0..31 and 0..7 would spill into each other.
    record::WriteByte(file, static_cast<std::uint8_t>((m_attribute1 & 0x1F) | ((m_attribute2 & 0x07) << 5)));
    file.Write(m_stored.data(), m_stored.size());
    record::WriteByte(file, 0);
}
