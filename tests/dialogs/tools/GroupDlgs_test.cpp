// Group dialogs under Wine: a group named and picked in the view, edited under its own name,
// deleted after a confirmation, refused names, and a group that outlives a project save and
// open; the list of groups of a closed view does nothing.
#include "core/model/GroupSet.h"
#include "core/model/ModelSet.h"
#include "core/services/AppEnvironment.h"
#include "dialogs/tools/GroupCreateDlg.h"
#include "dialogs/tools/GroupEditDlg.h"
#include "io/bulk/BulkImport.h"
#include "platform/test/pump.h"
#include "resources/resource.h"
#include "tests/dialogs/tools/ToolTestSupport.h"
#include "tests/support/ProjectFixture.h"

#include <commctrl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>

using tools_test::ToolFixture;

namespace
{
using Ids = std::vector<int>;

// The plate deck of the project tests (quads 1-12), read as a project's solver file; groups
// 1 "GROUP1" (quads 1, 2) and 4 "Other" (quad 12).
class Groups : public ToolFixture
{
protected:
    void SetUp() override
    {
        ToolFixture::SetUp();
        CProjectData& project = *Frame().m_project;
        project.m_name = "groups";
        project.m_folder = (std::filesystem::path(m_root) / "data").string().c_str();
        std::filesystem::create_directories(std::filesystem::path(m_root) / "data");
        m_deck = (std::filesystem::path(m_root) / "data" / "plate.dat").string();
        CProjectFolders::WriteBytes(m_deck, PlateDeck());
        ASSERT_TRUE(project.AddInputFile(m_deck.c_str()));
        ASSERT_TRUE(ImportBulkFile(Model(), m_deck, m_sink));
        AddGroup(1, "GROUP1", {1, 2});
        AddGroup(4, "Other", {12});
        OpenToolView();
        m_view->LoadElementFilter(&Model());
        TakeCodes();
    }

    void AddGroup(int id, const char* name, Ids elements)
    {
        auto group = std::make_unique<CGroupSet>();
        group->m_id = id;
        group->SetName(name);
        for (const int element : elements)
            group->AddElement(Model().FindElement(element));
        ASSERT_TRUE(Model().AddGroup(group.release()));
    }
    static Ids Members(const CGroupSet* group)
    {
        Ids ids;
        if (group == nullptr)
            return ids;
        CElementMap elements;
        group->CollectElements(elements);
        for (const UINT id : elements.SortedKeys())
            ids.push_back(static_cast<int>(id));
        return ids;
    }
    static std::vector<std::string> Rows(HWND dialog)
    {
        const HWND list = ::GetDlgItem(dialog, IDC_GROUPLIST_LIST);
        std::vector<std::string> rows;
        for (int i = 0; i < ListView_GetItemCount(list); ++i)
        {
            char id[32] = {};
            char name[64] = {};
            ListView_GetItemText(list, i, 0, id, sizeof(id));
            ListView_GetItemText(list, i, 1, name, sizeof(name));
            rows.push_back(std::string(id) + "|" + name);
        }
        return rows;
    }
    // The rows of the element list as the list draws them.
    static std::vector<std::string> ElementRows(HWND dialog)
    {
        auto* group = dynamic_cast<CGroupCreateDlg*>(CWnd::FromHandlePermanent(dialog));
        std::vector<std::string> rows;
        const int count =
            static_cast<int>(::SendDlgItemMessageA(dialog, IDC_GROUP_ELEMENTS, LB_GETCOUNT, 0, 0));
        for (int i = 0; group != nullptr && i < count; ++i)
            rows.push_back(group->RowText(i).GetString());
        return rows;
    }
    // Pixels of the row on the screen in the colour.
    static int RowPixels(HWND dialog, int row, COLORREF colour)
    {
        const HWND list = ::GetDlgItem(dialog, IDC_GROUP_ELEMENTS);
        ::UpdateWindow(list);
        RECT box = {};
        ::SendMessageA(list, LB_GETITEMRECT, row, reinterpret_cast<LPARAM>(&box));
        const HDC dc = ::GetDC(list);
        int count = 0;
        for (int y = box.top; y < box.bottom; ++y)
        {
            for (int x = box.left; x < box.right; ++x)
                count += ::GetPixel(dc, x, y) == colour ? 1 : 0;
        }
        ::ReleaseDC(list, dc);
        return count;
    }
    static void ChooseRow(HWND dialog, int row)
    {
        ListView_SetItemState(::GetDlgItem(dialog, IDC_GROUPLIST_LIST), row, LVIS_SELECTED,
                              LVIS_SELECTED);
    }
    void Name(HWND dialog, const char* name) { ::SetDlgItemTextA(dialog, IDC_GROUP_NAME, name); }
    // Select, then the picks; the dialog comes back.
    void PickInto(HWND dialog, std::initializer_list<int> elements)
    {
        Click(dialog, IDC_GROUP_SELECT);
        EXPECT_FALSE(::IsWindowVisible(dialog)) << "hidden while the user picks";
        ASSERT_TRUE(m_view->ViewSelection().IsSelecting());
        std::vector<CModelEntity*> picks;
        for (const int id : elements)
        {
            CEntityArray picked;
            picked.Add(Element(id));
            m_view->AddPickedEntity(picked);
        }
        m_view->CommitSelection(CCAEView::kDecision);
        fw::test::Pump();
        EXPECT_TRUE(::IsWindowVisible(dialog));
        EXPECT_TRUE(::IsWindowEnabled(dialog));
    }
    size_t MessageCount() const { return (*m_services)->messageBoxes.size(); }

