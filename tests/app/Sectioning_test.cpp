// Solid sectioning and depth clipping in the program, on real Nastran runs of solid elements:
// the cut through the solids shows the contour's band colours on the screen, for a result at
// the nodes and for one kept at the element corners, and the View menu's Clipping opens the
// depth dialog, whose close gives the view its depth back.
#include "core/model/FEElement.h"
#include "core/model/ModelSet.h"
#include "dialogs/tools/ClippingDlg.h"
#include "platform/test/pump.h"
#include "project/ProjectData.h"
#include "resources/resource.h"
#include "tests/app/ProjectAppFixture.h"
#include "tests/support/TestPaths.h"

#include <windows.h>

#include <algorithm>
#include <cmath>
#include <commctrl.h>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>
#include <vector>

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

namespace
{
// The screen over a view's client area, read in one go.
class ScreenShot
{
public:
    explicit ScreenShot(CWnd* view)
    {
        fw::test::Pump();
        CRect client;
        view->GetClientRect(&client);
        m_width = client.Width();
        m_height = client.Height();
        m_pixels = fw::test::ScreenPixels(view->m_hWnd, client);
    }
    bool Holds(int x, int y) const { return x >= 0 && y >= 0 && x < m_width && y < m_height; }
    COLORREF At(int x, int y) const { return m_pixels[static_cast<size_t>(y * m_width + x)]; }

private:
    int m_width = 0;
    int m_height = 0;
    std::vector<COLORREF> m_pixels;
};

// A band colour as the screen may show it: as the legend draws it, or lit as a face turned to
// the light at the eye (its diffuse, and the scene's ambient 0.2 on its ambient of 0.4).
bool ShowsBandColour(COLORREF shown, const CColorRGBA& colour)
{
    const float channels[3] = {colour.r, colour.g, colour.b};
    const int got[3] = {GetRValue(shown), GetGValue(shown), GetBValue(shown)};
    for (const float gain : {1.0f, 1.08f})
    {
        bool isNear = true;
        for (int i = 0; i < 3; ++i)
        {
            const int expected = std::min(255, static_cast<int>(channels[i] * gain * 255 + 0.5f));
            isNear = isNear && std::abs(got[i] - expected) <= 3;
        }
        if (isNear)
            return true;
    }
    return false;
}

// The cut of a unit-cube hexahedron by a plane across one axis: its corners' values, each
// interpolated between the element's corner values on either side of the plane, and the band
// each point shows as the band cutting draws it, with straight level lines between the
// crossings on the cut's edges.
class CubeCut
{
public:
    // axis: 0 x, 1 y, 2 z; at: where the plane crosses it.
    CubeCut(const CCAEView& view, const CFEElement& cube, int axis, double at)
        : m_axis(axis)
        , m_at(at)
    {
        const CModelSet* model = view.GetModel();
        for (INT_PTR i = 0; i < cube.m_ids.GetSize(); ++i)
        {
            const int id = cube.m_ids[i];
            const CPoint3D p = model->GetNodePoint(id);
            const double c[3] = {p.x, p.y, p.z};
            const int u = static_cast<int>(std::lround(c[(axis + 1) % 3]));
            const int v = static_cast<int>(std::lround(c[(axis + 2) % 3]));
            const int w = static_cast<int>(std::lround(c[axis]));
            m_corners[u][v][w] = view.GetNodeValue(id, cube.m_id);
        }
    }

    // The model point at (u, v) of the cut, both 0 to 1 along the next two axes in turn.
    CPoint3D Point(double u, double v) const
    {
        double c[3] = {};
        c[m_axis] = m_at;
        c[(m_axis + 1) % 3] = u;
        c[(m_axis + 2) % 3] = v;
        return CPoint3D(c[0], c[1], c[2]);
    }

