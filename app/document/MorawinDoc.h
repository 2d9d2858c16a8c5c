#pragma once

#include "data/sequence/DuplicateOperands.h"
#include "tables/SymbolTableReader.h"

#include <wx/docview.h>

#include <memory>

class CSequenceFile;
class CTableError;

// One opened sequence file. The document only reads: every way of saving
// it leaves the file on disk untouched, and it is never marked modified,
// so closing never asks.
class CMorawinDoc : public wxDocument {
public:
    CMorawinDoc();
    ~CMorawinDoc() override;

    // Null for a document made with New.
    const CSequenceFile* GetSequenceFile() const { return m_file.get(); }
    const CDuplicateOperands& GetDuplicates() const { return m_duplicates; }
    // What reading found out about the file: its form, encoding, sheet and
    // the characters it had no Windows-1252 form for.
    const SymbolTableReport& GetReport() const { return m_report; }
    // The status bar's note on how the file was read, empty for a
    // Windows-1252 sequence file read as it is.
    std::string ReadingNote() const;
    // Titles the frames of the document's windows: its name alone, or with
    // ":1", ":2", ... when it has several windows.
    void UpdateWindowTitles();

    bool OnNewDocument() override;
    bool Save() override { return true; }
    bool SaveAs() override { return true; }

protected:
    void OnChangedViewList() override;
    bool DoOpenDocument(const wxString& file) override;
    bool DoSaveDocument(const wxString&) override { return true; }

private:
    // Whether the reader finds an address column in the table by itself.
    static bool ColumnsFound(const std::string& content, SymbolTableForm form);
    // The table's first row, the key its columns are remembered under.
    static std::vector<std::string> FirstRow(const std::string& content, SymbolTableForm form);
    static void ReportUnreadable(const std::string& name, const CTableError& error);

    std::unique_ptr<CSequenceFile> m_file;
    CDuplicateOperands m_duplicates;
    SymbolTableReport m_report;

    wxDECLARE_DYNAMIC_CLASS(CMorawinDoc);
};
