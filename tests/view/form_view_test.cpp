// Views and form views: dynamic creation, a child window made from a dialog template, the document
// it joins, the initial update sent by its creator, and the view deleting itself with its window.
#include "ConvertVtqDoc.h"
#include "ConvertVtqView.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

constexpr UINT kPaneId = 0xE900;  // the id a frame gives its one view

// A top-level window standing in for the frame.
class CHostFrame : public CWnd {
public:
    CHostFrame() { CreateEx(0, nullptr, L"host", WS_OVERLAPPEDWINDOW, 0, 0, 800, 700, nullptr, nullptr); }
    ~CHostFrame() override { DestroyWindow(); }
};

std::unique_ptr<CConvertVtqDoc> NewDoc()
{
    return std::unique_ptr<CConvertVtqDoc>(static_cast<CConvertVtqDoc*>(RUNTIME_CLASS(CConvertVtqDoc)->CreateObject()));
}

// Records what the framework calls on a form view.
class CProbeForm : public CFormView {
public:
    explicit CProbeForm(UINT nIDTemplate, std::vector<std::wstring>& log) : CFormView(nIDTemplate), m_log(log) {}
    ~CProbeForm() override { m_log.push_back(L"deleted"); }

    BOOL m_bRefuse = FALSE;

    BOOL PreCreateWindow(CREATESTRUCT& cs) override
    {
        m_log.push_back(L"pre-create:" + std::to_wstring((cs.style & WS_CHILD) != 0));
        return m_bRefuse ? FALSE : CFormView::PreCreateWindow(cs);
    }
    void OnInitialUpdate() override
    {
        m_log.push_back(L"initial-update");
        CFormView::OnInitialUpdate();
    }

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        m_log.push_back(L"exchange:" + std::to_wstring(pDX->m_bSaveAndValidate));
    }

private:
    std::vector<std::wstring>& m_log;
};

TEST(ConvertVtqView, IsCreatedDynamicallyAsAFormViewOnItsTemplate)
{
    CHostFrame frame;
    auto doc = NewDoc();
    CCreateContext context;
    context.m_pCurrentDoc = doc.get();
    context.m_pNewViewClass = RUNTIME_CLASS(CConvertVtqView);

    CObject* pObject = context.m_pNewViewClass->CreateObject();
    ASSERT_NE(nullptr, pObject);
    EXPECT_TRUE(pObject->IsKindOf(RUNTIME_CLASS(CFormView)));
    EXPECT_TRUE(pObject->IsKindOf(RUNTIME_CLASS(CView)));
    EXPECT_STREQ("CConvertVtqView", pObject->GetRuntimeClass()->m_lpszClassName);
    auto* pView = static_cast<CConvertVtqView*>(pObject);
    EXPECT_EQ(FALSE, pView->m_bRunning);
    EXPECT_EQ(nullptr, pView->m_pThread);
    EXPECT_EQ(nullptr, pView->m_threadParam.hWnd);

    ASSERT_TRUE(pView->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 500, 400), &frame, kPaneId, &context));
    EXPECT_EQ(doc.get(), pView->GetDocument());
    EXPECT_EQ(frame.GetSafeHwnd(), ::GetParent(pView->GetSafeHwnd()));
    EXPECT_EQ(static_cast<int>(kPaneId), pView->GetDlgCtrlID());
    EXPECT_TRUE(pView->GetStyle() & WS_CHILD);
    EXPECT_TRUE(pView->GetStyle() & WS_VISIBLE);
    CRect rc;
    pView->GetClientRect(&rc);
    EXPECT_EQ(CSize(500, 400), rc.Size());
    // The template's 300 x 210 dialog units in the template's own font decide the form's first size.
    RECT units{0, 0, 300, 210};
    ::MapDialogRect(pView->GetSafeHwnd(), &units);
    EXPECT_EQ(CSize(units.right, units.bottom), pView->GetTemplateSize());
    pView->SendMessage(WM_INITIALUPDATE);  // as the frame starts its views
    pView->DestroyWindow();                // deletes the view
}

TEST(FormView, InitialUpdateComesFromItsCreatorAndFillsTheControlsFirst)
{
    CHostFrame frame;
    std::vector<std::wstring> log;
    auto* pView = new CProbeForm(IDD_CONVERTER_FORM, log);
    ASSERT_TRUE(pView->Create(nullptr, nullptr, WS_CHILD, CRect(10, 20, 110, 120), &frame, kPaneId));
    EXPECT_EQ(nullptr, pView->GetDocument());
    EXPECT_FALSE(pView->GetStyle() & WS_VISIBLE) << "shown only when asked";
    pView->SendMessage(WM_INITIALUPDATE);
    pView->OnInitialUpdate();  // a creator may also call it directly, and again
    EXPECT_EQ((std::vector<std::wstring>{L"pre-create:1", L"initial-update", L"exchange:0", L"initial-update",
                                         L"exchange:0"}),
              log);
    ::DestroyWindow(frame.GetSafeHwnd());  // the parent takes its view with it
    EXPECT_EQ(L"deleted", log.back());
}

TEST(FormView, IsNotCreatedWithoutAChildTemplateOrWhenItRefuses)
{
    CHostFrame frame;
    std::vector<std::wstring> log;
    struct Case {
        UINT nIDTemplate;
        BOOL bRefuse;
    };
    for (const Case& c : {Case{9999, FALSE}, Case{IDD_WAIT_DLG, FALSE}, Case{IDD_CONVERTER_FORM, TRUE}}) {
        auto view = std::make_unique<CProbeForm>(c.nIDTemplate, log);
        view->m_bRefuse = c.bRefuse;
        EXPECT_FALSE(view->Create(nullptr, nullptr, WS_CHILD, CRect(0, 0, 10, 10), &frame, kPaneId))
            << c.nIDTemplate;
        EXPECT_EQ(nullptr, view->GetSafeHwnd());
    }
    EXPECT_EQ(nullptr, ::GetWindow(frame.GetSafeHwnd(), GW_CHILD)) << "no window was left behind";
}

// A plain view: a child window of the framework's class that joins its document the same way.
class CPlainView : public CView {
public:
    CPlainView() = default;
};

TEST(View, JoinsTheDocumentOfItsCreationContext)
{
    CHostFrame frame;
    auto doc = NewDoc();
    CCreateContext context;
    context.m_pCurrentDoc = doc.get();
    auto* pView = new CPlainView;
    ASSERT_TRUE(pView->Create(nullptr, nullptr, WS_VISIBLE, CRect(0, 0, 50, 50), &frame, kPaneId, &context));
    EXPECT_EQ(doc.get(), pView->GetDocument());
    EXPECT_TRUE(pView->GetStyle() & WS_CHILD);
    pView->OnInitialUpdate();
    pView->DestroyWindow();
}

}  // namespace
