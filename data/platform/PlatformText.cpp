#include "data/platform/Platform.h"

#include "data/text/Charset.h"

// Built on the systems' own UTF-8 conversions, so the same on both.
namespace platform {

std::filesystem::path PathFromCp1252(std::string_view text)
{
    return PathFromUtf8(charset::Cp1252ToUtf8(text));
}

std::optional<std::string> PathToCp1252(const std::filesystem::path& path)
{
    const std::string utf8 = PathToUtf8(path);
    std::string text = charset::Utf8ToCp1252(utf8);
    // Every byte stands for one code point, so only a name that had one
    // Windows-1252 byte for each of its characters comes back unchanged.
    if (charset::Cp1252ToUtf8(text) != utf8)
        return std::nullopt;
    return text;
}

} // namespace platform
