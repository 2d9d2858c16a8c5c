// Sequence file reader: any bytes, read as a file and as single lines.
#include "data/sequence/SequenceEntry.h"
#include "data/sequence/SequenceFile.h"

#include <cstdint>
#include <cstdlib>
#include <sstream>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::istringstream in(text);
    CSequenceFile file("fuzz.seq");
    if (!file.ReadArchive(in))
        std::abort(); // an in-memory stream never fails
    for (int i = 0; i < file.GetCount(); ++i) {
        const CSequenceEntry* entry = file.GetEntry(i);
        if (entry->GetKind() < 1 || entry->GetKind() > 5)
            std::abort();
        if (!IsBitKind(entry->GetKind()) && entry->GetBit() != 0)
            std::abort();
        if (i > 0 && file.GetEntry(i - 1)->Compare(entry) > 0)
            std::abort(); // sorted
        for (int column = 0; column < 4; ++column)
            (void)entry->GetColumnText(column);
    }
    CSequenceEntry single(&file, text);
    (void)single.GetColumnText(0);
    return 0;
}
