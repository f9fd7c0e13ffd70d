// ConvertVtqCli.exe: converts the project files named on the command line with the desktop program's
// worker, printing its lines; Ctrl+C cancels at the worker's next cancel point.
#include "CliJob.h"
#include "CliOptions.h"
#include "ConsoleWriter.h"
#include "ConvertVtqDoc.h"
#include "InputFileRules.h"

#include <shlwapi.h>

#include <atomic>

namespace {

std::atomic<CCliJob*> g_pJob{nullptr};

// Ctrl+C and Ctrl+Break request the cancel and keep the process alive, however often they come:
// the worker stops at a cancel point, never in the middle of writing.
BOOL WINAPI OnConsoleCtrl(DWORD dwCtrlType)
{
    if (dwCtrlType != CTRL_C_EVENT && dwCtrlType != CTRL_BREAK_EVENT)
        return FALSE;
    if (CCliJob* pJob = g_pJob.load())
        pJob->RequestCancel();
    return TRUE;
}

CString FullPath(LPCWSTR lpszPath)
{
    const DWORD dwNeeded = GetFullPathNameW(lpszPath, 0, nullptr, nullptr);
    if (dwNeeded == 0)
        return lpszPath;
    CString csFull;
    const DWORD dwLength = GetFullPathNameW(lpszPath, dwNeeded, csFull.GetBuffer(static_cast<int>(dwNeeded)), nullptr);
    csFull.ReleaseBuffer(dwLength < dwNeeded ? static_cast<int>(dwLength) : 0);
    // Folders are written without a trailing backslash, except a drive's root.
    while (csFull.GetLength() > 3 && csFull.Right(1) == L"\\")
        csFull = csFull.Left(csFull.GetLength() - 1);
    return csFull;
}

void CreateFolderIfMissing(const CString& csPath)
{
    if (!PathFileExistsW(csPath))
        CreateDirectoryW(csPath, nullptr);
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    const CConsoleWriter out(STD_OUTPUT_HANDLE);
    const CConsoleWriter err(STD_ERROR_HANDLE);

    CCliOptions options;
    CString csError;
    if (!ParseCliOptions(argc - 1, argv + 1, &options, &csError)) {
        err.WriteLine(csError);
        err.Write(CliUsageText());
        return 2;
    }
    if (options.bHelp) {
        out.Write(CliUsageText());
        return 0;
    }

    // The document comes into being as the desktop program's template makes it.
    CObject* pObject = RUNTIME_CLASS(CConvertVtqDoc)->CreateObject();
    auto* pDoc = static_cast<CConvertVtqDoc*>(pObject);
    const CString csExeFolder = pDoc->GetExeFolder();
    CString csOutputPath = options.csOutputPath.IsEmpty() ? csExeFolder + L"\\Output" : options.csOutputPath;
    CString csWorkPath = options.csWorkPath.IsEmpty() ? csExeFolder + L"\\ConvWork" : options.csWorkPath;
    csOutputPath = FullPath(csOutputPath);
    pDoc->m_csWorkPath = FullPath(csWorkPath);

    bool bAnySkipped = false;
    CStringArray csaFiles;
    for (INT_PTR i = 0; i < options.csaFiles.GetCount(); ++i) {
        const CString csPath = FullPath(options.csaFiles[i]);
        CString csReason;
        switch (JudgeInputFile(csPath, csaFiles)) {
        case EInputVerdict::Accept:
            csaFiles.Add(csPath);
            continue;
        case EInputVerdict::NotVtqFile:
            csReason.Format(L"拡張子がVTQまたはVTQPではないため、変換しません。%s", csPath.GetString());
            break;
        case EInputVerdict::Duplicate:
            csReason.Format(L"同じファイルが既に指定されているため、変換しません。%s", csPath.GetString());
            break;
        }
        err.WriteLine(csReason);
        bAnySkipped = true;
    }

    int nStatus = 1;
    if (!csaFiles.IsEmpty()) {
        CreateFolderIfMissing(csOutputPath);
        CreateFolderIfMissing(pDoc->m_csWorkPath);

        CCliJob job(pDoc, out);
        g_pJob = &job;
        SetConsoleCtrlHandler(OnConsoleCtrl, TRUE);
        nStatus = job.Run(csOutputPath, csaFiles);
        SetConsoleCtrlHandler(OnConsoleCtrl, FALSE);
        g_pJob = nullptr;
    }
    delete pDoc;
    if (nStatus == 0 && bAnySkipped)
        nStatus = 1;
    return nStatus;
}
