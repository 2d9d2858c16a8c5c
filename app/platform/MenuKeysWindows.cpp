#include "app/platform/MenuKeys.h"

#include <wx/arrstr.h>
#include <wx/menu.h>

#include <utility>

#include <windows.h>

namespace menu_keys {
namespace {

bool s_german = true;

// "Ctrl+Shift+Del" as German keyboards label the keys.
wxString GermanKeys(const wxString& keys)
{
    static const std::pair<const wchar_t*, const wchar_t*> kNames[] = {
        {L"Ctrl", L"Strg"}, {L"Shift", L"Umschalt"}, {L"Del", L"Entf"}, {L"Delete", L"Entf"}, {L"Ins", L"Einfg"}}; // untranslated: German keyboards' names, shown in German only
    wxString german;
    for (const wxString& part : wxSplit(keys, '+', '\0')) {
        wxString name = part;
        for (const auto& [english, translated] : kNames)
            if (part.IsSameAs(english, false))
                name = translated;
        german << (german.empty() ? L"" : L"+") << name;
    }
    return german;
}

// Windows shows the menu text as given; wx's own text of an item keeps
// the English key names that its accelerators are made from.
void ShowGermanKeyNames(wxMenu* menu)
{
    for (wxMenuItem* item : menu->GetMenuItems()) {
        if (wxMenu* sub = item->GetSubMenu())
            ShowGermanKeyNames(sub);
        ShowGermanKeyName(*item);
    }
}

} // namespace

void ShowGermanKeyName(wxMenuItem& item)
{
    const wxString label = item.GetItemLabel();
    const int tab = label.Find('\t');
    if (!s_german || tab == wxNOT_FOUND || !item.GetMenu())
        return;
    const wxString shown = label.Left(static_cast<size_t>(tab) + 1) + GermanKeys(label.Mid(static_cast<size_t>(tab) + 1));
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STRING;
    info.dwTypeData = const_cast<wchar_t*>(shown.wc_str());
    ::SetMenuItemInfoW(static_cast<HMENU>(item.GetMenu()->GetHMenu()), static_cast<UINT>(item.GetId()), FALSE, &info);
}

void ShowGermanKeyNamesInMenus(bool german)
{
    s_german = german;
}

void ShowGermanKeyNames(wxMenuBar* bar)
{
    for (size_t m = 0; m < bar->GetMenuCount(); ++m)
        ShowGermanKeyNames(bar->GetMenu(m));
}

} // namespace menu_keys
