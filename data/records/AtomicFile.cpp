#include "data/records/AtomicFile.h"

#include "data/records/AtomicFileSystem.h"
#include "data/records/FileException.h"
#include "data/records/FileGuard.h"

#include <cerrno>

namespace {

CAtomicFile::FaultHook g_faultHook;

int Injected(CAtomicFile::Step step)
{
    return g_faultHook ? g_faultHook(step) : 0;
}

std::filesystem::path ResolveTarget(const std::filesystem::path& path)
{
    std::error_code ec;
    if (std::filesystem::is_symlink(path, ec)) {
        auto target = std::filesystem::canonical(path, ec);
        if (!ec)
            return target;
    }
    return path;
}

// Runs one step unless the test hook fails it; a failure throws with the
// step's error code.
template <class Operation>
void RunStep(CAtomicFile::Step step, const std::filesystem::path& target, Operation operation)
{
    int err = Injected(step);
    if (err == 0)
        err = operation();
    if (err != 0)
        throw CFileException(CFileException::Cause::generic, target, err);
}

} // namespace

void CAtomicFile::Write(const std::filesystem::path& path, std::span<const std::uint8_t> data)
{
    WriteChecked(path, data, nullptr);
}

void CAtomicFile::Write(const std::filesystem::path& path, std::span<const std::uint8_t> data,
                        const CFileStamp& expected)
{
    WriteChecked(path, data, &expected);
}

void CAtomicFile::WriteChecked(const std::filesystem::path& path, std::span<const std::uint8_t> data,
                               const CFileStamp* expected)
{
    namespace sys = atomic_file_system;
    const std::filesystem::path target = ResolveTarget(path);
    sys::CTempFile temp;
    RunStep(Step::createTemp, target, [&] { return temp.Create(target); });
    RunStep(Step::write, target, [&] { return temp.Write(data); });
    RunStep(Step::flush, target, [&] { return temp.Flush(); });
    RunStep(Step::permissions, target, [&] { return temp.TakePermissionsOf(target); });
    RunStep(Step::close, target, [&] { return temp.Close(); });
    if (expected) {
        // Everything slow (writing, flushing) is done: the check comes as
        // late as it can, and the replacement follows at once.
        CFileGuard guard(target);
        if (guard.Current(*expected) != *expected)
            throw CFileException(CFileException::Cause::changedOnDisk, target);
        int err = 0;
        RunStep(Step::rename, target, [&] {
            if (const int refused = sys::MayReplace(target))
                return refused;
            err = guard.ReplaceWith(temp.Path(), expected->IsAbsent());
            return err == EEXIST ? 0 : err;
        });
        if (err == EEXIST) // created meanwhile by someone else
            throw CFileException(CFileException::Cause::changedOnDisk, target);
    } else {
        RunStep(Step::rename, target, [&] {
            const int refused = sys::MayReplace(target);
            return refused != 0 ? refused : sys::Replace(temp.Path(), target);
        });
    }
    temp.Keep();
    sys::SyncFolder(target.parent_path());
}

void CAtomicFile::SetFaultHook(FaultHook hook)
{
    g_faultHook = std::move(hook);
}
