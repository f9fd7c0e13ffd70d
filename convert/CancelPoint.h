// The worker's reading of the cancel request, at its cancel points.
#pragma once

#include "ThreadParam.h"

#include <atomic>

// Where the worker looks at the cancel request: before each file (1), before extracting a file
// (2), after extracting it and before archiving (3), and while it waits for the work folder (0).
enum class CancelPoint { WorkFolderWait = 0, BeforeFile = 1, BeforeExtract = 2, BeforeArchive = 3 };

// Test seam: when set, called on the worker thread just before a cancel point reads the request,
// so that a test can request the cancel exactly there. Null in the program.
using CVQ_CANCEL_POINT_HOOK = void (*)(tagCVQ_THREAD_PARAM* pParam, CancelPoint point);
extern std::atomic<CVQ_CANCEL_POINT_HOOK> g_pfnCancelPointHook;

// The document's cancel request, read afresh (FALSE without a document).
BOOL IsCancelRequested(tagCVQ_THREAD_PARAM* pParam, CancelPoint point);
