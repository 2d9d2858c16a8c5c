#include "data/sequence/SequenceFile.h"

#include "data/platform/Platform.h"
#include "data/sequence/SequenceEntry.h"
#include "data/text/Charset.h"
#include "data/text/StringTable.h"

#include <algorithm>

namespace {

// Delivers the lines of a stream without their LF or CR LF ends; the last
// line counts even without an end. Reads in large chunks.
class LineReader {
public:
    explicit LineReader(std::istream& in) : m_in(in) {}

    bool Next(std::string_view& line)
    {
        for (;;) {
            const auto newline = m_buffer.find('\n', m_start);
            if (newline != std::string::npos) {
                line = Cut(newline, newline + 1);
                return true;
            }
            if (!Refill()) {
                if (m_start >= m_buffer.size())
                    return false;
                line = Cut(m_buffer.size(), m_buffer.size());
                return true;
            }
        }
    }

    bool Failed() const { return m_in.bad(); }

private:
    // The line from m_start to `end` without a CR before its end; reading
    // goes on at `next`.
    std::string_view Cut(std::size_t end, std::size_t next)
    {
        std::size_t stop = end;
        if (stop > m_start && m_buffer[stop - 1] == '\r')
            --stop;
        const std::string_view line(m_buffer.data() + m_start, stop - m_start);
        m_start = next;
        return line;
    }

    bool Refill()
    {
        m_buffer.erase(0, m_start);
        m_start = 0;
        const std::size_t old = m_buffer.size();
        m_buffer.resize(old + m_chunk);
        m_in.read(m_buffer.data() + old, static_cast<std::streamsize>(m_chunk));
        const auto got = static_cast<std::size_t>(m_in.gcount());
        m_buffer.resize(old + got);
        // Small files need small reads; large ones are read in large chunks.
        m_chunk = std::min(m_chunk * 2, kMaxChunk);
        return got != 0;
    }

    static constexpr std::size_t kMaxChunk = 1 << 18;
    std::size_t m_chunk = 1 << 12;
    std::istream& m_in;
    std::string m_buffer;
    std::size_t m_start = 0;
};

} // namespace

// The file name, the path as the model's text, serves the columns only;
// the file itself is found by the path.
CSequenceFile::CSequenceFile(std::filesystem::path path)
    : CDataFile(nullptr, charset::Utf8ToCp1252(platform::PathToUtf8(path))), m_path(std::move(path))
{
}

void CSequenceFile::Sort()
{
    SortEntriesByKey([](const CDataEntry& entry) { return static_cast<const CSequenceEntry&>(entry).SortKey(); });
}

std::string CSequenceFile::GetColumnHeaders() const
{
    return CStringTable::Get(ids::kSequenceColumns);
}

template <class NextLine, class Failed>
bool CSequenceFile::ReadLines(NextLine nextLine, Failed failed)
{
    try {
        std::string_view line;
        while (nextLine(line))
            AddLine(line);
        if (failed()) {
            RemoveAll();
            return false;
        }
        Sort();
        SetLoaded(true);
    } catch (const std::exception&) {
        // A read error or running out of memory: the list is left empty.
        RemoveAll();
        return false;
    }
    return IsLoaded();
}

bool CSequenceFile::ReadArchive(std::istream& in)
{
    LineReader reader(in);
    return ReadLines([&](std::string_view& line) { return reader.Next(line); }, [&] { return reader.Failed(); });
}

bool CSequenceFile::ReadContent(std::string content)
{
    RemoveAll();
    m_content = std::move(content);
    std::string_view rest = m_content;
    const auto nextLine = [&](std::string_view& line) {
        if (rest.empty())
            return false;
        const std::size_t end = std::min(rest.find('\n'), rest.size());
        line = rest.substr(0, end);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        rest.remove_prefix(std::min(end + 1, rest.size()));
        return true;
    };
    return ReadLines(nextLine, [] { return false; });
}

void CSequenceFile::AddLine(std::string_view line)
{
    auto entry = std::make_unique<CSequenceEntry>(this, line);
    if (entry->IsValid())
        Add(std::move(entry));
}

void CSequenceFile::RemoveAll()
{
    CDataFile::RemoveAll();
    m_content = std::string();
    m_textBlocks.clear();
    m_blockUsed = m_blockSize = 0;
}

std::string_view CSequenceFile::StoreText(std::string_view text)
{
    constexpr std::size_t kBlockSize = 1 << 20;
    if (text.empty())
        return {};
    // Lines of a file read whole are already where they stay.
    if (!m_content.empty() && text.data() >= m_content.data() && text.data() < m_content.data() + m_content.size())
        return text;
    if (m_blockSize - m_blockUsed < text.size()) {
        m_blockSize = std::max(kBlockSize, text.size());
        m_textBlocks.push_back(std::make_unique_for_overwrite<char[]>(m_blockSize));
        m_blockUsed = 0;
    }
    char* target = m_textBlocks.back().get() + m_blockUsed;
    std::copy(text.begin(), text.end(), target);
    m_blockUsed += text.size();
    return {target, text.size()};
}

CSequenceEntry* CSequenceFile::GetEntry(int index) const
{
    return static_cast<CSequenceEntry*>(GetAt(index));
}
