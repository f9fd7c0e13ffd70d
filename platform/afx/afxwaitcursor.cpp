// The wait cursor's per-thread counter and the cursor it restores.
#include "afxwaitcursor.h"

namespace {

thread_local int t_nWaitCount = 0;
thread_local HCURSOR t_hcurRestore = nullptr;

HCURSOR WaitCursor()
{
    return ::LoadCursorW(nullptr, IDC_WAIT);
}

}  // namespace

void AfxDoWaitCursor(int nCode)
{
    if (nCode > 0) {
        if (t_nWaitCount++ == 0)
            t_hcurRestore = ::SetCursor(WaitCursor());
    } else if (nCode < 0) {
        if (t_nWaitCount > 0 && --t_nWaitCount == 0)
            ::SetCursor(t_hcurRestore);
    } else if (t_nWaitCount > 0) {
        ::SetCursor(WaitCursor());
    }
}

int AfxGetWaitCursorCount()
{
    return t_nWaitCount;
}
