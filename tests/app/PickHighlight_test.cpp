// Picks shown over a contour, as the program shows them: a result opened from the tree in a new
// view (its lists compiled before that view first draws) and a small plate's shells picked.
#include "core/model/FEElement.h"
#include "core/model/ModelSet.h"
#include "platform/test/pump.h"
#include "project/ProjectData.h"
#include "render/SceneState.h"
#include "resources/resource.h"
#include "tests/app/ProjectAppFixture.h"

#include <windows.h>

#include <cstdio>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace
{
constexpr COLORREF kRed = RGB(255, 0, 0);

struct ModeCase
{
    UINT command;
    int mode;
    bool showsThrough; // the highlight drawn as outlines through the model
};
const ModeCase kModes[] = {{ID_VIEW_SHADING, kShading, false},
                           {ID_VIEW_RIDGELINE_SHADING, kRidgeLineShading, false},
                           {ID_VIEW_HIDDENLINE, kHiddenLine, false},
                           {ID_VIEW_WIREFRAME, kWireframe, true},
                           {ID_VIEW_RIDGELINE, kRidgeLine, true}};

using PickHighlight = ProjectAppFixture;

// A universal file of a plate 4 by 2 units in 4 x 2 quadrilaterals, small enough that its views
// take the smallest depth offset, and a temperature of 10 per unit along x at its nodes.
std::string SmallPlateUnv()
{
    char line[128];
    std::string text = "    -1\n  2411\n";
    for (int j = 0; j <= 2; ++j)
    {
        for (int i = 0; i <= 4; ++i)
        {
            std::snprintf(line, sizeof line, "%10d%10d%10d%10d\n%25.16E%25.16E%25.16E\n",
                          5 * j + i + 1, 1, 1, 11, 1.0 * i, 1.0 * j, 0.0);
            text += line;
        }
    }
    text += "    -1\n    -1\n  2412\n";
    for (int j = 0; j < 2; ++j)
    {
        for (int i = 0; i < 4; ++i)
        {
            const int first = 5 * j + i + 1;
            std::snprintf(line, sizeof line, "%10d%10d%10d%10d%10d%10d\n%10d%10d%10d%10d\n",
                          4 * j + i + 1, 94, 1, 1, 7, 4, first, first + 1, first + 6, first + 5);
            text += line;
        }
    }
    text += "    -1\n    -1\n  2414\n         1\nTemperature\n         1\nplate\nplate\n"
            "Static analysis, load case 1\nNONE\nNONE\n"
            "         1         1         1         5         2         1\n"
            "         0         0         1         1         1         0         0         0\n"
            "         0         0\n";
    const std::string zeros = "  0.00000E+00  0.00000E+00  0.00000E+00  0.00000E+00  0.00000E+00"
                              "  0.00000E+00\n";
    text += zeros + zeros;
    for (int node = 1; node <= 15; ++node)
    {
        std::snprintf(line, sizeof line, "%10d\n%13.5E\n", node, 10.0 * ((node - 1) % 5));
        text += line;
    }
    return text + "    -1\n";
}
} // namespace

// Every shell of the plate picked turns what the screen shows of it red: filled in the shaded
// and hidden-line modes, outlined in the line modes; only the contour's own red band was red.
TEST_F(PickHighlight, PickedShellsTurnRedOverTheContourInEveryDisplayMode)
{
    const std::string plate = WriteDataFile("plate.unv", SmallPlateUnv());
    MainFrame()->OpenFileInNewProject("plate.unv", plate.c_str());
    fw::test::Pump();
    ASSERT_NE(nullptr, Project());
    CCAEView* modelView = View(1);
    ASSERT_NE(nullptr, modelView);
    int frameId = 1;
    while (View(frameId + 1) != nullptr)
        ++frameId;
    for (const ModeCase& c : kModes)
    {
        SCOPED_TRACE(testing::Message() << "display mode " << c.mode);
        // The mode is chosen in the first view; a result opened from the tree takes it.
        MainFrame()->MDIActivate(modelView->GetParentFrame());
        fw::test::Pump();
        Command(c.command);
        const HTREEITEM result = FindResultItem("Temperature");
        ASSERT_NE(nullptr, result);
        DoubleClick(result);
        CCAEView* view = View(++frameId);
        ASSERT_NE(nullptr, view);
        ASSERT_EQ(c.mode, view->Scene().DisplayMode());
        ASSERT_NE(-1, view->Renderer().ContourResultId());

        view->EditSelection().EditPicked().RemoveAll();
        view->InvalidateView();
        const std::vector<COLORREF> plain = ScreenPixels(view);
        int shells = 0;
        Project()->m_model.ForEachElement(
            [&](CFEElement* element)
            {
                if (element->type == kTagShell)
                {
                    view->EditSelection().EditPicked().SetAt(element, 1);
                    ++shells;
                }
            });
        ASSERT_GT(shells, 0);
        view->InvalidateView();
        const std::vector<COLORREF> picked = ScreenPixels(view);
        ASSERT_EQ(plain.size(), picked.size());
        int model = 0; // neither background nor red
        int turned = 0;
        const COLORREF background = Project()->m_settings.m_backgroundColor;
        for (size_t i = 0; i < plain.size(); ++i)
        {
            model += plain[i] != background && plain[i] != kRed;
            turned += plain[i] != kRed && picked[i] == kRed;
        }
        ASSERT_GT(model, 0);
        if (c.showsThrough)
            EXPECT_GT(turned, 20) << "of " << model;
        else
            EXPECT_GT(turned, model / 2) << "of " << model;
        view->EditSelection().EditPicked().RemoveAll();
    }
}
