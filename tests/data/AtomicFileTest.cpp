#include "data/records/AtomicFile.h"
#include "data/records/BufferedFile.h"
#include "data/records/FileException.h"
#include "data/records/FileStamp.h"
#include "data/records/RecordStream.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestSystem.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <fstream>

namespace {

using Bytes = std::vector<std::uint8_t>;
using Step = CAtomicFile::Step;

class AtomicFileTest : public ::testing::Test {
protected:
    void TearDown() override { CAtomicFile::SetFaultHook({}); }
    TempDir dir;
};

TEST_F(AtomicFileTest, ReplacesContentAndKeepsPermissions)
{
    const auto file = dir / "G001.731";
    WriteBytes(file, Bytes(5000, 0xAA));
    if (test_system::kWindows)
        GTEST_SKIP() << "Windows files have no permission bits; the replacement keeps the old file's security";
    std::filesystem::permissions(file, std::filesystem::perms(0640));
    CAtomicFile::Write(file, Bytes{1, 2, 3});
    EXPECT_EQ(ReadBytes(file), (Bytes{1, 2, 3}));
    EXPECT_EQ(std::filesystem::status(file).permissions(), std::filesystem::perms(0640));
    EXPECT_EQ(dir.List(), std::vector<std::string>{"G001.731"});
}

TEST_F(AtomicFileTest, FailureAtEveryStepLeavesOldFileAndNoTemporary)
{
    const auto file = dir / "G001.731";
    const Bytes old{'o', 'l', 'd'};
    for (Step failing : {Step::createTemp, Step::write, Step::flush, Step::permissions, Step::close, Step::rename}) {
        WriteBytes(file, old);
        CAtomicFile::SetFaultHook([failing](Step step) { return step == failing ? ENOSPC : 0; });
        try {
            CAtomicFile::Write(file, Bytes(10000, 'n'));
            ADD_FAILURE() << "no exception at step " << static_cast<int>(failing);
        } catch (const CFileException& e) {
            EXPECT_EQ(e.GetCause(), CFileException::Cause::generic);
            EXPECT_EQ(e.GetOsError(), ENOSPC);
        }
        EXPECT_EQ(ReadBytes(file), old) << static_cast<int>(failing);
        EXPECT_EQ(dir.List(), std::vector<std::string>{"G001.731"}) << static_cast<int>(failing);
    }
}

TEST_F(AtomicFileTest, NewFileFailureLeavesNothing)
{
    CAtomicFile::SetFaultHook([](Step step) { return step == Step::rename ? EACCES : 0; });
    EXPECT_THROW(CAtomicFile::Write(dir / "neu.731", Bytes{1}), CFileException);
    EXPECT_TRUE(dir.List().empty());
}

TEST_F(AtomicFileTest, MissingFolderThrows)
{
    EXPECT_THROW(CAtomicFile::Write(dir / "fehlt" / "x.731", Bytes{1}), CFileException);
}

TEST_F(AtomicFileTest, WritesThroughSymbolicLink)
{
    if (test_system::kWindows)
        GTEST_SKIP() << "symbolic links need administrator rights on Windows";
    WriteBytes(dir / "real.731", Bytes{9});
    std::filesystem::create_symlink("real.731", dir / "link.731");
    CAtomicFile::Write(dir / "link.731", Bytes{7, 7});
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "link.731"));
    EXPECT_EQ(ReadBytes(dir / "real.731"), (Bytes{7, 7}));
}

TEST_F(AtomicFileTest, FileHeldOpenByAnotherProgram)
{
    const auto file = dir / "GS01.731";
    WriteBytes(file, Bytes{'o', 'l', 'd'});
    std::ifstream reader(file, std::ios::binary);
    ASSERT_TRUE(reader.is_open());
    if (test_system::kWindows) {
        // An open file cannot be replaced there: a clear error, the old
        // file whole, no temporary left behind.
        try {
            CAtomicFile::Write(file, Bytes{'n', 'e', 'u'});
            ADD_FAILURE() << "replaced a file that another program holds open";
        } catch (const CFileException& e) {
            EXPECT_EQ(e.GetOsError(), EACCES);
        }
        reader.close();
        EXPECT_EQ(ReadBytes(file), (Bytes{'o', 'l', 'd'}));
    } else {
        // The reader keeps the old content; the path names the new one.
        CAtomicFile::Write(file, Bytes{'n', 'e', 'u'});
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(reader), {}), "old");
        EXPECT_EQ(ReadBytes(file), (Bytes{'n', 'e', 'u'}));
    }
    EXPECT_EQ(dir.List(), std::vector<std::string>{"GS01.731"});
}

