// The message-map search shared by windows and documents.
#include "afxcmdtarget.h"

#include <windows.h>

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, 0, nullptr}};
    static const AFX_MSGMAP messageMap = {nullptr, entries};
    return &messageMap;
}

namespace {

// Commands and notifications also match on their code and on the id of the control or command;
// reflected ones only on the code, since the control receiving them is the one they concern.
bool CodeAndIdMatch(const AFX_MSGMAP_ENTRY& e, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        return e.nCode == HIWORD(wParam) && e.nID <= LOWORD(wParam) && LOWORD(wParam) <= e.nLastID;
    case WM_NOTIFY: {
        const auto* nmhdr = reinterpret_cast<const NMHDR*>(lParam);
        return e.nCode == nmhdr->code && e.nID <= nmhdr->idFrom && nmhdr->idFrom <= e.nLastID;
    }
    case WM_REFLECT_BASE + WM_COMMAND:
        return e.nCode == HIWORD(wParam);
    case WM_REFLECT_BASE + WM_NOTIFY:
        return e.nCode == reinterpret_cast<const NMHDR*>(lParam)->code;
    default:
        return true;
    }
}

}  // namespace

BOOL CCmdTarget::DispatchMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    for (const AFX_MSGMAP* map = GetMessageMap(); map != nullptr;
         map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e->pfn != nullptr; ++e) {
            if (message < e->nMessage || message > e->nLastMessage || !CodeAndIdMatch(*e, message, wParam, lParam))
                continue;
            LRESULT lResult = 0;
            if (e->pfn(this, message, wParam, lParam, lResult)) {
                if (pResult)
                    *pResult = lResult;
                return TRUE;
            }
        }
    }
    return FALSE;
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, void*)
{
    return DispatchMsg(WM_COMMAND, MAKEWPARAM(nID, nCode), reinterpret_cast<LPARAM>(pExtra), nullptr);
}
