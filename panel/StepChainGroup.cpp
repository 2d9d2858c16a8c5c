#include "panel/StepChainGroup.h"

#include "data/text/TextFormat.h"

#include "data/records/BufferedFile.h"
#include "data/text/ErrorMessage.h"
#include "data/records/FileGuard.h"
#include "data/platform/Platform.h"
#include "data/records/RecordStream.h"
#include "data/text/StringTable.h"
#include "panel/GroupFolder.h"
#include "panel/PanelProject.h"
#include "panel/ProjectFiles.h"
#include "panel/StepChainList.h"

#include <algorithm>
#include <fstream>
#include <sys/stat.h>

namespace {

constexpr std::uint8_t kGroupKind = type_code::kStepChainGroup;
// The longest header: both counted strings at their limit of 80.
constexpr std::size_t kMaxHeaderSize = 1 + 2 + 81 + 3 + 81;

[[noreturn]] void NotThisGroup()
{
    throw CFileException(CFileException::Cause::generic);
}

} // namespace

CStepChainGroup::CStepChainGroup(CGroupFolder* folder)
    : CDataFile(folder, std::string())
{
    const auto* project = dynamic_cast<const CPanelProject*>(GetProject());
    SetFileName("G." + (project ? project->GetProjectExt() : std::string()));
    SetFileFlag(1);
    SetLoaded(true);
    SetDiskStamp(CFileStamp::Absent()); // its file is still to be created
}

CStepChainGroup::CStepChainGroup(CGroupFolder* folder, std::string fileName, std::string diskName)
    : CDataFile(folder, std::move(fileName)), m_diskName(std::move(diskName))
{
    SetFileFlag(1);
    SetValid(false);
    ReadHeaderFromDisk();
}

void CStepChainGroup::ReadHeaderFromDisk()
{
    static_assert(kMaxHeaderSize <= CFileStamp::kHeaderLength);
    const std::filesystem::path path = GetFilePath();
    // Only the header is read here; what it held is remembered, so that
    // deleting a group that was never read whole still notices a change.
    std::vector<std::uint8_t> header;
    const CFileStamp stamp = CFileGuard(path).Current(CFileStamp::OfHeader({}, 0, 0), &header);
    if (stamp.IsAbsent() || header.empty())
        return;
    SetDiskStamp(stamp);
    std::string designation;
    std::uint16_t sizeField = 0;
    if (!ReadHeader(header, GetGroupId(), designation, sizeField))
        return;
    SetSize(sizeField);
    SetName(std::move(designation));
    SetDateText(project_files::LastWriteText(path));
    SetValid(true);
}

bool CStepChainGroup::ReadHeader(std::span<const std::uint8_t> header, const std::string& groupId,
                                 std::string& designation, std::uint16_t& sizeField)
{
    CMemFile file(header);
    try {
        const record::LongHeader read = record::ReadLongHeader(file);
        // The identifier must match the file name exactly, case included.
        if (read.kind != kGroupKind || read.code != groupId)
            return false;
        designation = read.name;
        sizeField = read.value;
        return true;
    } catch (const CFileException&) {
        return false; // not a group file: the folder leaves it out
    }
}

std::filesystem::path CStepChainGroup::GetProjectFolder() const
{
    const auto* project = dynamic_cast<const CPanelProject*>(GetProject());
    return project ? project->GetProjectDir() : std::filesystem::path();
}

std::string CStepChainGroup::GetProjectName() const
{
    const CDataList* project = GetProject();
    return project ? project->GetName() : std::string();
}

std::filesystem::path CStepChainGroup::GetFilePath() const
{
    const std::filesystem::path folder = GetProjectFolder();
    if (!project_files::EqualsIgnoringCase(m_diskName, GetFileName()))
        m_diskName = project_files::FindIgnoringCase(folder, GetFileName()).value_or(GetFileName());
    return folder / platform::PathFromCp1252(m_diskName);
}

void CStepChainGroup::AnnounceSaves(IFileJournal& journal, const std::vector<CStepChainGroup*>& groups)
{
    std::vector<std::filesystem::path> paths;
    std::vector<const std::vector<std::uint8_t>*> held;
    for (const CStepChainGroup* group : groups) {
        paths.push_back(group->GetFilePath());
        held.push_back(group->GetDiskImage());
    }
    journal.WillChange(paths, held);
}

unsigned CStepChainGroup::CheckGroupId(const std::string& id)
{
    if (id.size() != 3)
        return ids::kGroupIdInvalid;
    if (id.find_first_of("/\\:*?\"'.,;") != std::string::npos)
        return ids::kGroupIdBadChars;
    return 0;
}

