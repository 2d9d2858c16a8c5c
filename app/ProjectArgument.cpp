#include "app/ProjectArgument.h"

#include <filesystem>
#include <glob.h>

namespace fs = std::filesystem;

namespace {

bool HasWildcard(const std::string& text)
{
    return text.find_first_of("*?[") != std::string::npos;
}

std::string FirstMatch(const std::string& pattern)
{
    glob_t matches{};
    std::string first;
    if (::glob(pattern.c_str(), 0, nullptr, &matches) == 0 && matches.gl_pathc > 0)
        first = matches.gl_pathv[0];
    ::globfree(&matches);
    return first;
}

// Absolute, without "." and ".." parts and without a trailing separator.
std::string FullPath(const std::string& text)
{
    std::error_code ec;
    fs::path full = fs::absolute(text, ec).lexically_normal();
    if (ec)
        return text;
    if (!full.has_filename() && full.has_relative_path())
        full = full.parent_path();
    return full.string();
}

} // namespace

std::string ResolveProjectArgument(const std::string& text)
{
    if (text.empty())
        return text;
    // A name that exists as typed wins over reading it as a pattern
    // (folder names may hold brackets).
    std::error_code ec;
    std::string found = fs::exists(text, ec) ? text : std::string();
    if (found.empty() && HasWildcard(text))
        found = FirstMatch(text);
    return found.empty() ? text : FullPath(found);
}
