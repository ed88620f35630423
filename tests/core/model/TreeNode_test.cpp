// Showing a result from its tree node: the first loaded load case, the display mode chosen by
// the node's kind, the component, the load-case list, and the cases that show nothing.
#include "core/model/TreeNode.h"

#include "core/model/ModelSet.h"
#include "core/model/ResultData.h"
#include "core/model/ResultId.h"
#include "core/model/ResultShowHost.h"

#include <gtest/gtest.h>
#include <vector>

namespace
{
constexpr UINT kTypeBits = 5u << kResultTypeShift;

struct Shown
{
    int resultId;
    int mode;
    int component;
    BOOL flag;
};

// Installs itself as the program's result host for the test's lifetime.
class CFakeHost : public CResultShowHost
{
public:
    CFakeHost()
        : m_previous(SetResultShowHost(this))
    {
    }
    ~CFakeHost() override { SetResultShowHost(m_previous); }

    CModelSet* GetProjectModel() override { return model; }
    bool HasActiveView() override { return hasView; }
    void DisplayResultView(int resultId, int mode, int component, BOOL flag) override
    {
        shown.push_back({resultId, mode, component, flag});
    }
    void FillLoadCaseCombo(int resultId) override { combos.push_back(resultId); }

    CModelSet* model = nullptr;
    bool hasView = true;
    std::vector<Shown> shown;
    std::vector<int> combos;

private:
    CResultShowHost* m_previous;
};

int LoadCaseId(UINT index)
{
    return static_cast<int>(MakeLoadCaseKey(3, kTypeBits, index));
}

// A result with two load cases of which only the second is loaded.
class ShowResult : public ::testing::Test
{
protected:
    ShowResult()
    {
        m_model.AddLoadCaseValue(3, kTypeBits, 1.0);
        m_model.AddLoadCaseValue(3, kTypeBits, 2.0);
        for (UINT index : {1u, 2u})
        {
            auto* result = new CResultData();
            result->m_id = static_cast<uint32_t>(LoadCaseId(index));
            result->m_loaded = index == 2 ? CResultData::kLoaded : CResultData::kRequested;
            EXPECT_TRUE(m_model.AddResult(result));
            if (index == 1)
                m_result = result;
        }
        m_host.model = &m_model;
    }

    CResultItemNode& Node(int resultKind, int component = 2)
    {
        m_node.m_result = m_result;
        m_node.m_resultKind = resultKind;
        m_node.m_location = component;
        return m_node;
    }

    CModelSet m_model;
    CResultData* m_result = nullptr;
    CFakeHost m_host;
    CResultItemNode m_node;
};
} // namespace

TEST_F(ShowResult, KindSelectsTheModeAndTheFirstLoadedCaseIsShown)
{
    const struct
    {
        int resultKind;
        int mode; // -1: nothing shown
        bool refillsCombo;
    } kCases[] = {{12, 0, true},   {16, 1, true},   {13, 2, true},  {14, 3, true},  {15, 4, true},
                  {44, 8, true},   {48, 9, true},   {45, 10, true}, {46, 11, true}, {47, 12, true},
                  {17, -1, false}, {49, -1, false}, {0, -1, true},  {11, -1, true}, {18, -1, true}};
    for (const auto& c : kCases)
    {
        SCOPED_TRACE(c.resultKind);
        m_host.shown.clear();
        m_host.combos.clear();
        Node(c.resultKind, 0).Execute();
        if (c.mode < 0)
        {
            EXPECT_TRUE(m_host.shown.empty());
        }
        else
        {
            ASSERT_EQ(1u, m_host.shown.size());
            EXPECT_EQ(LoadCaseId(2), m_host.shown[0].resultId);
            EXPECT_EQ(c.mode, m_host.shown[0].mode);
            EXPECT_EQ(0, m_host.shown[0].component);
            EXPECT_EQ(TRUE, m_host.shown[0].flag);
        }
        EXPECT_EQ(c.refillsCombo ? std::vector<int>{LoadCaseId(2)} : std::vector<int>{},
                  m_host.combos);
    }
}

TEST_F(ShowResult, WithoutALoadedCaseTheViewGetsMinusOne)
{
    m_model.GetResult(static_cast<UINT>(LoadCaseId(2)))->m_loaded = CResultData::kNotLoaded;
    Node(CResultItemNode::kScalarResult, 2).ShowResult(FALSE);
    ASSERT_EQ(1u, m_host.shown.size());
    EXPECT_EQ(-1, m_host.shown[0].resultId);
    EXPECT_EQ(2, m_host.shown[0].component);
    EXPECT_EQ(FALSE, m_host.shown[0].flag);
    EXPECT_EQ(std::vector<int>{-1}, m_host.combos);
}

TEST_F(ShowResult, NothingHappensWithoutAViewAProjectOrAResult)
{
    const struct
    {
        const char* name;
        bool hasView;
        bool hasModel;
        bool hasResult;
        uint32_t resultId;
    } kCases[] = {{"no view", false, true, true, 1u << 13},
                  {"no project", true, false, true, 1u << 13},
                  {"no result", true, true, false, 1u << 13},
                  {"result id -1", true, true, true, 0xFFFFFFFFu}};
    for (const auto& c : kCases)
    {
        SCOPED_TRACE(c.name);
        m_host.hasView = c.hasView;
        m_host.model = c.hasModel ? &m_model : nullptr;
        CResultData result;
        result.m_id = c.resultId;
        result.m_loaded = CResultData::kLoaded;
        CResultItemNode& node = Node(CResultItemNode::kVectorResult);
        node.m_result = c.hasResult ? &result : nullptr;
        node.Execute();
        EXPECT_TRUE(m_host.shown.empty());
        EXPECT_TRUE(m_host.combos.empty());
    }
    // Without a host at all.
    CResultShowHost* const previous = SetResultShowHost(nullptr);
    Node(CResultItemNode::kVectorResult).Execute();
    SetResultShowHost(previous);
    EXPECT_TRUE(m_host.shown.empty());
}
