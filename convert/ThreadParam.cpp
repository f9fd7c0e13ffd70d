// The job record's construction and reset.
#include "ThreadParam.h"

tagCVQ_THREAD_PARAM::tagCVQ_THREAD_PARAM() : hWnd(nullptr), pDoc(nullptr)
{
    Clear();
}

tagCVQ_THREAD_PARAM::~tagCVQ_THREAD_PARAM() = default;

void tagCVQ_THREAD_PARAM::Clear()
{
    hWnd = nullptr;
    csWorkPath.Empty();
    csOutputPath.Empty();
    csaFileList.RemoveAll();
    pDoc = nullptr;
}
