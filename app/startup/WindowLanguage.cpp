#include "app/startup/WindowLanguage.h"

#include "app/platform/MenuKeys.h"
#include "app/platform/ShellPlatform.h"
#include "data/settings/AppPaths.h"
#include "data/settings/Language.h"
#include "data/settings/StartUp.h"
#include "gui/WxText.h"

#include <wx/translation.h>

#include <cstdio>

namespace window_language {

std::string Use(const CAppPaths& paths, const std::string& choice)
{
    const start_up::LanguageInUse language = start_up::UseLanguage(paths, choice);
    if (!language.warning.empty())
        std::fprintf(stderr, "morawin: %s\n", language.warning.c_str());
    const bool english = language.code == language::kEnglish;
    shell_platform::FollowUserLanguage(language.code);
    menu_keys::ShowGermanKeyNamesInMenus(!english);
    // The windows' texts come from the catalog the string table reads; wx's
    // own (print preview, standard dialogs) from wx's catalog of the
    // language, where it is installed.
    wxFileTranslationsLoader::AddCatalogLookupPathPrefix(wxtext::FromPath(paths.LocaleFolder));
    auto* translations = new wxTranslations;
    translations->SetLanguage(english ? wxLANGUAGE_ENGLISH : wxLANGUAGE_GERMAN);
    translations->AddStdCatalog();
    if (english)
        translations->AddCatalog(wxASCII_STR(CAppPaths::kTextDomain), wxLANGUAGE_GERMAN);
    wxTranslations::Set(translations);
    return language.code;
}

} // namespace window_language
