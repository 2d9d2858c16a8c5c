#include "data/settings/StartUp.h"

#include "data/text/StringTable.h"

#include <clocale>

namespace start_up {

CAppPaths Begin(const std::filesystem::path& programFile, const std::filesystem::path& settingsFile)
{
    // Project dates are written in the user's date format.
    std::setlocale(LC_TIME, "");
    CAppPaths paths = CAppPaths::ForProgram(programFile);
    if (!settingsFile.empty())
        paths.SettingsFile = settingsFile;
    // The catalog is optional; without it the built-in texts are used.
    std::error_code ec;
    if (std::filesystem::exists(paths.CatalogFile, ec))
        CStringTable::LoadCatalog(paths.CatalogFile);
    return paths;
}

std::vector<ListedFile> ListFiles(const CAppPaths& paths, std::initializer_list<FileLabel> labels)
{
    std::vector<ListedFile> files;
    for (const FileLabel& label : labels) {
        const std::filesystem::path& path = paths.*label.file;
        std::error_code ec;
        files.push_back({label.label, path, std::filesystem::exists(path, ec)});
    }
    return files;
}

} // namespace start_up