    // The band at (u, v); -1 within margin of a level line, or where a level meets the cut
    // other than in one line.
    int Band(double u, double v, const CResultDisplayAttr& attr, double margin) const
    {
        static const int kRound[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
        double values[4] = {};
        for (int i = 0; i < 4; ++i)
        {
            const double* ends = m_corners[kRound[i][0]][kRound[i][1]];
            values[i] = ends[0] + (ends[1] - ends[0]) * m_at;
        }
        int band = 0;
        for (int k = 1; k < attr.m_nTotalBands; ++k)
        {
            const double level = attr.m_levels[k];
            double crossings[2][2] = {};
            int count = 0;
            int highest = 0;
            for (int i = 0; i < 4; ++i)
            {
                const int j = (i + 1) % 4;
                highest = values[i] > values[highest] ? i : highest;
                if ((values[i] - level) * (values[j] - level) >= 0.0)
                    continue;
                if (count == 2)
                    return -1;
                const double t = (level - values[i]) / (values[j] - values[i]);
                for (int d = 0; d < 2; ++d)
                    crossings[count][d] = kRound[i][d] + (kRound[j][d] - kRound[i][d]) * t;
                ++count;
            }
            if (count == 0)
            {
                band += values[0] > level ? 1 : 0;
                continue;
            }
            if (count != 2)
                return -1;
            const double dx = crossings[1][0] - crossings[0][0];
            const double dy = crossings[1][1] - crossings[0][1];
            const auto side = [&](double x, double y) {
                return (dx * (y - crossings[0][1]) - dy * (x - crossings[0][0])) /
                       std::hypot(dx, dy);
            };
            const double here = side(u, v);
            if (std::fabs(here) < margin)
                return -1;
            const double high = side(kRound[highest][0], kRound[highest][1]);
            band += (here > 0.0) == (high > 0.0) ? 1 : 0;
        }
        return band;
    }

private:
    int m_axis;
    double m_at;
    double m_corners[2][2][2] = {}; // by the two axes of the cut, then below and above the plane
};

// Started on the OUTPUT2 file of a Nastran run with one hexahedron (HEXA 1, the unit cube)
// among pentahedra, tetrahedra, shells and beams, and its solid stresses kept at the element
// corners.
class CornerSectioning : public ProjectAppFixture
{
protected:
    void SetUp() override
    {
        REQUIRE_SAMPLES();
        m_commandLine = "/Automation \"" + m_sampleRoot +
                        "\\pyNastran\\sol_101_elements\\static_solid_shell_bar.op2\"";
        ProjectAppFixture::SetUp();
    }

    static void ViewCommand(CCAEView* view, UINT id)
    {
        view->SendMessage(WM_COMMAND, id);
        fw::test::Pump();
    }

    // The tree item of a component under a result's folder.
    HTREEITEM FindComponent(const std::string& folder, const std::string& component)
    {
        for (HTREEITEM item : Items())
        {
            if (ItemText(item) != component)
                continue;
            for (HTREEITEM parent = Tree().GetParentItem(item); parent != nullptr;
                 parent = Tree().GetParentItem(parent))
            {
                if (ItemText(parent).rfind(folder, 0) == 0)
                    return item;
            }
        }
        return nullptr;
    }

    // Turns the camera to face the cut head-on, from the side cut away (front) or from the
    // side kept, and zooms onto the cube as a window zoom round it would.
    static void FaceTheCut(CCAEView* view, bool isFront)
    {
        static const CPoint3D kAngles[] = {CPoint3D(0, 0, 0),  CPoint3D(180, 0, 0),
                                           CPoint3D(0, 90, 0), CPoint3D(0, -90, 0),
                                           CPoint3D(90, 0, 0), CPoint3D(-90, 0, 0)};
        const double* e = view->Renderer().ClipEquation();
        const CPoint3D kept(e[0], e[1], e[2]); // the kept half lies along the normal
        CViewVolume& camera = view->Camera(CSceneView::kSceneViewport);
        view->MakeCurrent();
        CPoint3D best;
        double bestDepth = 0.0;
        for (const CPoint3D& angles : kAngles)
        {
            camera.SetRotationAngles(angles);
            const double depth = view->Device().ProjectToWindow(kept, &camera).z -
                                 view->Device().ProjectToWindow(kept * -1.0, &camera).z;
            if ((isFront ? depth : -depth) > bestDepth)
            {
                bestDepth = isFront ? depth : -depth;
                best = angles;
            }
        }
        camera.SetRotationAngles(best);
        ViewCommand(view, ID_VIEW_AUTOSCALE);
        view->MakeCurrent();
        CPoint3D low(1e9, 1e9, 0);
        CPoint3D high(-1e9, -1e9, 0);
        for (int corner = 0; corner < 8; ++corner)
        {
            const CPoint3D p = view->Device().ProjectToWindow(
                CPoint3D(corner & 1, (corner >> 1) & 1, (corner >> 2) & 1), &camera);
            low = CPoint3D(std::min(low.x, p.x - 20), std::min(low.y, p.y - 20), 0);
            high = CPoint3D(std::max(high.x, p.x + 20), std::max(high.y, p.y + 20), 0);
        }
        view->Device().BeginScene(&camera);
        view->Device().EndScene();
        view->Device().ZoomWindow(low, high, &camera);
    }

