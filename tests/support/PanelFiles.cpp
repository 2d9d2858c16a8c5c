#include "tests/support/PanelFiles.h"

#include "tests/support/TempDir.h"

void WriteDataFile(const std::filesystem::path& folder, const std::string& name, const std::string& ext,
                   std::uint8_t kind, const std::vector<std::uint8_t>& rest)
{
    std::vector<std::uint8_t> bytes{kind, 0x34, 0x12, static_cast<std::uint8_t>(name.size() + 1)};
    bytes.insert(bytes.end(), name.begin(), name.end());
    bytes.insert(bytes.end(), rest.begin(), rest.end());
    WriteBytes(folder / ("SDAT." + ext), bytes);
}

std::vector<std::uint8_t> WorkedExampleGroup()
{
    std::vector<std::uint8_t> bytes{0x0C, 0x61, 0x00, 0x03, 0x50, 0x31, 0x53, 0x30, 0x31, 0x21, 0x54, 0x65, 0x73, 0x74};
    bytes.insert(bytes.end(), 28, 0x20);
    for (std::uint8_t b : {0x01, 0x30, 0x30, 0x31, 0x36, 0x00, 0x21, 0x4C})
        bytes.push_back(b);
    bytes.insert(bytes.end(), 31, 0x20);
    for (std::uint8_t b : {0x01, 0x01, 0x00, 0x0C, 0x02, 0x01, 0x00, 0x41, 0x75, 0x66, 0x00, 0x03, 0x00, 0x5A, 0x75, 0x00})
        bytes.push_back(b);
    return bytes;
}

GroupBytes::GroupBytes(const std::string& projectName, const std::string& id, const std::string& designation,
                       std::uint8_t listCount)
{
    m_bytes = {0x0C, 0, 0};
    Counted(projectName);
    m_bytes.insert(m_bytes.end(), id.begin(), id.end());
    Counted(Padded(designation));
    m_bytes.push_back(listCount);
}

std::string GroupBytes::Padded(std::string designation)
{
    if (designation.size() < 32)
        designation.resize(32, ' ');
    return designation;
}

void GroupBytes::Counted(const std::string& text)
{
    m_bytes.push_back(static_cast<std::uint8_t>(text.size() + 1));
    m_bytes.insert(m_bytes.end(), text.begin(), text.end());
}

GroupBytes& GroupBytes::List(const std::string& id, const std::string& designation, std::uint8_t kind,
                             std::uint16_t blocks)
{
    m_listStart = m_bytes.size();
    m_bytes.insert(m_bytes.end(), id.begin(), id.end());
    m_bytes.push_back(0);
    m_bytes.push_back(0);
    Counted(Padded(designation));
    m_bytes.push_back(kind);
    m_bytes.push_back(static_cast<std::uint8_t>(blocks & 0xFF));
    m_bytes.push_back(static_cast<std::uint8_t>(blocks >> 8));
    return *this;
}

GroupBytes& GroupBytes::BitBlock(std::uint8_t byteNumber, std::uint8_t count)
{
    m_bytes.push_back(byteNumber);
    m_bytes.push_back(count);
    return *this;
}

GroupBytes& GroupBytes::Text(std::uint8_t number, std::uint8_t attributes, const std::string& stored)
{
    m_bytes.push_back(number);
    m_bytes.push_back(attributes);
    m_bytes.insert(m_bytes.end(), stored.begin(), stored.end());
    m_bytes.push_back(0);
    return *this;
}

GroupBytes& GroupBytes::EndList(int sizeField)
{
    const std::size_t size = sizeField >= 0 ? static_cast<std::size_t>(sizeField) : m_bytes.size() - m_listStart;
    m_bytes[m_listStart + 3] = static_cast<std::uint8_t>(size & 0xFF);
    m_bytes[m_listStart + 4] = static_cast<std::uint8_t>(size >> 8);
    return *this;
}

std::vector<std::uint8_t> GroupBytes::Bytes() const
{
    std::vector<std::uint8_t> bytes = m_bytes;
    bytes[1] = static_cast<std::uint8_t>(bytes.size() & 0xFF);
    bytes[2] = static_cast<std::uint8_t>((bytes.size() >> 8) & 0xFF);
    return bytes;
}
