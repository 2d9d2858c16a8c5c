#include "app/frames/RecentFilesMenu.h"

#include "app/frames/CommandIds.h"
#include "gui/WxText.h"

#include <wx/menu.h>

#include <algorithm>

namespace {

// Position of the first recent-file item (or the placeholder), -1 if none.
int FirstRecentPosition(wxMenu* menu)
{
    const auto& items = menu->GetMenuItems();
    int position = 0;
    for (const wxMenuItem* item : items) {
        const int id = item->GetId();
        if (id >= cmd::kRecentFirst && id < cmd::kRecentFirst + cmd::kRecentCount)
            return position;
        ++position;
    }
    return -1;
}

} // namespace

void CRecentFilesMenu::Attach(wxMenu* menu)
{
    if (!menu || std::find(m_menus.begin(), m_menus.end(), menu) != m_menus.end())
        return;
    m_menus.push_back(menu);
    Show(menu);
}

void CRecentFilesMenu::Detach(wxMenu* menu)
{
    std::erase(m_menus, menu);
}

void CRecentFilesMenu::Refresh()
{
    for (wxMenu* menu : m_menus)
        Show(menu);
}

void CRecentFilesMenu::Show(wxMenu* menu) const
{
    const int position = FirstRecentPosition(menu);
    if (position < 0)
        return;
    for (int id = cmd::kRecentFirst; id < cmd::kRecentFirst + cmd::kRecentCount; ++id)
        while (wxMenuItem* item = menu->FindChildItem(id))
            menu->Destroy(item);
    const wxString prompt = wxtext::Prompt(cmd::PromptId(cmd::kRecentFirst));
    const auto& files = m_list.GetFiles();
    if (files.empty()) {
        menu->Insert(static_cast<size_t>(position), cmd::kRecentFirst, wxtext::Tr("Letzte Datei"), prompt);
        menu->Enable(cmd::kRecentFirst, false);
        return;
    }
    for (std::size_t i = 0; i < files.size() && i < static_cast<std::size_t>(cmd::kRecentCount); ++i)
        menu->Insert(static_cast<size_t>(position) + i, cmd::kRecentFirst + static_cast<int>(i),
                     wxtext::FromUtf8(CRecentFileList::MenuLabel(i, files[i])), prompt);
}
