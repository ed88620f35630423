#include "platform/win/glpresent.h"

#include "platform/win/crackers.h"
#include "platform/win/dc.h"

#include <GL/gl.h>
#include <algorithm>
#include <cstring>

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
    std::vector<unsigned char> pixels;
    // Read before anything else: the swap leaves the back buffer undefined, and Wine remakes
    // the drawable of a window that gains a child (the copy window, the first time).
    if (PresentsThroughCopy() && window != nullptr && ::wglGetCurrentDC() == dc &&
        ::GetClientRect(window, &client) && client.right > 0 && client.bottom > 0)
    {
        pixels.resize(static_cast<size_t>(client.right) * client.bottom * 4);
        glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
        glPixelStorei(GL_PACK_ALIGNMENT, 4);
        glPixelStorei(GL_PACK_ROW_LENGTH, 0);
        glReadBuffer(GL_BACK);
        // Four bytes a pixel, rows bottom-up: a 32-bit DIB's own layout.
        glReadPixels(0, 0, client.right, client.bottom, GL_BGRA_EXT, GL_UNSIGNED_BYTE,
                     pixels.data());
        glPopClientAttrib();
        if (glGetError() != GL_NO_ERROR)
            pixels.clear();
    }
    ::SwapBuffers(dc);
    if (pixels.empty())
        return;
    CFrameCopyWnd* copy = CFrameCopyWnd::Find(window);
    const bool isFirst = copy == nullptr;
    if (isFirst)
        copy = CFrameCopyWnd::Of(window);
    const bool isResized = copy != nullptr && (copy->GetPicture().GetWidth() != client.right ||
                                               copy->GetPicture().GetHeight() != client.bottom);
    if (copy != nullptr)
        copy->ShowPicture(client.right, client.bottom, pixels);
    // Wine can lose the first frame of a new window, or of one that changed its size, while it
    // settles the window's drawable (the frame is drawn at the old size), and nothing else would
    // ask again: one more frame follows.
    if (isFirst || isResized)
        ::InvalidateRect(window, nullptr, FALSE);
}

void FitFrameCopy(HWND window)
{
    CFrameCopyWnd* copy = CFrameCopyWnd::Find(window);
    RECT client = {};
    if (copy == nullptr || !::GetClientRect(window, &client))
        return;
    copy->SetWindowPos(nullptr, 0, 0, client.right, client.bottom,
                       SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
}

FW_TABLE(CFrameCopyWnd, CWnd, fw::on<WM_NCHITTEST, &CFrameCopyWnd::OnNcHitTest>(),
         fw::on<WM_ERASEBKGND, &CFrameCopyWnd::OnEraseBkgnd>(),
         fw::on<WM_PAINT, &CFrameCopyWnd::OnPaint>())

CFrameCopyWnd* CFrameCopyWnd::Find(HWND window)
{
    for (HWND child = ::GetWindow(window, GW_CHILD); child != nullptr;
         child = ::GetWindow(child, GW_HWNDNEXT))
    {
        if (auto* copy = dynamic_cast<CFrameCopyWnd*>(CWnd::FromHandlePermanent(child)))
            return copy;
    }
    return nullptr;
}

CFrameCopyWnd* CFrameCopyWnd::Of(HWND window)
{
    if (CFrameCopyWnd* copy = Find(window))
        return copy;
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

void CFrameCopyWnd::ShowPicture(int width, int height, const std::vector<unsigned char>& pixels)
{
    if ((m_picture.GetWidth() != width || m_picture.GetHeight() != height) &&
        !m_picture.Create(width, height))
        return;
    ::GdiFlush();
    std::memcpy(m_picture.GetBits(), pixels.data(),
                std::min(pixels.size(), static_cast<size_t>(width) * height * 4));
    SetWindowPos(nullptr, 0, 0, width, height, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
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
