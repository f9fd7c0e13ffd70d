// What ConvertVtq.exe binds to commands: the four menus, the accelerator table and the two toolbars.
#include "resource_file.h"
#include "resource.h"

#include <gtest/gtest.h>

using namespace cvq_res_test;

namespace {

// ---------------------------------------------------------------------------------------------------
// Menus, read through LoadMenuW and GetMenuItemInfoW
// ---------------------------------------------------------------------------------------------------
struct MenuItem {
    std::wstring text;
    UINT id;                        // 0 for a popup
    std::vector<MenuItem> popup;    // the popup's items
    bool operator==(const MenuItem&) const = default;
};

void PrintTo(const MenuItem& item, std::ostream* os)
{
    *os << "{" << ::testing::PrintToString(item.text) << ", " << item.id;
    for (const auto& child : item.popup)
        *os << ", " << ::testing::PrintToString(child);
    *os << "}";
}

struct MenuCase {
    const char* label;
    LPCWSTR name;
    std::vector<MenuItem> items;
};

void PrintTo(const MenuCase& c, std::ostream* os)
{
    *os << c.label;
}

const MenuCase kMenus[] = {
    {"MainFrame", MAKEINTRESOURCEW(IDR_MAINFRAME),
     {{L"ファイル(&F)", 0, {{L"アプリケーションの終了(&X)", ID_APP_EXIT, {}}}}}},
    {"EditPopup", MAKEINTRESOURCEW(IDR_EDIT_POPUP),
     {{L"編集",
       0,
       {{L"切り取り(&T)\tCtrl+X", ID_EDIT_CUT, {}},
        {L"コピー(&C)\tCtrl+C", ID_EDIT_COPY, {}},
        {L"貼り付け(&P)\tCtrl+V", ID_EDIT_PASTE, {}}}}}},
    {"AppLook", MAKEINTRESOURCEW(IDR_APPLOOK_MENU),
     {{L"Office 2007 (ブルー スタイル)(&B)", ID_LOOK_OFFICE_2007_BLUE, {}},
      {L"Office 2007 (ブラック スタイル)(&L)", ID_LOOK_OFFICE_2007_BLACK, {}},
      {L"Office 2007 (シルバー スタイル)(&S)", ID_LOOK_OFFICE_2007_SILVER, {}},
      {L"Office 2007 (アクア スタイル)(&A)", ID_LOOK_OFFICE_2007_AQUA, {}},
      {L"Windows 7(&D)", ID_LOOK_WINDOWS_7, {}}}},
    {"HelpMenu", L"IDR_HELP_MENU", {{L"バージョン情報 ConvertVtq(&A)...", ID_APP_ABOUT, {}}}},
};

std::vector<MenuItem> ReadMenu(HMENU menu)
{
    std::vector<MenuItem> items;
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        wchar_t text[256] = {};
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING | MIIM_SUBMENU;
        info.dwTypeData = text;
        info.cch = 256;
        if (!GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info))
            throw std::runtime_error("menu item unreadable");
        MenuItem item{text, info.hSubMenu ? 0u : info.wID, {}};
        if (info.fType != MFT_STRING)
            item.text += L" (not a plain string item)";
        if (info.hSubMenu)
            item.popup = ReadMenu(info.hSubMenu);
        items.push_back(item);
    }
    return items;
}

class MenuResource : public ::testing::TestWithParam<MenuCase> {};

TEST_P(MenuResource, HasItsItemsInOrder)
{
    const MenuCase& want = GetParam();
    ASSERT_FALSE(ResourceBytes(RT_MENU, want.name, kJapanese).empty()) << "no Japanese menu";
    HMENU menu = LoadMenuW(Exe(), want.name);
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(ReadMenu(menu), want.items);
    DestroyMenu(menu);
}

INSTANTIATE_TEST_SUITE_P(AllMenus, MenuResource, ::testing::ValuesIn(kMenus),
                         [](const auto& test) { return std::string(test.param.label); });

// ---------------------------------------------------------------------------------------------------
// Accelerators, read through LoadAcceleratorsW and CopyAcceleratorTableW
// ---------------------------------------------------------------------------------------------------
struct Accel {
    BYTE fVirt;
    WORD key;
    WORD cmd;
    bool operator==(const Accel&) const = default;
};

void PrintTo(const Accel& a, std::ostream* os)
{
    *os << "{flags " << int(a.fVirt) << ", key " << a.key << ", command " << a.cmd << "}";
}

