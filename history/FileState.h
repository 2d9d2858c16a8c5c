#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

// What a file of a project held at one moment, as the history records it:
// nothing (no such file), or its size and the hash of its bytes. While
// an operation is still running its files' later states are unknown.
class CFileState {
public:
    static CFileState Absent() { return CFileState(Kind::absent); }
    static CFileState Unknown() { return CFileState(Kind::unknown); }
    static CFileState Of(std::span<const std::uint8_t> bytes);

    // The stored form: "-" absent, "?" unknown, "<size>:<32 hex digits>".
    // Nothing for any other text.
    static std::optional<CFileState> Parse(std::string_view text);
    std::string ToText() const;

    bool IsAbsent() const { return m_kind == Kind::absent; }
    bool IsUnknown() const { return m_kind == Kind::unknown; }
    bool Exists() const { return m_kind == Kind::bytes; }
    std::uint64_t Size() const { return m_size; }
    // The content's name in the history (Exists only).
    const std::string& Hash() const { return m_hash; }

    bool operator==(const CFileState&) const = default;

private:
    enum class Kind { absent, unknown, bytes };
    explicit CFileState(Kind kind) : m_kind(kind) {}

    Kind m_kind;
    std::uint64_t m_size = 0;
    std::string m_hash;
};
