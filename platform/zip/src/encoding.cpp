// Encoding lookup by name and the dispatch to each encoding's converter.
#include <System/Text/Encoding.h>

#include <System/Exception.h>

#include "cp932.h"
#include "single_byte.h"
#include "unicode.h"


namespace System::Text {

struct EncodingTable {
    static inline const Encoding utf8{Encoding::Kind::Utf8, L"utf-8"};
    static inline const Encoding shiftJis{Encoding::Kind::ShiftJis, L"shift_jis"};
    static inline const Encoding ascii{Encoding::Kind::Ascii, L"us-ascii"};
    static inline const Encoding latin1{Encoding::Kind::Latin1, L"iso-8859-1"};
    static inline const Encoding cp437{Encoding::Kind::Cp437, L"ibm437"};
};

namespace {

struct Alias {
    const wchar_t* name;
    const Encoding* encoding;
};

const Alias kAliases[] = {
    {L"utf-8", &EncodingTable::utf8},          {L"utf8", &EncodingTable::utf8},
    {L"shift_jis", &EncodingTable::shiftJis},  {L"shift-jis", &EncodingTable::shiftJis},
    {L"sjis", &EncodingTable::shiftJis},       {L"cp932", &EncodingTable::shiftJis},
    {L"windows-31j", &EncodingTable::shiftJis}, {L"x-sjis", &EncodingTable::shiftJis},
    {L"ms_kanji", &EncodingTable::shiftJis},   {L"csshiftjis", &EncodingTable::shiftJis},
    {L"x-ms-cp932", &EncodingTable::shiftJis}, {L"ms932", &EncodingTable::shiftJis},
    {L"us-ascii", &EncodingTable::ascii},      {L"ascii", &EncodingTable::ascii},
    {L"iso-8859-1", &EncodingTable::latin1},   {L"latin1", &EncodingTable::latin1},
    {L"l1", &EncodingTable::latin1},           {L"cp437", &EncodingTable::cp437},
    {L"ibm437", &EncodingTable::cp437},        {L"437", &EncodingTable::cp437},
};

// Encoding names are ASCII; compare them without regard to case, as .NET does.
bool SameName(const wchar_t* a, const wchar_t* b)
{
    for (; *a && *b; ++a, ++b) {
        const wchar_t ca = (*a >= L'A' && *a <= L'Z') ? static_cast<wchar_t>(*a + 32) : *a;
        if (ca != *b) return false;
    }
    return *a == *b;
}

} // namespace

const Encoding* Encoding::GetEncoding(const wchar_t* name)
{
    if (name == nullptr) throw ArgumentNullException("encoding name is null");
    for (const Alias& alias : kAliases) {
        if (SameName(name, alias.name)) return alias.encoding;
    }
    throw ArgumentException("unknown encoding name: " + cvq::zip::EncodeUtf8(name));
}

const Encoding* Encoding::UTF8() { return &EncodingTable::utf8; }

std::wstring Encoding::GetString(std::string_view bytes) const
{
    std::wstring out;
    out.reserve(bytes.size());
    switch (m_kind) {
    case Kind::Utf8: cvq::zip::DecodeUtf8(bytes, out); break;
    case Kind::ShiftJis: cvq::zip::DecodeCp932(bytes, out); break;
    case Kind::Ascii: cvq::zip::DecodeAscii(bytes, out); break;
    case Kind::Latin1: cvq::zip::DecodeLatin1(bytes, out); break;
    case Kind::Cp437: cvq::zip::DecodeCp437(bytes, out); break;
    }
    return out;
}

std::string Encoding::GetBytes(std::wstring_view text) const
{
    switch (m_kind) {
    case Kind::Utf8: return cvq::zip::EncodeUtf8(text);
    case Kind::ShiftJis: return cvq::zip::EncodeCp932(text);
    case Kind::Ascii: return cvq::zip::EncodeAscii(text);
    case Kind::Latin1: return cvq::zip::EncodeLatin1(text);
    case Kind::Cp437: return cvq::zip::EncodeCp437(text);
    }
    return {};
}

} // namespace System::Text
