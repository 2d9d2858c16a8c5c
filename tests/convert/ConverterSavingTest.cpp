// Saving the groups: failed and deferred saves, a stopped "Alle übernehmen",
// and files the conversion cannot read, which it never overwrites.
#include "data/records/AtomicFile.h"
#include "tests/convert/ConverterFixture.h"

#include <cerrno>

namespace {

TEST_F(ConverterTest, FailedSaveLooksTheListUpAgain)
{
    ExistingGroup("S01", {{"E 1.0", "alt"}});
    const auto before = ReadBytes(dir / "GS01.731");
    CAtomicFile::SetFaultHook([](CAtomicFile::Step step) { return step == CAtomicFile::Step::write ? ENOSPC : 0; });
    CConverter& c = Open("\tE 1.1\tneu\n");
    EXPECT_FALSE(c.Accept());
    EXPECT_EQ(host.Requests("error"), std::vector<std::string>{"error 1041: GS01.731"});
    EXPECT_EQ(ReadBytes(dir / "GS01.731"), before);
    EXPECT_EQ(c.GetRemainingCount(), 1u);
    ASSERT_NE(c.GetList(), nullptr);
    EXPECT_EQ(c.GetList()->GetCount(), 1); // what the file holds
    CAtomicFile::SetFaultHook({});
    EXPECT_TRUE(c.Accept());
    c.Close();
    EXPECT_EQ(TextsOnDisk("GS01.731", "001"), (std::vector<std::string>{"E001.00=alt", "E001.01=neu "}));
}

TEST_F(ConverterTest, DeferredSaveFailuresAreReportedOneByOne)
{
    settings.MaxLists = 1;
    settings.MaxOperands = 1;
    CConverter& c = Open(Inputs(2), ConversionMode::all);
    EXPECT_TRUE(c.AcceptAll());
    CAtomicFile::SetFaultHook([](CAtomicFile::Step step) { return step == CAtomicFile::Step::write ? EIO : 0; });
    c.Close();
    EXPECT_EQ(host.Requests("error"), (std::vector<std::string>{"error 1041: GS01.731", "error 1041: GS02.731"}));
    EXPECT_TRUE(host.Requests("info:").empty());
}

TEST_F(ConverterTest, CancelledAcceptAllSavesWhatWasConverted)
{
    settings.MaxLists = 1;
    settings.MaxOperands = 1;
    host.passesBeforeCancel = 1;
    CConverter& c = Open(Inputs(5), ConversionMode::all);
    EXPECT_FALSE(c.AcceptAll());
    c.Close();
    EXPECT_EQ(c.GetRemainingCount(), 3u);
    EXPECT_EQ(TextsOnDisk("GS02.731", "001").size(), 1u);
    EXPECT_TRUE(host.Requests("info:").empty()); // not "all converted"
}

TEST_F(ConverterTest, NewGroupIsNotWrittenOverAFileTheFolderRefused)
{
    const std::string garbage = "kein Gruppenkopf";
    WriteText(dir / "gs01.731", garbage);
    Reopen();
    CConverter& c = Open(Inputs(2));
    EXPECT_EQ(c.GetGroup(), nullptr);
    EXPECT_FALSE(c.Accept());
    EXPECT_EQ(host.Requests("error"), std::vector<std::string>{"error 1040: gs01.731"});
    EXPECT_EQ(ReadBytes(dir / "gs01.731"), std::vector<std::uint8_t>(garbage.begin(), garbage.end()));
    EXPECT_EQ(c.GetRemainingCount(), 2u);
    EXPECT_TRUE(c.HadUnreadableGroup());
}

TEST_F(ConverterTest, UnreadableGroupIsNeverOverwritten)
{
    auto bytes = WorkedExampleGroup();
    bytes.resize(bytes.size() - 7); // the last text is cut off
    WriteBytes(dir / "GS01.731", bytes);
    for (auto mode : {ConversionMode::selected, ConversionMode::all}) {
        Reopen();
        host.log.clear();
        CConverter& c = Open(Inputs(2), mode);
        ASSERT_NE(c.GetGroup(), nullptr) << "the group stays the target";
        EXPECT_EQ(host.Requests("error"), std::vector<std::string>{"error 1040: GS01.731"});
        const bool done = mode == ConversionMode::all ? c.AcceptAll() : c.Accept();
        EXPECT_FALSE(done);
        c.Close();
        EXPECT_EQ(ReadBytes(dir / "GS01.731"), bytes);
        EXPECT_NE(host.Requests("error 1062").size(), 0u);
    }
}

} // namespace
