#pragma once

#include <cstdint>
#include <ctime>
#include <filesystem>
#include <optional>
#include <string>

// What tests need from the operating system, the same on every system
// (TestSystemPosix.cpp and TestSystemWindows.cpp).
namespace test_system {

#ifdef _WIN32
constexpr bool kWindows = true;
#else
constexpr bool kWindows = false;
#endif

// Sets an environment variable of this process; an empty value removes it.
void SetEnvironment(const std::string& name, const std::string& value);
// The value of an environment variable, empty when it is not set.
std::string Environment(const std::string& name);

// Whether the Windows programs run under Wine, whose file system keeps no
// creation times of its own.
bool UnderWine();

// Whether the tests run with the rights to write everywhere (root).
bool IsSuperUser();

// A file's creation time, where the file system keeps one.
std::optional<std::time_t> CreationTime(const std::filesystem::path& file);

// Name of the environment variable that the per-user settings folder is
// made from: XDG_CONFIG_HOME, or APPDATA on Windows.
std::string SettingsBaseVariable();

// Name of the environment variable that the per-user state folder (the
// project history) is made from: XDG_STATE_HOME, or LOCALAPPDATA on Windows.
std::string StateBaseVariable();

// The folder the per-user settings file goes into below that variable's
// folder: "morawin", or "MoraWin" on Windows.
std::string SettingsFolderName();

} // namespace test_system

// Sets an environment variable for the lifetime of the object, then puts
// back what was there.
class ScopedEnvironment {
public:
    ScopedEnvironment(std::string name, const std::string& value);
    ~ScopedEnvironment();
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    std::string m_name;
    std::string m_saved;
    bool m_wasSet;
};

// Holds a file open for reading the way another program may: letting
// others read, write and delete it meanwhile (on Windows FILE_SHARE_READ |
// FILE_SHARE_WRITE | FILE_SHARE_DELETE), until it is closed.
class HeldOpenFile {
public:
    explicit HeldOpenFile(const std::filesystem::path& file);
    ~HeldOpenFile() { Close(); }
    HeldOpenFile(const HeldOpenFile&) = delete;
    HeldOpenFile& operator=(const HeldOpenFile&) = delete;

    bool IsOpen() const { return m_handle != -1; }
    void Close();

private:
    std::intptr_t m_handle = -1; // a descriptor, or a Windows handle
};
