// The selection and group tools in the program: a group made with Group > Create on a
// project's plate is kept by the project file and comes back when the project opens again;
// View > Element Filter opens its dialog over the view and Close takes it away.
#include "core/model/FEElement.h"
#include "core/model/GroupSet.h"
#include "platform/test/pump.h"
#include "project/ProjectData.h"
#include "resources/resource.h"
#include "tests/app/ProjectAppFixture.h"

#include <commctrl.h>
#include <gtest/gtest.h>

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
