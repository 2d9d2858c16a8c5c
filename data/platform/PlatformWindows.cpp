#include "data/platform/Platform.h"

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <io.h>
#include <random>
#include <windows.h>

#include <shellapi.h>

namespace platform {
namespace {

// FILETIME counts 100 ns steps since 1601-01-01.
std::time_t ToTime(const FILETIME& time)
{
    ULARGE_INTEGER value;
    value.LowPart = time.dwLowDateTime;
    value.HighPart = time.dwHighDateTime;
    constexpr unsigned long long kStepsPerSecond = 10'000'000ULL;
    constexpr unsigned long long kEpochDifference = 11'644'473'600ULL;
    return static_cast<std::time_t>(value.QuadPart / kStepsPerSecond) - static_cast<std::time_t>(kEpochDifference);
}

std::optional<WIN32_FILE_ATTRIBUTE_DATA> Attributes(const std::filesystem::path& file)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExW(file.c_str(), GetFileExInfoStandard, &data))
        return std::nullopt;
    return data;
}

} // namespace

std::filesystem::path ProgramFile()
{
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0)
            return {};
        if (length < buffer.size()) {
            buffer.resize(length);
            return buffer;
        }
        buffer.resize(buffer.size() * 2);
    }
}

std::filesystem::path UserSettingsFolder()
{
    std::filesystem::path base;
    if (const wchar_t* appData = ::_wgetenv(L"APPDATA"); appData && *appData)
        base = appData;
    else if (const wchar_t* profile = ::_wgetenv(L"USERPROFILE"); profile && *profile)
        base = std::filesystem::path(profile) / L"AppData" / L"Roaming";
    else
        base = std::filesystem::temp_directory_path();
    return base / L"MoraWin";
}

std::filesystem::path UserStateFolder()
{
    std::filesystem::path base;
    if (const wchar_t* local = ::_wgetenv(L"LOCALAPPDATA"); local && *local)
        base = local;
    else if (const wchar_t* profile = ::_wgetenv(L"USERPROFILE"); profile && *profile)
        base = std::filesystem::path(profile) / L"AppData" / L"Local";
    else
        base = std::filesystem::temp_directory_path();
    return base / L"MoraWin";
}

std::string UserLanguage()
{
    wchar_t name[LOCALE_NAME_MAX_LENGTH];
    const LCID language = MAKELCID(::GetUserDefaultUILanguage(), SORT_DEFAULT);
    if (::LCIDToLocaleName(language, name, LOCALE_NAME_MAX_LENGTH, 0) == 0)
        return {};
    std::string text;
    for (const wchar_t* c = name; *c; ++c)
        text += static_cast<char>(*c < 0x80 ? *c : '?');
    return text;
}

std::string FolderKey(const std::filesystem::path& folder)
{
    std::error_code ec;
    std::filesystem::path full = std::filesystem::weakly_canonical(std::filesystem::absolute(folder, ec), ec);
    if (ec)
        full = std::filesystem::absolute(folder, ec);
    std::wstring key = full.lexically_normal().native();
    while (key.size() > 3 && (key.back() == L'\\' || key.back() == L'/'))
        key.pop_back();
    if (!key.empty())
        ::CharUpperBuffW(key.data(), static_cast<DWORD>(key.size()));
    return PathToUtf8(key);
}

long CurrentProcessId()
{
    return static_cast<long>(::GetCurrentProcessId());
}

bool ProcessIsRunning(long processId)
{
    if (processId <= 0)
        return false;
    HANDLE process = ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(processId));
    if (!process)
        return ::GetLastError() == ERROR_ACCESS_DENIED;
    DWORD code = 0;
    const bool running = ::GetExitCodeProcess(process, &code) && code == STILL_ACTIVE;
    ::CloseHandle(process);
    return running;
}

char PathListSeparator()
{
    return ';';
}

bool IsExecutable(const std::filesystem::path& file)
{
    std::error_code ec;
    return std::filesystem::is_regular_file(file, ec);
}

std::uintmax_t LinkCount(const std::filesystem::path&)
{
    // The runtime's stat always says 1 here; the history then keeps copies.
    return 0;
}

std::filesystem::path PathFromUtf8(std::string_view text)
{
    if (text.empty())
        return {};
    const int size = static_cast<int>(text.size());
    const int length = ::MultiByteToWideChar(CP_UTF8, 0, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, text.data(), size, wide.data(), length);
    return wide;
}

std::string PathToUtf8(const std::filesystem::path& path)
{
    const std::wstring& wide = path.native();
    if (wide.empty())
        return {};
    const int size = static_cast<int>(wide.size());
    const int length = ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(length), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, text.data(), length, nullptr, nullptr);
    return text;
}

std::vector<std::string> Utf8Arguments(int argc, char** argv)
{
    int count = 0;
    wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    if (!wide)
        return std::vector<std::string>(argv, argv + argc);
    std::vector<std::string> arguments;
    for (int i = 0; i < count; ++i)
        arguments.push_back(PathToUtf8(wide[i]));
    ::LocalFree(wide);
    return arguments;
}

std::optional<std::tm> LocalTime(std::time_t time)
{
    std::tm local{};
    if (::localtime_s(&local, &time) != 0)
        return std::nullopt;
    return local;
}

std::optional<std::time_t> LastWriteTime(const std::filesystem::path& file)
{
    const auto data = Attributes(file);
    if (!data)
        return std::nullopt;
    return ToTime(data->ftLastWriteTime);
}

std::optional<std::time_t> EarliestTime(const std::filesystem::path& file)
{
    const auto data = Attributes(file);
    if (!data)
        return std::nullopt;
    return std::min(ToTime(data->ftCreationTime), ToTime(data->ftLastWriteTime));
}

std::filesystem::path MakeUniqueFolder(const std::filesystem::path& parent, std::string_view prefix)
{
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::random_device seed;
    std::mt19937 random(seed());
    std::uniform_int_distribution<std::size_t> pick(0, sizeof kLetters - 2);
    std::error_code ec;
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name(prefix);
        for (int i = 0; i < 8; ++i)
            name += kLetters[pick(random)];
        const std::filesystem::path folder = parent / name;
        if (std::filesystem::create_directory(folder, ec))
            return folder;
        if (ec)
            break;
    }
    throw std::filesystem::filesystem_error("cannot create a folder", parent,
                                            ec ? ec : std::make_error_code(std::errc::file_exists));
}

bool StdinIsTerminal()
{
    // _isatty holds for every character device, the null device ("< NUL")
    // among them; only a console has a console mode.
    DWORD mode = 0;
    return ::GetConsoleMode(::GetStdHandle(STD_INPUT_HANDLE), &mode) != 0;
}

void UseUtf8Console()
{
    // Text mode would turn every LF into CR LF; the bytes must be the same
    // as on other systems when the output goes to a file or a pipe.
    ::_setmode(::_fileno(stdout), _O_BINARY);
    ::_setmode(::_fileno(stderr), _O_BINARY);
    ::SetConsoleOutputCP(CP_UTF8);
}

} // namespace platform
