#include "app/platform/HelpLauncher.h"

#include "data/platform/Platform.h"
#include "data/text/Charset.h"
#include "data/text/ErrorMessage.h"
#include "data/text/StringTable.h"
#include "data/text/TextFormat.h"
#include "data/text/Charset.h"
#include "data/platform/Platform.h"

namespace fs = std::filesystem;

namespace {

bool IsUnreserved(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
           c == '_' || c == '~' || c == '/' || c == ':';
}

} // namespace

std::string CHelpLauncher::FileUrl(const fs::path& document)
{
    static const char* const kHex = "0123456789ABCDEF";
    std::error_code ec;
    // Forward slashes, UTF-8; a Windows drive ("C:/...") gets the third
    // slash of "file:///C:/..." in front.
    std::string path = fs::absolute(document, ec).lexically_normal().generic_string();
    if (!path.starts_with('/'))
        path.insert(0, 1, '/');
    std::string url = "file://";
    for (unsigned char c : path) {
        if (IsUnreserved(c)) {
            url += static_cast<char>(c);
        } else {
            url += '%';
            url += kHex[c >> 4];
            url += kHex[c & 15];
        }
    }
    return url;
}

void CHelpLauncher::ReportLaunchFailure(const fs::path& document)
{
    // The user can still open the file by hand: the message says where.
    const std::string where = FormatText(CStringTable::Get(ids::kHelpFileIs),
                                         {charset::Utf8ToCp1252(platform::PathToUtf8(document))});
    CErrorMessage(ids::kNoHtmViewer, 0).AddLine(where).Report();
}

bool CHelpLauncher::Open(const fs::path& document) const
{
    std::error_code ec;
    if (!fs::is_regular_file(document, ec)) {
        // The message has no place for the name; the path goes along as
        // its text all the same.
        CErrorMessage(ids::kFileError, document.string(), 0).Report();
        return false;
    }
    if (!m_launch || !m_launch(FileUrl(document))) {
        ReportLaunchFailure(document);
        return false;
    }
    return true;
}
