#include "data/model/DataEntry.h"

#include "data/model/DataList.h"

const std::string& CDataEntry::GetName() const
{
    static const std::string kNoName;
    return kNoName;
}

int CDataEntry::Compare(const CDataEntry*) const
{
    return 0;
}

bool CDataEntry::WriteRecord(std::span<std::uint8_t>) const
{
    return false;
}

bool CDataEntry::ReadRecord(std::span<const std::uint8_t>)
{
    return false;
}

std::size_t CDataEntry::GetRecordSize() const
{
    return 0;
}

CDataList* CDataEntry::GetProject() const
{
    const CDataEntry* top = this;
    while (top->m_parent)
        top = top->m_parent;
    // Type 0 is the panel project, which is a list.
    if (top->GetType() != type_code::kPanelProject)
        return nullptr;
    return const_cast<CDataList*>(static_cast<const CDataList*>(top));
}

bool CDataEntry::IsContainerType(int code)
{
    return (code >= 0 && code <= 6) || (code >= 8 && code <= 13) || (code >= 16 && code <= 22)
        || (code >= 28 && code <= 30) || code == 39 || code == 47 || code == 48;
}

std::string IntToText(int value)
{
    return std::to_string(value);
}
