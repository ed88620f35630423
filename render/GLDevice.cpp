// OpenGL device: rendering context, primitives, render modes, lists, text, markers, lighting.
#include "render/GLDevice.h"

#include "core/geometry/VectorMath.h"
#include "platform/base/progress.h"
#include "platform/win/dc.h"
#include "platform/win/wnd.h"
#include "render/Facet.h"
#include "render/ListBatch.h"
#include "render/ListCompiler.h"
#include "render/RenderLog.h"
#include "render/ViewVolume.h"

#include <GL/glu.h>
#include <cmath>
#include <cstddef>
#include <cstring>
#include <vector>

namespace
{
constexpr double kPi = 3.14159265358979323846;

void Vertex(const CPoint3D& p)
{
    glVertex3f(static_cast<float>(p.x), static_cast<float>(p.y), static_cast<float>(p.z));
}

void Normal(const CPoint3D& n)
{
    glNormal3f(static_cast<float>(n.x), static_cast<float>(n.y), static_cast<float>(n.z));
}

bool SetViewPixelFormat(HDC hdc)
{
    PIXELFORMATDESCRIPTOR pfd = {};
    pfd.nSize = sizeof pfd;
    pfd.nVersion = 1;
    pfd.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    pfd.iPixelType = PFD_TYPE_RGBA;
    pfd.cColorBits = 24;
    pfd.cDepthBits = 16;
    pfd.iLayerType = PFD_MAIN_PLANE;
    const int format = hdc != nullptr ? ::ChoosePixelFormat(hdc, &pfd) : 0;
    return format != 0 && ::SetPixelFormat(hdc, format, &pfd) != FALSE;
}

// Mesa's software rasteriser under Wine takes its scene memory for every frame from the C
// library's allocator and frees it after the frame; the allocator gives back to the system
// whatever lies free beyond its trim threshold, 128 KB until a block that it mapped on its own is
// freed, then twice that block's size. A process whose allocations never freed such a block
// faults every frame's scene memory in again, page by page: three to four times the frame of a
// large model, and from run to run of the same program. One buffer made and freed at the first
// context raises the thresholds for the whole process. Elsewhere it costs an allocation.
void RaiseAllocatorThresholds()
{
    static bool isRaised = false;
    if (isRaised)
        return;
    isRaised = true;
    using GenBuffers = void(APIENTRY*)(GLsizei, GLuint*);
    using BindBuffer = void(APIENTRY*)(GLenum, GLuint);
    using BufferData = void(APIENTRY*)(GLenum, std::ptrdiff_t, const void*, GLenum);
    using DeleteBuffers = void(APIENTRY*)(GLsizei, const GLuint*);
    const auto gen = reinterpret_cast<GenBuffers>(wglGetProcAddress("glGenBuffers"));
    const auto bind = reinterpret_cast<BindBuffer>(wglGetProcAddress("glBindBuffer"));
    const auto data = reinterpret_cast<BufferData>(wglGetProcAddress("glBufferData"));
    const auto remove = reinterpret_cast<DeleteBuffers>(wglGetProcAddress("glDeleteBuffers"));
    if (gen == nullptr || bind == nullptr || data == nullptr || remove == nullptr)
        return;
    constexpr GLenum kArrayBuffer = 0x8892;
    constexpr GLenum kStaticDraw = 0x88E4;
    // Below the largest block whose freeing raises the thresholds (32 MB on 64 bits).
    constexpr std::ptrdiff_t kBytes = 30 << 20;
    GLuint buffer = 0;
    gen(1, &buffer);
    bind(kArrayBuffer, buffer);
    data(kArrayBuffer, kBytes, nullptr, kStaticDraw);
    bind(kArrayBuffer, 0);
    remove(1, &buffer);
    glFinish();
    glGetError(); // a buffer the driver could not give is no error of the caller's
}

void LoadNameIfAny(UINT name)
{
    // 0 leaves the name stack alone: the primitive is picked under the name loaded last.
    if (name != 0)
        glLoadName(name);
}

void Store4(float* target, float a, float b, float c, float d)
{
    target[0] = a;
    target[1] = b;
    target[2] = c;
    target[3] = d;
}
} // namespace

CGLDevice::CGLDevice()
    : m_selectBuffer(kInitialSelectWords, 0)
{
}

CGLDevice::~CGLDevice()
{
    m_listCompiler.reset();
    delete m_pDC;
}

