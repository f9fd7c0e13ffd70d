// Encodings by name, and decoding tables that must give the same text on Windows (the system's
// code page 932 converter) and natively (iconv): one table, both platforms.
#include <System/Text/Encoding.h>

#include "zip_test_util.h"

#include <gtest/gtest.h>

namespace {

using System::Text::Encoding;
using testzip::W;

struct NameCase {
    const wchar_t* name;
    Encoding::Kind kind;
};

class EncodingNames : public testing::TestWithParam<NameCase> {};

TEST_P(EncodingNames, FindsTheEncodingWhateverTheCase)
{
    const NameCase& c = GetParam();
    const Encoding* e = Encoding::GetEncoding(c.name);
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->GetKind(), c.kind);
    std::wstring upper = c.name;
    for (auto& ch : upper) {
        if (ch >= L'a' && ch <= L'z') ch = static_cast<wchar_t>(ch - 32);
    }
    EXPECT_EQ(Encoding::GetEncoding(upper.c_str()), e);
}

INSTANTIATE_TEST_SUITE_P(
    Aliases, EncodingNames,
    testing::Values(NameCase{L"utf-8", Encoding::Kind::Utf8}, NameCase{L"utf8", Encoding::Kind::Utf8},
                    NameCase{L"shift_jis", Encoding::Kind::ShiftJis}, NameCase{L"Shift-JIS", Encoding::Kind::ShiftJis},
                    NameCase{L"sjis", Encoding::Kind::ShiftJis}, NameCase{L"cp932", Encoding::Kind::ShiftJis},
                    NameCase{L"windows-31j", Encoding::Kind::ShiftJis}, NameCase{L"x-sjis", Encoding::Kind::ShiftJis},
                    NameCase{L"ms_kanji", Encoding::Kind::ShiftJis}, NameCase{L"csShiftJIS", Encoding::Kind::ShiftJis},
                    NameCase{L"us-ascii", Encoding::Kind::Ascii}, NameCase{L"iso-8859-1", Encoding::Kind::Latin1},
                    NameCase{L"latin1", Encoding::Kind::Latin1}, NameCase{L"cp437", Encoding::Kind::Cp437},
                    NameCase{L"IBM437", Encoding::Kind::Cp437}));

TEST(EncodingLookup, RefusesUnknownEmptyAndNullNames)
{
    for (const wchar_t* name : {L"euc-jp", L"", L"utf-16", L"shift_jis ", L"utf_8x"}) {
        EXPECT_THROW(Encoding::GetEncoding(name), System::ArgumentException) << cvq::zip::EncodeUtf8(name);
    }
    EXPECT_THROW(Encoding::GetEncoding(nullptr), System::ArgumentNullException);
}

struct DecodeCase {
    const char* label;
    std::string bytes;
    std::u32string expected;
};

void PrintTo(const DecodeCase& c, std::ostream* os) { *os << c.label; }

class ShiftJisVectors : public testing::TestWithParam<DecodeCase> {};

