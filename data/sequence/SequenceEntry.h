#pragma once

#include "data/model/DataEntry.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

class CSequenceFile;

// Operand kinds; the display letter of kind k is string 1032 + k.
enum OperandKind : int {
    kKindNone = 0, // "F", never produced by the reader
    kKindInput = 1,
    kKindOutput = 2,
    kKindMarker = 3,
    kKindTimer = 4,
    kKindCounter = 5,
};

// Inputs, outputs and markers are addressed by byte and bit.
inline bool IsBitKind(int kind)
{
    return kind >= kKindInput && kind <= kKindMarker;
}

// The letter of a kind from the string table ("E", "A", ...).
std::string KindLetter(int kind);
// E012.03 for bit kinds, T005 for the others.
std::string FormatOperand(int kind, unsigned byteNumber, unsigned bitNumber);

// One operand line of a sequence file.
class CSequenceEntry : public CDataEntry {
public:
    // Parses `line`; the valid flag tells whether it was an operand line.
    // The texts are kept by the parent file, which must not be null.
    CSequenceEntry(CSequenceFile* parent, std::string_view line);

    int GetType() const override { return type_code::kSequenceEntry; }
    // 0 operand text, 1 symbol, 2 comment.
    std::string GetColumnText(int column) const override;
    // By kind, byte number, bit number; 0 for entries of another type.
    int Compare(const CDataEntry* other) const override;

    int GetKind() const { return m_kind; }
    std::uint8_t GetByte() const { return m_byte; }
    std::uint8_t GetBit() const { return m_bit; }
    std::string_view GetSymbol() const;
    std::string_view GetComment() const;
    std::string GetOperandText() const { return FormatOperand(m_kind, m_byte, m_bit); }

    // Kind of a letter of the operand layout (E I A O F M T C Z), 0 if none.
    static int KindOfLetter(char letter);
    // Entries come from a pool of their own (see CFixedPool).
    static void* operator new(std::size_t size);
    static void operator delete(void* entry, std::size_t size);

    // A number that orders entries as Compare does, and names an operand:
    // entries of the same operand have the same key.
    std::uint32_t SortKey() const { return KeyOf(m_kind, m_byte, m_bit); }
    // The key of an operand (a timer or counter has bit 0).
    static std::uint32_t KeyOf(int kind, unsigned byteNumber, unsigned bitNumber)
    {
        return (static_cast<std::uint32_t>(kind) << 16) | (byteNumber << 8) | bitNumber;
    }

private:
    bool ParseLine(std::string_view line);

    // A file may hold a million operands: symbol and comment are one text,
    // the rest of the line after the address ("symbol" or "symbol TAB
    // comment"), kept in the parent file's text store and split where the
    // symbol ends.
    int m_kind = kKindNone;
    std::uint8_t m_byte = 0;
    std::uint8_t m_bit = 0;
    std::uint32_t m_symbolLength = 0;
    std::string_view m_text;
};
