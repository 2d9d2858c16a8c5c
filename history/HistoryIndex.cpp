#include "history/HistoryIndex.h"

#include "data/text/Charset.h"
#include "panel/ProjectFiles.h"
#include "panel/StepChainGroup.h"

#include <algorithm>
#include <charconv>
#include <optional>

namespace {

constexpr std::string_view kHeader = "morawin-history 1";

// The words of a line split at single spaces.
std::vector<std::string_view> Words(std::string_view line, std::size_t limit)
{
    std::vector<std::string_view> words;
    while (words.size() + 1 < limit) {
        const auto space = line.find(' ');
        if (space == std::string_view::npos)
            break;
        words.push_back(line.substr(0, space));
        line.remove_prefix(space + 1);
    }
    words.push_back(line);
    return words;
}

template <class Number>
std::optional<Number> ReadNumber(std::string_view text)
{
    Number value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty())
        return std::nullopt;
    return value;
}

std::optional<std::vector<int>> ReadIds(std::string_view text)
{
    std::vector<int> ids;
    if (text.empty())
        return ids;
    for (std::string_view word : Words(text, std::string_view::npos)) {
        const auto id = ReadNumber<int>(word);
        if (!id || *id <= 0)
            return std::nullopt;
        ids.push_back(*id);
    }
    return ids;
}

bool IsKind(std::string_view kind)
{
    return !kind.empty() && kind.size() <= 16 && kind.find_first_not_of("abcdefghijklmnopqrstuvwxyz") == std::string_view::npos;
}

std::string Joined(const std::vector<int>& ids)
{
    std::string text;
    for (const int id : ids)
        text += " " + std::to_string(id);
    return text;
}

class CReader {
public:
    CReader(std::string_view text, std::string_view extension) : m_text(text), m_extension(extension) {}

    CHistoryIndex Read()
    {
        CHistoryIndex index;
        std::string_view line;
        if (!Next(line) || line != kHeader) {
            if (!m_text.empty() || m_line > 0)
                index.damagedLines.push_back(1);
            return index;
        }
        while (Next(line)) {
            const int start = m_line;
            const auto words = Words(line, 2);
            if (words[0] == "undo" || words[0] == "redo") {
                const auto ids = ReadIds(words.size() > 1 ? words[1] : std::string_view());
                if (!ids)
                    index.damagedLines.push_back(start);
                else
                    (words[0] == "undo" ? index.undo : index.redo) = *ids;
            } else if (words[0] == "op") {
                auto record = ReadRecord(line);
                if (!record || index.Find(record->id))
                    index.damagedLines.push_back(start);
                else
                    index.records.push_back(std::move(*record));
            } else {
                index.damagedLines.push_back(start);
            }
        }
        std::sort(index.records.begin(), index.records.end(),
                  [](const auto& a, const auto& b) { return a.id < b.id; });
        KeepKnown(index, index.undo);
        KeepKnown(index, index.redo);
        return index;
    }

private:
    bool Next(std::string_view& line)
    {
        if (m_text.empty())
            return false;
        const auto end = m_text.find('\n');
        line = m_text.substr(0, end);
        m_text.remove_prefix(end == std::string_view::npos ? m_text.size() : end + 1);
        ++m_line;
        return true;
    }

    // The stacks name only operations that were read (a damaged one is
    // gone), each once, and only finished ones.
    static void KeepKnown(const CHistoryIndex& index, std::vector<int>& ids)
    {
        std::vector<int> kept;
        for (const int id : ids) {
            const auto* record = index.Find(id);
            if (record && !record->open && std::find(kept.begin(), kept.end(), id) == kept.end())
                kept.push_back(id);
        }
        ids = std::move(kept);
    }

    // From the "op" line to its "end"; nothing when any line of it is not
    // as written (the rest of it is passed over).
    std::optional<CHistoryIndex::Record> ReadRecord(std::string_view first)
    {
        bool valid = ReadHead(first);
        std::string_view line;
        while (Next(line)) {
            if (line == "end")
                return valid && !m_record.kind.empty() ? std::optional(std::move(m_record)) : std::nullopt;
            if (line.starts_with("op ")) {
                // An operation without its end: this one is damaged, and
                // the next is read on its own.
                m_text = std::string_view(line.data(), m_text.data() + m_text.size() - line.data());
                --m_line;
                return std::nullopt;
            }
            valid = valid && ReadField(line);
        }
        return std::nullopt;
    }

