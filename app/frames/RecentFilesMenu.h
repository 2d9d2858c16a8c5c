#pragma once

#include "app/frames/RecentFileList.h"

#include <vector>

class wxMenu;

// Shows the recent-file list in every "&Datei" menu that is attached: the
// entries replace the greyed placeholder "Letzte Datei" between the two
// separators, and the placeholder comes back when the list is empty.
class CRecentFilesMenu {
public:
    CRecentFileList& List() { return m_list; }
    const CRecentFileList& List() const { return m_list; }

    // The menu must hold the placeholder item.
    void Attach(wxMenu* menu);
    void Detach(wxMenu* menu);
    // Call after the list changed.
    void Refresh();

private:
    void Show(wxMenu* menu) const;

    CRecentFileList m_list;
    std::vector<wxMenu*> m_menus;
};
