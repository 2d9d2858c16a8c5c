#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>

// Why a symbol table cannot be read, and where: a row (1-based, 0 for the
// file as a whole) and, for a workbook, the cell. The hosts word the
// message for their user; `what()` is the detail in English.
class CTableError : public std::runtime_error {
public:
    CTableError(const std::string& detail, std::size_t row = 0, std::string cell = {})
        : std::runtime_error(detail), m_row(row), m_cell(std::move(cell)) {}

    std::size_t Row() const { return m_row; }
    const std::string& Cell() const { return m_cell; }
    // Where, in the user's words (Windows-1252): "Zeile 3 der Tabelle.",
    // "Zelle B7 der Arbeitsmappe."; empty for the file as a whole.
    std::string PlaceText() const;

private:
    std::size_t m_row;
    std::string m_cell;
};