TEST_P(ShiftJisVectors, DecodeAsWindowsCodePage932)
{
    const DecodeCase& c = GetParam();
    EXPECT_EQ(Encoding::GetEncoding(L"shift_jis")->GetString(c.bytes), W(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Cp932, ShiftJisVectors,
    testing::Values(
        DecodeCase{"ascii", "Plant/a.txt", U"Plant/a.txt"},
        DecodeCase{"backslash_is_not_yen", "\x5C\x7E", U"\u005C\u007E"},
        DecodeCase{"second_byte_5C_hyou", "\x95\x5C", U"\u8868"},
        DecodeCase{"second_byte_5C_so", "\x83\x5C\x5C" "a", U"\u30BD\\a"},
        DecodeCase{"second_byte_7E", "\x83\x7E", U"\u30DF"},
        DecodeCase{"wave_dash_is_fullwidth_tilde", "\x81\x60", U"\uFF5E"},
        DecodeCase{"fullwidth_signs", "\x81\x5F\x81\x7C\x81\x91\x81\x92\x81\xCA", U"\uFF3C\uFF0D\uFFE0\uFFE1\uFFE2"},
        DecodeCase{"nec_row13", "\x87\x40\x87\x54\x87\x82\x87\x8A\x87\x90", U"\u2460\u2160\u2116\u3231\u2252"},
        DecodeCase{"nec_selected_ibm", "\xED\x40\xEE\xFC", U"\u7E8A\uFF02"},
        DecodeCase{"ibm_extensions", "\xFA\x40\xFA\x55\xFA\x5C\xFB\x40\xFC\x4B", U"\u2170\uFFE4\u7E8A\u6D96\u9ED1"},
        DecodeCase{"halfwidth_katakana", "\xA1\xB1\xDF", U"\uFF61\uFF71\uFF9F"},
        DecodeCase{"kanji_words", "\x93\xFA\x96\x7B\x8C\xEA\x88\x9F\x9F\xFC\xE0\x40\xEA\xA4",
                   U"\u65E5\u672C\u8A9E\u4E9C\u6ECC\u6F3E\u7199"},
        DecodeCase{"user_defined_area", "\xF0\x40\xF9\xFC", U"\uE000\uE757"},
        DecodeCase{"odd_single_bytes", "\x80\xA0\xFD\xFE\xFF", U"\u0080\uF8F0\uF8F1\uF8F2\uF8F3"},
        DecodeCase{"lead_at_end", "a\x81", U"a\uFFFD"},
        DecodeCase{"lead_without_trail", "\x81\x20" "b", U"\uFFFD b"},
        DecodeCase{"lead_byte_as_trail", "\x81\x81\x40", U"\uFF1D@"},
        DecodeCase{"unassigned_pair", "\x85\x40" "x", U"\uFFFDx"},
        DecodeCase{"empty", "", U""}));

class Utf8Vectors : public testing::TestWithParam<DecodeCase> {};

TEST_P(Utf8Vectors, DecodeWithOneReplacementPerBrokenSequence)
{
    const DecodeCase& c = GetParam();
    EXPECT_EQ(Encoding::GetEncoding(L"utf-8")->GetString(c.bytes), W(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Utf8, Utf8Vectors,
    testing::Values(DecodeCase{"ascii", "abc/d", U"abc/d"},
                    DecodeCase{"japanese", "\xE8\xA1\xA8\xE7\xA4\xBA", U"\u8868\u793A"},
                    DecodeCase{"four_byte", "\xF0\x9F\x98\x80", U"\U0001F600"},
                    DecodeCase{"two_byte", "\xC3\xA9", U"\u00E9"},
                    DecodeCase{"stray_continuation", "a\x80" "b", U"a\uFFFDb"},
                    DecodeCase{"truncated_three_byte", "\xE8\xA1", U"\uFFFD"},
                    DecodeCase{"truncated_then_ascii", "\xE8\xA1" "a", U"\uFFFDa"},
                    DecodeCase{"overlong_slash", "\xC0\xAF", U"\uFFFD\uFFFD"},
                    DecodeCase{"overlong_three", "\xE0\x80\xAF", U"\uFFFD\uFFFD\uFFFD"},
                    DecodeCase{"surrogate", "\xED\xA0\x80", U"\uFFFD\uFFFD\uFFFD"},
                    DecodeCase{"beyond_10FFFF", "\xF4\x90\x80\x80", U"\uFFFD\uFFFD\uFFFD\uFFFD"},
                    DecodeCase{"invalid_bytes", "\xFE\xFF", U"\uFFFD\uFFFD"},
                    DecodeCase{"shift_jis_as_utf8", "\x95\x5C", U"\uFFFD\\"}));

TEST(OneByteEncodings, DecodeEveryByte)
{
    std::string all;
    for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
    const std::wstring latin1 = Encoding::GetEncoding(L"iso-8859-1")->GetString(all);
    const std::wstring ascii = Encoding::GetEncoding(L"us-ascii")->GetString(all);
    const std::wstring oem = Encoding::GetEncoding(L"cp437")->GetString(all);
    ASSERT_EQ(latin1.size(), 256u);
    ASSERT_EQ(ascii.size(), 256u);
    ASSERT_EQ(oem.size(), 256u);
    for (int b = 0; b < 256; ++b) {
        EXPECT_EQ(latin1[static_cast<std::size_t>(b)], static_cast<wchar_t>(b));
        EXPECT_EQ(ascii[static_cast<std::size_t>(b)], b < 0x80 ? static_cast<wchar_t>(b) : static_cast<wchar_t>(0xFFFD));
        if (b < 0x80) {
            EXPECT_EQ(oem[static_cast<std::size_t>(b)], static_cast<wchar_t>(b));
        }
    }
    EXPECT_EQ(oem[0x81], static_cast<wchar_t>(0x00FC));  // u-umlaut
    EXPECT_EQ(oem[0xE1], static_cast<wchar_t>(0x00DF));  // sharp s
    EXPECT_EQ(oem[0xFF], static_cast<wchar_t>(0x00A0));
}

struct EncodeCase {
    const wchar_t* encoding;
    std::u32string text;
    std::string expected;
};

void PrintTo(const EncodeCase& c, std::ostream* os) { *os << cvq::zip::EncodeUtf8(c.encoding); }

class EncodeVectors : public testing::TestWithParam<EncodeCase> {};

TEST_P(EncodeVectors, EncodeAndReplaceWhatTheEncodingCannotHold)
{
    const EncodeCase& c = GetParam();
    EXPECT_EQ(Encoding::GetEncoding(c.encoding)->GetBytes(W(c.text)), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    All, EncodeVectors,
    testing::Values(EncodeCase{L"utf-8", U"Plant/\u8868\U0001F600", "Plant/\xE8\xA1\xA8\xF0\x9F\x98\x80"},
                    EncodeCase{L"shift_jis", U"\u8868\\\uFF5E\u2460\uFF71", "\x95\x5C\x5C\x81\x60\x87\x40\xB1"},
                    EncodeCase{L"shift_jis", U"a\u00E9b", "a?b"},
                    EncodeCase{L"us-ascii", U"a\u00E9", "a?"},
                    EncodeCase{L"iso-8859-1", U"\u00E9\u8868", "\xE9?"},
                    EncodeCase{L"cp437", U"\u00FC\u2591x\u8868", "\x81\xB0x?"}));

TEST(Utf8RoundTrip, EveryPlaneSurvives)
{
    const std::wstring text = W(U"a\u00E9\u8868\uFF5E\U00010000\U0010FFFF");
    const Encoding* utf8 = Encoding::GetEncoding(L"utf-8");
    EXPECT_EQ(utf8->GetString(utf8->GetBytes(text)), text);
}

} // namespace
