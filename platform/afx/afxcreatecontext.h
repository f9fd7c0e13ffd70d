// CCreateContext: what the document template hands to the windows it creates, so that a new view
// joins its document from the moment its window exists.
#pragma once

#include "afxobject.h"

class CDocument;
class CView;

struct CCreateContext {
    CRuntimeClass* m_pNewViewClass = nullptr;  // the view class to create
    CDocument* m_pCurrentDoc = nullptr;        // the document the new view shows
    CView* m_pLastView = nullptr;              // the view created before, if any
};
