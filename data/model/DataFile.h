#pragma once

#include "data/model/DataList.h"
#include "data/records/FileException.h"
#include "data/records/FileStamp.h"

#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

// A list whose contents live in one file.
class CDataFile : public CDataList {
public:
    // `fileName` is Windows-1252 text, as every text of the model: the bare
    // file name for project files, the full path as text for a sequence file
    // (which keeps the path itself, GetFilePath). The entry name starts empty.
    CDataFile(CDataEntry* parent, std::string fileName);

    std::string GetColumnText(int column) const override;
    // 1 identifier, 2 file name.
    std::string GetContextText(int selector) const override;

    const std::string& GetFileName() const { return m_fileName; }
    // The file name up to the first point (the whole name if it has none or
    // starts with one).
    std::string GetBaseName() const;
    // The text after the first point; empty if there is none or the name
    // starts with one.
    std::string GetExtension() const;
    const std::string& GetDateText() const { return m_dateText; }
    int GetSize() const { return m_size; }

    // Where the file lives on disk. The base takes the file name as the path
    // (see platform::PathFromCp1252); project files override it with the
    // project folder and the name the file really has there, a sequence file
    // with the path it was opened with.
    virtual std::filesystem::path GetFilePath() const;

    // Saves the list under a new identifier (upper-cased; the extension
    // stays) with `newName` as its name, then deletes the file under the old
    // identifier. An unloaded list is loaded first and emptied again after.
    // When the save fails the old file name is kept, except for an old
    // identifier of at most two characters (a list that had no file yet).
    // A list that cannot be loaded is left as it is. Returns whether the
    // save succeeded.
    //
    // Another program's work is never replaced: the new name must be free
    // (in any letter case), and the old file must still hold what this list
    // last read or wrote; otherwise nothing changes on disk and
    // GetLastError says changedOnDisk.
    bool Rename(const std::string& newIdentifier, const std::string& newName);

    // Deletes the file, unless it no longer holds what this list last read
    // or wrote (GetLastError then says changedOnDisk and the file stays)
    // or the project's journal refuses (journalRefused). True when the
    // file is gone.
    bool DeleteFile();

    // What the file held when this list last read or wrote it, or, for a
    // list still to be created, that there was no such file; nothing when
    // it is not known. A save or delete goes ahead only while the file
    // still holds that.
    const std::optional<CFileStamp>& GetDiskStamp() const { return m_diskStamp; }
    // A list that takes over another's file (a group written over a group
    // it replaces) takes over what that file held.
    void SetDiskStamp(std::optional<CFileStamp> stamp)
    {
        m_diskStamp = std::move(stamp);
        m_diskImage.reset();
    }
    // The file as this list last read it, while the stamp is that of
    // those bytes; null otherwise. Kept so that the journal need not read
    // a file again before it is written.
    const std::vector<std::uint8_t>* GetDiskImage() const { return m_diskImage ? &*m_diskImage : nullptr; }
    void SetDiskContent(const std::vector<std::uint8_t>& bytes)
    {
        m_diskStamp = CFileStamp::OfBytes(bytes);
        m_diskImage = bytes;
    }

    // Why the last Load, Save, Rename or DeleteFile failed; empty after a
    // success.
    const std::optional<CFileException>& GetLastError() const { return m_lastError; }
    bool ChangedOnDisk() const
    {
        return m_lastError && m_lastError->GetCause() == CFileException::Cause::changedOnDisk;
    }

protected:
    void SetFileName(std::string fileName) { m_fileName = std::move(fileName); }
    void SetDateText(std::string dateText) { m_dateText = std::move(dateText); }
    void SetSize(int size) { m_size = size; }
    void SetFileFlag(int flag) { m_fileFlag = flag; }
    int GetFileFlag() const { return m_fileFlag; }
    void SetLastError(std::optional<CFileException> error) { m_lastError = std::move(error); }
    // Before and after a change of files of the project this list belongs
    // to, for the project's journal if it has one. AnnounceChange throws
    // CFileException (journalRefused) when the change must not happen.
    void AnnounceChange(std::initializer_list<std::filesystem::path> paths) const;
    void ReportChange(const std::filesystem::path& path, const std::vector<std::uint8_t>* bytes) const;

private:
    // Whether the file at `path` still holds what `stamp` says (no stamp:
    // nothing to compare, so yes); if not, the last error says so.
    bool StillOnDisk(const std::filesystem::path& path, const std::optional<CFileStamp>& stamp);
    // AnnounceChange; false (and the last error says why) when refused.
    bool Announced(std::initializer_list<std::filesystem::path> paths);

    std::string m_fileName;
    std::string m_dateText;
    int m_size = 0;
    int m_fileFlag = 0;
    std::optional<CFileStamp> m_diskStamp;
    std::optional<std::vector<std::uint8_t>> m_diskImage;
    std::optional<CFileException> m_lastError;
};
