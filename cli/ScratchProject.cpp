#include "cli/ScratchProject.h"

#include "data/platform/Platform.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace {

std::string Content(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::map<std::string, std::string> Files(const std::filesystem::path& folder)
{
    std::map<std::string, std::string> files;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec))
        if (entry.is_regular_file())
            files[entry.path().filename().string()] = Content(entry.path());
    return files;
}

// The system's folder for temporary files (TMPDIR, else /tmp).
std::filesystem::path ScratchParent()
{
    try {
        return std::filesystem::temp_directory_path();
    } catch (const std::filesystem::filesystem_error& e) {
        const char* named = std::getenv("TMPDIR");
        throw std::runtime_error(std::string("cannot create a scratch folder for --dry-run in ")
                                 + (named ? named : "the temporary folder") + ": " + e.code().message());
    }
}

} // namespace

CScratchProject::CScratchProject(const std::filesystem::path& projectDir)
{
    const std::filesystem::path parent = ScratchParent();
    try {
        m_copy = platform::MakeUniqueFolder(parent, "morawin-dry-run-");
    } catch (const std::filesystem::filesystem_error& e) {
        throw std::runtime_error("cannot create a scratch folder for --dry-run in " + parent.string() + ": "
                                 + e.code().message());
    }
    m_original = Files(projectDir);
    for (const auto& [name, content] : m_original) {
        std::ofstream out(m_copy / name, std::ios::binary);
        out << content;
    }
}

CScratchProject::~CScratchProject()
{
    std::error_code ec;
    std::filesystem::remove_all(m_copy, ec);
}

std::vector<std::string> CScratchProject::Changes() const
{
    std::vector<std::string> changes;
    const auto now = Files(m_copy);
    for (const auto& [name, content] : now) {
        const auto old = m_original.find(name);
        if (old == m_original.end())
            changes.push_back(name + " (new, " + std::to_string(content.size()) + " bytes)");
        else if (old->second != content)
            changes.push_back(name + " (changed, " + std::to_string(content.size()) + " bytes)");
    }
    for (const auto& [name, content] : m_original)
        if (!now.count(name))
            changes.push_back(name + " (deleted)");
    return changes;
}
