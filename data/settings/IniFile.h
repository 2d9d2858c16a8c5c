#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A Windows-style ini file that is read and written faithfully: sections,
// keys, comments, blank lines, unknown entries and line ends survive a
// round trip; only the values that are set change. Section and key names
// compare without regard to case, as the profile functions do.
class CIniFile {
public:
    // Reads the file; a missing or unreadable file gives an empty one.
    bool Load(const std::filesystem::path& file);
    // Writes the whole file atomically; false on failure (old file intact).
    bool Save(const std::filesystem::path& file) const;

    // The value with surrounding blanks and one pair of matching quotes
    // removed; nullopt when the section or key is missing.
    std::optional<std::string> GetString(std::string_view section, std::string_view key) const;
    // Like the profile functions' integer reading: missing key or empty
    // value gives `fallback`; otherwise leading blanks, an optional sign and
    // decimal digits, up to the first other character (none: 0), wrapping
    // to 32 bits.
    int GetInt(std::string_view section, std::string_view key, int fallback) const;

    // Sets a value; a missing key is appended to its section, a missing
    // section to the end of the file.
    void SetString(std::string_view section, std::string_view key, std::string_view value);
    void RemoveKey(std::string_view section, std::string_view key);
    // Whether the section holds any key.
    bool HasKeys(std::string_view section) const;

    std::string ToText() const;

private:
    struct Line {
        std::string text;    // as in the file, without its line end
        std::string section; // the section the line belongs to
        bool isKey = false;
        std::string key;
    };

    std::vector<Line>::const_iterator FindKey(std::string_view section, std::string_view key) const;
    std::size_t EndOfSection(std::string_view section) const;

    std::vector<Line> m_lines;
    std::string m_newline = "\r\n";
    bool m_endsWithNewline = true;
};
