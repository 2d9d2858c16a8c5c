// Whole-list mode replaces an existing group: asked first, written whole
// and atomically, under the file's own name; a failing save leaves the old file.
#include "data/records/AtomicFile.h"
#include "tests/convert/ConverterFixture.h"

#include <cerrno>

namespace {

TEST_F(ConverterTest, WholeListModeAsksBeforeReplacingAnExistingGroup)
{
    ExistingGroup("S01", {{"E 1.0", "alt"}});
    const auto before = ReadBytes(dir / "GS01.731");
    host.okCancelAnswers = {false};
    CConverter& c = Open(Inputs(2), ConversionMode::all);
    EXPECT_EQ(c.GetGroupDesignation(), "anlage");
    EXPECT_FALSE(c.Accept());
    EXPECT_EQ(host.Requests("okcancel:"),
              std::vector<std::string>{"okcancel: Die Schrittkettengruppe \"GS01\" existiert bereits\nund wird überschrieben."});
    EXPECT_EQ(c.GetRemainingCount(), 2u);
    c.Close();
    EXPECT_EQ(ReadBytes(dir / "GS01.731"), before);

    Reopen();
    host.log.clear();
    CConverter& all = Open(Inputs(2), ConversionMode::all);
    EXPECT_TRUE(all.AcceptAll());
    all.Close();
    EXPECT_TRUE(host.Requests("okcancel:").empty());
    EXPECT_EQ(TextsOnDisk("GS01.731", "001"), (std::vector<std::string>{"E000.00=S c", "E000.01=S c"}));
    EXPECT_EQ(host.Requests("info:"), std::vector<std::string>{"info: Alle Operanden wurden erfolgreich konvertiert."});
}

TEST_F(ConverterTest, ReplacingAGroupKeepsItsFileNameAndIsAtomic)
{
    ExistingGroup("S01", {{"E 1.0", "alt"}});
    std::filesystem::rename(dir / "GS01.731", dir / "gs01.731");
    if (dir.List() != std::vector<std::string>{"SDAT.731", "gs01.731"})
        GTEST_SKIP() << "this file system cannot change the case of a name (Wine)";
    Reopen();
    const auto before = ReadBytes(dir / "gs01.731");
    CAtomicFile::SetFaultHook([](CAtomicFile::Step step) { return step == CAtomicFile::Step::rename ? ENOSPC : 0; });
    CConverter& failing = Open(Inputs(2), ConversionMode::all);
    EXPECT_TRUE(failing.AcceptAll());
    failing.Close();
    EXPECT_EQ(ReadBytes(dir / "gs01.731"), before);
    EXPECT_EQ(host.ErrorIds(), std::vector<unsigned>{1041});
    EXPECT_TRUE(host.Requests("info:").empty());

    CAtomicFile::SetFaultHook({});
    Reopen();
    CConverter& c = Open(Inputs(2), ConversionMode::all);
    EXPECT_TRUE(c.AcceptAll());
    c.Close();
    EXPECT_EQ(dir.List(), (std::vector<std::string>{"SDAT.731", "gs01.731"}));
    EXPECT_EQ(TextsOnDisk("gs01.731", "001").size(), 2u);
}

TEST_F(ConverterTest, AReplacedGroupKeepsItsOldBytesUntilItsNewContentIsComplete)
{
    ExistingGroup("S01", {{"E 1.0", "alt"}, {"E 1.1", "alt"}});
    const auto before = ReadBytes(dir / "GS01.731");
    // "Alle übernehmen" writes at Close: until then the old file stands.
    CConverter& c = Open(Inputs(3), ConversionMode::all);
    EXPECT_TRUE(c.AcceptAll());
    EXPECT_EQ(ReadBytes(dir / "GS01.731"), before);
    c.Close();
    EXPECT_EQ(TextsOnDisk("GS01.731", "001"),
              (std::vector<std::string>{"E000.00=S c", "E000.01=S c", "E000.02=S c"}));

    // "Übernehmen" writes the replaced group once, whole.
    ExistingGroup("S01", {{"E 1.0", "alt"}, {"E 1.1", "alt"}});
    std::vector<bool> oldBeforeEachWrite;
    CAtomicFile::SetFaultHook([&](CAtomicFile::Step step) {
        if (step == CAtomicFile::Step::createTemp)
            oldBeforeEachWrite.push_back(ReadBytes(dir / "GS01.731") == before);
        return 0;
    });
    CConverter& step = Open(Inputs(3), ConversionMode::all);
    EXPECT_TRUE(step.Accept());
    CAtomicFile::SetFaultHook({});
    step.Close();
    EXPECT_EQ(oldBeforeEachWrite, std::vector<bool>{true});
}

TEST_F(ConverterTest, AFailingSaveOfAReplacedGroupLeavesTheOldFile)
{
    ExistingGroup("S01", {{"E 1.0", "alt"}});
    const auto before = ReadBytes(dir / "GS01.731");
    const std::pair<CAtomicFile::Step, int> faults[] = {
        {CAtomicFile::Step::write, ENOSPC},     // full disk
        {CAtomicFile::Step::createTemp, EACCES}, // a file or folder that cannot be written
    };
    for (const auto& [failing, code] : faults) {
        // One step: the question, then a failing save.
        Reopen();
        host.log.clear();
        CAtomicFile::SetFaultHook([failing, code](CAtomicFile::Step step) { return step == failing ? code : 0; });
        CConverter& c = Open(Inputs(2), ConversionMode::all);
        EXPECT_FALSE(c.Accept());
        EXPECT_EQ(ReadBytes(dir / "GS01.731"), before);
        EXPECT_EQ(host.Requests("error"), std::vector<std::string>{"error 1041: GS01.731"});
        EXPECT_EQ(c.GetRemainingCount(), 2u);
        // Still the old group: the next try asks again before replacing it.
        EXPECT_FALSE(c.GetGroup()->IsCreated());
        EXPECT_EQ(c.GetList()->GetCount(), 1);
        CAtomicFile::SetFaultHook({});
        EXPECT_TRUE(c.Accept());
        EXPECT_EQ(host.Requests("okcancel:").size(), 2u);
        c.Close();
        EXPECT_EQ(TextsOnDisk("GS01.731", "001"), (std::vector<std::string>{"E000.00=S c", "E000.01=S c"}));
        ExistingGroup("S01", {{"E 1.0", "alt"}});
    }
}

} // namespace
