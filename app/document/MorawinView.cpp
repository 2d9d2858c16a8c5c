#include "app/document/MorawinView.h"

#include "app/frames/ChildFrame.h"
#include "app/frames/CommandIds.h"
#include "app/frames/FileDropTarget.h"
#include "app/comparison/ComparisonDialog.h"
#include "app/frames/MainFrame.h"
#include "app/frames/MorawinApp.h"
#include "app/document/MorawinDoc.h"
#include "app/dialogs/OperandFilterDialog.h"
#include "app/document/OperandListCtrl.h"
#include "app/document/OperandPrintout.h"
#include "app/frames/StatusPanes.h"
#include "gui/WxText.h"
#include "data/sequence/SequenceEntry.h"
#include "data/sequence/SequenceFile.h"
#include "panel/PanelProject.h"

#include <wx/print.h>
#include <wx/utils.h>

wxIMPLEMENT_DYNAMIC_CLASS(CMorawinView, wxView);

CMorawinView::CMorawinView()
{
    Bind(wxEVT_MENU, &CMorawinView::OnConvert, this, cmd::kConvert);
    Bind(wxEVT_MENU, &CMorawinView::OnConvertAll, this, cmd::kConvertAll);
    Bind(wxEVT_MENU, &CMorawinView::OnCompare, this, cmd::kCompareWithProject);
    Bind(wxEVT_MENU, &CMorawinView::OnOperands, this, cmd::kViewOperands);
#if wxUSE_PRINTING_ARCHITECTURE
    Bind(wxEVT_MENU, &CMorawinView::OnPrintPreview, this, wxID_PREVIEW);
#endif
    Bind(wxEVT_UPDATE_UI, &CMorawinView::OnUpdateEnable, this, cmd::kConvert);
    Bind(wxEVT_UPDATE_UI, &CMorawinView::OnUpdateEnable, this, cmd::kConvertAll);
    Bind(wxEVT_MENU, &CMorawinView::OnSelectAll, this, wxID_SELECTALL);
}

CMorawinView::~CMorawinView()
{
    // The main window's title named this view's document.
    if (CMainFrame* main = wxGetApp().GetMainFrame())
        main->CallAfter(&CMainFrame::UpdateTitle);
}

CMorawinDoc* CMorawinView::GetMorawinDoc() const
{
    return static_cast<CMorawinDoc*>(GetDocument());
}

bool CMorawinView::OnCreate(wxDocument* document, long flags)
{
    if (!wxView::OnCreate(document, flags))
        return false;
    auto* frame = new CChildFrame(document, this, wxGetApp().GetMainFrame());
    m_list = new COperandListCtrl(frame);
    // Windows hands a drop to the window under the mouse only.
    m_list->SetDropTarget(new CFileDropTarget);
    SetFrame(frame);
    SetUpColumns();
    // A further window on an open document lists its rows at once; a new
    // document is filled when it has been read.
    FillOperandList();
    GetMorawinDoc()->UpdateWindowTitles();
    frame->Show();
    m_list->CallAfter(&COperandListCtrl::TakeFocus);
    return true;
}

void CMorawinView::SetUpColumns()
{
    // A document made with New has no file; it shows the same (empty) list.
    const CSequenceFile layout{std::string()};
    const CSequenceFile* file = GetMorawinDoc()->GetSequenceFile();
    const CSequenceFile& source = file ? *file : layout;
    std::vector<COperandListCtrl::Column> columns;
    for (int i = 0; i < source.GetColumnCount(); ++i)
        columns.push_back({wxtext::FromCp1252(source.GetColumnHeader(i)), source.GetColumnWidth(i)});
    m_list->SetColumns(columns);
}

void CMorawinView::OnUpdate(wxView*, wxObject*)
{
    FillOperandList();
}

void CMorawinView::FillOperandList()
{
    wxBusyCursor wait;
    const CMorawinDoc* document = GetMorawinDoc();
    const CSequenceFile* file = document->GetSequenceFile();
    m_list->SetRows(file ? FilteredOperands(*file, m_filter) : std::vector<CSequenceEntry*>(),
                    &document->GetDuplicates(), document->GetReport().replacedOperands);
    // Why the list is empty, when it is.
    if (file && file->GetCount() == 0)
        m_list->SetHint(wxtext::Tr("Keine Operanden in dieser Datei: jede Zeile muss mit Tabulator, "
                                   "Kennbuchstabe und Leerzeichen beginnen"));
    else if (file && m_list->GetRows().empty())
        m_list->SetHint(wxtext::Tr("Keine Operanden der gewählten Arten (Ansicht ▸ Operanden...)"));
    else
        m_list->SetHint(wxString());
    if (CMainFrame* main = wxGetApp().GetMainFrame())
        main->CallAfter(&CMainFrame::UpdateTitle);
}

