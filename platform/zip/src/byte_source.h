// Random-access input for the reader: a file, or bytes in memory (tests and fuzz targets), behind
// one small interface so the same parser reads both.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace cvq::zip {

class ByteSource {
public:
    virtual ~ByteSource() = default;
    virtual std::uint64_t Size() const = 0;
    // Fills count bytes from offset; a range beyond the end is an InvalidDataException (truncated).
    virtual void ReadExact(std::uint64_t offset, void* buffer, std::size_t count) = 0;
};

class MemorySource final : public ByteSource {
public:
    explicit MemorySource(std::string bytes) : m_bytes(std::move(bytes)) {}
    std::uint64_t Size() const override { return m_bytes.size(); }
    void ReadExact(std::uint64_t offset, void* buffer, std::size_t count) override;

private:
    std::string m_bytes;
};

// Opens a file for reading; failures are the file-system kinds (FileNotFound, UnauthorizedAccess...).
std::unique_ptr<ByteSource> OpenFileSource(const std::wstring& path);

} // namespace cvq::zip
