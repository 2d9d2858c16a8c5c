#include "data/text/ErrorMessage.h"

#include "data/text/MessageSink.h"
#include "data/text/StringTable.h"
#include "data/text/TextFormat.h"

namespace {

IMessageSink* g_sink = nullptr;

} // namespace

std::string CErrorMessage::BuildText() const
{
    if (m_id == 0)
        return CStringTable::Get(ids::kNoError);
    const std::string& format = CStringTable::Get(m_id);
    const std::string text = format.find("%s") != std::string::npos ? FormatText(format, {m_text, m_number})
                                                                     : FormatText(format, {m_number});
    return m_line.empty() ? text : text + "\n" + m_line;
}

void CErrorMessage::Report() const
{
    GetSink().ShowMessage(BuildText(), MessageKind::error);
}

void CErrorMessage::SetSink(IMessageSink* sink)
{
    g_sink = sink;
}

IMessageSink& CErrorMessage::GetSink()
{
    static CStderrMessageSink fallback;
    return g_sink ? *g_sink : fallback;
}
