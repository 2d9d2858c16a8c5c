#pragma once

#include <filesystem>

// The folder that the project argument on the command line names: a
// relative path becomes absolute, and a wildcard pattern becomes the first
// folder or file it matches (in name order). An argument that matches
// nothing is handed back unchanged, and the project test then finds
// nothing there.
std::filesystem::path ResolveProjectArgument(const std::filesystem::path& argument);
