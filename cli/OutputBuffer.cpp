#include "cli/OutputBuffer.h"

#include "cli/ByteTables.h"

#include <cerrno>
#include <cstring>

COutputBuffer::WriteFailed::WriteFailed(int error)
    : std::runtime_error(std::string("cannot write the output: ") + std::strerror(error))
    , m_error(error)
{
}

bool COutputBuffer::WriteFailed::IsClosedPipe() const
{
    return m_error == EPIPE;
}

COutputBuffer::COutputBuffer(std::FILE* out, std::size_t capacity)
    : m_out(out)
    , m_capacity(capacity < 64 ? 64 : capacity)
    , m_data(std::make_unique_for_overwrite<char[]>(m_capacity))
{
}

void COutputBuffer::Write(std::string_view bytes)
{
    while (!bytes.empty()) {
        if (m_used == m_capacity)
            Drain();
        const std::size_t count = std::min(bytes.size(), m_capacity - m_used);
        std::memcpy(m_data.get() + m_used, bytes.data(), count);
        m_used += count;
        bytes.remove_prefix(count);
    }
}

void COutputBuffer::WriteCp1252(std::string_view text)
{
    WriteThrough(text, byte_tables::Utf8(), 3);
}

void COutputBuffer::WriteThrough(std::string_view text, const char (*table)[8], std::size_t width)
{
    // Converted in slices that surely fit into the free part of the buffer.
    // Every entry is copied with 6 bytes, so a slice needs that much slack.
    constexpr std::size_t kSlack = 8;
    const std::size_t slice = (m_capacity - kSlack) / width;
    while (!text.empty()) {
        const std::size_t count = std::min(text.size(), slice);
        char* out = Reserve(count * width + kSlack);
        for (const char c : text.substr(0, count)) {
            const auto byte = static_cast<unsigned char>(c);
            const char* entry = table[byte];
            if (entry[0] == 1) {
                *out++ = entry[1];
            } else {
                std::memcpy(out, entry + 1, 6);
                out += entry[0];
            }
        }
        Commit(out);
        text.remove_prefix(count);
    }
}

void COutputBuffer::WriteUnsigned(unsigned value, int minDigits)
{
    char digits[16];
    int length = 0;
    do {
        digits[length++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value != 0);
    while (length < minDigits && length < 16)
        digits[length++] = '0';
    char* out = Reserve(static_cast<std::size_t>(length));
    while (length > 0)
        *out++ = digits[--length];
    Commit(out);
}

void COutputBuffer::Drain()
{
    if (m_used == 0)
        return;
    errno = 0;
    const std::size_t written = std::fwrite(m_data.get(), 1, m_used, m_out);
    const int error = errno;
    if (written != m_used) {
        m_used = 0;
        throw WriteFailed(error != 0 ? error : EIO);
    }
    m_used = 0;
}

void COutputBuffer::Flush()
{
    Drain();
    errno = 0;
    if (std::fflush(m_out) != 0) {
        const int error = errno;
        throw WriteFailed(error != 0 ? error : EIO);
    }
}