std::string CStepChainGroup::GetGroupId() const
{
    return GetFileName().substr(std::min<std::size_t>(1, GetFileName().size()), 3);
}

int CStepChainGroup::Compare(const CDataEntry* other) const
{
    if (other->GetType() != type_code::kStepChainGroup)
        return 0;
    return project_files::CompareIgnoringCase(GetBaseName(), static_cast<const CStepChainGroup*>(other)->GetBaseName());
}

void CStepChainGroup::Add(std::unique_ptr<CDataEntry> list)
{
    CDataFile::Add(std::move(list));
    SetModified(true);
}

void CStepChainGroup::Remove(CDataEntry* list)
{
    CDataFile::Remove(list);
    SetModified(true);
}

void CStepChainGroup::OnEntryChanged(CDataEntry* list)
{
    SetModified(true);
    CDataFile::OnEntryChanged(list);
}

bool CStepChainGroup::IsCommandEnabled(int command, int selectedCount, int reserved) const
{
    // The file holds at most kMaxLists lists: one more may neither be
    // created nor pasted.
    const bool room = !IsFull();
    switch (command) {
    case 0: return room;
    case 1:
    case CommandCode(ListCommand::rename): return selectedCount == 1;
    case 2:
    case 3:
    case 13:
    case 19:
    case 21: return true;
    case CommandCode(ListCommand::remove):
    case 18:
    case CommandCode(ListCommand::copy):
    case 32: return selectedCount != 0;
    case CommandCode(ListCommand::paste): return room && CanPaste();
    case 8:
    case 9:
    case 10:
    case 14:
    case 15:
    case 35: return false;
    default: return CDataFile::IsCommandEnabled(command, selectedCount, reserved);
    }
}

CDataEntry* CStepChainGroup::CreateFromRecord(int, std::span<const std::uint8_t> record)
{
    if (IsFull()) {
        CErrorMessage(ids::kClipboardFull, static_cast<int>(kMaxLists)).Report();
        return nullptr;
    }
    auto list = std::make_unique<CStepChainList>(this);
    if (!list->ReadRecord(record))
        return nullptr;
    if (FindList(list->GetListId())) {
        const std::string proposed = NextFreeListId();
        if (!m_listIdQuestion || proposed.empty()) {
            CErrorMessage(ids::kListIdExists, 0).Report();
            return nullptr;
        }
        if (!m_listIdQuestion(list->GetListId(), proposed)) {
            m_pasteCancelled = true;
            return nullptr;
        }
        list->SetProperties(proposed, list->GetKind(), list->GetName());
    }
    return AddNew(std::move(list));
}

CDataEntry* CStepChainGroup::PasteFromClipboard(int firstSelected)
{
    m_pasteCancelled = false;
    return CDataFile::PasteFromClipboard(firstSelected);
}

std::string CStepChainGroup::NextFreeListId() const
{
    for (int number = 1; number <= 999; ++number) {
        std::string id = FormatText("%03u", {static_cast<unsigned>(number)});
        if (!FindList(id))
            return id;
    }
    return {};
}

std::unique_ptr<CDataEntry> CStepChainGroup::NewClipboardEntry()
{
    return std::make_unique<CStepChainList>(this);
}

bool CStepChainGroup::KeepPasted(CDataEntry* list)
{
    if (!ReportIfTooLarge())
        return true;
    Remove(list);
    return false;
}

bool CStepChainGroup::ReportIfTooLarge() const
{
    if (ComputeSize() <= kMaxFileSize)
        return false;
    CErrorMessage(ids::kGroupWouldOverflow, GetGroupId(), static_cast<int>(kMaxFileSize)).Report();
    return true;
}

CStepChainList* CStepChainGroup::GetList(int index) const
{
    return static_cast<CStepChainList*>(GetAt(index));
}

CStepChainList* CStepChainGroup::FindList(const std::string& id) const
{
    for (int i = 0; i < GetCount(); ++i)
        if (project_files::EqualsIgnoringCase(GetList(i)->GetListId(), id))
            return GetList(i);
    return nullptr;
}

std::size_t CStepChainGroup::ComputeSize() const
{
    std::size_t size = kFixedHeaderSize + GetProjectName().size() + record::StoredDesignationLength(GetName());
    for (int i = 0; i < GetCount(); ++i)
        size += GetList(i)->ComputeSize();
    return size;
}

