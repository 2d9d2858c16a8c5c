#include "cli/ProjectInput.h"

#include "data/platform/Platform.h"
#include "data/records/FileException.h"
#include "panel/PanelProject.h"
#include "panel/StepChainGroup.h"

#include <cstring>
#include <filesystem>
#include <iostream>

namespace {

std::string FileErrorText(const CFileException& e)
{
    switch (e.GetCause()) {
    case CFileException::Cause::endOfFile: return "the file ends inside a record";
    case CFileException::Cause::tooLarge: return "too large for the group file format";
    default:
        if (e.GetOsError() > 0)
            return std::strerror(e.GetOsError());
        return "not a valid group file";
    }
}

} // namespace

std::string ProblemText(const CPanelProject& project)
{
    const std::string& file = project.GetDataFileName();
    switch (project.GetProblem()) {
    case CPanelProject::Problem::none: return {};
    case CPanelProject::Problem::noFolder: return "no such folder";
    case CPanelProject::Problem::noDataFile: return "no data file SDAT.731 or SDAT.SYS";
    case CPanelProject::Problem::unreadable: return "cannot read " + file;
    case CPanelProject::Problem::headerCutShort: return "header of " + file + " cut short";
    case CPanelProject::Problem::badNameLength: return "bad name length in the header of " + file;
    case CPanelProject::Problem::wrongKind: return file + " is not a project data file (wrong kind)";
    }
    return "not a panel project";
}

std::unique_ptr<CPanelProject> OpenProject(const std::string& folder, const std::string& command)
{
    auto project = std::make_unique<CPanelProject>(platform::PathFromUtf8(folder), "");
    if (!project->IsValid()) {
        std::cerr << "morawin-cli " << command << ": " << folder << " is not a panel project: " << ProblemText(*project)
                  << '\n';
        return nullptr;
    }
    project->Load();
    return project;
}

namespace {
constexpr std::string_view kDamaged = "damaged: ";
}

std::string ProblemOfGroup(const std::string& error)
{
    return error.starts_with(kDamaged) ? error : "cannot be read: " + error;
}

std::optional<std::uintmax_t> SizeOnDisk(const CStepChainGroup& group)
{
    return group.SizeOnDisk();
}

std::string LoadGroup(CStepChainGroup& group)
{
    if (!group.IsLoaded() && !group.Load())
        return LoadErrorText(group);
    if (group.DisagreesWithDisk())
        return std::string(kDamaged) + "its header says " + std::to_string(group.GetSize()) + " bytes, the file holds "
            + std::to_string(*group.SizeOnDisk());
    return {};
}

std::string LoadErrorText(const CStepChainGroup& group)
{
    return group.GetLastError() ? FileErrorText(*group.GetLastError()) : std::string("cannot be read");
}
