// Console or UTF-8 output of ConvertVtqCli.
#include "ConsoleWriter.h"

#include <string>

CConsoleWriter::CConsoleWriter(DWORD nStdHandle)
    : m_hOut(GetStdHandle(nStdHandle))
{
    DWORD dwMode = 0;
    m_bConsole = m_hOut != nullptr && m_hOut != INVALID_HANDLE_VALUE && GetConsoleMode(m_hOut, &dwMode);
}

void CConsoleWriter::Write(LPCWSTR lpszText) const
{
    if (m_hOut == nullptr || m_hOut == INVALID_HANDLE_VALUE)
        return;
    const int nLength = lstrlenW(lpszText);
    if (nLength == 0)
        return;
    if (m_bConsole) {
        // The console shows wide text as it is, whatever its code page.
        DWORD dwWritten = 0;
        WriteConsoleW(m_hOut, lpszText, static_cast<DWORD>(nLength), &dwWritten, nullptr);
        return;
    }
    const int nBytes = WideCharToMultiByte(CP_UTF8, 0, lpszText, nLength, nullptr, 0, nullptr, nullptr);
    if (nBytes <= 0)
        return;
    std::string utf8(static_cast<size_t>(nBytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, lpszText, nLength, utf8.data(), nBytes, nullptr, nullptr);
    for (size_t nDone = 0; nDone < utf8.size();) {
        DWORD dwWritten = 0;
        if (!WriteFile(m_hOut, utf8.data() + nDone, static_cast<DWORD>(utf8.size() - nDone), &dwWritten, nullptr) ||
            dwWritten == 0)
            return;  // a closed pipe: nobody reads any more
        nDone += dwWritten;
    }
}

void CConsoleWriter::WriteLine(LPCWSTR lpszText) const
{
    CString csLine(lpszText);
    csLine += L"\n";
    Write(csLine);
}
