#include "data/settings/AppPaths.h"

#include "data/platform/Platform.h"
#include "data/settings/SettingsLocation.h"

#include <cstdlib>
#include <string_view>

namespace fs = std::filesystem;

namespace {

fs::path FindInPath(const fs::path& name)
{
    const char* path = std::getenv("PATH");
    if (!path)
        return {};
    std::string_view rest(path);
    while (!rest.empty()) {
        const auto colon = rest.find(platform::PathListSeparator());
        const std::string_view folder = rest.substr(0, colon);
        rest = colon == std::string_view::npos ? std::string_view() : rest.substr(colon + 1);
        if (folder.empty())
            continue;
        const fs::path candidate = fs::path(folder) / name;
        if (platform::IsExecutable(candidate))
            return candidate;
    }
    return {};
}

// The shared data folder of an installed program: <prefix>/share/morawin.
fs::path InstalledDataFolder(const fs::path& programFolder)
{
    return programFolder.parent_path() / "share" / settings_location::kApplicationName;
}

// The first of the two places that exists. When neither does, the place
// where the user would put the file: in the shared data folder of an
// installed program, else beside the program.
fs::path Locate(const fs::path& programFolder, const char* name)
{
    std::error_code ec;
    const fs::path beside = programFolder / name;
    if (fs::exists(beside, ec))
        return beside;
    const fs::path installed = InstalledDataFolder(programFolder) / name;
    if (fs::exists(installed, ec) || fs::is_directory(installed.parent_path(), ec))
        return installed;
    return beside;
}

// The system's locale folder <prefix>/share/locale of an installed program,
// unless the program's own lies beside it.
fs::path LocateLocale(const fs::path& programFolder)
{
    std::error_code ec;
    const fs::path beside = programFolder / CAppPaths::kLocaleFolderName;
    const fs::path installed = programFolder.parent_path() / "share" / CAppPaths::kLocaleFolderName;
    if (!fs::is_directory(beside, ec) && fs::is_directory(InstalledDataFolder(programFolder), ec))
        return installed;
    return beside;
}

} // namespace

fs::path CAppPaths::ProgramFolder(const fs::path& programFile)
{
    std::error_code ec;
    if (programFile.has_parent_path())
        return fs::absolute(programFile, ec).parent_path();
    if (const fs::path found = FindInPath(programFile); !found.empty())
        return fs::absolute(found, ec).parent_path();
    return fs::current_path(ec);
}

CAppPaths CAppPaths::ForProgram(const fs::path& programFile)
{
    const fs::path folder = ProgramFolder(programFile);
    CAppPaths paths;
    paths.SettingsFile = settings_location::ForProgram(folder / programFile.filename());
    paths.HelpFolder = Locate(folder, kHelpFolderName);
    paths.CatalogFile = Locate(folder, kCatalogName);
    paths.LocaleFolder = LocateLocale(folder);
    // A portable copy keeps its history with its settings.
    const bool portable = paths.SettingsFile != settings_location::UserConfigFile();
    paths.HistoryFolder =
        (portable ? paths.SettingsFile.parent_path() : platform::UserStateFolder()) / kHistoryFolderName;
    return paths;
}

fs::path CAppPaths::HelpDocument(const std::string& helpFileName, const std::string& language) const
{
    const fs::path name = platform::PathFromUtf8(helpFileName);
    std::error_code ec;
    if (language != "de" && fs::exists(HelpFolder / language / name, ec))
        return HelpFolder / language / name;
    return HelpFolder / name;
}

fs::path CAppPaths::CatalogOf(const std::string& language) const
{
    return LocaleFolder / language / "LC_MESSAGES" / (std::string(kTextDomain) + ".mo");
}