CListCompiler* CGLDevice::GetListCompiler(size_t workers)
{
    if (workers == 0 || m_isListCompilerFailed || m_hRC == nullptr || m_pDC == nullptr)
        return nullptr;
    if (!m_listCompiler)
    {
        auto compiler = std::make_unique<CListCompiler>();
        if (!compiler->Start(m_pDC->GetSafeHdc(), m_hRC, workers))
        {
            // Said once: the context does not try again.
            m_isListCompilerFailed = true;
            render_log::Write(render_log::kError, "CGLDevice::GetListCompiler",
                              CListCompiler::kNotStartedText);
            return nullptr;
        }
        m_listCompiler = std::move(compiler);
    }
    return m_listCompiler.get();
}

void CGLDevice::CopyDrawingState(const CGLDevice& other)
{
    std::memcpy(m_lightAmbient, other.m_lightAmbient, sizeof m_lightAmbient);
    std::memcpy(m_lightDiffuse, other.m_lightDiffuse, sizeof m_lightDiffuse);
    std::memcpy(m_lightSpecular, other.m_lightSpecular, sizeof m_lightSpecular);
    std::memcpy(m_lightPosition, other.m_lightPosition, sizeof m_lightPosition);
    std::memcpy(m_matAmbient, other.m_matAmbient, sizeof m_matAmbient);
    std::memcpy(m_matDiffuse, other.m_matDiffuse, sizeof m_matDiffuse);
    std::memcpy(m_matSpecular, other.m_matSpecular, sizeof m_matSpecular);
    std::memcpy(m_matEmission, other.m_matEmission, sizeof m_matEmission);
    m_shininess = other.m_shininess;
    m_shadeModel = other.m_shadeModel;
    m_depthOffset = other.m_depthOffset;
    m_bResultFacesInFront = other.m_bResultFacesInFront;
    m_nPointSize = other.m_nPointSize;
    m_color = other.m_color;
    m_fontListBase = other.m_fontListBase;
}

void CGLDevice::AssumeReplayed(const CListBatch& batch)
{
    const CListBatch::LastState last = batch.GetLastState();
    if (last.hasMaterial)
    {
        std::memcpy(m_matAmbient, last.material[0], sizeof m_matAmbient);
        std::memcpy(m_matDiffuse, last.material[1], sizeof m_matDiffuse);
        std::memcpy(m_matSpecular, last.material[2], sizeof m_matSpecular);
        std::memcpy(m_matEmission, last.material[3], sizeof m_matEmission);
        m_shininess = last.shininess;
    }
    if (last.hasColor)
    {
        m_color.r = last.color[0];
        m_color.g = last.color[1];
        m_color.b = last.color[2];
    }
}

BOOL CGLDevice::CreateRenderingContext(CWnd* wnd, CColorRGBA clearColor)
{
    // A null window would give the screen's DC.
    if (!wnd || !wnd->GetSafeHwnd())
        return FALSE;
    if (m_hRC || m_pDC)
        DeleteRenderingContext();
    m_pDC = new CClientDC(wnd);
    if (!m_pDC->GetSafeHdc() || !SetupPixelFormat())
        return FALSE;
    m_hRC = wglCreateContext(m_pDC->GetSafeHdc());
    if (!m_hRC)
        return FALSE;
    if (!wglMakeCurrent(m_pDC->GetSafeHdc(), m_hRC))
        return FALSE;
    RaiseAllocatorThresholds();
    glClearColor(clearColor.r, clearColor.g, clearColor.b, 0.0f);
    glClearDepth(1.0);
    glEnable(GL_DEPTH_TEST);
    return TRUE;
}

void CGLDevice::LoadDriver()
{
    const HWND window = ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                          ::GetModuleHandleA(nullptr), nullptr);
    if (window == nullptr)
        return;
    const HDC hdc = ::GetDC(window);
    if (SetViewPixelFormat(hdc))
    {
        if (const HGLRC context = wglCreateContext(hdc))
        {
            if (wglMakeCurrent(hdc, context))
            {
                RaiseAllocatorThresholds();
                wglMakeCurrent(nullptr, nullptr);
            }
            wglDeleteContext(context);
        }
    }
    if (hdc != nullptr)
        ::ReleaseDC(window, hdc);
    ::DestroyWindow(window);
}

