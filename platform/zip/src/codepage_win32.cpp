// Code page 932 through the Windows converter. MB_ERR_INVALID_CHARS makes an unassigned pair fail
// instead of becoming U+30FB; WC_NO_BEST_FIT_CHARS keeps look-alike substitutions out of names.
#include "codepage_system.h"

#include <windows.h>

namespace cvq::zip::system_cp932 {

bool Decode(std::string_view bytes, std::wstring& out)
{
    if (bytes.empty()) return true;
    const int inLen = static_cast<int>(bytes.size());
    const int need = MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, bytes.data(), inLen, nullptr, 0);
    if (need <= 0) return false;
    const std::size_t base = out.size();
    out.resize(base + static_cast<std::size_t>(need));
    if (MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, bytes.data(), inLen, out.data() + base, need) != need) {
        out.resize(base);
        return false;
    }
    return true;
}

bool Encode(std::wstring_view text, std::string& out)
{
    if (text.empty()) return true;
    const int inLen = static_cast<int>(text.size());
    BOOL usedDefault = FALSE;
    const int need = WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, text.data(), inLen, nullptr, 0,
                                         nullptr, &usedDefault);
    if (need <= 0 || usedDefault) return false;
    const std::size_t base = out.size();
    out.resize(base + static_cast<std::size_t>(need));
    if (WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, text.data(), inLen, out.data() + base, need,
                            nullptr, &usedDefault) != need || usedDefault) {
        out.resize(base);
        return false;
    }
    return true;
}

} // namespace cvq::zip::system_cp932
