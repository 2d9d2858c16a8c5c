#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

// A file image in memory with a read/write position. The record streams
// read and write through it; CBufferedFile ties one to a disk file.
class CMemFile {
public:
    CMemFile() = default;
    explicit CMemFile(std::vector<std::uint8_t> image) : m_data(std::move(image)) {}
    explicit CMemFile(std::span<const std::uint8_t> image) : m_data(image.begin(), image.end()) {}
    virtual ~CMemFile() = default;

    // Copies up to `count` bytes to `target`; returns how many there were.
    std::size_t Read(void* target, std::size_t count);
    // Writes at the position, growing the image as needed.
    void Write(const void* source, std::size_t count);

    std::size_t GetPosition() const { return m_position; }
    void Seek(std::size_t position) { m_position = position; }
    std::size_t GetLength() const { return m_data.size(); }
    std::size_t GetRemaining() const { return m_position < m_data.size() ? m_data.size() - m_position : 0; }
    const std::vector<std::uint8_t>& GetImage() const { return m_data; }

private:
    std::vector<std::uint8_t> m_data;
    std::size_t m_position = 0;
};
