// Text encodings for ZIP entry names, found by name as with .NET's Encoding.GetEncoding.
//
// Names (case-insensitive):
//   UTF-8        "utf-8", "utf8"
//   Shift_JIS    "shift_jis", "shift-jis", "sjis", "cp932", "windows-31j", "x-sjis", "ms_kanji",
//                "csshiftjis", "x-ms-cp932", "ms932" -- always Windows code page 932
//   ASCII        "us-ascii", "ascii"
//   Latin-1      "iso-8859-1", "latin1", "l1"
//   OEM US       "cp437", "ibm437", "437"
//
// Decoding never throws. A byte sequence that is not valid in the encoding becomes one U+FFFD:
//   - UTF-8: each maximal prefix of a valid sequence that breaks off, and each stray byte, is one
//     U+FFFD (the W3C/Unicode "maximal subpart" rule); overlong forms, surrogates and code points
//     above U+10FFFF are invalid.
//   - Shift_JIS: a lead byte whose next byte is no trail byte (or which ends the text) is one U+FFFD
//     and the next byte is read afresh; a lead/trail pair that code page 932 leaves unassigned is
//     one U+FFFD. The single bytes 0x80, 0xA0, 0xFD-0xFF decode as Windows does (U+0080, U+F8F0,
//     U+F8F1-U+F8F3).
//   - US-ASCII: bytes above 0x7F are U+FFFD.
// Encoding replaces each character the encoding cannot hold with '?' (UTF-8 holds all; an unpaired
// surrogate becomes U+FFFD).
//
// Wide text is UTF-16 where wchar_t is 16 bits (Windows) and one code point per wchar_t elsewhere.
#pragma once

#include <string>
#include <string_view>

namespace System::Text {

class Encoding {
public:
    enum class Kind { Utf8, ShiftJis, Ascii, Latin1, Cp437 };

    // Unknown names are an ArgumentException, a null name an ArgumentNullException.
    static const Encoding* GetEncoding(const wchar_t* name);
    static const Encoding* UTF8();

    std::wstring GetString(std::string_view bytes) const;
    std::string GetBytes(std::wstring_view text) const;

    Kind GetKind() const { return m_kind; }
    const wchar_t* WebName() const { return m_webName; }

    Encoding(const Encoding&) = delete;
    Encoding& operator=(const Encoding&) = delete;

private:
    constexpr Encoding(Kind kind, const wchar_t* webName) : m_kind(kind), m_webName(webName) {}

    Kind m_kind;
    const wchar_t* m_webName;

    friend struct EncodingTable;
};

} // namespace System::Text
