// The OpenGL drawing device of one view window: rendering context, primitives, render modes,
// display lists, text, markers, light and material (GLDevice.cpp); camera set-up, picking,
// projection, navigation and clip planes (GLDevice_camera.cpp).
#pragma once

#include "platform/base/coll_array.h"
#include "render/DrawDevice.h"
#include "render/PickHitList.h"
#include "render/SelectionNames.h"

#include <windows.h>

#include <GL/gl.h>
#include <memory>
#include <vector>

class CClientDC;
class CGLDevice;
class CListBatch;
class CListCompiler;
class CWnd;

// Draws some display lists in their place: geometry that moves every frame of an animation is
// drawn from arrays instead of a list compiled for each frame.
class CListSubstitute
{
public:
    virtual ~CListSubstitute() = default;
    // True when it drew the list on the device (and the list itself is not to be called).
    virtual bool DrawInsteadOfList(UINT list, CGLDevice& device) = 0;
};

class CGLDevice : public CDrawDevice
{
public:
    static constexpr int kInitialSelectWords = 200;

    CGLDevice();
    // Releases no context itself: call DeleteRenderingContext while the window exists.
    ~CGLDevice() override;
    CGLDevice(const CGLDevice&) = delete;
    CGLDevice& operator=(const CGLDevice&) = delete;

    // Pixel format, context and initial state on the window's client DC; FALSE on any failure.
    BOOL CreateRenderingContext(CWnd* wnd, CColorRGBA clearColor);
    // Loads the GL driver with a context on a hidden window of this thread, made and deleted
    // again: the first context of a process takes a quarter of a second to load it, which a
    // caller waiting for other work can spend beforehand. Nothing when it cannot.
    static void LoadDriver();
    // Runs a selection pass over the given display lists around a window point and returns the
    // named hits nearest first, with those within tolerance behind the nearest.
    CPickHitList Pick(int x, int y, const CDWordArray& lists, const CViewVolume* volume,
                      double tolerance);
    void ZoomIn(CViewVolume* volume, double factor);
    void ZoomOut(CViewVolume* volume, double factor);
    // Both return the index, or -1 when OpenGL has no such clip plane.
    int EnableClipPlane(double a, double b, double c, double d, int index);
    int DisableClipPlane(int index);

    // Worker threads with contexts sharing this one's lists, started on first use with that many
    // workers (0 for none); null when they cannot be made: lists are then compiled here.
    CListCompiler* GetListCompiler(size_t workers);
    // What a list compiled on another device of the same view is compiled with: depth ranges,
    // light, material and colour.
    void CopyDrawingState(const CGLDevice& other);
    // The colour and material a batch replayed on another device left there, taken without
    // sending them: what replaying it here inside a list would have left.
    void AssumeReplayed(const CListBatch& batch);

    // Names of this view's entities; primitives carry them, picks return them.
    CSelectionNames& GetSelectionNames() { return m_selectionNames; }
    HGLRC GetRenderingContext() const { return m_hRC; }
    CClientDC* GetClientDC() const { return m_pDC; }
    double GetDepthOffset() const { return m_depthOffset; }
    // The depth offsets BeginScene gives, from the narrowest volume to the widest.
    static constexpr double kMinDepthOffset = 0.00015;
    static constexpr double kMaxDepthOffset = 0.0008;
    // While set, faces of modes 1 to 6 stand just in front of the model's own faces, so that
    // a result's faces drawn over them at the same depth win; lines and the highlight of any
    // camera stay in front of them. A display list keeps the range it was compiled with.
    void SetResultFacesInFront(bool inFront) { m_bResultFacesInFront = inFront; }
    bool GetResultFacesInFront() const { return m_bResultFacesInFront; }

