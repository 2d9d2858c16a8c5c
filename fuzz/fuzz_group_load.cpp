// Group file reading on arbitrary data, header alone and whole: every read
// ends, nothing reads past the data, and a group that loads has sizes that
// agree with what it holds.
#include "fuzz/GroupFuzzSupport.h"
#include "panel/StepChainList.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    auto group = GroupForData(data, size);
    std::string designation;
    std::uint16_t sizeField = 0;
    const bool header = CStepChainGroup::ReadHeader({data, size}, group->GetGroupId(), designation, sizeField);
    const bool whole = ReadGroup(*group, data, size);
    // A file that loads has a header that reads.
    if (whole && !header)
        std::abort();
    if (whole) {
        if (group->GetName() != designation || !group->IsLoaded())
            std::abort();
        for (int i = 0; i < group->GetCount(); ++i)
            if (static_cast<std::size_t>(group->GetList(i)->GetListSize()) != group->GetList(i)->ComputeSize())
                std::abort();
        (void)group->ComputeSize();
    } else if (group->GetCount() != 0 || group->IsLoaded()) {
        std::abort();
    }
    return 0;
}
