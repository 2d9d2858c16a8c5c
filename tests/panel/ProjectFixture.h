#pragma once

#include "data/records/AtomicFile.h"
#include "panel/GroupFolder.h"
#include "panel/PanelProject.h"
#include "panel/StepChainGroup.h"
#include "panel/StepChainList.h"
#include "panel/StepChainText.h"
#include "tests/support/PanelFiles.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

using Bytes = std::vector<std::uint8_t>;

// A panel project "P1" in a fresh folder, opened and loaded, with helpers
// that build groups the way the conversion does.
class ProjectFixture : public ::testing::Test {
protected:
    void SetUp() override { OpenProject(); }
    void TearDown() override { CAtomicFile::SetFaultHook({}); }

    void OpenProject(const std::string& name = "P1")
    {
        if (!std::filesystem::exists(dir / "SDAT.731"))
            WriteDataFile(dir.Path(), name);
        project = std::make_unique<CPanelProject>(dir.Path(), "");
        ASSERT_TRUE(project->IsValid());
        project->Load();
        folder = project->GetGroupFolder();
        ASSERT_NE(folder, nullptr);
    }

    // Created, renamed (which writes its first file) and added.
    CStepChainGroup* NewGroup(const std::string& id, const std::string& designation)
    {
        auto group = std::make_unique<CStepChainGroup>(folder);
        group->SetCreated(true);
        group->Rename("G" + id, designation);
        return folder->AddNew(std::move(group));
    }

    static CStepChainList* AddList(CStepChainGroup* group, const std::string& id, int kind,
                                   const std::string& designation)
    {
        auto list = std::make_unique<CStepChainList>(group);
        list->SetProperties(id, kind, designation);
        return group->AddNew(std::move(list));
    }

    static CStepChainText* AddText(CStepChainList* list, std::uint8_t operand, std::uint8_t bit,
                                   const std::string& text, std::uint8_t attribute1 = 0, std::uint8_t attribute2 = 0)
    {
        auto* added = list->AddNew(std::make_unique<CStepChainText>(list, operand, bit, attribute1, attribute2, text));
        list->Sort();
        list->OnEntryChanged(added);
        return added;
    }

    // The group as a fresh object would find it on disk, loaded.
    std::unique_ptr<CStepChainGroup> Reload(const std::string& fileName)
    {
        auto group = std::make_unique<CStepChainGroup>(folder, fileName);
        EXPECT_TRUE(group->IsValid()) << fileName;
        EXPECT_TRUE(group->Load()) << fileName;
        return group;
    }

    TempDir dir;
    std::unique_ptr<CPanelProject> project;
    CGroupFolder* folder = nullptr;
};
