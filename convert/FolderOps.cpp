// Deleting a folder tree with retries: files and folders that are still open elsewhere (a virus
// scanner, the shell, a just-closed archive) usually become deletable within moments.
#include "ConvertVtqView.h"

namespace {

constexpr int kAttempts = 100;
constexpr DWORD kRetryPauseMs = 100;

template <class Action>
bool Retry(Action&& action)
{
    for (int nAttempt = 0; nAttempt < kAttempts; ++nAttempt) {
        if (action())
            return true;
        ::Sleep(kRetryPauseMs);
    }
    return false;
}

}  // namespace

BOOL CConvertVtqView::DeleteFolderAll(LPCWSTR lpszFolder, CString* pcsErrMsg)
{
    CString csFolder(lpszFolder);
    csFolder.TrimRight(L'\\');
    if (csFolder.IsEmpty()) {
        // An empty path (or one of backslashes only) would make the search below run over the
        // drive's root folder: refused before anything is touched.
        if (pcsErrMsg != nullptr)
            pcsErrMsg->Format(L"フォルダの削除に失敗しました。%s\n", lpszFolder ? lpszFolder : L"");
        return FALSE;
    }

    CString csPattern;
    csPattern.Format(L"%s\\*.*", csFolder.GetString());
    CFileFind finder;
    BOOL bWorking = finder.FindFile(csPattern);
    while (bWorking) {
        bWorking = finder.FindNextFile();
        if (finder.IsDots())
            continue;
        CString csItem;
        csItem.Format(L"%s\\%s", csFolder.GetString(), finder.GetFileName().GetString());
        if (finder.IsDirectory()) {
            // A failure below shows up as this folder's own failure to go.
            DeleteFolderAll(csItem, pcsErrMsg);
        } else if (!Retry([&] { return ::DeleteFileW(csItem) != FALSE; })) {
            if (pcsErrMsg != nullptr)
                pcsErrMsg->Format(L"ファイルの削除に失敗しました。%s\n", csItem.GetString());
            finder.Close();
            return FALSE;
        }
    }
    finder.Close();

    // The folder as it was passed in, trailing backslashes and all.
    if (Retry([&] { return ::RemoveDirectoryW(lpszFolder) != FALSE; }))
        return TRUE;
    if (pcsErrMsg != nullptr)
        pcsErrMsg->Format(L"フォルダの削除に失敗しました。%s\n", lpszFolder);
    return FALSE;
}
