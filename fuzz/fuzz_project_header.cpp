// The project data file header on arbitrary data: the read ends, and a
// valid header's name is what its length byte says.
#include "panel/PanelProject.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string name;
    const auto problem = CPanelProject::ReadDataFileHeader({data, size}, name);
    if (problem == CPanelProject::Problem::none) {
        if (size < 4 || data[0] != 1 || name.size() + 1 != data[3] || name.size() > 80)
            std::abort();
    } else if (!name.empty()) {
        std::abort();
    }
    return 0;
}
