// The two byte sources: memory for tests and fuzzing, files for the program.
#include "byte_source.h"

#include <System/Exception.h>

#include "os_file.h"

#include <cstring>

namespace cvq::zip {

void MemorySource::ReadExact(std::uint64_t offset, void* buffer, std::size_t count)
{
    if (offset > m_bytes.size() || count > m_bytes.size() - offset) {
        throw System::IO::InvalidDataException("read beyond the end of the archive");
    }
    if (count > 0) std::memcpy(buffer, m_bytes.data() + offset, count);
}

namespace {

class FileSource final : public ByteSource {
public:
    explicit FileSource(const std::wstring& path) : m_file(path, os::File::Mode::Read), m_size(m_file.Size()) {}

    std::uint64_t Size() const override { return m_size; }

    void ReadExact(std::uint64_t offset, void* buffer, std::size_t count) override
    {
        if (offset > m_size || count > m_size - offset || m_file.ReadAt(offset, buffer, count) != count) {
            throw System::IO::InvalidDataException("read beyond the end of the archive");
        }
    }

private:
    os::File m_file;
    std::uint64_t m_size;
};

} // namespace

std::unique_ptr<ByteSource> OpenFileSource(const std::wstring& path) { return std::make_unique<FileSource>(path); }

} // namespace cvq::zip
