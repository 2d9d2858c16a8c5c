#include "app/widgets/UIntField.h"

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
    const std::string range = std::to_string(m_min) + " und " + std::to_string(m_max);
    switch (result) {
    case Result::ok:
        return {};
    case Result::empty:
    case Result::notNumber:
        return "Bitte geben Sie eine ganze Zahl zwischen " + range + " ein.";
    case Result::outOfRange:
        return "Die Zahl muss zwischen " + range + " liegen.";
    }
    return {};
}
