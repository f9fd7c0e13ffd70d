// Command-line driver for the benchmark script: runs one ZIP operation and prints its wall time.
//   zip_bench extract <archive> <folder> [encoding]
//   zip_bench create <folder> <archive> [threads] [encoding]
//   zip_bench list <archive>
#include <System/IO/Compression.h>

#include "create_archive.h"
#include "unicode.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

std::wstring Wide(const char* s) { return cvq::zip::DecodeUtf8(s); }

int Usage()
{
    std::fprintf(stderr, "usage: zip_bench extract <archive> <folder> [encoding]\n"
                         "       zip_bench create <folder> <archive> [threads] [encoding]\n"
                         "       zip_bench list <archive>\n");
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    using namespace System::IO::Compression;
    if (argc < 3) return Usage();
    const std::string op = argv[1];
    const auto start = std::chrono::steady_clock::now();
    try {
        if (op == "extract" && argc >= 4) {
            const std::wstring encoding = argc > 4 ? Wide(argv[4]) : L"shift_jis";
            ZipFile::ExtractToDirectory(Wide(argv[2]).c_str(), Wide(argv[3]).c_str(),
                                        System::Text::Encoding::GetEncoding(encoding.c_str()));
        } else if (op == "create" && argc >= 4) {
            cvq::zip::CreateOptions options;
            options.threads = argc > 4 ? static_cast<unsigned>(std::atoi(argv[4])) : 0;
            const std::wstring encoding = argc > 5 ? Wide(argv[5]) : L"utf-8";
            cvq::zip::CreateArchive(Wide(argv[2]).c_str(), Wide(argv[3]).c_str(), 6, true,
                                    System::Text::Encoding::GetEncoding(encoding.c_str()), options);
        } else if (op == "list") {
            const ZipArchive zip = ZipFile::OpenRead(Wide(argv[2]).c_str());
            for (const auto& e : zip.Entries()) std::printf("%s\n", cvq::zip::EncodeUtf8(e.FullName()).c_str());
        } else {
            return Usage();
        }
    } catch (const System::Exception& e) {
        std::fprintf(stderr, "zip_bench: %s: %s\n", typeid(e).name(), e.what());
        return 1;
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::fprintf(stderr, "zip_bench %s: %.3f s\n", op.c_str(), seconds);
    return 0;
}
