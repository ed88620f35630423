// The message-forwarding drop target and drop source, and the target's auto-scrolling of
// windows that are not views.
#include "widgets/bars/OXDragDropSupport.h"

#include "platform/docview/view.h"
#include "platform/sys/services.h"
#include "platform/win/wnd.h"

namespace
{
constexpr UINT kNoScroll = 0xFFFF;
constexpr BYTE kNoPart = 0xFF;

LRESULT Send(CWnd* wnd, UINT msg, OXDropRecord& record)
{
    if (!wnd || !wnd->GetSafeHwnd())
        return 0;
    return wnd->SendMessage(msg, 0, reinterpret_cast<LPARAM>(&record));
}

OXDropRecord MakeRecord(CWnd* wnd, COleDataObject* data, DWORD keyState, CPoint point)
{
    OXDropRecord record = {};
    record.wnd = wnd;
    record.data = data;
    record.keyState = keyState;
    record.x = point.x;
    record.y = point.y;
    return record;
}

// Whether the window scrolls in one direction. The style alone does not decide: a bar in the
// style counts only while its range exceeds a page, and one outside it counts when it does.
bool HasScrollBar(CWnd* wnd, int bar)
{
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_PAGE | SIF_RANGE;
    if (!::GetScrollInfo(wnd->GetSafeHwnd(), bar, &info))
        return false;
    return info.nMax > 0 && info.nPage > 0 && info.nMax >= static_cast<int>(info.nPage);
}

DROPEFFECT EffectOfKeys(DWORD keyState)
{
    const bool control = (keyState & MK_CONTROL) != 0;
    const bool shift = (keyState & MK_SHIFT) != 0;
    const bool alt = (keyState & MK_ALT) != 0;
    if (control && shift)
        return DROPEFFECT_LINK;
    if (control)
        return DROPEFFECT_COPY;
    if (alt || shift)
        return DROPEFFECT_MOVE;
    return DROPEFFECT_NONE;
}
} // namespace

DROPEFFECT COXDropTarget::OnDragEnter(CWnd* wnd, COleDataObject* data, DWORD keyState, CPoint point)
{
    OXDropRecord record = MakeRecord(wnd, data, keyState, point);
    if (!Send(wnd, WM_OX_DRAGENTER, record))
        return DROPEFFECT_NONE;
    return static_cast<DROPEFFECT>(record.result);
}

DROPEFFECT COXDropTarget::OnDragOver(CWnd* wnd, COleDataObject* data, DWORD keyState, CPoint point)
{
    OXDropRecord record = MakeRecord(wnd, data, keyState, point);
    if (!Send(wnd, WM_OX_DRAGOVER, record))
        return DROPEFFECT_NONE;
    return static_cast<DROPEFFECT>(record.result);
}

void COXDropTarget::OnDragLeave(CWnd* wnd)
{
    OXDropRecord record = MakeRecord(wnd, nullptr, 0, CPoint(0, 0));
    if (!Send(wnd, WM_OX_DRAGLEAVE, record))
        COleDropTarget::OnDragLeave(wnd);
}

BOOL COXDropTarget::OnDrop(CWnd* wnd, COleDataObject* data, DROPEFFECT effect, CPoint point)
{
    OXDropRecord record = MakeRecord(wnd, data, 0, point);
    record.effect = effect;
    if (!Send(wnd, WM_OX_DROP, record))
        return FALSE;
    return static_cast<BOOL>(record.result);
}

DROPEFFECT COXDropTarget::OnDropEx(CWnd* wnd, COleDataObject* data, DROPEFFECT dropDefault,
                                   DROPEFFECT dropList, CPoint point)
{
    OXDropRecord record = MakeRecord(wnd, data, 0, point);
    record.effect = dropDefault;
    record.effectList = dropList;
    if (!Send(wnd, WM_OX_DROPEX, record))
        return COleDropTarget::OnDropEx(wnd, data, dropDefault, dropList, point);
    return static_cast<DROPEFFECT>(record.result);
}

