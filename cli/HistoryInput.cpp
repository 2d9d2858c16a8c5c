#include "cli/HistoryInput.h"

#include "data/platform/Platform.h"
#include "data/settings/AppSettings.h"
#include "history/ProjectHistory.h"

#include <iostream>

std::unique_ptr<CProjectHistory> OpenHistory(const std::filesystem::path& historyFolder, const CPanelProject& project,
                                             const std::string& settingsOption,
                                             const std::filesystem::path& defaultSettings, const std::string& command)
{
    CAppSettings settings;
    settings.Load(settingsOption.empty() ? defaultSettings : platform::PathFromUtf8(settingsOption));
    auto history = std::make_unique<CProjectHistory>(historyFolder, project, CProjectHistory::Limits::Of(settings));
    if (!history->IsOff())
        return history;
    std::cerr << "morawin-cli " << command << ": the history is off (Keep=" << settings.HistoryKeep
              << " in [History] of " << platform::PathToUtf8(settings.SettingsFile) << ")\n";
    return nullptr;
}
