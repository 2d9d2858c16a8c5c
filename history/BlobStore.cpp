#include "history/BlobStore.h"

#include "data/platform/Platform.h"
#include "data/records/AtomicFileSystem.h"
#include "data/records/BufferedFile.h"
#include "data/records/FileException.h"

namespace {

void Throw(const std::filesystem::path& path, int error)
{
    if (error != 0)
        throw CFileException(CFileException::Cause::generic, path, error);
}

} // namespace

std::filesystem::path CBlobStore::PathOf(const CFileState& state) const
{
    return m_folder / state.Hash();
}

bool CBlobStore::Has(const CFileState& state) const
{
    return Present(state) && platform::LinkCount(PathOf(state)) < 2;
}

bool CBlobStore::Present(const CFileState& state) const
{
    std::error_code ec;
    const auto size = std::filesystem::file_size(PathOf(state), ec);
    return !ec && size == state.Size();
}

bool CBlobStore::LinkTo(const std::filesystem::path& source, const std::filesystem::path& path) const
{
    // Only a plain file with no other name than the project's: one named
    // twice already may be changed through the other name, and a symbolic
    // link would lead to whatever replaces its target.
    if (platform::LinkCount(source) != 1)
        return false;
    std::error_code ec;
    std::filesystem::create_hard_link(source, path, ec);
    if (ec == std::errc::no_such_file_or_directory) {
        std::filesystem::create_directories(m_folder, ec);
        std::filesystem::create_hard_link(source, path, ec);
    }
    return !ec;
}

void CBlobStore::Keep(const CFileState& state, std::span<const std::uint8_t> bytes,
                      const std::filesystem::path& source) const
{
    const std::filesystem::path path = PathOf(state);
    if (LinkTo(source, path))
        return;
    std::error_code ec;
    if (Has(state) || std::filesystem::equivalent(path, source, ec))
        return;
    // A copy-to-be, or another file's second name: replaced.
    std::filesystem::remove(path, ec);
    if (!LinkTo(source, path))
        Put(state, bytes); // another file system, or no links there
}

void CBlobStore::Put(const CFileState& state, std::span<const std::uint8_t> bytes) const
{
    if (Has(state))
        return;
    std::error_code ec;
    std::filesystem::create_directories(m_folder, ec);
    Throw(m_folder, ec.value());
    // Whole or not at all, by a temporary file renamed into place. Unlike
    // the project's files a blob is not flushed on its own: an operation's
    // blobs are many, a flush each would cost as much as the operation,
    // and a program that is killed loses nothing the system has been
    // given. (After a power cut a blob may read as damaged: Get then
    // refuses it.)
    namespace sys = atomic_file_system;
    const std::filesystem::path path = PathOf(state);
    sys::CTempFile temp;
    Throw(path, temp.Create(path));
    Throw(path, temp.Write(bytes));
    Throw(path, temp.Close());
    Throw(path, sys::Replace(temp.Path(), path));
    temp.Keep();
}

std::optional<std::vector<std::uint8_t>> CBlobStore::Get(const CFileState& state) const
{
    // Checked by its content: a blob still named in the project too holds
    // what it should as long as that file was not changed.
    if (!state.Exists() || !Present(state))
        return std::nullopt;
    try {
        CBufferedFile in(PathOf(state), CBufferedFile::modeRead);
        if (CFileState::Of(in.GetImage()) != state)
            return std::nullopt;
        return in.GetImage();
    } catch (const CFileException&) {
        return std::nullopt; // unreadable: the same as missing
    }
}

void CBlobStore::RemoveAllBut(const std::set<std::string>& kept) const
{
    std::error_code ec;
    for (auto it = std::filesystem::directory_iterator(m_folder, ec); !ec && it != std::filesystem::directory_iterator();
         it.increment(ec)) {
        const std::string name = it->path().filename().string();
        // A temporary file may be another program's blob on its way.
        if (!name.starts_with(".") && !kept.count(name)) {
            std::error_code ignored; // a blob that stays is only a waste of space
            std::filesystem::remove(it->path(), ignored);
        }
    }
}
