#include "app/frames/FileDropTarget.h"

#include "app/frames/MorawinApp.h"
#include "gui/WxText.h"

bool CFileDropTarget::OnDropFiles(wxCoord, wxCoord, const wxArrayString& files)
{
    // Opened after the drop has ended: a message about a file that cannot
    // be read must not hold the other program's drag in a modal loop.
    std::vector<std::filesystem::path> paths;
    for (const wxString& file : files)
        paths.push_back(wxtext::ToPath(file));
    wxGetApp().CallAfter([paths] {
        for (const std::filesystem::path& path : paths)
            wxGetApp().OpenSequenceFile(path);
    });
    return !paths.empty();
}
