// The three dialog templates of ConvertVtq.exe, parsed field by field from their extended form.
#include "resource_file.h"
#include "resource.h"

#include <gtest/gtest.h>

using namespace cvq_res_test;

namespace {

constexpr WORD kButtonClass = 0x0080;
constexpr WORD kStaticClass = 0x0082;

struct ControlCase {
    WORD classOrdinal;
    int id;
    bool textIsOrdinal;
    WORD textOrdinal;
    const wchar_t* text;
    DWORD style;
    short x, y, cx, cy;
};

struct DialogCase {
    const char* label;
    WORD id;
    DWORD style;
    short cx, cy;
    const wchar_t* caption;
    WORD pointSize;
    std::vector<ControlCase> controls;
};

void PrintTo(const DialogCase& c, std::ostream* os)
{
    *os << c.label;
}

const DialogCase kDialogs[] = {
    {"AboutDlg", IDD_ABOUT_DLG, 0x80C800C0, 129, 64, L"バージョン情報", 11,
     {
         {kStaticClass, -1, true, IDR_MAINFRAME, L"", 0x50000003, 14, 14, 14, 13},
         {kStaticClass, -1, false, 0, L"VTQ、VTQP変換ツール", 0x50020080, 42, 14, 80, 8},
         {kStaticClass, -1, false, 0, L"Version 1.0.0.0", 0x50020002, 42, 26, 80, 8},
         {kButtonClass, IDOK, false, 0, L"OK", 0x50030001, 72, 43, 50, 14},
     }},
    {"ConverterForm", IDD_CONVERTER_FORM, 0x40000040, 300, 210, L"", 12, {}},
    {"WaitDlg", IDD_WAIT_DLG, 0x80080040, 145, 76, L"", 12, {}},
};

class DialogTemplate : public ::testing::TestWithParam<DialogCase> {};

TEST_P(DialogTemplate, IsTheExtendedTemplateDescribed)
{
    const DialogCase& want = GetParam();
    auto bytes = ResourceBytes(RT_DIALOG, MAKEINTRESOURCEW(want.id), kJapanese);
    ASSERT_FALSE(bytes.empty()) << "no Japanese dialog " << want.id;
    Cursor cur(bytes);

    EXPECT_EQ(cur.Word(), 1);       // version of the extended form
    EXPECT_EQ(cur.Word(), 0xFFFF);  // its signature
    EXPECT_EQ(cur.Dword(), 0u);     // help id
    EXPECT_EQ(cur.Dword(), 0u);     // extended style
    const DWORD style = cur.Dword();
    EXPECT_EQ(style, want.style);
    const WORD count = cur.Word();
    EXPECT_EQ(cur.Short(), 0);
    EXPECT_EQ(cur.Short(), 0);
    EXPECT_EQ(cur.Short(), want.cx);
    EXPECT_EQ(cur.Short(), want.cy);
    SzOrOrd menu = ReadSzOrOrd(cur);
    EXPECT_TRUE(!menu.isOrdinal && menu.text.empty()) << "no menu";
    SzOrOrd windowClass = ReadSzOrOrd(cur);
    EXPECT_TRUE(!windowClass.isOrdinal && windowClass.text.empty()) << "the standard dialog class";
    EXPECT_EQ(cur.WString(), want.caption);

    // Font block (present because of DS_SETFONT): size, weight, italic, character set, face.
    ASSERT_TRUE(style & DS_SETFONT);
    EXPECT_EQ(cur.Word(), want.pointSize);
    EXPECT_EQ(cur.Word(), FW_NORMAL);
    EXPECT_EQ(cur.Byte(), 0) << "not italic";
    EXPECT_EQ(cur.Byte(), SHIFTJIS_CHARSET);
    EXPECT_EQ(cur.WString(), L"Meiryo UI");

    ASSERT_EQ(count, want.controls.size());
    for (size_t i = 0; i < want.controls.size(); ++i) {
        SCOPED_TRACE("control " + std::to_string(i) + " in tab order");
        const ControlCase& c = want.controls[i];
        cur.AlignTo(4);
        EXPECT_EQ(cur.Dword(), 0u);  // help id
        EXPECT_EQ(cur.Dword(), 0u);  // extended style
        EXPECT_EQ(cur.Dword(), c.style);
        EXPECT_EQ(cur.Short(), c.x);
        EXPECT_EQ(cur.Short(), c.y);
        EXPECT_EQ(cur.Short(), c.cx);
        EXPECT_EQ(cur.Short(), c.cy);
        EXPECT_EQ(static_cast<int>(cur.Dword()), c.id);
        SzOrOrd cls = ReadSzOrOrd(cur);
        EXPECT_TRUE(cls.isOrdinal);
        EXPECT_EQ(cls.ordinal, c.classOrdinal);
        SzOrOrd text = ReadSzOrOrd(cur);
        EXPECT_EQ(text.isOrdinal, c.textIsOrdinal);
        EXPECT_EQ(text.ordinal, c.textOrdinal);
        EXPECT_EQ(text.text, c.text);
        const WORD extra = cur.Word();
        cur.Take(extra);
    }
    EXPECT_LT(cur.Remaining(), 4u) << "nothing after the last control but padding";
}

INSTANTIATE_TEST_SUITE_P(AllDialogs, DialogTemplate, ::testing::ValuesIn(kDialogs),
                         [](const auto& test) { return std::string(test.param.label); });

}  // namespace
