#pragma once

#include "data/settings/IniFile.h"
#include "tables/SymbolTableReader.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// The columns dialog's choices, kept in the settings file (section
// [Spalten]) under the first row of the table they were made for: the next
// file with the same header is read the same way.
class CColumnChoices {
public:
    // Reads the settings file once; Remember reads it again before it
    // writes, so that what another program saved meanwhile stays.
    explicit CColumnChoices(std::filesystem::path settingsFile);

    // Whether any choice is kept (finding the header costs a reading of the
    // table's first part).
    bool IsEmpty() const;
    std::optional<SymbolTableOptions> Find(const std::vector<std::string>& header) const;
    // False when the settings file could not be written.
    bool Remember(const std::vector<std::string>& header, const SymbolTableOptions& options) const;

    // "sep=59;enc=utf-8;head=1;cols=1,2,-1;sheet=Symbole" and back; sheet
    // last, as a sheet name may hold any character.
    static std::string Format(const SymbolTableOptions& options);
    static std::optional<SymbolTableOptions> Parse(const std::string& text);

private:
    // The header as a key: a hash of its cells, as a key holds no "=".
    static std::string Key(const std::vector<std::string>& header);

    std::filesystem::path m_file;
    CIniFile m_settings;
};
