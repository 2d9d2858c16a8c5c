#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

class CIniFile;

// The most recently opened sequence files, newest first, kept in the
// settings file under [Recent File List] as File1, File2, ... Paths are
// stored as the file system's bytes.
class CRecentFileList {
public:
    static constexpr const char* kSection = "Recent File List";
    static constexpr std::size_t kDefaultCapacity = 4;

    explicit CRecentFileList(std::size_t capacity = kDefaultCapacity) : m_capacity(capacity) {}

    // Puts the file first; an entry for the same file moves up instead of
    // appearing twice, and the oldest falls off when the list is full.
    void Add(const std::filesystem::path& file);
    void Remove(std::size_t index);
    // The list as a program that ends now leaves it, given what another
    // program stored meanwhile: the files opened here since the list was
    // read come first, then the stored ones, then the rest of this list;
    // files removed here stay out.
    std::vector<std::filesystem::path> MergedWith(const std::vector<std::filesystem::path>& stored) const;
    const std::vector<std::filesystem::path>& GetFiles() const { return m_files; }

    // Reads File1..FileN; empty and missing keys are skipped.
    void Load(const CIniFile& ini);
    // Writes File1..Fn of the current entries and removes the keys of
    // entries that are gone; other sections and keys stay as they are.
    void Save(CIniFile& ini) const;
    // The same on the file itself: false when it could not be written.
    // SaveTo merges with what the file holds now (MergedWith).
    void LoadFrom(const std::filesystem::path& settingsFile);
    bool SaveTo(const std::filesystem::path& settingsFile) const;

    // The menu text of entry `index` (UTF-8): "&1 " and the path, shortened
    // in the middle when long, with the menus' mnemonic character doubled.
    static std::string MenuLabel(std::size_t index, const std::filesystem::path& file);
    // The path in UTF-8 with the system's separators, at most `maxLength`
    // bytes where possible: "/first/.../folder/name"; the file name itself
    // is never cut.
    static std::string Abbreviate(const std::filesystem::path& file, std::size_t maxLength);

private:
    static std::string KeyName(std::size_t index);

    std::size_t m_capacity;
    std::vector<std::filesystem::path> m_files;
    std::vector<std::filesystem::path> m_added;   // since Load, newest first
    std::vector<std::filesystem::path> m_removed; // since Load
};