    std::string m_deck;
    bulk_test::CCapturedOutput m_sink;
};
} // namespace

TEST_F(Groups, PickedElementsMakeANamedGroupOnceEachInIdOrder)
{
    Menu(ID_GROUP_CREATE);
    HWND dialog = OnlyDialog();
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ("Create Group", Caption(dialog));
    EXPECT_EQ("Create", ControlText(dialog, IDC_GROUP_ACTION));
    EXPECT_EQ("5", ControlText(dialog, IDC_GROUP_ID)) << "the highest group id plus 1";

    // Refused: no name, a name taken in another letter case, no elements. Each time the
    // dialog stays and nothing reaches the model.
    const struct
    {
        const char* name;
        const char* message;
    } refusals[] = {{"", "Enter a name for the group."},
                    {"group1", "A group of this name exists: choose another name."},
                    {"OTHER", "A group of this name exists: choose another name."},
                    {"  ", "Select the elements of the group."}};
    for (const auto& refusal : refusals)
    {
        Name(dialog, refusal.name);
        Click(dialog, IDC_GROUP_ACTION);
        EXPECT_EQ(refusal.message, LastMessage()) << '"' << refusal.name << '"';
        EXPECT_TRUE(::IsWindowVisible(dialog));
    }
    EXPECT_EQ(3, Model().GetGroups().GetCount());

    PickInto(dialog, {7, 3});
    PickInto(dialog, {3, 5, 9});
    EXPECT_EQ((std::vector<std::string>{"  3 ", "  5 ", "  7 ", "  9 "}), ElementRows(dialog));
    // The rows are drawn: text on the window colour, a selected row highlighted.
    EXPECT_GT(RowPixels(dialog, 3, ::GetSysColor(COLOR_WINDOWTEXT)), 5);
    EXPECT_EQ(0, RowPixels(dialog, 4, ::GetSysColor(COLOR_WINDOWTEXT))) << "no fifth row";
    // Rows 5 and 9 removed; the row now at the last removed position is selected.
    const HWND list = ::GetDlgItem(dialog, IDC_GROUP_ELEMENTS);
    ::SendMessageA(list, LB_SETSEL, TRUE, 1);
    ::SendMessageA(list, LB_SETSEL, TRUE, 3);
    EXPECT_GT(RowPixels(dialog, 1, ::GetSysColor(COLOR_HIGHLIGHT)), 20);
    Click(dialog, IDC_GROUP_REMOVE);
    EXPECT_EQ((std::vector<std::string>{"  3 ", "  7 "}), ElementRows(dialog));
    EXPECT_EQ(0, ::SendMessageA(list, LB_GETSEL, 0, 0));
    EXPECT_EQ(1, ::SendMessageA(list, LB_GETSEL, 1, 0)) << "the row where 9 stood";

    // A name of blanks is a name.
    Name(dialog, "  ");
    Click(dialog, IDC_GROUP_ACTION);
    const CGroupSet* group = Model().LookupGroup(5);
    ASSERT_NE(nullptr, group);
    EXPECT_STREQ("  ", group->GetName());
    EXPECT_EQ((Ids{3, 7}), Members(group));
    int shown = 0;
    EXPECT_TRUE(m_view->ElementFilter().Groups().Lookup(5, shown));
    EXPECT_EQ(1, shown);

    // The tool starts again for the next group.
    dialog = OnlyDialog();
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ("Create Group", Caption(dialog));
    EXPECT_EQ("6", ControlText(dialog, IDC_GROUP_ID));
    EXPECT_TRUE(ElementRows(dialog).empty());
    Click(dialog, IDCANCEL);
    EXPECT_TRUE(VisibleDialogs().empty());
    EXPECT_FALSE(m_view->ViewSelection().IsSelecting());
}

