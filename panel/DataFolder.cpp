#include "panel/DataFolder.h"

#include "data/platform/Platform.h"
#include "panel/PanelProject.h"
#include "panel/ProjectFiles.h"

#include <algorithm>
#include <vector>

CDataFolder::CDataFolder(CDataEntry* parent, std::string name, std::string pattern)
    : CDataList(parent, std::move(name)), m_pattern(std::move(pattern))
{
}

CDataFolder::CDataFolder(CDataEntry* parent, unsigned nameId, std::string pattern)
    : CDataList(parent, nameId), m_pattern(std::move(pattern))
{
}

std::string CDataFolder::GetColumnText(int column) const
{
    switch (column) {
    case 0: return GetName();
    case 1: return m_pattern;
    case 3: {
        const auto* project = dynamic_cast<const CPanelProject*>(GetProject());
        return project ? project->GetDateText() : std::string();
    }
    case 4: return std::to_string(m_totalSize);
    default: return {};
    }
}

bool CDataFolder::IsCommandEnabled(int command, int selectedCount, int reserved) const
{
    switch (command) {
    case 0:
    case 2:
    case 13:
    case 19:
    case 21: return true;
    case 1:
    case CommandCode(ListCommand::rename): return selectedCount == 1;
    case CommandCode(ListCommand::remove):
    case 14:
    case 15:
    case 18: return selectedCount != 0;
    case 3:
    case CommandCode(ListCommand::copy):
    case CommandCode(ListCommand::paste):
    case 32:
    case 35: return false;
    default: return CDataList::IsCommandEnabled(command, selectedCount, reserved);
    }
}

void CDataFolder::ComputeTotal()
{
    m_totalSize = 0;
    for (int i = 0; i < GetCount(); ++i)
        m_totalSize += GetFile(i)->GetSize();
}

void CDataFolder::Add(std::unique_ptr<CDataEntry> entry)
{
    CDataList::Add(std::move(entry));
    ComputeTotal();
}

void CDataFolder::Remove(CDataEntry* entry)
{
    // Only a member's file is deleted: the entry names a file of this folder.
    if (IndexOf(entry) < 0)
        return;
    auto* file = static_cast<CDataFile*>(entry);
    // A file that cannot be deleted, or that another program changed since
    // it was read, stays; the entry goes all the same, and the next Load
    // shows the file again if it is still a group file.
    file->DeleteFile();
    m_totalSize -= file->GetSize();
    CDataList::Remove(entry);
}

void CDataFolder::OnEntryChanged(CDataEntry* entry)
{
    ComputeTotal();
    CDataList::OnEntryChanged(entry);
    if (auto* parent = dynamic_cast<CDataList*>(GetParent()))
        parent->OnEntryChanged(this);
}

bool CDataFolder::Load()
{
    RemoveAll();
    m_totalSize = 0;
    const auto* project = dynamic_cast<const CPanelProject*>(GetProject());
    if (project) {
        const std::string pattern = m_pattern + "." + project->GetProjectExt();
        const std::filesystem::path folder = project->GetProjectDir().empty() ? std::filesystem::path(".")
                                                                              : project->GetProjectDir();
        std::vector<std::string> names;
        std::error_code ec;
        for (auto it = std::filesystem::directory_iterator(folder, ec);
             !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
            std::error_code typeError;
            // 8 characters of Windows-1252 text, as identifiers are; a name
            // without that form is no file of the panel's.
            const auto name = platform::PathToCp1252(it->path().filename());
            if (name && name->size() == 8 && project_files::MatchesPattern(*name, pattern)
                && !it->is_directory(typeError))
                names.push_back(*name);
        }
        // Directory order is arbitrary; name order keeps equal identifiers
        // (gs01 beside GS01) in a stable order.
        std::sort(names.begin(), names.end());
        for (const std::string& name : names)
            CreateEntryForFile(project_files::ToUpper(name), name);
    }
    ComputeTotal();
    Sort();
    SetLoaded(true);
    return true;
}

CDataFile* CDataFolder::FindEntry(const std::string& baseName) const
{
    for (int i = 0; i < GetCount(); ++i)
        if (project_files::EqualsIgnoringCase(GetFile(i)->GetBaseName(), baseName))
            return GetFile(i);
    return nullptr;
}

std::unique_ptr<CDataEntry> CDataFolder::Release(CDataEntry* entry)
{
    auto released = Detach(entry);
    if (released)
        ComputeTotal();
    return released;
}
