#include "cli/JsonWriter.h"

#include "cli/OutputBuffer.h"

#include <algorithm>
#include <cassert>

namespace {

// What a malformed UTF-8 sequence is replaced by: U+FFFD.
constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

struct Utf8Sequence {
    std::size_t length;
    bool wellFormed;
};

// The sequence that starts with the non-ASCII byte at the front of `text`.
// A malformed one is as long as the bytes that could still have begun a
// character (at least the first): one U+FFFD replaces them, and the byte
// that broke the sequence starts the next one. This is how the JSON library
// replaced malformed UTF-8, which the output of this program keeps.
Utf8Sequence NextSequence(std::string_view text)
{
    const auto lead = static_cast<unsigned char>(text[0]);
    // The bytes that follow the lead, and the range of the first of them:
    // narrower after E0, ED, F0 and F4, which rules out overlong forms,
    // surrogates and code points above U+10FFFF.
    std::size_t following = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        following = 1;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        following = 2;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        following = 3;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return {1, false}; // a continuation byte, C0, C1 or F5..FF
    }
    for (std::size_t i = 1; i <= following; ++i) {
        if (i == text.size())
            return {i, false};
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte < low || byte > high)
            return {i, false};
        low = 0x80;
        high = 0xBF;
    }
    return {following + 1, true};
}

} // namespace

void CJsonWriter::BeforeValue()
{
    m_started = true;
    if (m_afterKey) {
        m_afterKey = false;
        return;
    }
    if (m_levels.empty())
        return;
    Level& level = m_levels.back();
    assert(level.isArray && "an object member needs a key");
    if (level.layout == Layout::elementPerLine)
        Raw(level.empty ? "\n" : ",\n");
    else if (!level.empty)
        m_out.Put(',');
    level.empty = false;
}

void CJsonWriter::Raw(std::string_view text)
{
    m_out.Write(text);
}

std::string CJsonWriter::Document(const std::function<void(CJsonWriter&)>& write)
{
    std::string text;
    COutputBuffer out(text);
    CJsonWriter json(out);
    write(json);
    assert(json.Complete());
    out.Flush();
    return text;
}

CJsonWriter& CJsonWriter::BeginObject()
{
    BeforeValue();
    m_out.Put('{');
    m_levels.push_back({false, Layout::compact, true});
    return *this;
}

CJsonWriter& CJsonWriter::EndObject()
{
    assert(!m_levels.empty() && !m_levels.back().isArray && !m_afterKey);
    m_levels.pop_back();
    m_out.Put('}');
    return *this;
}

CJsonWriter& CJsonWriter::BeginArray(Layout layout)
{
    BeforeValue();
    m_out.Put('[');
    m_levels.push_back({true, layout, true});
    return *this;
}

CJsonWriter& CJsonWriter::EndArray()
{
    assert(!m_levels.empty() && m_levels.back().isArray);
    const Level level = m_levels.back();
    m_levels.pop_back();
    if (level.layout == Layout::elementPerLine && !level.empty)
        m_out.Put('\n');
    m_out.Put(']');
    return *this;
}

CJsonWriter::Name::Name(std::string_view name)
    : m_quoted(Document([name](CJsonWriter& json) { json.String(name); }) + ':')
{
}

void CJsonWriter::BeforeKey()
{
    assert(!m_levels.empty() && !m_levels.back().isArray && !m_afterKey);
    Level& level = m_levels.back();
    if (!level.empty)
        m_out.Put(',');
    level.empty = false;
    m_started = true;
    m_afterKey = true;
}

CJsonWriter& CJsonWriter::Key(const Name& name)
{
    BeforeKey();
    m_out.Write(name.Quoted());
    return *this;
}

CJsonWriter& CJsonWriter::Key(std::string_view name)
{
    BeforeKey();
    // Names from the code need no escaping; one that does takes the long way.
    if (std::all_of(name.begin(), name.end(), [](char c) { return c > 0x20 && c < 0x7F && c != '"' && c != '\\'; })) {
        m_out.Put('"');
        m_out.Write(name);
        m_out.Write("\":");
    } else {
        m_out.Write(Name(name).Quoted());
    }
    return *this;
}

CJsonWriter& CJsonWriter::String(std::string_view utf8)
{
    BeforeValue();
    m_out.Put('"');
    // ASCII is escaped in runs; each non-ASCII sequence is copied as it is
    // or replaced.
    std::size_t run = 0;
    std::size_t at = 0;
    while (at < utf8.size()) {
        if (static_cast<unsigned char>(utf8[at]) < 0x80) {
            ++at;
            continue;
        }
        m_out.WriteJsonEscaped(utf8.substr(run, at - run));
        const Utf8Sequence sequence = NextSequence(utf8.substr(at));
        m_out.Write(sequence.wellFormed ? utf8.substr(at, sequence.length) : kReplacement);
        at += sequence.length;
        run = at;
    }
    m_out.WriteJsonEscaped(utf8.substr(run));
    m_out.Put('"');
    return *this;
}

CJsonWriter& CJsonWriter::Cp1252String(std::string_view text)
{
    BeforeValue();
    Quoted(text);
    return *this;
}

void CJsonWriter::Quoted(std::string_view text)
{
    m_out.Put('"');
    m_out.WriteJsonEscaped(text);
    m_out.Put('"');
}

CJsonWriter& CJsonWriter::Number(std::int64_t value)
{
    BeforeValue();
    if (value >= 0 && value < 1000) {
        m_out.WriteUnsigned(static_cast<unsigned>(value));
    } else if (value < 0) {
        m_out.Put('-');
        // Written through unsigned arithmetic so that the smallest value works.
        const std::uint64_t magnitude = ~static_cast<std::uint64_t>(value) + 1;
        Raw(std::to_string(magnitude));
    } else if (value <= 0xFFFFFFFF) {
        m_out.WriteUnsigned(static_cast<unsigned>(value));
    } else {
        Raw(std::to_string(value));
    }
    return *this;
}

CJsonWriter& CJsonWriter::Bool(bool value)
{
    BeforeValue();
    Raw(value ? "true" : "false");
    return *this;
}

CJsonWriter& CJsonWriter::Null()
{
    BeforeValue();
    Raw("null");
    return *this;
}
