#include "gui/WxText.h"

#include "data/settings/AppPaths.h"
#include "data/text/Charset.h"
#include "data/text/StringTable.h"

#include <wx/strconv.h>
#include <wx/translation.h>

#include <type_traits>

namespace wxtext {
namespace {

constexpr bool kWidePaths = std::is_same_v<std::filesystem::path::value_type, wchar_t>;

// Windows paths are UTF-16 already, like wxString there.
[[maybe_unused]] wxString FromNative(const std::wstring& wide)
{
    return wxString(wide);
}

[[maybe_unused]] wxString FromNative(const std::string& bytes)
{
    wxString text(bytes.c_str(), *wxConvFileName, bytes.size());
    // Bytes that are not UTF-8 still show, one character each.
    if (text.empty() && !bytes.empty())
        text = FromCp1252(bytes);
    return text;
}

[[maybe_unused]] std::filesystem::path PathFrom(const wxString& text, wchar_t)
{
    return std::filesystem::path(text.ToStdWstring());
}

[[maybe_unused]] std::filesystem::path PathFrom(const wxString& text, char)
{
    const wxCharBuffer bytes = text.mb_str(*wxConvFileName);
    return bytes.data() ? std::filesystem::path(std::string(bytes.data(), bytes.length())) : std::filesystem::path();
}

} // namespace

wxString FromUtf8(std::string_view text)
{
    return wxString::FromUTF8(text.data(), text.size());
}

wxString Tr(const char* german)
{
    // Only the program's own catalog: wx's (English sources, German
    // translations) could hold a German word as a source of its own.
    return wxGetTranslation(FromUtf8(german), wxASCII_STR(CAppPaths::kTextDomain));
}

wxString FromCp1252(std::string_view text)
{
    return FromUtf8(charset::Cp1252ToUtf8(text));
}

std::string ToCp1252(const wxString& text)
{
    return charset::Utf8ToCp1252(text.utf8_string());
}

wxString FromPath(const std::filesystem::path& path)
{
    return FromNative(path.native());
}

std::filesystem::path ToPath(const wxString& text)
{
    return PathFrom(text, std::filesystem::path::value_type());
}

std::string ArgumentBytes(const wxString& argument)
{
    // Windows hands wx the arguments as UTF-16; the program's narrow texts
    // are UTF-8 there.
    if constexpr (kWidePaths)
        return argument.utf8_string();
    // wx made the argument from the process's bytes with the locale's
    // conversion; the same conversion gives them back unchanged.
    const wxCharBuffer bytes = argument.mb_str(wxConvLocal);
    return bytes.data() ? std::string(bytes.data(), bytes.length()) : argument.utf8_string();
}

wxString String(unsigned id)
{
    return FromCp1252(CStringTable::Get(id));
}

wxString Prompt(unsigned id)
{
    const std::string& text = CStringTable::Get(id);
    return FromCp1252(std::string_view(text).substr(0, text.find('\n')));
}

wxString ToolTip(unsigned id)
{
    const std::string& text = CStringTable::Get(id);
    const auto newline = text.find('\n');
    return newline == std::string::npos ? wxString() : FromCp1252(std::string_view(text).substr(newline + 1));
}

} // namespace wxtext
