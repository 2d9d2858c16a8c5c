#include "data/records/BufferedFile.h"

#include "data/records/AtomicFile.h"
#include "data/records/FileException.h"

#include <cerrno>
#include <fstream>

namespace {

std::vector<std::uint8_t> ReadWholeFile(const std::filesystem::path& path)
{
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec))
        throw CFileException(CFileException::Cause::generic, path, ec ? ec.value() : EISDIR);
    std::ifstream in;
    // Unbuffered: the file is read in one piece anyway, and the stream's own
    // buffer would be allocated and freed for every file.
    in.rdbuf()->pubsetbuf(nullptr, 0);
    in.open(path, std::ios::binary | std::ios::ate);
    if (!in)
        throw CFileException(CFileException::Cause::generic, path, errno);
    // One read of the size the file has now; a file that grows meanwhile is
    // read on in chunks.
    const std::streamoff size = in.tellg();
    in.seekg(0);
    std::vector<std::uint8_t> data(size > 0 ? static_cast<std::size_t>(size) : 0);
    in.read(reinterpret_cast<char*>(data.data()), static_cast<std::streamsize>(data.size()));
    data.resize(static_cast<std::size_t>(in.gcount()));
    char chunk[65536];
    while (in && (in.read(chunk, sizeof chunk) || in.gcount() > 0))
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

void CBufferedFile::Close(const CFileStamp& expected)
{
    if (IsWriting())
        CAtomicFile::Write(m_path, GetImage(), expected);
}
