#include "data/text/MessageCatalog.h"

#include <cstdint>
#include <fstream>
#include <iterator>

namespace {

constexpr std::uint32_t kMagic = 0x950412de;
constexpr std::uint32_t kMagicSwapped = 0xde120495;
constexpr std::size_t kHeaderSize = 28;

// The file's numbers in the byte order its writer used.
class CMoReader {
public:
    CMoReader(std::string_view bytes, bool swapped) : m_bytes(bytes), m_swapped(swapped) {}

    std::uint32_t Word(std::size_t offset) const
    {
        std::uint32_t value = 0;
        for (int i = 0; i < 4; ++i) {
            const auto byte = static_cast<unsigned char>(m_bytes[offset + (m_swapped ? i : 3 - i)]);
            value = value << 8 | byte;
        }
        return value;
    }

    // The string that the table entry at `entry` (length, offset) points to.
    std::optional<std::string_view> String(std::size_t entry) const
    {
        if (entry > m_bytes.size() || m_bytes.size() - entry < 8)
            return std::nullopt;
        const std::uint64_t length = Word(entry);
        const std::uint64_t offset = Word(entry + 4);
        if (offset + length >= m_bytes.size()) // the closing NUL must be inside too
            return std::nullopt;
        return m_bytes.substr(offset, length);
    }

private:
    std::string_view m_bytes;
    bool m_swapped;
};

bool Fail(std::string* error, const char* why)
{
    if (error)
        *error = why;
    return false;
}

// A plural entry holds its forms one after the other, NUL between them;
// the program's texts have none, and the first form stands for all.
std::string_view FirstForm(std::string_view text)
{
    return text.substr(0, text.find('\0'));
}

} // namespace

std::optional<CMessageCatalog> CMessageCatalog::Load(const std::filesystem::path& file, std::string* error)
{
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        Fail(error, "cannot be opened");
        return std::nullopt;
    }
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad()) {
        Fail(error, "cannot be read");
        return std::nullopt;
    }
    return Parse(bytes, error);
}

std::optional<CMessageCatalog> CMessageCatalog::Parse(std::string_view bytes, std::string* error)
{
    if (bytes.size() < kHeaderSize) {
        Fail(error, "too short for a message catalog");
        return std::nullopt;
    }
    const std::uint32_t magic = CMoReader(bytes, false).Word(0);
    if (magic != kMagic && magic != kMagicSwapped) {
        Fail(error, "not a message catalog");
        return std::nullopt;
    }
    const CMoReader reader(bytes, magic == kMagicSwapped);
    if (reader.Word(4) >> 16 != 0) {
        Fail(error, "a message catalog of an unknown revision");
        return std::nullopt;
    }
    const std::uint64_t count = reader.Word(8);
    const std::uint64_t sources = reader.Word(12);
    const std::uint64_t translations = reader.Word(16);
    if (count > bytes.size() / 16 || sources + count * 8 > bytes.size() || translations + count * 8 > bytes.size()) {
        Fail(error, "a damaged message catalog");
        return std::nullopt;
    }
    CMessageCatalog catalog;
    for (std::uint64_t i = 0; i < count; ++i) {
        const auto source = reader.String(sources + i * 8);
        const auto translation = reader.String(translations + i * 8);
        if (!source || !translation) {
            Fail(error, "a damaged message catalog");
            return std::nullopt;
        }
        // The entry without a source text is the catalog's own header.
        if (source->empty() || translation->empty())
            continue;
        catalog.m_translations.emplace(FirstForm(*source), FirstForm(*translation));
    }
    return catalog;
}

const std::string* CMessageCatalog::Find(std::string_view source) const
{
    const auto it = m_translations.find(std::string(source));
    return it == m_translations.end() ? nullptr : &it->second;
}
