#pragma once

#include <ctime>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

// File names and file times of a panel project folder. The panel software's
// file system ignores case; on Linux a project copied from it may hold
// gs01.731 where the program expects GS01.731, so names are matched without
// regard to case (ASCII letters only, as the 8-character names are).
namespace project_files {

std::string ToUpper(std::string_view text);
// Negative, 0 or positive, comparing lower-cased bytes.
int CompareIgnoringCase(std::string_view a, std::string_view b);
bool EqualsIgnoringCase(std::string_view a, std::string_view b);
// "*" any run of characters, "?" one character, letters in either case.
bool MatchesPattern(std::string_view name, std::string_view pattern);

// The name under which `name` exists in `folder`: the name itself if it
// exists as written, else the first match ignoring case in name order;
// nothing if there is none. Names are Windows-1252 text; on disk they are
// platform::PathFromCp1252 of it, and names without that form are passed by.
std::optional<std::string> FindIgnoringCase(const std::filesystem::path& folder, std::string_view name);

// "%c" in the current LC_TIME locale, local time.
std::string FormatDateText(std::time_t time);
// The file's last-write time as text; empty if the file has no status.
std::string LastWriteText(const std::filesystem::path& file);
// The earlier of the file's creation time (where the file system records
// it) and its last-write time, as text; empty if the file has no status.
std::string EarliestTimeText(const std::filesystem::path& file);

} // namespace project_files