    // The points of the cube's cut that the screen shows in another colour than their band's;
    // decided: the points whose band was known.
    static std::vector<std::string> WrongPoints(CCAEView* view, const CFEElement& cube,
                                                int* decided)
    {
        const double* e = view->Renderer().ClipEquation();
        const int axis = std::fabs(e[0]) > 0.5 ? 0 : std::fabs(e[1]) > 0.5 ? 1 : 2;
        const CubeCut cut(*view, cube, axis, -e[3] / e[axis]);
        const CResultDisplayAttr& attr = view->Scene().DisplayAttr();
        view->InvalidateView();
        view->UpdateWindow();
        const ScreenShot shot(view);
        view->MakeCurrent();
        const CViewVolume& camera = view->Camera(CSceneView::kSceneViewport);
        const CPoint3D origin = view->Device().ProjectToWindow(cut.Point(0, 0), &camera);
        const CPoint3D across = view->Device().ProjectToWindow(cut.Point(1, 0), &camera);
        const double pixelsPerUnit = std::hypot(across.x - origin.x, across.y - origin.y);
        // Clear of the level lines and the cut's edges by 3 pixels.
        const double margin = 3.0 / std::max(pixelsPerUnit, 1.0);
        std::vector<std::string> wrong;
        *decided = 0;
        for (int i = 1; i < 20; ++i)
        {
            for (int j = 1; j < 20; ++j)
            {
                const double u = i / 20.0;
                const double v = j / 20.0;
                const int band = cut.Band(u, v, attr, margin);
                const CPoint3D window = view->Device().ProjectToWindow(cut.Point(u, v), &camera);
                const int x = static_cast<int>(window.x);
                const int y = static_cast<int>(window.y);
                if (band < 0 || std::min({u, v, 1 - u, 1 - v}) < margin || !shot.Holds(x, y))
                    continue;
                ++*decided;
                const COLORREF shown = shot.At(x, y);
                if (ShowsBandColour(shown, attr.m_bandColors[band]))
                    continue;
                wrong.push_back(
                    "(" + std::to_string(u) + ", " + std::to_string(v) + ") band " +
                    std::to_string(band) + " shows " + std::to_string(GetRValue(shown)) + "," +
                    std::to_string(GetGValue(shown)) + "," + std::to_string(GetBValue(shown)));
            }
        }
        return wrong;
    }
};
} // namespace

// A solid stress kept at the element corners, cut by each of the six planes, at the plane's
// first place and moved, before and after Reverse, in every display mode: the cube's cut
// shows its bands where the corner values put them, in the legend's colours, seen from the
// side cut away and, with the solids' faces hidden, from the side kept.
TEST_F(CornerSectioning, CutOfACornerResultShowsItsBandsInTheLegendsColoursFromEitherSide)
{
    const HTREEITEM stress = FindComponent("Stress (hexahedron)", "Normal - X");
    ASSERT_NE(nullptr, stress);
    DoubleClick(stress);
    // Shown in the view it went to: the one showing values at the element corners.
    CCAEView* view = nullptr;
    for (int frame = 1; frame <= 4 && view == nullptr; ++frame)
    {
        CCAEView* shown = View(frame);
        if (shown != nullptr && shown->Renderer().ContourResultId() != -1 &&
            (shown->Renderer().ResultComponent() & 8) != 0)
            view = shown;
    }
    ASSERT_NE(nullptr, view) << "no view shows the stress at the element corners";
    const CFEElement* cube = Project()->m_model.FindElement(1);
    ASSERT_NE(nullptr, cube);
    ASSERT_EQ(8, cube->m_ids.GetSize());
    ASSERT_GE(view->Scene().DisplayAttr().m_nTotalBands, 10);

    const struct
    {
        UINT command;
        const char* name;
    } kPlanes[] = {{ID_SECTION_XY_PLUS, "+XY"}, {ID_SECTION_XY_MINUS, "-XY"},
                   {ID_SECTION_YZ_PLUS, "+YZ"}, {ID_SECTION_YZ_MINUS, "-YZ"},
                   {ID_SECTION_XZ_PLUS, "+XZ"}, {ID_SECTION_XZ_MINUS, "-XZ"}};
    const struct
    {
        UINT command;
        const char* name;
    } kModes[] = {{ID_VIEW_SHADING, "shading"},
                  {ID_VIEW_WIREFRAME, "wireframe"},
                  {ID_VIEW_RIDGELINE, "ridge lines"},
                  {ID_VIEW_RIDGELINE_SHADING, "ridge lines with shading"},
                  {ID_VIEW_HIDDENLINE, "hidden lines"}};
    CAESettings& settings = Project()->m_settings;
    const DWORD filter = settings.m_displayFilter;
    for (const auto& plane : kPlanes)
    {
        ViewCommand(view, plane.command);
        const HWND dialog = ::FindWindowA("#32770", "Section Plane");
        ASSERT_NE(nullptr, dialog);
        // Out of the way of the view.
        ::SetWindowPos(dialog, nullptr, ::GetSystemMetrics(SM_CXSCREEN) - 8,
                       ::GetSystemMetrics(SM_CYSCREEN) - 8, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        const HWND slider = ::GetDlgItem(dialog, IDC_CLIPPLANE_SLIDER);
        // Through the cube at 0.3 and 0.6 of its height along the plane's axis.
        const double low = view->Renderer().SectionRangeLow();
        const double high = view->Renderer().SectionRangeHigh();
        const double* e = view->Renderer().ClipEquation();
        const int axis = std::fabs(e[0]) > 0.5 ? 0 : std::fabs(e[1]) > 0.5 ? 1 : 2;
        for (const double at : {0.3, 0.6})
        {
            const double constant = -at * e[axis];
            const int percent =
                static_cast<int>(std::lround((constant - low) / (high - low) * 100.0));
            ::SendMessageA(slider, TBM_SETPOS, TRUE, percent);
            ::SendMessageA(dialog, WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, percent),
                           reinterpret_cast<LPARAM>(slider));
            fw::test::Pump();
            for (const bool isReversed : {false, true})
            {
                for (const auto& mode : kModes)
                {
                    ViewCommand(view, mode.command);
                    for (const bool isFront : {true, false})
                    {
                        SCOPED_TRACE(
                            std::string(plane.name) + " at " + std::to_string(at) +
                            (isReversed ? ", reversed, " : ", ") + mode.name +
                            (isFront ? ", from the side cut away" : ", from the side kept"));
                        settings.m_displayFilter =
                            isFront ? filter : filter & ~static_cast<DWORD>(kKindSolid);
                        FaceTheCut(view, isFront);
                        int decided = 0;
                        const std::vector<std::string> wrong = WrongPoints(view, *cube, &decided);
                        EXPECT_GE(decided, 60);
                        EXPECT_TRUE(wrong.empty())
                            << wrong.size() << " points, the first " << wrong.front();
                    }
                }
                ::SendMessageA(dialog, WM_COMMAND, IDC_CLIPPLANE_REVERSE, 0);
                fw::test::Pump();
            }
        }
        settings.m_displayFilter = filter;
        ::SendMessageA(::GetDlgItem(dialog, IDC_CLIPPLANE_CLOSE), BM_CLICK, 0, 0);
        fw::test::Pump();
        ASSERT_EQ(0, view->Renderer().IsClipping());
    }
}
