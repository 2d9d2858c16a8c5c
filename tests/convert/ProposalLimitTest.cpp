#include "tests/convert/ConverterFixture.h"

#include <gtest/gtest.h>

namespace {

class ProposalLimit : public ConverterFixture {
protected:
    void SetUp() override
    {
        ConverterFixture::SetUp();
        settings.MaxLists = 2;
        settings.MaxOperands = 3;
        settings.MaxGroupSizeKb = 1;
        // S01 holds two lists already, neither for inputs.
        CStepChainGroup* group = NewGroup("S01", "Pult");
        AddText(AddList(group, "001", kKindOutput, "Ausgaenge"), 1, 0, "Motor");
        AddText(AddList(group, "002", kKindMarker, "Merker"), 2, 0, "Frei");
        ASSERT_TRUE(group->Save());
        Reopen();
    }

    int ListsOnDisk(const std::string& groupId)
    {
        Reopen();
        auto* group = static_cast<CStepChainGroup*>(folder->FindEntry("G" + groupId));
        return group && group->Load() ? group->GetCount() : -1;
    }
};

TEST_F(ProposalLimit, NoProposalAddsAListToAGroupHoldingMaxLists)
{
    CConverter& c = Open(Inputs(7));
    EXPECT_EQ(c.GetGroupId(), "S02");
    EXPECT_EQ(c.GetListId(), "001");
    EXPECT_TRUE(c.AcceptStepwise());
    c.Close();
    EXPECT_EQ(ListsOnDisk("S01"), 2);
    EXPECT_EQ(ListsOnDisk("S02"), 2);
    EXPECT_EQ(ListsOnDisk("S03"), 1);
}

TEST_F(ProposalLimit, AGroupTheUserTypesIsStillTaken)
{
    CConverter& c = Open(Inputs(2));
    c.SetGroupId("S01");
    c.SelectGroup(true);
    c.SetListId("003");
    c.SelectList(true);
    ASSERT_TRUE(c.Validate());
    EXPECT_TRUE(c.Accept());
    c.Close();
    EXPECT_EQ(ListsOnDisk("S01"), 3);
}

} // namespace