void CGLDevice::DrawQuadWithNormal(const CPoint3D& p0, const CPoint3D& p1, const CPoint3D& p2,
                                   const CPoint3D& p3, const CPoint3D& normal, UINT name)
{
    LoadNameIfAny(name);
    glBegin(GL_QUADS);
    Normal(normal);
    Vertex(p0);
    Vertex(p1);
    Vertex(p2);
    Vertex(p3);
    glEnd();
}

void CGLDevice::DrawQuad(const CPoint3D& p0, const CPoint3D& p1, const CPoint3D& p2,
                         const CPoint3D& p3, UINT name)
{
    LoadNameIfAny(name);
    glBegin(GL_QUADS);
    Vertex(p0);
    Vertex(p1);
    Vertex(p2);
    Vertex(p3);
    glEnd();
}

void CGLDevice::DrawFan(const CPoint3DArray* ring, const CPoint3D& centre, BOOL fill, UINT_PTR)
{
    DrawFanImpl(ring, centre, fill);
}

void CGLDevice::DrawTriangleWithNormal(const CPoint3D& p0, const CPoint3D& p1, const CPoint3D& p2,
                                       const CPoint3D& normal, UINT name)
{
    LoadNameIfAny(name);
    glBegin(GL_TRIANGLES);
    Normal(normal);
    Vertex(p0);
    Vertex(p1);
    Vertex(p2);
    glEnd();
}

void CGLDevice::DrawTriangle(const CPoint3D& p0, const CPoint3D& p1, const CPoint3D& p2, UINT name)
{
    LoadNameIfAny(name);
    glBegin(GL_TRIANGLES);
    Vertex(p0);
    Vertex(p1);
    Vertex(p2);
    glEnd();
}

void CGLDevice::DrawFan2(const CPoint3DArray* ring, const CPoint3D& centre, BOOL fill, UINT_PTR)
{
    DrawFanImpl(ring, centre, fill);
}

UINT CGLDevice::CreateFontLists(const LOGFONT* font)
{
    if (!m_pDC || !font)
        return 0;
    const UINT base = glGenLists(256);
    if (base == 0)
        return 0;
    const HDC hdc = m_pDC->GetSafeHdc();
    const HFONT gdiFont = ::CreateFontIndirectA(font);
    const HGDIOBJ oldFont = ::SelectObject(hdc, gdiFont);
    const BOOL made = wglUseFontBitmapsA(hdc, 0, 256, base);
    // Wine's font lists leave GL_OUT_OF_MEMORY behind even when they succeed; later error
    // checks would blame the next drawing for it.
    while (glGetError() != GL_NO_ERROR)
    {
    }
    ::SelectObject(hdc, oldFont);
    ::DeleteObject(gdiFont);
    if (!made)
    {
        glDeleteLists(base, 256);
        return 0;
    }
    return base;
}

void CGLDevice::SetColor(CColorRGBA color)
{
    m_color.r = color.r;
    m_color.g = color.g;
    m_color.b = color.b;
    glColor3f(color.r, color.g, color.b);
}

CColorRGBA CGLDevice::GetColor()
{
    return m_color;
}

void CGLDevice::SetFontListBase(UINT base)
{
    m_fontListBase = base;
}

void CGLDevice::SetLineWidth(float width)
{
    glLineWidth(width);
}

void CGLDevice::SetupLitPolygons(GLenum face)
{
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glPolygonMode(face, GL_FILL);
    EnableLighting(TRUE);
    SetupLight();
    ApplyMaterial(face);
}

void CGLDevice::SetupUnlitPolygons(GLenum face, GLenum mode)
{
    glDisable(GL_BLEND);
    EnableLighting(FALSE);
    glPolygonMode(face, mode);
}

void CGLDevice::UseFaceDepthRange()
{
    // A result list keeps the offset of the camera it was compiled under (a new view's
    // default, or the camera before a zoom), while the highlight and the lines take the offset
    // of the camera they are drawn under. Moved in from both ends by a quarter of the smallest
    // offset, result faces stay that far behind them and in front of the model's faces at
    // every depth, whichever camera each had; a range scaled at its far end alone would part
    // them by nothing at the front of the volume.
    if (m_bResultFacesInFront)
        glDepthRange(kMinDepthOffset / 4, 1.0 - kMinDepthOffset / 4);
    else
        glDepthRange(m_depthOffset, 1.0);
}

