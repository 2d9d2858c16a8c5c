#pragma once

#include <string>

// Whether the desktop program has a display to open its windows on. Empty
// when it has; otherwise why not, in one German line without the program's
// name ("keine Anzeige: ..."). Asked before the window system starts,
// which would otherwise end the program with its own messages.
std::string MissingDisplay();

// What to say when the window system did not open although the display
// answered the check: the same words as for a display that does not
// answer.
std::string WindowSystemFailure();
