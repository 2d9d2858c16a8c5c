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
    // No symbol table has rows this long; a text that does is no table,
    // and reading it as one would only hold its bytes twice.
    static constexpr std::size_t kMaxRecordSize = 16u << 20;

    CCsvReader(std::string_view text, char separator) : m_text(text), m_separator(separator) {}

    // The next record's fields as the text holds them, quotes and all (see
    // Unquoted); false after the last record. Throws CTableError when a
    // quote is never closed or the record is longer than kMaxRecordSize.
    bool NextRaw(std::vector<std::string_view>& fields);
    // The same with each field's value.
    bool Next(std::vector<std::string>& fields);

    // The value of a field as NextRaw gives it: `field` itself, the inside
    // of its quotes, or, where quotes were doubled or text follows the
    // closing quote, the value put together in `scratch`.
    static std::string_view Unquoted(std::string_view field, std::string& scratch);

    // The record just read: its number (1-based) and the lines (0-based)
    // it starts and ends on.
    std::size_t Record() const { return m_record; }
    std::size_t FirstLine() const { return m_firstLine; }
    std::size_t LastLine() const { return m_line; }

    // The separator that gives the same number of fields (two or more) in
    // most of the first 100 records; `;` when none does.
    static char DetectSeparator(std::string_view text);

private:
    std::size_t QuotedEnd(std::size_t from, std::size_t limit);
    std::size_t PlainEnd(std::size_t from, std::size_t limit) const;
    [[noreturn]] void TooLong() const;

    std::string_view m_text;
    char m_separator;
    std::size_t m_pos = 0;
    std::size_t m_record = 0;
    std::size_t m_line = 0;
    std::size_t m_firstLine = 0;
    bool m_lineEnded = false;
};
