#include "data/settings/StartUp.h"

#include "data/platform/Platform.h"
#include "data/settings/Language.h"
#include "data/text/MessageCatalog.h"
#include "data/text/StringTable.h"

#include <clocale>
#include <optional>

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

LanguageInUse UseLanguage(const CAppPaths& paths, std::string_view choice)
{
    // The table keeps a pointer to the catalog it translates with.
    static std::optional<CMessageCatalog> catalog;
    const std::string code = language::Resolve(choice, platform::UserLanguage());
    CStringTable::UseTranslations(nullptr);
    catalog.reset();
    if (code == language::kGerman)
        return {code, {}};
    const std::filesystem::path file = paths.CatalogOf(code);
    std::string why;
    catalog = CMessageCatalog::Load(file, &why);
    if (!catalog)
        return {language::kGerman, "the catalog " + platform::PathToUtf8(file) + " " + why + "; the texts stay German"};
    CStringTable::UseTranslations(&*catalog);
    return {code, {}};
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
