#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

// A compiled gettext catalog (.mo): the translations of the program's
// German source texts into one language. Both programs read the same file;
// the desktop program's wx translations read it too, for its dialogs.
class CMessageCatalog {
public:
    // The catalog in `file`, or nothing when it cannot be read or is not a
    // catalog; `error` then says why (in English, for a line on stderr).
    static std::optional<CMessageCatalog> Load(const std::filesystem::path& file, std::string* error = nullptr);
    static std::optional<CMessageCatalog> Parse(std::string_view bytes, std::string* error = nullptr);

    // The UTF-8 translation of a UTF-8 source text; null when the catalog
    // has none (the source text then stands).
    const std::string* Find(std::string_view source) const;
    std::size_t Size() const { return m_translations.size(); }

private:
    std::unordered_map<std::string, std::string> m_translations;
};
