#include "tests/support/TestSystem.h"

#include "data/platform/Platform.h"

#include <cstdlib>
#include <windows.h>

namespace test_system {
namespace {

std::wstring Wide(const std::string& text)
{
    return platform::PathFromUtf8(text).native();
}

} // namespace

void SetEnvironment(const std::string& name, const std::string& value)
{
    // _wputenv_s keeps the C library's copy (getenv) and the process's in
    // step; an empty value removes the variable.
    ::_wputenv_s(Wide(name).c_str(), Wide(value).c_str());
}

std::string Environment(const std::string& name)
{
    const wchar_t* value = ::_wgetenv(Wide(name).c_str());
    return value ? platform::PathToUtf8(value) : "";
}

bool UnderWine()
{
    const HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
    return ntdll && ::GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

bool IsSuperUser()
{
    return false;
}

std::optional<std::time_t> CreationTime(const std::filesystem::path& file)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExW(file.c_str(), GetFileExInfoStandard, &data))
        return std::nullopt;
    ULARGE_INTEGER value;
    value.LowPart = data.ftCreationTime.dwLowDateTime;
    value.HighPart = data.ftCreationTime.dwHighDateTime;
    // 100 ns steps since 1601.
    return static_cast<std::time_t>(value.QuadPart / 10'000'000ULL) - 11'644'473'600LL;
}

std::string StateBaseVariable()
{
    return "LOCALAPPDATA";
}

std::string SettingsBaseVariable()
{
    return "APPDATA";
}

std::string SettingsFolderName()
{
    return "MoraWin";
}

} // namespace test_system

ScopedEnvironment::ScopedEnvironment(std::string name, const std::string& value)
    : m_name(std::move(name)), m_saved(test_system::Environment(m_name)),
      m_wasSet(::_wgetenv(platform::PathFromUtf8(m_name).c_str()) != nullptr)
{
    test_system::SetEnvironment(m_name, value);
}

ScopedEnvironment::~ScopedEnvironment()
{
    // A variable set to an empty text cannot be told from a missing one on
    // Windows: both are removed.
    test_system::SetEnvironment(m_name, m_wasSet ? m_saved : std::string());
}

HeldOpenFile::HeldOpenFile(const std::filesystem::path& file)
{
    const HANDLE handle = ::CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle != INVALID_HANDLE_VALUE)
        m_handle = reinterpret_cast<std::intptr_t>(handle);
}

void HeldOpenFile::Close()
{
    if (m_handle != -1)
        ::CloseHandle(reinterpret_cast<HANDLE>(m_handle));
    m_handle = -1;
}
