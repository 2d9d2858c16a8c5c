#pragma once

#include "data/model/DataEntry.h"
#include "data/records/MemFile.h"

#include <cstddef>
#include <cstdint>
#include <string>

class CStepChainList;

// One text of a step-chain list: the text shown on the panel for one
// operand (a bit of an input, output or marker byte, or a timer or counter).
//
// The text is kept in two forms: as shown ("@" and a number for a field
// reference) and as stored in the group file (ESC and a 16-bit number).
// A text read from a file keeps the exact bytes it was read from, so that
// saving it again writes them unchanged even where the shown form cannot
// express them (a literal "@" written by other software, a reference
// followed by a digit).
class CStepChainText : public CDataEntry {
public:
    CStepChainText(CStepChainList* list, std::uint8_t operand, std::uint8_t bit, std::uint8_t attribute1,
                   std::uint8_t attribute2, std::string text);
    // For reading a text of a bit-kind block with this byte number.
    CStepChainText(CStepChainList* list, std::uint8_t byteNumber);
    // For reading any other text.
    explicit CStepChainText(CStepChainList* list);

    int GetType() const override { return type_code::kStepChainText; }
    // 0 number, 1 operand name, 2 and 3 the attributes, 4 the text.
    std::string GetColumnText(int column) const override;
    // By operand number, then bit number; 0 for entries of other types.
    int Compare(const CDataEntry* other) const override;

    // Clipboard record: size word, 2 unused bytes, number (32 bits),
    // operand, bit, both attributes, the shown text and a zero byte.
    bool WriteRecord(std::span<std::uint8_t> buffer) const override;
    bool ReadRecord(std::span<const std::uint8_t> record) override;
    std::size_t GetRecordSize() const override { return GetText().size() + 16; }

    int GetNumber() const { return m_number; }
    void SetNumber(int number) { m_number = number; }
    std::uint8_t GetOperand() const { return m_operand; }
    std::uint8_t GetBit() const { return m_bit; }
    std::uint8_t GetAttribute1() const { return m_attribute1; }
    std::uint8_t GetAttribute2() const { return m_attribute2; }
    // The shown form; read from a file, each reference has at least 3 digits.
    const std::string& GetText() const { return m_shownDiffers ? m_text : m_stored; }
    void SetText(std::string text);
    // E012.03 for bit kinds, T005 for the others.
    std::string GetOperandName() const;

    // Bytes of the text in the group file, without its terminator.
    std::size_t GetStoredLength() const { return m_stored.size(); }
    const std::string& GetStoredText() const { return m_stored; }
    // Takes the bytes the group file is to hold: ESC and a 16-bit number
    // for a field reference, no other zero byte.
    void SetStoredText(std::string stored);
    // A key that orders texts as Compare does.
    std::uint32_t SortKey() const { return (static_cast<std::uint32_t>(m_operand) << 8) | m_bit; }

    // The text record of the group file: number byte (the bit for bit kinds,
    // else the operand), attribute byte, stored text, zero byte.
    static constexpr std::size_t kRecordOverhead = 3; // the record's bytes besides the stored text
    void ReadFileRecord(CMemFile& file, bool bitKind);
    void WriteFileRecord(CMemFile& file, bool bitKind) const;

private:
    const CStepChainList* GetList() const;

    int m_number = 1;
    std::uint8_t m_operand;
    std::uint8_t m_bit;
    std::uint8_t m_attribute1;
    std::uint8_t m_attribute2;
    // Most texts hold no reference and no control byte: their shown form is
    // their stored form and is not kept twice (a group holds thousands).
    std::string m_text;
    std::string m_stored;
    bool m_shownDiffers = false;
};
