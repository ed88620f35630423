// Solid sectioning and depth clipping in the program, on a real Nastran run of solid elements:
// the cut through the solids shows the contour's band colours on the screen, and the View
// menu's Clipping opens the depth dialog, whose close gives the view its depth back.
#include "core/model/ModelSet.h"
#include "dialogs/tools/ClippingDlg.h"
#include "platform/test/pump.h"
#include "project/ProjectData.h"
#include "resources/resource.h"
#include "tests/app/ProjectAppFixture.h"
#include "tests/support/TestPaths.h"

#include <windows.h>

#include <commctrl.h>
#include <cstdlib>
#include <gtest/gtest.h>

namespace
{
// Started on the OUTPUT2 file of 186 ten-node tetrahedra: the model's view and the view of its
// displacement.
class Sectioning : public ProjectAppFixture
{
protected:
    void SetUp() override
    {
        REQUIRE_SAMPLES();
        m_commandLine =
            "/Automation \"" + m_sampleRoot + "\\pyNastran\\solid_bending\\solid_bending_ogs.op2\"";
        ProjectAppFixture::SetUp();
    }

    static void ViewCommand(CCAEView* view, UINT id)
    {
        view->SendMessage(WM_COMMAND, id);
        fw::test::Pump();
    }

    // Screen pixels of the view's scene (right of the legend, above the title) in one of the
    // band colours in effect, on a grid of 3 pixels.
    static int ScreenBandPixels(CCAEView* view)
    {
        fw::test::Pump();
        CRect client;
        view->GetClientRect(&client);
        const CResultDisplayAttr& attr = view->Scene().DisplayAttr();
        const HDC screen = ::GetDC(nullptr);
        int count = 0;
        for (int y = 2; y < client.Height() * 4 / 5; y += 3)
        {
            for (int x = client.Width() / 4; x < client.Width(); x += 3)
            {
                POINT point = {x, y};
                ::ClientToScreen(view->m_hWnd, &point);
                const COLORREF shown = ::GetPixel(screen, point.x, point.y);
                for (int k = 0; k < attr.m_nTotalBands; ++k)
                {
                    const CColorRGBA& c = attr.m_bandColors[k];
                    if (std::abs(GetRValue(shown) - static_cast<int>(c.r * 255 + 0.5f)) <= 2 &&
                        std::abs(GetGValue(shown) - static_cast<int>(c.g * 255 + 0.5f)) <= 2 &&
                        std::abs(GetBValue(shown) - static_cast<int>(c.b * 255 + 0.5f)) <= 2)
                    {
                        ++count;
                        break;
                    }
                }
            }
        }
        ::ReleaseDC(nullptr, screen);
        return count;
    }

    static HWND FindDialog(const char* caption)
    {
        fw::test::Pump();
        return ::FindWindowA("#32770", caption);
    }
};
} // namespace

TEST_F(Sectioning, CutThroughTheSolidsShowsTheBandColoursOnTheScreen)
{
    CCAEView* view = View(2);
    ASSERT_NE(nullptr, view);
    ASSERT_NE(-1, view->Renderer().ContourResultId());
    view->Camera(CSceneView::kSceneViewport).SetRotationAngles(CPoint3D(0, 0, 0));
    ViewCommand(view, ID_VIEW_AUTOSCALE);
    ASSERT_GT(ScreenBandPixels(view), 100) << "the contour on the solids' faces";

    // With the solids' faces hidden, what shows in band colours is the cut alone.
    CAESettings& settings = Project()->m_settings;
    settings.m_displayFilter &= ~static_cast<DWORD>(kKindSolid);
    view->InvalidateView();
    EXPECT_EQ(0, ScreenBandPixels(view));

    // In every display mode, with the plane turned either way.
    const UINT modes[] = {ID_VIEW_WIREFRAME, ID_VIEW_RIDGELINE, ID_VIEW_SHADING,
                          ID_VIEW_RIDGELINE_SHADING, ID_VIEW_HIDDENLINE};
    for (const UINT mode : modes)
    {
        SCOPED_TRACE(mode);
        ViewCommand(view, mode);
        EXPECT_EQ(0, ScreenBandPixels(view));
        ViewCommand(view, mode % 2 == 0 ? ID_SECTION_XY_MINUS : ID_SECTION_XY_PLUS);
        const HWND dialog = FindDialog("Section Plane");
        ASSERT_NE(nullptr, dialog);
        EXPECT_EQ(1, view->Renderer().IsClipping());
        EXPECT_GT(ScreenBandPixels(view), 100) << "the cut in band colours";
        // Moved to another height the plane cuts the solids elsewhere: still coloured.
        const HWND slider = ::GetDlgItem(dialog, IDC_CLIPPLANE_SLIDER);
        ::SendMessageA(slider, TBM_SETPOS, TRUE, 30);
        ::SendMessageA(dialog, WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, 30),
                       reinterpret_cast<LPARAM>(slider));
        EXPECT_GT(ScreenBandPixels(view), 50);
        ::SendMessageA(::GetDlgItem(dialog, IDC_CLIPPLANE_CLOSE), BM_CLICK, 0, 0);
        fw::test::Pump();
        EXPECT_EQ(0, view->Renderer().IsClipping());
        EXPECT_EQ(0, ScreenBandPixels(view)) << "closed: the cut has gone";
    }
}

TEST_F(Sectioning, ClippingFromTheViewMenuOpensTheDepthDialogAndCloseRestoresTheDepth)
{
    CCAEView* view = View(2);
    ASSERT_NE(nullptr, view);
    const CViewVolume before = view->Camera(CSceneView::kSceneViewport);
    ViewCommand(view, ID_VIEW_CLIPPING);
    const HWND dialog = FindDialog("Depth Clipping");
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ(dialog, CClippingDlg::Find(view->FrameKey())->m_hWnd);
    const CViewVolume& narrowed = view->Camera(CSceneView::kSceneViewport);
    EXPECT_LT(before.m_volumeStart.z, narrowed.m_volumeStart.z) << "narrowed to the model";
    ::SendMessageA(::GetDlgItem(dialog, IDC_CLIPPING_CLOSE), BM_CLICK, 0, 0);
    fw::test::Pump();
    EXPECT_FALSE(::IsWindow(dialog));
    EXPECT_EQ(before.m_volumeStart.z, view->Camera(CSceneView::kSceneViewport).m_volumeStart.z);
    EXPECT_EQ(before.m_volumeEnd.z, view->Camera(CSceneView::kSceneViewport).m_volumeEnd.z);
}
