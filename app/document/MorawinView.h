#pragma once

#include "convert/ConversionMode.h"
#include "data/sequence/OperandFilter.h"

#include <wx/docview.h>

class CMorawinDoc;
class COperandListCtrl;

// A list of the operands of a sequence document, filtered by kind. From it
// the user converts the selected or all listed operands into the open
// panel project, and chooses which kinds to list.
class CMorawinView : public wxView {
public:
    CMorawinView();
    ~CMorawinView() override;

    bool OnCreate(wxDocument* document, long flags) override;
    void OnDraw(wxDC*) override {}
    void OnUpdate(wxView* sender, wxObject* hint) override;
    bool OnClose(bool deleteWindow) override;
    void OnActivateView(bool activate, wxView* activeView, wxView* deactiveView) override;
    void OnChangeFilename() override;
#if wxUSE_PRINTING_ARCHITECTURE
    wxPrintout* OnCreatePrintout() override;
#endif

    CMorawinDoc* GetMorawinDoc() const;
    COperandListCtrl* GetList() const { return m_list; }
    const COperandFilter& GetFilter() const { return m_filter; }
    // Lists the rows again when the filter changed.
    void SetFilter(const COperandFilter& filter);

    // The conversion commands: the selected rows, or all rows.
    void Convert(ConversionMode mode);
    // Compares the listed operands with the open project (opening one
    // first when none is).
    void CompareWithProject();
    // For the status bar: rows shown, operands in the file, duplicates.
    wxString GetCountText() const;

private:
    void FillOperandList();
    void SetUpColumns();
    void OnConvert(wxCommandEvent& event);
    void OnConvertAll(wxCommandEvent& event);
    void OnCompare(wxCommandEvent& event);
    void OnOperands(wxCommandEvent& event);
    void OnPrintPreview(wxCommandEvent& event);
    void OnUpdateEnable(wxUpdateUIEvent& event);
    void OnSelectAll(wxCommandEvent& event);

    COperandListCtrl* m_list = nullptr;
    COperandFilter m_filter;

    wxDECLARE_DYNAMIC_CLASS(CMorawinView);
};
