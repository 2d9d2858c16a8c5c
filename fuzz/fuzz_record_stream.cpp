// Record stream reads on arbitrary data: every read ends, none reads past
// the data, and the reference escapes round-trip.
#include "data/records/FileException.h"
#include "data/records/RecordStream.h"

#include <cstdint>
#include <cstdlib>

namespace {

void ReadEverything(CMemFile& file)
{
    try {
        (void)record::ReadLongHeader(file);
        for (int i = 0; i < 64 && file.GetRemaining() > 0; ++i) {
            std::uint8_t b = 0;
            record::ReadByte(file, b);
            if (b & 1)
                (void)record::DecodeReferences(record::ReadEscapedString(file));
            else
                (void)record::ReadCountedString(file);
        }
    } catch (const CFileException&) {
    }
    if (file.GetPosition() > file.GetLength())
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CMemFile file(std::vector<std::uint8_t>(data, data + size));
    ReadEverything(file);

    CMemFile shortHeader(std::vector<std::uint8_t>(data, data + size));
    try {
        (void)record::ReadShortHeader(shortHeader);
    } catch (const CFileException&) {
    }

    // Encoding any text gives a stored form without zero bytes whose
    // references decode to the same numbers; the length is predicted.
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::string stored = record::EncodeReferences(text);
    if (stored.size() != record::StoredLength(text))
        std::abort();
    for (std::size_t i = 0; i < stored.size(); ++i) {
        if (stored[i] == record::kEscape)
            i += 2;
        else if (stored[i] == '\0')
            std::abort();
    }
    const std::string decoded = record::DecodeReferences(stored);
    if (record::EncodeReferences(decoded) != stored)
        std::abort();
    return 0;
}
