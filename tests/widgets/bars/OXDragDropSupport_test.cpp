// The message-forwarding drop target and drop source: a window that ignores the messages
// accepts nothing and never scrolls, one that answers decides the effects and sees the files,
// and a window that asks for scrolling is scrolled one line per step, vertically first.
#include "widgets/bars/OXDragDropSupport.h"

#include "platform/docview/view.h"
#include "platform/ole/oleinit.h"
#include "platform/test/dropdata.h"
#include "platform/test/scripted_services.h"
#include "platform/win/wnd.h"

#include <windows.h>

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace
{
// Records what the drop messages carry and answers as told; 0 leaves a message unhandled.
class CDropWindow : public CWnd
{
public:
    std::vector<std::string> calls;
    std::vector<std::string> files;
    OXDropRecord last = {};
    LRESULT handled = 0; // the window's answer to every message
    LRESULT result = 0;  // what it puts into the record
    LRESULT dropExResult = 0;
    LRESULT scrollResult = 0;
    std::vector<WPARAM> vscrolls;
    std::vector<WPARAM> hscrolls;

    FW_MESSAGE_TABLE()

protected:
    LRESULT Record(const char* name, LPARAM lParam, LRESULT answer)
    {
        calls.push_back(name);
        auto* record = reinterpret_cast<OXDropRecord*>(lParam);
        last = *record;
        if (record->data)
        {
            CStringArray names;
            if (record->data->GetFileNames(&names))
                for (int i = 0; i < names.GetSize(); ++i)
                    files.push_back(static_cast<const char*>(names[i]));
        }
        if (handled)
            record->result = answer;
        return handled;
    }
    LRESULT OnEnter(WPARAM, LPARAM lParam) { return Record("enter", lParam, result); }
    LRESULT OnOver(WPARAM, LPARAM lParam) { return Record("over", lParam, result); }
    LRESULT OnLeave(WPARAM, LPARAM lParam) { return Record("leave", lParam, 0); }
    LRESULT OnScroll(WPARAM, LPARAM lParam) { return Record("scroll", lParam, scrollResult); }
    LRESULT OnDrop(WPARAM, LPARAM lParam) { return Record("drop", lParam, result != 0); }
    LRESULT OnDropEx(WPARAM, LPARAM lParam)
    {
        calls.push_back("dropex");
        auto* record = reinterpret_cast<OXDropRecord*>(lParam);
        last = *record;
        record->result = dropExResult;
        return dropExResult != 0;
    }
    void OnVScroll(UINT code, UINT, CScrollBar*) { vscrolls.push_back(code); }
    void OnHScroll(UINT code, UINT, CScrollBar*) { hscrolls.push_back(code); }
};

FW_TABLE(CDropWindow, CWnd, fw::raw<WM_OX_DRAGENTER, &CDropWindow::OnEnter>(),
         fw::raw<WM_OX_DRAGOVER, &CDropWindow::OnOver>(),
         fw::raw<WM_OX_DRAGLEAVE, &CDropWindow::OnLeave>(),
         fw::raw<WM_OX_DRAGSCROLL, &CDropWindow::OnScroll>(),
         fw::raw<WM_OX_DROP, &CDropWindow::OnDrop>(),
         fw::raw<WM_OX_DROPEX, &CDropWindow::OnDropEx>(),
         fw::on<WM_VSCROLL, &CDropWindow::OnVScroll>(),
         fw::on<WM_HSCROLL, &CDropWindow::OnHScroll>())

class DropSupport : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(fw::OleInit());
        ASSERT_TRUE(m_wnd.CreateEx(0, fw::RegisterWndClass(0), "drop",
                                   WS_POPUP | WS_VSCROLL | WS_HSCROLL, 100, 120, 300, 200, nullptr,
                                   nullptr));
        ASSERT_TRUE(m_target.Register(&m_wnd));
        m_source.CacheGlobalData(CF_HDROP, fw::test::MakeFileDrop({"C:\\models\\wing.dat"}));
    }
    void TearDown() override
    {
        m_target.Revoke();
        m_wnd.DestroyWindow();
    }

    POINTL ScreenPoint(int x, int y) const
    {
        POINT p = {x, y};
        ::ClientToScreen(m_wnd.GetSafeHwnd(), &p);
        return {p.x, p.y};
    }

    void SetScrollRange(int bar, int maximum, UINT page)
    {
        SCROLLINFO info = {sizeof info, SIF_RANGE | SIF_PAGE, 0, maximum, page, 0, 0};
        ::SetScrollInfo(m_wnd.GetSafeHwnd(), bar, &info, FALSE);
    }

    fw::test::ScopedServices m_services;
    CDropWindow m_wnd;
    COXDropTarget m_target;
    COleDataSource m_source;
};
} // namespace