    void DrawQuadWithNormal(const CPoint3D& p0, const CPoint3D& p1, const CPoint3D& p2,
                            const CPoint3D& p3, const CPoint3D& normal, UINT name) override;
    void DrawQuad(const CPoint3D& p0, const CPoint3D& p1, const CPoint3D& p2, const CPoint3D& p3,
                  UINT name) override;
    void DrawFan(const CPoint3DArray* ring, const CPoint3D& centre, BOOL fill,
                 UINT_PTR unused) override;
    void DrawTriangleWithNormal(const CPoint3D& p0, const CPoint3D& p1, const CPoint3D& p2,
                                const CPoint3D& normal, UINT name) override;
    void DrawTriangle(const CPoint3D& p0, const CPoint3D& p1, const CPoint3D& p2,
                      UINT name) override;
    void DrawFan2(const CPoint3DArray* ring, const CPoint3D& centre, BOOL fill,
                  UINT_PTR unused) override;
    UINT CreateFontLists(const LOGFONT* font) override;
    void SetColor(CColorRGBA color) override;
    CColorRGBA GetColor() override;
    void SetFontListBase(UINT base) override;
    void SetLineWidth(float width) override;
    void SetRenderMode(int mode) override;
    void SetLineStipple(int stipple) override;
    void DrawPoint(const CPoint3D& point, UINT name) override;
    void DrawShrunkLine(double factor, CPoint3D a, CPoint3D b, UINT name) override;
    void DrawLine(const CPoint3D& a, const CPoint3D& b, UINT name) override;
    void DrawPolyline(const CPoint3D* points, int count, UINT name) override;
    void DrawFacet(const CFacet* facet, UINT_PTR unused) override;
    void DrawPolygon(const CPoint3D* points, int count, UINT name) override;
    void DrawColoredPolygon(const CPoint3DArray* points, const CColorRGBA* colors) override;
    void DrawColoredPolygon(const CPoint3D* points, const CColorRGBA* colors, int count) override;
    void DrawText2D(const CPoint3D& windowPoint, const char* text) override;
    void DrawText3D(const CPoint3D& modelPoint, const char* text) override;
    void BeginList(UINT list) override;
    void EndList() override;
    // The substitute's drawing when it has the list, else the list.
    void CallList(UINT list) override;
    // Not owned; null for none.
    void SetListSubstitute(CListSubstitute* substitute) { m_pListSubstitute = substitute; }
    void DeleteList(UINT list) override;
    UINT_PTR ReservedSlot28(UINT_PTR, UINT_PTR) override;
    BOOL SetupPixelFormat() override;
    BOOL ReservedSlot30(UINT_PTR) override;
    void DeleteRenderingContext() override;
    void ClearBuffers() override;
    void BeginScene(const CViewVolume* volume) override;
    void EndScene() override;
    void Finish() override;
    void DrawViewportFrame(CDC* dc, const CViewVolume* volume) override;
    void SetPointSize(int size) override;
    int GetPointSize() override;
    void BeginPick(const CViewVolume* volume, CPoint3D windowPoint) override;
    void SetupPickProjection(const CViewVolume* volume) override;
    int EndPick() override;
    void ReservedSlot42(UINT_PTR) override;
    void ReservedSlot43(UINT_PTR) override;
    void SetZoomStep(int percent) override;
    int GetZoomStep() override;
    CPoint3D ProjectToWindow(const CPoint3D& modelPoint, const CViewVolume* volume) override;
    CPoint3D UnprojectInScene(const CViewVolume* volume, const CPoint3D& windowPoint) override;
    CPoint3D Unproject(const CPoint3D& windowPoint) override;
    void ZoomWindow(const CPoint3D& p1, const CPoint3D& p2, CViewVolume* volume) override;
    void PanByPixels(const CPoint3D& point, int dx, int dy, CViewVolume* volume) override;
    void Pan(const CPoint3D& from, const CPoint3D& to, CViewVolume* volume) override;
    void RotateByDrag(const CPoint3D& from, const CPoint3D& to, CViewVolume* volume) override;
    void Rotate(CPoint3D axis, double angleDeg) override;
    void RotateAboutScreenAxis(const CPoint3D& from, const CPoint3D& to, int axisMode,
                               CViewVolume* volume) override;
    void DrawMarker(double x, double y, double size, BOOL filled, int shape) override;
    void SetShadeModel(GLenum model) override;
    GLenum GetShadeModel() override;
    void SetupLight() override;
    void ApplyMaterial(GLenum face) override;
    void EnableLighting(BOOL enable) override;
    void SetLightAmbient(float r, float g, float b, float a) override;
    void SetLightDiffuse(float r, float g, float b, float a) override;
    void SetLightSpecular(float r, float g, float b, float a) override;
    void SetLightPosition(float x, float y, float z, float w) override;
    void SetMaterialAmbient(float r, float g, float b, float a) override;
    void SetMaterialDiffuse(float r, float g, float b, float a) override;
    void SetMaterialSpecular(float r, float g, float b, float a) override;
    void SetMaterialEmission(float r, float g, float b, float a) override;
    void SetShininess(float shininess) override;
    void LoadName(UINT name) override;
    int CreateTextList(const char* text, LOGFONT font) override;
    void DrawTextList(const CPoint3D& modelPoint, UINT list) override;
    void DrawTextBitmap(const char* text, LOGFONT font) override;
    void DrawShrunkCurve(const CPoint3DArray* curve, double factor, int curveParameter) override;

private:
    void SetViewport(const CViewVolume* volume);
    void SetupModelView(const CViewVolume* volume);
    void SetupLitPolygons(GLenum face);
    void SetupUnlitPolygons(GLenum face, GLenum mode);
    // The depth range of faces of modes 1 to 6.
    void UseFaceDepthRange();
    void DrawFanImpl(const CPoint3DArray* ring, const CPoint3D& centre, BOOL fill);
    // One selection pass; the hit count, -1 when the buffer overflowed.
    int RunSelectionPass(int x, int y, const CDWordArray& lists, const CViewVolume* volume);
    CPickHitList DecodeHits(int hits, double tolerance) const;

