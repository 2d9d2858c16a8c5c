// Encoding detection and conversion: any bytes. What is detected as UTF-8
// converts without loss into as many characters as it has; Windows-1252 is
// taken byte for byte; the lines that lost characters are lines of the text,
// in order.
#include "tables/TableError.h"
#include "tables/TextEncoding.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const TextEncoding detected = DetectEncoding(bytes);
    for (auto encoding : {std::optional<TextEncoding>(), std::optional(TextEncoding::utf8),
                          std::optional(TextEncoding::utf16le), std::optional(TextEncoding::windows1252)}) {
        try {
            const DecodedText decoded = DecodeText(bytes, encoding);
            if (decoded.encoding == TextEncoding::windows1252 && decoded.text != bytes)
                std::abort();
            if (!std::is_sorted(decoded.replacedLines.begin(), decoded.replacedLines.end())
                || decoded.replacedLines.size() > decoded.replacedCharacters)
                std::abort();
            const auto lines = static_cast<std::size_t>(std::count(decoded.text.begin(), decoded.text.end(), '\n'));
            if (!decoded.replacedLines.empty() && decoded.replacedLines.back() > lines)
                std::abort();
            if (!encoding && detected == TextEncoding::utf8 && decoded.text.size() > bytes.size())
                std::abort();
        } catch (const CTableError&) {
            if (size % 2 == 0)
                std::abort(); // only an odd UTF-16 is refused
        }
    }
    return 0;
}