TEST_F(Groups, AnEditedGroupSavesUnderItsOwnNameButNotAnothers)
{
    Menu(ID_GROUP_EDIT);
    HWND dialog = OnlyDialog();
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ("Edit Group", Caption(dialog));
    EXPECT_EQ("Edit", ControlText(dialog, IDC_GROUPLIST_ACTION));
    EXPECT_EQ((std::vector<std::string>{"     1   |GROUP1", "     4   |Other"}), Rows(dialog))
        << "the default group is never offered";
    Click(dialog, IDC_GROUPLIST_ACTION); // no row chosen: nothing
    EXPECT_EQ(dialog, OnlyDialog());
    ChooseRow(dialog, 0);
    Click(dialog, IDC_GROUPLIST_ACTION);

    dialog = OnlyDialog();
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ("Edit Group", Caption(dialog));
    EXPECT_EQ("Save", ControlText(dialog, IDC_GROUP_ACTION));
    EXPECT_EQ("1", ControlText(dialog, IDC_GROUP_ID));
    EXPECT_EQ("GROUP1", ControlText(dialog, IDC_GROUP_NAME));
    EXPECT_EQ((std::vector<std::string>{"  1 ", "  2 "}), ElementRows(dialog));

    Name(dialog, "other");
    Click(dialog, IDC_GROUP_ACTION);
    EXPECT_EQ("A group of this name exists: choose another name.", LastMessage());
    EXPECT_STREQ("GROUP1", Model().LookupGroup(1)->GetName());

    PickInto(dialog, {2, 6});
    Name(dialog, "group1");
    Click(dialog, IDC_GROUP_ACTION);
    EXPECT_STREQ("group1", Model().LookupGroup(1)->GetName());
    EXPECT_EQ((Ids{1, 2, 6}), Members(Model().LookupGroup(1)));
    EXPECT_EQ(3, Model().GetGroups().GetCount());

    // The list opens again; Close on an edit opens it again too.
    dialog = OnlyDialog();
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ((std::vector<std::string>{"     1   |group1", "     4   |Other"}), Rows(dialog));
    ChooseRow(dialog, 1);
    Click(dialog, IDC_GROUPLIST_ACTION);
    dialog = OnlyDialog();
    ASSERT_NE(nullptr, dialog);
    Click(dialog, IDCANCEL);
    dialog = OnlyDialog();
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ("Edit", ControlText(dialog, IDC_GROUPLIST_ACTION));
    EXPECT_EQ((Ids{12}), Members(Model().LookupGroup(4)));
    Click(dialog, IDCANCEL);
    EXPECT_TRUE(VisibleDialogs().empty()) << "a closed list goes";
}

TEST_F(Groups, DeleteAsksFirstAndNoChangesNothing)
{
    Menu(ID_GROUP_DELETE);
    HWND dialog = OnlyDialog();
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ("Delete Group", Caption(dialog));
    EXPECT_EQ("Delete", ControlText(dialog, IDC_GROUPLIST_ACTION));
    ChooseRow(dialog, 1);
    (*m_services)->messageBoxAnswers.push_back(IDNO);
    Click(dialog, IDC_GROUPLIST_ACTION);
    EXPECT_EQ("Delete the group?", LastMessage());
    EXPECT_EQ(dialog, OnlyDialog());
    EXPECT_EQ(2u, Rows(dialog).size());
    EXPECT_NE(nullptr, Model().LookupGroup(4));

    (*m_services)->messageBoxAnswers.push_back(IDYES);
    Click(dialog, IDC_GROUPLIST_ACTION);
    EXPECT_EQ(nullptr, Model().LookupGroup(4));
    dialog = OnlyDialog(); // the list of what is left
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ((std::vector<std::string>{"     1   |GROUP1"}), Rows(dialog));
}

