#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

// A fresh folder below the system's temporary folder, removed with
// everything in it when the object goes.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return m_path; }
    std::filesystem::path operator/(const std::string& name) const { return m_path / name; }
    // Names of the entries of the folder, sorted.
    std::vector<std::string> List() const;

private:
    std::filesystem::path m_path;
};

// Names of the entries of a folder, sorted.
std::vector<std::string> ListFolder(const std::filesystem::path& folder);

std::vector<std::uint8_t> ReadBytes(const std::filesystem::path& file);
// Every file of a folder by name, with its bytes: what a step left behind.
std::map<std::string, std::vector<std::uint8_t>> FolderBytes(const std::filesystem::path& folder);
// The whole file as bytes in a string; empty when it cannot be read.
std::string ReadText(const std::filesystem::path& file);
void WriteBytes(const std::filesystem::path& file, const std::vector<std::uint8_t>& bytes);
void WriteText(const std::filesystem::path& file, const std::string& text);
