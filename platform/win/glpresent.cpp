#include "platform/win/glpresent.h"

#include "platform/win/crackers.h"
#include "platform/win/dc.h"

#include <GL/gl.h>

#ifndef GL_BGRA_EXT
#define GL_BGRA_EXT 0x80E1
#endif

namespace fw
{
bool PresentsThroughCopy()
{
    static const bool isWine = []
    {
        const HMODULE ntdll = ::GetModuleHandleA("ntdll.dll");
        return ntdll != nullptr && ::GetProcAddress(ntdll, "wine_get_version") != nullptr;
    }();
    return isWine;
}

void PresentGLFrame(HDC dc)
{
    if (dc == nullptr)
        return;
    RECT client = {};
    const HWND window = ::WindowFromDC(dc);
    CFrameCopyWnd* copy = nullptr;
    // The back buffer is read before the swap leaves it undefined.
    if (PresentsThroughCopy() && window != nullptr && ::wglGetCurrentDC() == dc &&
        ::GetClientRect(window, &client) && client.right > 0 && client.bottom > 0)
        copy = CFrameCopyWnd::Of(window);
    if (copy != nullptr)
        copy->TakeBackBuffer(client.right, client.bottom);
    ::SwapBuffers(dc);
    if (copy != nullptr)
        copy->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

FW_TABLE(CFrameCopyWnd, CWnd, fw::on<WM_NCHITTEST, &CFrameCopyWnd::OnNcHitTest>(),
         fw::on<WM_ERASEBKGND, &CFrameCopyWnd::OnEraseBkgnd>(),
         fw::on<WM_PAINT, &CFrameCopyWnd::OnPaint>())

CFrameCopyWnd* CFrameCopyWnd::Of(HWND window)
{
    for (HWND child = ::GetWindow(window, GW_CHILD); child != nullptr;
         child = ::GetWindow(child, GW_HWNDNEXT))
    {
        if (auto* copy = dynamic_cast<CFrameCopyWnd*>(CWnd::FromHandlePermanent(child)))
            return copy;
    }
    auto* copy = new CFrameCopyWnd;
    if (!copy->CreateEx(0, RegisterWndClass(0), nullptr, WS_CHILD | WS_VISIBLE | WS_DISABLED, 0, 0,
                        0, 0, window, nullptr))
    {
        // Without a window nothing deletes the object on its own.
        if (copy->m_hWnd == nullptr)
            delete copy;
        return nullptr;
    }
    return copy;
}

void CFrameCopyWnd::TakeBackBuffer(int width, int height)
{
    if ((m_picture.GetWidth() != width || m_picture.GetHeight() != height) &&
        !m_picture.Create(width, height))
        return;
    SetWindowPos(nullptr, 0, 0, width, height, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glPixelStorei(GL_PACK_ROW_LENGTH, 0);
    glReadBuffer(GL_BACK);
    // Four bytes a pixel, rows bottom-up: the DIB's own layout.
    glReadPixels(0, 0, width, height, GL_BGRA_EXT, GL_UNSIGNED_BYTE, m_picture.GetBits());
    glPopClientAttrib();
    GdiFlush();
}

LRESULT CFrameCopyWnd::OnNcHitTest(CPoint)
{
    return HTTRANSPARENT;
}

BOOL CFrameCopyWnd::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CFrameCopyWnd::OnPaint()
{
    PAINTSTRUCT paint;
    HDC dc = ::BeginPaint(m_hWnd, &paint);
    if (m_picture.GetHandle() != nullptr)
    {
        HDC memory = ::CreateCompatibleDC(dc);
        const HGDIOBJ old = ::SelectObject(memory, m_picture.GetHandle());
        ::BitBlt(dc, 0, 0, m_picture.GetWidth(), m_picture.GetHeight(), memory, 0, 0, SRCCOPY);
        ::SelectObject(memory, old);
        ::DeleteDC(memory);
    }
    ::EndPaint(m_hWnd, &paint);
}

void CFrameCopyWnd::PostNcDestroy()
{
    delete this;
}
} // namespace fw
