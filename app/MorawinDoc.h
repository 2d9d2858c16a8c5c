#pragma once

#include <wx/docview.h>

#include <memory>

class CSequenceFile;

// One opened sequence file. The document only reads: every way of saving
// it leaves the file on disk untouched, and it is never marked modified,
// so closing never asks.
class CMorawinDoc : public wxDocument {
public:
    CMorawinDoc();
    ~CMorawinDoc() override;

    // Null for a document made with New.
    const CSequenceFile* GetSequenceFile() const { return m_file.get(); }

    bool OnNewDocument() override;
    bool Save() override { return true; }
    bool SaveAs() override { return true; }

protected:
    bool DoOpenDocument(const wxString& file) override;
    bool DoSaveDocument(const wxString&) override { return true; }

private:
    std::unique_ptr<CSequenceFile> m_file;

    wxDECLARE_DYNAMIC_CLASS(CMorawinDoc);
};
