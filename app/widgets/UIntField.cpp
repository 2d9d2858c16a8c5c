#include "app/widgets/UIntField.h"

#include "data/text/StringTable.h"
#include "data/text/TextFormat.h"

CUIntField::Result CUIntField::Check(std::string_view text, unsigned& value) const
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return Result::empty;
    text = text.substr(first, text.find_last_not_of(" \t") - first + 1);
    unsigned long long number = 0;
    for (char c : text) {
        if (!IsDigit(static_cast<unsigned char>(c)))
            return Result::notNumber;
        // Saturate: any number this large is out of range anyway.
        number = number > 0xFFFFFFFFULL ? number : number * 10 + static_cast<unsigned>(c - '0');
    }
    if (number < m_min || number > m_max)
        return Result::outOfRange;
    value = static_cast<unsigned>(number);
    return Result::ok;
}

std::string CUIntField::Message(Result result) const
{
    // The string table's texts are Windows-1252; the message is UTF-8.
    const auto text = [this](unsigned id) { return FormatText(CStringTable::GetUtf8(id), {m_min, m_max}); };
    switch (result) {
    case Result::ok:
        return {};
    case Result::empty:
    case Result::notNumber:
        return text(ids::kNumberExpected);
    case Result::outOfRange:
        return text(ids::kNumberOutOfRange);
    }
    return {};
}
