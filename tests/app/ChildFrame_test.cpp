// The child frame keeps a project's first view open; the document keeps only its flag.
#include "app/ChildFrame.h"

#include "app/WendraDoc.h"
#include "platform/docview/doctempl.h"
#include "platform/docview/view.h"
#include "platform/test/pump.h"
#include "tests/app/AppFixture.h"
#include "view/CAEView.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace
{
class ChildFrame : public AppFixture
{
protected:
    // A new view of the program's template, registered in the frame map under frameId.
    CChildFrame* OpenView(int frameId)
    {
        CDocument* document = m_app->GetDocTemplate()->OpenDocumentFile(nullptr);
        fw::test::Pump();
        if (document == nullptr)
            return nullptr;
        POSITION position = document->GetFirstViewPosition();
        CView* view = document->GetNextView(position);
        auto* frame = dynamic_cast<CChildFrame*>(view->GetParentFrame());
        dynamic_cast<CCAEView*>(view)->SetFrameKey(frameId);
        MainFrame()->RegisterFrame(frameId, frame);
        return frame;
    }
};
} // namespace

TEST_F(ChildFrame, ClosingTheFirstViewDoesNothingAndASecondViewCloses)
{
    ASSERT_TRUE(StartUp(kEnglishIni));
    CChildFrame* first = OpenView(kFirstFrameId);
    CChildFrame* second = OpenView(2);
    ASSERT_NE(nullptr, first);
    ASSERT_NE(nullptr, second);
    const HWND firstWindow = first->m_hWnd;
    const HWND secondWindow = second->m_hWnd;

    ::SendMessageA(firstWindow, WM_CLOSE, 0, 0);
    fw::test::Pump();
    EXPECT_TRUE(::IsWindow(firstWindow));
    ::SendMessageA(secondWindow, WM_CLOSE, 0, 0);
    fw::test::Pump();
    EXPECT_FALSE(::IsWindow(secondWindow));
    EXPECT_EQ(first, MainFrame()->GetFrameView(kFirstFrameId)->GetParentFrame());
}

TEST_F(ChildFrame, FrameWithoutAnActiveViewCloses)
{
    ASSERT_TRUE(StartUp(kEnglishIni));
    CChildFrame* first = OpenView(kFirstFrameId);
    ASSERT_NE(nullptr, first);
    const HWND window = first->m_hWnd;
    first->SetActiveView(nullptr);
    ::SendMessageA(window, WM_CLOSE, 0, 0);
    fw::test::Pump();
    EXPECT_FALSE(::IsWindow(window));
}

TEST(WendraDoc, ReportsChangesOnlyWhenSomethingSetItsFlag)
{
    CWendraDoc document;
    EXPECT_FALSE(document.IsModified());
    document.SetModifiedFlag(TRUE);
    EXPECT_TRUE(document.IsModified());
    document.SetModifiedFlag(FALSE);
    EXPECT_FALSE(document.IsModified());
}
