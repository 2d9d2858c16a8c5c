#pragma once

#include "tables/SymbolTableReader.h"
#include "tables/TablePreview.h"

#include <wx/dialog.h>

#include <string>

class wxChoice;
class wxListCtrl;
class wxSpinCtrl;
class wxSpinEvent;
class wxStaticText;

// "Spalten zuordnen": how a table or worksheet is read. Shows its first 20
// rows, with choosers for separator, encoding, worksheet, header row and
// the address, symbol and comment columns; the preview and the count of
// operands and skipped rows follow every choice.
class CColumnMapDialog : public wxDialog {
public:
    enum : int {
        kSeparator = 1201,
        kEncoding,
        kSheet,
        kHeaderRow,
        kAddress,
        kSymbol,
        kComment,
        kPreview,
        kCount,
    };

    // `content`: the file's bytes; `options`: the choice to start from
    // (detected where empty).
    CColumnMapDialog(wxWindow* parent, const wxString& fileName, std::string content, SymbolTableForm form,
                     const SymbolTableOptions& options);

    // What the user chose, every part of it.
    SymbolTableOptions GetOptions() const;
    // "412 Operanden, 3 Zeilen übersprungen", or why the table cannot be
    // read with the choice.
    wxString GetCountText() const;

private:
    void CreateControls();
    // Sets the choosers from what the reader finds with `options`.
    void ShowChoice(const SymbolTableOptions& options);
    void FillColumnChoosers(const TablePreview& preview);
    void ShowPreview(const TablePreview& preview);
    void Recount();
    void Reread();

    std::string m_content;
    SymbolTableForm m_form;
    wxChoice* m_separator = nullptr;
    wxChoice* m_encoding = nullptr;
    wxChoice* m_sheet = nullptr;
    wxSpinCtrl* m_headerRow = nullptr;
    wxChoice* m_columns[3] = {};
    wxListCtrl* m_preview = nullptr;
    wxStaticText* m_count = nullptr;
};