void CGLDevice::SetRenderMode(int mode)
{
    glShadeModel(GL_SMOOTH);
    glEnable(GL_DEPTH_TEST);
    const double d = m_depthOffset;
    // At equal depth, lines of mode 0 win over faces of 7 and 8, then 9, then 1 to 6.
    // Result faces of modes 1 to 6 stand behind mode 9 (see SetResultFacesInFront).
    switch (mode)
    {
    case 0:
        glDepthRange(0.0, 1.0 - d);
        SetupUnlitPolygons(GL_FRONT_AND_BACK, GL_LINE);
        break;
    case 1:
        UseFaceDepthRange();
        SetupUnlitPolygons(GL_FRONT, GL_FILL);
        break;
    case 2:
        UseFaceDepthRange();
        SetupUnlitPolygons(GL_BACK, GL_FILL);
        break;
    case 3:
        UseFaceDepthRange();
        glShadeModel(GL_FLAT);
        SetupLitPolygons(GL_BACK);
        break;
    case 4:
        UseFaceDepthRange();
        SetupLitPolygons(GL_FRONT);
        break;
    case 5:
        UseFaceDepthRange();
        SetupUnlitPolygons(GL_FRONT_AND_BACK, GL_FILL);
        break;
    case 6:
        UseFaceDepthRange();
        glShadeModel(GL_FLAT);
        SetupLitPolygons(GL_FRONT_AND_BACK);
        break;
    case 7:
        glDepthRange(0.0, 1.0 - d / 2);
        SetupUnlitPolygons(GL_FRONT_AND_BACK, GL_FILL);
        break;
    case 8:
        glDepthRange(0.0, 1.0 - d / 2);
        glShadeModel(GL_FLAT);
        SetupLitPolygons(GL_FRONT_AND_BACK);
        break;
    case 9:
        glDepthRange(0.0, 1.0 - d / 4);
        SetupUnlitPolygons(GL_FRONT_AND_BACK, GL_FILL);
        break;
    default:
        glDepthRange(d, 1.0);
        SetupUnlitPolygons(GL_FRONT_AND_BACK, GL_LINE);
        break;
    }
}

void CGLDevice::SetLineStipple(int stipple)
{
    if (stipple == 0)
    {
        glDisable(GL_LINE_STIPPLE);
        return;
    }
    glEnable(GL_LINE_STIPPLE);
    if (stipple == 1)
        glLineStipple(8, 0x5555);
    else if (stipple == 2)
        glLineStipple(2, 0x5555);
}

void CGLDevice::DrawPoint(const CPoint3D& point, UINT name)
{
    LoadNameIfAny(name);
    glBegin(GL_POINTS);
    Vertex(point);
    glEnd();
}

void CGLDevice::DrawShrunkLine(double factor, CPoint3D a, CPoint3D b, UINT name)
{
    const CPoint3D mid = (a + b) * 0.5;
    const CPoint3D shrunkA = mid + (a - mid) * factor;
    const CPoint3D shrunkB = mid + (b - mid) * factor;
    LoadNameIfAny(name);
    glBegin(GL_LINES);
    Vertex(shrunkA);
    Vertex(shrunkB);
    glEnd();
}

void CGLDevice::DrawLine(const CPoint3D& a, const CPoint3D& b, UINT name)
{
    LoadNameIfAny(name);
    glBegin(GL_LINES);
    Vertex(a);
    Vertex(b);
    glEnd();
}

void CGLDevice::DrawPolyline(const CPoint3D* points, int count, UINT name)
{
    LoadNameIfAny(name);
    glBegin(GL_LINE_STRIP);
    for (int i = 0; points && i < count; ++i)
        Vertex(points[i]);
    glEnd();
}

// Facets and coloured polygons are convex; as triangles of a fan they draw the same pixels as
// one polygon, and consecutive triangles merge into one primitive in a display list, where a
// list of a million separate polygons would take several times the memory and drawing time.
void CGLDevice::DrawFacet(const CFacet* facet, UINT_PTR)
{
    if (!facet || facet->GetVertexCount() < 3)
        return;
    const CPoint3D* const* vertices = facet->m_vertices.GetData();
    const INT_PTR count = facet->GetVertexCount();
    glBegin(GL_TRIANGLES);
    Normal(facet->m_normal);
    for (INT_PTR i = 1; i + 1 < count; ++i)
    {
        Vertex(*vertices[0]);
        Vertex(*vertices[i]);
        Vertex(*vertices[i + 1]);
    }
    glEnd();
}

