// CObject and run-time class information: what lets the document template name the classes it
// creates (RUNTIME_CLASS) and create them later (CreateObject), and IsKindOf checks.
#pragma once

#include "afxtypes.h"

class CObject;
class CArchive;

// One per class that declares DECLARE_DYNAMIC or DECLARE_DYNCREATE. Built on first use inside a
// function, so no static initialisation order matters.
struct CRuntimeClass {
    LPCSTR m_lpszClassName;
    int m_nObjectSize;
    CObject* (*m_pfnCreateObject)();          // null: the class cannot be created dynamically
    CRuntimeClass* (*m_pfnGetBaseClass)();    // null only for CObject

    CObject* CreateObject() const { return m_pfnCreateObject ? m_pfnCreateObject() : nullptr; }
    BOOL IsDerivedFrom(const CRuntimeClass* pBaseClass) const;
};

class CObject {
public:
    virtual ~CObject() = default;
    CObject(const CObject&) = delete;
    CObject& operator=(const CObject&) = delete;

    static CRuntimeClass* GetThisClass();
    virtual CRuntimeClass* GetRuntimeClass() const { return GetThisClass(); }
    BOOL IsKindOf(const CRuntimeClass* pClass) const { return GetRuntimeClass()->IsDerivedFrom(pClass); }
    virtual void Serialize(CArchive&) {}

protected:
    CObject() = default;
};

#define RUNTIME_CLASS(class_name) (class_name::GetThisClass())

#define DECLARE_DYNAMIC(class_name) \
public: \
    static CRuntimeClass* GetThisClass(); \
    CRuntimeClass* GetRuntimeClass() const override;

// The created object's constructor may be protected: CreateObject is a member.
#define DECLARE_DYNCREATE(class_name) \
    DECLARE_DYNAMIC(class_name) \
    static CObject* CreateObject();

#define AFX_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, pfnNew) \
    CRuntimeClass* class_name::GetThisClass() \
    { \
        static CRuntimeClass rc = {#class_name, static_cast<int>(sizeof(class_name)), pfnNew, \
                                   &base_class_name::GetThisClass}; \
        return &rc; \
    } \
    CRuntimeClass* class_name::GetRuntimeClass() const { return GetThisClass(); }

#define IMPLEMENT_DYNAMIC(class_name, base_class_name) \
    AFX_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, nullptr)

#define IMPLEMENT_DYNCREATE(class_name, base_class_name) \
    CObject* class_name::CreateObject() { return new class_name; } \
    AFX_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, &class_name::CreateObject)
