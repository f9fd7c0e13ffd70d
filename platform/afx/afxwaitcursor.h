// The application's wait cursor: an hourglass while a lengthy operation runs. Nested requests are
// counted and the cursor shown before the first is put back when the last ends.
//
// The state is kept per thread, because the cursor belongs to a thread's input state: a wait
// cursor begun on a worker thread changes nothing on the windows of the user-interface thread and
// shares no counter with it.
#pragma once

#include "afxtypes.h"

// nCode 1 begins a wait, -1 ends one, 0 shows the wait cursor again if a wait is running (after
// something else, such as a message box, changed the cursor).
void AfxDoWaitCursor(int nCode);
// The number of waits running on this thread.
int AfxGetWaitCursorCount();

// A wait cursor for the lifetime of the object.
class CWaitCursor {
public:
    CWaitCursor() { AfxDoWaitCursor(1); }
    ~CWaitCursor() { AfxDoWaitCursor(-1); }
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;

    void Restore() { AfxDoWaitCursor(0); }
};
