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
    , m_utf8(byte_tables::Utf8())
    , m_json(byte_tables::JsonString())
{
}

COutputBuffer::COutputBuffer(std::string& target, std::size_t capacity)
    : COutputBuffer(static_cast<std::FILE*>(nullptr), capacity)
{
    m_target = &target;
}

void COutputBuffer::WriteLong(std::string_view bytes)
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

void COutputBuffer::WriteThrough(std::string_view text, const char (*table)[8], std::size_t width)
{
    // Converted in slices that surely fit into the free part of the buffer.
    const std::size_t slice = (m_capacity - kSlack) / width;
    while (!text.empty()) {
        const std::size_t count = std::min(text.size(), slice);
        char* out = Reserve(count * width + kSlack);
        for (const char c : text.substr(0, count)) {
            const char* entry = table[static_cast<unsigned char>(c)];
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
    // Byte and bit numbers, most of what is written, take the short way.
    if (value < 1000 && minDigits <= 3) {
        const int length = value >= 100 || minDigits == 3 ? 3 : value >= 10 || minDigits == 2 ? 2 : 1;
        char* out = Reserve(3);
        if (length == 3)
            *out++ = static_cast<char>('0' + value / 100);
        if (length >= 2)
            *out++ = static_cast<char>('0' + value / 10 % 10);
        *out++ = static_cast<char>('0' + value % 10);
        Commit(out);
        return;
    }
    char digits[16];
    char* first = digits + sizeof digits;
    do {
        *--first = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value != 0);
    while (digits + sizeof digits - first < minDigits && first > digits)
        *--first = '0';
    const auto length = static_cast<std::size_t>(digits + sizeof digits - first);
    char* out = Reserve(length);
    std::memcpy(out, first, length);
    Commit(out + length);
}

void COutputBuffer::Drain()
{
    if (m_used == 0)
        return;
    if (m_target) {
        m_target->append(m_data.get(), m_used);
        m_used = 0;
        return;
    }
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
    if (m_out && std::fflush(m_out) != 0) {
        const int error = errno;
        throw WriteFailed(error != 0 ? error : EIO);
    }
}
