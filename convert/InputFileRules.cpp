// The rules that decide which files a conversion takes.
#include "InputFileRules.h"

bool IsVtqFileName(LPCWSTR lpszPath)
{
    const CString csPath(lpszPath);
    const int nDot = csPath.ReverseFind(L'.');
    if (nDot <= 0)
        return false;
    const CString csExt = csPath.Mid(nDot + 1);
    return csExt.CompareNoCase(L"vtq") == 0 || csExt.CompareNoCase(L"vtqp") == 0;
}

EInputVerdict JudgeInputFile(LPCWSTR lpszPath, const CStringArray& csaListed)
{
    if (!IsVtqFileName(lpszPath))
        return EInputVerdict::NotVtqFile;
    for (INT_PTR i = 0; i < csaListed.GetCount(); ++i) {
        if (csaListed[i].CompareNoCase(lpszPath) == 0)
            return EInputVerdict::Duplicate;
    }
    return EInputVerdict::Accept;
}
