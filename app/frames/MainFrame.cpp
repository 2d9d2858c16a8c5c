#include "app/frames/MainFrame.h"
#include "app/frames/FileDropTarget.h"

#include "app/frames/Artwork.h"
#include "app/frames/CommandIds.h"
#include "app/frames/MenuBuilder.h"
#include "app/frames/MorawinApp.h"
#include "app/document/MorawinView.h"
#include "app/frames/ProjectStatusBar.h"
#include "app/platform/ShellPlatform.h"
#include "gui/WxText.h"

#include <wx/menu.h>
#include <wx/toolbar.h>

#include <utility>

namespace {

constexpr unsigned kMainTitle = 128;

} // namespace

CMainFrame::CMainFrame(wxDocManager* manager)
    : wxDocMDIParentFrame(manager, nullptr, wxID_ANY, wxtext::String(kMainTitle), wxDefaultPosition, wxSize(1000, 700),
                          wxDEFAULT_FRAME_STYLE | wxFRAME_NO_WINDOW_MENU)
{
    SetIcons(CArtwork::ProgramIcons());
    SetMenuBar(CMenuBuilder::MainMenuBar());
    wxGetApp().RecentFiles().Attach(CMenuBuilder::FileMenu(GetMenuBar()));
    CreateToolBarButtons();
    m_statusBar = new CProjectStatusBar(this);
    SetStatusBar(m_statusBar);
    m_statusBar->Init();
    SetAcceleratorTable(CMenuBuilder::Accelerators());
    SetDropTarget(new CFileDropTarget);

    Bind(wxEVT_MENU_OPEN, &CMainFrame::OnMenuOpen, this);
    Bind(wxEVT_MENU_CLOSE, &CMainFrame::OnMenuClose, this);
    Bind(wxEVT_MENU_HIGHLIGHT, &CMainFrame::OnMenuHighlight, this);
    Bind(wxEVT_MENU, &CMainFrame::OnToggleToolBar, this, cmd::kViewToolBar);
    Bind(wxEVT_MENU, &CMainFrame::OnToggleStatusBar, this, cmd::kViewStatusBar);
    Bind(wxEVT_UPDATE_UI, &CMainFrame::OnUpdateToolBarItem, this, cmd::kViewToolBar);
    Bind(wxEVT_UPDATE_UI, &CMainFrame::OnUpdateStatusBarItem, this, cmd::kViewStatusBar);
    // Reached only when no view took the command first.
    Bind(wxEVT_UPDATE_UI, &CMainFrame::OnUpdateNeedsView, this, cmd::kConvert);
    Bind(wxEVT_UPDATE_UI, &CMainFrame::OnUpdateNeedsView, this, cmd::kConvertAll);
    Bind(wxEVT_MENU, &CMainFrame::OnWindowCommand, this, cmd::kWindowNew, cmd::kWindowTile);
    Bind(wxEVT_MENU, &CMainFrame::OnFileClose, this, cmd::kFileClose);
    Bind(wxEVT_MENU, &CMainFrame::OnExit, this, cmd::kAppExit);
    // GTK reports a top-level window shown when the window manager has
    // mapped it, Windows at once.
    Bind(wxEVT_SHOW, &CMainFrame::OnShow, this);
    m_onScreenTimeout.Bind(wxEVT_TIMER, [this](wxTimerEvent&) { RunWaiting(); });
}

void CMainFrame::WhenOnScreen(std::function<void()> work)
{
    m_waiting.push_back(std::move(work));
    if (m_onScreen)
        CallAfter(&CMainFrame::RunWaiting);
    else if (!m_onScreenTimeout.IsRunning())
        m_onScreenTimeout.StartOnce(3000);
}

void CMainFrame::OnShow(wxShowEvent& event)
{
    event.Skip();
    if (!event.IsShown() || m_onScreen)
        return;
    m_onScreen = true;
    CallAfter(&CMainFrame::RunWaiting);
}

void CMainFrame::RunWaiting()
{
    m_onScreenTimeout.Stop();
    m_onScreen = true;
    for (auto waiting = std::exchange(m_waiting, {}); auto& work : waiting)
        work();
}

CMainFrame::~CMainFrame()
{
    wxGetApp().RecentFiles().Detach(CMenuBuilder::FileMenu(GetMenuBar()));
}

void CMainFrame::CreateToolBarButtons()
{
    wxToolBar* bar = CreateToolBar(wxTB_HORIZONTAL | wxTB_FLAT);
    bar->SetToolBitmapSize(wxSize(16, 15));
    const auto add = [bar](int id, const wxBitmap& bitmap) {
        const unsigned prompt = cmd::PromptId(id);
        bar->AddTool(id, wxtext::ToolTip(prompt), bitmap, wxtext::ToolTip(prompt), wxITEM_NORMAL);
        bar->SetToolLongHelp(id, wxtext::Prompt(prompt));
    };
    add(cmd::kFileOpen, CArtwork::ToolOpen());
    add(cmd::kConvertAll, CArtwork::ToolConvertAll());
    bar->AddSeparator();
    add(cmd::kAppAbout, CArtwork::ToolAbout());
    bar->Realize();
}

