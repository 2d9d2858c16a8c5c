#pragma once

#include "tables/CsvReader.h"
#include "tables/TableConversion.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// The records of delimited text in Windows-1252 as rows of a table; a
// record lost characters when one of its lines did (`replacedLines`, as
// DecodeText names them).
class CCsvRows : public IRowSource {
public:
    CCsvRows(std::string_view text, char separator, const std::vector<std::size_t>& replacedLines)
        : m_reader(text, separator), m_replacedLines(replacedLines)
    {
    }

    bool Next(std::vector<std::string_view>& cells, bool& lostCharacters) override;
    std::size_t Row() const override { return m_reader.Record(); }

private:
    bool LinesLostCharacters();

    CCsvReader m_reader;
    const std::vector<std::size_t>& m_replacedLines;
    std::size_t m_nextReplaced = 0;
    std::vector<std::string_view> m_fields;
    // One per column, kept from row to row with its memory.
    std::vector<std::string> m_unquoted;
};
