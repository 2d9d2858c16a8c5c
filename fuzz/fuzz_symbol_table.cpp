// Symbol tables: any bytes, read as a table and as a sequence file, in the
// detected encoding and in each one chosen. Reading either refuses the
// input with CTableError or gives sorted operands whose texts hold no line
// break; the operands marked as having lost characters are operands read.
#include "data/sequence/SequenceEntry.h"
#include "data/sequence/SequenceFile.h"
#include "tables/SymbolTableReader.h"
#include "tables/TableError.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace {

void Check(const CSequenceFile& file, const SymbolTableReport& report)
{
    std::vector<std::uint32_t> keys;
    for (int i = 0; i < file.GetCount(); ++i) {
        const CSequenceEntry* entry = file.GetEntry(i);
        if (entry->GetKind() < 1 || entry->GetKind() > 5 || (i > 0 && file.GetEntry(i - 1)->Compare(entry) > 0))
            std::abort();
        if (entry->GetSymbol().find('\n') != std::string_view::npos)
            std::abort();
        keys.push_back(entry->SortKey());
    }
    for (std::uint32_t key : report.replacedOperands)
        if (std::find(keys.begin(), keys.end(), key) == keys.end())
            std::abort();
}

void Read(const std::string& bytes, SymbolTableForm form, std::optional<TextEncoding> encoding)
{
    SymbolTableOptions options;
    options.encoding = encoding;
    CSequenceFile file("fuzz");
    try {
        Check(file, CSymbolTableReader(options).Read(bytes, form, file));
    } catch (const CTableError&) {
        if (file.GetCount() != 0)
            std::abort(); // a refused table leaves nothing behind
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    for (SymbolTableForm form : {SymbolTableForm::table, SymbolTableForm::sequence})
        Read(bytes, form, std::nullopt);
    for (TextEncoding encoding : {TextEncoding::utf8, TextEncoding::utf16be})
        Read(bytes, SymbolTableForm::table, encoding);
    return 0;
}
