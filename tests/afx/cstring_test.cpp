// CString and CStringArray: the text operations the program relies on, including edge cases.
#include "afxstr.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace {

std::wstring W(const CString& s) { return std::wstring(s.GetString()); }

TEST(CString, ConstructionAssignmentAndConcatenation)
{
    CString empty;
    EXPECT_TRUE(empty.IsEmpty());
    EXPECT_EQ(0, empty.GetLength());
    EXPECT_STREQ(L"", static_cast<LPCWSTR>(empty));

    CString fromNull(static_cast<LPCWSTR>(nullptr));
    EXPECT_TRUE(fromNull.IsEmpty());

    CString s = L"変換";
    s += L"ツール";
    s += L'！';
    EXPECT_EQ(L"変換ツール！", W(s));
    EXPECT_EQ(6, s.GetLength());
    EXPECT_EQ(L"a変換ツール！b", W(L"a" + s + L'b'));
    EXPECT_EQ(L"xx", W(CString(L'x', 2)));
    EXPECT_EQ(L"ab", W(CString(L"abc", 2)));

    s.Empty();
    EXPECT_TRUE(s.IsEmpty());
}

TEST(CString, ComparisonIsOrdinalAndCaseFoldingCoversWideLetters)
{
    CString s = L"Plant.VTQ";
    EXPECT_EQ(0, s.Compare(L"Plant.VTQ"));
    EXPECT_LT(s.Compare(L"plant.vtq"), 0);  // 'P' < 'p'
    EXPECT_GT(CString(L"b").Compare(L"a"), 0);
    EXPECT_EQ(0, s.CompareNoCase(L"plant.vtq"));
    EXPECT_NE(0, s.CompareNoCase(L"plant.vtqp"));
    EXPECT_LT(CString(L"a").CompareNoCase(L"B"), 0);
#ifdef _WIN32
    // Windows folds every letter as the file system does; the portable build folds by the C locale.
    EXPECT_EQ(0, CString(L"ＡＢＣ変換").CompareNoCase(L"ａｂｃ変換"));
#endif
    EXPECT_TRUE(s == L"Plant.VTQ");
    EXPECT_TRUE(L"Plant.VTQ" == s);
    EXPECT_TRUE(s != CString(L"x"));
}

struct FindCase {
    const wchar_t* text;
    const wchar_t* sub;
    int start;
    int find;         // Find(sub, start)
    int reverseFind;  // ReverseFind(sub)
};

TEST(CString, FindAndReverseFindBySubstringAndCharacter)
{
    const FindCase cases[] = {
        {L"C:\\a\\b.vtq", L"\\", 0, 2, 4},
        {L"C:\\a\\b.vtq", L"\\", 3, 4, 4},
        {L"C:\\a\\b.vtq", L".", 0, 6, 6},
        {L"C:\\a\\b.vtq", L"/", 0, -1, -1},
        {L"表\\示/表", L"表", 1, 4, 4},
        {L"", L"x", 0, -1, -1},
        {L"abc", L"c", 3, -1, 2},   // start at the end finds nothing
        {L"abc", L"a", 10, -1, 0},  // start past the end
        {L"abc", L"a", -1, -1, 0},  // negative start
        {L"abcabc", L"bc", 2, 4, 4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "text #" << (&c - cases));
        const CString s(c.text);
        EXPECT_EQ(c.find, s.Find(c.sub, c.start));
        EXPECT_EQ(c.reverseFind, s.ReverseFind(c.sub));
        if (c.sub[1] == L'\0') {
            EXPECT_EQ(c.find, s.Find(c.sub[0], c.start));
            EXPECT_EQ(c.reverseFind, s.ReverseFind(c.sub[0]));
        }
    }
    EXPECT_EQ(-1, CString(L"abc").Find(static_cast<LPCWSTR>(nullptr)));
}

TEST(CString, SlicesClampToTheText)
{
    const CString s = L"プロジェクト_Package";
    EXPECT_EQ(L"プロジェクト", W(s.Left(6)));
    EXPECT_EQ(L"_Package", W(s.Right(8)));
    EXPECT_EQ(L"ジェ", W(s.Mid(2, 2)));
    EXPECT_EQ(L"Package", W(s.Mid(7)));
    EXPECT_EQ(L"", W(s.Mid(100)));
    EXPECT_EQ(L"", W(s.Mid(100, 5)));
    EXPECT_EQ(L"age", W(s.Mid(11, 100)));
    EXPECT_EQ(W(s), W(s.Mid(-3)));
    EXPECT_EQ(L"", W(s.Left(-1)));
    EXPECT_EQ(W(s), W(s.Left(1000)));
    EXPECT_EQ(W(s), W(s.Right(1000)));
    EXPECT_EQ(L"", W(s.Right(0)));
}

TEST(CString, CaseAndTrim)
{
    CString s = L"Abc変換XYZ";
    EXPECT_EQ(L"abc変換xyz", W(CString(s).MakeLower()));
    EXPECT_EQ(L"ABC変換XYZ", W(CString(s).MakeUpper()));

    EXPECT_EQ(L"a b", W(CString(L" \t\r\n a b\u3000 ").Trim()));
    EXPECT_EQ(L"a b \n", W(CString(L"  a b \n").TrimLeft()));
    EXPECT_EQ(L"  a b", W(CString(L"  a b \n").TrimRight()));
    EXPECT_EQ(L"", W(CString(L"   ").Trim()));
    EXPECT_EQ(L"C:\\out", W(CString(L"C:\\out\\\\\\").TrimRight(L'\\')));
    EXPECT_EQ(L"b", W(CString(L"xyaxbyx").Trim(L"xya")));
    EXPECT_EQ(L"", W(CString(L"\\\\").TrimRight(L'\\')));
    EXPECT_EQ(L"a\\", W(CString(L"\\a\\").TrimLeft(L'\\')));
}

