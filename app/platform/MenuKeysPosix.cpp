#include "app/platform/MenuKeys.h"

namespace menu_keys {

void ShowGermanKeyNames(wxMenuBar*)
{
}

} // namespace menu_keys
