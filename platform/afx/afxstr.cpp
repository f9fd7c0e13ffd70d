// CString and CStringArray: searching, slicing, case and trimming.
#include "afxstr.h"

#include <algorithm>
#include <cwctype>
#include <stdexcept>

namespace {

// The characters Trim removes by default: ASCII white space and the ideographic space that
// Japanese input methods type.
bool IsTrimSpace(wchar_t ch)
{
    return ch == L' ' || (ch >= L'\t' && ch <= L'\r') || ch == L'\x3000';
}

int Sign(int n) { return (n > 0) - (n < 0); }

}  // namespace

wchar_t CString::GetAt(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetLength())
        throw std::out_of_range("CString::GetAt");
    return m_str[static_cast<std::size_t>(nIndex)];
}

void CString::SetAt(int nIndex, wchar_t ch)
{
    if (nIndex < 0 || nIndex >= GetLength())
        throw std::out_of_range("CString::SetAt");
    m_str[static_cast<std::size_t>(nIndex)] = ch;
}

int CString::Compare(LPCWSTR psz) const
{
    return Sign(m_str.compare(psz ? psz : L""));
}

int CString::CompareNoCase(LPCWSTR psz) const
{
    if (!psz)
        psz = L"";
#ifdef _WIN32
    // Ordinal, case-insensitive: the comparison the file system uses for names.
    return CompareStringOrdinal(m_str.c_str(), -1, psz, -1, TRUE) - CSTR_EQUAL;
#else
    const wchar_t* a = m_str.c_str();
    for (;; ++a, ++psz) {
        const auto ca = static_cast<wint_t>(std::towupper(static_cast<wint_t>(*a)));
        const auto cb = static_cast<wint_t>(std::towupper(static_cast<wint_t>(*psz)));
        if (ca != cb)
            return ca < cb ? -1 : 1;
        if (ca == 0)
            return 0;
    }
#endif
}

int CString::Find(wchar_t ch, int iStart) const
{
    if (iStart < 0 || iStart > GetLength())
        return -1;
    const auto pos = m_str.find(ch, static_cast<std::size_t>(iStart));
    return pos == std::wstring::npos ? -1 : static_cast<int>(pos);
}

int CString::Find(LPCWSTR pszSub, int iStart) const
{
    if (!pszSub || iStart < 0 || iStart > GetLength())
        return -1;
    const auto pos = m_str.find(pszSub, static_cast<std::size_t>(iStart));
    return pos == std::wstring::npos ? -1 : static_cast<int>(pos);
}

int CString::ReverseFind(wchar_t ch) const
{
    const auto pos = m_str.rfind(ch);
    return pos == std::wstring::npos ? -1 : static_cast<int>(pos);
}

int CString::ReverseFind(LPCWSTR pszSub) const
{
    if (!pszSub)
        return -1;
    const auto pos = m_str.rfind(pszSub);
    return pos == std::wstring::npos ? -1 : static_cast<int>(pos);
}

CString CString::Left(int nCount) const
{
    return CString(m_str.substr(0, std::min(ToSize(nCount), m_str.size())));
}

CString CString::Mid(int iFirst) const
{
    return Mid(iFirst, GetLength());
}

CString CString::Mid(int iFirst, int nCount) const
{
    const std::size_t first = std::min(ToSize(iFirst), m_str.size());
    return CString(m_str.substr(first, ToSize(nCount)));
}

CString CString::Right(int nCount) const
{
    const std::size_t count = std::min(ToSize(nCount), m_str.size());
    return CString(m_str.substr(m_str.size() - count));
}

CString& CString::MakeLower()
{
#ifdef _WIN32
    if (!m_str.empty())
        CharLowerBuffW(m_str.data(), static_cast<DWORD>(m_str.size()));
#else
    for (auto& ch : m_str)
        ch = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(ch)));
#endif
    return *this;
}

CString& CString::MakeUpper()
{
#ifdef _WIN32
    if (!m_str.empty())
        CharUpperBuffW(m_str.data(), static_cast<DWORD>(m_str.size()));
#else
    for (auto& ch : m_str)
        ch = static_cast<wchar_t>(std::towupper(static_cast<wint_t>(ch)));
#endif
    return *this;
}

CString& CString::TrimLeft()
{
    const auto it = std::find_if_not(m_str.begin(), m_str.end(), IsTrimSpace);
    m_str.erase(m_str.begin(), it);
    return *this;
}

CString& CString::TrimRight()
{
    const auto it = std::find_if_not(m_str.rbegin(), m_str.rend(), IsTrimSpace);
    m_str.erase(it.base(), m_str.end());
    return *this;
}

CString& CString::TrimLeft(LPCWSTR pszTargets)
{
    m_str.erase(0, m_str.find_first_not_of(pszTargets ? pszTargets : L""));
    return *this;
}

CString& CString::TrimRight(LPCWSTR pszTargets)
{
    const auto last = m_str.find_last_not_of(pszTargets ? pszTargets : L"");
    m_str.erase(last == std::wstring::npos ? 0 : last + 1);
    return *this;
}

CString& CString::TrimLeft(wchar_t chTarget)
{
    const wchar_t targets[] = {chTarget, L'\0'};
    return TrimLeft(targets);
}

CString& CString::TrimRight(wchar_t chTarget)
{
    const wchar_t targets[] = {chTarget, L'\0'};
    return TrimRight(targets);
}

CString& CString::Trim() { return TrimRight().TrimLeft(); }
CString& CString::Trim(wchar_t chTarget) { return TrimRight(chTarget).TrimLeft(chTarget); }
CString& CString::Trim(LPCWSTR pszTargets) { return TrimRight(pszTargets).TrimLeft(pszTargets); }

LPWSTR CString::GetBuffer(int nMinBufferLength)
{
    if (ToSize(nMinBufferLength) > m_str.size())
        m_str.resize(ToSize(nMinBufferLength));
    return m_str.data();
}

LPWSTR CString::GetBufferSetLength(int nLength)
{
    m_str.resize(ToSize(nLength));
    return m_str.data();
}

void CString::ReleaseBuffer(int nNewLength)
{
    if (nNewLength < 0) {
        const auto end = m_str.find(L'\0');
        if (end != std::wstring::npos)
            m_str.resize(end);
    } else
        m_str.resize(std::min(ToSize(nNewLength), m_str.size()));
}

void CStringArray::RemoveAt(INT_PTR nIndex, INT_PTR nCount)
{
    if (nIndex < 0 || nCount < 0 || nIndex > GetSize() || nCount > GetSize() - nIndex)
        throw std::out_of_range("CStringArray::RemoveAt");
    const auto first = m_items.begin() + nIndex;
    m_items.erase(first, first + nCount);
}

void CStringArray::InsertAt(INT_PTR nIndex, const CString& str, INT_PTR nCount)
{
    if (nIndex < 0 || nCount < 0)
        throw std::out_of_range("CStringArray::InsertAt");
    // As in the original type, inserting past the end grows the array with empty strings.
    if (nIndex > GetSize())
        m_items.resize(static_cast<std::size_t>(nIndex));
    m_items.insert(m_items.begin() + nIndex, static_cast<std::size_t>(nCount), str);
}
