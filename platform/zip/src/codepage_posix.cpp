// Code page 932 through glibc's iconv ("CP932", which is Microsoft's table: 0x8160 is U+FF5E, NEC and
// IBM extensions included). Descriptors are per thread because iconv_t keeps shift state.
#include "codepage_system.h"

#include <cerrno>
#include <cstdint>
#include <iconv.h>
#include <vector>

namespace cvq::zip::system_cp932 {
namespace {

class Converter {
public:
    Converter(const char* to, const char* from) : m_cd(iconv_open(to, from)) {}
    ~Converter()
    {
        if (Valid()) iconv_close(m_cd);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool Valid() const { return m_cd != reinterpret_cast<iconv_t>(-1); }

    // Converts all of in; false on any refused or incomplete sequence.
    bool Run(const char* in, std::size_t inLen, std::vector<char>& out)
    {
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        out.resize(inLen * 4 + 16);
        char* src = const_cast<char*>(in);
        char* dst = out.data();
        std::size_t srcLeft = inLen;
        std::size_t dstLeft = out.size();
        while (srcLeft > 0) {
            if (iconv(m_cd, &src, &srcLeft, &dst, &dstLeft) != static_cast<std::size_t>(-1)) break;
            if (errno != E2BIG) return false;
            const std::size_t used = static_cast<std::size_t>(dst - out.data());
            out.resize(out.size() * 2);
            dst = out.data() + used;
            dstLeft = out.size() - used;
        }
        out.resize(static_cast<std::size_t>(dst - out.data()));
        return true;
    }

private:
    iconv_t m_cd;
};

Converter& Decoder()
{
    thread_local Converter converter("UTF-32LE", "CP932");
    return converter;
}

Converter& Encoder()
{
    thread_local Converter converter("CP932", "UTF-32LE");
    return converter;
}

} // namespace

bool Decode(std::string_view bytes, std::wstring& out)
{
    Converter& conv = Decoder();
    std::vector<char> buffer;
    if (!conv.Valid() || !conv.Run(bytes.data(), bytes.size(), buffer)) return false;
    for (std::size_t i = 0; i + 4 <= buffer.size(); i += 4) {
        const auto* p = reinterpret_cast<const unsigned char*>(buffer.data() + i);
        const std::uint32_t cp = std::uint32_t{p[0]} | (std::uint32_t{p[1]} << 8) | (std::uint32_t{p[2]} << 16) | (std::uint32_t{p[3]} << 24);
        out.push_back(static_cast<wchar_t>(cp));
    }
    return true;
}

bool Encode(std::wstring_view text, std::string& out)
{
    Converter& conv = Encoder();
    std::vector<char> in;
    in.reserve(text.size() * 4);
    for (const wchar_t c : text) {
        const auto cp = static_cast<std::uint32_t>(c);
        for (int k = 0; k < 4; ++k) in.push_back(static_cast<char>((cp >> (8 * k)) & 0xFF));
    }
    std::vector<char> buffer;
    if (!conv.Valid() || !conv.Run(in.data(), in.size(), buffer)) return false;
    out.append(buffer.begin(), buffer.end());
    return true;
}

} // namespace cvq::zip::system_cp932
