#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

// Type codes of the data classes (GetType).
namespace type_code {
constexpr int kPanelProject = 0;
constexpr int kGroupFolder = 3;
constexpr int kStepChainGroup = 12;
constexpr int kStepChainList = 17;
constexpr int kStepChainText = 25;
constexpr int kSequenceFile = 52;
constexpr int kSequenceEntry = 53;
} // namespace type_code

class CDataList;

// The element of every data list. A list owns its entries; an entry knows
// the object that owns it (its parent), fixed at construction.
//
// Plain entries are many (a sequence file may hold a million) and have no
// name of their own, so the name lives in CDataList; an entry's name is
// empty.
class CDataEntry {
public:
    explicit CDataEntry(CDataEntry* parent) : m_parent(parent) {}
    virtual ~CDataEntry() = default;

    CDataEntry(const CDataEntry&) = delete;
    CDataEntry& operator=(const CDataEntry&) = delete;

    virtual int GetType() const = 0;
    // Column 0 is the item text of a list view, 1 and up its sub-items.
    virtual std::string GetColumnText(int column) const = 0;
    // Three-way order for sorting; the base treats all entries as equal.
    virtual int Compare(const CDataEntry* other) const;

    // Clipboard record of this entry. `buffer` has room for GetRecordSize()
    // bytes; `record` holds what the clipboard block has for this record.
    virtual bool WriteRecord(std::span<std::uint8_t> buffer) const;
    virtual bool ReadRecord(std::span<const std::uint8_t> record);
    virtual std::size_t GetRecordSize() const;

    CDataEntry* GetParent() const { return m_parent; }
    // The topmost owner if it is a panel project (type 0), else null.
    CDataList* GetProject() const;

    // The display name; lists have one, plain entries an empty one.
    virtual const std::string& GetName() const;

    bool IsValid() const { return m_valid; }
    bool IsModified() const { return m_modified; }
    void SetModified(bool modified) { m_modified = modified; }

    bool IsContainer() const { return IsContainerType(GetType()); }
    // True for the type codes whose entries have entries of their own.
    static bool IsContainerType(int typeCode);

protected:
    void SetValid(bool valid) { m_valid = valid; }

private:
    CDataEntry* m_parent;
    bool m_valid = true;
    bool m_modified = false;
};

inline bool operator<(const CDataEntry& a, const CDataEntry& b) { return a.Compare(&b) < 0; }
inline bool operator<=(const CDataEntry& a, const CDataEntry& b) { return a.Compare(&b) <= 0; }
inline bool operator>(const CDataEntry& a, const CDataEntry& b) { return a.Compare(&b) > 0; }
inline bool operator>=(const CDataEntry& a, const CDataEntry& b) { return a.Compare(&b) >= 0; }

// Decimal text of a number, as the size columns show it.
std::string IntToText(int value);
