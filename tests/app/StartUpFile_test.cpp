// The model file named on the command line at start-up: opened in a new project with its first
// nodal result shown as a contour; a name that is not found opens nothing and says nothing.
#include "app/project/ProjectData.h"
#include "tests/app/ProjectAppFixture.h"

#include <gtest/gtest.h>

namespace
{
class StartUpFile : public ProjectAppFixture
{
protected:
    void Start(const std::string& commandLine)
    {
        m_commandLine = commandLine;
        ProjectAppFixture::SetUp();
    }
    void SetUp() override {}
};
} // namespace

TEST_F(StartUpFile, TheDemoModelOpensWithAContour)
{
    Start("/Automation \"" + m_demoModel + "\"");
    ASSERT_NE(nullptr, Project());
    EXPECT_GT(Project()->m_model.GetElementCount(), 0);
    EXPECT_EQ(Project()->m_name, ItemText(Tree().GetChildItem(TVI_ROOT)).c_str());
    // The result opens in a view of its own, as from the tree, above the model's first view.
    ASSERT_NE(nullptr, View(1));
    CCAEView* shown = View(2);
    ASSERT_NE(nullptr, shown);
    EXPECT_NE(-1, shown->m_AESet.m_nContourResultId);
    EXPECT_GE(ShownBands(shown).size(), 3u);
}

TEST_F(StartUpFile, ANameThatIsNotFoundOpensNothing)
{
    // The last parameter is the file: a flag after the model's name hides it.
    for (const std::string& commandLine :
         {"/Automation \"" + m_demoModel + ".missing\"", "\"" + m_demoModel + "\" /x"})
    {
        SCOPED_TRACE(commandLine);
        Start(commandLine);
        EXPECT_EQ(nullptr, Project());
        EXPECT_TRUE(Items().empty());
        EXPECT_TRUE((*m_services)->messageBoxes.empty());
        ProjectAppFixture::TearDown();
    }
}
