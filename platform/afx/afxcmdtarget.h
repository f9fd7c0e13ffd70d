// CCmdTarget: an object with a message map. Windows, documents and (later) the application and
// threads route commands through OnCmdMsg.
#pragma once

#include "afxmsgmap.h"
#include "afxobject.h"

class CCmdTarget : public CObject {
    DECLARE_DYNAMIC(CCmdTarget)
public:
    CCmdTarget() = default;

    // Handles command nID with notification code nCode through this object's map (pExtra reaches the
    // handler as lParam). Frames, views and documents override it to pass commands on.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, void* pHandlerInfo);

protected:
    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const { return GetThisMessageMap(); }

    // Searches this object's map, then its base maps, for an entry that takes the message, and runs
    // it. Returns FALSE when no entry took it.
    BOOL DispatchMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
};
