// Files the records of a bulk-data read in a model. Ids are shifted past those the model held
// before the read, references (CP, CORD1 grids, RID) with them, so a second deck read into the
// same model never touches the first. Systems that depend on grids or on other systems, and
// the nodes given in them, are settled by Finish, once the whole deck is known.
#pragma once

#include "core/geometry/Box3D.h"
#include "core/geometry/Point3D.h"
#include "io/bulk/BulkRecords.h"

#include <limits>
#include <unordered_map>
#include <vector>

class CCoordSystem;
class CFENode;
class CModelSet;
class COutputSink;

class CBulkModelFiller : public CBulkRecordTarget
{
public:
    // Takes the id offsets from the model's largest ids. Neither argument is owned.
    CBulkModelFiller(CModelSet& model, COutputSink& sink);
    CBulkModelFiller(const CBulkModelFiller&) = delete;
    CBulkModelFiller& operator=(const CBulkModelFiller&) = delete;

    void AddGrid(const SBulkGrid& grid) override;
    void AddCoordSystem(const SBulkCoordSystem& system) override;
    void AddElement(const SBulkElement& element) override;
    // True once an id of the deck, numbered after the model's, passed the largest id the model
    // takes: the read stops, and the caller refuses it whole.
    bool IsReadStopped() const override { return m_isPastBound; }

    // Defines the waiting systems and moves the nodes given in local systems, in whatever order
    // they depend on each other; widens the model box by the nodes read. Nodes whose system
    // stays undefined keep their coordinates; each such system is reported once.
    void Finish();

private:
    // A system defined by grids (CORD1) or by points in another system (CORD2 with RID).
    struct SWaitingSystem
    {
        CCoordSystem* system; // owned by the model
        int referenceId;      // 0 for a system by grids
        CPoint3D a;
        CPoint3D b;
        CPoint3D c;
    };

    bool Shift(int id, int offset, int* shifted);
    void SettleInDependencyOrder();
    bool DefineWaitingSystem(const SWaitingSystem& waiting);
    bool IsPositionFinal(int nodeId) const;
    void ReportUndefinedSystems() const;
    void WidenModelBox() const;

    CModelSet& m_model;
    COutputSink& m_sink;
    int m_elementOffset;
    int m_nodeOffset;
    int m_coordSystemOffset;
    std::unordered_map<int, int> m_pendingSystems; // node id -> system of its coordinates
    std::vector<SWaitingSystem> m_waitingSystems;
    static CBox3D EmptyBox()
    {
        constexpr double kFar = std::numeric_limits<double>::infinity();
        return {CPoint3D(kFar, kFar, kFar), CPoint3D(-kFar, -kFar, -kFar)};
    }

    std::vector<CFENode*> m_newNodes;  // owned by the model
    std::vector<int> m_movedNodeIds;   // given new coordinates by a second GRID of their id
    CBox3D m_newNodesBox = EmptyBox(); // of their coordinates as read
    bool m_isNewNodesBoxStale = false; // a node moved since: the box must be gathered again
    bool m_isPastBound = false;
};
