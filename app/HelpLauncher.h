#pragma once

#include <filesystem>
#include <functional>
#include <string>

// Opens the help document with the system's viewer for HTML files and
// tells the user, with the program's messages, why that failed: a missing
// document, or no viewer that would take it.
class CHelpLauncher {
public:
    // Hands a URL to the system's viewer; false when none took it.
    using Launch = std::function<bool(const std::string& url)>;

    explicit CHelpLauncher(Launch launch) : m_launch(std::move(launch)) {}

    // Reports a failure through CErrorMessage and returns false.
    bool Open(const std::filesystem::path& document) const;

    // file:// URL of an absolute path, bytes outside the unreserved set
    // percent-encoded.
    static std::string FileUrl(const std::filesystem::path& document);

private:
    Launch m_launch;
};
