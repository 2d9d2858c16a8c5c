// Whatever loads saves to bytes that load to the same content, and saving
// that again gives the same bytes. A save may only be refused for a group
// the format cannot hold (65536 bytes or more).
#include "data/records/FileException.h"
#include "fuzz/GroupFuzzSupport.h"

#include <cstdint>
#include <cstdlib>

namespace {

bool Write(const CStepChainGroup& group, CMemFile& out)
{
    try {
        group.WriteImage(out);
        return true;
    } catch (const CFileException& e) {
        if (e.GetCause() != CFileException::Cause::tooLarge || group.ComputeSize() <= CStepChainGroup::kMaxFileSize)
            std::abort();
        return false;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    auto first = GroupForData(data, size);
    if (!ReadGroup(*first, data, size))
        return 0;
    CMemFile saved;
    if (!Write(*first, saved))
        return 0;
    if (saved.GetLength() != first->ComputeSize())
        std::abort();

    auto second = GroupForData(saved.GetImage().data(), saved.GetLength());
    if (!ReadGroup(*second, saved.GetImage().data(), saved.GetLength()))
        std::abort();
    if (DescribeGroup(*second) != DescribeGroup(*first))
        std::abort();
    CMemFile again;
    if (!Write(*second, again) || again.GetImage() != saved.GetImage())
        std::abort();
    return 0;
}
