#include "data/sequence/SequenceEntry.h"

#include "data/sequence/FixedPool.h"
#include "data/text/NumberText.h"
#include "data/sequence/SequenceFile.h"
#include "data/text/StringTable.h"
#include "data/text/TextFormat.h"

#include <algorithm>

std::string KindLetter(int kind)
{
    return CStringTable::Get(ids::kKindLetterBase + static_cast<unsigned>(kind));
}

std::string FormatOperand(int kind, unsigned byteNumber, unsigned bitNumber)
{
    if (IsBitKind(kind))
        return FormatText("%s%03u.%02u", {KindLetter(kind), byteNumber, bitNumber});
    return FormatText("%s%03u", {KindLetter(kind), byteNumber});
}

namespace {

CFixedPool& EntryPool()
{
    // Never destroyed: entries of static objects may outlive any order of
    // destruction at exit.
    static auto* pool = new CFixedPool(sizeof(CSequenceEntry));
    return *pool;
}

} // namespace

void* CSequenceEntry::operator new(std::size_t size)
{
    // A class derived from the entry may be larger than the pool's objects.
    return size <= EntryPool().GetObjectSize() ? EntryPool().Allocate() : ::operator new(size);
}

void CSequenceEntry::operator delete(void* entry, std::size_t size)
{
    if (size <= EntryPool().GetObjectSize())
        EntryPool().Free(entry);
    else
        ::operator delete(entry);
}

CSequenceEntry::CSequenceEntry(CSequenceFile* parent, std::string_view line)
    : CDataEntry(parent)
{
    SetValid(ParseLine(line));
}

int CSequenceEntry::KindOfLetter(char letter)
{
    switch (letter) {
    case 'E': case 'I': return kKindInput;
    case 'A': case 'O': return kKindOutput;
    case 'F': case 'M': return kKindMarker;
    case 'T': return kKindTimer;
    case 'C': case 'Z': return kKindCounter;
    default: return kKindNone;
    }
}

// Operand layout: TAB, kind letter, space, byte number, for bit kinds "."
// and the bit number, TAB, symbol, optionally TAB and the comment. Numbers
// are read as strtoul reads them and wrap to 8 bits.
bool CSequenceEntry::ParseLine(std::string_view line)
{
    if (line.size() < 4 || line[0] != '\t' || line[2] != ' ')
        return false;
    const int kind = KindOfLetter(line[1]);
    if (kind == kKindNone)
        return false;
    m_kind = kind;

    std::size_t pos = 3;
    std::size_t consumed = 0;
    const std::uint32_t byteNumber = ParseUnsigned32(line.substr(pos), consumed);
    if (consumed == 0)
        return false;
    m_byte = static_cast<std::uint8_t>(byteNumber);
    pos += consumed;

    if (IsBitKind(kind)) {
        if (pos >= line.size() || line[pos] != '.')
            return false;
        ++pos;
        const std::uint32_t bitNumber = ParseUnsigned32(line.substr(pos), consumed);
        if (consumed == 0)
            return false;
        m_bit = static_cast<std::uint8_t>(bitNumber);
        pos += consumed;
    }

    if (pos >= line.size() || line[pos] != '\t')
        return false;
    const std::string_view rest = line.substr(pos + 1);
    m_symbolLength = static_cast<std::uint32_t>(std::min(rest.find('\t'), rest.size()));
    m_text = static_cast<CSequenceFile*>(GetParent())->StoreText(rest);
    return true;
}

std::string_view CSequenceEntry::GetSymbol() const
{
    return m_text.substr(0, m_symbolLength);
}

std::string_view CSequenceEntry::GetComment() const
{
    if (m_symbolLength >= m_text.size())
        return {};
    return m_text.substr(m_symbolLength + 1);
}

std::string CSequenceEntry::GetColumnText(int column) const
{
    switch (column) {
    case 0: return GetOperandText();
    case 1: return std::string(GetSymbol());
    case 2: return std::string(GetComment());
    default: return {};
    }
}

int CSequenceEntry::Compare(const CDataEntry* other) const
{
    if (!other || other->GetType() != type_code::kSequenceEntry)
        return 0;
    const auto& that = static_cast<const CSequenceEntry&>(*other);
    if (m_kind != that.m_kind)
        return m_kind < that.m_kind ? -1 : 1;
    if (m_byte != that.m_byte)
        return m_byte < that.m_byte ? -1 : 1;
    if (m_bit != that.m_bit)
        return m_bit < that.m_bit ? -1 : 1;
    return 0;
}
