#pragma once

#include <filesystem>
#include <string>

// Where the programs find their files, derived from their own program
// file: the settings file (shared by the desktop program and the
// command-line tool), the help folder and the optional resource catalog.
// In a build tree the help folder "hlp" and the catalog lie beside the
// program; installed, they lie in <prefix>/share/morawin beside
// <prefix>/bin.
class CAppPaths {
public:
    static constexpr const char* kHelpFolderName = "hlp";
    static constexpr const char* kCatalogName = "morawin.strings";
    static constexpr const char* kHistoryFolderName = "history";
    static constexpr const char* kLocaleFolderName = "locale";
    static constexpr const char* kTextDomain = "morawin";

    static CAppPaths ForProgram(const std::filesystem::path& programFile);

    // The folder of a program file. A bare name (no folder) is looked up
    // in PATH as the shell did when it started the program; when it is not
    // found there the current folder is taken.
    static std::filesystem::path ProgramFolder(const std::filesystem::path& programFile);

    // The help file's name as the settings file holds it: UTF-8, as the
    // recently opened files beside it. In English the page of that name in
    // the help folder's "en", where there is one.
    std::filesystem::path HelpDocument(const std::string& helpFileName, const std::string& language = "de") const;
    // The compiled catalog of a language ("en"), in the gettext layout
    // <locale>/<language>/LC_MESSAGES/morawin.mo.
    std::filesystem::path CatalogOf(const std::string& language) const;

    std::filesystem::path SettingsFile;
    std::filesystem::path HelpFolder;
    // May not exist; the program then keeps its built-in texts.
    std::filesystem::path CatalogFile;
    // The translations' catalogs: "locale" beside the programs in a build
    // tree and on Windows, <prefix>/share/locale when installed.
    std::filesystem::path LocaleFolder;
    // Where the project history lives: "history" in the per-user state
    // folder, or beside the settings file of a portable copy.
    std::filesystem::path HistoryFolder;
};
