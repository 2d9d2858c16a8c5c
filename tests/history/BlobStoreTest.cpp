// Kept contents: a project file's old content kept as a second name of it
// stays what it was once the project's name is replaced, and is never
// trusted while that file could still change it.
#include "data/platform/Platform.h"
#include "data/records/AtomicFile.h"
#include "history/BlobStore.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

using Bytes = std::vector<std::uint8_t>;

class BlobStoreTest : public ::testing::Test {
protected:
    // Changes the file where it is, as a program writing in place does.
    static void OverwriteInPlace(const std::filesystem::path& file, const std::string& text)
    {
        std::fstream out(file, std::ios::in | std::ios::out | std::ios::binary);
        out << text;
    }

    TempDir dir;
    std::filesystem::path project = dir / "GS01.731";
    CBlobStore blobs{dir / "blobs"};
    const Bytes old{'a', 'l', 't', '1'};
    const CFileState state = CFileState::Of(old);
};

TEST_F(BlobStoreTest, AKeptFileReplacedWholeLeavesItsOldContentInTheStore)
{
    WriteBytes(project, old);
    blobs.Keep(state, old, project);
    CAtomicFile::Write(project, Bytes{'n', 'e', 'u'});
    EXPECT_TRUE(blobs.Has(state));
    EXPECT_EQ(blobs.Get(state), old);
    std::filesystem::remove(project);
    EXPECT_EQ(blobs.Get(state), old);
}

TEST_F(BlobStoreTest, AKeptFileChangedInPlaceIsNeverTakenForItsOldContent)
{
    WriteBytes(project, old);
    blobs.Keep(state, old, project);
    // Not replaced yet: content kept as the file's second name does not
    // count as kept, and Put makes a copy of its own.
    const bool linked = platform::LinkCount(project) == 2;
    EXPECT_EQ(blobs.Has(state), !linked);
    OverwriteInPlace(project, "ALT2");
    EXPECT_EQ(blobs.Get(state), linked ? std::nullopt : std::optional<Bytes>(old));
    blobs.Put(state, old);
    OverwriteInPlace(project, "ALT3");
    EXPECT_TRUE(blobs.Has(state));
    EXPECT_EQ(blobs.Get(state), old);
}

TEST_F(BlobStoreTest, AFileWithAnotherNameIsKeptAsACopy)
{
    WriteBytes(project, old);
    std::error_code ec;
    std::filesystem::create_hard_link(project, dir / "zweiter-name", ec);
    if (ec)
        GTEST_SKIP() << "no hard links on this file system";
    blobs.Keep(state, old, project);
    OverwriteInPlace(dir / "zweiter-name", "ALT2");
    EXPECT_EQ(blobs.Get(state), old);
}

TEST_F(BlobStoreTest, ASymbolicLinkIsKeptAsACopyOfWhatItLeadsTo)
{
    const std::filesystem::path target = dir / "woanders.731";
    WriteBytes(target, old);
    std::error_code ec;
    std::filesystem::create_symlink(target, project, ec);
    if (ec)
        GTEST_SKIP() << "symbolic links need administrator rights on Windows";
    blobs.Keep(state, old, project);
    CAtomicFile::Write(project, Bytes{'n', 'e', 'u'}); // replaces the target
    EXPECT_EQ(blobs.Get(state), old);
}

} // namespace
