#pragma once

#include <filesystem>
#include <string_view>

// Where the settings file lives. Both programs (the desktop application and
// the command-line tool) use the same file, named after the application:
// "<folder of the program>/morawin.ini" only when that file exists (a
// portable copy), else the per-user file: "$XDG_CONFIG_HOME/morawin/morawin.ini"
// (default ~/.config/morawin/morawin.ini), on Windows
// "%APPDATA%\MoraWin\morawin.ini".
namespace settings_location {

constexpr std::string_view kApplicationName = "morawin";

// The running program's real path (not argv[0] as typed).
std::filesystem::path ProgramFile();

// The settings file for a program file. `programFile` itself only gives
// the folder; the name is always the application's.
std::filesystem::path ForProgram(const std::filesystem::path& programFile);

// The per-user file.
std::filesystem::path UserConfigFile();

} // namespace settings_location