TEST_F(DropSupport, AWindowThatIgnoresTheMessagesAcceptsNothing)
{
    IDropTarget* ole = m_target.GetInterface();
    DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    ASSERT_EQ(S_OK,
              ole->DragEnter(m_source.GetInterface(), MK_LBUTTON, ScreenPoint(5, 5), &effect));
    EXPECT_EQ(DROPEFFECT_NONE, effect);
    // In the scroll band, but the window does not ask for scrolling.
    SetScrollRange(SB_VERT, 100, 10);
    effect = DROPEFFECT_COPY;
    ASSERT_EQ(S_OK, ole->DragOver(MK_LBUTTON, ScreenPoint(5, 5), &effect));
    EXPECT_EQ(DROPEFFECT_NONE, effect);
    effect = DROPEFFECT_COPY;
    ASSERT_EQ(S_OK, ole->Drop(m_source.GetInterface(), 0, ScreenPoint(5, 5), &effect));
    EXPECT_EQ(DROPEFFECT_NONE, effect);

    const std::vector<std::string> expected = {"enter", "scroll", "over", "over", "dropex"};
    EXPECT_EQ(expected, m_wnd.calls);
    EXPECT_TRUE(m_wnd.vscrolls.empty());
}

TEST_F(DropSupport, AnAnsweringWindowDecidesAndSeesTheDroppedFile)
{
    m_wnd.handled = 1;
    m_wnd.result = DROPEFFECT_COPY;
    IDropTarget* ole = m_target.GetInterface();
    DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    ASSERT_EQ(S_OK, ole->DragEnter(m_source.GetInterface(), MK_LBUTTON | MK_SHIFT,
                                   ScreenPoint(40, 50), &effect));
    EXPECT_EQ(DROPEFFECT_COPY, effect);
    EXPECT_EQ(&m_wnd, m_wnd.last.wnd);
    EXPECT_EQ(static_cast<DWORD>(MK_LBUTTON | MK_SHIFT), m_wnd.last.keyState);
    EXPECT_EQ(40, m_wnd.last.x);
    EXPECT_EQ(50, m_wnd.last.y);

    // Not handled with a list: the plain drop follows with the default effect.
    effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    ASSERT_EQ(S_OK, ole->Drop(m_source.GetInterface(), 0, ScreenPoint(41, 52), &effect));
    EXPECT_EQ(DROPEFFECT_COPY, effect);
    const std::vector<std::string> expected = {"enter", "over", "dropex", "drop"};
    EXPECT_EQ(expected, m_wnd.calls);
    EXPECT_EQ(DROPEFFECT_COPY, m_wnd.last.effect);
    ASSERT_EQ(3u, m_wnd.files.size());
    EXPECT_EQ("C:\\models\\wing.dat", m_wnd.files.back());

    // Handled with a list: its answer stands and no plain drop follows.
    m_wnd.calls.clear();
    m_wnd.dropExResult = DROPEFFECT_MOVE;
    effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    ASSERT_EQ(S_OK, ole->DragEnter(m_source.GetInterface(), 0, ScreenPoint(40, 50), &effect));
    effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    ASSERT_EQ(S_OK, ole->Drop(m_source.GetInterface(), 0, ScreenPoint(40, 50), &effect));
    EXPECT_EQ(DROPEFFECT_MOVE, effect);
    EXPECT_EQ(DROPEFFECT_COPY | DROPEFFECT_MOVE, m_wnd.last.effectList);
    const std::vector<std::string> handledEx = {"enter", "over", "dropex"};
    EXPECT_EQ(handledEx, m_wnd.calls);
}

