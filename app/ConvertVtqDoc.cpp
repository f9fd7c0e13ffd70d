// The document: job fields, the executable's folder, and the framework hooks it overrides.
#include "ConvertVtqDoc.h"

IMPLEMENT_DYNCREATE(CConvertVtqDoc, CDocument)

BEGIN_MESSAGE_MAP(CConvertVtqDoc, CDocument)
END_MESSAGE_MAP()

CConvertVtqDoc::CConvertVtqDoc() : m_bCancel(FALSE)
{
}

CConvertVtqDoc::~CConvertVtqDoc() = default;

// Neither field is reset: File New reuses the one document and keeps the job fields.
BOOL CConvertVtqDoc::OnNewDocument()
{
    return CDocument::OnNewDocument() ? TRUE : FALSE;
}

// The document has no contents to store or load.
void CConvertVtqDoc::Serialize(CArchive&)
{
}

BOOL CConvertVtqDoc::SaveModified()
{
    return CDocument::SaveModified();
}

CString CConvertVtqDoc::GetExeFolder()
{
    // The whole path, however long: a path cut at MAX_PATH would yield a wrong folder.
    return FolderOfModulePath(AfxGetModuleFileName(nullptr));
}

CString CConvertVtqDoc::FolderOfModulePath(const CString& csModulePath)
{
    const int nPos = csModulePath.ReverseFind(L'\\');
    return nPos > 0 ? csModulePath.Left(nPos) : csModulePath;
}
