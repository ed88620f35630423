// Neutral defaults of the drawing device.
#include "render/DrawDevice.h"

void CDrawDevice::DrawQuadWithNormal(const CPoint3D&, const CPoint3D&, const CPoint3D&,
                                     const CPoint3D&, const CPoint3D&, UINT)
{
}

void CDrawDevice::DrawQuad(const CPoint3D&, const CPoint3D&, const CPoint3D&, const CPoint3D&, UINT)
{
}

void CDrawDevice::DrawFan(const CPoint3DArray*, const CPoint3D&, BOOL, UINT_PTR)
{
}

void CDrawDevice::DrawTriangleWithNormal(const CPoint3D&, const CPoint3D&, const CPoint3D&,
                                         const CPoint3D&, UINT)
{
}

void CDrawDevice::DrawTriangle(const CPoint3D&, const CPoint3D&, const CPoint3D&, UINT)
{
}

void CDrawDevice::DrawFan2(const CPoint3DArray*, const CPoint3D&, BOOL, UINT_PTR)
{
}

UINT CDrawDevice::CreateFontLists(const LOGFONT*)
{
    return 0;
}

void CDrawDevice::SetColor(CColorRGBA)
{
}

CColorRGBA CDrawDevice::GetColor()
{
    return CColorRGBA();
}

void CDrawDevice::SetFontListBase(UINT)
{
}

void CDrawDevice::SetLineWidth(float)
{
}

void CDrawDevice::SetRenderMode(int)
{
}

void CDrawDevice::SetLineStipple(int)
{
}

void CDrawDevice::DrawPoint(const CPoint3D&, UINT)
{
}

void CDrawDevice::DrawShrunkLine(double, CPoint3D, CPoint3D, UINT)
{
}

void CDrawDevice::DrawLine(const CPoint3D&, const CPoint3D&, UINT)
{
}

void CDrawDevice::DrawPolyline(const CPoint3D*, int, UINT)
{
}

void CDrawDevice::DrawFacet(const CFacet*, UINT_PTR)
{
}

void CDrawDevice::DrawPolygon(const CPoint3D*, int, UINT)
{
}

void CDrawDevice::DrawColoredPolygon(const CPoint3D*, const CColorRGBA*, int)
{
}

void CDrawDevice::DrawText2D(const CPoint3D&, const char*)
{
}

void CDrawDevice::DrawText3D(const CPoint3D&, const char*)
{
}

void CDrawDevice::BeginList(UINT)
{
}

void CDrawDevice::EndList()
{
}

void CDrawDevice::CallList(UINT)
{
}

void CDrawDevice::DeleteList(UINT)
{
}

UINT_PTR CDrawDevice::ReservedSlot28(UINT_PTR, UINT_PTR)
{
    return 0;
}

BOOL CDrawDevice::SetupPixelFormat()
{
    return FALSE;
}

BOOL CDrawDevice::ReservedSlot30(UINT_PTR)
{
    return FALSE;
}

void CDrawDevice::DeleteRenderingContext()
{
}

void CDrawDevice::ClearBuffers()
{
}

void CDrawDevice::BeginScene(const CViewVolume*)
{
}

void CDrawDevice::EndScene()
{
}

void CDrawDevice::Finish()
{
}

void CDrawDevice::DrawViewportFrame(CDC*, const CViewVolume*)
{
}

void CDrawDevice::SetPointSize(int)
{
}

int CDrawDevice::GetPointSize()
{
    return 0;
}

void CDrawDevice::BeginPick(const CViewVolume*, CPoint3D)
{
}

void CDrawDevice::SetupPickProjection(const CViewVolume*)
{
}

int CDrawDevice::EndPick()
{
    return 0;
}

void CDrawDevice::ReservedSlot42(UINT_PTR)
{
}

void CDrawDevice::ReservedSlot43(UINT_PTR)
{
}

void CDrawDevice::SetZoomStep(int)
{
}

int CDrawDevice::GetZoomStep()
{
    return 0;
}

CPoint3D CDrawDevice::ProjectToWindow(const CPoint3D&, const CViewVolume*)
{
    return CPoint3D();
}

CPoint3D CDrawDevice::UnprojectInScene(const CViewVolume*, const CPoint3D&)
{
    return CPoint3D();
}

CPoint3D CDrawDevice::Unproject(const CPoint3D&)
{
    return CPoint3D();
}

void CDrawDevice::ZoomWindow(const CPoint3D&, const CPoint3D&, CViewVolume*)
{
}

void CDrawDevice::PanByPixels(const CPoint3D&, int, int, CViewVolume*)
{
}

void CDrawDevice::Pan(const CPoint3D&, const CPoint3D&, CViewVolume*)
{
}

void CDrawDevice::RotateByDrag(const CPoint3D&, const CPoint3D&, CViewVolume*)
{
}

void CDrawDevice::Rotate(CPoint3D, double)
{
}

void CDrawDevice::RotateAboutScreenAxis(const CPoint3D&, const CPoint3D&, int, CViewVolume*)
{
}

void CDrawDevice::DrawMarker(double, double, double, BOOL, int)
{
}

void CDrawDevice::SetShadeModel(GLenum)
{
}

GLenum CDrawDevice::GetShadeModel()
{
    return 0;
}

void CDrawDevice::SetupLight()
{
}

void CDrawDevice::ApplyMaterial(GLenum)
{
}

void CDrawDevice::EnableLighting(BOOL)
{
}

void CDrawDevice::SetLightAmbient(float, float, float, float)
{
}

void CDrawDevice::SetLightDiffuse(float, float, float, float)
{
}

void CDrawDevice::SetLightSpecular(float, float, float, float)
{
}

void CDrawDevice::SetLightPosition(float, float, float, float)
{
}

void CDrawDevice::SetMaterialAmbient(float, float, float, float)
{
}

void CDrawDevice::SetMaterialDiffuse(float, float, float, float)
{
}

void CDrawDevice::SetMaterialSpecular(float, float, float, float)
{
}

void CDrawDevice::SetMaterialEmission(float, float, float, float)
{
}

void CDrawDevice::SetShininess(float)
{
}

void CDrawDevice::LoadName(UINT)
{
}

int CDrawDevice::CreateTextList(const char*, LOGFONT)
{
    return -1;
}

void CDrawDevice::DrawTextList(const CPoint3D&, UINT)
{
}

void CDrawDevice::DrawTextBitmap(const char*, LOGFONT)
{
}

void CDrawDevice::DrawShrunkCurve(const CPoint3DArray*, double, int)
{
}
