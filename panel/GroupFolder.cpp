#include "panel/GroupFolder.h"

#include "data/text/StringTable.h"
#include "panel/PanelProject.h"
#include "panel/StepChainGroup.h"

CGroupFolder::CGroupFolder(CPanelProject* project)
    : CDataFolder(project, ids::kDummy, "G*")
{
}

CDataFile* CGroupFolder::CreateEntryForFile(const std::string& fileName, const std::string& diskName)
{
    auto group = std::make_unique<CStepChainGroup>(this, fileName, diskName);
    if (!group->IsValid())
        return nullptr;
    return AddNew(std::move(group));
}

CStepChainGroup* CGroupFolder::GetGroup(int index) const
{
    return static_cast<CStepChainGroup*>(GetAt(index));
}

CStepChainGroup* CGroupFolder::FindGroup(const std::string& groupId) const
{
    return static_cast<CStepChainGroup*>(FindEntry("G" + groupId));
}
