#include "app/browser/ProjectBrowserFrame.h"

#include "app/frames/Artwork.h"
#include "app/frames/CommandIds.h"
#include "app/frames/MainFrame.h"
#include "app/frames/MenuBuilder.h"
#include "app/frames/MorawinApp.h"
#include "app/browser/ProjectBrowser.h"
#include "gui/WxText.h"
#include "data/model/DataList.h"
#include "panel/PanelProject.h"

#include <wx/menu.h>

#include <optional>

namespace {

// The list command each edit command asks about.
std::optional<ListCommand> ListCommandOf(int id)
{
    switch (id) {
    case wxID_COPY: return ListCommand::copy;
    case wxID_PASTE: return ListCommand::paste;
    case wxID_DELETE: return ListCommand::remove;
    case cmd::kRenameGroup: return ListCommand::rename;
    default: return std::nullopt;
    }
}

} // namespace

CProjectBrowserFrame::CProjectBrowserFrame(CMainFrame* parent)
    : wxMDIChildFrame(parent, wxID_ANY, wxString(), wxDefaultPosition, wxDefaultSize,
                      wxDEFAULT_FRAME_STYLE | wxMAXIMIZE)
{
    SetIcons(CArtwork::ProgramIcons());
    SetMenuBar(CMenuBuilder::BrowserMenuBar());
    wxGetApp().RecentFiles().Attach(CMenuBuilder::FileMenu(GetMenuBar()));
    m_browser = new CProjectBrowser(this);
    m_browser->SetHistorySource([] { return wxGetApp().GetHistory(); });
    BindCommands();
    wxGetApp().AddProjectObserver(this);
    if (const CPanelProject* project = wxGetApp().GetProject())
        m_browser->ShowProject(project->GetProjectDir());
    ShowTitle();
}

CProjectBrowserFrame::~CProjectBrowserFrame()
{
    wxGetApp().RemoveProjectObserver(this);
    wxGetApp().RecentFiles().Detach(CMenuBuilder::FileMenu(GetMenuBar()));
}

void CProjectBrowserFrame::BindCommands()
{
    const int commands[] = {wxID_COPY, wxID_PASTE, wxID_DELETE, cmd::kRenameGroup, cmd::kRefresh};
    for (int id : commands) {
        Bind(wxEVT_MENU, &CProjectBrowserFrame::OnEdit, this, id);
        Bind(wxEVT_UPDATE_UI, &CProjectBrowserFrame::OnUpdateEdit, this, id);
    }
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { Close(); }, cmd::kFileClose);
    Bind(wxEVT_ACTIVATE, [](wxActivateEvent& event) {
        wxGetApp().GetMainFrame()->CallAfter(&CMainFrame::UpdateTitle);
        event.Skip();
    });
    wxGetApp().GetMainFrame()->FollowChild(this);
}

void CProjectBrowserFrame::ShowTitle()
{
    const CPanelProject* project = m_browser->GetProject();
    SetTitle(wxtext::Tr("Projekt ") + (project ? wxtext::FromCp1252(project->GetName()) : wxString()));
    wxGetApp().GetMainFrame()->CallAfter(&CMainFrame::UpdateTitle);
}

void CProjectBrowserFrame::OnProjectChanged()
{
    const CPanelProject* open = wxGetApp().GetProject();
    if (!open) {
        Close();
        return;
    }
    const CPanelProject* shown = m_browser->GetProject();
    if (shown && shown->GetProjectDir() == open->GetProjectDir())
        m_browser->Reload();
    else
        m_browser->ShowProject(open->GetProjectDir());
    ShowTitle();
}

void CProjectBrowserFrame::OnEdit(wxCommandEvent& event)
{
    switch (event.GetId()) {
    case wxID_COPY: m_browser->Copy(); break;
    case wxID_PASTE: m_browser->Paste(); break;
    case wxID_DELETE: m_browser->Delete(); break;
    case cmd::kRenameGroup: m_browser->RenameGroup(); break;
    case cmd::kRefresh: m_browser->Reload(); break;
    default: event.Skip();
    }
}

void CProjectBrowserFrame::OnUpdateEdit(wxUpdateUIEvent& event)
{
    const auto command = ListCommandOf(event.GetId());
    // Einfügen stays open while a project is shown, so that its key and
    // its menu item say why a paste cannot be made; the menu's key would
    // be swallowed unheard while the item is disabled.
    if (command == ListCommand::paste)
        event.Enable(m_browser->GetProject() != nullptr);
    else
        event.Enable(!command || m_browser->IsEnabled(*command));
}
