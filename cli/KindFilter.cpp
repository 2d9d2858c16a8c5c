#include "cli/KindFilter.h"

#include "data/SequenceEntry.h"

#include <cctype>

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