void CGLDevice::DrawPolygon(const CPoint3D* points, int count, UINT name)
{
    LoadNameIfAny(name);
    glBegin(GL_POLYGON);
    for (int i = 0; points && i < count; ++i)
        Vertex(points[i]);
    glEnd();
}

void CGLDevice::DrawColoredPolygon(const CPoint3DArray* points, const CColorRGBA* colors)
{
    if (!points)
        return;
    DrawColoredPolygon(points->GetData(), colors, static_cast<int>(points->GetSize()));
}

void CGLDevice::DrawColoredPolygon(const CPoint3D* points, const CColorRGBA* colors, int count)
{
    if (!points || !colors || count < 3)
        return;
    const auto corner = [&](int i)
    {
        glColor3f(colors[i].r, colors[i].g, colors[i].b);
        Vertex(points[i]);
    };
    glBegin(GL_TRIANGLES);
    for (int i = 1; i + 1 < count; ++i)
    {
        corner(0);
        corner(i);
        corner(i + 1);
    }
    glEnd();
}

void CGLDevice::DrawText2D(const CPoint3D& windowPoint, const char* text)
{
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    gluOrtho2D(viewport[0], viewport[2], 0, viewport[3]);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    // The point's y counts upwards from the viewport's bottom, as OpenGL's does; the text sits
    // just right of and above it.
    glRasterPos2d(windowPoint.x + 2, windowPoint.y - viewport[1] + 2);
    if (m_fontListBase != 0 && text)
    {
        glListBase(m_fontListBase);
        glCallLists(static_cast<GLsizei>(std::strlen(text)), GL_UNSIGNED_BYTE, text);
    }
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
}

void CGLDevice::DrawText3D(const CPoint3D& modelPoint, const char* text)
{
    if (m_fontListBase == 0 || !text)
        return;
    glRasterPos3d(modelPoint.x, modelPoint.y, modelPoint.z);
    glListBase(m_fontListBase);
    glCallLists(static_cast<GLsizei>(std::strlen(text)), GL_UNSIGNED_BYTE, text);
}

void CGLDevice::BeginList(UINT list)
{
    glNewList(list, GL_COMPILE);
}

void CGLDevice::EndList()
{
    glEndList();
}

void CGLDevice::CallList(UINT list)
{
    if (m_pListSubstitute != nullptr && m_pListSubstitute->DrawInsteadOfList(list, *this))
        return;
    glCallList(list);
    fw::NoteProgress();
}

void CGLDevice::DeleteList(UINT list)
{
    glDeleteLists(list, 1);
}

UINT_PTR CGLDevice::ReservedSlot28(UINT_PTR, UINT_PTR)
{
    return 0;
}

BOOL CGLDevice::SetupPixelFormat()
{
    return m_pDC != nullptr && SetViewPixelFormat(m_pDC->GetSafeHdc());
}

BOOL CGLDevice::ReservedSlot30(UINT_PTR)
{
    return TRUE;
}

void CGLDevice::DeleteRenderingContext()
{
    // The workers' contexts go first: they share this one's lists.
    m_listCompiler.reset();
    m_isListCompilerFailed = false;
    wglMakeCurrent(nullptr, nullptr);
    if (m_hRC)
        wglDeleteContext(m_hRC);
    m_hRC = nullptr;
    if (m_pDC)
    {
        m_pDC->SelectStockObject(SYSTEM_FONT);
        delete m_pDC;
        m_pDC = nullptr;
    }
}

void CGLDevice::ClearBuffers()
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    // Takes effect at the next clear.
    glClearColor(m_color.r, m_color.g, m_color.b, 0.0f);
}

void CGLDevice::Finish()
{
    glFinish();
}

void CGLDevice::DrawViewportFrame(CDC* dc, const CViewVolume* volume)
{
    if (!dc || !volume)
        return;
    const int x1 = static_cast<int>(volume->m_viewportP1.x);
    const int y1 = static_cast<int>(volume->m_viewportP1.y);
    const int x2 = static_cast<int>(volume->m_viewportP2.x);
    const int y2 = static_cast<int>(volume->m_viewportP2.y);
    CPen pen(PS_SOLID, 4, RGB(255, 255, 255));
    CPen* oldPen = dc->SelectObject(&pen);
    dc->MoveTo(x1, y1);
    dc->LineTo(x2, y1);
    dc->LineTo(x2, y2);
    dc->LineTo(x1, y2);
    dc->LineTo(x1, y1);
    dc->SelectObject(oldPen);
}

