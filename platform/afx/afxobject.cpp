// Run-time class information of CObject and the base-class walk behind IsKindOf.
#include "afxobject.h"

CRuntimeClass* CObject::GetThisClass()
{
    static CRuntimeClass rc = {"CObject", static_cast<int>(sizeof(CObject)), nullptr, nullptr};
    return &rc;
}

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* pBaseClass) const
{
    for (const CRuntimeClass* p = this; p != nullptr; p = p->m_pfnGetBaseClass ? p->m_pfnGetBaseClass() : nullptr) {
        if (p == pBaseClass)
            return TRUE;
    }
    return FALSE;
}
