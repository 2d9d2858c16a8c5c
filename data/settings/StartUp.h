#pragma once

#include "data/settings/AppPaths.h"

#include <filesystem>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

// What both programs do first, in one place: date texts in the user's time
// locale, where the program's files are, and the text catalog when there
// is one.
namespace start_up {

// `settingsFile`, when not empty, takes the place of the usual settings
// file (the desktop program's --settings).
CAppPaths Begin(const std::filesystem::path& programFile, const std::filesystem::path& settingsFile = {});

// The language the programs speak, once chosen.
struct LanguageInUse {
    std::string code;    // "de" or "en"
    std::string warning; // one line for stderr when a catalog is missing; else empty
};

// Speaks the language that `choice` names (the settings' value or a
// command line's; see language::Resolve): the string table takes that
// language's catalog. Without the catalog the program stays German and the
// warning says so.
LanguageInUse UseLanguage(const CAppPaths& paths, std::string_view choice);

// How a program names one of its files when it lists them (UTF-8, in
// the language it speaks).
struct FileLabel {
    std::filesystem::path CAppPaths::*file;
    std::string label;
};

// One listed file, and whether it is there.
struct ListedFile {
    std::string label;
    std::filesystem::path path;
    bool present = false;
};

// The program's files for morawin-cli --help and the About box, in the
// words and the order of `labels`.
std::vector<ListedFile> ListFiles(const CAppPaths& paths, std::initializer_list<FileLabel> labels);

} // namespace start_up
