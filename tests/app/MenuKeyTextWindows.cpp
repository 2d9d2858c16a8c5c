#include "tests/app/MenuKeyText.h"

#include <wx/menu.h>

#include <windows.h>

std::string ShownKeyText(const wxMenuItem& item)
{
    const wxMenu* menu = item.GetMenu();
    if (!menu)
        return {};
    wchar_t text[256] = {};
    ::GetMenuStringW(static_cast<HMENU>(menu->GetHMenu()), static_cast<UINT>(item.GetId()), text, 256, MF_BYCOMMAND);
    const wxString shown(text);
    const int tab = shown.Find('\t');
    return tab == wxNOT_FOUND ? std::string() : shown.Mid(static_cast<size_t>(tab) + 1).utf8_string();
}
