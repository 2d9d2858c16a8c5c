#include "history/FileState.h"

#include "history/ContentHash.h"

#include <charconv>

CFileState CFileState::Of(std::span<const std::uint8_t> bytes)
{
    CFileState state(Kind::bytes);
    state.m_size = bytes.size();
    state.m_hash = content_hash::HexOf(bytes);
    return state;
}

std::optional<CFileState> CFileState::Parse(std::string_view text)
{
    if (text == "-")
        return Absent();
    if (text == "?")
        return Unknown();
    const auto colon = text.find(':');
    if (colon == std::string_view::npos || colon == 0 || colon > 19)
        return std::nullopt;
    CFileState state(Kind::bytes);
    const char* end = text.data() + colon;
    const auto [stop, error] = std::from_chars(text.data(), end, state.m_size);
    if (error != std::errc() || stop != end)
        return std::nullopt;
    const std::string_view hash = text.substr(colon + 1);
    if (hash.size() != content_hash::kDigits || hash.find_first_not_of("0123456789abcdef") != std::string_view::npos)
        return std::nullopt;
    state.m_hash = hash;
    return state;
}

std::string CFileState::ToText() const
{
    switch (m_kind) {
    case Kind::absent: return "-";
    case Kind::unknown: return "?";
    case Kind::bytes: break;
    }
    return std::to_string(m_size) + ":" + m_hash;
}
