// The interactive selection apart from its window: batches and their undo, the maximum number of
// picks, the hand-over order and the filter a repeated request keeps.
#include "view/ViewSelection.h"

#include "core/geometry/FENode.h"
#include "render/SceneSettings.h"
#include "view/CmdRecord.h"

#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace
{
class ViewSelectionTest : public testing::Test
{
protected:
    ViewSelectionTest()
    {
        for (int id : {30, 10, 20})
            m_nodes.push_back(std::make_unique<CFENode>(id, CPoint3D(id, 0, 0)));
    }
    CEntityArray Entities(std::initializer_list<int> indices)
    {
        CEntityArray entities;
        for (int i : indices)
            entities.Add(m_nodes[static_cast<size_t>(i)].get());
        return entities;
    }
    std::vector<int> HandOverIds() const
    {
        CEntityArray entities;
        m_selection.FillHandOver(entities);
        std::vector<int> ids;
        for (const CModelEntity* entity : entities)
            ids.push_back(entity->m_id);
        return ids;
    }

    std::vector<std::unique_ptr<CFENode>> m_nodes; // ids 30, 10, 20
    CSelectionState m_state;
    CViewSelection m_selection{m_state};
};
} // namespace

TEST_F(ViewSelectionTest, BatchesToggleUndoAndHandOverInPickOrderOrById)
{
    CPickRequestRecord request;
    request.nAllowedKinds = kKindNode;
    request.nInitialFilter = kKindNode;
    m_selection.Open(request);
    EXPECT_TRUE(m_selection.IsSelecting());
    EXPECT_FALSE(m_selection.AddBatch(Entities({0})));
    EXPECT_FALSE(m_selection.AddBatch(Entities({2})));
    EXPECT_FALSE(m_selection.AddBatch(Entities({1})));
    EXPECT_EQ(3, m_selection.PickBatch());
    EXPECT_EQ((std::vector<int>{30, 20, 10}), HandOverIds()); // batch by batch
    EXPECT_FALSE(m_selection.AddBatch(Entities({0}))); // picked again: unpicked, no new batch
    EXPECT_EQ(3, m_selection.PickBatch());
    EXPECT_EQ(2, m_state.PickCount());
    m_selection.CancelLastBatch();
    EXPECT_EQ((std::vector<int>{20}), HandOverIds());
    EXPECT_EQ(2, m_selection.PickBatch());

    request.nPickOrder = 0; // by id
    m_selection.Open(request);
    m_selection.AddBatch(Entities({0}));
    m_selection.AddBatch(Entities({1, 2}));
    EXPECT_EQ((std::vector<int>{10, 20, 30}), HandOverIds());
    m_selection.Close();
    EXPECT_FALSE(m_selection.IsSelecting());
    EXPECT_EQ(0, m_state.PickCount());
}

TEST_F(ViewSelectionTest, ReachingTheMaximumOfPicksIsReported)
{
    CPickRequestRecord request;
    request.nMaxPicks = 2;
    request.nMinPicks = 2;
    m_selection.Open(request);
    EXPECT_FALSE(m_selection.AddBatch(Entities({0})));
    EXPECT_FALSE(m_selection.HasEnoughPicks());
    EXPECT_TRUE(m_selection.AddBatch(Entities({1})));
    EXPECT_TRUE(m_selection.HasEnoughPicks());
}

TEST_F(ViewSelectionTest, ARepeatedRequestOfTheSameKindsKeepsTheLastFilter)
{
    CPickRequestRecord request;
    request.nAllowedKinds = kKindNode | kKindShell;
    request.nInitialFilter = kKindNode | kKindShell;
    m_selection.Open(request);
    m_state.SetFilter(kKindShell); // the user lets only shells through
    m_selection.EndRequest();
    EXPECT_EQ(0, m_state.AllowedKinds());
    EXPECT_EQ(0, m_state.Filter());
    m_selection.Close();

    m_selection.Open(request);
    EXPECT_EQ(kKindShell, m_state.Filter());
    m_selection.EndRequest();
    m_selection.Close();

    request.nAllowedKinds = kKindNode | kKindShell | kKindSolid; // other kinds: start afresh
    request.nInitialFilter = request.nAllowedKinds;
    m_selection.Open(request);
    EXPECT_EQ(request.nAllowedKinds, m_state.Filter());
}
