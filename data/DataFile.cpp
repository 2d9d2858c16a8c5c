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

namespace {

std::string UpperAscii(std::string text)
{
    for (char& c : text)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return text;
}

} // namespace

bool CDataFile::Rename(const std::string& newIdentifier, const std::string& newName)
{
    const std::string identifier = UpperAscii(newIdentifier);
    const std::string oldIdentifier = GetBaseName();
    const bool wasLoaded = IsLoaded();
    // Saving what a failed load left (nothing) under the new name would
    // delete the old file's contents with it.
    if (!wasLoaded && !Load())
        return false;
    SetName(newName);
    SetModified(true);

    bool saved;
    if (identifier == oldIdentifier) {
        saved = Save();
    } else {
        const std::string oldFileName = m_fileName;
        const std::filesystem::path oldPath = GetFilePath();
        m_fileName = identifier + "." + GetExtension();
        saved = Save();
        if (oldIdentifier.size() <= 2) {
            // The list had no file of its own yet ("G." of a new group):
            // nothing to delete, and the new name stays.
        } else if (saved) {
            // Names that differ only in case may resolve to the same file on
            // disk; that file is the one just written.
            std::error_code ec;
            if (GetFilePath() != oldPath)
                std::filesystem::remove(oldPath, ec); // a leftover old file is harmless
        } else {
            m_fileName = oldFileName;
        }
    }
    if (!wasLoaded)
        RemoveAll();
    if (auto* parent = dynamic_cast<CDataList*>(GetParent()))
        parent->OnEntryChanged(this);
    return saved;
}
