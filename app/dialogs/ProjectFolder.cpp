#include "app/dialogs/ProjectFolder.h"

#include "data/text/StringTable.h"
#include "data/text/TextFormat.h"
#include "panel/PanelProject.h"

bool IsProjectFolder(const std::filesystem::path& folder, std::string& name)
{
    std::string reason;
    return IsProjectFolder(folder, name, reason);
}

bool IsProjectFolder(const std::filesystem::path& folder, std::string& name, std::string& reason)
{
    const CPanelProject project(folder, std::string());
    name = project.IsValid() ? project.GetName() : std::string();
    reason = ProjectProblemText(project);
    return project.IsValid();
}

std::string ProjectProblemText(const CPanelProject& project)
{
    using Problem = CPanelProject::Problem;
    // File names are ASCII on every project the panel software writes; a
    // name found on disk is shown as it is.
    const std::string& file = project.GetDataFileName();
    // The string table's texts are Windows-1252; the reason is UTF-8.
    const auto text = [&file](unsigned id) { return FormatText(CStringTable::GetUtf8(id), {file}); };
    std::string why;
    switch (project.GetProblem()) {
    case Problem::none:
        return project.IsValid() ? std::string() : CStringTable::GetUtf8(ids::kNotAProject);
    case Problem::noFolder: why = text(ids::kProjectNoFolder); break;
    case Problem::noDataFile: why = text(ids::kProjectNoDataFile); break;
    case Problem::unreadable: why = text(ids::kProjectUnreadable); break;
    case Problem::headerCutShort: why = text(ids::kProjectHeaderCut); break;
    case Problem::badNameLength: why = text(ids::kProjectBadNameLength); break;
    case Problem::wrongKind: why = text(ids::kProjectWrongKind); break;
    }
    return FormatText(CStringTable::GetUtf8(ids::kNotAProjectBecause), {why});
}
