// The archive operations of the converter view: creating, extracting and listing ZIP archives
// through the ZIP layer, and the project name an archive carries. Every failure of the layer is
// caught here, by kind, and becomes one fixed sentence in the message holder.
#include "ConvertVtqView.h"

#include <System/IO/Compression.h>

#include <exception>

using System::IO::Compression::CompressionLevel;
using System::IO::Compression::ZipFile;
using System::Text::Encoding;

namespace {

// The sentence of the general I/O failure, which differs between the operations.
constexpr LPCWSTR kIoOutputExists = L"出力するファイルが既に存在します。";
constexpr LPCWSTR kIoCannotOpen = L"ファイルが開けませんでした。";

// Runs one call of the ZIP layer. The kinds are caught most special first, so that a missing
// argument is not reported as an invalid one, nor a missing file as a general I/O failure.
template <class Call>
BOOL RunArchiveCall(Call&& call, CString* pcsErrMsg, LPCWSTR lpszIoSentence)
{
    LPCWSTR lpszMsg = nullptr;
    try {
        call();
        return TRUE;
    } catch (const System::ArgumentNullException&) {
        lpszMsg = L"指定したファイル名が不正（NULL）です。";
    } catch (const System::ArgumentException&) {
        lpszMsg = L"指定したファイル名が不正です。";
    } catch (const System::IO::PathTooLongException&) {
        lpszMsg = L"指定したファイル名が長すぎます。";
    } catch (const System::IO::DirectoryNotFoundException&) {
        lpszMsg = L"指定したパスが無効です。";
    } catch (const System::UnauthorizedAccessException&) {
        lpszMsg = L"ファイルにアクセス権がありません。";
    } catch (const System::NotSupportedException&) {
        lpszMsg = L"指定したファイル名が不正（書式不正）です。";
    } catch (const System::IO::FileNotFoundException&) {
        lpszMsg = L"指定したファイル名が見付かりません。";
    } catch (const System::IO::InvalidDataException&) {
        lpszMsg = L"指定したファイルは破損しています。";
    } catch (const System::IO::IOException&) {
        lpszMsg = lpszIoSentence;
    } catch (...) {
        // Nothing may escape to the worker thread (it would end the program): a failure of any
        // other kind, such as exhausted memory, still ends in a sentence.
        lpszMsg = L"ファイルの処理中に予期しないエラーが発生しました。";
    }
    if (pcsErrMsg != nullptr)
        *pcsErrMsg = lpszMsg;
    return FALSE;
}

void ClearMessage(CString* pcsErrMsg)
{
    if (pcsErrMsg != nullptr)
        pcsErrMsg->Empty();
}

}  // namespace

BOOL CConvertVtqView::Zip(LPCWSTR lpszSrc, LPCWSTR lpszDst, CString* pcsErrMsg)
{
    ClearMessage(pcsErrMsg);
    return RunArchiveCall(
        [&] {
            ZipFile::CreateFromDirectory(lpszSrc, lpszDst, CompressionLevel::Optimal, true,
                                         Encoding::GetEncoding(L"utf-8"));
        },
        pcsErrMsg, kIoOutputExists);
}

BOOL CConvertVtqView::UnZip(LPCWSTR lpszSrc, LPCWSTR lpszDst, LPCWSTR lpszEnc, CString* pcsErrMsg)
{
    ClearMessage(pcsErrMsg);
    return RunArchiveCall([&] { ZipFile::ExtractToDirectory(lpszSrc, lpszDst, Encoding::GetEncoding(lpszEnc)); },
                          pcsErrMsg, kIoOutputExists);
}

BOOL CConvertVtqView::ReadZipFile(LPCWSTR lpszSrc, CStringArray* pcsaLst, CString* pcsErrMsg)
{
    ClearMessage(pcsErrMsg);
    if (pcsaLst == nullptr) {
        if (pcsErrMsg != nullptr)
            *pcsErrMsg = L"引数が設定されていません。";
        return FALSE;
    }
    pcsaLst->RemoveAll();
    return RunArchiveCall(
        [&] {
            // Without an encoding: flagged names read as UTF-8, the others as Shift_JIS.
            const auto archive = ZipFile::OpenRead(lpszSrc);
            for (const auto& entry : archive.Entries())
                pcsaLst->Add(CString(entry.FullName()));
        },
        pcsErrMsg, kIoCannotOpen);
}

CString CConvertVtqView::GetProjectNameFromFile(LPCWSTR lpszFile)
{
    CStringArray csaList;
    CString csErrMsg;
    if (!ReadZipFile(lpszFile, &csaList, &csErrMsg) || csaList.IsEmpty())
        return CString();

    // Only the first entry is looked at: it lies in the project's top folder. A backslash wins
    // over a slash wherever they stand; a separator at the very start gives no name.
    const CString& csFirst = csaList[0];
    int nSep = csFirst.Find(L'\\');
    if (nSep <= 0) {
        nSep = csFirst.Find(L'/');
        if (nSep <= 0)
            return CString();
    }
    CString csName = csFirst.Left(nSep);
    if (csName.Right(8) == L"_Package")
        csName = csName.Left(csName.GetLength() - 8);
    return csName;
}
