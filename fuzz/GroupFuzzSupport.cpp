#include "fuzz/GroupFuzzSupport.h"

#include "data/records/FileException.h"
#include "data/records/RecordStream.h"
#include "panel/StepChainList.h"
#include "panel/StepChainText.h"

#include <cctype>
#include <vector>

std::unique_ptr<CStepChainGroup> GroupForData(const std::uint8_t* data, std::size_t size)
{
    std::string id = "S01";
    CMemFile file(std::vector<std::uint8_t>(data, data + size));
    try {
        const std::string code = record::ReadLongHeader(file).code;
        bool plain = true;
        for (char c : code)
            plain = plain && std::isalnum(static_cast<unsigned char>(c));
        if (plain)
            id = code;
    } catch (const CFileException&) {
    }
    return std::make_unique<CStepChainGroup>(nullptr, "G" + id + ".731", "G" + id + ".fuzz-no-such-file");
}

bool ReadGroup(CStepChainGroup& group, const std::uint8_t* data, std::size_t size)
{
    CMemFile file(std::vector<std::uint8_t>(data, data + size));
    try {
        group.ReadImage(file);
        return true;
    } catch (const CFileException&) {
        group.RemoveAll();
        return false;
    }
}

std::string DescribeGroup(const CStepChainGroup& group)
{
    std::string text = group.GetGroupId() + "|" + group.GetName() + "\n";
    for (int i = 0; i < group.GetCount(); ++i) {
        const CStepChainList* list = group.GetList(i);
        text += list->GetListId() + "|" + std::to_string(list->GetKind()) + "|" + list->GetName() + "\n";
        for (int j = 0; j < list->GetCount(); ++j) {
            const CStepChainText* t = list->GetText(j);
            text += std::to_string(t->GetNumber()) + " " + std::to_string(t->GetOperand()) + "."
                + std::to_string(t->GetBit()) + " " + std::to_string(t->GetAttribute1()) + "/"
                + std::to_string(t->GetAttribute2()) + "|" + t->GetText() + "\n";
        }
    }
    return text;
}
