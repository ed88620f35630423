// The drag source: waiting for the drag to begin, and the IDropSource that OLE asks during it.
#include "platform/ole/dropsource.h"

#include "platform/ole/comsite.h"
#include "platform/win/wnd.h"

class COleDropSource::Site : public fw::ComSite<IDropSource, IID_IDropSource, COleDropSource>
{
public:
    using ComSite::ComSite;

    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escapePressed, DWORD keyState) override
    {
        return m_owner ? m_owner->QueryContinueDrag(escapePressed, keyState) : DRAGDROP_S_CANCEL;
    }
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD effect) override
    {
        return m_owner ? m_owner->GiveFeedback(effect) : DRAGDROP_S_USEDEFAULTCURSORS;
    }
};

namespace
{
enum class BeginOutcome
{
    Waiting,
    Start,
    Cancel
};

// What one input message means while the drag has not begun.
BeginOutcome Classify(const MSG& msg, const CRect& startRect)
{
    switch (msg.message)
    {
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: return BeginOutcome::Cancel;
    case WM_KEYDOWN: return msg.wParam == VK_ESCAPE ? BeginOutcome::Cancel : BeginOutcome::Waiting;
    case WM_MOUSEMOVE:
    {
        POINT point = {static_cast<short>(LOWORD(msg.lParam)),
                       static_cast<short>(HIWORD(msg.lParam))};
        ::ClientToScreen(msg.hwnd, &point);
        return startRect.PtInRect(CPoint(point.x, point.y)) ? BeginOutcome::Waiting
                                                            : BeginOutcome::Start;
    }
    default: return BeginOutcome::Waiting;
    }
}

bool IsInput(UINT message)
{
    return (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) ||
           (message >= WM_KEYFIRST && message <= WM_KEYLAST);
}
} // namespace

COleDropSource::COleDropSource()
    : m_site(new Site(this))
{
}

COleDropSource::~COleDropSource()
{
    m_site->Disconnect();
}

BOOL COleDropSource::OnBeginDrag(CWnd* wnd)
{
    if (!wnd || !wnd->GetSafeHwnd())
        return FALSE;
    m_dwButtonDrop =
        (::GetKeyState(VK_RBUTTON) < 0 && ::GetKeyState(VK_LBUTTON) >= 0) ? MK_RBUTTON : MK_LBUTTON;
    const HWND hwnd = wnd->GetSafeHwnd();
    ::SetCapture(hwnd);
    const ULONGLONG deadline = ::GetTickCount64() + DD_DEFDRAGDELAY;
    BeginOutcome outcome = BeginOutcome::Waiting;
    while (outcome == BeginOutcome::Waiting)
    {
        if (::GetCapture() != hwnd)
        {
            outcome = BeginOutcome::Cancel;
            break;
        }
        MSG msg;
        if (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        {
            if (msg.message == WM_QUIT)
            {
                ::PostQuitMessage(static_cast<int>(msg.wParam));
                outcome = BeginOutcome::Cancel;
            }
            else if (IsInput(msg.message))
            {
                outcome = Classify(msg, m_rectStartDrag);
            }
            else
            {
                ::DispatchMessageA(&msg);
            }
            continue;
        }
        const ULONGLONG now = ::GetTickCount64();
        if (now >= deadline)
            outcome = BeginOutcome::Start;
        else
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(deadline - now),
                                        QS_ALLINPUT);
    }
    if (::GetCapture() == hwnd)
        ::ReleaseCapture();
    return outcome == BeginOutcome::Start;
}

SCODE COleDropSource::QueryContinueDrag(BOOL escapePressed, DWORD keyState)
{
    const DWORD otherButtons = (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON) & ~m_dwButtonDrop;
    if (escapePressed || (keyState & otherButtons))
        return DRAGDROP_S_CANCEL;
    if (!(keyState & m_dwButtonDrop))
        return DRAGDROP_S_DROP;
    return S_OK;
}

SCODE COleDropSource::GiveFeedback(DROPEFFECT)
{
    return DRAGDROP_S_USEDEFAULTCURSORS;
}

IDropSource* COleDropSource::GetInterface()
{
    return m_site;
}
