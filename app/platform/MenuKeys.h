#pragma once

class wxMenuBar;
class wxMenuItem;

namespace menu_keys {

// Shows the keys of the bar's menu items with their German names
// ("Strg+O", "Entf"), as German programs do. GTK names the keys itself, in
// the language shell_platform::FollowUserLanguage gives it.
void ShowGermanKeyNames(wxMenuBar* bar);
// Whether the two above write German names: the program speaks German
// (the default) or English, whose names wx writes itself.
void ShowGermanKeyNamesInMenus(bool german);
// The same for one item, after its label changed.
void ShowGermanKeyName(wxMenuItem& item);

} // namespace menu_keys
