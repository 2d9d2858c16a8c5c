#pragma once

class wxMenuBar;

namespace menu_keys {

// Shows the keys of the bar's menu items with their German names
// ("Strg+O", "Entf"), as German programs do. GTK names the keys itself, in
// the language shell_platform::FollowUserLanguage gives it.
void ShowGermanKeyNames(wxMenuBar* bar);

} // namespace menu_keys
