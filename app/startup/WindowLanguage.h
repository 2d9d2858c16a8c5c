#pragma once

#include <string>

class CAppPaths;

// The language of the desktop program's windows, chosen once at start-up:
// the string table's texts, the windows' own (Tr) and wx's and the window
// system's (key names, standard dialogs) all speak it.
namespace window_language {

// Speaks the language `choice` names (see language::Resolve); returns "de"
// or "en". A missing catalog leaves German and one line on stderr.
std::string Use(const CAppPaths& paths, const std::string& choice);

} // namespace window_language
