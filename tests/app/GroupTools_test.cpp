// The selection and group tools in the program: a group made with Group > Create on a
// project's plate is kept by the project file and comes back when the project opens again;
// View > Element Filter opens its dialog over the view and Close takes it away; the group list,
// element filter and depth clipping of a project go with it and never act on the next one's view.
#include "core/model/FEElement.h"
#include "core/model/GroupSet.h"
#include "platform/test/pump.h"
#include "project/ProjectData.h"
#include "render/ViewVolume.h"
#include "resources/resource.h"
#include "tests/app/ProjectAppFixture.h"

#include <commctrl.h>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace
{
class GroupTools : public ProjectAppFixture
{
protected:
    static HWND FindDialog(const char* caption)
    {
        const HWND dialog = ::FindWindowA("#32770", caption);
        return dialog != nullptr && ::IsWindowVisible(dialog) ? dialog : nullptr;
    }
    static void Click(HWND dialog, int id)
    {
        ::SendMessageA(::GetDlgItem(dialog, id), BM_CLICK, 0, 0);
        fw::test::Pump();
    }
    void AddGroup(int id, const char* name)
    {
        auto* group = new CGroupSet; // the model's once added
        group->m_id = id;
        group->SetName(name);
        group->AddElement(Project()->m_model.FindElement(1));
        ASSERT_TRUE(Project()->m_model.AddGroup(group));
    }
    // The plate as a project of the name, whose first view has frame key 1; the project open
    // before is closed unsaved.
    void OpenPlate(const std::string& name)
    {
        (*m_services)->messageBoxAnswers.push_back(IDNO);
        NewProject(name, WriteDataFile(name + ".dat", kPlateDeck));
        (*m_services)->messageBoxAnswers.clear();
        ASSERT_NE(nullptr, Project());
        ASSERT_EQ(name, Project()->m_name.Str());
        ASSERT_NE(nullptr, View(1));
    }
};
} // namespace

TEST_F(GroupTools, AGroupCreatedHereSurvivesAProjectSaveAndOpen)
{
    NewProject("plate", WriteDataFile("plate.dat", kPlateDeck));
    ASSERT_NE(nullptr, Project());
    ASSERT_EQ(2, Project()->m_model.GetElementCount());
    CCAEView* view = View(1);
    ASSERT_NE(nullptr, view);
    ASSERT_TRUE(IsEnabled(ID_GROUP_CREATE));

    Command(ID_GROUP_CREATE);
    HWND dialog = FindDialog("Create Group");
    ASSERT_NE(nullptr, dialog);
    ::SetDlgItemTextA(dialog, IDC_GROUP_NAME, "Pair");
    Click(dialog, IDC_GROUP_SELECT);
    ASSERT_TRUE(view->ViewSelection().IsSelecting());
    CEntityArray picked;
    picked.Add(Project()->m_model.FindElement(2));
    picked.Add(Project()->m_model.FindElement(1));
    view->AddPickedEntity(picked);
    view->CommitSelection(CCAEView::kDecision);
    fw::test::Pump();
    ASSERT_EQ(dialog, FindDialog("Create Group"));
    Click(dialog, IDC_GROUP_ACTION);
    const CGroupSet* group = Project()->m_model.FindGroupByName("Pair");
    ASSERT_NE(nullptr, group);
    EXPECT_EQ(2, group->GetShells().GetCount());
    const int groupId = group->m_id;
    EXPECT_GT(groupId, 0);
    dialog = FindDialog("Create Group");
    ASSERT_NE(nullptr, dialog) << "the tool starts again";
    Click(dialog, IDCANCEL);
    EXPECT_EQ(nullptr, FindDialog("Create Group"));

    (*m_services)->fileAnswers.push_back(DataPath("grouped"));
    Command(ID_PROJECT_SAVE_AS);
    ASSERT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(DataPath("grouped.mpj").c_str()));
    (*m_services)->messageBoxAnswers.push_back(IDNO);
    Command(ID_PROJECT_CLOSE);
    ASSERT_EQ(nullptr, Project());

    (*m_services)->fileAnswers.push_back(DataPath("grouped.mpj"));
    Command(ID_PROJECT_OPEN);
    ASSERT_NE(nullptr, Project());
    group = Project()->m_model.LookupGroup(groupId);
    ASSERT_NE(nullptr, group);
    EXPECT_STREQ("Pair", group->GetName());
    EXPECT_EQ(2, group->GetShells().GetCount());
}

