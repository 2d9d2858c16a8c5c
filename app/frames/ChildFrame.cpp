#include "app/frames/ChildFrame.h"

#include "app/frames/Artwork.h"
#include "app/frames/MainFrame.h"
#include "app/frames/MenuBuilder.h"
#include "app/frames/MorawinApp.h"

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
