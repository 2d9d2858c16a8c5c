#pragma once

#include "data/model/DataList.h"
#include "data/records/MemFile.h"
#include "data/records/RecordStream.h"
#include "data/text/StringTable.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class CStepChainGroup;
class CStepChainText;

// One step-chain list of a group: the texts for operands of one kind, kept
// in key order (byte and bit, or number) by Sort.
//
// Its record in the group file holds the identifier, its own size, the
// designation padded to 32 characters, the kind and the texts in blocks:
// for inputs, outputs and markers one block per run of texts with the same
// byte number (at most 255 texts, the run length is one byte), for the
// other kinds one block per text.
class CStepChainList : public CDataList {
public:
    // Identifier 3, size 2, designation length byte 1, kind 1, block count 2.
    static constexpr std::size_t kFixedRecordSize = 9;
    // The record of a list without texts whose designation has at most 32
    // characters (it is padded to them).
    static constexpr std::size_t kEmptyRecordSize = kFixedRecordSize + record::kDesignationLength;
    // Byte number and text count that open each block of a bit-kind list.
    static constexpr std::size_t kBlockHeaderSize = 2;
    // The text count of a block is one byte.
    static constexpr std::size_t kMaxBlockTexts = 255;

    explicit CStepChainList(CStepChainGroup* group);

    // Beside the block of texts, their list's kind goes to the clipboard
    // under this format: texts fit only into a list of the same kind.
    static constexpr const char* kKindFormat = "MORAWIN_SCTKIND";

    int GetType() const override { return type_code::kStepChainList; }
    bool IsCommandEnabled(int command, int selectedCount, int reserved) const override;
    // 0 designation, 1 kind letter and identifier (E001), 2 the group's
    // extension, 3 size, 4 the group's date text.
    std::string GetColumnText(int column) const override;
    // Clipboard record: size word, 2 unused bytes, kind (32 bits), the
    // 3-character identifier, the designation and a zero byte.
    bool WriteRecord(std::span<std::uint8_t> buffer) const override;
    bool ReadRecord(std::span<const std::uint8_t> record) override;
    std::size_t GetRecordSize() const override { return GetName().size() + 12; }

    // Numbers the text count + 1, then appends it.
    void Add(std::unique_ptr<CDataEntry> text) override;
    void Remove(CDataEntry* text) override;
    // Recomputes the size, restores the order, marks the group modified.
    void OnEntryChanged(CDataEntry* text) override;
    // A list has nothing of its own to load; its texts come with the group.
    bool Load() override { return IsLoaded(); }
    // Texts go only with their list.
    void RemoveAll() override {}
    // By key, then renumbered 1, 2, 3, ... in list order.
    void Sort() override;
    int GetColumnCount() const override { return 5; }
    int GetColumnWidth(int column) const override { return WidthOf({10, 10, 10, 10, 50}, column); }
    // 1 and 2 the group's, 3 kind letter and identifier, 4 designation.
    std::string GetContextText(int selector) const override;
    std::string GetClipboardFormatName() const override { return "RZ731_SCTTEXT"; }
    // A text from its clipboard record, added. When the list holds a text
    // for that operand already, the duplicate question decides; without
    // one, the pasted text is refused (and reported with the operand's
    // name).
    CDataEntry* CreateFromRecord(int index, std::span<const std::uint8_t> record) override;
    bool StopsPaste() const override { return m_pasteCancelled || IsFull(); }

    // What becomes of a pasted text for an operand the list holds already.
    enum class Duplicate { replace, keep, cancel };
    // Asked with the stored text, once per such text of a paste.
    using DuplicateQuestion = std::function<Duplicate(const CStepChainText& stored)>;
    void SetDuplicateQuestion(DuplicateQuestion question) { m_duplicateQuestion = std::move(question); }
    // Whether the last paste ended with the answer cancel. The texts it
    // placed before stay in the list: the caller reads the group again.
    bool PasteCancelled() const { return m_pasteCancelled; }
    std::unique_ptr<CDataEntry> NewClipboardEntry() override;
    // Takes a pasted text out again when the group file would grow too
    // large.
    bool KeepPasted(CDataEntry* text) override;
    // The texts' block and this list's kind.
    bool CopyToClipboard(std::span<const int> rows) const override;
    // Refuses texts copied from a list of another kind (string 1065).
    CDataEntry* PasteFromClipboard(int firstSelected) override;
    std::string GetColumnHeaders() const override { return CStringTable::Get(ids::kDummy); }

    // Identifier, kind and designation of a new list, or a new designation;
    // the group is told.
    void SetProperties(std::string identifier, int kind, std::string designation);

    const std::string& GetListId() const { return m_id; }
    int GetKind() const { return m_kind; }
    // The letter of the kind, "?" for a kind byte that names no kind.
    std::string GetKindLetter() const;
    // Kind letter and identifier, as lists are named to the user (E001).
    std::string GetKindAndId() const { return GetKindLetter() + m_id; }
    bool IsBitList() const;
    // The size field: the record's size when last computed.
    int GetListSize() const { return static_cast<int>(m_size); }
    bool IsCreated() const { return m_created; }
    void SetCreated(bool created) { m_created = created; }
    CStepChainText* GetText(int index) const;

    // The first text with this key (bit kinds: byte and bit; others: the
    // number alone), or null.
    CStepChainText* FindText(std::uint8_t operand, std::uint8_t bit) const;
    // Whether a text other than `text` has this key.
    bool HasDuplicate(const CStepChainText* text, std::uint8_t operand, std::uint8_t bit) const;
    // The exact size of the list's record in the group file.
    std::size_t ComputeSize() const;

    // The list record of the group file. Reading fills an empty list and
    // throws CFileException for a record that runs past its size field or
    // ends early; writing throws the record encodings' format errors.
    void ReadFileRecord(CMemFile& file);
    void WriteFileRecord(CMemFile& file) const;

private:
    bool Matches(const CStepChainText& text, std::uint8_t operand, std::uint8_t bit) const;
    // The texts in the order the file gets them: key order, equal keys in
    // list order.
    std::vector<const CStepChainText*> FileOrder() const;
    // Calls block(first, count) for each block of `texts` in file order.
    template <class Block>
    void ForEachBlock(const std::vector<const CStepChainText*>& texts, Block block) const;
    void NotifyGroup();

    std::string m_id;
    std::size_t m_size = 0;
    std::uint8_t m_kind = 0;
    bool m_created = false;
    bool m_pasteCancelled = false;
    DuplicateQuestion m_duplicateQuestion;
};
