#pragma once

#include "data/model/DataFile.h"
#include "data/records/FileJournal.h"
#include "data/records/FileException.h"
#include "data/records/MemFile.h"
#include "data/records/RecordStream.h"
#include "data/text/StringTable.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

class CGroupFolder;
class CStepChainList;

// One step-chain group file G<id>.<ext> of a panel project: a header
// (kind 12, the file's size, the project name, the group identifier, the
// designation) and up to 255 step-chain lists.
//
// A group found in the folder first reads only its header; Load reads the
// lists, Save writes the whole file at once and atomically. The file format
// records at most 255 lists and at most 65535 bytes: Save refuses a group
// beyond either limit and leaves the file as it was.
class CStepChainGroup : public CDataFile {
public:
    static constexpr std::size_t kMaxLists = 255;
    static constexpr std::size_t kMaxFileSize = 65535;
    // Kind 1, size 2, project name length byte 1, identifier 3, designation
    // length byte 1, list count 1; the project name and the designation come
    // on top.
    static constexpr std::size_t kFixedHeaderSize = 9;
    // The header of a group whose designation has at most 32 characters
    // (it is padded to them), for a project name of that length.
    static constexpr std::size_t HeaderSize(std::size_t projectNameLength)
    {
        return kFixedHeaderSize + projectNameLength + record::kDesignationLength;
    }

    // A new group: file name "G." and the project extension, nothing to
    // read. Rename gives it its identifier and first file.
    explicit CStepChainGroup(CGroupFolder* folder);
    // A group file found in the folder: `fileName` is its upper-case name,
    // `diskName` the name it has on disk (both Windows-1252 text, see
    // platform::PathFromCp1252; empty: looked up). Reads the header
    // only; the valid flag tells whether the file is a group.
    CStepChainGroup(CGroupFolder* folder, std::string fileName, std::string diskName = {});

    int GetType() const override { return type_code::kStepChainGroup; }
    bool IsCommandEnabled(int command, int selectedCount, int reserved) const override;
    // By base name, ignoring case; 0 for entries of other types.
    int Compare(const CDataEntry* other) const override;
    void Add(std::unique_ptr<CDataEntry> list) override;
    void Remove(CDataEntry* list) override;
    // Marks the group modified, then the base behaviour.
    void OnEntryChanged(CDataEntry* list) override;
    // Reads the whole file and remembers what it held. On failure the group
    // is empty and not loaded.
    bool Load() override;
    // Writes the whole file, but only while the file still holds what the
    // group last read or wrote (a new group: while no file of its name
    // exists in any letter case). On failure the file and the group stay as
    // they were; GetLastError tells why (changedOnDisk: another program
    // changed the file meanwhile; read the group again; journalRefused:
    // the project's history could not keep what the file held).
    bool Save() override;
    // Lists keep the order in which they were read or added.
    void Sort() override {}
    int GetColumnCount() const override { return 5; }
    int GetColumnWidth(int column) const override { return WidthOf({30, 7, 4, 7, 18}, column); }
    std::string GetClipboardFormatName() const override { return "RZ731_SCTLISTE"; }
    // A list from its clipboard record, appended. Refused (and reported)
    // when the group holds kMaxLists lists. A list whose identifier the
    // group holds already goes to the list-identifier question; without
    // one it is refused and reported.
    CDataEntry* CreateFromRecord(int index, std::span<const std::uint8_t> record) override;
    CDataEntry* PasteFromClipboard(int firstSelected) override;
    bool StopsPaste() const override { return m_pasteCancelled || IsFull(); }

    // Asked when a pasted list's identifier `taken` is in the group already;
    // `proposed` is the group's next free identifier. True pastes the list
    // under it, false ends the paste (PasteCancelled).
    using ListIdQuestion = std::function<bool(const std::string& taken, const std::string& proposed)>;
    void SetListIdQuestion(ListIdQuestion question) { m_listIdQuestion = std::move(question); }
    bool PasteCancelled() const { return m_pasteCancelled; }
    // The lowest of "001" to "999" that no list of the group has; empty when
    // all are taken.
    std::string NextFreeListId() const;
    std::unique_ptr<CDataEntry> NewClipboardEntry() override;
    bool IsFull() const override { return static_cast<std::size_t>(GetCount()) >= kMaxLists; }
    // Takes a pasted list out again when the file would pass kMaxFileSize.
    bool KeepPasted(CDataEntry* list) override;
    std::string GetColumnHeaders() const override { return CStringTable::Get(ids::kDummy); }
    // The project folder and the name the file has on disk, which may differ
    // in case from GetFileName(): the panel's file system ignores case, so a
    // group found as gs01.731 is written back to gs01.731.
    std::filesystem::path GetFilePath() const override;

    // Characters 2 to 4 of the file name.
    std::string GetGroupId() const;
    // The exact size of the file Save would write (not limited to 16 bits).
    std::size_t ComputeSize() const;
    // Reports string 1064 when the file would pass kMaxFileSize; true then.
    bool ReportIfTooLarge() const;
    // The first list with this identifier, ignoring case; null if none.
    CStepChainList* FindList(const std::string& id) const;
    CStepChainList* GetList(int index) const;
    // Why the last Load failed, one German sentence (Windows-1252) for the
    // user; empty when it did not fail.
    std::string LoadProblemText() const;
    // The length of the group's file, if it can be found out.
    std::optional<std::uintmax_t> SizeOnDisk() const;
    // Whether the header's size differs from the file's length: the file was
    // cut short or grew after its last save, and may still read as a group.
    // A group changed in memory has its computed size and is not checked.
    bool DisagreesWithDisk() const;
    bool IsCreated() const { return m_created; }
    void SetCreated(bool created) { m_created = created; }

    // The file image. ReadImage fills an empty group and throws
    // CFileException for anything that is not a group file of this group;
    // WriteImage checks the format limits before it writes anything.
    void ReadImage(CMemFile& file);
    void WriteImage(CMemFile& file) const;

    // The message (string-table ID) that refuses `id` as a group
    // identifier, 0 when it is one: exactly three characters, none that
    // would spoil the file name.
    static unsigned CheckGroupId(const std::string& id);

    // Tells `journal` that the files of `groups` are about to be written,
    // with the bytes each group holds of its file, so that they need not
    // be read again. Throws as IFileJournal::WillChange does.
    static void AnnounceSaves(IFileJournal& journal, const std::vector<CStepChainGroup*>& groups);

    // Whether `header` (the first bytes of a file) is the header of the
    // group `groupId`; fills designation and size field if so.
    static bool ReadHeader(std::span<const std::uint8_t> header, const std::string& groupId,
                           std::string& designation, std::uint16_t& sizeField);

private:
    std::string GetProjectName() const;
    std::filesystem::path GetProjectFolder() const;
    void ReadHeaderFromDisk();
    void TakeFileStatus(const std::filesystem::path& path);

    bool m_created = false;
    bool m_pasteCancelled = false;
    ListIdQuestion m_listIdQuestion;
    mutable std::string m_diskName;
};
