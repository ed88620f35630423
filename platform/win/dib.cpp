// 32-bit DIB sections and off-screen OpenGL.
#include "platform/win/dib.h"

#include <GL/gl.h>

namespace fw
{
Dib32::~Dib32()
{
    Destroy();
}

bool Dib32::Create(int width, int height)
{
    Destroy();
    if (width <= 0 || height <= 0)
        return false;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    m_bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!m_bitmap)
        return false;
    m_bits = static_cast<unsigned char*>(bits);
    m_width = width;
    m_height = height;
    return true;
}

void Dib32::Destroy()
{
    if (m_bitmap)
        ::DeleteObject(m_bitmap);
    m_bitmap = nullptr;
    m_bits = nullptr;
    m_width = 0;
    m_height = 0;
}

GlOffscreen::~GlOffscreen()
{
    Destroy();
}

bool GlOffscreen::Create(int width, int height)
{
    Destroy();
    if (!m_dib.Create(width, height))
        return false;
    m_dc = ::CreateCompatibleDC(nullptr);
    if (!m_dc)
    {
        Destroy();
        return false;
    }
    m_oldBitmap = ::SelectObject(m_dc, m_dib.GetHandle());

    PIXELFORMATDESCRIPTOR pfd = {};
    pfd.nSize = sizeof pfd;
    pfd.nVersion = 1;
    pfd.dwFlags = PFD_DRAW_TO_BITMAP | PFD_SUPPORT_OPENGL | PFD_SUPPORT_GDI;
    pfd.iPixelType = PFD_TYPE_RGBA;
    pfd.cColorBits = 32;
    pfd.cDepthBits = 16;
    pfd.iLayerType = PFD_MAIN_PLANE;
    const int format = ::ChoosePixelFormat(m_dc, &pfd);
    if (format == 0 || !::SetPixelFormat(m_dc, format, &pfd))
    {
        Destroy();
        return false;
    }
    m_context = wglCreateContext(m_dc);
    if (!m_context)
    {
        Destroy();
        return false;
    }
    return true;
}

void GlOffscreen::Destroy()
{
    if (m_context)
    {
        if (wglGetCurrentContext() == m_context)
            wglMakeCurrent(nullptr, nullptr);
        wglDeleteContext(m_context);
    }
    m_context = nullptr;
    if (m_dc)
    {
        ::SelectObject(m_dc, m_oldBitmap);
        ::DeleteDC(m_dc);
    }
    m_dc = nullptr;
    m_oldBitmap = nullptr;
    m_dib.Destroy();
}

bool GlOffscreen::MakeCurrent() const
{
    if (!m_context)
        return false;
    // Wine's window driver remembers the context it made current and skips making it current
    // again: without this release, switching back to a window's context later does nothing.
    if (wglGetCurrentContext() != nullptr)
        wglMakeCurrent(nullptr, nullptr);
    return wglMakeCurrent(m_dc, m_context);
}

std::vector<unsigned char> GlOffscreen::ReadRgbRows() const
{
    std::vector<unsigned char> rows;
    if (!m_context)
        return rows;
    glFinish();
    ::GdiFlush();
    const int width = m_dib.GetWidth();
    const int height = m_dib.GetHeight();
    rows.resize(static_cast<size_t>(width) * height * 3);
    const unsigned char* bits = m_dib.GetBits();
    for (int y = 0; y < height; ++y)
    {
        const unsigned char* source =
            bits + static_cast<size_t>(height - 1 - y) * m_dib.GetStride();
        unsigned char* target = rows.data() + static_cast<size_t>(y) * width * 3;
        for (int x = 0; x < width; ++x)
        {
            target[x * 3 + 0] = source[x * 4 + 2];
            target[x * 3 + 1] = source[x * 4 + 1];
            target[x * 3 + 2] = source[x * 4 + 0];
        }
    }
    return rows;
}
} // namespace fw
