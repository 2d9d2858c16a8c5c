#pragma once

#include <string>
#include <string_view>

// The language both programs speak: German, their own, or English. The
// settings file holds the user's choice ([Settings] Language=de|en|system).
namespace language {

constexpr const char* kSection = "Settings";
constexpr const char* kKey = "Language";
constexpr const char* kGerman = "de";
constexpr const char* kEnglish = "en";
constexpr const char* kSystem = "system";

bool IsChoice(std::string_view choice);

// The language a choice names. "system" takes the system's language: German
// when it is German or names none, English for any other, since English is
// what colleagues abroad read. No choice, or an unknown one, is German.
std::string Resolve(std::string_view choice, std::string_view systemLanguage);

} // namespace language
