// Result branch of the project tree: folders, keys, labels, component nodes, principal-stress
// order and the dispatcher's codes, on an in-memory page with string files written for the test.
#include "core/model/TreePage.h"

#include "core/model/ModelSet.h"
#include "core/model/ResultData.h"
#include "core/services/AppEnvironment.h"
#include "tests/core/model/MemoryTreePage.h"
#include "tests/support/TestPaths.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace
{
const char kStandardStr[] = "[Tree]\n"
                            "ResultNode_ENG = Results\n"
                            "VectorNode_ENG = Vector\n"
                            "ScalarNode_ENG = Scalar\n"
                            "[RESULT_GROUP_TITLE]\n"
                            "G_ENG = Group G\n";
const char kDialogStr[] = "[Common]\n"
                          "XDirection_ENG = X\nYDirection_ENG = Y\nZDirection_ENG = Z\n"
                          "XYDirection_ENG = XY\nYZDirection_ENG = YZ\nZXDirection_ENG = ZX\n"
                          "XXDirection_ENG = XX\nYYDirection_ENG = YY\n"
                          "UXDirection_ENG = UX\nUYDirection_ENG = UY\nUZDirection_ENG = UZ\n"
                          "RXDirection_ENG = RX\nRYDirection_ENG = RY\nRZDirection_ENG = RZ\n"
                          "[ResultCategory]\n"
                          "Elemental_ENG = Elemental\n"
                          "Nodal_ENG = Nodal\n";
const char kResultStr[] = "[ResultType]\n"
                          "PrincipalStressMax_ENG = Max principal\n"
                          "PrincipalStressInterim_ENG = Mid principal\n"
                          "PrincipalStressMin_ENG = Min principal\n";

// String files in a scratch <root>/string beside <root>/bin, English texts.
class TreeTexts
{
public:
    TreeTexts()
        : m_root(testing_support::MakeTempDir("tree_texts"))
        , m_savedFolder(GetExecutableFolder())
        , m_savedSuffix(GetLanguageSuffix())
    {
        std::filesystem::create_directories(m_root / "bin");
        std::filesystem::create_directories(m_root / "string");
        Write("standard.str", kStandardStr);
        Write("Dialog.str", kDialogStr);
        Write("Result.str", kResultStr);
        SetExecutableFolder((m_root / "bin").string());
        SetLanguageSuffix("_ENG");
    }
    ~TreeTexts()
    {
        SetExecutableFolder(m_savedFolder);
        SetLanguageSuffix(m_savedSuffix);
    }
    void Write(const char* name, const std::string& text) const
    {
        std::ofstream(m_root / "string" / name, std::ios::binary) << text;
    }
    void Remove(const char* name) const { std::filesystem::remove(m_root / "string" / name); }

private:
    std::filesystem::path m_root;
    std::string m_savedFolder;
    std::string m_savedSuffix;
};

class TreePageTest : public ::testing::Test
{
protected:
    TreePageTest() { m_page.CreateResultRootNode(CMemoryTreePage::kRoot); }

    // A loaded result owned by the test.
    CResultData* MakeResult(const char* title, int kind, const char* group = "", int flags = 0,
                            bool averaged = true, uint32_t id = 0)
    {
        m_results.push_back(std::make_unique<CResultData>());
        CResultData* result = m_results.back().get();
        result->m_title = title;
        result->m_kind = kind;
        result->m_groupName = group;
        result->m_flags = flags;
        result->m_average = averaged ? 1 : 0;
        result->m_loaded = CResultData::kLoaded;
        result->m_id = id != 0 ? id : static_cast<uint32_t>(m_results.size()) << 13;
        return result;
    }

    TreeItem Key(const char* key) const { return m_page.FindTreeNode(key); }
    TreeItem VectorGroup() const { return Key("TKR_VECTOR"); }
    TreeItem ScalarGroup() const { return Key("TKR_SCALAR"); }

    TreeTexts m_texts;
    CMemoryTreePage m_page;
    std::vector<std::unique_ptr<CResultData>> m_results;
};

TEST_F(TreePageTest, HeadingHoldsVectorAndScalarGroups)
{
    const TreeItem heading = Key("TK_RESULT");
    ASSERT_NE(0u, heading);
    EXPECT_EQ(std::vector<TreeItem>{heading}, m_page.Children(CMemoryTreePage::kRoot));
    EXPECT_EQ((std::vector<TreeItem>{VectorGroup(), ScalarGroup()}), m_page.Children(heading));
    EXPECT_EQ((std::vector<CString>{"Vector", "Scalar"}), m_page.ChildTexts(heading));
    const struct
    {
        TreeItem item;
        const char* text;
        int icon;
    } kGroups[] = {
        {heading, "Results", 1}, {VectorGroup(), "Vector", 3}, {ScalarGroup(), "Scalar", 2}};
    for (const auto& group : kGroups)
    {
        const CTreeNode* node = m_page.GetTreeNode(group.item);
        SCOPED_TRACE(group.text);
        EXPECT_EQ(CString(group.text), node->GetText());
        EXPECT_EQ(CTreeNode::kGroupKind, node->m_kind);
        EXPECT_EQ(group.icon, node->m_icon);
        EXPECT_EQ(group.icon, m_page.Image(group.item));
        EXPECT_EQ(-1, node->m_subMenu);
        EXPECT_EQ(nullptr, node->m_result);
    }
}

TEST_F(TreePageTest, AddNodeKeepsTheFirstNodeOfAKey)
{
    EXPECT_EQ(0u, m_page.AddNode(std::make_unique<CPlainNode>(), 0));
    EXPECT_EQ(0u, m_page.AddNode(nullptr, ScalarGroup()));
    auto first = std::make_unique<CPlainNode>();
    first->SetKey("K");
    first->SetText("first");
    const TreeItem item = m_page.AddNode(std::move(first), ScalarGroup());
    auto second = std::make_unique<CPlainNode>();
    second->SetKey("K");
    second->SetText("second");
    EXPECT_EQ(item, m_page.AddNode(std::move(second), VectorGroup()));
    EXPECT_EQ(CString("first"), m_page.GetTreeNode(item)->GetText());
    EXPECT_TRUE(m_page.Children(VectorGroup()).empty());
    // Nodes without a key are never merged.
    m_page.AddNode(std::make_unique<CPlainNode>(), VectorGroup());
    m_page.AddNode(std::make_unique<CPlainNode>(), VectorGroup());
    EXPECT_EQ(2u, m_page.Children(VectorGroup()).size());
    EXPECT_EQ(0u, m_page.FindTreeNode("missing"));
}

TEST_F(TreePageTest, InsertNodePlacesBeforeOrAfterAndTakesOverTheKey)
{
    const TreeItem parent = ScalarGroup();
    auto make = [](const char* key)
    {
        auto node = std::make_unique<CPlainNode>();
        node->SetKey(key);
        return node;
    };
    const TreeItem a = m_page.InsertNode(make("A"), parent, 0, true);
    const TreeItem c = m_page.InsertNode(make("C"), parent, a, false);
    const TreeItem b = m_page.InsertNode(make("B"), parent, c, true);
    EXPECT_EQ((std::vector<TreeItem>{a, b, c}), m_page.Children(parent));
    const TreeItem again = m_page.InsertNode(make("A"), parent, 0, false);
    EXPECT_EQ(again, m_page.FindTreeNode("A"));
    EXPECT_EQ(0u, m_page.InsertNode(make("D"), 0, 0, false));
    // A position that is not a child of the parent fails without registering the key.
    EXPECT_EQ(0u, m_page.InsertNode(make("E"), VectorGroup(), a, true));
    EXPECT_EQ(0u, m_page.FindTreeNode("E"));
}

TEST_F(TreePageTest, RemovingASubtreeTakesItsItemsAndKeysChildrenFirst)
{
    auto make = [](const char* key)
    {
        auto node = std::make_unique<CPlainNode>();
        node->SetKey(key);
        return node;
    };
    const TreeItem scalars = ScalarGroup();
    const TreeItem a = m_page.AddNode(make("A"), scalars);
    m_page.AddNode(make("A1"), a);
    m_page.AddNode(make(""), a);
    const int before = m_page.GetItemCount();
    m_page.RemoveSubtree(scalars);
    EXPECT_EQ(before - 4, m_page.GetItemCount());
    EXPECT_EQ(0u, m_page.FindTreeNode("A"));
    EXPECT_EQ(0u, m_page.FindTreeNode("A1"));
    EXPECT_EQ(0u, m_page.FindTreeNode("TKR_SCALAR"));
    EXPECT_EQ(VectorGroup(), m_page.FindTreeNode("TKR_VECTOR"));
    EXPECT_EQ(nullptr, m_page.GetTreeNode(a));
    // The memory page refuses to delete an item with children: nothing was left behind.
    EXPECT_EQ(m_page.GetItemCount(), m_page.ItemCount());

    // A key that is not registered clears everything, the registry included.
    m_page.ClearTree("no such key");
    EXPECT_EQ(0, m_page.GetItemCount());
    EXPECT_EQ(0, m_page.ItemCount());
    EXPECT_EQ(0u, m_page.FindTreeNode("TK_RESULT"));
}

TEST_F(TreePageTest, AveragedScalarOfAGroupGetsNodalAndElementalFolders)
{
    CResultData* result = MakeResult("T1 - T2", CResultData::kScalar, "G");
    m_page.AddResultNodes(result);

    const TreeItem groupFolder = Key("G_SCALAR");
    const TreeItem nodal = Key("G_NODAL_SCALAR");
    const TreeItem elemental = Key("G_ELEMENTAL_SCALAR");
    ASSERT_NE(0u, groupFolder);
    EXPECT_EQ(std::vector<TreeItem>{groupFolder}, m_page.Children(ScalarGroup()));
    EXPECT_EQ((std::vector<TreeItem>{nodal, elemental}), m_page.Children(groupFolder));
    EXPECT_EQ(CString("Group G"), m_page.GetTreeNode(groupFolder)->GetText());
    EXPECT_EQ((std::vector<CString>{"Nodal", "Elemental"}), m_page.ChildTexts(groupFolder));
    for (const TreeItem folder : {groupFolder, nodal, elemental})
    {
        EXPECT_EQ(CResultItemNode::kFolder, m_page.Item(folder)->m_resultKind);
        EXPECT_EQ(2, m_page.Item(folder)->m_icon);
        EXPECT_EQ(nullptr, m_page.Item(folder)->m_result);
    }

    const TreeItem nodalNode = Key("Result_Scalar_T1 - T2");
    const TreeItem elementalNode = Key("Result_Elemental_Scalar_T1 - T2");
    EXPECT_EQ(std::vector<TreeItem>{nodalNode}, m_page.Children(nodal));
    EXPECT_EQ(std::vector<TreeItem>{elementalNode}, m_page.Children(elemental));
    const struct
    {
        TreeItem item;
        int location;
    } kNodes[] = {{nodalNode, 2}, {elementalNode, 0}};
    for (const auto& expected : kNodes)
    {
        const CResultItemNode* node = m_page.Item(expected.item);
        ASSERT_NE(nullptr, node);
        EXPECT_EQ(CString("T2"), node->GetText());
        EXPECT_EQ(expected.location, node->m_location);
        EXPECT_EQ(16, node->m_resultKind);
        EXPECT_EQ(2, node->m_icon);
        EXPECT_EQ(CTreeNode::kItemKind, node->m_kind);
        EXPECT_EQ(result, node->m_result);
    }
}

TEST_F(TreePageTest, GroupWithoutTitleIsLabelledByItsName)
{
    m_page.AddResultNodes(MakeResult("A - B", CResultData::kVector, "OTHER", 0, false));
    const TreeItem folder = Key("OTHER_VECTOR");
    ASSERT_NE(0u, folder);
    EXPECT_EQ(CString("OTHER"), m_page.GetTreeNode(folder)->GetText());
    EXPECT_EQ(3, m_page.GetTreeNode(folder)->m_icon);
    // Not averaged: only the elemental node, directly in the group folder.
    const TreeItem node = Key("Result_Elemental_Vector_A - B");
    EXPECT_EQ(std::vector<TreeItem>{node}, m_page.Children(folder));
    EXPECT_EQ(12, m_page.Item(node)->m_resultKind);
    EXPECT_EQ(0, m_page.Item(node)->m_location);
}

TEST_F(TreePageTest, ResultsWithoutGroupAreLabelledWithTheirLocation)
{
    m_page.AddResultNodes(MakeResult("D - Disp", CResultData::kVector));
    EXPECT_EQ((std::vector<CString>{"Nodal - Disp", "Elemental - Disp"}),
              m_page.ChildTexts(VectorGroup()));

    // Without averaging the vector keeps the plain title; the scalar is still prefixed.
    m_page.AddResultNodes(MakeResult("V - Plain", CResultData::kVector, "", 0, false));
    m_page.AddResultNodes(MakeResult("S - Energy", CResultData::kScalar, "", 0, false));
    EXPECT_EQ(CString("Plain"),
              m_page.GetTreeNode(Key("Result_Elemental_Vector_V - Plain"))->GetText());
    EXPECT_EQ((std::vector<CString>{"Elemental - Energy"}), m_page.ChildTexts(ScalarGroup()));
}

TEST_F(TreePageTest, ValuesAtNodesGiveOneNodeWithoutCategoryFolder)
{
    const struct
    {
        int flags;
        int resultKind;
    } kCases[] = {{CResultData::kFlagAtNodes, 16}, {CResultData::kFlagElementNodes, 48}};
    for (const auto& c : kCases)
    {
        SCOPED_TRACE(c.flags);
        CMemoryTreePage page;
        page.CreateResultRootNode(CMemoryTreePage::kRoot);
        page.AddResultNodes(MakeResult("R - S", CResultData::kScalar, "G", c.flags));
        const TreeItem folder = page.FindTreeNode("G_SCALAR");
        const TreeItem node = page.FindTreeNode("Result_Scalar_R - S");
        EXPECT_EQ(std::vector<TreeItem>{node}, page.Children(folder));
        EXPECT_EQ(0u, page.FindTreeNode("G_NODAL_SCALAR"));
        EXPECT_EQ(0u, page.FindTreeNode("Result_Elemental_Scalar_R - S"));
        EXPECT_EQ(2, page.Item(node)->m_location);
        EXPECT_EQ(c.resultKind, page.Item(node)->m_resultKind);
    }
}

TEST_F(TreePageTest, ShortTitleIsTheTextAfterTheFirstDash)
{
    const struct
    {
        const char* title;
        const char* shortTitle;
    } kTitles[] = {{"A - B", "B"},         {"A - B - C", "B - C"}, {"Plain", "Plain"},
                   {"Ends - ", "Ends - "}, {"A-B", "A-B"},         {"", ""}};
    for (const auto& t : kTitles)
        EXPECT_EQ(CString(t.shortTitle), CTreePage::GetShortResultTitle(t.title)) << t.title;
}

TEST_F(TreePageTest, UnloadedResultsAddNothing)
{
    for (const int loaded :
         {CResultData::kNotLoaded, CResultData::kRequested, CResultData::kAwaitingRange})
    {
        CResultData* result = MakeResult("A - B", CResultData::kVectorXYZ, "G");
        result->m_loaded = loaded;
        CResultData* tensor = MakeResult("A - T", CResultData::kTensor, "G");
        tensor->m_type = 1002;
        tensor->m_loaded = loaded;
        const int before = m_page.ItemCount();
        m_page.AddResultNodes(result);
        m_page.AddTensorComponentNodes(tensor);
        EXPECT_EQ(before, m_page.ItemCount());
    }
    m_page.AddResultNodes(nullptr);
}

TEST_F(TreePageTest, DisplacementComponentsHangBelowTheirScalarNode)
{
    CResultData* result = MakeResult("D - Disp", CResultData::kVectorXYZ, "G");
    result->m_type = 8;
    m_page.AddResultNodes(result);

    EXPECT_NE(0u, Key("Result_Vector_D - Disp"));
    EXPECT_NE(0u, Key("Result_Elemental_Vector_D - Disp"));
    const struct
    {
        const char* scalarKey;
        const char* componentKeys[3];
        int location;
    } kLocations[] = {
        {"Result_Scalar_D - Disp",
         {"Result_Scalar_X_D - Disp", "Result_Scalar_Y_D - Disp", "Result_Scalar_Z_D - Disp"},
         2},
        {"Result_Elemental_Scalar_D - Disp",
         {"Result_Elemental_Scalar_X_D - Disp", "Result_Elemental_Scalar_Y_D - Disp",
          "Result_Elemental_Scalar_Z_D - Disp"},
         0}};
    for (const auto& expected : kLocations)
    {
        SCOPED_TRACE(expected.scalarKey);
        const TreeItem scalar = Key(expected.scalarKey);
        ASSERT_NE(0u, scalar);
        EXPECT_EQ((std::vector<CString>{"UX", "UY", "UZ"}), m_page.ChildTexts(scalar));
        for (int i = 0; i < 3; ++i)
        {
            const TreeItem component = Key(expected.componentKeys[i]);
            EXPECT_EQ(m_page.Children(scalar).at(i), component);
            EXPECT_EQ(13 + i, m_page.Item(component)->m_resultKind);
            EXPECT_EQ(expected.location, m_page.Item(component)->m_location);
            EXPECT_EQ(2, m_page.Item(component)->m_icon);
        }
    }
}

TEST_F(TreePageTest, DirectionWordsFollowTheResultType)
{
    const struct
    {
        int type;
        const char* words[3];
    } kWords[] = {{1008, {"RX", "RY", "RZ"}}, {1002, {"XY", "YZ", "ZX"}},
                  {1003, {"XY", "YZ", "ZX"}}, {2, {"XX", "YY", ""}},
                  {3, {"XX", "YY", ""}},      {8, {"UX", "UY", "UZ"}},
                  {0, {"X", "Y", "Z"}},       {1, {"X", "Y", "Z"}}};
    // ZZDirection is missing from the test's [Common]: an existing section gives empty.
    for (const auto& w : kWords)
    {
        SCOPED_TRACE(w.type);
        EXPECT_EQ(CString(w.words[0]), CTreePage::GetXDirectionWord(w.type));
        EXPECT_EQ(CString(w.words[1]), CTreePage::GetYDirectionWord(w.type));
        EXPECT_EQ(CString(w.words[2]), CTreePage::GetZDirectionWord(w.type));
    }
    m_texts.Remove("Dialog.str");
    EXPECT_EQ(CString(" "), CTreePage::GetXDirectionWord(8));
}

TEST_F(TreePageTest, TensorComponentsOfAnAveragedResultSplitByLocation)
{
    CResultData* result = MakeResult("S - Shear", CResultData::kVector, "G");
    result->m_type = 1002; // m_kind is not consulted for shear components
    m_page.AddTensorComponentNodes(result);

    const TreeItem nodal = Key("G_NODAL_SCALAR");
    const TreeItem elemental = Key("G_ELEMENTAL_SCALAR");
    EXPECT_EQ((std::vector<CString>{"Shear - XY", "Shear - YZ", "Shear - ZX"}),
              m_page.ChildTexts(nodal));
    EXPECT_EQ(m_page.ChildTexts(nodal), m_page.ChildTexts(elemental));
    EXPECT_EQ(m_page.Children(nodal).at(1), Key("Result_Scalar_YZ_S - Shear"));
    EXPECT_EQ(m_page.Children(elemental).at(2), Key("Result_Elemental_Scalar_ZX_S - Shear"));
    EXPECT_EQ(15, m_page.Item(Key("Result_Elemental_Scalar_ZX_S - Shear"))->m_resultKind);
    EXPECT_EQ(0, m_page.Item(Key("Result_Elemental_Scalar_ZX_S - Shear"))->m_location);
    EXPECT_TRUE(m_page.Children(VectorGroup()).empty());
}

TEST_F(TreePageTest, ComponentResultOfElementNodesGetsTheElementNodeKinds)
{
    CResultData* result =
        MakeResult("H - Normal", CResultData::kTensor, "HEXA", CResultData::kFlagElementNodes);
    m_page.AddResultNodes(result);
    const TreeItem folder = Key("HEXA_SCALAR");
    EXPECT_EQ((std::vector<CString>{"Normal - X", "Normal - Y", "Normal - Z"}),
              m_page.ChildTexts(folder));
    const struct
    {
        const char* key;
        int kind;
    } kComponents[] = {{"Result_Scalar_X_H - Normal", 45},
                       {"Result_Scalar_Y_H - Normal", 46},
                       {"Result_Scalar_Z_H - Normal", 47}};
    for (const auto& c : kComponents)
    {
        EXPECT_EQ(c.kind, m_page.Item(Key(c.key))->m_resultKind) << c.key;
        EXPECT_EQ(2, m_page.Item(Key(c.key))->m_location) << c.key;
    }
}

TEST_F(TreePageTest, PrincipalStressesKeepMaximumInterimMinimumOrder)
{
    const char* const kOrders[][3] = {{"Min principal", "Max principal", "Mid principal"},
                                      {"Mid principal", "Min principal", "Max principal"},
                                      {"Max principal", "Mid principal", "Min principal"}};
    for (const auto& order : kOrders)
    {
        CMemoryTreePage page;
        page.CreateResultRootNode(CMemoryTreePage::kRoot);
        for (const char* title : order)
        {
            CResultData* result = MakeResult(title, CResultData::kScalar, "", 0, false);
            result->m_type = 1;
            page.AddTensorComponentNodes(result);
            page.AddTensorComponentNodes(result); // added twice, shown once
        }
        EXPECT_EQ((std::vector<CString>{"Elemental - Max principal", "Elemental - Mid principal",
                                        "Elemental - Min principal"}),
                  page.ChildTexts(page.FindTreeNode("TKR_SCALAR")))
            << order[0] << ", " << order[1] << ", " << order[2];
    }
}

TEST_F(TreePageTest, PrincipalVectorsOrderUnderTheirOwnPrefix)
{
    for (const char* title : {"Min principal", "Max principal", "Mid principal"})
    {
        CResultData* result =
            MakeResult(title, CResultData::kVector, "P", CResultData::kFlagVector);
        result->m_flags = CResultData::kFlagVector; // vector values, split allowed
        result->m_type = 1;
        m_page.AddResultNodes(result); // principal results come through the tensor pass only
        m_page.AddTensorComponentNodes(result);
    }
    EXPECT_EQ((std::vector<CString>{"Max principal", "Mid principal", "Min principal"}),
              m_page.ChildTexts(Key("P_NODAL_VECTOR")));
    EXPECT_EQ(m_page.ChildTexts(Key("P_NODAL_VECTOR")),
              m_page.ChildTexts(Key("P_ELEMENTAL_VECTOR")));
}

TEST_F(TreePageTest, DifferentResultsNeverShareAKey)
{
    // The same title in two groups and under two result numbers.
    CResultData* first = MakeResult("Same - Title", CResultData::kScalar, "A", 0, false, 1u << 13);
    CResultData* otherGroup =
        MakeResult("Same - Title", CResultData::kScalar, "B", 0, false, 1u << 13);
    CResultData* otherNumber =
        MakeResult("Same - Title", CResultData::kScalar, "A", 0, false, 2u << 13);
    // Another load case of the first result: the same node.
    CResultData* nextStep =
        MakeResult("Same - Title", CResultData::kScalar, "A", 0, false, (1u << 13) | (2u << 3));
    for (CResultData* result : {first, otherGroup, otherNumber, nextStep})
        m_page.AddResultNodes(result);

    ASSERT_EQ(2u, m_page.Children(Key("A_SCALAR")).size());
    ASSERT_EQ(1u, m_page.Children(Key("B_SCALAR")).size());
    EXPECT_EQ(first, m_page.Item(m_page.Children(Key("A_SCALAR"))[0])->m_result);
    EXPECT_EQ(otherNumber, m_page.Item(m_page.Children(Key("A_SCALAR"))[1])->m_result);
    EXPECT_EQ(otherGroup, m_page.Item(m_page.Children(Key("B_SCALAR"))[0])->m_result);
    EXPECT_EQ(first, m_page.Item(Key("Result_Elemental_Scalar_Same - Title"))->m_result);

    // Titles alike in their first 127 bytes stay apart.
    const std::string stem(140, 'x');
    m_page.AddResultNodes(MakeResult((stem + "1").c_str(), CResultData::kScalar, "L", 0, false));
    m_page.AddResultNodes(MakeResult((stem + "2").c_str(), CResultData::kScalar, "L", 0, false));
    EXPECT_EQ(2u, m_page.Children(Key("L_SCALAR")).size());
}

TEST(TreeNode, LabelIsCutWithoutSplittingADoubleByteCharacter)
{
    const std::string ascii(200, 'a');
    // 126 ASCII bytes, then a double-byte character across bytes 127 and 128.
    const std::string straddling = std::string(126, 'a') + "\x93\xfa\x96\x7b";
    const struct
    {
        std::string text;
        std::string expected;
    } kCases[] = {{ascii, std::string(127, 'a')},
                  {straddling, std::string(126, 'a')},
                  {std::string(125, 'a') + "\x93\xfa\x96\x7b", std::string(125, 'a') + "\x93\xfa"},
                  {"short", "short"}};
    for (const auto& c : kCases)
    {
        CPlainNode node;
        node.SetText(CString(c.text));
        EXPECT_EQ(c.expected, node.GetText().Str());
    }
    CPlainNode node;
    node.SetKey(CString(ascii));
    EXPECT_EQ(ascii, node.GetKey().Str());
}

TEST_F(TreePageTest, MissingGroupNodesMakeNothing)
{
    CMemoryTreePage page; // no heading
    CResultData* result = MakeResult("A - B", CResultData::kVectorXYZ, "G");
    page.AddResultNodes(result);
    result = MakeResult("C - D", CResultData::kTensor, "");
    page.AddResultNodes(result);
    EXPECT_EQ(0, page.ItemCount());
    EXPECT_EQ(0u, page.GetResultFolder("G", false, 2));
}

TEST_F(TreePageTest, BranchAddsTensorResultsAfterThePlainOnes)
{
    CModelSet model;
    const struct
    {
        uint32_t id;
        const char* title;
        int type;
    } kResults[] = {
        {1u << 13, "Min principal", 1}, {2u << 13, "A - Plain", 0}, {3u << 13, "Max principal", 1}};
    for (const auto& r : kResults)
    {
        auto* result = new CResultData;
        result->m_id = r.id;
        result->m_title = r.title;
        result->m_type = r.type;
        result->m_kind = CResultData::kScalar;
        result->m_flags = CResultData::kFlagAtNodes;
        result->m_loaded = CResultData::kLoaded;
        ASSERT_TRUE(model.AddResult(result));
    }
    CMemoryTreePage page;
    page.AddResultBranch(CMemoryTreePage::kRoot, model);
    EXPECT_EQ((std::vector<CString>{"Plain", "Max principal", "Min principal"}),
              page.ChildTexts(page.FindTreeNode("TKR_SCALAR")));

    // The dispatcher's codes 3 and 5; 4 does nothing.
    CResultData* added =
        MakeResult("B - Later", CResultData::kScalar, "", CResultData::kFlagAtNodes);
    page.ExecuteResultCommand(4, added);
    EXPECT_EQ(0u, page.FindTreeNode("Result_Scalar_B - Later"));
    CResultData* tensor =
        MakeResult("Mid principal", CResultData::kScalar, "", CResultData::kFlagAtNodes);
    tensor->m_type = 1;
    page.ExecuteResultCommand(CTreePage::kAddTensorCommand, tensor);
    EXPECT_EQ((std::vector<CString>{"Plain", "Max principal", "Mid principal", "Min principal"}),
              page.ChildTexts(page.FindTreeNode("TKR_SCALAR")));
    page.ExecuteResultCommand(CTreePage::kAddResultCommand, added);
    EXPECT_NE(0u, page.FindTreeNode("Result_Scalar_B - Later"));
}
} // namespace