TEST(AcceleratorTable, BindsTheThirteenKeysInOrder)
{
    const std::vector<Accel> expected = {
        {FVIRTKEY | FCONTROL, 'N', ID_FILE_NEW},
        {FVIRTKEY | FCONTROL, 'O', ID_FILE_OPEN},
        {FVIRTKEY | FCONTROL, 'S', ID_FILE_SAVE},
        {FVIRTKEY | FCONTROL, 'Z', ID_EDIT_UNDO},
        {FVIRTKEY | FCONTROL, 'X', ID_EDIT_CUT},
        {FVIRTKEY | FCONTROL, 'C', ID_EDIT_COPY},
        {FVIRTKEY | FCONTROL, 'V', ID_EDIT_PASTE},
        {FVIRTKEY | FALT, VK_BACK, ID_EDIT_UNDO},
        {FVIRTKEY | FSHIFT, VK_DELETE, ID_EDIT_CUT},
        {FVIRTKEY | FCONTROL, VK_INSERT, ID_EDIT_COPY},
        {FVIRTKEY | FSHIFT, VK_INSERT, ID_EDIT_PASTE},
        {FVIRTKEY, VK_F6, ID_NEXT_PANE},
        {FVIRTKEY | FSHIFT, VK_F6, ID_PREV_PANE},
    };
    ASSERT_FALSE(ResourceBytes(RT_ACCELERATOR, MAKEINTRESOURCEW(IDR_MAINFRAME), kJapanese).empty());
    HACCEL table = LoadAcceleratorsW(Exe(), MAKEINTRESOURCEW(IDR_MAINFRAME));
    ASSERT_NE(table, nullptr);
    std::vector<ACCEL> raw(static_cast<size_t>(CopyAcceleratorTableW(table, nullptr, 0)));
    CopyAcceleratorTableW(table, raw.data(), static_cast<int>(raw.size()));
    DestroyAcceleratorTable(table);
    std::vector<Accel> actual;
    for (const ACCEL& a : raw)
        actual.push_back({a.fVirt, a.key, a.cmd});
    EXPECT_EQ(actual, expected);
}

// ---------------------------------------------------------------------------------------------------
// Toolbars: the framework's toolbar resource (version, button size, count, command ids with 0 for a
// separator) and the strip of button images named by the same id.
// ---------------------------------------------------------------------------------------------------
struct ToolbarCase {
    const char* label;
    WORD id;
    int stripBitsPerPixel;
};

void PrintTo(const ToolbarCase& c, std::ostream* os)
{
    *os << c.label;
}

const ToolbarCase kToolbars[] = {
    {"MainFrame", IDR_MAINFRAME, 4},
    {"HiColor", IDR_TOOLBAR_HICOLOR, 24},
};

class ToolbarResource : public ::testing::TestWithParam<ToolbarCase> {};

TEST_P(ToolbarResource, ListsTheTenEntriesOfSixteenByFifteenButtons)
{
    auto bytes = ResourceBytes(kRtToolbar, MAKEINTRESOURCEW(GetParam().id), kJapanese);
    ASSERT_FALSE(bytes.empty());
    Cursor cur(bytes);
    EXPECT_EQ(cur.Word(), 1);   // version
    EXPECT_EQ(cur.Word(), 16);  // button width
    EXPECT_EQ(cur.Word(), 15);  // button height
    const WORD count = cur.Word();
    std::vector<WORD> entries;
    for (WORD i = 0; i < count; ++i)
        entries.push_back(cur.Word());
    const std::vector<WORD> expected = {ID_FILE_NEW,   ID_FILE_OPEN, ID_FILE_SAVE,  0,
                                        ID_EDIT_CUT,   ID_EDIT_COPY, ID_EDIT_PASTE, 0,
                                        ID_FILE_PRINT, ID_APP_ABOUT};
    EXPECT_EQ(entries, expected);
    EXPECT_EQ(cur.Remaining(), 0u);
}

TEST_P(ToolbarResource, StripHasOneImagePerButtonOnTheSilverGround)
{
    auto dib = ResourceBytes(RT_BITMAP, MAKEINTRESOURCEW(GetParam().id), kJapanese);
    ASSERT_FALSE(dib.empty());
    Picture strip = DecodeDib(dib, false);
    EXPECT_EQ(strip.bitsPerPixel, GetParam().stripBitsPerPixel);
    ASSERT_EQ(strip.width, 8 * 16);
    ASSERT_EQ(strip.height, 15);
    for (int image = 0; image < 8; ++image) {
        SCOPED_TRACE("image " + std::to_string(image));
        int drawn = 0;
        for (int y = 0; y < 15; ++y)
            for (int x = 0; x < 16; ++x) {
                Rgba p = strip.At(image * 16 + x, y);
                drawn += !(p.r == 192 && p.g == 192 && p.b == 192);
            }
        Rgba corner = strip.At(image * 16, 14);
        EXPECT_TRUE(corner.r == 192 && corner.g == 192 && corner.b == 192) << "ground RGB(192,192,192)";
        EXPECT_GT(drawn, 16) << "a picture, not an empty cell";
    }
    // The framework loads the strip with LoadImage; it must accept it as it is.
    HANDLE bitmap = LoadImageW(Exe(), MAKEINTRESOURCEW(GetParam().id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
    ASSERT_NE(bitmap, nullptr);
    DIBSECTION ds{};
    ASSERT_EQ(GetObjectW(bitmap, sizeof(ds), &ds), static_cast<int>(sizeof(ds)));
    EXPECT_EQ(ds.dsBm.bmWidth, 128);
    EXPECT_EQ(ds.dsBm.bmHeight, 15);
    EXPECT_EQ(ds.dsBm.bmBitsPixel, GetParam().stripBitsPerPixel);
    DeleteObject(bitmap);
}

INSTANTIATE_TEST_SUITE_P(BothToolbars, ToolbarResource, ::testing::ValuesIn(kToolbars),
                         [](const auto& test) { return std::string(test.param.label); });

}  // namespace
