#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

// Told of every change of a project file, before and after it happens, so
// that what the file held can be kept (the project history). Whoever
// writes, replaces, renames or deletes a file of a project asks its
// journal first, and goes ahead only when the journal lets it.
class IFileJournal {
public:
    virtual ~IFileJournal() = default;

    // The files at `paths` are about to be written, replaced or deleted.
    // Throws CFileException (cause journalRefused, naming the file) when
    // the change must not happen: what the files hold could not be kept.
    // `held` is empty or names for each file the bytes the caller read from
    // it, when it holds them still (its write is checked against them):
    // the journal need not read the file again.
    virtual void WillChange(std::span<const std::filesystem::path> paths,
                            std::span<const std::vector<std::uint8_t>* const> held) = 0;
    // The file at `path` now holds `bytes`; null: it is gone.
    virtual void Changed(const std::filesystem::path& path, const std::vector<std::uint8_t>* bytes) = 0;
};
