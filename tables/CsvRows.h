#pragma once

#include "tables/CsvReader.h"
#include "tables/TableConversion.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// The records of delimited text as rows of a table. Windows-1252 text is
// read as it is; a record lost characters when one of its lines did (as
// `replacedLines` of text converted from UTF-16 names them). UTF-8 text is
// converted field by field, and only the fields that need it: the
// separators, quotes and line breaks are the same bytes in both.
class CCsvRows : public IRowSource {
public:
    CCsvRows(std::string_view text, char separator, bool utf8, const std::vector<std::size_t>& replacedLines)
        : m_reader(text, separator), m_utf8(utf8), m_replacedLines(replacedLines)
    {
    }

    bool Next(std::vector<std::string_view>& cells, bool& lostCharacters) override;
    std::size_t Row() const override { return m_reader.Record(); }

    // The characters of UTF-8 fields read so far that became "?".
    std::size_t ReplacedCharacters() const { return m_replacedCharacters; }

private:
    bool LinesLostCharacters();

    CCsvReader m_reader;
    bool m_utf8;
    const std::vector<std::size_t>& m_replacedLines;
    std::size_t m_nextReplaced = 0;
    std::size_t m_replacedCharacters = 0;
    std::vector<std::string_view> m_fields;
    // One of each per column, kept from row to row with their memory.
    std::vector<std::string> m_converted;
    std::vector<std::string> m_unquoted;
};
