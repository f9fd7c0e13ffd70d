// CString and CStringArray: the framework's wide-character text types.
#pragma once

#include "afxtypes.h"

#include <cstdarg>
#include <string>
#include <vector>

// Wide text (UTF-16 on Windows). Positions and lengths are counted in wchar_t units; a position or
// count out of range is clamped, a search that finds nothing returns -1, as the program expects.
class CString {
public:
    CString() = default;
    CString(LPCWSTR psz) : m_str(psz ? psz : L"") {}  // NOLINT: implicit like the original type
    CString(LPCWSTR pch, int nLength) : m_str(pch ? std::wstring(pch, ToSize(nLength)) : std::wstring()) {}
    CString(wchar_t ch, int nRepeat = 1) : m_str(ToSize(nRepeat), ch) {}
    CString(const std::wstring& str) : m_str(str) {}  // NOLINT

    CString& operator=(LPCWSTR psz) { m_str = psz ? psz : L""; return *this; }
    CString& operator=(wchar_t ch) { m_str.assign(1, ch); return *this; }

    operator LPCWSTR() const { return m_str.c_str(); }  // NOLINT
    LPCWSTR GetString() const { return m_str.c_str(); }
    const std::wstring& Str() const { return m_str; }

    int GetLength() const { return static_cast<int>(m_str.size()); }
    bool IsEmpty() const { return m_str.empty(); }
    void Empty() { m_str.clear(); }
    wchar_t GetAt(int nIndex) const;
    wchar_t operator[](int nIndex) const { return GetAt(nIndex); }
    void SetAt(int nIndex, wchar_t ch);

    CString& operator+=(const CString& str) { m_str += str.m_str; return *this; }
    CString& operator+=(LPCWSTR psz) { if (psz) m_str += psz; return *this; }
    CString& operator+=(wchar_t ch) { m_str += ch; return *this; }
    friend CString operator+(const CString& a, const CString& b) { return CString(a.m_str + b.m_str); }
    friend CString operator+(const CString& a, LPCWSTR b) { CString r(a); r += b; return r; }
    friend CString operator+(LPCWSTR a, const CString& b) { CString r(a); r += b; return r; }
    friend CString operator+(const CString& a, wchar_t b) { CString r(a); r += b; return r; }
    friend CString operator+(wchar_t a, const CString& b) { CString r(a); r += b; return r; }

    // Ordinal comparison: <0, 0 or >0. CompareNoCase folds case as the file system does.
    int Compare(LPCWSTR psz) const;
    int CompareNoCase(LPCWSTR psz) const;
    friend bool operator==(const CString& a, const CString& b) { return a.m_str == b.m_str; }
    friend bool operator==(const CString& a, LPCWSTR b) { return a.Compare(b) == 0; }
    friend bool operator<(const CString& a, const CString& b) { return a.m_str < b.m_str; }

    int Find(wchar_t ch, int iStart = 0) const;
    int Find(LPCWSTR pszSub, int iStart = 0) const;
    int ReverseFind(wchar_t ch) const;
    int ReverseFind(LPCWSTR pszSub) const;

    CString Left(int nCount) const;
    CString Mid(int iFirst) const;
    CString Mid(int iFirst, int nCount) const;
    CString Right(int nCount) const;

    CString& MakeLower();
    CString& MakeUpper();
    CString& Trim();
    CString& Trim(wchar_t chTarget);
    CString& Trim(LPCWSTR pszTargets);
    CString& TrimLeft();
    CString& TrimLeft(wchar_t chTarget);
    CString& TrimLeft(LPCWSTR pszTargets);
    CString& TrimRight();
    CString& TrimRight(wchar_t chTarget);
    CString& TrimRight(LPCWSTR pszTargets);

    // printf-style formatting with the wide conventions of Windows: %s and %c take wide text
    // (%hs and %hc narrow). The result has whatever length it needs.
    void Format(LPCWSTR pszFormat, ...);
    void FormatV(LPCWSTR pszFormat, va_list args);
    void AppendFormat(LPCWSTR pszFormat, ...);

    // Direct access for APIs that write into a caller's buffer: the buffer holds at least
    // nMinBufferLength characters plus a terminator until ReleaseBuffer, which takes the new length
    // (or, with -1, the length up to the first null character).
    LPWSTR GetBuffer(int nMinBufferLength = 0);
    LPWSTR GetBufferSetLength(int nLength);
    void ReleaseBuffer(int nNewLength = -1);

private:
    static std::size_t ToSize(int n) { return n > 0 ? static_cast<std::size_t>(n) : 0; }
    std::wstring m_str;
};

// An ordered list of strings. Indexes out of range throw std::out_of_range rather than corrupt memory.
class CStringArray {
public:
    INT_PTR GetSize() const { return static_cast<INT_PTR>(m_items.size()); }
    INT_PTR GetCount() const { return GetSize(); }
    bool IsEmpty() const { return m_items.empty(); }
    INT_PTR GetUpperBound() const { return GetSize() - 1; }

    INT_PTR Add(const CString& str) { m_items.push_back(str); return GetSize() - 1; }
    const CString& GetAt(INT_PTR nIndex) const { return m_items.at(Index(nIndex)); }
    CString& GetAt(INT_PTR nIndex) { return m_items.at(Index(nIndex)); }
    const CString& operator[](INT_PTR nIndex) const { return GetAt(nIndex); }
    CString& operator[](INT_PTR nIndex) { return GetAt(nIndex); }
    void SetAt(INT_PTR nIndex, const CString& str) { GetAt(nIndex) = str; }

    void RemoveAll() { m_items.clear(); }
    void RemoveAt(INT_PTR nIndex, INT_PTR nCount = 1);
    void InsertAt(INT_PTR nIndex, const CString& str, INT_PTR nCount = 1);

private:
    static std::size_t Index(INT_PTR n) { return n < 0 ? static_cast<std::size_t>(-1) : static_cast<std::size_t>(n); }
    std::vector<CString> m_items;
};
