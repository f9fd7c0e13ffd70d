// CConvertVtqView: the converter's one form view. It holds the job record and the job state, owns
// its run-time created controls and the wait dialog, and, as static members that use nothing of
// the view, the archive and folder operations and the conversion worker (implemented in convert/).
#pragma once

#include "afxwin.h"

#include "ThreadParam.h"
#include "resource.h"

class CConvertVtqDoc;
class CStatic;
class CListBox;
class CListBoxDD;
class CMskEdit;
class CGdiButton;
class CWaitDlg;

class CConvertVtqView : public CFormView {
protected:  // created by the document template through dynamic creation
    CConvertVtqView();
    DECLARE_DYNCREATE(CConvertVtqView)

public:
    enum { IDD = IDD_CONVERTER_FORM };

    ~CConvertVtqView() override;

    CConvertVtqDoc* GetDocument() const;

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void OnInitialUpdate() override;

    // --- archive and folder operations (convert/ArchiveOps.cpp, convert/FolderOps.cpp) ---
    // Each failing operation puts one fixed sentence naming the failure into *pcsErrMsg.

    // Archives the folder lpszSrc (as the first element of every name) into the new file lpszDst
    // with UTF-8 names. An existing lpszDst is a failure and stays untouched.
    static BOOL Zip(LPCWSTR lpszSrc, LPCWSTR lpszDst, CString* pcsErrMsg);
    // Extracts lpszSrc below lpszDst; unflagged entry names are decoded with the encoding named
    // lpszEnc. Never overwrites; what was extracted before a failure stays.
    static BOOL UnZip(LPCWSTR lpszSrc, LPCWSTR lpszDst, LPCWSTR lpszEnc, CString* pcsErrMsg);
    // The full names of the entries of lpszSrc, in the archive's order.
    static BOOL ReadZipFile(LPCWSTR lpszSrc, CStringArray* pcsaLst, CString* pcsErrMsg);
    // The project folder's name from the archive's first entry, without "_Package"; empty if none.
    static CString GetProjectNameFromFile(LPCWSTR lpszFile);
    // Deletes the folder and everything in it, retrying each stubborn item for about 10 seconds.
    static BOOL DeleteFolderAll(LPCWSTR lpszFolder, CString* pcsErrMsg);

    // --- the conversion worker (convert/ConvertWorker.cpp) ---

    // The worker thread's function; pParam is the view's job record. Always returns 0.
    static UINT ConvertVtqThreadProc(LPVOID pParam);
    // Sends one log line to hWnd (WM_RECV_LOG_MSG, synchronously); the receiver owns the string.
    static void SendLogMsg(HWND hWnd, LPCWSTR lpszMsg);

protected:
    void DoDataExchange(CDataExchange* pDX) override;

    DECLARE_MESSAGE_MAP()

public:
    // The fonts m_fontLarge and m_fontSmall (CFont) stand here, ahead of the brushes; they come
    // with the view's layout, together with the framework's CFont.
    CBrush m_brushBack;  // view background and labels
    CBrush m_brushList;  // both list boxes

    tagCVQ_THREAD_PARAM m_threadParam;  // the running (or last) job's record
    CWinThread* m_pThread;              // the last started worker; not owned (it deletes itself)
    BOOL m_bRunning;                    // a job runs

    CStatic* m_pStaticDropGuide;
    CListBoxDD* m_pListFiles;
    CStatic* m_pStaticOutGuide;
    CMskEdit* m_pEditOutPath;
    CGdiButton* m_pBtnOutPath;
    CGdiButton* m_pBtnConvert;
    CStatic* m_pStaticLogTitle;
    CListBox* m_pListLog;
    // The tooltip m_toolTip (CToolTipCtrl) of the selected log line stands here; it comes with the
    // view's input handling, together with the framework's CToolTipCtrl.
    CWaitDlg* m_pWaitDlg;
};