void CStepChainGroup::ReadImage(CMemFile& file)
{
    const record::LongHeader header = record::ReadLongHeader(file);
    if (header.kind != kGroupKind || header.code != GetGroupId())
        NotThisGroup();
    SetName(header.name);
    if (file.GetRemaining() < 1)
        throw CFileException(CFileException::Cause::endOfFile);
    std::uint8_t lists = 0;
    record::ReadByte(file, lists);
    for (unsigned i = 0; i < lists; ++i)
        AddNew(std::make_unique<CStepChainList>(this))->ReadFileRecord(file);
    SetLoaded(true);
    SetModified(false);
}

void CStepChainGroup::WriteImage(CMemFile& file) const
{
    // Past either limit the size or the list count would wrap and the file
    // could not be read again.
    if (static_cast<std::size_t>(GetCount()) > kMaxLists || ComputeSize() > kMaxFileSize)
        throw CFileException(CFileException::Cause::tooLarge, GetFileName());
    // "G" and 3 characters, or the folder would never list the file.
    if (GetBaseName().size() != 4)
        throw CFileException(CFileException::Cause::generic, GetFileName());

    const std::size_t start = file.GetPosition();
    record::LongHeader header;
    header.kind = kGroupKind;
    header.projectName = GetProjectName();
    header.code = GetGroupId();
    header.name = record::TrimRight(GetName());
    record::WriteLongHeader(file, header);
    record::WriteByte(file, static_cast<std::uint8_t>(GetCount()));
    for (int i = 0; i < GetCount(); ++i)
        GetList(i)->WriteFileRecord(file);

    const std::size_t end = file.GetPosition();
    if (end - start > kMaxFileSize)
        throw CFileException(CFileException::Cause::tooLarge, GetFileName());
    file.Seek(start + 1);
    record::WriteWord(file, static_cast<std::uint16_t>(end - start));
    file.Seek(end);
}

bool CStepChainGroup::Load()
{
    RemoveAll();
    SetLastError(std::nullopt);
    try {
        CBufferedFile in(GetFilePath(), CBufferedFile::modeRead | CBufferedFile::shareDenyWrite);
        // Remembered before the lists are read: even a file that turns out
        // damaged is what a later save must not overwrite unseen.
        SetDiskContent(in.GetImage());
        ReadImage(in);
        in.Close();
    } catch (const CFileException& e) {
        RemoveAll();
        SetLastError(e);
        return false;
    }
    return IsLoaded();
}

bool CStepChainGroup::Save()
{
    SetLastError(std::nullopt);
    const std::filesystem::path path = GetFilePath();
    try {
        CBufferedFile out(path, CBufferedFile::modeCreate | CBufferedFile::modeWrite);
        WriteImage(out);
        AnnounceChange({path});
        if (GetDiskStamp())
            out.Close(*GetDiskStamp());
        else
            out.Close();
        SetDiskStamp(CFileStamp::OfBytes(out.GetImage()));
        ReportChange(path, &out.GetImage());
    } catch (const CFileException& e) {
        SetLastError(e);
        return false;
    }
    m_diskName = platform::PathToCp1252(path.filename()).value_or(GetFileName());
    SetModified(false);
    TakeFileStatus(path);
    if (auto* folder = dynamic_cast<CDataList*>(GetParent()))
        folder->OnEntryChanged(this);
    return true;
}

std::string CStepChainGroup::LoadProblemText() const
{
    const auto& error = GetLastError();
    if (!error)
        return {};
    switch (error->GetCause()) {
    case CFileException::Cause::endOfFile: return CStringTable::Get(ids::kReasonEndOfFile);
    case CFileException::Cause::tooLarge: return CStringTable::Get(ids::kReasonTooLarge);
    default:
        if (error->GetOsError() > 0)
            return FormatText(CStringTable::Get(ids::kReasonSystem), {error->GetOsError()});
        return CStringTable::Get(ids::kReasonNotAGroup);
    }
}

std::optional<std::uintmax_t> CStepChainGroup::SizeOnDisk() const
{
    std::error_code ec;
    const auto size = std::filesystem::file_size(GetFilePath(), ec);
    if (ec)
        return std::nullopt;
    return size;
}

bool CStepChainGroup::DisagreesWithDisk() const
{
    const auto size = SizeOnDisk();
    return size && !IsModified() && *size != static_cast<std::uintmax_t>(GetSize());
}

void CStepChainGroup::TakeFileStatus(const std::filesystem::path& path)
{
    std::error_code ec;
    const auto size = std::filesystem::file_size(path, ec);
    const auto time = platform::LastWriteTime(path);
    if (ec || !time)
        return;
    SetSize(static_cast<int>(size));
    SetDateText(project_files::FormatDateText(*time));
}
