// CString::Format: printf-style formatting with Windows' wide conventions, into a string that grows
// as needed. Numbers are formatted by the C library (narrow, then widened: their text is ASCII);
// text arguments are copied here, so %s means wide text on every platform.
#include "afxstr.h"

#include <cstdio>
#include <cstring>
#include <cwchar>
#include <string>

namespace {

enum class Size { Default, Char, Short, Long, LongLong, SizeT, LongDouble };

struct Spec {
    std::string flags;
    int width = -1;      // -1: none
    int precision = -1;  // -1: none
    Size size = Size::Default;
    wchar_t conv = 0;
};

void AppendPadded(std::wstring& out, const std::wstring& text, const Spec& spec)
{
    std::wstring body = spec.precision >= 0 ? text.substr(0, static_cast<std::size_t>(spec.precision)) : text;
    const std::size_t width = spec.width > 0 ? static_cast<std::size_t>(spec.width) : 0;
    const std::size_t pad = width > body.size() ? width - body.size() : 0;
    if (spec.flags.find('-') != std::string::npos)
        out += body + std::wstring(pad, L' ');
    else
        out += std::wstring(pad, L' ') + body;
}

std::wstring WidenNarrowText(const char* psz)
{
#ifdef _WIN32
    const int len = MultiByteToWideChar(CP_ACP, 0, psz, -1, nullptr, 0);
    std::wstring out(static_cast<std::size_t>(len > 0 ? len : 1), L'\0');
    if (len > 0)
        MultiByteToWideChar(CP_ACP, 0, psz, -1, out.data(), len);
    out.resize(out.size() - 1);
    return out;
#else
    std::wstring out;
    for (; *psz; ++psz)
        out += static_cast<wchar_t>(static_cast<unsigned char>(*psz));
    return out;
#endif
}

// Formats one numeric argument through snprintf with the parsed flags, width and precision.
template <typename T>
void AppendNumber(std::wstring& out, const Spec& spec, const char* length, char conv, T value)
{
    std::string fmt(1, '%');
    fmt.append(spec.flags);
    if (spec.width >= 0)
        fmt.append(std::to_string(spec.width));
    if (spec.precision >= 0)
        fmt.append(1, '.').append(std::to_string(spec.precision));
    fmt.append(length);
    fmt += conv;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
    const int len = std::snprintf(nullptr, 0, fmt.c_str(), value);
    if (len <= 0)
        return;
    std::string text(static_cast<std::size_t>(len) + 1, '\0');
    std::snprintf(text.data(), text.size(), fmt.c_str(), value);
#pragma GCC diagnostic pop
    text.resize(static_cast<std::size_t>(len));
    out.append(text.begin(), text.end());
}

// Reads a width or precision: digits, or '*' taken from the arguments.
int ReadCount(const wchar_t*& p, va_list& args)
{
    if (*p == L'*') {
        ++p;
        return va_arg(args, int);
    }
    int n = 0;
    while (*p >= L'0' && *p <= L'9' && n < 100000)
        n = n * 10 + (*p++ - L'0');
    return n;
}

void ParseSize(const wchar_t*& p, Spec& spec)
{
    if (p[0] == L'h' && p[1] == L'h') { spec.size = Size::Char; p += 2; }
    else if (p[0] == L'h') { spec.size = Size::Short; ++p; }
    else if (p[0] == L'l' && p[1] == L'l') { spec.size = Size::LongLong; p += 2; }
    else if (p[0] == L'l' || p[0] == L'w') { spec.size = Size::Long; ++p; }
    else if (p[0] == L'L') { spec.size = Size::LongDouble; ++p; }
    else if (p[0] == L'I' && p[1] == L'6' && p[2] == L'4') { spec.size = Size::LongLong; p += 3; }
    else if (p[0] == L'I' && p[1] == L'3' && p[2] == L'2') { p += 3; }
    else if (p[0] == L'I' || p[0] == L'z' || p[0] == L'j' || p[0] == L't') { spec.size = Size::SizeT; ++p; }
}

void AppendInteger(std::wstring& out, const Spec& spec, va_list& args)
{
    const char conv = static_cast<char>(spec.conv);
    const bool isSigned = conv == 'd' || conv == 'i';
    switch (spec.size) {
    case Size::LongLong:
        if (isSigned) AppendNumber(out, spec, "ll", conv, va_arg(args, long long));
        else AppendNumber(out, spec, "ll", conv, va_arg(args, unsigned long long));
        break;
    case Size::SizeT:
        if (isSigned) AppendNumber(out, spec, "ll", conv, static_cast<long long>(va_arg(args, std::ptrdiff_t)));
        else AppendNumber(out, spec, "ll", conv, static_cast<unsigned long long>(va_arg(args, std::size_t)));
        break;
    case Size::Long:
        if (isSigned) AppendNumber(out, spec, "l", conv, va_arg(args, long));
        else AppendNumber(out, spec, "l", conv, va_arg(args, unsigned long));
        break;
    case Size::Short:
        AppendNumber(out, spec, "h", conv, va_arg(args, int));
        break;
    case Size::Char:
        AppendNumber(out, spec, "hh", conv, va_arg(args, int));
        break;
    default:
        if (isSigned) AppendNumber(out, spec, "", conv, va_arg(args, int));
        else AppendNumber(out, spec, "", conv, va_arg(args, unsigned int));
        break;
    }
}

// Text conversions follow Windows' wide functions: %s and %c are wide, %hs and %hc narrow,
// %S and %C the opposite of their lower-case forms (%lS and %wS still wide).
bool IsNarrowText(const Spec& spec)
{
    if (spec.conv == L's' || spec.conv == L'c')
        return spec.size == Size::Short;
    return spec.size != Size::Long;
}

void AppendArgument(std::wstring& out, Spec& spec, va_list& args)
{
    switch (spec.conv) {
    case L'd': case L'i': case L'u': case L'o': case L'x': case L'X':
        AppendInteger(out, spec, args);
        break;
    case L'f': case L'F': case L'e': case L'E': case L'g': case L'G': case L'a': case L'A':
        if (spec.size == Size::LongDouble)
            AppendNumber(out, spec, "L", static_cast<char>(spec.conv), va_arg(args, long double));
        else
            AppendNumber(out, spec, "", static_cast<char>(spec.conv), va_arg(args, double));
        break;
    case L'p':
        AppendNumber(out, spec, "", 'p', va_arg(args, void*));
        break;
    case L'c': case L'C': {
        const int ch = va_arg(args, int);
        spec.precision = -1;
        AppendPadded(out, std::wstring(1, IsNarrowText(spec) ? static_cast<wchar_t>(static_cast<unsigned char>(ch))
                                                          : static_cast<wchar_t>(ch)), spec);
        break;
    }
    case L's': case L'S':
        if (IsNarrowText(spec)) {
            const char* psz = va_arg(args, const char*);
            AppendPadded(out, psz ? WidenNarrowText(psz) : std::wstring(L"(null)"), spec);
        } else {
            const wchar_t* psz = va_arg(args, const wchar_t*);
            AppendPadded(out, psz ? std::wstring(psz) : std::wstring(L"(null)"), spec);
        }
        break;
    default:
        // %n and unknown conversions write nothing and consume nothing.
        break;
    }
}

}  // namespace

