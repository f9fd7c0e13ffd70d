// Writes lines of text to standard output or standard error: wide characters to a Windows console,
// UTF-8 to a file or a pipe.
#pragma once

#include "afxstr.h"

#include <windows.h>

class CConsoleWriter {
public:
    explicit CConsoleWriter(DWORD nStdHandle);
    void Write(LPCWSTR lpszText) const;
    void WriteLine(LPCWSTR lpszText) const;

private:
    HANDLE m_hOut;
    bool m_bConsole;
};
