#include "cli/KindFilter.h"

#include "data/SequenceEntry.h"

#include <cctype>
#include <iostream>

std::optional<CKindFilter> CKindFilter::Parse(std::string_view letters)
{
    CKindFilter filter;
    if (letters.empty())
        return filter;
    filter.m_allowed.fill(false);
    for (char c : letters) {
        static constexpr std::string_view kLetters = "EAMTZ";
        const auto index = kLetters.find(static_cast<char>(std::toupper(static_cast<unsigned char>(c))));
        if (index == std::string_view::npos)
            return std::nullopt;
        filter.m_allowed[index + 1] = true;
    }
    return filter;
}

bool CKindFilter::Allows(const CSequenceEntry& entry) const
{
    return Allows(entry.GetKind());
}

std::optional<CKindFilter> CKindFilter::ParseOption(std::string_view command, std::string_view letters)
{
    auto filter = Parse(letters);
    if (!filter)
        std::cerr << "morawin-cli " << command << ": --kinds takes letters of E A M T Z, not \"" << letters << "\"\n";
    return filter;
}