TEST_F(GroupTools, ElementFilterOpensOverTheViewAndCloseTakesItAway)
{
    NewProject("plate", WriteDataFile("plate.dat", kPlateDeck));
    ASSERT_NE(nullptr, View(1));
    Command(ID_ELEMENT_FILTER);
    const HWND dialog = FindDialog("Element Filter");
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ(1, ListView_GetItemCount(::GetDlgItem(dialog, IDC_FILTER_LIST)))
        << "the plate's one property";
    Click(dialog, IDCANCEL);
    EXPECT_FALSE(::IsWindow(dialog));
}

// Frame keys start again at 1 with each project: a group list left open must not delete the
// group of the next project that has the old group's row.
TEST_F(GroupTools, AGroupListGoesWithItsProject)
{
    OpenPlate("first");
    AddGroup(1, "ALPHA");
    Command(ID_GROUP_DELETE);
    const HWND list = FindDialog("Delete Group");
    ASSERT_NE(nullptr, list);

    OpenPlate("second");
    AddGroup(1, "BETA");
    AddGroup(2, "GAMMA");
    EXPECT_EQ(nullptr, FindDialog("Delete Group"));
    if (::IsWindow(list))
    {
        // The row "1 ALPHA", deleted with Yes.
        ListView_SetItemState(::GetDlgItem(list, IDC_GROUPLIST_LIST), 0, LVIS_SELECTED,
                              LVIS_SELECTED);
        (*m_services)->messageBoxAnswers.push_back(IDYES);
        Click(list, IDC_GROUPLIST_ACTION);
        (*m_services)->messageBoxAnswers.clear();
    }
    EXPECT_NE(nullptr, Project()->m_model.FindGroupByName("BETA"));
    EXPECT_NE(nullptr, Project()->m_model.FindGroupByName("GAMMA"));
    EXPECT_FALSE(::IsWindow(list));
}

TEST_F(GroupTools, AnElementFilterGoesWithItsProject)
{
    OpenPlate("first");
    Command(ID_ELEMENT_FILTER);
    const HWND filter = FindDialog("Element Filter");
    ASSERT_NE(nullptr, filter);

    OpenPlate("second");
    CCAEView* view = View(1);
    EXPECT_EQ(nullptr, FindDialog("Element Filter"));
    const std::vector<COLORREF> shown = ScreenPixels(view, 8);
    if (::IsWindow(filter))
    {
        // The plate's property unticked and applied would hide the whole plate.
        Click(filter, IDC_FILTER_DESELECT_ALL);
        Click(filter, IDOK);
    }
    EXPECT_EQ(CCAEView::kFilterByProperty, view->ElementFilter().Mode());
    EXPECT_TRUE(shown == ScreenPixels(view, 8)) << "the second plate is drawn as before";
    EXPECT_FALSE(::IsWindow(filter));
}

TEST_F(GroupTools, DepthClippingGoesWithItsProject)
{
    OpenPlate("first");
    Command(ID_VIEW_CLIPPING);
    const HWND clipping = FindDialog("Depth Clipping");
    ASSERT_NE(nullptr, clipping);

    OpenPlate("second");
    CCAEView* view = View(1);
    EXPECT_EQ(nullptr, FindDialog("Depth Clipping"));
    const CViewVolume& camera = view->Camera(CSceneView::kSceneViewport);
    const double startZ = camera.m_volumeStart.z;
    const double endZ = camera.m_volumeEnd.z;
    const std::vector<COLORREF> shown = ScreenPixels(view, 8);
    if (::IsWindow(clipping))
    {
        // The back brought to the front would clip the whole plate; Close restores the first
        // view's depth range.
        const HWND slider = ::GetDlgItem(clipping, IDC_CLIPPING_BACKWARD_SLIDER);
        ::SendMessageA(slider, TBM_SETPOS, TRUE, 0);
        ::SendMessageA(clipping, WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, 0),
                       reinterpret_cast<LPARAM>(slider));
        fw::test::Pump();
        EXPECT_TRUE(shown == ScreenPixels(view, 8)) << "the second plate is drawn as before";
        Click(clipping, IDC_CLIPPING_CLOSE);
    }
    EXPECT_EQ(startZ, camera.m_volumeStart.z);
    EXPECT_EQ(endZ, camera.m_volumeEnd.z);
    EXPECT_TRUE(shown == ScreenPixels(view, 8));
    EXPECT_FALSE(::IsWindow(clipping));
}
