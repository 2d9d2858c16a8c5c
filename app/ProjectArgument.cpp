#include "app/ProjectArgument.h"

#include "app/ShellPlatform.h"
#include "data/Platform.h"

#include <filesystem>

namespace fs = std::filesystem;

namespace {

bool HasWildcard(const std::string& text)
{
    return text.find_first_of("*?[") != std::string::npos;
}

// Absolute, without "." and ".." parts and without a trailing separator.
std::string FullPath(const std::string& text)
{
    std::error_code ec;
    fs::path full = fs::absolute(platform::PathFromUtf8(text), ec).lexically_normal();
    if (ec)
        return text;
    if (!full.has_filename() && full.has_relative_path())
        full = full.parent_path();
    return platform::PathToUtf8(full);
}

} // namespace

std::string ResolveProjectArgument(const std::string& text)
{
    if (text.empty())
        return text;
    // A name that exists as typed wins over reading it as a pattern
    // (folder names may hold brackets).
    std::error_code ec;
    std::string found = fs::exists(platform::PathFromUtf8(text), ec) ? text : std::string();
    if (found.empty() && HasWildcard(text))
        found = platform::PathToUtf8(shell_platform::FirstMatch(platform::PathFromUtf8(text)));
    return found.empty() ? text : FullPath(found);
}