TEST_F(DropSupport, ScrollingStepsVerticallyFirstAfterTheDelay)
{
    m_wnd.handled = 1;
    m_wnd.scrollResult = kOXDropEffectScroll;
    SetScrollRange(SB_VERT, 100, 10);
    SetScrollRange(SB_HORZ, 100, 10);
    CRect client;
    m_wnd.GetClientRect(&client);
    const CPoint corner(client.right - 2, client.bottom - 2); // both bands
    ULONGLONG& now = m_services->tickCount;
    now = 1000;

    EXPECT_EQ(kOXDropEffectScroll | DROPEFFECT_COPY,
              m_target.OnDragScroll(&m_wnd, MK_CONTROL, corner));
    EXPECT_TRUE(m_wnd.vscrolls.empty()); // the first step waits for the delay
    EXPECT_EQ("leave", m_wnd.calls.back());
    now += COleDropTarget::m_nScrollDelay + 1;
    EXPECT_EQ(kOXDropEffectScroll, m_target.OnDragScroll(&m_wnd, 0, corner));
    now += COleDropTarget::m_nScrollInterval + 1;
    EXPECT_EQ(kOXDropEffectScroll | DROPEFFECT_LINK,
              m_target.OnDragScroll(&m_wnd, MK_CONTROL | MK_SHIFT, corner));
    EXPECT_EQ(std::vector<WPARAM>({SB_LINEDOWN, SB_LINEDOWN}), m_wnd.vscrolls);
    EXPECT_TRUE(m_wnd.hscrolls.empty());

    // Left edge, middle height: only the horizontal bar scrolls.
    now += COleDropTarget::m_nScrollDelay + 1;
    m_target.OnDragScroll(&m_wnd, 0, CPoint(1, client.Height() / 2));
    now += COleDropTarget::m_nScrollDelay + 1;
    m_target.OnDragScroll(&m_wnd, 0, CPoint(1, client.Height() / 2));
    EXPECT_EQ(std::vector<WPARAM>({SB_LINELEFT}), m_wnd.hscrolls);

    // Back in the middle the scrolling ends; the window does not see the data there
    // (outside a real drag) but is asked nothing more.
    EXPECT_EQ(DROPEFFECT_NONE, m_target.OnDragScroll(&m_wnd, 0, client.CenterPoint()));
    EXPECT_EQ(2u, m_wnd.vscrolls.size());
}

TEST_F(DropSupport, AWindowWithoutARangeOrAnotherAnswerIsNotScrolled)
{
    m_wnd.handled = 1;
    m_wnd.scrollResult = kOXDropEffectScroll;
    SetScrollRange(SB_VERT, 5, 10); // a page shows all
    CRect client;
    m_wnd.GetClientRect(&client);
    const CPoint bottom(client.Width() / 2, client.bottom - 2);
    m_services->tickCount = 0;
    m_target.OnDragScroll(&m_wnd, 0, bottom);
    m_services->tickCount = 5000;
    EXPECT_EQ(DROPEFFECT_NONE, m_target.OnDragScroll(&m_wnd, 0, bottom));
    EXPECT_TRUE(m_wnd.vscrolls.empty());

    m_wnd.scrollResult = DROPEFFECT_COPY;
    EXPECT_EQ(DROPEFFECT_COPY, m_target.OnDragScroll(&m_wnd, 0, bottom));
}

namespace
{
// A view that asks for scrolling: views keep the framework's own drag scrolling.
class CScrollAskingView : public CView
{
public:
    int scrolls = 0;
    void OnDraw(CDC*) override {}

