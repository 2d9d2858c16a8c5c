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
    wxGetApp().GetMainFrame()->FollowChild(this);
}

CChildFrame::~CChildFrame()
{
    wxGetApp().RecentFiles().Detach(CMenuBuilder::FileMenu(GetMenuBar()));
}
