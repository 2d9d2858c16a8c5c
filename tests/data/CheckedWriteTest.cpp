// Writes and deletes that go ahead only while the file still holds what was
// read: another program's change is never replaced.
#include "data/records/AtomicFile.h"
#include "data/records/BufferedFile.h"
#include "data/records/FileException.h"
#include "data/records/FileGuard.h"
#include "data/records/FileStamp.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestSystem.h"

#include <gtest/gtest.h>


namespace {

using Bytes = std::vector<std::uint8_t>;
using Step = CAtomicFile::Step;

class CheckedWriteTest : public ::testing::Test {
protected:
    void TearDown() override { CAtomicFile::SetFaultHook({}); }

    // Expects the write to be refused as a change by another program.
    void ExpectRefused(const CFileStamp& expected, const Bytes& data)
    {
        try {
            CAtomicFile::Write(file, data, expected);
            ADD_FAILURE() << "written although the file changed";
        } catch (const CFileException& e) {
            EXPECT_EQ(e.GetCause(), CFileException::Cause::changedOnDisk);
            EXPECT_EQ(e.GetFile(), file);
        }
    }

    TempDir dir;
    std::filesystem::path file = dir / "GS01.731";
};

TEST(FileStampTest, TellsFilesApartByEveryByteAndBySize)
{
    Bytes bytes(65535, 0x41);
    const CFileStamp original = CFileStamp::OfBytes(bytes);
    EXPECT_EQ(CFileStamp::OfBytes(bytes), original);
    for (std::size_t at : {std::size_t{0}, std::size_t{40000}, bytes.size() - 1}) {
        Bytes changed = bytes;
        changed[at] ^= 0x01;
        EXPECT_NE(CFileStamp::OfBytes(changed), original) << at;
    }
    bytes.pop_back();
    EXPECT_NE(CFileStamp::OfBytes(bytes), original);
    EXPECT_NE(CFileStamp::OfBytes({}), CFileStamp::Absent()); // an empty file is a file
    // The header form sees the header, the size and the time.
    const Bytes header(100, 7);
    const CFileStamp head = CFileStamp::OfHeader(header, 5000, 1);
    EXPECT_EQ(CFileStamp::OfHeader(header, 5000, 1), head);
    EXPECT_NE(CFileStamp::OfHeader(header, 5001, 1), head);
    EXPECT_NE(CFileStamp::OfHeader(header, 5000, 2), head);
    EXPECT_NE(CFileStamp::OfHeader(Bytes(100, 8), 5000, 1), head);
}

TEST_F(CheckedWriteTest, UnchangedFileIsReplacedAndAnAbsentOneCreated)
{
    const Bytes old(3000, 'a');
    WriteBytes(file, old);
    namespace fs = std::filesystem;
    const auto mode = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    fs::permissions(file, mode);
    CAtomicFile::Write(file, Bytes{1, 2, 3}, CFileStamp::OfBytes(old));
    EXPECT_EQ(ReadBytes(file), (Bytes{1, 2, 3}));
    // Windows files have no permission bits to keep.
    if (!test_system::kWindows) {
        EXPECT_EQ(fs::status(file).permissions(), mode);
    }

    const auto created = dir / "GS02.731";
    CAtomicFile::Write(created, Bytes{9}, CFileStamp::Absent());
    EXPECT_EQ(ReadBytes(created), Bytes{9});
    EXPECT_EQ(dir.List(), (std::vector<std::string>{"GS01.731", "GS02.731"}));
}

TEST_F(CheckedWriteTest, ChangedMissingOrNewlyCreatedFileIsLeftAsTheOtherProgramLeftIt)
{
    const Bytes read(3000, 'a');
    Bytes other = read;
    other[1500] = 'b'; // same size, one byte differs
    WriteBytes(file, other);
    ExpectRefused(CFileStamp::OfBytes(read), Bytes(10, 'n'));
    EXPECT_EQ(ReadBytes(file), other);

    // Deleted by the other program: it stays deleted.
    std::filesystem::remove(file);
    ExpectRefused(CFileStamp::OfBytes(read), Bytes(10, 'n'));
    EXPECT_FALSE(std::filesystem::exists(file));

    // Created by the other program where a new file was to go.
    WriteBytes(file, other);
    ExpectRefused(CFileStamp::Absent(), Bytes(10, 'n'));
    EXPECT_EQ(ReadBytes(file), other);
    EXPECT_EQ(dir.List(), std::vector<std::string>{"GS01.731"}); // no temporary file left
}

TEST_F(CheckedWriteTest, ChangeMadeWhileTheNewContentIsWrittenIsStillSeen)
{
    // The other program writes after the new content went to the disk,
    // right before the rename: the check must come after that.
    const Bytes read(2000, 'a');
    const Bytes other(2000, 'o');
    WriteBytes(file, read);
    CAtomicFile::SetFaultHook([&](Step step) {
        if (step == Step::close)
            WriteBytes(file, other);
        return 0;
    });
    ExpectRefused(CFileStamp::OfBytes(read), Bytes(10, 'n'));
    EXPECT_EQ(ReadBytes(file), other);

    // Likewise a file that appears where a new one is to be created.
    const auto created = dir / "GS02.731";
    CAtomicFile::SetFaultHook([&](Step step) {
        if (step == Step::rename)
            WriteBytes(created, other);
        return 0;
    });
    try {
        CAtomicFile::Write(created, Bytes{1}, CFileStamp::Absent());
        ADD_FAILURE() << "a file created meanwhile was replaced";
    } catch (const CFileException& e) {
        EXPECT_EQ(e.GetCause(), CFileException::Cause::changedOnDisk);
    }
    EXPECT_EQ(ReadBytes(created), other);
    EXPECT_EQ(dir.List(), (std::vector<std::string>{"GS01.731", "GS02.731"}));
}

TEST_F(CheckedWriteTest, BufferedFileWritesOnlyOverWhatWasRead)
{
    WriteBytes(file, Bytes{1, 2, 3, 4});
    CBufferedFile in(file, CBufferedFile::modeRead);
    const CFileStamp read = CFileStamp::OfBytes(in.GetImage());

    CBufferedFile out(file, CBufferedFile::modeCreate | CBufferedFile::modeWrite);
    const Bytes data{5, 6};
    out.Write(data.data(), data.size());
    WriteBytes(file, Bytes{1, 2, 3, 5});
    EXPECT_THROW(out.Close(read), CFileException);
    EXPECT_EQ(ReadBytes(file), (Bytes{1, 2, 3, 5}));
    out.Close(CFileStamp::OfBytes(Bytes{1, 2, 3, 5}));
    EXPECT_EQ(ReadBytes(file), data);
}

TEST_F(CheckedWriteTest, GuardReadsTheFileInTheFormAsked)
{
    Bytes bytes(1000, 'x');
    WriteBytes(file, bytes);
    CFileGuard guard(file);
    Bytes seen;
    EXPECT_EQ(guard.Current(CFileStamp::OfBytes({}), &seen), CFileStamp::OfBytes(bytes));
    EXPECT_EQ(seen, bytes);
    const CFileStamp header = guard.Current(CFileStamp::OfHeader({}, 0, 0), &seen);
    EXPECT_TRUE(header.IsHeader());
    EXPECT_EQ(seen.size(), CFileStamp::kHeaderLength);
    EXPECT_EQ(guard.Current(CFileStamp::OfHeader({}, 0, 0)), header);
    EXPECT_TRUE(CFileGuard(dir / "fehlt.731").Current(CFileStamp::OfBytes({})).IsAbsent());
    EXPECT_FALSE(guard.Current(CFileStamp::Absent()).IsAbsent());
}

} // namespace