    bool ReadHead(std::string_view line)
    {
        m_record = {};
        const auto words = Words(line, 4);
        const auto id = words.size() >= 3 ? ReadNumber<int>(words[1]) : std::nullopt;
        if (!id || *id <= 0)
            return false;
        m_record.id = *id;
        if (words[2] == "done" && words.size() == 3)
            return true;
        if (words[2] != "open" || words.size() != 4)
            return false;
        const auto owner = ReadNumber<long>(words[3]);
        m_record.open = true;
        m_record.owner = owner.value_or(0);
        return owner.has_value();
    }

    bool ReadField(std::string_view line)
    {
        const auto words = Words(line, 2);
        const std::string_view value = words.size() > 1 ? words[1] : std::string_view();
        if (words[0] == "time") {
            const auto time = ReadNumber<std::int64_t>(value);
            m_record.time = time.value_or(0);
            return time.has_value();
        }
        if (words[0] == "kind") {
            m_record.kind = value;
            return IsKind(value);
        }
        if (words[0] == "description" || words[0] == "subject") {
            (words[0] == "description" ? m_record.description : m_record.subject) = charset::Utf8ToCp1252(value);
            return true;
        }
        if (words[0] == "takes") {
            const auto ids = ReadIds(value);
            m_record.takes = ids.value_or(std::vector<int>());
            return ids && !ids->empty();
        }
        if (words[0] == "file")
            return ReadFile(value);
        return false;
    }

    bool ReadFile(std::string_view text)
    {
        const auto words = Words(text, std::string_view::npos);
        if (words.size() != 3)
            return false;
        CHistoryIndex::File file;
        file.name = charset::Utf8ToCp1252(words[0]);
        const auto before = CFileState::Parse(words[1]);
        const auto after = CFileState::Parse(words[2]);
        if (!before || !after || before->IsUnknown() || (after->IsUnknown() && !m_record.open)
            || !CHistoryIndex::IsProjectFileName(file.name, m_extension) || m_record.FindFile(file.name))
            return false;
        file.before = *before;
        file.after = *after;
        m_record.files.push_back(std::move(file));
        return true;
    }

    std::string_view m_text;
    std::string_view m_extension;
    int m_line = 0;
    CHistoryIndex::Record m_record;
};

} // namespace

const CHistoryIndex::File* CHistoryIndex::Record::FindFile(std::string_view name) const
{
    for (const File& file : files)
        if (project_files::EqualsIgnoringCase(file.name, name))
            return &file;
    return nullptr;
}

CHistoryIndex CHistoryIndex::Parse(std::string_view text, std::string_view extension)
{
    return CReader(text, extension).Read();
}

std::string CHistoryIndex::ToText() const
{
    std::string text = std::string(kHeader) + "\n";
    text += "undo" + Joined(undo) + "\n";
    text += "redo" + Joined(redo) + "\n";
    for (const Record& record : records) {
        text += "op " + std::to_string(record.id) + (record.open ? " open " + std::to_string(record.owner) : " done") + "\n";
        text += "time " + std::to_string(record.time) + "\n";
        text += "kind " + record.kind + "\n";
        text += "description " + charset::Cp1252ToUtf8(record.description) + "\n";
        if (record.IsTakeBack()) {
            text += "subject " + charset::Cp1252ToUtf8(record.subject) + "\n";
            text += "takes" + Joined(record.takes) + "\n";
        }
        for (const File& file : record.files)
            text += "file " + charset::Cp1252ToUtf8(file.name) + " " + file.before.ToText() + " " + file.after.ToText() + "\n";
        text += "end\n";
    }
    return text;
}

bool CHistoryIndex::IsProjectFileName(std::string_view name, std::string_view extension)
{
    if (name.size() != 5 + extension.size() || (name[0] != 'G' && name[0] != 'g') || name[4] != '.')
        return false;
    if (!project_files::EqualsIgnoringCase(name.substr(5), extension))
        return false;
    const std::string id(name.substr(1, 3));
    // Control characters, separators, drive letters and points never
    // belong to an identifier.
    for (const char c : id)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F || c == ' ')
            return false;
    return CStepChainGroup::CheckGroupId(id) == 0;
}

CHistoryIndex::Record* CHistoryIndex::Find(int id)
{
    for (Record& record : records)
        if (record.id == id)
            return &record;
    return nullptr;
}

const CHistoryIndex::Record* CHistoryIndex::Find(int id) const
{
    return const_cast<CHistoryIndex*>(this)->Find(id);
}

void CHistoryIndex::Remove(int id)
{
    std::erase_if(records, [id](const Record& record) { return record.id == id; });
    std::erase(undo, id);
    std::erase(redo, id);
}

int CHistoryIndex::NextId() const
{
    return records.empty() ? 1 : records.back().id + 1;
}
