// A window that owns its device the way a 3-D view does: context made in WM_CREATE, a frame
// drawn in WM_PAINT and read back before the swap, context released in WM_DESTROY.
#include "GLTestWindow.h"
#include "platform/win/dc.h"
#include "platform/win/wnd.h"
#include "render/GLDevice.h"
#include "render/ViewVolume.h"

#include <GL/gl.h>
#include <array>
#include <gtest/gtest.h>

namespace
{
class CGLTestView : public CWnd
{
public:
    bool contextMade = false;
    int paints = 0;
    std::array<int, 3> centre = {-1, -1, -1};
    CGLDevice device;

    int OnCreate(LPCREATESTRUCTA cs)
    {
        if (CWnd::OnCreate(cs) == -1)
            return -1;
        contextMade = device.CreateRenderingContext(this, CColorRGBA(0, 0, 0, 1)) != 0;
        return 0;
    }
    void OnDestroy()
    {
        device.DeleteRenderingContext();
        CWnd::OnDestroy();
    }
    void OnPaint()
    {
        CPaintDC dc(this);
        ++paints;
        if (!contextMade)
            return;
        wglMakeCurrent(device.GetClientDC()->GetSafeHdc(), device.GetRenderingContext());
        CViewVolume volume;
        volume.SetVolume(CPoint3D(-1, -1, -1), CPoint3D(1, 1, 1));
        volume.SetViewport(CPoint3D(0, 0, 0), CPoint3D(100, 100, 0));
        device.ClearBuffers();
        device.BeginScene(&volume);
        device.SetRenderMode(5);
        device.SetColor(CColorRGBA(0, 1, 0, 1));
        device.DrawQuad(CPoint3D(-0.5, -0.5, 0), CPoint3D(0.5, -0.5, 0), CPoint3D(0.5, 0.5, 0),
                        CPoint3D(-0.5, 0.5, 0), 0);
        device.EndScene();
        // ReadPixel flips rows against the 200-pixel test window: this is row 49 from below.
        centre = render_test::ReadPixel(50, render_test::kSize - 50);
        ::SwapBuffers(device.GetClientDC()->GetSafeHdc());
    }

    FW_MESSAGE_TABLE()
};

FW_TABLE(CGLTestView, CWnd, fw::on<WM_CREATE, &CGLTestView::OnCreate>(),
         fw::on<WM_DESTROY, &CGLTestView::OnDestroy>(), fw::on<WM_PAINT, &CGLTestView::OnPaint>())
} // namespace

TEST(GLView, PaintDrawsThroughTheDeviceOfItsOwnWindow)
{
    CGLTestView view;
    ASSERT_TRUE(view.CreateEx(0, fw::RegisterWndClass(CS_OWNDC), "view",
                              WS_POPUP | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 0, 0, 100, 100, nullptr,
                              nullptr));
    if (!view.contextMade)
        SKIP_OR_FAIL_WITHOUT_GL();
    view.SendMessage(WM_PAINT);
    EXPECT_EQ(1, view.paints);
    EXPECT_EQ((std::array<int, 3>{0, 255, 0}), view.centre);
    view.DestroyWindow();
    EXPECT_EQ(nullptr, view.device.GetRenderingContext());
    EXPECT_EQ(nullptr, view.device.GetClientDC());
}
