#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

// A temporary copy of a project folder for a dry run: the conversion runs
// on the copy, and what it would have done to the real folder is read off
// the copy afterwards. The copy goes with the object.
class CScratchProject {
public:
    explicit CScratchProject(const std::filesystem::path& projectDir);
    ~CScratchProject();
    CScratchProject(const CScratchProject&) = delete;
    CScratchProject& operator=(const CScratchProject&) = delete;

    const std::filesystem::path& Folder() const { return m_copy; }
    // "GS01.731 (new, 97 bytes)", "GS02.731 (changed, ...)", "GS03.731 (deleted)".
    std::vector<std::string> Changes() const;

private:
    std::filesystem::path m_copy;
    std::map<std::string, std::string> m_original; // file name → content
};
