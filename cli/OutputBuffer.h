#pragma once

#include <cstddef>
#include <cstdio>
#include <memory>
#include <stdexcept>
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
    void Write(std::string_view bytes);
    // Windows-1252 bytes as UTF-8.
    void WriteCp1252(std::string_view text);
    void WriteUnsigned(unsigned value, int minDigits = 1);
    // Writes the buffer out and flushes the stream.
    void Flush();

    static constexpr std::size_t kDefaultCapacity = std::size_t{1} << 20;

private:
    friend class CJsonWriter;

    // Room for at least `count` bytes (at most the capacity) at Cursor().
    char* Reserve(std::size_t count)
    {
        if (m_capacity - m_used < count)
            Drain();
        return m_data.get() + m_used;
    }
    void Commit(char* end) { m_used = static_cast<std::size_t>(end - m_data.get()); }
    // Converts `text` through a table of up to `width` output bytes per
    // input byte.
    void WriteThrough(std::string_view text, const char (*table)[8], std::size_t width);
    void Drain();

    std::FILE* m_out;
    std::size_t m_capacity;
    std::size_t m_used = 0;
    std::unique_ptr<char[]> m_data;
};
