#include "cli/JsonWriter.h"

#include "cli/OutputBuffer.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cassert>

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
{
    COutputBuffer out(m_quoted);
    CJsonWriter(out).String(name);
    out.Flush();
    m_quoted += ':';
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
    // Plain ASCII, by far the common case, is escaped here; anything else
    // goes through the library so that malformed UTF-8 is replaced exactly
    // as it replaces it.
    const bool ascii = std::all_of(utf8.begin(), utf8.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    if (!ascii) {
        BeforeValue();
        Raw(nlohmann::json(std::string(utf8)).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace));
        return *this;
    }
    return Cp1252String(utf8);
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
