// The drop target's IDropTarget: screen points become client points, the dragged data is
// held for the whole drag, and every call after the owner went answers "no drop".
#include "platform/ole/droptarget.h"

#include "platform/ole/comsite.h"
#include "platform/ole/dataobject.h"
#include "platform/ole/oleinit.h"
#include "platform/win/wnd.h"

class COleDropTarget::Site : public fw::ComSite<IDropTarget, IID_IDropTarget, COleDropTarget>
{
public:
    using ComSite::ComSite;

    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keyState, POINTL point,
                                        DWORD* effect) override
    {
        if (!effect)
            return E_INVALIDARG;
        Hold(data);
        DROPEFFECT result = DROPEFFECT_NONE;
        if (m_owner && data)
        {
            COleDataObject view;
            view.Attach(data, FALSE);
            result = m_owner->OnDragEnter(Window(), &view, keyState, ClientPoint(point));
        }
        *effect = result & *effect;
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE DragOver(DWORD keyState, POINTL point, DWORD* effect) override
    {
        if (!effect)
            return E_INVALIDARG;
        DROPEFFECT result = DROPEFFECT_NONE;
        if (m_owner && m_owner->m_lpDataObject)
        {
            const CPoint client = ClientPoint(point);
            result = m_owner->OnDragScroll(Window(), keyState, client);
            if (!(result & DROPEFFECT_SCROLL))
            {
                COleDataObject view;
                view.Attach(m_owner->m_lpDataObject, FALSE);
                result = m_owner->OnDragOver(Window(), &view, keyState, client);
            }
        }
        *effect = result & (*effect | DROPEFFECT_SCROLL);
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE DragLeave() override
    {
        if (m_owner)
            m_owner->OnDragLeave(Window());
        Hold(nullptr);
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keyState, POINTL point,
                                   DWORD* effect) override
    {
        if (!effect)
            return E_INVALIDARG;
        Hold(data);
        DROPEFFECT result = DROPEFFECT_NONE;
        if (m_owner && data)
            result = DropOn(data, keyState, ClientPoint(point), *effect);
        *effect = result;
        Hold(nullptr);
        return S_OK;
    }

    ~Site() override { Hold(nullptr); }

private:
    DROPEFFECT DropOn(IDataObject* data, DWORD keyState, CPoint point, DROPEFFECT allowed)
    {
        COleDataObject view;
        view.Attach(data, FALSE);
        CWnd* wnd = Window();
        const DROPEFFECT dropDefault = m_owner->OnDragOver(wnd, &view, keyState, point) & allowed;
        if (!m_owner)
            return DROPEFFECT_NONE; // the handler destroyed the target
        DROPEFFECT result = m_owner->OnDropEx(wnd, &view, dropDefault, allowed, point);
        if (result != static_cast<DROPEFFECT>(-1))
            return result;
        if (!m_owner || dropDefault == DROPEFFECT_NONE)
            return DROPEFFECT_NONE;
        return m_owner->OnDrop(wnd, &view, dropDefault, point) ? dropDefault : DROPEFFECT_NONE;
    }

    // Keeps the dragged data alive from enter to leave or drop.
    void Hold(IDataObject* data)
    {
        if (data)
            data->AddRef();
        if (m_held)
            m_held->Release();
        m_held = data;
        if (m_owner)
            m_owner->m_lpDataObject = data;
    }

    CWnd* Window() const { return CWnd::FromHandle(m_owner->m_hWnd); }

    CPoint ClientPoint(POINTL screen) const
    {
        POINT p = {screen.x, screen.y};
        if (m_owner)
            ::ScreenToClient(m_owner->m_hWnd, &p);
        return CPoint(p.x, p.y);
    }

    IDataObject* m_held = nullptr; // one reference
};

COleDropTarget::COleDropTarget()
    : m_site(new Site(this))
{
}

COleDropTarget::~COleDropTarget()
{
    Revoke();
    m_lpDataObject = nullptr;
    m_site->Disconnect();
}

BOOL COleDropTarget::Register(CWnd* wnd)
{
    if (!wnd || !wnd->GetSafeHwnd() || m_hWnd || !fw::OleInit())
        return FALSE;
    if (FAILED(::RegisterDragDrop(wnd->GetSafeHwnd(), m_site)))
        return FALSE;
    m_hWnd = wnd->GetSafeHwnd();
    return TRUE;
}

void COleDropTarget::Revoke()
{
    if (!m_hWnd)
        return;
    ::RevokeDragDrop(m_hWnd);
    m_hWnd = nullptr;
}

IDropTarget* COleDropTarget::GetInterface()
{
    return m_site;
}

DROPEFFECT COleDropTarget::OnDragEnter(CWnd*, COleDataObject*, DWORD, CPoint)
{
    return DROPEFFECT_NONE;
}

DROPEFFECT COleDropTarget::OnDragOver(CWnd*, COleDataObject*, DWORD, CPoint)
{
    return DROPEFFECT_NONE;
}

void COleDropTarget::OnDragLeave(CWnd*)
{
}

BOOL COleDropTarget::OnDrop(CWnd*, COleDataObject*, DROPEFFECT, CPoint)
{
    return FALSE;
}

DROPEFFECT COleDropTarget::OnDropEx(CWnd*, COleDataObject*, DROPEFFECT, DROPEFFECT, CPoint)
{
    return static_cast<DROPEFFECT>(-1);
}

DROPEFFECT COleDropTarget::OnDragScroll(CWnd*, DWORD, CPoint)
{
    return DROPEFFECT_NONE;
}
