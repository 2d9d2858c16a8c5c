#include "data/BufferedFile.h"

#include "data/AtomicFile.h"
#include "data/FileException.h"

#include <cerrno>
#include <fstream>

namespace {

std::vector<std::uint8_t> ReadWholeFile(const std::filesystem::path& path)
{
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec))
        throw CFileException(CFileException::Cause::generic, path, ec ? ec.value() : EISDIR);
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw CFileException(CFileException::Cause::generic, path, errno);
    std::vector<std::uint8_t> data;
    char chunk[65536];
    while (in.read(chunk, sizeof chunk) || in.gcount() > 0)
        data.insert(data.end(), chunk, chunk + in.gcount());
    if (in.bad())
        throw CFileException(CFileException::Cause::generic, path, EIO);
    return data;
}

} // namespace

CBufferedFile::CBufferedFile(std::filesystem::path path, unsigned openFlags)
    : CMemFile(openFlags & modeWrite ? std::vector<std::uint8_t>() : ReadWholeFile(path)),
      m_path(std::move(path)),
      m_flags(openFlags)
{
}

void CBufferedFile::Close()
{
    if (IsWriting())
        CAtomicFile::Write(m_path, GetImage());
}
