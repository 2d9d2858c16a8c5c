#include "tests/support/TempDir.h"

#include "data/platform/Platform.h"
#include "tests/support/TestSystem.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace {

// The programs and code under test keep their project history in the
// per-user state folder: for the tests that is a scratch folder of this
// test process, never the user's own, removed when the process ends.
struct ScratchStateFolder {
    ScratchStateFolder()
    {
        test_system::SetEnvironment(test_system::StateBaseVariable(), platform::PathToUtf8(folder.Path()));
    }
    TempDir folder;
};
const ScratchStateFolder g_stateFolder;

} // namespace

TempDir::TempDir()
{
    m_path = platform::MakeUniqueFolder(std::filesystem::temp_directory_path(), "morawin-test-");
}

TempDir::~TempDir()
{
    std::error_code ec;
    // Tests may leave read-only folders behind; make them removable first.
    for (auto it = std::filesystem::recursive_directory_iterator(m_path, ec);
         !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec))
        std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ec);
    std::filesystem::permissions(m_path, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(m_path, ec);
}

std::vector<std::string> TempDir::List() const
{
    return ListFolder(m_path);
}

std::vector<std::string> ListFolder(const std::filesystem::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::map<std::string, std::vector<std::uint8_t>> FolderBytes(const std::filesystem::path& folder)
{
    std::map<std::string, std::vector<std::uint8_t>> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        files[entry.path().filename().string()] = ReadBytes(entry.path());
    return files;
}

std::vector<std::uint8_t> ReadBytes(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string ReadText(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::filesystem::path& file, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

void WriteText(const std::filesystem::path& file, const std::string& text)
{
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << text;
}