struct FormatCase {
    std::wstring expected;
    CString actual;
};

CString Fmt(LPCWSTR fmt, ...)
{
    CString s;
    va_list args;
    va_start(args, fmt);
    s.FormatV(fmt, args);
    va_end(args);
    return s;
}

TEST(CString, FormatWithTheProgramsConversions)
{
    const FormatCase cases[] = {
        {L"C:\\out\\Plant.vtq", Fmt(L"%s\\%s.vtq", L"C:\\out", L"Plant")},
        {L"2026/01/05 07:08:09 変換", Fmt(L"%04d/%02d/%02d %02d:%02d:%02d %s", 2026, 1, 5, 7, 8, 9, L"変換")},
        {L"-42 -2147483647 123456789012", Fmt(L"%d %ld %lld", -42, -2147483647L, 123456789012LL)},
        {L"1.5 0.125 1e+20", Fmt(L"%g %g %g", 1.5, 0.125, 1e20)},
        {L"100%", Fmt(L"%d%%", 100)},
        {L"[  ab][ab  ][a]", Fmt(L"[%4s][%-4s][%.1s]", L"ab", L"ab", L"ab")},
        {L"ff FF 17 7", Fmt(L"%x %X %o %u", 255u, 255u, 15u, 7u)},
        {L"x変y", Fmt(L"x%cy", L'変')},
        {L"narrow", Fmt(L"%hs", "narrow")},
        {L"(null)", Fmt(L"%s", static_cast<LPCWSTR>(nullptr))},
        {L"   7|7   ", Fmt(L"%*d|%-*d", 4, 7, 4, 7)},
        {L"18446744073709551615", Fmt(L"%llu", 18446744073709551615ULL)},
        {L"trailing ", Fmt(L"trailing %")},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, W(c.actual));
}

TEST(CString, FormatGrowsForLongResults)
{
    const std::wstring longPath(40000, L'表');
    CString s;
    s.Format(L"ファイルの削除に失敗しました。%s\n", longPath.c_str());
    EXPECT_EQ(L"ファイルの削除に失敗しました。" + longPath + L"\n", W(s));

    s.Format(L"%070000d", 1);
    ASSERT_EQ(70000, s.GetLength());
    EXPECT_EQ(L'1', s[69999]);
    EXPECT_EQ(L'0', s[0]);

    s.AppendFormat(L"%s", L"!");
    EXPECT_EQ(70001, s.GetLength());
}

TEST(CString, BufferAccess)
{
    CString s = L"abc";
    wchar_t* buf = s.GetBuffer(10);
    wcscpy(buf, L"変換ツール");
    s.ReleaseBuffer();
    EXPECT_EQ(L"変換ツール", W(s));

    buf = s.GetBuffer(0);
    buf[2] = L'\0';
    s.ReleaseBuffer(-1);
    EXPECT_EQ(L"変換", W(s));

    buf = s.GetBufferSetLength(4);
    buf[2] = L'x';
    buf[3] = L'y';
    s.ReleaseBuffer(3);
    EXPECT_EQ(L"変換x", W(s));
}

TEST(CString, IndexOutOfRangeThrowsInsteadOfCorrupting)
{
    CString s = L"ab";
    EXPECT_EQ(L'b', s[1]);
    EXPECT_THROW(s.GetAt(2), std::out_of_range);
    EXPECT_THROW(s.SetAt(-1, L'x'), std::out_of_range);
}

TEST(CStringArray, AddInsertRemoveAndSet)
{
    CStringArray a;
    EXPECT_EQ(0, a.GetCount());
    EXPECT_EQ(0, a.Add(L"a.vtq"));
    EXPECT_EQ(1, a.Add(L"b.vtqp"));
    a.InsertAt(0, L"先頭.vtq");
    a.InsertAt(3, L"末尾.vtq");
    ASSERT_EQ(4, a.GetSize());
    EXPECT_EQ(L"先頭.vtq", W(a[0]));
    EXPECT_EQ(L"a.vtq", W(a.GetAt(1)));
    EXPECT_EQ(L"末尾.vtq", W(a[3]));

    a.SetAt(1, L"x");
    a.RemoveAt(2);
    ASSERT_EQ(3, a.GetCount());
    EXPECT_EQ(L"x", W(a[1]));
    EXPECT_EQ(L"末尾.vtq", W(a[2]));

    a.InsertAt(1, L"r", 2);
    EXPECT_EQ(5, a.GetCount());
    a.RemoveAt(1, 2);
    EXPECT_EQ(L"x", W(a[1]));

    a.InsertAt(5, L"far");  // past the end: the gap fills with empty strings
    ASSERT_EQ(6, a.GetCount());
    EXPECT_TRUE(a[3].IsEmpty());
    EXPECT_EQ(L"far", W(a[5]));

    EXPECT_THROW(a.GetAt(6), std::out_of_range);
    EXPECT_THROW(a.GetAt(-1), std::out_of_range);
    EXPECT_THROW(a.RemoveAt(5, 2), std::out_of_range);

    a.RemoveAll();
    EXPECT_EQ(0, a.GetCount());
    EXPECT_THROW(a[0], std::out_of_range);
}

}  // namespace
