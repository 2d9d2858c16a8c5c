#include "panel/PanelProject.h"

#include "data/records/FileException.h"
#include "data/platform/Platform.h"
#include "data/records/RecordStream.h"
#include "panel/GroupFolder.h"
#include "panel/ProjectFiles.h"

#include <fstream>
#include <vector>

namespace {

constexpr std::uint8_t kProjectKind = 1;
// Kind 1, a word, the name's length byte and at most 80 characters.
constexpr std::size_t kMaxHeaderSize = 1 + 2 + 1 + record::kMaxCountedLength;

} // namespace

CPanelProject::CPanelProject(const std::filesystem::path& folder, std::string extension)
    // `/ ""` ends a folder name with the system's separator, and leaves a
    // folder that already ends with one, or an empty one, as it is.
    : CDataList(nullptr, std::string()), m_folder(folder / ""), m_extension(std::move(extension))
{
    SetValid(false);
    try {
        ChooseDataFile();
        if (m_problem == Problem::none)
            ReadDataFile();
    } catch (const std::exception&) {
        // Only allocation can throw here; the constructor promises callers
        // an object in every case, an invalid one then.
        m_problem = Problem::unreadable;
        SetValid(false);
    }
}

CPanelProject::~CPanelProject() = default;

void CPanelProject::ChooseDataFile()
{
    const std::filesystem::path folder = m_folder.empty() ? std::filesystem::path(".") : m_folder;
    std::error_code ec;
    const bool folderExists = std::filesystem::is_directory(folder, ec);
    std::optional<std::string> found;
    if (m_extension.empty()) {
        m_extension = "731";
        if (folderExists)
            found = project_files::FindIgnoringCase(folder, "SDAT.731");
        if (!found)
            m_extension = "SYS";
    }
    if (folderExists && !found)
        found = project_files::FindIgnoringCase(folder, "SDAT." + m_extension);
    m_dataFileName = found.value_or("SDAT." + m_extension);
    if (!folderExists)
        m_problem = Problem::noFolder;
    else if (!found)
        m_problem = Problem::noDataFile;
}

void CPanelProject::ReadDataFile()
{
    const std::filesystem::path path = m_folder / platform::PathFromCp1252(m_dataFileName);
    std::error_code ec;
    std::ifstream in(path, std::ios::binary);
    if (std::filesystem::is_directory(path, ec) || !in) {
        m_problem = Problem::unreadable;
        return;
    }
    std::vector<std::uint8_t> header(kMaxHeaderSize);
    in.read(reinterpret_cast<char*>(header.data()), static_cast<std::streamsize>(header.size()));
    if (in.bad()) {
        m_problem = Problem::unreadable;
        return;
    }
    header.resize(static_cast<std::size_t>(in.gcount()));
    std::string name;
    m_problem = ReadDataFileHeader(header, name);
    if (m_problem != Problem::none)
        return;
    SetName(std::move(name));
    m_dateText = project_files::EarliestTimeText(path);
    SetValid(true);
}

CPanelProject::Problem CPanelProject::ReadDataFileHeader(std::span<const std::uint8_t> data, std::string& name)
{
    CMemFile file(data);
    record::ShortHeader header;
    try {
        header = record::ReadShortHeader(file);
    } catch (const CFileException& e) {
        if (data.size() < 4 || e.GetCause() == CFileException::Cause::endOfFile)
            return Problem::headerCutShort;
        return Problem::badNameLength;
    }
    if (header.kind != kProjectKind)
        return Problem::wrongKind;
    name = std::move(header.name);
    return Problem::none;
}

bool CPanelProject::Load()
{
    if (IsLoaded())
        return true;
    auto* folder = AddNew(std::make_unique<CGroupFolder>(this));
    folder->Load();
    SetLoaded(true);
    return true;
}

CGroupFolder* CPanelProject::GetGroupFolder() const
{
    if (!IsLoaded() || IsEmpty())
        return nullptr;
    return static_cast<CGroupFolder*>(GetAt(0));
}

