// The model file named on the command line at start-up: opened in a new project with its first
// nodal result shown as a contour; a name that is not found opens nothing and says nothing.
#include "app/project/ProjectData.h"
#include "platform/test/pump.h"
#include "platform/win/glpresent.h"
#include "tests/app/ProjectAppFixture.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

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

TEST_F(StartUpFile, AModelWithoutResultsShowsInItsFirstView)
{
    const std::string deck = (fs::temp_directory_path() / "startup_plate.dat").string();
    std::ofstream(deck, std::ios::binary) << kPlateDeck;
    Start("/Automation \"" + deck + "\"");
    fs::remove(deck);
    ASSERT_NE(nullptr, Project());
    CCAEView* view = View(1);
    ASSERT_NE(nullptr, view);
    if (!fw::PresentsThroughCopy())
        GTEST_SKIP() << "the last frame shown is kept only where it is copied";
    fw::test::Pump();
    // What the screen shows: the last frame the view presented, with the model fitted in it.
    const fw::CFrameCopyWnd* shown = fw::CFrameCopyWnd::Find(view->m_hWnd);
    ASSERT_NE(nullptr, shown);
    const fw::Dib32& picture = shown->GetPicture();
    ASSERT_NE(nullptr, picture.GetBits());
    const COLORREF background = Project()->m_settings.m_backgroundColor;
    int drawn = 0;
    for (int i = 0; i < picture.GetWidth() * picture.GetHeight(); ++i)
    {
        const unsigned char* bgr = picture.GetBits() + static_cast<size_t>(i) * 4;
        drawn += bgr[2] != GetRValue(background) || bgr[1] != GetGValue(background) ||
                 bgr[0] != GetBValue(background);
    }
    // The outline of a plate fitted to the view, more than the two triads alone.
    EXPECT_GT(drawn, 2 * (picture.GetWidth() + picture.GetHeight()));
}
