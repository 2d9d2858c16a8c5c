#pragma once

#include <string>

// The folder text of the project argument on the command line: a relative
// path becomes absolute, and a wildcard pattern becomes the first folder or
// file it matches (in name order). Text that matches nothing is handed back
// unchanged, and the project test then finds nothing there.
std::string ResolveProjectArgument(const std::string& text);