void CGLDevice::SetPointSize(int size)
{
    m_nPointSize = size;
    glPointSize(static_cast<float>(size));
}

int CGLDevice::GetPointSize()
{
    return m_nPointSize;
}

void CGLDevice::ReservedSlot42(UINT_PTR)
{
}

void CGLDevice::ReservedSlot43(UINT_PTR)
{
}

void CGLDevice::Rotate(CPoint3D axis, double angleDeg)
{
    glRotatef(static_cast<float>(angleDeg), static_cast<float>(axis.x), static_cast<float>(axis.y),
              static_cast<float>(axis.z));
}

void CGLDevice::DrawMarker(double x, double y, double size, BOOL filled, int shape)
{
    SetRenderMode(filled ? 5 : 0);
    std::vector<CPoint3D> corners;
    auto addCorners = [&](double startDeg, double stepDeg, int count)
    {
        for (int k = 0; k < count; ++k)
        {
            const double angle = (startDeg + k * stepDeg) * kPi / 180.0;
            corners.emplace_back(x + size * std::cos(angle), y + size * std::sin(angle), 0.0);
        }
    };
    switch (shape)
    {
    case 0: addCorners(0.0, 7.5, 48); break;
    case 1: addCorners(90.0, 120.0, 3); break;
    case 2: addCorners(0.0, 90.0, 4); break;
    case 3: addCorners(45.0, 90.0, 4); break;
    case 4:
        addCorners(45.0, 90.0, 4);
        DrawLine(corners[0], corners[2], 0);
        DrawLine(corners[1], corners[3], 0);
        return;
    case 5: addCorners(270.0, 120.0, 3); break;
    default: return;
    }
    DrawPolygon(corners.data(), static_cast<int>(corners.size()), 0);
}

void CGLDevice::SetShadeModel(GLenum model)
{
    glShadeModel(model);
    m_shadeModel = model;
}

GLenum CGLDevice::GetShadeModel()
{
    return m_shadeModel;
}

void CGLDevice::SetupLight()
{
    glLightfv(GL_LIGHT0, GL_AMBIENT, m_lightAmbient);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, m_lightDiffuse);
    glLightfv(GL_LIGHT0, GL_SPECULAR, m_lightSpecular);
    glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, 1);
}

void CGLDevice::ApplyMaterial(GLenum face)
{
    glMaterialfv(face, GL_EMISSION, m_matEmission);
    glMaterialfv(face, GL_AMBIENT, m_matAmbient);
    glMaterialfv(face, GL_DIFFUSE, m_matDiffuse);
    glMaterialfv(face, GL_SPECULAR, m_matSpecular);
    glMaterialfv(face, GL_SHININESS, &m_shininess);
}

void CGLDevice::EnableLighting(BOOL enable)
{
    if (enable)
    {
        glEnable(GL_LIGHTING);
        glEnable(GL_LIGHT0);
        glEnable(GL_DEPTH_TEST);
    }
    else
    {
        glDisable(GL_LIGHTING);
        glDisable(GL_LIGHT0);
    }
}

void CGLDevice::SetLightAmbient(float r, float g, float b, float a)
{
    Store4(m_lightAmbient, r, g, b, a);
}

void CGLDevice::SetLightDiffuse(float r, float g, float b, float a)
{
    Store4(m_lightDiffuse, r, g, b, a);
}

void CGLDevice::SetLightSpecular(float r, float g, float b, float a)
{
    Store4(m_lightSpecular, r, g, b, a);
}

void CGLDevice::SetLightPosition(float x, float y, float z, float w)
{
    Store4(m_lightPosition, x, y, z, w);
}

void CGLDevice::SetMaterialAmbient(float r, float g, float b, float a)
{
    Store4(m_matAmbient, r, g, b, a);
}

void CGLDevice::SetMaterialDiffuse(float r, float g, float b, float a)
{
    Store4(m_matDiffuse, r, g, b, a);
}

void CGLDevice::SetMaterialSpecular(float r, float g, float b, float a)
{
    Store4(m_matSpecular, r, g, b, a);
}

