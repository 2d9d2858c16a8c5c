#pragma once

#include <bitset>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class CAppSettings;
class COperandFilter;
class CPanelProject;
class CProjectHistory;
class CSequenceEntry;
class CStepChainGroup;
class CStepChainList;
class CStepChainText;

// Compares the operands of a sequence file with the texts a panel project
// holds for them: for every operand the text a conversion with the current
// settings would store, against every text the project keeps for that
// operand, in any list of the operand's kind in any group that can be read.
//
// The rows point into the project; they stay valid until the project's
// groups are emptied or read again. Apply writes the new texts of changed
// rows back, leaving new operands and orphaned texts alone.
class CProjectComparison {
public:
    enum class Status { same, changed, added, orphan };

    struct Row {
        Status status = Status::same;
        int kind = 0;
        std::uint8_t byte = 0;
        std::uint8_t bit = 0;
        CSequenceEntry* operand = nullptr; // null for an orphan
        CStepChainGroup* group = nullptr;        // null for a new operand
        CStepChainList* list = nullptr;
        CStepChainText* text = nullptr;
        // Stored form of the text a conversion would write; empty for an
        // orphan. Points into the comparison.
        std::string_view expected;

        // E012.03, T005.
        std::string OperandName() const;
        // The texts as a user reads them ("@" and at least three digits for
        // a field reference), Windows-1252.
        std::string StoredText() const;
        std::string NewText() const;
    };

    struct Counts {
        std::size_t same = 0;
        std::size_t changed = 0;
        std::size_t added = 0;
        std::size_t orphan = 0;
    };

    // What Apply did.
    struct ApplyResult {
        std::size_t replaced = 0;                // texts replaced and saved
        std::vector<std::string> savedFiles;     // group files written
        std::vector<std::string> failedFiles;    // group files left as they were
    };

    // Bit k set: operands of kind k are compared (1 E ... 5 Z).
    using Kinds = std::bitset<6>;
    static Kinds AllKinds() { return Kinds().set().reset(0); }
    // The kinds an operand filter shows.
    static Kinds KindsShownBy(const COperandFilter& filter);

    explicit CProjectComparison(const CAppSettings& settings);

    // Compares `operands` (the rows of an operand view: only the kinds in
    // `kinds`, any order) with `project`, which is loaded when it is not.
    // Groups that cannot be read are left out and named by
    // GetUnreadableGroups.
    void Compare(const std::vector<CSequenceEntry*>& operands, CPanelProject& project, Kinds kinds = AllKinds());

    // No rows, no counts (before the project they pointed into goes).
    void Clear();

    // In operand order (kind, byte, bit), then group and list identifier
    // ignoring case, then the texts' order in their list.
    const std::vector<Row>& GetRows() const { return m_rows; }
    const Counts& GetCounts() const { return m_counts; }
    // The groups that could not be read, in identifier order.
    const std::vector<CStepChainGroup*>& GetUnreadableGroups() const { return m_unreadable; }
    // Nothing changed and nothing new.
    bool InStep() const { return m_counts.changed == 0 && m_counts.added == 0; }

    // Replaces the stored text of each changed row among `rows` (indices
    // into GetRows) by its new text, in its list, keeping its attributes,
    // and writes each touched group once. A group that cannot be written
    // is reported (string 1041), keeps its file as it was and is read
    // again. The rows are cleared: compare again to see the result.
    // With a history the whole take-over is one operation of it, and no
    // group is written unless the history keeps every one first.
    ApplyResult Apply(std::vector<std::size_t> rows, CProjectHistory* history = nullptr);
    // Apply on every changed row.
    ApplyResult ApplyAll(CProjectHistory* history = nullptr);

    static const char* StatusName(Status status);

private:
    struct Expected {
        CSequenceEntry* operand = nullptr;
        std::string stored;
        bool found = false;
    };

    void CollectExpected(const std::vector<CSequenceEntry*>& operands, Kinds kinds);
    void CompareList(CStepChainGroup& group, CStepChainList& list, Kinds kinds);
    void AddNewOperands();
    void SortRows();
    // Writes each group once; the files written and those left as they were.
    void SaveGroups(const std::vector<CStepChainGroup*>& groups, const std::vector<std::size_t>& replaced,
                    ApplyResult& result, CProjectHistory* history);

    const CAppSettings& m_settings;
    // One per operand, in the order first seen.
    std::vector<Expected> m_expected;
    // Index into m_expected by kind, byte and bit (bit 0 for number kinds),
    // -1 for none.
    std::vector<std::int32_t> m_slots;
    std::vector<Row> m_rows;
    Counts m_counts;
    std::vector<CStepChainGroup*> m_unreadable;
    CPanelProject* m_project = nullptr;
    std::string m_sequenceName; // of the compared operands, Windows-1252
};