DROPEFFECT COXDropTarget::OnDragScroll(CWnd* wnd, DWORD keyState, CPoint point)
{
    OXDropRecord record = MakeRecord(wnd, nullptr, keyState, point);
    Send(wnd, WM_OX_DRAGSCROLL, record);
    const DROPEFFECT asked = static_cast<DROPEFFECT>(record.result);
    // Anything but the scroll effect is the window's own answer; unhandled gives 0.
    if (asked != kOXDropEffectScroll)
        return asked;
    if (!wnd || !wnd->GetSafeHwnd())
        return DROPEFFECT_NONE;
    if (wnd->IsKindOf(RUNTIME_CLASS(CView)))
        return COleDropTarget::OnDragScroll(wnd, keyState, point);

    const UINT code = ScrollCodeAt(wnd, point);
    if (code != kNoScroll)
        return ScrollWindowBy(wnd, code, keyState);
    if (m_scrollCode != kNoScroll)
        EndScrolling(wnd, keyState, point);
    return DROPEFFECT_NONE;
}

UINT COXDropTarget::ScrollCodeAt(CWnd* wnd, CPoint point)
{
    CRect client;
    wnd->GetClientRect(&client);
    CRect inner = client;
    inner.DeflateRect(m_nScrollInset, m_nScrollInset);
    if (!client.PtInRect(point) || inner.PtInRect(point))
        return kNoScroll;
    BYTE horizontal = kNoPart;
    BYTE vertical = kNoPart;
    if (HasScrollBar(wnd, SB_HORZ))
    {
        if (point.x < inner.left)
            horizontal = SB_LINELEFT;
        else if (point.x >= inner.right)
            horizontal = SB_LINERIGHT;
    }
    if (HasScrollBar(wnd, SB_VERT))
    {
        if (point.y < inner.top)
            vertical = SB_LINEUP;
        else if (point.y >= inner.bottom)
            vertical = SB_LINEDOWN;
    }
    return MAKEWORD(vertical, horizontal);
}

DROPEFFECT COXDropTarget::ScrollWindowBy(CWnd* wnd, UINT code, DWORD keyState)
{
    const ULONGLONG now = sys::Get().TickCount();
    if (code != m_scrollCode)
    {
        m_scrollTick = now;
        m_scrollDelay = m_nScrollDelay;
    }
    if (now - m_scrollTick > m_scrollDelay)
    {
        // One step per call, the vertical direction first.
        const BYTE vertical = LOBYTE(code);
        const BYTE horizontal = HIBYTE(code);
        if (vertical != kNoPart)
            wnd->SendMessage(WM_VSCROLL, MAKEWPARAM(vertical, 0), 0);
        else
            wnd->SendMessage(WM_HSCROLL, MAKEWPARAM(horizontal, 0), 0);
        m_scrollTick = now;
        m_scrollDelay = m_nScrollInterval;
    }
    // While scrolling the window takes no drop: it is told the drag left.
    if (m_scrollCode == kNoScroll)
        OnDragLeave(wnd);
    m_scrollCode = code;
    return kOXDropEffectScroll | EffectOfKeys(keyState);
}

void COXDropTarget::EndScrolling(CWnd* wnd, DWORD keyState, CPoint point)
{
    // Back in the middle: the window sees the drag enter again.
    m_scrollCode = kNoScroll;
    if (!m_lpDataObject)
        return;
    COleDataObject data;
    data.Attach(m_lpDataObject, FALSE);
    OnDragEnter(wnd, &data, keyState, point);
}

bool COXDropSource::Ask(UINT msg, OXDragSourceRecord& record) const
{
    if (!m_pOwner || !m_pOwner->GetSafeHwnd())
        return false;
    return m_pOwner->SendMessage(msg, 0, reinterpret_cast<LPARAM>(&record)) != 0;
}

BOOL COXDropSource::OnBeginDrag(CWnd* wnd)
{
    OXDragSourceRecord record = {};
    record.wnd = wnd;
    if (!Ask(WM_OX_BEGINDRAG, record))
        return COleDropSource::OnBeginDrag(wnd);
    return static_cast<BOOL>(record.result);
}

SCODE COXDropSource::QueryContinueDrag(BOOL escapePressed, DWORD keyState)
{
    OXDragSourceRecord record = {};
    record.keyState = keyState;
    record.escape = escapePressed;
    if (!Ask(WM_OX_QUERYCONTINUEDRAG, record))
        return COleDropSource::QueryContinueDrag(escapePressed, keyState);
    return static_cast<SCODE>(record.result);
}

SCODE COXDropSource::GiveFeedback(DROPEFFECT effect)
{
    OXDragSourceRecord record = {};
    record.effect = effect;
    if (!Ask(WM_OX_GIVEFEEDBACK, record))
        return COleDropSource::GiveFeedback(effect);
    return static_cast<SCODE>(record.result);
}