void CGLDevice::SetMaterialEmission(float r, float g, float b, float a)
{
    Store4(m_matEmission, r, g, b, a);
}

void CGLDevice::SetShininess(float shininess)
{
    m_shininess = shininess;
}

void CGLDevice::LoadName(UINT name)
{
    glLoadName(name);
}

int CGLDevice::CreateTextList(const char* text, LOGFONT font)
{
    const GLuint list = glGenLists(1);
    if (list == 0)
        return -1;
    glNewList(list, GL_COMPILE);
    DrawTextBitmap(text, font);
    glEndList();
    return static_cast<int>(list);
}

void CGLDevice::DrawTextList(const CPoint3D& modelPoint, UINT list)
{
    glRasterPos3d(modelPoint.x, modelPoint.y, modelPoint.z);
    glPushAttrib(GL_LIST_BIT);
    glCallList(list);
    glPopAttrib();
}

void CGLDevice::DrawTextBitmap(const char* text, LOGFONT font)
{
    if (!m_pDC || !text || !*text)
        return;
    const HDC viewDc = m_pDC->GetSafeHdc();
    const int length = static_cast<int>(std::strlen(text));
    const HFONT gdiFont = ::CreateFontIndirectA(&font);
    const HGDIOBJ oldViewFont = ::SelectObject(viewDc, gdiFont);
    SIZE extent = {};
    ::GetTextExtentPoint32A(viewDc, text, length, &extent);
    const int width = extent.cx;
    const int height = extent.cy;
    if (width <= 0 || height <= 0)
    {
        ::SelectObject(viewDc, oldViewFont);
        ::DeleteObject(gdiFont);
        return;
    }

    // White text on black in a 1-bit bitmap, read back as a bottom-up DIB for glBitmap.
    const HBITMAP bitmap = ::CreateBitmap(width, height, 1, 1, nullptr);
    const HDC memoryDc = ::CreateCompatibleDC(viewDc);
    const HGDIOBJ oldBitmap = ::SelectObject(memoryDc, bitmap);
    ::SetBkColor(memoryDc, RGB(0, 0, 0));
    ::SetTextColor(memoryDc, RGB(255, 255, 255));
    ::SetBkMode(memoryDc, OPAQUE);
    const HGDIOBJ oldMemoryFont = ::SelectObject(memoryDc, gdiFont);
    ::TextOutA(memoryDc, 0, 0, text, length);

    const int paddedWidth = (width + 31) / 32 * 32;
    std::vector<GLubyte> bits(static_cast<size_t>(paddedWidth / 8) * height, 0);
    struct
    {
        BITMAPINFOHEADER header;
        RGBQUAD colors[2];
    } info = {};
    info.header.biSize = sizeof(BITMAPINFOHEADER);
    info.header.biWidth = width;
    info.header.biHeight = height;
    info.header.biPlanes = 1;
    info.header.biBitCount = 1;
    info.header.biCompression = BI_RGB;
    ::SelectObject(memoryDc, oldBitmap); // GetDIBits wants the bitmap out of any DC
    ::GetDIBits(memoryDc, bitmap, 0, static_cast<UINT>(height), bits.data(),
                reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);

    ::SelectObject(memoryDc, oldMemoryFont);
    ::DeleteDC(memoryDc);
    ::DeleteObject(bitmap);
    ::SelectObject(viewDc, oldViewFont);
    ::DeleteObject(gdiFont);

    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glBitmap(paddedWidth, height, 0.0f, 2.0f, static_cast<float>(paddedWidth + 2), 0.0f,
             bits.data());
}

void CGLDevice::DrawFanImpl(const CPoint3DArray* ring, const CPoint3D& centre, BOOL fill)
{
    if (!ring)
        return;
    const INT_PTR n = ring->GetSize();
    if (!fill)
    {
        glBegin(GL_LINE_STRIP);
        for (INT_PTR i = 0; i < n; ++i)
            Vertex((*ring)[i]);
        glEnd();
        return;
    }
    for (INT_PTR i = 0; i < n; ++i)
    {
        const CPoint3D triangle[3] = {centre, (*ring)[i], (*ring)[(i + 1) % n]};
        CPoint3D normal;
        TriangleUnitNormal(triangle, normal);
        glBegin(GL_POLYGON);
        Normal(normal);
        Vertex(triangle[0]);
        Vertex(triangle[1]);
        Vertex(triangle[2]);
        glEnd();
    }
}
