#include "tables/CsvReader.h"

#include "tables/ByteScan.h"
#include "tables/TableError.h"

#include <algorithm>
#include <map>

namespace {

constexpr std::size_t kDetectionRecords = 100;

struct Agreement {
    // How many of the first records share their most common field count
    // (of two or more fields), and that count.
    std::size_t records = 0;
    std::size_t fields = 0;

    bool operator>(const Agreement& other) const
    {
        return records != other.records ? records > other.records : fields > other.fields;
    }
};

Agreement AgreementOf(std::string_view text, char separator)
{
    CCsvReader reader(text, separator);
    std::vector<std::string_view> fields;
    std::map<std::size_t, std::size_t> counts;
    try {
        while (reader.Record() < kDetectionRecords && reader.NextRaw(fields))
            if (fields.size() >= 2)
                ++counts[fields.size()];
    } catch (const CTableError&) {
        // An unclosed quote or an endless row under this separator: what
        // was read still counts.
    }
    Agreement best;
    for (const auto& [fieldCount, records] : counts)
        if (Agreement{records, fieldCount} > best)
            best = Agreement{records, fieldCount};
    return best;
}

} // namespace

char CCsvReader::DetectSeparator(std::string_view text)
{
    char best = ';';
    Agreement bestAgreement;
    for (char candidate : {';', ',', '\t'}) {
        const Agreement agreement = AgreementOf(text, candidate);
        if (agreement > bestAgreement) {
            best = candidate;
            bestAgreement = agreement;
        }
    }
    return best;
}

bool CCsvReader::NextRaw(std::vector<std::string_view>& fields)
{
    fields.clear();
    const std::size_t size = m_text.size();
    if (m_pos >= size)
        return false;
    ++m_record;
    if (m_lineEnded)
        ++m_line;
    m_lineEnded = false;
    m_firstLine = m_line;
    const std::size_t limit = size - m_pos > kMaxRecordSize ? m_pos + kMaxRecordSize : size;
    for (;;) {
        const std::size_t start = m_pos;
        const bool quoted = start < size && m_text[start] == '"';
        m_pos = PlainEnd(quoted ? QuotedEnd(start + 1, limit) : start, limit);
        fields.push_back(m_text.substr(start, m_pos - start));
        if (m_pos == size)
            return true;
        if (m_pos == limit)
            TooLong();
        if (m_text[m_pos] == m_separator) {
            ++m_pos;
            continue;
        }
        m_pos += m_text[m_pos] == '\r' ? 2 : 1;
        m_lineEnded = true;
        return true;
    }
}

bool CCsvReader::Next(std::vector<std::string>& fields)
{
    fields.clear();
    std::vector<std::string_view> raw;
    if (!NextRaw(raw))
        return false;
    std::string scratch;
    for (std::string_view field : raw)
        fields.emplace_back(Unquoted(field, scratch));
    return true;
}

std::string_view CCsvReader::Unquoted(std::string_view field, std::string& scratch)
{
    if (field.empty() || field[0] != '"')
        return field;
    std::size_t quote = field.find('"', 1);
    if (quote + 1 == field.size())
        return field.substr(1, quote - 1);
    const auto doubled = [&] { return quote + 1 < field.size() && field[quote + 1] == '"'; };
    scratch.clear();
    std::size_t pos = 1;
    while (quote != std::string_view::npos && doubled()) {
        scratch.append(field.substr(pos, quote + 1 - pos));
        pos = quote + 2;
        quote = field.find('"', pos);
    }
    scratch.append(field.substr(pos, quote - pos));
    if (quote != std::string_view::npos)
        scratch.append(field.substr(quote + 1));
    return scratch;
}

// The characters up to the next separator or line end. A CR on its own is
// an ordinary character.
std::size_t CCsvReader::PlainEnd(std::size_t from, std::size_t limit) const
{
    for (std::size_t pos = from;; ++pos) {
        pos = byte_scan::FindSeparatorOrControl(m_text, pos, limit, m_separator);
        if (pos == limit)
            return limit;
        const char c = m_text[pos];
        if (c == m_separator || c == '\n' || (c == '\r' && pos + 1 < m_text.size() && m_text[pos + 1] == '\n'))
            return pos;
    }
}

// From just after an opening quote to just after its closing quote.
std::size_t CCsvReader::QuotedEnd(std::size_t from, std::size_t limit)
{
    std::size_t quote = m_text.find('"', from);
    while (quote != std::string_view::npos && quote + 1 < m_text.size() && m_text[quote + 1] == '"')
        quote = m_text.find('"', quote + 2);
    if (quote == std::string_view::npos)
        throw CTableError("a quote opened here is never closed", m_record);
    if (quote >= limit)
        TooLong();
    m_line += static_cast<std::size_t>(std::count(m_text.begin() + static_cast<std::ptrdiff_t>(from),
                                                  m_text.begin() + static_cast<std::ptrdiff_t>(quote), '\n'));
    return quote + 1;
}

void CCsvReader::TooLong() const
{
    throw CTableError("more than 16 MB in one row", m_record);
}
