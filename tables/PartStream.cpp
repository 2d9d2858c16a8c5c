#include "tables/PartStream.h"

#include "tables/TableError.h"
#include "tables/Workbook.h"

#include <zip.h>

CPartStream::CPartStream(zip* archive, std::string name) : m_name(std::move(name)), m_limit(CWorkbook::kMaxPartSize)
{
    zip_stat_t stat;
    if (zip_stat(archive, m_name.c_str(), 0, &stat) != 0)
        throw CTableError("the workbook has no part " + m_name);
    if (stat.valid & ZIP_STAT_SIZE) {
        if (stat.size > m_limit)
            throw CTableError("the part " + m_name + " expands past 256 MB");
        m_limit = stat.size;
    }
    m_file = zip_fopen(archive, m_name.c_str(), 0);
    if (!m_file)
        throw CTableError("the part " + m_name + " cannot be unpacked");
}

CPartStream::~CPartStream()
{
    if (m_file)
        zip_fclose(m_file);
}

std::size_t CPartStream::Read(char* buffer, std::size_t size)
{
    // One byte more than allowed tells a part that goes on from one that
    // ends just there.
    const std::uint64_t room = m_limit - m_read + 1;
    const zip_int64_t got = zip_fread(m_file, buffer, room < size ? room : size);
    if (got < 0)
        throw CTableError("the part " + m_name + " is damaged");
    m_read += static_cast<std::uint64_t>(got);
    if (m_read > m_limit)
        throw CTableError(m_limit == CWorkbook::kMaxPartSize ? "the part " + m_name + " expands past 256 MB"
                                                            : "the part " + m_name + " is damaged (longer than it states)");
    return static_cast<std::size_t>(got);
}
