// Message maps: a static table of typed entries per class, chained to the base class's table.
// Each entry's thunk is a captureless lambda written inside the class's own map function, so it
// casts to that class and calls the handler with its typed parameters; the compiler checks every
// handler's signature. Adding a message means one macro here and, if the base should have a
// default, one handler in CWnd.
#pragma once

#include "afxtypes.h"

class CCmdTarget;

// Called with the message as the window received it (for WM_COMMAND: the command id in the low word
// of wParam, the notification code in the high word, the command's extra data in lParam). Returns
// false when the handler declined (a reflected colour handler that returned no brush), so that the
// search goes on.
using AFX_PMSG = bool (*)(CCmdTarget* pTarget, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& lResult);

struct AFX_MSGMAP_ENTRY {
    UINT nMessage;      // first message of the entry (0 ends the table)
    UINT nLastMessage;  // last message (the same for single messages)
    UINT nCode;         // WM_COMMAND / WM_NOTIFY entries: the notification code
    UINT nID;           // WM_COMMAND / WM_NOTIFY entries: first command or control id
    UINT nLastID;
    AFX_PMSG pfn;
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (*pfnGetBaseMap)();  // null ends the chain (CCmdTarget)
    const AFX_MSGMAP_ENTRY* lpEntries;
};

// Messages a parent hands back to the child control they concern arrive at the child as
// WM_REFLECT_BASE + message. Never sent to a window: the parent calls the child's dispatch directly.
constexpr UINT WM_REFLECT_BASE = 0xBC00;
// Notification code of commands from menus and accelerators.
constexpr UINT CN_COMMAND = 0;

#define afx_msg

#define DECLARE_MESSAGE_MAP() \
protected: \
    static const AFX_MSGMAP* GetThisMessageMap(); \
    const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass) \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
    const AFX_MSGMAP* theClass::GetThisMessageMap() \
    { \
        using ThisClass [[maybe_unused]] = theClass; \
        using TheBaseClass = baseClass; \
        static const AFX_MSGMAP_ENTRY entries[] = {

#define END_MESSAGE_MAP() \
            {0, 0, 0, 0, 0, nullptr}}; \
        static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, entries}; \
        return &messageMap; \
    }

// The thunk of one entry; `pThis` is the object as the mapping class, the message's parts are
// `message`, `wParam`, `lParam`, and `lResult` receives the window procedure's result.
#define AFX_THUNK(...) \
    +[]([[maybe_unused]] CCmdTarget* pTarget, [[maybe_unused]] UINT message, [[maybe_unused]] WPARAM wParam, \
        [[maybe_unused]] LPARAM lParam, [[maybe_unused]] LRESULT& lResult) -> bool { \
        [[maybe_unused]] ThisClass* pThis = static_cast<ThisClass*>(pTarget); \
        __VA_ARGS__ \
    }
#define AFX_MSG_ENTRY(msg, ...) {msg, msg, 0, 0, 0, AFX_THUNK(__VA_ARGS__)},

// Window messages. Handlers have the parameters the message carries, already unpacked.
#define ON_MESSAGE(message_, memberFxn) \
    AFX_MSG_ENTRY(message_, lResult = pThis->memberFxn(wParam, lParam); return true;)
#define ON_WM_CREATE() \
    AFX_MSG_ENTRY(WM_CREATE, lResult = pThis->OnCreate(reinterpret_cast<LPCREATESTRUCT>(lParam)); return true;)
#define ON_WM_DESTROY() AFX_MSG_ENTRY(WM_DESTROY, pThis->OnDestroy(); lResult = 0; return true;)
#define ON_WM_CLOSE() AFX_MSG_ENTRY(WM_CLOSE, pThis->OnClose(); lResult = 0; return true;)
#define ON_WM_PAINT() AFX_MSG_ENTRY(WM_PAINT, pThis->OnPaint(); lResult = 0; return true;)
#define ON_WM_SIZE() \
    AFX_MSG_ENTRY(WM_SIZE, \
                  pThis->OnSize(static_cast<UINT>(wParam), static_cast<short>(LOWORD(lParam)), \
                                static_cast<short>(HIWORD(lParam))); \
                  lResult = 0; return true;)
#define ON_WM_TIMER() \
    AFX_MSG_ENTRY(WM_TIMER, pThis->OnTimer(static_cast<UINT_PTR>(wParam)); lResult = 0; return true;)
