#include "app/browser/WxClipboard.h"

#include "gui/WxText.h"

#include <wx/clipbrd.h>
#include <wx/dataobj.h>

namespace {

// Often enough that a copy in another program shows within a second.
constexpr std::chrono::milliseconds kAskAgainAfter{700};

wxDataFormat Format(const std::string& name)
{
    return wxDataFormat(wxtext::FromUtf8(name));
}

// The clipboard, opened for as long as the object lives.
class OpenClipboard {
public:
    OpenClipboard() : m_open(wxTheClipboard->Open()) {}
    ~OpenClipboard()
    {
        if (m_open)
            wxTheClipboard->Close();
    }
    explicit operator bool() const { return m_open; }

private:
    bool m_open;
};

} // namespace

CWxClipboard::CWxClipboard()
{
    Bind(wxEVT_CLIPBOARD_CHANGED, &CWxClipboard::OnFormats, this);
}

bool CWxClipboard::HasFormat(const std::string& format)
{
    if (m_asked.insert(format).second || std::chrono::steady_clock::now() - m_lastAsked > kAskAgainAfter)
        Refresh();
    return m_offered.count(format) != 0;
}

void CWxClipboard::Refresh()
{
    m_lastAsked = std::chrono::steady_clock::now();
    // Refused while an earlier question is still open; its answer will do.
    if (wxTheClipboard->IsSupportedAsync(this))
        m_waiting = true;
}

void CWxClipboard::OnFormats(wxClipboardEvent& event)
{
    m_waiting = false;
    if (m_answerIsOld) {
        m_answerIsOld = false;
        Refresh();
        return;
    }
    m_offered.clear();
    for (const std::string& format : m_asked)
        if (event.SupportsFormat(Format(format)))
            m_offered.insert(format);
}

std::optional<std::vector<std::uint8_t>> CWxClipboard::GetData(const std::string& format)
{
    const OpenClipboard open;
    if (!open || !wxTheClipboard->IsSupported(Format(format)))
        return std::nullopt;
    wxCustomDataObject data(Format(format));
    if (!wxTheClipboard->GetData(data))
        return std::nullopt;
    const auto* bytes = static_cast<const std::uint8_t*>(data.GetData());
    return std::vector<std::uint8_t>(bytes, bytes + data.GetSize());
}

bool CWxClipboard::SetData(std::vector<Item> items)
{
    const OpenClipboard open;
    if (!open || items.empty())
        return false;
    auto* all = new wxDataObjectComposite;
    for (const Item& item : items) {
        auto* data = new wxCustomDataObject(Format(item.format));
        data->SetData(item.data.size(), item.data.data());
        all->Add(data);
    }
    if (!wxTheClipboard->SetData(all))
        return false;
    m_offered.clear();
    for (const Item& item : items) {
        m_asked.insert(item.format);
        m_offered.insert(item.format);
    }
    m_lastAsked = std::chrono::steady_clock::now();
    m_answerIsOld = m_waiting;
    return true;
}
