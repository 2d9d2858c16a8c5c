#include "data/settings/AppSettings.h"

#include "data/settings/IniFile.h"
#include "data/settings/Language.h"

namespace {

// The profile functions read into a buffer of 260 characters.
constexpr std::size_t kMaxHelpFileName = 259;

} // namespace

void CAppSettings::Load(const std::filesystem::path& file)
{
    SettingsFile = file;
    CIniFile ini;
    ini.Load(file);
    SymbolToText = ini.GetInt(kSection, "SymbolToText", 1) != 0 ? 1 : 0;
    CommentToText = ini.GetInt(kSection, "CommentToText", 1) != 0 ? 1 : 0;
    MaxLists = ini.GetInt(kSection, "MaxLists", 50);
    MaxOperands = ini.GetInt(kSection, "MaxOperands", 64);
    MaxGroupSizeKb = ini.GetInt(kSection, "MaxGroupSizeKb", 24);
    HistoryKeep = ini.GetInt(kHistorySection, "Keep", 100);
    HistoryMaxSizeMb = ini.GetInt(kHistorySection, "MaxSizeMB", 200);
    HelpFileName = ini.GetString(kHelpSection, kHelpKey).value_or(kDefaultHelpFile).substr(0, kMaxHelpFileName);
    Language = ini.GetString(language::kSection, language::kKey).value_or("");
}

bool CAppSettings::Save() const
{
    CIniFile ini;
    ini.Load(SettingsFile);
    ini.SetString(kSection, "SymbolToText", SymbolToText ? "1" : "0");
    ini.SetString(kSection, "CommentToText", CommentToText ? "1" : "0");
    ini.SetString(kSection, "MaxLists", std::to_string(MaxLists));
    ini.SetString(kSection, "MaxOperands", std::to_string(MaxOperands));
    ini.SetString(kSection, "MaxGroupSizeKb", std::to_string(MaxGroupSizeKb));
    ini.SetString(kHelpSection, kHelpKey, HelpFileName);
    // A file that never chose a language keeps holding none.
    if (!Language.empty())
        ini.SetString(language::kSection, language::kKey, Language);
    // The per-user folder may not exist yet.
    std::error_code ec;
    if (SettingsFile.has_parent_path())
        std::filesystem::create_directories(SettingsFile.parent_path(), ec);
    return ini.Save(SettingsFile);
}
