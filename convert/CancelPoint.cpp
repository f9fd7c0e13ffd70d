// The cancel request as the worker reads it.
#include "CancelPoint.h"

#include "ConvertVtqDoc.h"

std::atomic<CVQ_CANCEL_POINT_HOOK> g_pfnCancelPointHook{nullptr};

BOOL IsCancelRequested(tagCVQ_THREAD_PARAM* pParam, CancelPoint point)
{
    if (const CVQ_CANCEL_POINT_HOOK pfnHook = g_pfnCancelPointHook.load())
        pfnHook(pParam, point);
    return pParam->pDoc != nullptr && pParam->pDoc->m_bCancel.load() ? TRUE : FALSE;
}
