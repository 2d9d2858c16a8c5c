#include "app/platform/MenuKeys.h"

namespace menu_keys {

void ShowGermanKeyNames(wxMenuBar*)
{
}

void ShowGermanKeyName(wxMenuItem&)
{
}

} // namespace menu_keys
