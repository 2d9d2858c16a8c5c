#pragma once

#include <string>

class wxMenuItem;

// The key of a menu item as the window system shows it beside the item
// (UTF-8), as GTK or Windows formats it for the program.
std::string ShownKeyText(const wxMenuItem& item);
