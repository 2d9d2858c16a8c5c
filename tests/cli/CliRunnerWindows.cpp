#include "tests/cli/CliRunner.h"

#include "data/platform/Platform.h"
#include "tests/support/TempDir.h"

#include <fstream>
#include <stdexcept>
#include <windows.h>

namespace {

// One argument as the C runtime of the started program splits it again.
std::wstring Quote(const std::wstring& arg)
{
    if (!arg.empty() && arg.find_first_of(L" \t\n\v\"") == std::wstring::npos)
        return arg;
    std::wstring quoted = L"\"";
    std::size_t backslashes = 0;
    for (const wchar_t c : arg) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        // Backslashes before a quote are doubled, and the quote escaped.
        quoted.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        quoted += c;
    }
    quoted.append(backslashes * 2, L'\\');
    return quoted + L"\"";
}

HANDLE Inheritable(const std::filesystem::path& file, DWORD access, DWORD disposition)
{
    SECURITY_ATTRIBUTES security{sizeof security, nullptr, TRUE};
    HANDLE handle = ::CreateFileW(file.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, &security, disposition,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        throw std::runtime_error("cannot open " + file.string());
    return handle;
}

} // namespace

CliResult RunCliWithInput(const std::vector<std::string>& args, const std::filesystem::path& input)
{
    TempDir dir;
    const std::filesystem::path program = platform::PathFromUtf8(MORAWIN_CLI);
    std::wstring command = Quote(program.native());
    for (const auto& arg : args)
        command += L" " + Quote(platform::PathFromUtf8(arg).native());

    HANDLE in = Inheritable(input, GENERIC_READ, OPEN_EXISTING);
    HANDLE out = Inheritable(dir / "out", GENERIC_WRITE, CREATE_ALWAYS);
    HANDLE err = Inheritable(dir / "err", GENERIC_WRITE, CREATE_ALWAYS);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = in;
    startup.hStdOutput = out;
    startup.hStdError = err;
    PROCESS_INFORMATION process{};
    CliResult result;
    if (::CreateProcessW(program.c_str(), command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                         &process)) {
        ::WaitForSingleObject(process.hProcess, INFINITE);
        DWORD code = 0;
        if (::GetExitCodeProcess(process.hProcess, &code))
            result.exitCode = static_cast<int>(code);
        ::CloseHandle(process.hThread);
        ::CloseHandle(process.hProcess);
    }
    ::CloseHandle(in);
    ::CloseHandle(out);
    ::CloseHandle(err);
    result.out = ReadText(dir / "out");
    result.err = ReadText(dir / "err");
    return result;
}

CliResult RunCliFromNullDevice(const std::vector<std::string>& args)
{
    return RunCliWithInput(args, L"NUL");
}
