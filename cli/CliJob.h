// One conversion job of the command-line converter: the same worker as the desktop program, on its
// own thread, reporting to a message-only window of this console program.
#pragma once

#include "ConsoleWriter.h"
#include "afxstr.h"

class CConvertVtqDoc;

class CCliJob {
public:
    CCliJob(CConvertVtqDoc* pDoc, const CConsoleWriter& out);

    // Converts csaFiles into csOutputPath through the document's work folder and prints every line
    // of the worker. Returns the exit status: 0 when every file was converted or needed no
    // conversion, 1 when any failed or was skipped, 130 when the job was cancelled.
    int Run(const CString& csOutputPath, const CStringArray& csaFiles);

    // Asks the running job to stop at its next cancel point (any thread may call it).
    void RequestCancel();

private:
    static LRESULT CALLBACK WndProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);
    void OnLogLine(const CString& csText);

    CConvertVtqDoc* m_pDoc;
    const CConsoleWriter& m_out;
    bool m_bEnded = false;
    bool m_bAnyFailed = false;
    bool m_bCancelled = false;
};
