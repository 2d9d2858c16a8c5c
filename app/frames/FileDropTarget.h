#pragma once

#include <wx/dnd.h>

// Files dropped on a window of the program open as symbol tables, each in
// a window of its own, as Datei ▸ Öffnen would open them.
class CFileDropTarget : public wxFileDropTarget {
public:
    bool OnDropFiles(wxCoord x, wxCoord y, const wxArrayString& files) override;
};
