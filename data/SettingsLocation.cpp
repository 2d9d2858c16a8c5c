#include "data/SettingsLocation.h"

#include <cstdlib>
#include <unistd.h>

namespace settings_location {

std::filesystem::path ProgramFile()
{
    std::error_code ec;
    auto path = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::filesystem::path() : path;
}

std::filesystem::path UserConfigFile()
{
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    std::filesystem::path base;
    if (xdg && *xdg == '/')
        base = xdg;
    else if (const char* home = std::getenv("HOME"); home && *home)
        base = std::filesystem::path(home) / ".config";
    else
        base = "/tmp";
    return base / kApplicationName / (std::string(kApplicationName) + ".ini");
}

std::filesystem::path ForProgram(const std::filesystem::path& programFile)
{
    const auto folder = programFile.parent_path();
    const auto beside = folder / (std::string(kApplicationName) + ".ini");
    std::error_code ec;
    if (!folder.empty() && (std::filesystem::exists(beside, ec) || ::access(folder.c_str(), W_OK) == 0))
        return beside;
    return UserConfigFile();
}

} // namespace settings_location
