// The view's small settings dialogs and colour modes in the program: Shrink Setting refuses a
// factor past 1 and redraws nothing on an unchanged OK, Deformation Settings opens with its
// overlay checks off for a view without deformation and deforms what the screen shows, Angle
// View shows three decimals, a zero view vector is refused, and each colour mode draws the
// elements in its colours on the screen.
#include "core/model/FEElement.h"
#include "core/model/ModelSet.h"
#include "platform/test/pump.h"
#include "project/ProjectData.h"
#include "resources/resource.h"
#include "tests/app/ProjectAppFixture.h"

#include <windows.h>

#include <GL/gl.h>
#include <algorithm>
#include <gtest/gtest.h>
#include <map>

namespace
{
// Two quads side by side, of properties 1 and 2.
const char kTwoPropertyDeck[] = "BEGIN BULK\n"
                                "GRID           1              0.      0.      0.\n"
                                "GRID           2              1.      0.      0.\n"
                                "GRID           3              2.      0.      0.\n"
                                "GRID           4              0.      1.      0.\n"
                                "GRID           5              1.      1.      0.\n"
                                "GRID           6              2.      1.      0.\n"
                                "CQUAD4         1       1       1       2       5       4\n"
                                "CQUAD4         2       2       2       3       6       5\n"
                                "ENDDATA\n";

class ViewDialogs : public ProjectAppFixture
{
protected:
    CCAEView* ActiveView()
    {
        CMDIChildWnd* child = MainFrame()->MDIGetActive();
        return child != nullptr ? dynamic_cast<CCAEView*>(child->GetActiveView()) : nullptr;
    }
    // The demo model's first view, shaded.
    CCAEView* OpenDemo()
    {
        MainFrame()->OpenFileInNewProject("demo.unv", m_demoModel.c_str());
        fw::test::Pump();
        Command(ID_VIEW_SHADING);
        return ActiveView();
    }
    // Runs the command; the script answers the modal dialog of the caption.
    void RunDialog(UINT command, const char* caption, std::function<void(HWND)> script)
    {
        bool hasShown = false;
        fw::test::WhenDialogShows(caption,
                                  [&](HWND dialog)
                                  {
                                      hasShown = true;
                                      script(dialog);
                                  });
        Command(command);
        EXPECT_TRUE(hasShown) << caption;
    }
    static void PressOk(HWND dialog) { ::SendMessageA(dialog, WM_COMMAND, IDOK, 0); }
    static std::string Text(HWND dialog, int id)
    {
        char text[128] = {};
        ::GetDlgItemTextA(dialog, id, text, sizeof text);
        return text;
    }

    // Drops a list of the view, so that a rebuild shows as the list made again.
    void DropShellFaces(CCAEView* view)
    {
        view->MakeCurrent();
        m_faces = view->Renderer().ListName(CAESet::kShellFaceList);
        glDeleteLists(m_faces, 1);
    }
    bool WasRebuilt(CCAEView* view)
    {
        view->MakeCurrent();
        return glIsList(m_faces) == GL_TRUE;
    }
    // What the screen shows of the middle of the view, where the model lies (the triad and the
    // legend keep to the edges).
    std::vector<COLORREF> MiddlePixels(CCAEView* view)
    {
        CRect client;
        view->GetClientRect(&client);
        const int step = 2;
        const int columns = (client.Width() + step - 1) / step;
        const std::vector<COLORREF> all = ScreenPixels(view, step);
        std::vector<COLORREF> middle;
        for (size_t i = 0; i < all.size(); ++i)
        {
            const int x = static_cast<int>(i % columns) * step;
            const int y = static_cast<int>(i / columns) * step;
            if (x > client.Width() / 5 && x < client.Width() * 4 / 5 && y > client.Height() / 5 &&
                y < client.Height() * 4 / 5)
                middle.push_back(all[i]);
        }
        return middle;
    }
    // Screen pixels of the view that are not its background.
    int ModelPixels(CCAEView* view)
    {
        const COLORREF background = Project()->m_settings.m_backgroundColor;
        int count = 0;
        for (COLORREF pixel : ScreenPixels(view, 2))
            count += IsNear(pixel, background) ? 0 : 1;
        return count;
    }

    UINT m_faces = 0;
};
} // namespace