    FW_MESSAGE_TABLE()

protected:
    LRESULT OnDragScroll(WPARAM, LPARAM lParam)
    {
        reinterpret_cast<OXDropRecord*>(lParam)->result = kOXDropEffectScroll;
        return 1;
    }
    void OnVScroll(UINT, UINT, CScrollBar*) { ++scrolls; }
};

FW_TABLE(CScrollAskingView, CView, fw::raw<WM_OX_DRAGSCROLL, &CScrollAskingView::OnDragScroll>(),
         fw::on<WM_VSCROLL, &CScrollAskingView::OnVScroll>())
} // namespace

TEST_F(DropSupport, AViewAskingForScrollingGetsTheFrameworksViewScrolling)
{
    auto* view = new CScrollAskingView; // deletes itself with its window
    ASSERT_TRUE(view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_VSCROLL,
                             CRect(0, 0, 200, 150), &m_wnd, 1));
    SCROLLINFO info = {sizeof info, SIF_RANGE | SIF_PAGE, 0, 100, 10, 0, 0};
    ::SetScrollInfo(view->GetSafeHwnd(), SB_VERT, &info, FALSE);
    COXDropTarget target;
    m_services->tickCount = 0;
    EXPECT_EQ(COleDropTarget().OnDragScroll(view, 0, CPoint(50, 145)),
              target.OnDragScroll(view, 0, CPoint(50, 145)));
    m_services->tickCount = 5000;
    target.OnDragScroll(view, 0, CPoint(50, 145));
    EXPECT_EQ(0, view->scrolls);
    view->DestroyWindow();
}

namespace
{
class CSourceOwner : public CWnd
{
public:
    LRESULT answer = 0;
    std::vector<OXDragSourceRecord> records;
    std::vector<UINT> messages;

    FW_MESSAGE_TABLE()

protected:
    LRESULT OnAny(WPARAM, LPARAM lParam)
    {
        auto* record = reinterpret_cast<OXDragSourceRecord*>(lParam);
        records.push_back(*record);
        messages.push_back(CWnd::GetCurrentMessage()->message);
        record->result = DRAGDROP_S_CANCEL;
        return answer;
    }
};

FW_TABLE(CSourceOwner, CWnd, fw::raw<WM_OX_GIVEFEEDBACK, &CSourceOwner::OnAny>(),
         fw::raw<WM_OX_QUERYCONTINUEDRAG, &CSourceOwner::OnAny>(),
         fw::raw<WM_OX_BEGINDRAG, &CSourceOwner::OnAny>())
} // namespace

TEST(OXDropSource, TheOwnerAnswersOrTheDefaultApplies)
{
    CSourceOwner owner;
    ASSERT_TRUE(owner.CreateEx(0, fw::RegisterWndClass(0), "owner", WS_POPUP, 0, 0, 50, 50, nullptr,
                               nullptr));
    COXDropSource source;
    // No owner: the framework's answers.
    EXPECT_EQ(S_OK, source.QueryContinueDrag(FALSE, MK_LBUTTON));
    source.m_pOwner = &owner;
    EXPECT_EQ(S_OK, source.QueryContinueDrag(FALSE, MK_LBUTTON)); // owner answers 0
    EXPECT_EQ(DRAGDROP_S_USEDEFAULTCURSORS, source.GiveFeedback(DROPEFFECT_MOVE));
    owner.answer = 1;
    EXPECT_EQ(DRAGDROP_S_CANCEL, source.QueryContinueDrag(TRUE, MK_LBUTTON | MK_SHIFT));
    EXPECT_EQ(DRAGDROP_S_CANCEL, source.GiveFeedback(DROPEFFECT_MOVE));
    EXPECT_TRUE(source.OnBeginDrag(&owner)); // the owner's non-zero result

    ASSERT_EQ(5u, owner.records.size());
    const OXDragSourceRecord& query = owner.records[2];
    EXPECT_EQ(static_cast<DWORD>(MK_LBUTTON | MK_SHIFT), query.keyState);
    EXPECT_TRUE(query.escape);
    EXPECT_EQ(DROPEFFECT_MOVE, owner.records[3].effect);
    EXPECT_EQ(&owner, owner.records[4].wnd);
    EXPECT_EQ(WM_OX_BEGINDRAG, owner.messages[4]);
    owner.DestroyWindow();
}
