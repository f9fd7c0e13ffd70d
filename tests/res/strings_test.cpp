// The string table of ConvertVtq.exe: every string loads with its exact text, and there are no others.
#include "resource_file.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

using namespace cvq_res_test;

namespace {

struct StringCase {
    UINT id;
    const wchar_t* text;
};

const StringCase kStrings[] = {
    {IDS_OLE_INIT_FAILED, L"OLE の初期化に失敗しました。OLE ライブラリのバージョンが正しいことを確認してください。"},
    {IDS_PANE1, L"ペイン 1"},
    {IDS_PANE2, L"ペイン 2"},
    {IDS_TOOLBAR_STANDARD, L"標準"},
    {IDS_TOOLBAR_CUSTOMIZE, L"カスタマイズ..."},
    // The document string: window title, document name, new-file name, filter name, filter extension,
    // registry file type id, registry file type name.
    {IDR_MAINFRAME, L"ConvertVtq\n\nConvertVtq\n\n\nConvertVtq.Document\nConvertVtq.Document"},
    {IDS_EDIT_MENU, L"編集"},
    {AFX_IDS_APP_TITLE, L"ConvertVtq"},
    {AFX_IDS_IDLEMESSAGE, L"レディ"},
    {ID_FILE_NEW, L"新規にファイルを作成\n新規ファイル"},
    {ID_FILE_OPEN, L"既存のファイルを開く\n開く"},
    {ID_FILE_CLOSE, L"作業中のファイルを閉じる\n閉じる"},
    {ID_FILE_SAVE, L"作業中のファイルを上書きして保存\n保存"},
    {ID_FILE_SAVE_AS, L"作業中のファイルを新しい名前で保存\n名前をつけて保存"},
    {ID_EDIT_CLEAR, L"選択範囲を消去\n消去"},
    {ID_EDIT_CLEAR_ALL, L"すべて消去\nすべて消去"},
    {ID_EDIT_COPY, L"選択範囲をコピーしてクリップボードに保存\nコピー"},
    {ID_EDIT_CUT, L"選択範囲を切り取ってクリップボードに保存\n切り取り"},
    {ID_EDIT_FIND, L"指定した文字列の検索\n検索"},
    {ID_EDIT_PASTE, L"クリップボードの内容を貼り付け\n貼り付け"},
    {ID_EDIT_REPEAT, L"直前に行った動作を繰り返す\n繰り返し"},
    {ID_EDIT_REPLACE, L"指定した文字列を他の文字列で置換\n置換"},
    {ID_EDIT_SELECT_ALL, L"ファイル内のすべてを選択\nすべて選択"},
    {ID_EDIT_UNDO, L"直前に行った動作を元に戻す\n元に戻す"},
    {ID_EDIT_REDO, L"取り消した操作をやり直す\nやり直す"},
    {ID_WINDOW_SPLIT, L"作業中のウィンドウを分割\n分割"},
    {ID_APP_ABOUT, L"プログラム情報、バージョン、著作権を表示します。\nバージョン情報"},
    {ID_APP_EXIT, L"アプリケーションを終了し、ファイルの保存を指示\n終了"},
    {ID_NEXT_PANE, L"次のウィンドウに切り替える\n次のペイン"},
    {ID_PREV_PANE, L"前のウィンドウに切り替える\n前のペイン"},
    {ID_INDICATOR_EXT, L"EXT"},
    {ID_INDICATOR_CAPS, L"CAP"},
    {ID_INDICATOR_NUM, L"NUM"},
    {ID_INDICATOR_SCRL, L"SCRL"},
    {ID_INDICATOR_OVR, L"OVR"},
    {ID_INDICATOR_REC, L"REC"},
    {AFX_IDS_SCSIZE, L"ウィンドウのサイズを変更"},
    {AFX_IDS_SCMOVE, L"ウィンドウの位置を変更"},
    {AFX_IDS_SCMINIMIZE, L"ウィンドウを最小化する"},
    {AFX_IDS_SCMAXIMIZE, L"ウィンドウを最大化する"},
    {AFX_IDS_SCNEXTWINDOW, L"次のウィンドウに切り替える"},
    {AFX_IDS_SCPREVWINDOW, L"前のウィンドウに切り替える"},
    {AFX_IDS_SCCLOSE, L"作業中のウィンドウを閉じ、変更したファイルの保存を指示"},
    {AFX_IDS_SCRESTORE, L"ウィンドウを通常のサイズに戻す"},
    {AFX_IDS_SCTASKLIST, L"タスク一覧をアクティブにする"},
};

// The whole table: the cases above and the sixteen recent-file strings, which are all the same.
std::map<UINT, std::wstring> AllStrings()
{
    std::map<UINT, std::wstring> all;
    for (const auto& s : kStrings)
        all.emplace(s.id, s.text);
    for (UINT id = ID_FILE_MRU_FILE1; id <= ID_FILE_MRU_FILE16; ++id)
        all.emplace(id, L"指定のファイルを開く");
    return all;
}

std::wstring LoadText(UINT id)
{
    const wchar_t* text = nullptr;
    // With a zero buffer size LoadStringW hands out the resource's own read-only text.
    int length = LoadStringW(Exe(), id, reinterpret_cast<LPWSTR>(&text), 0);
    return length > 0 ? std::wstring(text, static_cast<size_t>(length)) : std::wstring();
}

class StringTable : public ::testing::TestWithParam<std::pair<const UINT, std::wstring>> {};

TEST_P(StringTable, LoadsWithItsExactText)
{
    const auto& [id, text] = GetParam();
    EXPECT_EQ(LoadText(id), text) << "string " << id;
}

INSTANTIATE_TEST_SUITE_P(AllIds, StringTable, ::testing::ValuesIn(AllStrings()),
                         [](const auto& test) { return "Id" + std::to_string(test.param.first); });

TEST(StringTableContents, HoldsTheTableStringsAndNoOthers)
{
    // Walk every string block: sixteen counted strings each, block n holding ids (n - 1) * 16 ...
    std::set<UINT> present;
    EnumResourceNamesW(
        Exe(), RT_STRING,
        [](HMODULE, LPCWSTR, LPWSTR name, LONG_PTR param) -> BOOL {
            const UINT block = static_cast<UINT>(reinterpret_cast<ULONG_PTR>(name));
            Cursor cur(ResourceBytes(RT_STRING, name, kJapanese));
            for (UINT i = 0; i < 16; ++i) {
                const WORD length = cur.Word();
                cur.Take(length * 2u);
                if (length)
                    reinterpret_cast<std::set<UINT>*>(param)->insert((block - 1) * 16 + i);
            }
            return TRUE;
        },
        reinterpret_cast<LONG_PTR>(&present));

    std::set<UINT> expected;
    for (const auto& [id, text] : AllStrings())
        expected.insert(id);
    EXPECT_EQ(present, expected);
}

TEST(StringTableContents, DocumentStringSplitsIntoItsSevenFields)
{
    std::vector<std::wstring> fields;
    std::wstring doc = LoadText(IDR_MAINFRAME);
    for (size_t start = 0;;) {
        size_t end = doc.find(L'\n', start);
        fields.push_back(doc.substr(start, end - start));
        if (end == std::wstring::npos)
            break;
        start = end + 1;
    }
    const std::vector<std::wstring> expected = {L"ConvertVtq", L"", L"ConvertVtq", L"", L"",
                                                L"ConvertVtq.Document", L"ConvertVtq.Document"};
    EXPECT_EQ(fields, expected);
}

}  // namespace
