#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class CSheetRows;

// An .xlsx workbook read from its bytes: its worksheets by name, and the
// cells of one as texts (shared strings, inline strings, numbers as
// written). Texts are UTF-8, as the workbook holds them. A sheet is read
// as its part unpacks, never held whole.
class CWorkbook {
public:
    struct Row {
        // 1-based, as the sheet numbers it.
        std::size_t number = 0;
        std::vector<std::string> cells;
    };

    // The part of a workbook that may expand to at most this many bytes; a
    // larger one is refused before it is unpacked.
    static constexpr std::size_t kMaxPartSize = 256u << 20;

    // Keeps the bytes, which the archive reads from. Throws CTableError
    // for bytes that are no workbook.
    explicit CWorkbook(std::string bytes);
    ~CWorkbook();
    CWorkbook(const CWorkbook&) = delete;
    CWorkbook& operator=(const CWorkbook&) = delete;

    // In the workbook's order.
    const std::vector<std::string>& SheetNames() const { return m_sheetNames; }

    // The rows of the sheet named (the first sheet for an empty name) that
    // hold a cell, one by one, or all at once. Throws CTableError for a
    // sheet that is not there or is damaged, naming the cell where there
    // is one.
    std::unique_ptr<CSheetRows> OpenSheet(const std::string& sheet) const;
    std::vector<Row> Rows(const std::string& sheet) const;

    // The texts that cells name by their number.
    std::size_t SharedStringCount() const { return m_sharedEnds.size(); }
    std::string_view SharedString(std::size_t index) const;

private:
    class CArchive;

    std::string Part(const std::string& name) const;
    void ReadSheetList();
    void ReadSharedStrings();

    std::string m_bytes;
    std::unique_ptr<CArchive> m_archive;
    std::vector<std::string> m_sheetNames;
    std::vector<std::string> m_sheetParts;
    // All shared strings one after the other, and where each ends.
    std::string m_sharedText;
    std::vector<std::size_t> m_sharedEnds;
};