void CString::FormatV(LPCWSTR pszFormat, va_list argList)
{
    std::wstring out;
    va_list args;
    va_copy(args, argList);
    for (const wchar_t* p = pszFormat ? pszFormat : L""; *p;) {
        if (*p != L'%') {
            out += *p++;
            continue;
        }
        ++p;
        if (*p == L'%') {
            out += *p++;
            continue;
        }
        Spec spec;
        while (*p && std::wcschr(L"-+ #0", *p))
            spec.flags += static_cast<char>(*p++);
        if ((*p >= L'0' && *p <= L'9') || *p == L'*') {
            spec.width = ReadCount(p, args);
            if (spec.width < 0) {  // a negative '*' width means left-justified
                spec.flags += '-';
                spec.width = -spec.width;
            }
        }
        if (*p == L'.') {
            ++p;
            spec.precision = ReadCount(p, args);
        }
        ParseSize(p, spec);
        if (!*p)
            break;
        spec.conv = *p++;
        AppendArgument(out, spec, args);
    }
    va_end(args);
    m_str = std::move(out);
}

void CString::Format(LPCWSTR pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    FormatV(pszFormat, args);
    va_end(args);
}

void CString::AppendFormat(LPCWSTR pszFormat, ...)
{
    CString tail;
    va_list args;
    va_start(args, pszFormat);
    tail.FormatV(pszFormat, args);
    va_end(args);
    m_str += tail.m_str;
}
