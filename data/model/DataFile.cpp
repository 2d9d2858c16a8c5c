#include "data/model/DataFile.h"

#include "data/platform/Platform.h"
#include "data/records/FileGuard.h"
#include "data/records/FileJournal.h"

CDataFile::CDataFile(CDataEntry* parent, std::string fileName)
    : CDataList(parent, std::string()), m_fileName(std::move(fileName))
{
}

std::string CDataFile::GetColumnText(int column) const
{
    switch (column) {
    case 0: return GetName();
    case 1: return GetBaseName();
    case 2: return GetExtension();
    case 3: return m_dateText;
    case 4: return IntToText(m_size);
    default: return {};
    }
}

std::string CDataFile::GetContextText(int selector) const
{
    switch (selector) {
    case 1: return GetBaseName();
    case 2: return m_fileName;
    default: return {};
    }
}

std::filesystem::path CDataFile::GetFilePath() const
{
    return platform::PathFromCp1252(m_fileName);
}

std::string CDataFile::GetBaseName() const
{
    const auto point = m_fileName.find('.');
    if (point == std::string::npos || point == 0)
        return m_fileName;
    return m_fileName.substr(0, point);
}

std::string CDataFile::GetExtension() const
{
    const auto point = m_fileName.find('.');
    if (point == std::string::npos || point == 0)
        return {};
    return m_fileName.substr(point + 1);
}

namespace {

std::string UpperAscii(std::string text)
{
    for (char& c : text)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return text;
}

} // namespace

bool CDataFile::StillOnDisk(const std::filesystem::path& path, const std::optional<CFileStamp>& stamp)
{
    if (!stamp || CFileGuard(path).Current(*stamp) == *stamp)
        return true;
    m_lastError = CFileException(CFileException::Cause::changedOnDisk, path);
    return false;
}

void CDataFile::AnnounceChange(std::initializer_list<std::filesystem::path> paths) const
{
    const CDataList* project = GetProject();
    if (IFileJournal* journal = project ? project->GetFileJournal() : nullptr)
        journal->WillChange(std::span(paths.begin(), paths.size()), {});
}

void CDataFile::ReportChange(const std::filesystem::path& path, const std::vector<std::uint8_t>* bytes) const
{
    const CDataList* project = GetProject();
    if (IFileJournal* journal = project ? project->GetFileJournal() : nullptr)
        journal->Changed(path, bytes);
}

bool CDataFile::Announced(std::initializer_list<std::filesystem::path> paths)
{
    try {
        AnnounceChange(paths);
        return true;
    } catch (const CFileException& e) {
        m_lastError = e;
        return false;
    }
}

bool CDataFile::DeleteFile()
{
    m_lastError.reset();
    const std::filesystem::path path = GetFilePath();
    if (!Announced({path}))
        return false;
    // The check and the delete go through one guard, as close together as
    // the system allows.
    CFileGuard guard(path);
    if (m_diskStamp && guard.Current(*m_diskStamp) != *m_diskStamp) {
        m_lastError = CFileException(CFileException::Cause::changedOnDisk, path);
        return false;
    }
    if (const int err = guard.Remove()) {
        m_lastError = CFileException(CFileException::Cause::generic, path, err);
        return false;
    }
    SetDiskStamp(CFileStamp::Absent());
    ReportChange(path, nullptr);
    return true;
}

bool CDataFile::Rename(const std::string& newIdentifier, const std::string& newName)
{
    const std::string identifier = UpperAscii(newIdentifier);
    const std::string oldIdentifier = GetBaseName();
    const bool wasLoaded = IsLoaded();
    // Saving what a failed load left (nothing) under the new name would
    // delete the old file's contents with it.
    if (!wasLoaded && !Load())
        return false;
    SetName(newName);
    SetModified(true);

    bool saved;
    if (identifier == oldIdentifier) {
        saved = Save();
    } else {
        const std::string oldFileName = m_fileName;
        const std::filesystem::path oldPath = GetFilePath();
        const std::optional<CFileStamp> oldStamp = m_diskStamp;
        const bool hadFile = oldIdentifier.size() > 2;
        m_fileName = identifier + "." + GetExtension();
        // Names that differ only in case may resolve to the same file on
        // disk: that file is then simply saved again. Any other name must
        // be free. (A list without a file of its own keeps the stamp it
        // was given: absent, or that of a file it replaces.)
        const bool sameFile = hadFile && GetFilePath() == oldPath;
        if (hadFile && !sameFile)
            SetDiskStamp(CFileStamp::Absent());
        // The old file is checked before anything is written, so that a
        // change found there leaves no new file behind; the journal hears
        // of both files before either changes.
        saved = (!hadFile || sameFile || (StillOnDisk(oldPath, oldStamp) && Announced({GetFilePath(), oldPath})))
            && Save();
        if (!hadFile) {
            // The list had no file of its own yet ("G." of a new group):
            // nothing to delete, and the new name stays.
        } else if (saved && !sameFile) {
            // Checked again at the delete: if the old file changed after
            // all, the new file goes again and the rename did not happen.
            CFileGuard old(oldPath);
            if (oldStamp && old.Current(*oldStamp) != *oldStamp) {
                if (StillOnDisk(GetFilePath(), m_diskStamp) && CFileGuard(GetFilePath()).Remove() == 0)
                    ReportChange(GetFilePath(), nullptr);
                m_lastError = CFileException(CFileException::Cause::changedOnDisk, oldPath);
                saved = false;
            } else {
                if (old.Remove() == 0) // a leftover old file is harmless
                    ReportChange(oldPath, nullptr);
            }
        }
        if (!saved && hadFile) {
            m_fileName = oldFileName;
            SetDiskStamp(oldStamp);
        }
    }
    if (!wasLoaded)
        RemoveAll();
    if (auto* parent = dynamic_cast<CDataList*>(GetParent()))
        parent->OnEntryChanged(this);
    return saved;
}