void CMainFrame::ShowProject(const wxString& path, const wxString& name)
{
    m_statusBar->ShowProject(path, name);
}

void CMainFrame::UpdateTitle()
{
    wxString title = wxtext::String(kMainTitle);
    wxString counts;
    wxView* view = GetDocumentManager()->GetCurrentView();
    // The frame of the active view is titled like its tab ("name:2"); a
    // window without a document (the project browser) has its own title.
    const wxMDIChildFrame* active = view ? wxDynamicCast(view->GetFrame(), wxMDIChildFrame) : nullptr;
    if (!active)
        active = GetActiveChild();
    // Where the system names a maximized child itself, the name would
    // stand twice ("MoraWin - X - [X]").
    if (active && !(shell_platform::AddsMaximizedChildToTitle() && active->IsMaximized()))
        title += wxString::FromUTF8(" - ") + active->GetTitle();
    if (const auto* operands = dynamic_cast<const CMorawinView*>(view))
        counts = operands->GetCountText();
    SetTitle(title);
    m_statusBar->ShowCounts(counts);
}

// GTK reports each menu of the bar (and each sub-menu) on its own, and
// moving along the bar may open the next menu before the last one is
// reported closed: the bar is in menu mode while any of them is open.
void CMainFrame::OnMenuOpen(wxMenuEvent& event)
{
    // Pop-up menus leave the bar as it is.
    if (!event.IsPopup() && m_openMenus++ == 0)
        m_statusBar->EnterMenuMode();
    // The frame's own handling updates the items of the menu.
    event.Skip();
}

void CMainFrame::OnMenuClose(wxMenuEvent& event)
{
    // Not passed on: the frame's own handling would put back the text it
    // saved from the menu-mode pane over the project texts.
    if (!event.IsPopup() && m_openMenus > 0 && --m_openMenus == 0)
        m_statusBar->ExitMenuMode();
}

void CMainFrame::EndMenuMode()
{
    if (m_openMenus == 0)
        return;
    m_openMenus = 0;
    m_statusBar->ExitMenuMode();
}

void CMainFrame::FollowChild(wxMDIChildFrame* child)
{
    child->Bind(wxEVT_MENU_HIGHLIGHT, &CMainFrame::OnMenuHighlight, this);
    child->Bind(wxEVT_SIZE, [this](wxSizeEvent& event) {
        CallAfter(&CMainFrame::UpdateTitle);
        event.Skip();
    });
}

void CMainFrame::OnMenuHighlight(wxMenuEvent& event)
{
    if (!m_statusBar->InMenuMode())
        return;
    const wxMenuItem* item = event.GetMenu() ? event.GetMenu()->FindItem(event.GetMenuId()) : nullptr;
    m_statusBar->SetStatusText(item ? item->GetHelp() : wxString(), 0);
}

void CMainFrame::OnToggleToolBar(wxCommandEvent&)
{
    GetToolBar()->Show(!GetToolBar()->IsShown());
    SendSizeEvent();
}

void CMainFrame::OnToggleStatusBar(wxCommandEvent&)
{
    m_statusBar->Show(!m_statusBar->IsShown());
    SendSizeEvent();
}

void CMainFrame::OnUpdateToolBarItem(wxUpdateUIEvent& event)
{
    event.Check(GetToolBar()->IsShown());
}

void CMainFrame::OnUpdateStatusBarItem(wxUpdateUIEvent& event)
{
    event.Check(m_statusBar->IsShown());
}

void CMainFrame::OnUpdateNeedsView(wxUpdateUIEvent& event)
{
    event.Enable(GetDocumentManager()->GetCurrentView() != nullptr);
}

void CMainFrame::OnWindowCommand(wxCommandEvent& event)
{
    switch (event.GetId()) {
    case cmd::kWindowNew:
        if (wxView* view = GetDocumentManager()->GetCurrentView())
            if (wxDocument* document = view->GetDocument())
                document->GetDocumentTemplate()->CreateView(document);
        break;
    // GTK shows child frames as tabs, which have no arrangement: these
    // calls do what the platform offers, which is nothing.
    case cmd::kWindowCascade:
        Cascade();
        break;
    case cmd::kWindowTile:
        Tile(wxHORIZONTAL);
        break;
    case cmd::kWindowArrange:
        ArrangeIcons();
        break;
    default:
        event.Skip();
    }
}

void CMainFrame::OnFileClose(wxCommandEvent&)
{
    // The active document with all its windows; it is never modified, so
    // nothing is asked.
    if (wxDocument* document = GetDocumentManager()->GetCurrentDocument())
        GetDocumentManager()->CloseDocument(document);
}

void CMainFrame::OnExit(wxCommandEvent&)
{
    Close();
}
