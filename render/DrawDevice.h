// The abstract drawing device every picture of a 3-D view goes through: primitives with a
// selection name, colour and raster state, display lists, text, camera set-up, picking,
// mouse navigation, light and material. Every operation but DrawColoredPolygon has a neutral
// default; a selection name of 0 leaves the name stack alone.
#pragma once

#include "core/geometry/ColorRGBA.h"
#include "core/geometry/Point3D.h"
#include "render/DrawObject.h"

#include <windows.h>

#include <GL/gl.h>

class CDC;
class CFacet;
class CViewVolume;

// The modes of CDrawDevice::SetRenderMode. Faces are pushed back in depth and lines pulled
// forward, so that at equal depth lines win over the faces they lie on.
enum RenderMode : int
{
    kRenderLines = 0,     // polygon outlines, unlit
    kRenderFrontFill = 1, // front faces filled, unlit
    kRenderBackFill = 2,  // back faces filled, unlit
    kRenderBackLit = 3,   // back faces lit, flat shading
    kRenderFrontLit = 4,  // front faces lit
    kRenderFill = 5,      // both sides filled, unlit
    kRenderLit = 6,       // both sides lit, flat shading
    kRenderFillFront = 7, // both sides filled unlit, in front of modes 1 to 6 and 9
    kRenderLitFront = 8,  // both sides lit, in front of modes 1 to 6 and 9
    kRenderFillAbove = 9, // both sides filled unlit, in front of modes 1 to 6
};

class CDrawDevice : public CDrawObject
{
public:
    CDrawDevice() = default;
    ~CDrawDevice() override = default;

    virtual void DrawQuadWithNormal(const CPoint3D& p0, const CPoint3D& p1, const CPoint3D& p2,
                                    const CPoint3D& p3, const CPoint3D& normal, UINT name);
    virtual void DrawQuad(const CPoint3D& p0, const CPoint3D& p1, const CPoint3D& p2,
                          const CPoint3D& p3, UINT name);
    // A ring around a centre: an open line strip, or filled triangles closing the ring.
    virtual void DrawFan(const CPoint3DArray* ring, const CPoint3D& centre, BOOL fill,
                         UINT_PTR unused);
    virtual void DrawTriangleWithNormal(const CPoint3D& p0, const CPoint3D& p1, const CPoint3D& p2,
                                        const CPoint3D& normal, UINT name);
    virtual void DrawTriangle(const CPoint3D& p0, const CPoint3D& p1, const CPoint3D& p2,
                              UINT name);
    virtual void DrawFan2(const CPoint3DArray* ring, const CPoint3D& centre, BOOL fill,
                          UINT_PTR unused);
    // First of 256 bitmap-font display lists, or 0.
    virtual UINT CreateFontLists(const LOGFONT* font);
    virtual void SetColor(CColorRGBA color);
    virtual CColorRGBA GetColor();
    virtual void SetFontListBase(UINT base);
    virtual void SetLineWidth(float width);
    virtual void SetRenderMode(int mode);
    virtual void SetLineStipple(int stipple);
    virtual void DrawPoint(const CPoint3D& point, UINT name);
    virtual void DrawShrunkLine(double factor, CPoint3D a, CPoint3D b, UINT name);
    virtual void DrawLine(const CPoint3D& a, const CPoint3D& b, UINT name);
    virtual void DrawPolyline(const CPoint3D* points, int count, UINT name);
    virtual void DrawFacet(const CFacet* facet, UINT_PTR unused);
    virtual void DrawPolygon(const CPoint3D* points, int count, UINT name);
    virtual void DrawColoredPolygon(const CPoint3DArray* points, const CColorRGBA* colors) = 0;
    virtual void DrawColoredPolygon(const CPoint3D* points, const CColorRGBA* colors, int count);
    // Text at a window point (y downwards) or a model point, through the font lists.
    virtual void DrawText2D(const CPoint3D& windowPoint, const char* text);
    virtual void DrawText3D(const CPoint3D& modelPoint, const char* text);
    virtual void BeginList(UINT list);
    virtual void EndList();
    virtual void CallList(UINT list);
    virtual void DeleteList(UINT list);
    virtual UINT_PTR ReservedSlot28(UINT_PTR, UINT_PTR);
    virtual BOOL SetupPixelFormat();
    virtual BOOL ReservedSlot30(UINT_PTR);
    virtual void DeleteRenderingContext();
    virtual void ClearBuffers();
    virtual void BeginScene(const CViewVolume* volume);
    virtual void EndScene();
    virtual void Finish();
    virtual void DrawViewportFrame(CDC* dc, const CViewVolume* volume);
    virtual void SetPointSize(int size);
    virtual int GetPointSize();
    virtual void BeginPick(const CViewVolume* volume, CPoint3D windowPoint);
    virtual void SetupPickProjection(const CViewVolume* volume);
    virtual int EndPick();
    virtual void ReservedSlot42(UINT_PTR);
    virtual void ReservedSlot43(UINT_PTR);
    virtual void SetZoomStep(int percent);
    virtual int GetZoomStep();
    virtual CPoint3D ProjectToWindow(const CPoint3D& modelPoint, const CViewVolume* volume);
    virtual CPoint3D UnprojectInScene(const CViewVolume* volume, const CPoint3D& windowPoint);
    virtual CPoint3D Unproject(const CPoint3D& windowPoint);
    virtual void ZoomWindow(const CPoint3D& p1, const CPoint3D& p2, CViewVolume* volume);
    virtual void PanByPixels(const CPoint3D& point, int dx, int dy, CViewVolume* volume);
    virtual void Pan(const CPoint3D& from, const CPoint3D& to, CViewVolume* volume);
    virtual void RotateByDrag(const CPoint3D& from, const CPoint3D& to, CViewVolume* volume);
    virtual void Rotate(CPoint3D axis, double angleDeg);
    // Axis mode 1 screen X, 2 screen Y, 3 the viewing axis.
    virtual void RotateAboutScreenAxis(const CPoint3D& from, const CPoint3D& to, int axisMode,
                                       CViewVolume* volume);
    // Shapes: 0 circle, 1 triangle up, 2 diamond, 3 square, 4 cross, 5 triangle down.
    virtual void DrawMarker(double x, double y, double size, BOOL filled, int shape);
    virtual void SetShadeModel(GLenum model);
    virtual GLenum GetShadeModel();
    virtual void SetupLight();
    virtual void ApplyMaterial(GLenum face);
    virtual void EnableLighting(BOOL enable);
    virtual void SetLightAmbient(float r, float g, float b, float a);
    virtual void SetLightDiffuse(float r, float g, float b, float a);
    virtual void SetLightSpecular(float r, float g, float b, float a);
    virtual void SetLightPosition(float x, float y, float z, float w);
    virtual void SetMaterialAmbient(float r, float g, float b, float a);
    virtual void SetMaterialDiffuse(float r, float g, float b, float a);
    virtual void SetMaterialSpecular(float r, float g, float b, float a);
    virtual void SetMaterialEmission(float r, float g, float b, float a);
    virtual void SetShininess(float shininess);
    virtual void LoadName(UINT name);
    // A display list showing the text as a bitmap, or -1.
    virtual int CreateTextList(const char* text, LOGFONT font);
    virtual void DrawTextList(const CPoint3D& modelPoint, UINT list);
    virtual void DrawTextBitmap(const char* text, LOGFONT font);
    virtual void DrawShrunkCurve(const CPoint3DArray* curve, double factor, int curveParameter);
};
