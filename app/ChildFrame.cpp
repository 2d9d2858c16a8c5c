#include "app/ChildFrame.h"

#include "app/Artwork.h"
#include "app/MainFrame.h"
#include "app/MenuBuilder.h"
#include "app/MorawinApp.h"

CChildFrame::CChildFrame(wxDocument* document, wxView* view, wxMDIParentFrame* parent)
    : wxDocMDIChildFrame(document, view, parent, wxID_ANY, document->GetUserReadableName(), wxDefaultPosition,
                         wxDefaultSize, wxDEFAULT_FRAME_STYLE | wxMAXIMIZE)
{
    SetIcons(CArtwork::ProgramIcons());
    SetMenuBar(CMenuBuilder::DocumentMenuBar());
    wxGetApp().RecentFiles().Attach(CMenuBuilder::FileMenu(GetMenuBar()));
    // The status bar belongs to the main frame.
    Bind(wxEVT_MENU_HIGHLIGHT, [](wxMenuEvent& event) { wxGetApp().GetMainFrame()->OnMenuHighlight(event); });
    // Maximized or restored, the window may change what the main title says.
    Bind(wxEVT_SIZE, [](wxSizeEvent& event) {
        wxGetApp().GetMainFrame()->CallAfter(&CMainFrame::UpdateTitle);
        event.Skip();
    });
}

CChildFrame::~CChildFrame()
{
    wxGetApp().RecentFiles().Detach(CMenuBuilder::FileMenu(GetMenuBar()));
}