TEST_F(Groups, AGroupCreatedHereSurvivesAProjectSaveAndOpen)
{
    Menu(ID_GROUP_CREATE);
    const HWND dialog = OnlyDialog();
    ASSERT_NE(nullptr, dialog);
    PickInto(dialog, {4, 8, 11});
    Name(dialog, "Made here");
    Click(dialog, IDC_GROUP_ACTION);
    Click(OnlyDialog(), IDCANCEL);
    ASSERT_TRUE(Frame().m_project->SaveProject());

    CFakeProjectHost host;
    CProjectData project;
    project.SetHost(&host);
    ASSERT_TRUE(project.OpenProject(Frame().m_project->GetProjectFilePath().c_str()));
    const CGroupSet* group = project.m_model.LookupGroup(5);
    ASSERT_NE(nullptr, group);
    EXPECT_STREQ("Made here", group->GetName());
    EXPECT_EQ((Ids{4, 8, 11}), Members(group));
    EXPECT_EQ((Ids{1, 2}), Members(project.m_model.LookupGroup(1)));
}

TEST_F(Groups, TheListOfAClosedViewDoesNothing)
{
    Menu(ID_GROUP_DELETE);
    const HWND dialog = OnlyDialog();
    ASSERT_NE(nullptr, dialog);
    ChooseRow(dialog, 0);
    m_view->GetParentFrame()->DestroyWindow();
    fw::test::Pump();
    const size_t messages = MessageCount();
    TakeCodes();
    Click(dialog, IDC_GROUPLIST_ACTION);
    EXPECT_EQ(messages, MessageCount()) << "no question";
    EXPECT_TRUE(TakeCodes().empty());
    EXPECT_TRUE(VisibleDialogs().empty());
    EXPECT_NE(nullptr, Model().LookupGroup(1));
}

TEST_F(Groups, ACancelledPickKeepsTheListAndAClosedViewTakesTheDialogAway)
{
    Menu(ID_GROUP_CREATE);
    const HWND dialog = OnlyDialog();
    ASSERT_NE(nullptr, dialog);
    PickInto(dialog, {5});
    Click(dialog, IDC_GROUP_SELECT);
    m_view->CommitSelection(CCAEView::kAbort);
    fw::test::Pump();
    EXPECT_TRUE(::IsWindowVisible(dialog));
    EXPECT_TRUE(::IsWindowEnabled(dialog));
    EXPECT_EQ(std::vector<std::string>{"  5 "}, ElementRows(dialog));

    m_view->GetParentFrame()->DestroyWindow();
    m_view = nullptr;
    fw::test::Pump();
    EXPECT_FALSE(::IsWindow(dialog));
    EXPECT_EQ(nullptr, Frame().m_manager.GetRunningCommand());
    EXPECT_EQ(3, Model().GetGroups().GetCount());
}

TEST_F(Groups, JapaneseModeTakesTheJapaneseTexts)
{
    SetLanguageSuffix("_JPN");
    // Code page 932: "グループの作成", "作成", "グループの削除".
    Menu(ID_GROUP_CREATE);
    HWND dialog = OnlyDialog();
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ("\x83\x4F\x83\x8B\x81\x5B\x83\x76\x82\xCC\x8D\xEC\x90\xAC", Caption(dialog));
    EXPECT_EQ("\x8D\xEC\x90\xAC", ControlText(dialog, IDC_GROUP_ACTION));
    Click(dialog, IDCANCEL);
    Menu(ID_GROUP_DELETE);
    dialog = OnlyDialog();
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ("\x83\x4F\x83\x8B\x81\x5B\x83\x76\x82\xCC\x8D\xED\x8F\x9C", Caption(dialog));
}
