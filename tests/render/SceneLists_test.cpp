// The list scope of the renderer's builders when its end fails: it throws nothing, ends its list
// (on a worker or on the view's thread), tells it as cut short and logs the failure unless the
// builder's own exception is on its way; the lists after it compile and draw.
#include "render/SceneLists.h"

#include "GLTestWindow.h"
#include "core/geometry/EntitySet.h"
#include "platform/win/dc.h"
#include "render/ListBatch.h"
#include "render/ListCompiler.h"
#include "tests/support/LogLines.h"

#include <GL/gl.h>
#include <gtest/gtest.h>
#include <new>
#include <stdexcept>

using render_test::GLTest;
using render_test::GLTestWindow;
using render_test::kSize;
using render_test::ReadPixel;

namespace
{
constexpr UINT kList = 0x7F101;

// Node positions that cannot be had, as when memory runs out while edges are resolved.
class FailingPoints : public CEntitySet
{
public:
    CPoint3D GetNodePoint(int) const override { throw std::bad_alloc(); }
};

// A red square over the middle of the window.
void DrawSquare(CDrawDevice& device)
{
    device.SetColor(CColorRGBA(255, 0, 0, 0));
    device.SetRenderMode(kRenderFill);
    device.DrawQuad(CPoint3D(-50, -50, 0), CPoint3D(50, -50, 0), CPoint3D(50, 50, 0),
                    CPoint3D(-50, 50, 0), 0);
}

class SceneListsTest : public GLTest
{
protected:
    std::array<int, 3> CallAndReadCentre(UINT list)
    {
        CallListOverSquare(list);
        return ReadPixel(kSize / 2, kSize / 2);
    }
};
} // namespace

TEST_F(SceneListsTest, ScopeWhoseEndFailsEndsItsListAndThrowsNothing)
{
    CListCompiler compiler;
    ASSERT_TRUE(
        compiler.Start(Device().GetClientDC()->GetSafeHdc(), Device().GetRenderingContext(), 2));
    const std::string logged = "Exception occured in CSceneLists::Scope";
    const FailingPoints points;
    for (CListCompiler* workers : {static_cast<CListCompiler*>(nullptr), &compiler})
    {
        for (const bool isBuilderFailing : {true, false})
        {
            SCOPED_TRACE(testing::Message() << (workers ? "workers" : "view's thread")
                                            << (isBuilderFailing ? ", builder fails" : ""));
            const int logLines = testing_support::CountLogLines("Gravik", logged);
            CSceneLists lists;
            try
            {
                CSceneLists::Compiling compiling(lists, workers);
                CSceneLists::Scope scope(lists, Device(), kList, true, true);
                const int ids[] = {1, 2, 3, 4};
                EXPECT_TRUE(lists.Batch()->AddNodeOutline(ids, 4, &points));
                if (isBuilderFailing)
                    throw std::runtime_error("builder");
            }
            catch (const std::runtime_error&)
            {
            }
            GLint open = -1;
            glGetIntegerv(GL_LIST_INDEX, &open);
            EXPECT_EQ(0, open);
            EXPECT_EQ(static_cast<GLenum>(GL_NO_ERROR), glGetError());
            // Logged once, by the builder's guard when the builder failed.
            EXPECT_EQ(logLines + (isBuilderFailing ? 0 : 1),
                      testing_support::CountLogLines("Gravik", logged));
            // Told as cut short until it is compiled again.
            EXPECT_TRUE(lists.IsCut(kList));

            CSceneLists::Compiling compiling(lists, workers);
            for (const UINT list : {kList + 1, kList})
            {
                CSceneLists::Scope scope(lists, Device(), list, true, false);
                DrawSquare(*lists.Target(&Device()));
                scope.Close();
            }
            compiling.Finish();
            EXPECT_EQ((std::array<int, 3>{255, 0, 0}), CallAndReadCentre(kList + 1));
            EXPECT_FALSE(lists.IsCut(kList + 1));
            EXPECT_FALSE(lists.IsCut(kList));
        }
    }
    compiler.Stop();
    glDeleteLists(kList, 2);
}