TEST_F(ViewDialogs, ShrinkRefusesAFactorPastOneAndAnUnchangedOkRedrawsNothing)
{
    CCAEView* view = OpenDemo();
    ASSERT_NE(nullptr, view);
    const int whole = ModelPixels(view);
    bool stayed = false;
    RunDialog(ID_VIEW_SHRINK_SETTING, "Shrink Setting",
              [&](HWND dialog)
              {
                  EXPECT_EQ("0.800", Text(dialog, IDC_SHRINK_FACTOR));
                  ::CheckDlgButton(dialog, IDC_SHRINK_MODE, BST_CHECKED);
                  ::SetDlgItemTextA(dialog, IDC_SHRINK_FACTOR, "1.0001");
                  PressOk(dialog);
                  stayed = ::IsWindowVisible(dialog) != FALSE;
                  ::SetDlgItemTextA(dialog, IDC_SHRINK_FACTOR, "0.5");
                  PressOk(dialog);
              });
    EXPECT_TRUE(stayed);
    ASSERT_EQ(1u, (*m_services)->messageBoxes.size());
    EXPECT_EQ("The shrink factor must lie between 0 and 1.", (*m_services)->messageBoxes[0].text);
    EXPECT_TRUE(view->Scene().IsShrunk());
    EXPECT_DOUBLE_EQ(0.5, view->Scene().ShrinkFactor());
    const int shrunk = ModelPixels(view);
    EXPECT_LT(shrunk, whole * 2 / 3) << "halved elements cover about a quarter of the model";

    DropShellFaces(view);
    RunDialog(ID_VIEW_SHRINK_SETTING, "Shrink Setting", &PressOk);
    EXPECT_FALSE(WasRebuilt(view));
    EXPECT_DOUBLE_EQ(0.5, view->Scene().ShrinkFactor());
    EXPECT_EQ(1u, (*m_services)->messageBoxes.size());
}

TEST_F(ViewDialogs, DeformationOffersItsOverlaysOnlyWithADeformationAndDeformsTheView)
{
    ASSERT_NE(nullptr, OpenDemo());
    const HTREEITEM displacement = FindResultItem("Translation");
    ASSERT_NE(nullptr, displacement);
    DoubleClick(displacement);
    CCAEView* view = ActiveView();
    ASSERT_TRUE(view != nullptr && view->GetShownResultId() != -1);
    view->Renderer().SetShowDeformation(CAESet::kNoDeformation);
    view->Renderer().RenderAll();
    ASSERT_TRUE(IsEnabled(ID_RESULT_DEFORMATION_SETTINGS));
    RunDialog(ID_RESULT_DEFORMATION_SETTINGS, "Deformation Settings",
              [&](HWND dialog)
              {
                  EXPECT_EQ(BST_UNCHECKED, ::IsDlgButtonChecked(dialog, IDC_DEFORM_ENABLE));
                  EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(dialog, IDC_DEFORM_SHOW_MODEL)));
                  EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(dialog, IDC_DEFORM_SHOW_CONTOUR)));
                  EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(dialog, IDC_DEFORM_SCALE)));
                  ::SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
              });
    EXPECT_EQ(CAESet::kNoDeformation, view->Renderer().ShowDeformation());

    // A deformation of a tenth of the model's size moves what the screen shows; the plate bends
    // out of its plane, seen from the side. Every pixel is read: the plate seen edge-on is a line
    // a few pixels thick, which a sample of every third row meets or misses by where the view's
    // height puts it.
    Command(ID_VIEW_DIR_XZ);
    const std::vector<COLORREF> before = ScreenPixels(view, 1);
    RunDialog(ID_RESULT_DEFORMATION_SETTINGS, "Deformation Settings",
              [&](HWND dialog)
              {
                  ::SendMessageA(::GetDlgItem(dialog, IDC_DEFORM_ENABLE), BM_CLICK, 0, 0);
                  ::SendMessageA(::GetDlgItem(dialog, IDC_DEFORM_BY_MODEL_SCALE), BM_CLICK, 0, 0);
                  ::SetDlgItemTextA(dialog, IDC_DEFORM_MODEL_SCALE, "10");
                  PressOk(dialog);
              });
    EXPECT_EQ(CAESet::kRelativeToModel, view->Renderer().ShowDeformation());
    EXPECT_DOUBLE_EQ(0.1, view->Renderer().ModelScale());
    const std::vector<COLORREF> after = ScreenPixels(view, 1);

    int changed = 0;
    for (size_t i = 0; i < before.size() && i < after.size(); ++i)
        changed += IsNear(before[i], after[i]) ? 0 : 1;
    EXPECT_GT(changed, 100);
}

