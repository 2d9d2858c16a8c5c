#pragma once

#include <cstddef>
#include <cstdio>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

// Standard output for commands that print a lot: one large buffer written
// out in big pieces, never flushed per line. Texts of the model are
// converted from Windows-1252 to UTF-8 straight into the buffer.
//
// A failed write throws WriteFailed; main tells a closed pipe (the reader
// has all it wanted) from a real error such as a full disk.
class COutputBuffer {
public:
    class WriteFailed : public std::runtime_error {
    public:
        explicit WriteFailed(int error);
        int GetError() const { return m_error; }
        // The reader of a pipe went away: not an error of this program.
        bool IsClosedPipe() const;

    private:
        int m_error;
    };

    explicit COutputBuffer(std::FILE* out = stdout, std::size_t capacity = kDefaultCapacity);
    // Output appended to a text, for pieces built in memory.
    explicit COutputBuffer(std::string& target, std::size_t capacity = 256);
    COutputBuffer(const COutputBuffer&) = delete;
    COutputBuffer& operator=(const COutputBuffer&) = delete;
    // Does not flush: output that was never flushed belongs to a command
    // that failed, and a failed write could not be reported from here.
    ~COutputBuffer() = default;

    void Put(char c)
    {
        if (m_used == m_capacity)
            Drain();
        m_data[m_used++] = c;
    }
    void Write(std::string_view bytes)
    {
        if (bytes.size() <= m_capacity - m_used) {
            std::memcpy(m_data.get() + m_used, bytes.data(), bytes.size());
            m_used += bytes.size();
        } else {
            WriteLong(bytes);
        }
    }
    // Windows-1252 bytes as UTF-8.
    void WriteCp1252(std::string_view text)
    {
        // Short texts, by far the most, are converted in one go in the
        // buffer; the loop is what all output of a large file runs through.
        if (text.size() * 3 + kSlack > m_capacity) {
            WriteThrough(text, m_utf8, 3);
            return;
        }
        char* out = Reserve(text.size() * 3 + kSlack);
        for (const char c : text) {
            const auto byte = static_cast<unsigned char>(c);
            if (byte < 0x80) {
                *out++ = c;
            } else {
                std::memcpy(out, m_utf8[byte] + 1, 4);
                out += m_utf8[byte][0];
            }
        }
        Commit(out);
    }
    void WriteUnsigned(unsigned value, int minDigits = 1);
    // Writes the buffer out and flushes the stream.
    void Flush();

    static constexpr std::size_t kDefaultCapacity = std::size_t{1} << 20;

private:
    friend class CJsonWriter;

    // Room for `count` bytes, at most the capacity, where the output goes on.
    char* Reserve(std::size_t count)
    {
        if (m_capacity - m_used < count)
            Drain();
        return m_data.get() + m_used;
    }
    void Commit(char* end) { m_used = static_cast<std::size_t>(end - m_data.get()); }
    // Windows-1252 bytes as the inside of a JSON string.
    void WriteJsonEscaped(std::string_view text)
    {
        if (text.size() * 6 + kSlack > m_capacity) {
            WriteThrough(text, m_json, 6);
            return;
        }
        char* out = Reserve(text.size() * 6 + kSlack);
        for (const char c : text) {
            const auto byte = static_cast<unsigned char>(c);
            if (m_json[byte][0] == 1) {
                *out++ = c;
            } else {
                std::memcpy(out, m_json[byte] + 1, 6);
                out += m_json[byte][0];
            }
        }
        Commit(out);
    }
    // A table entry is copied with a fixed number of bytes, more than it
    // may hold, so every conversion reserves this much more.
    static constexpr std::size_t kSlack = 8;

    // Converts `text` through a table of up to `width` output bytes per
    // input byte.
    void WriteThrough(std::string_view text, const char (*table)[8], std::size_t width);
    void WriteLong(std::string_view bytes);
    void Drain();

    std::FILE* m_out = nullptr;
    std::string* m_target = nullptr;
    std::size_t m_capacity;
    std::size_t m_used = 0;
    std::unique_ptr<char[]> m_data;
    const char (*m_utf8)[8];
    const char (*m_json)[8];
};
