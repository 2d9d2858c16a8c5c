#include "data/records/FileException.h"

#include <cstring>

namespace {

const char* CauseText(CFileException::Cause cause)
{
    switch (cause) {
    case CFileException::Cause::none: return "no error";
    case CFileException::Cause::generic: return "file error";
    case CFileException::Cause::endOfFile: return "unexpected end of data";
    case CFileException::Cause::tooLarge: return "file too large for its format";
    case CFileException::Cause::changedOnDisk: return "changed by another program";
    case CFileException::Cause::journalRefused: return "the history cannot be written";
    }
    return "file error";
}

} // namespace

CFileException::CFileException(Cause cause, std::filesystem::path file, int osError)
    : m_cause(cause), m_file(std::move(file)), m_osError(osError)
{
    m_what = CauseText(cause);
    if (!m_file.empty())
        m_what += ": " + m_file.string();
    if (osError > 0)
        m_what += std::string(" (") + std::strerror(osError) + ")";
}
