#pragma once

#include "panel/DataFolder.h"

class CPanelProject;
class CStepChainGroup;

// The step-chain group files G<id>.<ext> of a panel project.
class CGroupFolder : public CDataFolder {
public:
    explicit CGroupFolder(CPanelProject* project);

    int GetType() const override { return type_code::kGroupFolder; }
    // A group object that reads the file's header; kept only if the file is
    // a group file whose identifier matches its name.
    CDataFile* CreateEntryForFile(const std::string& fileName, const std::string& diskName) override;

    CStepChainGroup* GetGroup(int index) const;
    // The group with this identifier (G<id>), ignoring case; null if none.
    CStepChainGroup* FindGroup(const std::string& groupId) const;
};
