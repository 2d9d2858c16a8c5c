#include "data/records/MemFile.h"

#include <algorithm>
#include <cstring>

std::size_t CMemFile::Read(void* target, std::size_t count)
{
    const std::size_t available = std::min(count, GetRemaining());
    if (available != 0)
        std::memcpy(target, m_data.data() + m_position, available);
    m_position += available;
    return available;
}

void CMemFile::Write(const void* source, std::size_t count)
{
    if (count == 0)
        return;
    const auto* bytes = static_cast<const std::uint8_t*>(source);
    if (m_position == m_data.size()) {
        // Appending, as record writers do: one amortised insert.
        m_data.insert(m_data.end(), bytes, bytes + count);
    } else {
        if (m_position + count > m_data.size())
            m_data.resize(m_position + count);
        std::memcpy(m_data.data() + m_position, bytes, count);
    }
    m_position += count;
}
