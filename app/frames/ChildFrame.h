#pragma once

#include <wx/docmdi.h>

// The frame of one view on a sequence document, with the document's menus.
// It always opens maximized.
class CChildFrame : public wxDocMDIChildFrame {
public:
    CChildFrame(wxDocument* document, wxView* view, wxMDIParentFrame* parent);
    ~CChildFrame() override;
};