    HGLRC m_hRC = nullptr;
    CClientDC* m_pDC = nullptr; // owned
    std::unique_ptr<CListCompiler> m_listCompiler;
    bool m_isListCompilerFailed = false; // not tried again for this context
    CListSubstitute* m_pListSubstitute = nullptr;
    // Grows when a pick overflows it, so a click always finds what lies under it.
    std::vector<GLuint> m_selectBuffer;
    int m_nHits = 0;
    int m_nZoomStep = 5; // percent
    GLenum m_shadeModel = 0;
    float m_lightAmbient[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    float m_lightDiffuse[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    float m_lightSpecular[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    float m_lightPosition[4] = {0.0f, 0.0f, 1.0f, 1.0f}; // stored only
    float m_matAmbient[4] = {0.3f, 0.3f, 0.3f, 0.5f};
    float m_matDiffuse[4] = {0.5f, 0.5f, 0.5f, 0.5f};
    float m_matSpecular[4] = {0.5f, 0.5f, 0.5f, 0.5f};
    float m_matEmission[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    float m_shininess = 100.0f;
    double m_depthOffset = 0.0008; // depth-range offset of SetRenderMode, set by BeginScene
    bool m_bResultFacesInFront = false;
    int m_nPointSize = 0;
    CColorRGBA m_color;
    UINT m_fontListBase = 0; // 0 = no font
    CSelectionNames m_selectionNames;
};

// Result faces in front of the model's faces on a device for the life of the object.
class CResultFacesInFront
{
public:
    explicit CResultFacesInFront(CGLDevice& device)
        : m_device(device)
        , m_bWasInFront(device.GetResultFacesInFront())
    {
        device.SetResultFacesInFront(true);
    }
    ~CResultFacesInFront() { m_device.SetResultFacesInFront(m_bWasInFront); }
    CResultFacesInFront(const CResultFacesInFront&) = delete;
    CResultFacesInFront& operator=(const CResultFacesInFront&) = delete;

private:
    CGLDevice& m_device;
    bool m_bWasInFront;
};
