// Device context ownership, temporary wrappers and the fills handlers use.
#include "afxdc.h"

#include "afxwnd.h"

#include <memory>
#include <unordered_map>

IMPLEMENT_DYNAMIC(CDC, CObject)

namespace {

// Temporary wrappers of this thread, one per DC, alive until the next DeleteTempMap.
thread_local std::unordered_map<HDC, std::unique_ptr<CDC::Borrowed>> t_tempDCs;

}  // namespace

CDC::~CDC()
{
    DeleteDC();
}

CDC* CDC::FromHandle(HDC hDC)
{
    if (hDC == nullptr)
        return nullptr;
    auto& slot = t_tempDCs[hDC];
    if (!slot)
        slot = std::make_unique<Borrowed>(hDC);
    return slot.get();
}

void CDC::DeleteTempMap()
{
    t_tempDCs.clear();
}

BOOL CDC::Attach(HDC hDC)
{
    if (hDC == nullptr || m_hDC != nullptr)
        return FALSE;
    m_hDC = hDC;
    return TRUE;
}

HDC CDC::Detach()
{
    HDC hDC = m_hDC;
    m_hDC = nullptr;
    return hDC;
}

BOOL CDC::DeleteDC()
{
    if (m_hDC == nullptr)
        return FALSE;
    return ::DeleteDC(Detach());
}

void CDC::FillSolidRect(LPCRECT lpRect, COLORREF clr)
{
    // An opaque ExtTextOut of no text fills with the background colour without needing a brush.
    const COLORREF old = ::SetBkColor(m_hDC, clr);
    ::ExtTextOutW(m_hDC, 0, 0, ETO_OPAQUE, lpRect, nullptr, 0, nullptr);
    ::SetBkColor(m_hDC, old);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF clr)
{
    const RECT rc = {x, y, x + cx, y + cy};
    FillSolidRect(&rc, clr);
}

CPaintDC::CPaintDC(CWnd* pWnd) : m_hWnd(pWnd->GetSafeHwnd())
{
    m_hDC = ::BeginPaint(m_hWnd, &m_ps);
}

CPaintDC::~CPaintDC()
{
    ::EndPaint(m_hWnd, &m_ps);
    m_hDC = nullptr;
}

CClientDC::CClientDC(CWnd* pWnd) : m_hWnd(pWnd ? pWnd->GetSafeHwnd() : nullptr)
{
    m_hDC = ::GetDC(m_hWnd);
}

CClientDC::~CClientDC()
{
    ::ReleaseDC(m_hWnd, m_hDC);
    m_hDC = nullptr;
}
