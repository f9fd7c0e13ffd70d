// Module paths of any length.
#include "afxmodule.h"

CString AfxGetModuleFileName(HMODULE hModule, DWORD nFirstTry)
{
    // The longest path Windows handles is 32767 characters; beyond that the call cannot succeed.
    constexpr DWORD kMaxPath = 32768;
    for (DWORD nSize = nFirstTry > 0 ? nFirstTry : 1;; nSize = nSize < kMaxPath / 2 ? nSize * 2 : kMaxPath) {
        CString path;
        const DWORD n = ::GetModuleFileNameW(hModule, path.GetBuffer(static_cast<int>(nSize)), nSize);
        // A cut path fills the whole buffer (n == nSize); anything shorter is complete.
        if (n < nSize) {
            path.ReleaseBuffer(static_cast<int>(n));
            return path;
        }
        path.ReleaseBuffer(0);
        if (nSize >= kMaxPath)
            return CString();
    }
}
