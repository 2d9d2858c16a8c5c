#pragma once

#include "data/model/DataFile.h"
#include "data/model/DataList.h"
#include "data/text/StringTable.h"

#include <string>

// The files of the panel project folder whose names match a pattern (for
// example "G*" and the project extension), one file-backed list each.
class CDataFolder : public CDataList {
public:
    CDataFolder(CDataEntry* parent, std::string name, std::string pattern);
    // The name is string `nameId` of the string table.
    CDataFolder(CDataEntry* parent, unsigned nameId, std::string pattern);

    // 0 name, 1 pattern, 3 the project's date text, 4 total size.
    std::string GetColumnText(int column) const override;
    // Files are deleted and renamed, never copied or pasted.
    bool IsCommandEnabled(int command, int selectedCount, int reserved) const override;
    // Appends and counts the entry's size in the total.
    void Add(std::unique_ptr<CDataEntry> entry) override;
    // Deletes the entry's file, then the entry. A file that cannot be
    // deleted, or that changed since the entry read it (see
    // CDataFile::DeleteFile), stays on disk; the entry goes all the same.
    void Remove(CDataEntry* entry) override;
    // Recomputes the total, restores the order, tells the parent.
    void OnEntryChanged(CDataEntry* entry) override;
    // Collects the matching files of exactly 8 characters, found whatever
    // their case and shown upper-cased. A missing folder gives an empty list.
    bool Load() override;
    void Sort() override { SortEntries(); }
    int GetColumnCount() const override { return 5; }
    int GetColumnWidth(int column) const override { return WidthOf({30, 7, 4, 18, 7}, column); }
    std::string GetColumnHeaders() const override { return CStringTable::Get(ids::kDummy); }

    // Creates and adds the entry for one found file (`fileName` upper-cased,
    // `diskName` as on disk); null when the file is not one of this folder's.
    virtual CDataFile* CreateEntryForFile(const std::string& fileName, const std::string& diskName) = 0;

    // Takes an entry out of the folder and hands it over; its file stays
    // (a group replaced by a new one written over the same file).
    std::unique_ptr<CDataEntry> Release(CDataEntry* entry);

    // The first entry whose identifier (base name) equals `baseName`,
    // ignoring case; null if none.
    CDataFile* FindEntry(const std::string& baseName) const;
    CDataFile* GetFile(int index) const { return static_cast<CDataFile*>(GetAt(index)); }

private:
    void ComputeTotal();

    std::string m_pattern;
    long long m_totalSize = 0;
};
