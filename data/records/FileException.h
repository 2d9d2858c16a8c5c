#pragma once

#include <exception>
#include <filesystem>
#include <string>

// The one error type of file and record I/O. Thrown by value inside Load and
// Save implementations and caught there; it never crosses into the shell.
class CFileException : public std::exception {
public:
    enum class Cause {
        none,
        generic,     // format error, or an open/write that failed
        endOfFile,   // the data ended inside a value
        tooLarge,    // a file would exceed what its format can record
        changedOnDisk, // another program changed the file since it was read
        journalRefused, // what the file held could not be kept first (see IFileJournal)
    };

    explicit CFileException(Cause cause, std::filesystem::path file = {}, int osError = -1);

    Cause GetCause() const { return m_cause; }
    int GetOsError() const { return m_osError; }
    const std::filesystem::path& GetFile() const { return m_file; }
    const char* what() const noexcept override { return m_what.c_str(); }

private:
    Cause m_cause;
    std::filesystem::path m_file;
    int m_osError;
    std::string m_what;
};
