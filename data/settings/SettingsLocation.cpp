#include "data/settings/SettingsLocation.h"

#include "data/platform/Platform.h"

namespace settings_location {

std::filesystem::path ProgramFile()
{
    return platform::ProgramFile();
}

std::filesystem::path UserConfigFile()
{
    return platform::UserSettingsFolder() / (std::string(kApplicationName) + ".ini");
}

std::filesystem::path ForProgram(const std::filesystem::path& programFile)
{
    // A settings file beside the program makes a portable copy; the program
    // never creates one there itself, so that running an installed program
    // (as root, too) leaves its folder as it is.
    const auto folder = programFile.parent_path();
    const auto beside = folder / (std::string(kApplicationName) + ".ini");
    std::error_code ec;
    if (!folder.empty() && std::filesystem::is_regular_file(beside, ec))
        return beside;
    return UserConfigFile();
}

} // namespace settings_location
