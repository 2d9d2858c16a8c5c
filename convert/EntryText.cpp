#include "convert/EntryText.h"

#include "data/sequence/SequenceEntry.h"
#include "data/settings/AppSettings.h"

std::string EntryText(const CAppSettings& settings, const CSequenceEntry& operand)
{
    const bool symbol = settings.SymbolToText != 0;
    const bool comment = settings.CommentToText != 0;
    if (symbol && comment)
        return std::string(operand.GetSymbol()) + " " + std::string(operand.GetComment());
    if (symbol)
        return std::string(operand.GetSymbol());
    if (comment)
        return std::string(operand.GetComment());
    return {};
}
