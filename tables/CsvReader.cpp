#include "tables/CsvReader.h"

#include "tables/TableError.h"

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
    std::vector<std::string> fields;
    std::map<std::size_t, std::size_t> counts;
    try {
        while (reader.Record() < kDetectionRecords && reader.Next(fields))
            if (fields.size() >= 2)
                ++counts[fields.size()];
    } catch (const CTableError&) {
        // An unclosed quote under this separator: what was read still counts.
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

bool CCsvReader::Next(std::vector<std::string>& fields)
{
    fields.clear();
    if (m_pos >= m_text.size())
        return false;
    ++m_record;
    if (m_lineEnded)
        ++m_line;
    m_lineEnded = false;
    m_firstLine = m_line;
    fields.emplace_back();
    while (m_pos < m_text.size()) {
        const char c = m_text[m_pos];
        if (c == '\n') {
            ++m_pos;
            m_lineEnded = true;
            break;
        }
        if (c == '\r' && m_pos + 1 < m_text.size() && m_text[m_pos + 1] == '\n') {
            m_pos += 2;
            m_lineEnded = true;
            break;
        }
        if (c == m_separator) {
            ++m_pos;
            fields.emplace_back();
        } else if (c == '"' && fields.back().empty()) {
            ++m_pos;
            ReadQuoted(fields.back());
        } else {
            AppendPlain(fields.back());
        }
    }
    return true;
}

// The characters up to the next separator, quote or line end, in one
// piece: most fields are no more than that.
void CCsvReader::AppendPlain(std::string& field)
{
    std::size_t end = m_pos + 1;
    while (end < m_text.size()) {
        const char c = m_text[end];
        if (c == m_separator || c == '"' || c == '\n' || c == '\r')
            break;
        ++end;
    }
    field.append(m_text.substr(m_pos, end - m_pos));
    m_pos = end;
}

void CCsvReader::ReadQuoted(std::string& field)
{
    for (;;) {
        const std::size_t quote = m_text.find('"', m_pos);
        if (quote == std::string_view::npos)
            throw CTableError("a quote opened here is never closed", m_record);
        for (std::size_t i = m_pos; i < quote; ++i)
            if (m_text[i] == '\n')
                ++m_line;
        field.append(m_text.substr(m_pos, quote - m_pos));
        m_pos = quote + 1;
        if (m_pos < m_text.size() && m_text[m_pos] == '"') {
            field += '"';
            ++m_pos;
            continue;
        }
        break;
    }
}
