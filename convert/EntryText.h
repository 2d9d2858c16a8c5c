#pragma once

#include <string>

class CAppSettings;
class CSequenceEntry;

// The text a conversion stores for an operand (shown form, Windows-1252),
// by the two switches of the settings: the symbol, the comment, both with
// one space between, or nothing. The converter writes it and the
// comparison expects it.
std::string EntryText(const CAppSettings& settings, const CSequenceEntry& operand);
