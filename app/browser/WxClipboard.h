#pragma once

#include "data/clipboard/Clipboard.h"

#include <wx/event.h>

#include <chrono>
#include <set>
#include <string>

class wxClipboardEvent;

// The system clipboard for the lists: each block travels as the bytes of a
// custom format under its name, so that other programs (and other
// instances of this one) that know the name can take it.
//
// Which formats the clipboard offers is asked asynchronously and kept:
// menus ask on every idle moment whether Paste is possible, and a
// synchronous question would wait for the clipboard's owner each time.
// What this program puts there itself is known at once.
class CWxClipboard : public wxEvtHandler, public IClipboard {
public:
    CWxClipboard();

    bool HasFormat(const std::string& format) override;
    std::optional<std::vector<std::uint8_t>> GetData(const std::string& format) override;
    bool SetData(std::vector<Item> items) override;

    // Asks the clipboard again which formats it offers; the answer comes
    // a moment later.
    void Refresh();

private:
    void OnFormats(wxClipboardEvent& event);

    std::set<std::string> m_offered;
    std::set<std::string> m_asked;
    std::chrono::steady_clock::time_point m_lastAsked{};
    bool m_waiting = false;
    // The answer on its way was asked before this program's own copy.
    bool m_answerIsOld = false;
};
