#include "tests/support/TestSystem.h"

#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace test_system {

void SetEnvironment(const std::string& name, const std::string& value)
{
    if (value.empty())
        ::unsetenv(name.c_str());
    else
        ::setenv(name.c_str(), value.c_str(), 1);
}

std::string Environment(const std::string& name)
{
    const char* value = std::getenv(name.c_str());
    return value ? value : "";
}

bool UnderWine()
{
    return false;
}

bool IsSuperUser()
{
    return ::geteuid() == 0;
}

std::optional<std::time_t> CreationTime(const std::filesystem::path& file)
{
    struct statx status{};
    if (::statx(AT_FDCWD, file.c_str(), 0, STATX_BTIME, &status) != 0 || !(status.stx_mask & STATX_BTIME))
        return std::nullopt;
    return status.stx_btime.tv_sec;
}

std::string StateBaseVariable()
{
    return "XDG_STATE_HOME";
}

std::string SettingsBaseVariable()
{
    return "XDG_CONFIG_HOME";
}

std::string SettingsFolderName()
{
    return "morawin";
}

} // namespace test_system

ScopedEnvironment::ScopedEnvironment(std::string name, const std::string& value)
    : m_name(std::move(name)), m_saved(test_system::Environment(m_name)), m_wasSet(std::getenv(m_name.c_str()) != nullptr)
{
    test_system::SetEnvironment(m_name, value);
}

ScopedEnvironment::~ScopedEnvironment()
{
    if (m_wasSet)
        ::setenv(m_name.c_str(), m_saved.c_str(), 1);
    else
        ::unsetenv(m_name.c_str());
}

HeldOpenFile::HeldOpenFile(const std::filesystem::path& file) : m_handle(::open(file.c_str(), O_RDONLY)) {}

void HeldOpenFile::Close()
{
    if (m_handle != -1)
        ::close(static_cast<int>(m_handle));
    m_handle = -1;
}