wxString CMorawinView::GetCountText() const
{
    const CSequenceFile* file = GetMorawinDoc()->GetSequenceFile();
    if (!file)
        return wxString();
    std::string text = CStatusPanes::CountText(m_list->GetRows().size(), static_cast<std::size_t>(file->GetCount()),
                                               GetMorawinDoc()->GetDuplicates().OperandCount());
    if (const std::string note = GetMorawinDoc()->ReadingNote(); !note.empty())
        text += ", " + note;
    return wxString::FromUTF8(text);
}

void CMorawinView::OnChangeFilename()
{
    // Not the framework's: several windows on one file are numbered.
    GetMorawinDoc()->UpdateWindowTitles();
}

void CMorawinView::OnSelectAll(wxCommandEvent&)
{
    m_list->SelectAll();
}

void CMorawinView::SetFilter(const COperandFilter& filter)
{
    if (filter == m_filter)
        return;
    m_filter = filter;
    FillOperandList();
}

bool CMorawinView::OnClose(bool deleteWindow)
{
    // Closing one of several windows on a document leaves the document
    // open for the others.
    if (GetDocument() && GetDocument()->GetViewsVector().size() > 1)
        return true;
    return wxView::OnClose(deleteWindow);
}

void CMorawinView::OnActivateView(bool activate, wxView* activeView, wxView* deactiveView)
{
    wxView::OnActivateView(activate, activeView, deactiveView);
    // The keys work on the rows at once, without a click first; after the
    // activation itself, which may still move the focus.
    if (activate && m_list)
        m_list->CallAfter(&COperandListCtrl::TakeFocus);
    if (CMainFrame* main = wxGetApp().GetMainFrame())
        main->CallAfter(&CMainFrame::UpdateTitle);
}

#if wxUSE_PRINTING_ARCHITECTURE
wxPrintout* CMorawinView::OnCreatePrintout()
{
    return new COperandPrintout(GetDocument()->GetUserReadableName(), m_list->GetRows());
}

void CMorawinView::OnPrintPreview(wxCommandEvent&)
{
    // One printout to show, one for the preview's print button.
    auto* preview = new wxPrintPreview(OnCreatePrintout(), OnCreatePrintout());
    auto* frame = new wxPreviewFrame(preview, wxGetApp().GetMainFrame(), wxtext::ToolTip(57609), wxDefaultPosition,
                                     wxSize(800, 700));
    frame->Initialize();
    frame->Show();
}
#endif

void CMorawinView::Convert(ConversionMode mode)
{
    const bool selected = mode == ConversionMode::selected;
    if (selected ? m_list->GetSelectedItemCount() == 0 : m_list->GetRows().empty())
        return;
    if (!wxGetApp().EnsureProject())
        return;
    const std::vector<CSequenceEntry*> operands = selected ? m_list->GetSelectedEntries() : m_list->GetRows();
    wxGetApp().RunConversion(GetFrame(), mode, operands);
}

void CMorawinView::OnConvert(wxCommandEvent&)
{
    Convert(ConversionMode::selected);
}

void CMorawinView::OnConvertAll(wxCommandEvent&)
{
    Convert(ConversionMode::all);
}

void CMorawinView::CompareWithProject()
{
    if (!wxGetApp().EnsureProject())
        return;
    CComparisonDialog dialog(GetFrame(), m_list->GetRows(), CProjectComparison::KindsShownBy(m_filter),
                             wxGetApp().GetProject()->GetProjectDir(),
                             wxGetApp().GetSettings());
    dialog.ShowModal();
}

void CMorawinView::OnCompare(wxCommandEvent&)
{
    CompareWithProject();
}

void CMorawinView::OnOperands(wxCommandEvent&)
{
    COperandFilterDialog dialog(GetFrame(), m_filter);
    dialog.ShowModal();
    // After Cancel the dialog still holds the flags it was given.
    SetFilter(dialog.GetFilter());
}

void CMorawinView::OnUpdateEnable(wxUpdateUIEvent& event)
{
    event.Enable(true);
}
