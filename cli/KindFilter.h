#pragma once

#include <array>
#include <optional>
#include <string_view>

class CSequenceEntry;

// The operand kinds a command works on, from a text of kind letters
// (E A M T Z, either case). Empty text: all kinds.
class CKindFilter {
public:
    CKindFilter() { m_allowed.fill(true); }

    // Null when the text holds a letter that is not a kind.
    static std::optional<CKindFilter> Parse(std::string_view letters);
    // The same for a command's --kinds option; a refusal is said on stderr
    // in the command's name.
    static std::optional<CKindFilter> ParseOption(std::string_view command, std::string_view letters);

    bool Allows(int kind) const { return kind >= 0 && kind < 6 && m_allowed[static_cast<std::size_t>(kind)]; }
    bool Allows(const CSequenceEntry& entry) const;
    bool AllowsAll() const { return m_allowed == std::array<bool, 6>{true, true, true, true, true, true}; }

private:
    std::array<bool, 6> m_allowed{};
};
