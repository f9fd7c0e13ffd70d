// The job record handed to the conversion worker, and the two messages the worker sends to the
// converter view.
#pragma once

#include "afxwin.h"

class CConvertVtqDoc;

// wParam 0; lParam: a CString allocated with new, holding one log line. The receiver frees it.
constexpr UINT WM_RECV_LOG_MSG = WM_USER + 100;
// wParam 0, lParam 0: the job has ended.
constexpr UINT WM_RECV_THREAD_END = WM_USER + 110;

// Filled by the view while no job runs, read by the worker while one does. It owns its strings and
// its list, not the window or the document.
struct tagCVQ_THREAD_PARAM {
    HWND hWnd;                // the converter view; receives both messages
    CString csWorkPath;       // work folder root (ConvWork)
    CString csOutputPath;     // output folder
    CStringArray csaFileList;  // full paths of the inputs, in list order
    CConvertVtqDoc* pDoc;     // holds the cancel request

    tagCVQ_THREAD_PARAM();
    ~tagCVQ_THREAD_PARAM();
    tagCVQ_THREAD_PARAM(const tagCVQ_THREAD_PARAM&) = delete;
    tagCVQ_THREAD_PARAM& operator=(const tagCVQ_THREAD_PARAM&) = delete;

    // No window, both paths empty, no files, no document.
    void Clear();
};
