#include "history/HistoryOperation.h"

#include "data/platform/Platform.h"
#include "data/records/BufferedFile.h"
#include "data/records/FileException.h"
#include "history/ProjectHistory.h"
#include "panel/PanelProject.h"

#include <cerrno>

CHistoryOperation::CHistoryOperation(CProjectHistory* history, CPanelProject& project, std::string kind)
    : m_history(history), m_project(project), m_previous(project.GetFileJournal())
{
    m_record.kind = std::move(kind);
    m_project.SetFileJournal(this);
}

CHistoryOperation::~CHistoryOperation()
{
    // An operation left by an exception or an early return keeps what it
    // did; a history that cannot be written then is settled later.
    Finish();
    m_project.SetFileJournal(m_previous);
}

bool CHistoryOperation::Records() const
{
    return m_history && !m_history->IsOff();
}

namespace {

// The folder itself: a project folder ends with a separator, and on Windows
// "P" and "P\\" are not the same file to std::filesystem::equivalent.
std::filesystem::path FolderItself(const std::filesystem::path& folder)
{
    std::filesystem::path normal = (folder.empty() ? std::filesystem::path(".") : folder).lexically_normal();
    if (!normal.has_filename() && normal.has_relative_path())
        normal = normal.parent_path();
    return normal;
}

} // namespace

std::string CHistoryOperation::NameOf(const std::filesystem::path& path) const
{
    const auto name = platform::PathToCp1252(path.filename());
    // Only the group files of the project folder itself can be kept.
    const std::filesystem::path folder = FolderItself(path.parent_path());
    const std::filesystem::path project = FolderItself(m_history->ProjectFolder());
    std::error_code ec;
    const bool inFolder = folder == project || std::filesystem::equivalent(folder, project, ec);
    if (!name || !inFolder || !CHistoryIndex::IsProjectFileName(*name, m_history->Extension()))
        throw CFileException(CFileException::Cause::journalRefused, path, EINVAL);
    return *name;
}

void CHistoryOperation::WillChange(std::span<const std::filesystem::path> paths,
                                   std::span<const std::vector<std::uint8_t>* const> held)
{
    if (!Records())
        return;
    std::vector<CProjectHistory::Kept> kept;
    for (std::size_t i = 0; i < paths.size(); ++i) {
        const std::filesystem::path& path = paths[i];
        const std::string name = NameOf(path);
        if (m_record.FindFile(name)
            || std::any_of(kept.begin(), kept.end(), [&](const auto& k) { return k.file.name == name; }))
            continue;
        CProjectHistory::Kept file;
        file.file.name = name;
        const std::vector<std::uint8_t>* bytes = i < held.size() ? held[i] : nullptr;
        std::error_code ec;
        if (bytes) {
            file.bytes = *bytes;
        } else if (std::filesystem::status(path, ec).type() != std::filesystem::file_type::not_found) {
            try {
                file.bytes = CBufferedFile(path, CBufferedFile::modeRead).GetImage();
                bytes = &file.bytes;
            } catch (const CFileException& e) {
                throw CFileException(CFileException::Cause::journalRefused, path, e.GetOsError());
            }
        }
        if (bytes) { // otherwise there is no such file
            file.file.before = CFileState::Of(file.bytes);
            file.source = path;
        }
        kept.push_back(std::move(file));
    }
    if (kept.empty())
        return;
    try {
        m_history->Begin(m_record, kept);
    } catch (const CFileException& e) {
        throw CFileException(CFileException::Cause::journalRefused, paths.front(), e.GetOsError());
    }
}

void CHistoryOperation::Changed(const std::filesystem::path& path, const std::vector<std::uint8_t>* bytes)
{
    if (!Records())
        return;
    const std::string name = platform::PathToCp1252(path.filename()).value_or(std::string());
    if (const auto* file = m_record.FindFile(name))
        m_after.insert_or_assign(file->name, bytes ? CFileState::Of(*bytes) : CFileState::Absent());
}

std::vector<std::string> CHistoryOperation::ChangedFiles() const
{
    std::vector<std::string> names;
    for (const auto& file : m_record.files) {
        const auto after = m_after.find(file.name);
        if (after != m_after.end() && after->second != file.before)
            names.push_back(file.name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

bool CHistoryOperation::Finish()
{
    if (m_finished || !Records())
        return true;
    m_finished = true;
    CHistoryIndex::Record record = m_record;
    for (auto& file : record.files) {
        const auto after = m_after.find(file.name);
        file.after = after != m_after.end() ? after->second : CFileState::Unknown();
    }
    try {
        m_history->Finish(record);
        return true;
    } catch (const CFileException&) {
        return false;
    }
}
