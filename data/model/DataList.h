#pragma once

#include "data/model/DataEntry.h"

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <span>
#include <string>
#include <utility>
#include <vector>

// The editing commands whose state the views of this program ask, by their
// codes in the lists' command tables: copy and delete need selected rows,
// rename exactly one, paste a block of the list's format on the clipboard.
enum class ListCommand : int {
    remove = 4,
    rename = 5,
    copy = 30,
    paste = 31,
};

// The code of `command` in the command tables of IsCommandEnabled.
constexpr int CommandCode(ListCommand command)
{
    return static_cast<int>(command);
}

// A data entry that owns an ordered set of entries. Lists nest: a list is an
// entry of its parent list.
class IFileJournal;

class CDataList : public CDataEntry {
public:
    CDataList(CDataEntry* parent, std::string name) : CDataEntry(parent), m_name(std::move(name)) {}
    // The name is string `nameId` of the string table.
    CDataList(CDataEntry* parent, unsigned nameId);
    ~CDataList() override = default;

    const std::string& GetName() const override { return m_name; }
    void SetName(std::string name) { m_name = std::move(name); }

    // Command-state query of editing commands on a list shown in a view,
    // by command code (0 to 35); `reserved` is always 0.
    virtual bool IsCommandEnabled(int command, int selectedCount, int reserved) const;
    // The same query for a command the views ask.
    bool IsEnabled(ListCommand command, int selectedCount) const
    {
        return IsCommandEnabled(CommandCode(command), selectedCount, 0);
    }
    // Appends; the list takes ownership.
    virtual void Add(std::unique_ptr<CDataEntry> entry);
    // Removes the entry from the list and destroys it. Null is ignored.
    virtual void Remove(CDataEntry* entry);
    // Inserts at index + 1; an index below 0 or at/after the last position
    // appends.
    virtual void InsertAfter(std::unique_ptr<CDataEntry> entry, int index);
    // Restores the sort order after `entry` changed (null: sort).
    virtual void OnEntryChanged(CDataEntry* entry);
    virtual bool Load() = 0;
    virtual bool Save();
    // Destroys every entry; clears the loaded and modified flags.
    virtual void RemoveAll();
    virtual void Sort();
    virtual int GetColumnCount() const = 0;
    // In average character widths.
    virtual int GetColumnWidth(int column) const = 0;
    // Selector 0: the name of the panel project the list belongs to.
    virtual std::string GetContextText(int selector) const;
    // 2 plus the record sizes of all entries.
    virtual std::size_t GetClipboardSize() const;
    virtual std::string GetClipboardFormatName() const;
    // Every non-empty list below and including this one, depth first.
    virtual void CollectLists(std::vector<CDataList*>& lists);
    // Creates an entry from a clipboard record and places it; null refuses
    // (the list reports why). `index` is the row after which the entry is
    // wanted, -1 for the end; a list with an order of its own may append.
    virtual CDataEntry* CreateFromRecord(int index, std::span<const std::uint8_t> record);
    // An empty entry of the kind this list takes from the clipboard, not
    // placed anywhere: the paste reads every record into one before it
    // changes anything. Null: the list takes nothing.
    virtual std::unique_ptr<CDataEntry> NewClipboardEntry();
    // Whether the list can take no more entries; a paste ends after a
    // refusal when it is.
    virtual bool IsFull() const { return false; }
    // Whether a paste ends after a refusal: when the list is full, or when
    // the user stopped it.
    virtual bool StopsPaste() const { return IsFull(); }
    // Called once a pasted entry has its own entries. A list that went past
    // its limits with it removes it again, reports why and returns false,
    // which ends the paste.
    virtual bool KeepPasted(CDataEntry*) { return true; }
    // Copies the entries at `rows` to the installed clipboard under this
    // list's format. False when nothing was copied.
    virtual bool CopyToClipboard(std::span<const int> rows) const;
    // Pastes the clipboard's block of this list's format after row
    // `firstSelected` (-1: nothing selected). The last entry created, or
    // null.
    virtual CDataEntry* PasteFromClipboard(int firstSelected);
    // The column titles, separated by newline characters.
    virtual std::string GetColumnHeaders() const = 0;
    // The journal that the lists below this one tell of every change of
    // their files (see IFileJournal); the project's, null when none.
    virtual IFileJournal* GetFileJournal() const { return nullptr; }

    // Appends and hands back the entry with its own type.
    template <class T>
    T* AddNew(std::unique_ptr<T> entry)
    {
        T* raw = entry.get();
        Add(std::move(entry));
        return raw;
    }

    // Whether the installed clipboard holds a block of this list's format.
    bool CanPaste() const;
    int IndexOf(const CDataEntry* entry) const;
    std::string GetColumnHeader(int column) const;
    int GetCount() const { return static_cast<int>(m_entries.size()); }
    bool IsEmpty() const { return m_entries.empty(); }
    CDataEntry* GetAt(int index) const { return m_entries[static_cast<std::size_t>(index)].get(); }
    bool IsLoaded() const { return m_loaded; }

protected:
    void SetLoaded(bool loaded) { m_loaded = loaded; }
    // Stable sort by Compare: entries that compare equal keep their order.
    void SortEntries();
    // The same order for lists whose Compare orders by a number that each
    // entry can give at once (key(entry), a 32-bit unsigned value): keys are
    // computed once per entry and sorted without touching the entries, which
    // keeps a list of a million operands fast.
    template <class KeyFunction>
    void SortEntriesByKey(KeyFunction key);
    // The width of `column` by a list's table of widths; 1 past its end.
    static int WidthOf(std::initializer_list<int> widths, int column);
    // Takes an entry out of the list without destroying it.
    std::unique_ptr<CDataEntry> Detach(CDataEntry* entry);

private:
    std::string m_name;
    std::vector<std::unique_ptr<CDataEntry>> m_entries;
    bool m_loaded = false;
};

template <class KeyFunction>
void CDataList::SortEntriesByKey(KeyFunction key)
{
    const std::size_t count = m_entries.size();
    if (count < 2)
        return;
    std::vector<std::uint32_t> keys(count);
    std::uint32_t maxKey = 0;
    for (std::size_t i = 0; i < count; ++i) {
        keys[i] = key(*m_entries[i]);
        maxKey = std::max(maxKey, keys[i]);
    }
    std::vector<std::size_t> order(count);
    if (maxKey <= 8 * count + 1024) {
        // A counting sort: linear, and stable by construction.
        std::vector<std::size_t> start(std::size_t(maxKey) + 2, 0);
        for (std::uint32_t k : keys)
            ++start[k + 1];
        for (std::size_t k = 1; k < start.size(); ++k)
            start[k] += start[k - 1];
        for (std::size_t i = 0; i < count; ++i)
            order[start[keys[i]]++] = i;
    } else {
        for (std::size_t i = 0; i < count; ++i)
            order[i] = i;
        std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return keys[a] < keys[b]; });
    }
    std::vector<std::unique_ptr<CDataEntry>> sorted;
    sorted.reserve(count);
    for (std::size_t i : order)
        sorted.push_back(std::move(m_entries[i]));
    m_entries = std::move(sorted);
}