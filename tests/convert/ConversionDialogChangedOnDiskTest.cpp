// Group files another program changes while the conversion dialog is
// open: refused with a message, read again, the proposal kept.
#include "tests/convert/ConversionDialogFixture.h"

namespace {

TEST_F(ConversionDialogTest, StepOverAFileAnotherProgramChangedIsRefusedAndTheProposalStays)
{
    ExistingGroup("S01");
    const auto other = GroupBytes("Mischanlage", "S01", "Zwei", 2)
                           .List("001", "Liste", 1, 1).BitBlock(1, 1).Text(0, 0, "fremd").EndList()
                           .List("009", "Fremd", 2, 1).BitBlock(4, 1).Text(0, 0, "Ventil").EndList()
                           .Bytes();
    const int result = Run(ConversionMode::selected, "\tE 2.0\tneu\t\n", [&](CConversionDlg& d) {
        WriteBytes(dir / "GS01.731", other);
        Click(d, wxID_OK);
        EXPECT_TRUE(IsOpen(d));
        EXPECT_EQ(ReadBytes(dir / "GS01.731"), other);
        EXPECT_EQ(Value(d, CConversionDlg::kGroupIdId), "S01");
        EXPECT_EQ(Value(d, CConversionDlg::kListIdId), "001");
        EXPECT_EQ(Value(d, CConversionDlg::kRangeId), "E002.00");
        Click(d, wxID_OK); // the same step again, on what the file holds now
    });
    EXPECT_EQ(result, wxID_OK);
    ASSERT_EQ(Messages().size(), 2u);
    EXPECT_EQ(Messages()[0], "Die Datei \"GS01.731\" wurde inzwischen von einem anderen Programm geändert. "
                             "Sie wurde neu eingelesen; bitte den Schritt wiederholen.");
    EXPECT_EQ(script.boxes[0].style & wxICON_MASK, wxICON_ERROR);
    CPanelProject project(dir.Path().string(), "");
    project.Load();
    auto* group = static_cast<CStepChainGroup*>(project.GetGroupFolder()->FindEntry("GS01"));
    ASSERT_TRUE(group && group->Load());
    ASSERT_NE(group->FindList("009"), nullptr);
    const CStepChainList* inputs = group->FindList("001");
    ASSERT_EQ(inputs->GetCount(), 2);
    EXPECT_EQ(inputs->GetText(0)->GetText(), "fremd");
    EXPECT_EQ(inputs->GetText(1)->GetText(), "neu ");
}

TEST_F(ConversionDialogTest, AcceptAllLeavesAGroupAnotherProgramChangedBeforeTheFinalSave)
{
    // The new group's file exists once it has been created; the other
    // program writes it while the final save is on its way to the disk.
    const auto other = GroupBytes("Mischanlage", "S01", "Fremd", 0).Bytes();
    bool written = false;
    CAtomicFile::SetFaultHook([&](CAtomicFile::Step step) {
        if (step == CAtomicFile::Step::close && !written && std::filesystem::exists(dir / "GS01.731")) {
            WriteBytes(dir / "GS01.731", other);
            written = true;
        }
        return 0;
    });
    const int result = Run(ConversionMode::all, threeInputs, [&](CConversionDlg& d) {
        Click(d, CConversionDlg::kAcceptAllId);
    });
    CAtomicFile::SetFaultHook({});
    EXPECT_EQ(result, wxID_OK);
    EXPECT_TRUE(written);
    EXPECT_EQ(Messages(), std::vector<std::string>{"Die Datei \"GS01.731\" wurde inzwischen von einem anderen "
                                                   "Programm geändert. Sie wurde neu eingelesen; bitte den Schritt "
                                                   "wiederholen."});
    EXPECT_EQ(ReadBytes(dir / "GS01.731"), other);
}

} // namespace
