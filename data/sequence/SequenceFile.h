#pragma once

#include "data/model/DataFile.h"

#include <filesystem>
#include <istream>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class CSequenceEntry;

// The operands of one sequence file (*.seq), sorted by kind, byte and bit.
// The program never writes a sequence file.
class CSequenceFile : public CDataFile {
public:
    explicit CSequenceFile(std::filesystem::path path);

    int GetType() const override { return type_code::kSequenceFile; }
    // Only ReadArchive fills the list.
    bool Load() override { return false; }
    bool Save() override { return false; }
    // By kind, byte and bit; lines for the same operand keep file order.
    void Sort() override;
    int GetColumnCount() const override { return 3; }
    int GetColumnWidth(int column) const override { return WidthOf({12, 12, 30}, column); }
    std::string GetColumnHeaders() const override;
    std::filesystem::path GetFilePath() const override { return m_path; }

    // Reads every line; each operand line becomes an entry, others are
    // skipped. Lines end with LF or CR LF and may hold any byte. On a read
    // error the list is emptied and false returned.
    bool ReadArchive(std::istream& in);
    // The same for a file read whole into `content`: its lines are parsed
    // in place and the entries' texts stay in it, so that a large file is
    // held once and not copied piece by piece.
    bool ReadContent(std::string content);

    CSequenceEntry* GetEntry(int index) const;

    void RemoveAll() override;

    // Keeps a copy of `text` for as long as the entries live (until
    // RemoveAll or destruction) and returns it. Entries keep their texts
    // here, in large blocks, instead of in one allocation each.
    std::string_view StoreText(std::string_view text);

private:
    // Adds an entry for each operand line that `nextLine` delivers, then
    // sorts; `failed` tells afterwards whether reading went wrong.
    template <class NextLine, class Failed>
    bool ReadLines(NextLine nextLine, Failed failed);
    void AddLine(std::string_view line);

    std::filesystem::path m_path;
    std::string m_content;
    std::vector<std::unique_ptr<char[]>> m_textBlocks;
    std::size_t m_blockUsed = 0;
    std::size_t m_blockSize = 0;
};
