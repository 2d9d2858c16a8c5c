#include "app/platform/MenuKeys.h"

namespace menu_keys {

void ShowGermanKeyNames(wxMenuBar*)
{
}

void ShowGermanKeyName(wxMenuItem&)
{
}

// GTK names the keys in the language the program gave it.
void ShowGermanKeyNamesInMenus(bool)
{
}

} // namespace menu_keys