// A reader that lets others delete the file (as indexers and virus
// scanners open files) keeps the old content, and the old file may stay in
// the folder until it lets go: that is no change by another program, on
// the next replacement neither.
TEST_F(AtomicFileTest, FileHeldWithDeleteSharingIsReplacedEveryTime)
{
    const auto file = dir / "GS01.731";
    Bytes content{'o', 'l', 'd'};
    WriteBytes(file, content);
    HeldOpenFile holder(file);
    ASSERT_TRUE(holder.IsOpen());
    for (std::uint8_t round = 1; round <= 3; ++round) {
        const Bytes next(round * 10, round);
        EXPECT_NO_THROW(CAtomicFile::Write(file, next, CFileStamp::OfBytes(content))) << int(round);
        content = ReadBytes(file);
        EXPECT_EQ(content, next) << int(round);
    }
    holder.Close();
    CAtomicFile::Write(file, Bytes{'e', 'n', 'd'}, CFileStamp::OfBytes(content));
    EXPECT_EQ(dir.List(), std::vector<std::string>{"GS01.731"});
}

TEST_F(AtomicFileTest, OldFileLeftAsideIsNoChangeAndGoes)
{
    if (!test_system::kWindows)
        GTEST_SKIP() << "POSIX renames over the old file in one step and sets nothing aside";
    // What an earlier replacement left when the program ended midway.
    const auto file = dir / "GS01.731";
    WriteBytes(file, Bytes{'o', 'l', 'd'});
    WriteBytes(dir / "GS01.731.old~", Bytes{'x'});
    WriteBytes(dir / "GS01.731.815.old~", Bytes{'y'});
    CAtomicFile::Write(file, Bytes{'n', 'e', 'u'}, CFileStamp::OfBytes(Bytes{'o', 'l', 'd'}));
    EXPECT_EQ(ReadBytes(file), (Bytes{'n', 'e', 'u'}));
    EXPECT_EQ(dir.List(), std::vector<std::string>{"GS01.731"});
}

TEST_F(AtomicFileTest, ReadOnlyFile)
{
    const auto file = dir / "GS01.731";
    WriteBytes(file, Bytes{'o', 'l', 'd'});
    std::filesystem::permissions(file, std::filesystem::perms::owner_write | std::filesystem::perms::group_write
                                           | std::filesystem::perms::others_write,
                                 std::filesystem::perm_options::remove);
    if (test_system::kWindows) {
        // The read-only attribute protects the file from being replaced.
        EXPECT_THROW(CAtomicFile::Write(file, Bytes{'n', 'e', 'u'}), CFileException);
        EXPECT_EQ(ReadBytes(file), (Bytes{'o', 'l', 'd'}));
    } else {
        // Write permission belongs to the folder; the new file stays
        // read-only like the old one.
        CAtomicFile::Write(file, Bytes{'n', 'e', 'u'});
        EXPECT_EQ(ReadBytes(file), (Bytes{'n', 'e', 'u'}));
        EXPECT_EQ(std::filesystem::status(file).permissions() & std::filesystem::perms::owner_write,
                  std::filesystem::perms::none);
    }
    EXPECT_EQ(dir.List(), std::vector<std::string>{"GS01.731"});
}

TEST_F(AtomicFileTest, BufferedFileReadsWholeFile)
{
    WriteBytes(dir / "a.bin", Bytes{1, 2, 3, 4});
    CBufferedFile in(dir / "a.bin", CBufferedFile::modeRead | CBufferedFile::shareDenyWrite);
    EXPECT_EQ(in.GetLength(), 4u);
    std::uint16_t w = 0;
    record::ReadWord(in, w);
    EXPECT_EQ(w, 0x0201);
}

TEST_F(AtomicFileTest, BufferedFileReadFailures)
{
    EXPECT_THROW(CBufferedFile(dir / "missing.bin", CBufferedFile::modeRead), CFileException);
    EXPECT_THROW(CBufferedFile(dir.Path(), CBufferedFile::modeRead), CFileException);
}

TEST_F(AtomicFileTest, BufferedFileWritesOnlyAtClose)
{
    const auto file = dir / "new.bin";
    {
        CBufferedFile out(file, CBufferedFile::modeCreate | CBufferedFile::modeWrite);
        record::WriteWord(out, 0xBEEF);
        EXPECT_FALSE(std::filesystem::exists(file));
        out.Close();
    }
    EXPECT_EQ(ReadBytes(file), (Bytes{0xEF, 0xBE}));
    {
        // A writer that never closes leaves the disk as it was.
        CBufferedFile abandoned(file, CBufferedFile::modeCreate | CBufferedFile::modeWrite);
        record::WriteByte(abandoned, 1);
    }
    EXPECT_EQ(ReadBytes(file), (Bytes{0xEF, 0xBE}));
}

} // namespace