#define ON_WM_ERASEBKGND() \
    AFX_MSG_ENTRY(WM_ERASEBKGND, \
                  CDC::Borrowed dc(reinterpret_cast<HDC>(wParam)); \
                  lResult = pThis->OnEraseBkgnd(&dc); return true;)
// All seven WM_CTLCOLOR* messages; nCtlColor is CTLCOLOR_MSGBOX .. CTLCOLOR_STATIC.
#define ON_WM_CTLCOLOR() \
    {WM_CTLCOLORMSGBOX, WM_CTLCOLORSTATIC, 0, 0, 0, AFX_THUNK( \
        CDC::Borrowed dc(reinterpret_cast<HDC>(wParam)); \
        lResult = reinterpret_cast<LRESULT>(pThis->OnCtlColor( \
            &dc, CWnd::FromHandle(reinterpret_cast<HWND>(lParam)), message - WM_CTLCOLORMSGBOX)); \
        return true;)},
#define ON_WM_DRAWITEM() \
    AFX_MSG_ENTRY(WM_DRAWITEM, \
                  pThis->OnDrawItem(static_cast<int>(wParam), reinterpret_cast<LPDRAWITEMSTRUCT>(lParam)); \
                  lResult = TRUE; return true;)
#define ON_WM_MEASUREITEM() \
    AFX_MSG_ENTRY(WM_MEASUREITEM, \
                  pThis->OnMeasureItem(static_cast<int>(wParam), reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam)); \
                  lResult = TRUE; return true;)

// Commands and control notifications, matched by code and id.
#define AFX_CMD_ENTRY(msg, code, id, lastId, ...) \
    {msg, msg, static_cast<UINT>(code), static_cast<UINT>(id), static_cast<UINT>(lastId), AFX_THUNK(__VA_ARGS__)},
#define ON_COMMAND(id, memberFxn) AFX_CMD_ENTRY(WM_COMMAND, CN_COMMAND, id, id, pThis->memberFxn(); return true;)
#define ON_COMMAND_RANGE(id, idLast, memberFxn) \
    AFX_CMD_ENTRY(WM_COMMAND, CN_COMMAND, id, idLast, pThis->memberFxn(static_cast<UINT>(LOWORD(wParam))); return true;)
#define ON_CONTROL(code, id, memberFxn) AFX_CMD_ENTRY(WM_COMMAND, code, id, id, pThis->memberFxn(); return true;)
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_LBN_SELCHANGE(id, memberFxn) ON_CONTROL(LBN_SELCHANGE, id, memberFxn)
#define ON_NOTIFY(code, id, memberFxn) \
    AFX_CMD_ENTRY(WM_NOTIFY, code, id, id, pThis->memberFxn(reinterpret_cast<NMHDR*>(lParam), &lResult); return true;)

// Reflected messages, handled by the control they concern (see CWnd::OnChildNotify).
#define ON_CONTROL_REFLECT(code, memberFxn) \
    AFX_CMD_ENTRY(WM_REFLECT_BASE + WM_COMMAND, code, 0, 0, pThis->memberFxn(); return true;)
#define ON_NOTIFY_REFLECT(code, memberFxn) \
    AFX_CMD_ENTRY(WM_REFLECT_BASE + WM_NOTIFY, code, 0, 0, \
                  pThis->memberFxn(reinterpret_cast<NMHDR*>(lParam), &lResult); return true;)
// A control answering its parent's colour question: returning no brush lets the parent answer.
#define ON_WM_CTLCOLOR_REFLECT() \
    {WM_REFLECT_BASE + WM_CTLCOLORMSGBOX, WM_REFLECT_BASE + WM_CTLCOLORSTATIC, 0, 0, 0, AFX_THUNK( \
        CDC::Borrowed dc(reinterpret_cast<HDC>(wParam)); \
        HBRUSH hbr = pThis->CtlColor(&dc, message - WM_REFLECT_BASE - WM_CTLCOLORMSGBOX); \
        lResult = reinterpret_cast<LRESULT>(hbr); \
        return hbr != nullptr;)},
#define ON_WM_DRAWITEM_REFLECT() \
    AFX_MSG_ENTRY(WM_REFLECT_BASE + WM_DRAWITEM, \
                  pThis->DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam)); lResult = TRUE; return true;)
#define ON_WM_MEASUREITEM_REFLECT() \
    AFX_MSG_ENTRY(WM_REFLECT_BASE + WM_MEASUREITEM, \
                  pThis->MeasureItem(reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam)); lResult = TRUE; return true;)
