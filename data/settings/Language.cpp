#include "data/settings/Language.h"

namespace language {
namespace {

// "de_DE.UTF-8", "de-AT" and "de" are German; "C" and "POSIX" name no language.
bool NamesGerman(std::string_view system)
{
    const std::string_view first = system.substr(0, system.find(':'));
    const std::string_view code = first.substr(0, first.find_first_of("_-.@"));
    return code.empty() || code == "de" || code == "C" || code == "POSIX";
}

} // namespace

bool IsChoice(std::string_view choice)
{
    return choice == kGerman || choice == kEnglish || choice == kSystem;
}

std::string Resolve(std::string_view choice, std::string_view systemLanguage)
{
    if (choice == kEnglish)
        return kEnglish;
    if (choice == kSystem)
        return NamesGerman(systemLanguage) ? kGerman : kEnglish;
    return kGerman;
}

} // namespace language
