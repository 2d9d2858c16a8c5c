#pragma once

#include "history/FileState.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <vector>

// The contents the history keeps, one file each, named by the hash of
// its bytes: the same content is kept once however many operations name
// it. What a blob holds is checked against its name whenever it is read.
class CBlobStore {
public:
    explicit CBlobStore(std::filesystem::path folder) : m_folder(std::move(folder)) {}

    // Keeps `bytes` (whose state is `state`) unless a blob of that name and
    // size is there already. Throws CFileException when it cannot be
    // written.
    void Put(const CFileState& state, std::span<const std::uint8_t> bytes) const;
    // Keeps the content of the project file `source`, which holds `bytes`,
    // as Put does, but where the system allows as a second name of that
    // file rather than a copy. The project's files are replaced or removed
    // whole, never changed in place, so once the project's name is gone
    // the blob alone holds that content; until then Has does not count it
    // as kept, and Put and Keep replace it by a copy when asked again for
    // another file.
    void Keep(const CFileState& state, std::span<const std::uint8_t> bytes, const std::filesystem::path& source) const;
    // Whether the blob is there, of the right size, and the only name of
    // its content.
    bool Has(const CFileState& state) const;
    // Whether the blob is there and of the right size, kept or still a
    // second name of a project file.
    bool Present(const CFileState& state) const;
    // The bytes, if the blob is there and holds exactly what `state` says.
    std::optional<std::vector<std::uint8_t>> Get(const CFileState& state) const;
    // Removes every blob whose name is not in `kept`.
    void RemoveAllBut(const std::set<std::string>& kept) const;

private:
    std::filesystem::path PathOf(const CFileState& state) const;
    // Names `source` as `path` too, where that keeps its content safely.
    bool LinkTo(const std::filesystem::path& source, const std::filesystem::path& path) const;

    std::filesystem::path m_folder;
};
