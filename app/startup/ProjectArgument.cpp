#include "app/startup/ProjectArgument.h"

#include "app/platform/ShellPlatform.h"
#include "data/platform/Platform.h"

namespace fs = std::filesystem;

namespace {

bool HasWildcard(const fs::path& argument)
{
    return platform::PathToUtf8(argument).find_first_of("*?[") != std::string::npos;
}

// Absolute, without "." and ".." parts and without a trailing separator.
fs::path FullPath(const fs::path& path)
{
    std::error_code ec;
    fs::path full = fs::absolute(path, ec).lexically_normal();
    if (ec)
        return path;
    if (!full.has_filename() && full.has_relative_path())
        full = full.parent_path();
    return full;
}

} // namespace

fs::path ResolveProjectArgument(const fs::path& argument)
{
    if (argument.empty())
        return argument;
    // A name that exists as typed wins over reading it as a pattern
    // (folder names may hold brackets).
    std::error_code ec;
    fs::path found = fs::exists(argument, ec) ? argument : fs::path();
    if (found.empty() && HasWildcard(argument))
        found = shell_platform::FirstMatch(argument);
    return found.empty() ? argument : FullPath(found);
}
