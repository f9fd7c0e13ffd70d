// What ConvertVtq.exe carries as a whole: the ids of resource.h, exactly the resources of the set in
// their languages, and imports from system DLLs only.
#include "resource_file.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <set>

using namespace cvq_res_test;

namespace {

// ---------------------------------------------------------------------------------------------------
// The ids other code relies on.
// ---------------------------------------------------------------------------------------------------
struct IdCase {
    const char* name;
    int value;
    int expected;
};

const IdCase kIds[] = {
    {"IDD_ABOUT_DLG", IDD_ABOUT_DLG, 100},
    {"IDS_OLE_INIT_FAILED", IDS_OLE_INIT_FAILED, 100},
    {"IDD_CONVERTER_FORM", IDD_CONVERTER_FORM, 101},
    {"IDD_WAIT_DLG", IDD_WAIT_DLG, 102},
    {"IDR_EDIT_POPUP", IDR_EDIT_POPUP, 119},
    {"IDS_PANE1", IDS_PANE1, 122},
    {"IDS_PANE2", IDS_PANE2, 123},
    {"IDS_TOOLBAR_STANDARD", IDS_TOOLBAR_STANDARD, 124},
    {"IDS_TOOLBAR_CUSTOMIZE", IDS_TOOLBAR_CUSTOMIZE, 125},
    {"ID_CUSTOMIZE_TOOLBARS", ID_CUSTOMIZE_TOOLBARS, 126},
    {"IDR_MAINFRAME", IDR_MAINFRAME, 128},
    {"IDR_TOOLBAR_HICOLOR", IDR_TOOLBAR_HICOLOR, 129},
    {"IDR_DOC_ICON", IDR_DOC_ICON, 130},
    {"IDR_APPLOOK_MENU", IDR_APPLOOK_MENU, 200},
    {"ID_LOOK_DEFAULT", ID_LOOK_DEFAULT, 205},
    {"ID_LOOK_OFFICE_XP", ID_LOOK_OFFICE_XP, 206},
    {"ID_LOOK_WINDOWS", ID_LOOK_WINDOWS, 207},
    {"ID_LOOK_OFFICE_2003", ID_LOOK_OFFICE_2003, 208},
    {"ID_LOOK_VS_2005", ID_LOOK_VS_2005, 209},
    {"ID_LOOK_VS_2008", ID_LOOK_VS_2008, 210},
    {"ID_LOOK_OFFICE_2007_BLUE", ID_LOOK_OFFICE_2007_BLUE, 215},
    {"ID_LOOK_OFFICE_2007_BLACK", ID_LOOK_OFFICE_2007_BLACK, 216},
    {"ID_LOOK_OFFICE_2007_SILVER", ID_LOOK_OFFICE_2007_SILVER, 217},
    {"ID_LOOK_OFFICE_2007_AQUA", ID_LOOK_OFFICE_2007_AQUA, 218},
    {"ID_LOOK_WINDOWS_7", ID_LOOK_WINDOWS_7, 219},
    {"IDS_EDIT_MENU", IDS_EDIT_MENU, 306},
    {"IDB_OUTPATH_NORMAL", IDB_OUTPATH_NORMAL, 500},
    {"IDB_OUTPATH_HOVER", IDB_OUTPATH_HOVER, 501},
    {"IDB_OUTPATH_PRESS", IDB_OUTPATH_PRESS, 502},
    {"IDB_OUTPATH_DISABLE", IDB_OUTPATH_DISABLE, 503},
    {"IDB_CONVERT_NORMAL", IDB_CONVERT_NORMAL, 504},
    {"IDB_CONVERT_HOVER", IDB_CONVERT_HOVER, 505},
    {"IDB_CONVERT_PRESS", IDB_CONVERT_PRESS, 506},
    {"IDB_CONVERT_DISABLE", IDB_CONVERT_DISABLE, 507},
    {"IDB_WAIT_IMAGE", IDB_WAIT_IMAGE, 508},
    // Framework ids keep the framework's values.
    {"IDC_STATIC", IDC_STATIC, -1},
    {"AFX_IDS_APP_TITLE", AFX_IDS_APP_TITLE, 57344},
    {"AFX_IDS_IDLEMESSAGE", AFX_IDS_IDLEMESSAGE, 57345},
    {"ID_FILE_NEW", ID_FILE_NEW, 57600},
    {"ID_FILE_OPEN", ID_FILE_OPEN, 57601},
    {"ID_FILE_CLOSE", ID_FILE_CLOSE, 57602},
    {"ID_FILE_SAVE", ID_FILE_SAVE, 57603},
    {"ID_FILE_SAVE_AS", ID_FILE_SAVE_AS, 57604},
    {"ID_FILE_PRINT", ID_FILE_PRINT, 57607},
    {"ID_FILE_MRU_FILE1", ID_FILE_MRU_FILE1, 57616},
    {"ID_FILE_MRU_FILE16", ID_FILE_MRU_FILE16, 57631},
    {"ID_EDIT_CLEAR", ID_EDIT_CLEAR, 57632},
    {"ID_EDIT_CLEAR_ALL", ID_EDIT_CLEAR_ALL, 57633},
    {"ID_EDIT_COPY", ID_EDIT_COPY, 57634},
    {"ID_EDIT_CUT", ID_EDIT_CUT, 57635},
    {"ID_EDIT_FIND", ID_EDIT_FIND, 57636},
    {"ID_EDIT_PASTE", ID_EDIT_PASTE, 57637},
    {"ID_EDIT_REPEAT", ID_EDIT_REPEAT, 57640},
    {"ID_EDIT_REPLACE", ID_EDIT_REPLACE, 57641},
    {"ID_EDIT_SELECT_ALL", ID_EDIT_SELECT_ALL, 57642},
    {"ID_EDIT_UNDO", ID_EDIT_UNDO, 57643},
    {"ID_EDIT_REDO", ID_EDIT_REDO, 57644},
    {"ID_WINDOW_SPLIT", ID_WINDOW_SPLIT, 57653},
    {"ID_APP_ABOUT", ID_APP_ABOUT, 57664},
    {"ID_APP_EXIT", ID_APP_EXIT, 57665},
    {"ID_NEXT_PANE", ID_NEXT_PANE, 57680},
    {"ID_PREV_PANE", ID_PREV_PANE, 57681},
    {"ID_INDICATOR_EXT", ID_INDICATOR_EXT, 59136},
    {"ID_INDICATOR_CAPS", ID_INDICATOR_CAPS, 59137},
    {"ID_INDICATOR_NUM", ID_INDICATOR_NUM, 59138},
    {"ID_INDICATOR_SCRL", ID_INDICATOR_SCRL, 59139},
    {"ID_INDICATOR_OVR", ID_INDICATOR_OVR, 59140},
    {"ID_INDICATOR_REC", ID_INDICATOR_REC, 59141},
    {"AFX_IDS_SCSIZE", AFX_IDS_SCSIZE, 61184},
    {"AFX_IDS_SCMOVE", AFX_IDS_SCMOVE, 61185},
    {"AFX_IDS_SCMINIMIZE", AFX_IDS_SCMINIMIZE, 61186},
    {"AFX_IDS_SCMAXIMIZE", AFX_IDS_SCMAXIMIZE, 61187},
    {"AFX_IDS_SCNEXTWINDOW", AFX_IDS_SCNEXTWINDOW, 61188},
    {"AFX_IDS_SCPREVWINDOW", AFX_IDS_SCPREVWINDOW, 61189},
    {"AFX_IDS_SCCLOSE", AFX_IDS_SCCLOSE, 61190},
    {"AFX_IDS_SCRESTORE", AFX_IDS_SCRESTORE, 61202},
    {"AFX_IDS_SCTASKLIST", AFX_IDS_SCTASKLIST, 61203},
};

TEST(ResourceIds, HaveTheirFixedValues)
{
    for (const IdCase& id : kIds)
        EXPECT_EQ(id.value, id.expected) << id.name;
}

TEST(ResourceIds, RecentFileCommandsAreSixteenConsecutiveIds)
{
    EXPECT_EQ(ID_FILE_MRU_FILE16 - ID_FILE_MRU_FILE1, 15);
    const int all[] = {ID_FILE_MRU_FILE1,  ID_FILE_MRU_FILE2,  ID_FILE_MRU_FILE3,  ID_FILE_MRU_FILE4,
                       ID_FILE_MRU_FILE5,  ID_FILE_MRU_FILE6,  ID_FILE_MRU_FILE7,  ID_FILE_MRU_FILE8,
                       ID_FILE_MRU_FILE9,  ID_FILE_MRU_FILE10, ID_FILE_MRU_FILE11, ID_FILE_MRU_FILE12,
                       ID_FILE_MRU_FILE13, ID_FILE_MRU_FILE14, ID_FILE_MRU_FILE15, ID_FILE_MRU_FILE16};
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(all[i], ID_FILE_MRU_FILE1 + i) << "ID_FILE_MRU_FILE" << i + 1;
}

// ---------------------------------------------------------------------------------------------------
// Every resource in the executable, with its languages.
// ---------------------------------------------------------------------------------------------------
std::wstring Key(LPCWSTR id)
{
    return IS_INTRESOURCE(id) ? std::to_wstring(reinterpret_cast<ULONG_PTR>(id)) : std::wstring(id);
}

using Inventory = std::map<std::wstring, std::map<std::wstring, std::set<WORD>>>;  // type, name, languages

BOOL CALLBACK AddLanguage(HMODULE, LPCWSTR type, LPCWSTR name, WORD lang, LONG_PTR inventory)
{
    (*reinterpret_cast<Inventory*>(inventory))[Key(type)][Key(name)].insert(lang);
    return TRUE;
}

BOOL CALLBACK AddName(HMODULE module, LPCWSTR type, LPWSTR name, LONG_PTR inventory)
{
    EnumResourceLanguagesW(module, type, name, AddLanguage, inventory);
    return TRUE;
}

BOOL CALLBACK AddType(HMODULE module, LPWSTR type, LONG_PTR inventory)
{
    EnumResourceNamesW(module, type, AddName, inventory);
    return TRUE;
}

Inventory ReadInventory()
{
    Inventory inventory;
    EnumResourceTypesW(Exe(), AddType, reinterpret_cast<LONG_PTR>(&inventory));
    return inventory;
}

std::set<std::wstring> Names(std::initializer_list<int> ids, std::initializer_list<const wchar_t*> names = {})
{
    std::set<std::wstring> all(names.begin(), names.end());
    for (int id : ids)
        all.insert(std::to_wstring(id));
    return all;
}

TEST(ResourceInventory, HoldsExactlyTheResourceSet)
{
    // String blocks n hold ids (n - 1) * 16 ... n * 16 - 1.
    std::set<std::wstring> stringBlocks;
    for (int id : {100, 122, 123, 124, 125, 128, 306, 57344, 57345, 57600, 57616, 57632, 57640, 57653, 57664, 57680,
                   59136, 61184, 61202})
        stringBlocks.insert(std::to_wstring(id / 16 + 1));

    const std::map<std::wstring, std::set<std::wstring>> expected = {
        {Key(RT_DIALOG), Names({100, 101, 102})},
        {Key(RT_MENU), Names({119, 128, 200}, {L"IDR_HELP_MENU"})},
        {Key(RT_STRING), stringBlocks},
        {Key(RT_ACCELERATOR), Names({128})},
        {Key(kRtToolbar), Names({128, 129})},
        {Key(RT_BITMAP), Names({128, 129, 500, 501, 502, 503})},
        {L"IMAGE", Names({504, 505, 506, 507, 508})},
        {Key(RT_GROUP_ICON), Names({128, 130})},
        {Key(RT_ICON), Names({1, 2, 3, 4, 5, 6, 7, 8, 9, 10})},
        {Key(RT_VERSION), Names({1})},
        {Key(RT_MANIFEST), Names({1})},
    };
    std::map<std::wstring, std::set<std::wstring>> actual;
    for (const auto& [type, names] : ReadInventory())
        for (const auto& [name, langs] : names)
            actual[type].insert(name);
    EXPECT_EQ(actual, expected);
}

TEST(ResourceInventory, EveryResourceIsJapaneseButTheManifestIsEnglish)
{
    for (const auto& [type, names] : ReadInventory())
        for (const auto& [name, langs] : names) {
            const WORD want = type == Key(RT_MANIFEST) ? kEnglishUs : kJapanese;
            EXPECT_EQ(langs, std::set<WORD>{want}) << ::testing::PrintToString(type) << " "
                                                   << ::testing::PrintToString(name);
        }
}

// ---------------------------------------------------------------------------------------------------
// Imports: the executable must run on a clean Windows, so every DLL it imports is a system DLL.
// ---------------------------------------------------------------------------------------------------
std::vector<std::string> ImportedDlls(const std::vector<char>& file)
{
    auto at = [&](size_t offset, size_t size) {
        if (offset + size > file.size())
            throw std::out_of_range("executable ends early");
        return file.data() + offset;
    };
    auto dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(at(0, sizeof(IMAGE_DOS_HEADER)));
    auto nt = reinterpret_cast<const IMAGE_NT_HEADERS64*>(at(static_cast<size_t>(dos->e_lfanew),
                                                             sizeof(IMAGE_NT_HEADERS64)));
    auto sections = reinterpret_cast<const IMAGE_SECTION_HEADER*>(
        at(static_cast<size_t>(dos->e_lfanew) + offsetof(IMAGE_NT_HEADERS64, OptionalHeader) +
               nt->FileHeader.SizeOfOptionalHeader,
           sizeof(IMAGE_SECTION_HEADER) * nt->FileHeader.NumberOfSections));
    auto fileOffset = [&](DWORD rva) -> size_t {
        for (WORD i = 0; i < nt->FileHeader.NumberOfSections; ++i) {
            const auto& s = sections[i];
            if (rva >= s.VirtualAddress && rva < s.VirtualAddress + s.SizeOfRawData)
                return rva - s.VirtualAddress + s.PointerToRawData;
        }
        throw std::out_of_range("address outside every section");
    };
    std::vector<std::string> dlls;
    DWORD rva = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
    for (size_t offset = fileOffset(rva);; offset += sizeof(IMAGE_IMPORT_DESCRIPTOR)) {
        auto desc = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(at(offset, sizeof(IMAGE_IMPORT_DESCRIPTOR)));
        if (desc->Name == 0)
            break;
        dlls.emplace_back(at(fileOffset(desc->Name), 1));
    }
    return dlls;
}

TEST(Imports, AreSystemDllsOnly)
{
    std::vector<char> file;
    if (FILE* in = _wfopen(ExePath().c_str(), L"rb")) {
        char buffer[65536];
        while (size_t n = fread(buffer, 1, sizeof(buffer), in))
            file.insert(file.end(), buffer, buffer + n);
        fclose(in);
    }
    ASSERT_FALSE(file.empty()) << "cannot read the executable";
    const auto dlls = ImportedDlls(file);
    ASSERT_FALSE(dlls.empty());
    wchar_t system[MAX_PATH] = {};
    GetSystemDirectoryW(system, MAX_PATH);
    for (const std::string& dll : dlls) {
        std::string lower = dll;
        for (auto& c : lower)
            c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
        EXPECT_EQ(lower.find("lib"), std::string::npos) << dll << ": a runtime DLL (libstdc++, libgcc, zlib, ...)";
        const std::wstring path = std::wstring(system) + L"\\" + std::wstring(dll.begin(), dll.end());
        EXPECT_NE(GetFileAttributesW(path.c_str()), INVALID_FILE_ATTRIBUTES) << dll << " is not in system32";
    }
}

}  // namespace
