// Parsing of ConvertVtqCli's command line.
#include "CliOptions.h"

#include <cwchar>

namespace {

bool IsOption(const wchar_t* psz) { return psz[0] == L'-' && psz[1] != L'\0'; }

}  // namespace

bool ParseCliOptions(int argc, const wchar_t* const* argv, CCliOptions* pOptions, CString* pcsErrMsg)
{
    bool bOptionsEnded = false;
    for (int i = 0; i < argc; ++i) {
        const wchar_t* arg = argv[i];
        if (bOptionsEnded || !IsOption(arg)) {
            pOptions->csaFiles.Add(arg);
        } else if (std::wcscmp(arg, L"--") == 0) {
            bOptionsEnded = true;
        } else if (std::wcscmp(arg, L"-h") == 0 || std::wcscmp(arg, L"--help") == 0) {
            pOptions->bHelp = true;
        } else if (std::wcscmp(arg, L"-o") == 0 || std::wcscmp(arg, L"-w") == 0) {
            if (i + 1 >= argc || argv[i + 1][0] == L'\0') {
                pcsErrMsg->Format(L"オプション %s にはフォルダを指定してください。", arg);
                return false;
            }
            (arg[1] == L'o' ? pOptions->csOutputPath : pOptions->csWorkPath) = argv[++i];
        } else {
            pcsErrMsg->Format(L"不明なオプションです。%s", arg);
            return false;
        }
    }
    if (!pOptions->bHelp && pOptions->csaFiles.IsEmpty()) {
        *pcsErrMsg = L"変換するVTQまたはVTQPファイルを指定してください。";
        return false;
    }
    return true;
}

CString CliUsageText()
{
    return L"使い方: ConvertVtqCli [-o 出力先フォルダ] [-w 作業フォルダ] ファイル...\n"
           L"\n"
           L"Shift_JIS のエントリー名を持つ VTQ、VTQP ファイルを、UTF-8 のエントリー名で出力先フォルダに書き出します。\n"
           L"入力ファイルは変更しません。出力先に同名のファイルがあるときは上書きせずに飛ばします。\n"
           L"\n"
           L"  -o 出力先フォルダ  変換したファイルを書き出すフォルダ（既定: 実行ファイルと同じ場所の Output）\n"
           L"  -w 作業フォルダ    展開に使うフォルダ（既定: 実行ファイルと同じ場所の ConvWork）\n"
           L"  -h, --help         この説明を表示します\n"
           L"  --                 以降の引数をすべてファイルとして扱います\n"
           L"\n"
           L"終了コード: 0 すべて変換済みまたは変換不要、1 失敗または飛ばしたファイルあり、2 使い方の誤り、130 キャンセル\n";
}
