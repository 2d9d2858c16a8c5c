#pragma once

#include <filesystem>

// The benchmark project: 99 groups S01..S99, each just under 64 KB (15
// lists of 125 texts), built once per process in a benchmark folder of its
// own. `size` receives the bytes of all group files.
const std::filesystem::path& NinetyNineGroupProject(double& size);