TEST_F(ViewDialogs, AngleViewShowsThreeDecimalsAndAZeroViewVectorIsRefused)
{
    CCAEView* view = OpenDemo();
    ASSERT_NE(nullptr, view);
    view->Camera(0).SetRotationAngles(CPoint3D(12.3456, 0, 0));
    RunDialog(ID_VIEW_ANGLE, "View Angle",
              [&](HWND dialog)
              {
                  EXPECT_EQ("12.346", Text(dialog, IDC_VIEWANGLE_X));
                  EXPECT_EQ("0.000", Text(dialog, IDC_VIEWANGLE_Y));
                  ::SetDlgItemTextA(dialog, IDC_VIEWANGLE_Z, "45");
                  PressOk(dialog);
                  // The dialog opens again on the new angles, until Cancel.
                  fw::test::WhenDialogShows("View Angle",
                                            [](HWND again)
                                            {
                                                EXPECT_EQ("45.000", Text(again, IDC_VIEWANGLE_Z));
                                                ::SendMessageA(again, WM_COMMAND, IDCANCEL, 0);
                                            });
              });
    EXPECT_NEAR(45.0, view->Camera(0).m_rotation.z, 1e-9);
    EXPECT_NEAR(12.346, view->Camera(0).m_rotation.x, 1e-9) << "the angle as shown";

    const CPoint3D angles = view->Camera(0).m_rotation;
    bool stayed = false;
    RunDialog(ID_VIEW_VECTOR, "View Vector",
              [&](HWND dialog)
              {
                  for (int id : {IDC_VIEWVECTOR_X, IDC_VIEWVECTOR_Y, IDC_VIEWVECTOR_Z})
                      ::SetDlgItemTextA(dialog, id, "0");
                  PressOk(dialog);
                  stayed = ::IsWindowVisible(dialog) != FALSE;
                  ::SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
              });
    EXPECT_TRUE(stayed);
    ASSERT_FALSE((*m_services)->messageBoxes.empty());
    EXPECT_EQ("Enter a direction: the view vector cannot be zero.",
              (*m_services)->messageBoxes.back().text);
    EXPECT_EQ(angles.x, view->Camera(0).m_rotation.x);
    EXPECT_EQ(angles.z, view->Camera(0).m_rotation.z);
}

TEST_F(ViewDialogs, EachColourModeDrawsTheElementsInItsColours)
{
    NewProject("plate", WriteDataFile("plate.dat", kTwoPropertyDeck));
    CCAEView* view = ActiveView();
    ASSERT_NE(nullptr, view);
    CModelSet& model = Project()->m_model;
    const COLORREF kRed = RGB(255, 0, 0);
    const COLORREF kBlue = RGB(0, 0, 255);
    const COLORREF kGreen = RGB(0, 255, 0);
    const COLORREF kYellow = RGB(255, 255, 0);
    const std::pair<int, COLORREF> kElements[] = {{1, kRed}, {2, kBlue}};
    for (const auto& [id, color] : kElements)
    {
        model.FindElement(id)->m_materialId = 10 * id;
        model.AddMaterialColor(10 * id);
        model.LookupMaterialColor(10 * id)->color = static_cast<int>(id == 1 ? kGreen : kYellow);
        model.AddPropertyColor(id);
        model.LookupPropertyColor(id)->color = static_cast<int>(color);
    }
    Command(ID_VIEW_HIDDENLINE);
    Command(ID_VIEW_AUTOSCALE);
    // By element type both quads take the one colour of shells, none of the tables' colours.
    const struct
    {
        UINT command;
        const char* line;
        std::vector<COLORREF> shown; // each over one quad
        std::vector<COLORREF> absent;
    } kModes[] = {
        {ID_COLOR_MODE_MATERIAL, "Colours by material id", {kGreen, kYellow}, {kRed, kBlue}},
        {ID_COLOR_MODE_ELEMENT_TYPE, "Colours by element type", {}, {kRed, kBlue, kGreen, kYellow}},
        {ID_COLOR_MODE_PROPERTY, "Colours by property id", {kRed, kBlue}, {kGreen, kYellow}},
    };
    const auto countNear = [](const std::vector<COLORREF>& pixels, COLORREF colour)
    {
        return std::count_if(pixels.begin(), pixels.end(),
                             [&](COLORREF p) { return IsNear(p, colour); });
    };
    long quadPixels = 0; // what one quad covers
    for (const auto& mode : kModes)
    {
        SCOPED_TRACE(mode.line);
        Command(mode.command);
        EXPECT_EQ(mode.line, OutputLines().back());
        const std::vector<COLORREF> pixels = MiddlePixels(view);
        for (COLORREF colour : mode.shown)
        {
            quadPixels = countNear(pixels, colour);
            EXPECT_GT(quadPixels, 200) << std::hex << colour;
        }
        for (COLORREF colour : mode.absent)
            EXPECT_EQ(0, countNear(pixels, colour)) << std::hex << colour;
        if (mode.shown.empty())
        {
            const COLORREF background = Project()->m_settings.m_backgroundColor;
            std::map<COLORREF, long> counts;
            for (COLORREF p : pixels)
                counts[p] += IsNear(p, background) ? 0 : 1;
            long largest = 0;
            for (const auto& entry : counts)
                largest = std::max(largest, entry.second);
            EXPECT_GT(largest, 2 * 200) << "one colour over both quads";
        }
    }
    EXPECT_GT(quadPixels, 0);

    // The mode in effect chosen again: its line is written, the lists stay.
    const size_t lines = OutputLines().size();
    DropShellFaces(view);
    Command(ID_COLOR_MODE_PROPERTY);
    EXPECT_EQ(lines + 1, OutputLines().size());
    EXPECT_EQ("Colours by property id", OutputLines().back());
    EXPECT_FALSE(WasRebuilt(view));
}
