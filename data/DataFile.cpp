#include "data/DataFile.h"

CDataFile::CDataFile(CDataEntry* parent, std::string fileName)
    : CDataList(parent, std::string()), m_fileName(std::move(fileName))
{
}

std::string CDataFile::GetColumnText(int column) const
{
    switch (column) {
    case 0: return GetName();
    case 1: return GetBaseName();
    case 2: return GetExtension();
    case 3: return m_dateText;
    case 4: return IntToText(m_size);
    default: return {};
    }
}

std::string CDataFile::GetContextText(int selector) const
{
    switch (selector) {
    case 1: return GetBaseName();
    case 2: return m_fileName;
    default: return {};
    }
}

std::string CDataFile::GetBaseName() const
{
    const auto point = m_fileName.find('.');
    if (point == std::string::npos || point == 0)
        return m_fileName;
    return m_fileName.substr(0, point);
}

std::string CDataFile::GetExtension() const
{
    const auto point = m_fileName.find('.');
    if (point == std::string::npos || point == 0)
        return {};
    return m_fileName.substr(point + 1);
}
