#pragma once

#include <filesystem>
#include <functional>
#include <string>

// Opens the help document with the system's viewer for HTML files and
// tells the user when that failed: a missing document ("Datei-Fehler."), or
// no viewer that could be started or that took it (a message naming the
// document).
class CHelpLauncher {
public:
    // Hands a URL to the system's viewer; false when none could be started.
    using Launch = std::function<bool(const std::string& url)>;

    explicit CHelpLauncher(Launch launch) : m_launch(std::move(launch)) {}

    // Reports a failure through CErrorMessage and returns false.
    bool Open(const std::filesystem::path& document) const;

    // file:// URL of an absolute path, bytes outside the unreserved set
    // percent-encoded.
    static std::string FileUrl(const std::filesystem::path& document);

    // The message for a viewer that could not be started or gave up; also
    // for a failure that is known only after Launch has returned.
    static void ReportLaunchFailure(const std::filesystem::path& document);

private:
    Launch m_launch;
};
