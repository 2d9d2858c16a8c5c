#include "app/dialogs/ProjectFolder.h"

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
    std::string why;
    switch (project.GetProblem()) {
    case Problem::none:
        return project.IsValid() ? std::string() : "Kein RZ731-Projekt";
    case Problem::noFolder: why = "Verzeichnis nicht gefunden"; break;
    case Problem::noDataFile: why = "keine Projektdatei (SDAT.731 oder SDAT.SYS)"; break;
    case Problem::unreadable: why = "Projektdatei " + file + " nicht lesbar"; break;
    case Problem::headerCutShort: why = "Kopf der Projektdatei unvollständig (" + file + ")"; break;
    case Problem::badNameLength: why = "Länge des Projektnamens im Kopf von " + file + " ungültig"; break;
    case Problem::wrongKind: why = file + " ist keine Projektdatei (falsche Art)"; break;
    }
    return "Kein RZ731-Projekt: " + why;
}
