#include "tables/XmlItemStream.h"

#include "tables/PartStream.h"
#include "tables/TableError.h"
#include "tables/XmlNames.h"

#include <algorithm>

namespace {

constexpr std::size_t kChunkSize = 64u << 10;
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

// pugixml's character classes: names are made of letters, digits, "_",
// ":", "-", "." and every byte over 127, and start with neither a digit
// nor "-" or ".".
bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

bool IsNameStart(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return byte >= 0x80 || static_cast<unsigned char>((byte | 0x20) - 'a') < 26 || c == '_' || c == ':';
}

bool IsName(char c)
{
    return IsNameStart(c) || (c >= '0' && c <= '9') || c == '-' || c == '.';
}

std::string_view LocalName(std::string_view name)
{
    const std::size_t colon = name.rfind(':');
    return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

} // namespace

CXmlItemStream::CXmlItemStream(CPartStream& part, std::vector<std::string> path, std::string item)
    : m_part(part), m_path(std::move(path)), m_item(std::move(item))
{
    // The encoding as pugixml finds it, from the first bytes and the
    // declaration. Texts in neither UTF-8 nor Latin-1 (UTF-16, UTF-32) are
    // parsed whole: the lexing here reads bytes.
    while (m_buffer.size() < kChunkSize && !m_atEnd) {
        const std::size_t old = m_buffer.size();
        m_buffer.resize(kChunkSize);
        m_buffer.resize(old + m_part.Read(m_buffer.data() + old, kChunkSize - old));
        m_atEnd = m_buffer.size() == old;
    }
    pugi::xml_document probe;
    m_encoding = probe.load_buffer(m_buffer.data(), m_buffer.size(), pugi::parse_minimal).encoding;
    if (m_encoding != pugi::encoding_utf8 && m_encoding != pugi::encoding_latin1) {
        ReadWhole();
        return;
    }
    // pugixml reads a document up to its first NUL.
    if (const std::size_t nul = m_buffer.find('\0'); nul != std::string::npos) {
        m_buffer.resize(nul);
        m_atEnd = true;
    }
    if (m_buffer.starts_with(kUtf8Mark))
        m_pos = kUtf8Mark.size();
}

pugi::xml_node CXmlItemStream::Next()
{
    for (;;) {
        while (m_next) {
            const pugi::xml_node node = m_next;
            m_next = m_next.next_sibling();
            if (xml_names::Is(node, m_item.c_str()))
                return node;
        }
        if (m_finished || !NextBatch()) {
            m_finished = true;
            return {};
        }
    }
}

// Lexes on until a batch of items is complete, and parses it; false at the
// end of the document.
bool CXmlItemStream::NextBatch()
{
    m_next = {};
    m_batch.reset();
    m_batchStart = m_batchEnd = kNone;
    m_batchDone = false;
    while (!m_batchDone) {
        if (m_pos == m_buffer.size() && m_atEnd) {
            if (!m_skipEnd.empty())
                Fail(m_skipStatus);
            Finish();
            break;
        }
        if (m_pos == m_buffer.size() || !Step())
            Refill();
    }
    if (m_batchEnd == kNone)
        return false;
    const pugi::xml_parse_result result = m_batch.load_buffer(
        m_buffer.data() + m_batchStart, m_batchEnd - m_batchStart, pugi::parse_default | pugi::parse_fragment, m_encoding);
    if (!result)
        Fail(result.status);
    m_next = m_batch.first_child();
    return true;
}

// One piece of markup or text at m_pos; false when the text read so far
// ends before it does.
bool CXmlItemStream::Step()
{
    if (!m_skipEnd.empty())
        return SkipTo(m_skipEnd, m_skipStatus);
    if (m_buffer[m_pos] != '<')
        return Text();
    // A "<" that ends the document ends text without a tag after it.
    const bool afterText = m_afterText;
    m_afterText = false;
    if (m_pos + 1 == m_buffer.size())
        return Incomplete(afterText ? pugi::status_end_element_mismatch : pugi::status_unrecognized_tag);
    const char next = m_buffer[m_pos + 1];
    if (IsNameStart(next))
        return StartTag();
    if (next == '/')
        return EndTag();
    if (next == '?')
        return Instruction();
    if (next == '!')
        return Exclamation();
    Fail(pugi::status_unrecognized_tag);
}

// Text needs nothing but its end: it is taken as far as it goes.
bool CXmlItemStream::Text()
{
    const std::size_t end = std::min(m_buffer.find('<', m_pos), m_buffer.size());
    const auto first = std::find_if_not(m_buffer.begin() + static_cast<std::ptrdiff_t>(m_pos),
                                        m_buffer.begin() + static_cast<std::ptrdiff_t>(end), IsSpace);
    m_afterText = m_afterText || (!m_open.empty() && first != m_buffer.begin() + static_cast<std::ptrdiff_t>(end));
    m_pos = end;
    return true;
}

bool CXmlItemStream::StartTag()
{
    const std::string_view data(m_buffer);
    std::size_t end = m_pos + 1;
    while (end < data.size() && IsName(data[end]))
        ++end;
    if (end == data.size())
        return Incomplete(pugi::status_bad_start_element);
    const std::string_view name = data.substr(m_pos + 1, end - m_pos - 1);
    bool closed = false;
    if (data[end] == '>') {
        ++end;
    } else if (data[end] == '/') {
        if (end + 1 == data.size())
            return Incomplete(pugi::status_bad_start_element);
        if (data[end + 1] != '>')
            Fail(pugi::status_bad_start_element);
        end += 2;
        closed = true;
    } else if (!IsSpace(data[end])) {
        Fail(pugi::status_bad_start_element);
    } else if (!Attributes(end + 1, end, closed)) {
        return false;
    }
    Open(name, m_pos);
    m_pos = end;
    if (closed)
        Close(end);
    return true;
}

// The attributes of a start tag from `pos`; `end` after its ">".
bool CXmlItemStream::Attributes(std::size_t pos, std::size_t& end, bool& closed)
{
    const std::string_view data(m_buffer);
    const auto skipSpace = [&] {
        while (pos < data.size() && IsSpace(data[pos]))
            ++pos;
        return pos < data.size();
    };
    for (;;) {
        if (!skipSpace())
            return Incomplete(pugi::status_bad_start_element);
        if (data[pos] == '>' || data[pos] == '/') {
            closed = data[pos] == '/';
            if (closed && pos + 1 == data.size())
                return Incomplete(pugi::status_bad_start_element);
            if (closed && data[++pos] != '>')
                Fail(pugi::status_bad_start_element);
            end = pos + 1;
            return true;
        }
        if (!IsNameStart(data[pos]))
            Fail(pugi::status_bad_start_element);
        while (pos < data.size() && IsName(data[pos]))
            ++pos;
        if (!skipSpace())
            return Incomplete(pugi::status_bad_attribute);
        if (data[pos++] != '=')
            Fail(pugi::status_bad_attribute);
        if (!skipSpace())
            return Incomplete(pugi::status_bad_attribute);
        if (data[pos] != '"' && data[pos] != '\'')
            Fail(pugi::status_bad_attribute);
        const std::size_t quote = data.find(data[pos], pos + 1);
        if (quote == std::string_view::npos)
            return Incomplete(pugi::status_bad_attribute);
        pos = quote + 1;
        if (pos == data.size())
            return Incomplete(pugi::status_bad_start_element);
        // The next attribute needs a space before it.
        if (IsNameStart(data[pos]))
            Fail(pugi::status_bad_attribute);
    }
}

bool CXmlItemStream::EndTag()
{
    const std::string_view data(m_buffer);
    if (m_open.empty())
        Fail(pugi::status_end_element_mismatch);
    std::size_t pos = m_pos + 2;
    while (pos < data.size() && IsName(data[pos]))
        ++pos;
    const bool matches = data.substr(m_pos + 2, pos - m_pos - 2) == m_open.back();
    if (pos == data.size())
        return Incomplete(matches ? pugi::status_bad_end_element : pugi::status_end_element_mismatch);
    if (!matches)
        Fail(pugi::status_end_element_mismatch);
    while (pos < data.size() && IsSpace(data[pos]))
        ++pos;
    if (pos == data.size())
        return Incomplete(pugi::status_bad_end_element);
    if (data[pos] != '>')
        Fail(pugi::status_bad_end_element);
    m_pos = pos + 1;
    Close(m_pos);
    return true;
}

// Comments and CDATA sections are skipped; a document type is read whole.
bool CXmlItemStream::Exclamation()
{
    const std::string_view rest = std::string_view(m_buffer).substr(m_pos + 2);
    const auto starts = [&](std::string_view word, pugi::xml_parse_status status) {
        const std::size_t length = std::min(rest.size(), word.size());
        if (rest.substr(0, length) != word.substr(0, length))
            Fail(status);
        return length == word.size();
    };
    if (rest.empty())
        return Incomplete(pugi::status_unrecognized_tag);
    if (rest[0] == '-' || rest[0] == '[') {
        const bool comment = rest[0] == '-';
        const std::string_view opening = comment ? "--" : "[CDATA[";
        const pugi::xml_parse_status status = comment ? pugi::status_bad_comment : pugi::status_bad_cdata;
        if (!starts(opening, status))
            return Incomplete(status);
        m_pos += 2 + opening.size();
        m_skipEnd = comment ? "-->" : "]]>";
        m_skipStatus = status;
        return true;
    }
    if (!starts("DOCTYPE", pugi::status_unrecognized_tag))
        return Incomplete(pugi::status_unrecognized_tag);
    if (!m_open.empty())
        Fail(pugi::status_bad_doctype);
    return Doctype();
}

// A processing instruction (the declaration too): its target, then
// anything up to "?>".
bool CXmlItemStream::Instruction()
{
    const std::string_view data(m_buffer);
    std::size_t pos = m_pos + 2;
    if (pos == data.size())
        return Incomplete(pugi::status_bad_pi);
    if (!IsNameStart(data[pos]))
        Fail(pugi::status_bad_pi);
    while (pos < data.size() && IsName(data[pos]))
        ++pos;
    if (pos == data.size())
        return Incomplete(pugi::status_bad_pi);
    m_pos = pos;
    m_skipEnd = "?>";
    m_skipStatus = pugi::status_bad_pi;
    return true;
}

// A document type with its nested declarations, as pugixml skips it; its
// entities are never expanded.
bool CXmlItemStream::Doctype()
{
    const std::string_view data(m_buffer);
    std::size_t pos = m_pos + 2;
    std::size_t depth = 0;
    while (pos < data.size()) {
        const char c = data[pos];
        if (c == '<' && pos + 3 >= data.size())
            return Incomplete(pugi::status_bad_doctype);
        if (c == '<' && data[pos + 1] == '!' && data[pos + 2] != '-') {
            if (data[pos + 2] == '[') {
                if (!DoctypeIgnore(pos))
                    return false;
            } else {
                pos += 2;
                ++depth;
            }
        } else if (c == '<' || c == '"' || c == '\'') {
            if (!DoctypePrimitive(pos))
                return false;
        } else if (c == '>') {
            if (depth == 0) {
                m_pos = pos + 1;
                return true;
            }
            --depth;
            ++pos;
        } else {
            ++pos;
        }
    }
    return Incomplete(pugi::status_bad_doctype);
}

// "<![ ... ]]>", nested.
bool CXmlItemStream::DoctypeIgnore(std::size_t& pos)
{
    const std::string_view data(m_buffer);
    std::size_t depth = 0;
    for (pos += 3; pos + 3 <= data.size();) {
        if (data.substr(pos, 3) == "<![") {
            pos += 3;
            ++depth;
        } else if (data.substr(pos, 3) == "]]>") {
            pos += 3;
            if (depth-- == 0)
                return true;
        } else {
            ++pos;
        }
    }
    return Incomplete(pugi::status_bad_doctype);
}

// A quoted string, an instruction or a comment.
bool CXmlItemStream::DoctypePrimitive(std::size_t& pos)
{
    const std::string_view data(m_buffer);
    std::size_t end = std::string_view::npos;
    if (data[pos] == '"' || data[pos] == '\'') {
        end = data.find(data[pos], pos + 1);
        end = end == std::string_view::npos ? end : end + 1;
    } else if (data[pos + 1] == '?') {
        end = data.find("?>", pos + 2);
        end = end == std::string_view::npos ? end : end + 2;
    } else if (data.substr(pos, 4) == "<!--") {
        end = data.find("-->", pos + 4);
        end = end == std::string_view::npos ? end : end + 3;
    } else {
        Fail(pugi::status_bad_doctype);
    }
    if (end == std::string_view::npos)
        return Incomplete(pugi::status_bad_doctype);
    pos = end;
    return true;
}

bool CXmlItemStream::SkipTo(std::string_view terminator, pugi::xml_parse_status status)
{
    const std::size_t found = m_buffer.find(terminator, m_pos);
    if (found == std::string::npos) {
        // Only the last few bytes may begin the terminator; the rest goes.
        const std::size_t keep = std::min(m_buffer.size(), terminator.size() - 1);
        m_pos = std::max(m_pos, m_buffer.size() - keep);
        return Incomplete(status);
    }
    m_pos = found + terminator.size();
    m_skipEnd = {};
    return true;
}

void CXmlItemStream::Open(std::string_view name, std::size_t start)
{
    const std::size_t depth = m_open.size();
    if (depth == kMaxDepth)
        throw CTableError("the part " + m_part.Name() + " nests elements deeper than 1000");
    const std::string_view local = LocalName(name);
    if (!m_pathClosed && depth == m_matched && depth < m_path.size() && local == m_path[depth])
        ++m_matched;
    else if (!m_pathClosed && depth == m_path.size() && m_matched == depth && local == m_item && m_batchStart == kNone)
        m_batchStart = start;
    m_open.emplace_back(name);
    m_sawElement = true;
}

// The element last opened ends at `end`.
void CXmlItemStream::Close(std::size_t end)
{
    const bool item = LocalName(m_open.back()) == m_item;
    m_open.pop_back();
    const std::size_t depth = m_open.size();
    if (depth < m_matched) {
        // An element of the path ends: there are no more items.
        m_matched = depth;
        m_pathClosed = true;
        m_batchDone = m_batchStart != kNone;
    } else if (item && depth == m_path.size() && m_batchStart != kNone) {
        m_batchEnd = end;
        m_batchDone = end - m_batchStart >= kBatchSize;
    }
}

void CXmlItemStream::Finish()
{
    if (!m_open.empty())
        Fail(pugi::status_end_element_mismatch);
    if (!m_sawElement)
        Fail(pugi::status_no_document_element);
}

// More of the part, keeping what is still needed: the batch being put
// together, or the piece being lexed. A piece that needs more again and
// again is lexed anew each time: reading as much as is kept makes that
// work grow with its length, not with its square.
void CXmlItemStream::Refill()
{
    const std::size_t keep = std::min(m_pos, m_batchStart);
    m_buffer.erase(0, keep);
    m_pos -= keep;
    if (m_batchStart != kNone) {
        m_batchStart -= keep;
        if (m_batchEnd != kNone)
            m_batchEnd -= keep;
    }
    const std::size_t old = m_buffer.size();
    const std::size_t wanted = std::max(kChunkSize, old);
    m_buffer.resize(old + wanted);
    const std::size_t got = m_part.Read(m_buffer.data() + old, wanted);
    m_buffer.resize(old + got);
    const std::size_t nul = m_buffer.find('\0', old);
    if (got == 0 || nul != std::string::npos) {
        m_atEnd = true;
        m_buffer.resize(std::min(nul, m_buffer.size()));
    }
}

void CXmlItemStream::ReadWhole()
{
    for (;;) {
        const std::size_t old = m_buffer.size();
        m_buffer.resize(old + kChunkSize);
        const std::size_t got = m_part.Read(m_buffer.data() + old, kChunkSize);
        m_buffer.resize(old + got);
        if (got == 0)
            break;
    }
    const pugi::xml_parse_result result = m_batch.load_buffer(m_buffer.data(), m_buffer.size(), pugi::parse_default);
    if (!result)
        Fail(result.status);
    pugi::xml_node node = m_batch;
    for (const std::string& name : m_path)
        node = xml_names::Child(node, name.c_str());
    m_next = node.first_child();
    m_finished = true;
}

void CXmlItemStream::Fail(pugi::xml_parse_status status) const
{
    pugi::xml_parse_result result;
    result.status = status;
    throw CTableError("the part " + m_part.Name() + " is no XML (" + result.description() + ")");
}

bool CXmlItemStream::Incomplete(pugi::xml_parse_status status) const
{
    if (!m_atEnd)
        return false;
    Fail(status);
}
