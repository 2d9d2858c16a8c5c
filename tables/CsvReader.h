#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// Reads delimited text record by record: fields separated by `;`, `,` or
// TAB, quoted as in RFC 4180 (doubled quotes, separators and line breaks
// inside quotes), records ended by LF or CR LF. Lenient where spreadsheet
// programs are: text after a closing quote belongs to the field, a quote
// inside an unquoted field is an ordinary character.
class CCsvReader {
public:
    CCsvReader(std::string_view text, char separator) : m_text(text), m_separator(separator) {}

    // The next record's fields; false after the last record. Throws
    // CTableError when a quote is never closed.
    bool Next(std::vector<std::string>& fields);

    // The record just read: its number (1-based) and the lines (0-based)
    // it starts and ends on.
    std::size_t Record() const { return m_record; }
    std::size_t FirstLine() const { return m_firstLine; }
    std::size_t LastLine() const { return m_line; }

    // The separator that gives the same number of fields (two or more) in
    // most of the first 100 records; `;` when none does.
    static char DetectSeparator(std::string_view text);

private:
    void AppendPlain(std::string& field);
    void ReadQuoted(std::string& field);

    std::string_view m_text;
    char m_separator;
    std::size_t m_pos = 0;
    std::size_t m_record = 0;
    std::size_t m_line = 0;
    std::size_t m_firstLine = 0;
    bool m_lineEnded = false;
};
