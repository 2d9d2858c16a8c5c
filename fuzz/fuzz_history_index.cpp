// The history's index as another program or a damaged disk may leave it:
// reading never fails, keeps only group file names of the project, and
// what it kept is written and read back unchanged.
#include "history/HistoryIndex.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const CHistoryIndex index = CHistoryIndex::Parse(text, "731");
    for (const auto& record : index.records)
        for (const auto& file : record.files)
            if (!CHistoryIndex::IsProjectFileName(file.name, "731"))
                std::abort();
    const std::string written = index.ToText();
    const CHistoryIndex again = CHistoryIndex::Parse(written, "731");
    if (!again.damagedLines.empty() || again.ToText() != written)
        std::abort();
    return 0;
}
