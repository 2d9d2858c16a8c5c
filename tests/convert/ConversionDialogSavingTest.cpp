// What the conversion dialog writes, and what it leaves: the question
// before a group is replaced, and a save that fails.
#include "tests/convert/ConversionDialogFixture.h"
#include "tests/support/TestSystem.h"

#include <cerrno>

namespace {

TEST_F(ConversionDialogTest, ExistingGroupQuestionCancelChangesNothing)
{
    ExistingGroup("S01");
    const auto before = ReadBytes(dir / "GS01.731");
    script.boxAnswers = {wxID_CANCEL};
    const int result = Run(ConversionMode::all, threeInputs, [&](CConversionDlg& d) {
        Click(d, wxID_OK);
        EXPECT_TRUE(IsOpen(d));
        EXPECT_EQ(Value(d, CConversionDlg::kCountId), "3");
    });
    EXPECT_EQ(result, wxID_CANCEL);
    EXPECT_EQ(Messages(), std::vector<std::string>{
                              "Die Schrittkettengruppe \"GS01\" existiert bereits\nund wird überschrieben."});
    EXPECT_EQ(ReadBytes(dir / "GS01.731"), before);
}

TEST_F(ConversionDialogTest, FailedSaveShowsTheErrorAndKeepsTheFiles)
{
    ExistingGroup("S01");
    const auto before = ReadBytes(dir / "GS01.731");
    // A read-only folder stops anyone but root (and means nothing on
    // Windows); otherwise the file layer fails the same way directly.
    if (test_system::IsSuperUser() || test_system::kWindows)
        CAtomicFile::SetFaultHook([](CAtomicFile::Step s) { return s == CAtomicFile::Step::createTemp ? EROFS : 0; });
    else
        std::filesystem::permissions(dir.Path(), std::filesystem::perms::owner_write,
                                     std::filesystem::perm_options::remove);
    Run(ConversionMode::selected, "\tE 2.0\tneu\t\n", [&](CConversionDlg& d) {
        Click(d, wxID_OK);
        EXPECT_TRUE(IsOpen(d));
    });
    std::filesystem::permissions(dir.Path(), std::filesystem::perms::owner_write, std::filesystem::perm_options::add);
    ASSERT_EQ(Messages(), std::vector<std::string>{"Fehler beim Schreiben der Datei \"GS01.731\"."});
    EXPECT_EQ(script.boxes[0].style & wxICON_MASK, wxICON_ERROR);
    EXPECT_EQ(ReadBytes(dir / "GS01.731"), before);
}

} // namespace
