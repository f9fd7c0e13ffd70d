// The converter view's object: dynamic creation, the document it shows, and its framework hooks.
// Its layout and controls, its input and the job control are added by their own parts.
#include "ConvertVtqView.h"

#include "ConvertVtqDoc.h"

IMPLEMENT_DYNCREATE(CConvertVtqView, CFormView)

BEGIN_MESSAGE_MAP(CConvertVtqView, CFormView)
END_MESSAGE_MAP()

CConvertVtqView::CConvertVtqView()
    : CFormView(IDD),
      m_pThread(nullptr),
      m_bRunning(FALSE),
      m_pStaticDropGuide(nullptr),
      m_pListFiles(nullptr),
      m_pStaticOutGuide(nullptr),
      m_pEditOutPath(nullptr),
      m_pBtnOutPath(nullptr),
      m_pBtnConvert(nullptr),
      m_pStaticLogTitle(nullptr),
      m_pListLog(nullptr),
      m_pWaitDlg(nullptr)
{
}

CConvertVtqView::~CConvertVtqView() = default;

CConvertVtqDoc* CConvertVtqView::GetDocument() const
{
    return static_cast<CConvertVtqDoc*>(m_pDocument);
}

BOOL CConvertVtqView::PreCreateWindow(CREATESTRUCT& cs)
{
    return CFormView::PreCreateWindow(cs);
}

void CConvertVtqView::DoDataExchange(CDataExchange* /*pDX*/)
{
    // The view's controls are created in code: there is nothing to exchange.
}

void CConvertVtqView::OnInitialUpdate()
{
    CFormView::OnInitialUpdate();
}
