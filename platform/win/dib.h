// 32-bit DIB sections and OpenGL rendering into them (printing, image export). Wine's OpenGL
// creates a context on a 24-bit DIB but draws nothing into it, so only 32-bit ones are made.
#pragma once

#include <windows.h>

#include <vector>

namespace fw
{
// A bottom-up 32-bit DIB section (blue, green, red, unused per pixel): memory row 0 is the
// bottom row, as OpenGL counts rows.
class Dib32
{
public:
    Dib32() = default;
    ~Dib32();
    Dib32(const Dib32&) = delete;
    Dib32& operator=(const Dib32&) = delete;

    bool Create(int width, int height);
    void Destroy();

    HBITMAP GetHandle() const { return m_bitmap; }
    const unsigned char* GetBits() const { return m_bits; }
    unsigned char* GetBits() { return m_bits; }
    int GetWidth() const { return m_width; }
    int GetHeight() const { return m_height; }
    int GetStride() const { return m_width * 4; }

private:
    HBITMAP m_bitmap = nullptr; // owned
    unsigned char* m_bits = nullptr;
    int m_width = 0;
    int m_height = 0;
};

// An OpenGL context drawing into a 32-bit DIB selected into a memory DC.
class GlOffscreen
{
public:
    GlOffscreen() = default;
    ~GlOffscreen();
    GlOffscreen(const GlOffscreen&) = delete;
    GlOffscreen& operator=(const GlOffscreen&) = delete;

    // Bitmap, memory DC, pixel format and context; false and nothing kept on failure.
    bool Create(int width, int height);
    void Destroy();
    // Releases the current context first; switch back with wglMakeCurrent as usual.
    bool MakeCurrent() const;

    HDC GetDC() const { return m_dc; }
    HGLRC GetContext() const { return m_context; }
    int GetWidth() const { return m_dib.GetWidth(); }
    int GetHeight() const { return m_dib.GetHeight(); }

    // Finishes the drawing and returns the image top-down as rows of width * 3 bytes of red,
    // green, blue.
    std::vector<unsigned char> ReadRgbRows() const;

private:
    Dib32 m_dib;
    HDC m_dc = nullptr; // owned
    HGDIOBJ m_oldBitmap = nullptr;
    HGLRC m_context = nullptr; // owned
};
} // namespace fw
