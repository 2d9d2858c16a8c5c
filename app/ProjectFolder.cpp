#include "app/ProjectFolder.h"

#include "panel/PanelProject.h"

bool IsProjectFolder(const std::filesystem::path& folder, std::string& name)
{
    const CPanelProject project(folder.string(), std::string());
    name = project.IsValid() ? project.GetName() : std::string();
    return project.IsValid();
}
