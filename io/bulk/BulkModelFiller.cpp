// Files the records of a bulk-data read in a model.
#include "io/bulk/BulkModelFiller.h"

#include "core/geometry/CoordSystem.h"
#include "core/geometry/FENode.h"
#include "core/model/FEElement.h"
#include "core/model/ModelSet.h"
#include "core/services/OutputSink.h"
#include "io/bulk/BulkMessages.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <unordered_set>

namespace
{

int KindOfForm(SBulkCoordSystem::EForm form)
{
    switch (form)
    {
    case SBulkCoordSystem::Cylindrical: return CCoordSystem::kCylindrical;
    case SBulkCoordSystem::Spherical: return CCoordSystem::kSpherical;
    default: return CCoordSystem::kRectangular;
    }
}

// Coordinates given in a system to global ones; those of an undefined system stay.
CPoint3D ToGlobal(const CCoordSystem& system, const CPoint3D& p)
{
    CPoint3D global = p;
    system.TransformPosition(global);
    return global;
}

CPoint3D PointOf(const double (&xyz)[3])
{
    return CPoint3D(xyz[0], xyz[1], xyz[2]);
}

void WidenBy(CBox3D& box, const CPoint3D& p)
{
    box.min =
        CPoint3D(std::min(box.min.x, p.x), std::min(box.min.y, p.y), std::min(box.min.z, p.z));
    box.max =
        CPoint3D(std::max(box.max.x, p.x), std::max(box.max.y, p.y), std::max(box.max.z, p.z));
}
} // namespace

CBulkModelFiller::CBulkModelFiller(CModelSet& model, COutputSink& sink)
    : m_model(model)
    , m_sink(sink)
    , m_elementOffset(static_cast<int>(model.GetMaxElementId()))
    , m_nodeOffset(static_cast<int>(model.GetMaxNodeId()))
    , m_coordSystemOffset(static_cast<int>(model.GetMaxCoordSystemId()))
{
    m_model.ReservePendingNodeMap();
}

// An id of the deck numbered after the model's; false (and the read stopped) past the largest
// id the model takes: a read is refused whole rather than kept in part.
bool CBulkModelFiller::Shift(int id, int offset, int* shifted)
{
    const long long sum = static_cast<long long>(id) + offset;
    if (sum > kMaxEntityId)
    {
        m_isPastBound = true;
        return false;
    }
    *shifted = static_cast<int>(sum);
    return true;
}

// A second GRID of an id replaces the coordinates of the first.
void CBulkModelFiller::AddGrid(const SBulkGrid& grid)
{
    int id = 0;
    int systemId = 0;
    if (!Shift(grid.id, m_nodeOffset, &id) ||
        (grid.cp > 0 && !Shift(grid.cp, m_coordSystemOffset, &systemId)))
        return;
    const CPoint3D point(grid.x, grid.y, grid.z);
    if (CFENode* const existing = m_model.GetNode(id))
    {
        existing->m_coord = point;
        m_isNewNodesBoxStale = true;
        // A node an earlier read of this reader made is not among this read's new nodes: the
        // box must still take where it is now.
        m_movedNodeIds.push_back(id);
    }
    else
    {
        CFENode* const node = new CFENode(id, point);
        if (!m_model.AddNode(node))
        {
            delete node;
            return;
        }
        m_newNodes.push_back(node);
        WidenBy(m_newNodesBox, point);
    }
    if (grid.cp > 0)
        m_pendingSystems[id] = systemId;
    else if (!m_pendingSystems.empty())
        m_pendingSystems.erase(id);
}

void CBulkModelFiller::AddCoordSystem(const SBulkCoordSystem& record)
{
    int id = 0;
    int references[3] = {0, 0, 0};
    int referenceId = 0;
    if (!Shift(record.id, m_coordSystemOffset, &id))
        return;
    for (int i = 0; record.isByGrids && i < 3; ++i)
    {
        if (!Shift(record.gridIds[i], m_nodeOffset, &references[i]))
            return;
    }
    if (!record.isByGrids && record.referenceId != 0 &&
        !Shift(record.referenceId, m_coordSystemOffset, &referenceId))
        return;
    CCoordSystem* const system = new CCoordSystem(&m_model);
    system->m_id = id;
    system->m_kind = KindOfForm(record.form);
    SWaitingSystem waiting = {system, referenceId, PointOf(record.a), PointOf(record.b),
                              PointOf(record.c)};
    if (record.isByGrids)
    {
        // Defined in Finish: the grids may come later in the deck or lie in local systems.
        for (int i = 0; i < 3; ++i)
            system->m_gridIds[i] = references[i];
    }
    else if (referenceId == 0)
        system->Define(waiting.a, waiting.b, waiting.c);

    if (!m_model.AddCoordSystem(system))
    {
        delete system;
        return;
    }
    if (record.isByGrids || record.referenceId != 0)
        m_waitingSystems.push_back(waiting);
}

void CBulkModelFiller::AddElement(const SBulkElement& record)
{
    int id = 0;
    int nodeIds[SBulkElement::kMaxNodes] = {};
    if (!Shift(record.id, m_elementOffset, &id))
        return;
    for (int i = 0; i < record.nodeCount; ++i)
    {
        if (!Shift(record.nodeIds[i], m_nodeOffset, &nodeIds[i]))
            return;
    }
    CFEElement* const element = new CFEElement(record.faceCount);
    element->type = record.kindTag;
    element->m_id = id;
    element->m_propertyId = record.propertyId;
    if (record.materialId > 0)
        element->m_materialId = record.materialId;
    element->m_feDescriptorId = record.descriptorId;
    element->m_nodeCount = record.nodeCount;
    element->m_ids.SetSize(record.nodeCount);
    for (int i = 0; i < record.nodeCount; ++i)
        element->m_ids[i] = nodeIds[i];
    if (!m_model.AddElement(element))
        delete element;
}

void CBulkModelFiller::Finish()
{
    SettleInDependencyOrder();
    ReportUndefinedSystems();
    m_pendingSystems.clear();
    m_waitingSystems.clear();
    WidenModelBox();
    m_newNodes.clear();
    m_movedNodeIds.clear();
    m_newNodesBox = EmptyBox();
    m_isNewNodesBoxStale = false;
}

// Systems and nodes wait on each other: a node on the system its coordinates are given in, a
// system by grids (CORD1) on its three grids, a system by points (CORD2 with RID) on its
// reference system. Each is settled once, when the last thing it waits on is: the work grows
// with the number of systems and nodes, however long the chains are.
void CBulkModelFiller::SettleInDependencyOrder()
{
    std::unordered_map<int, std::vector<int>> nodesBySystem;
    for (const auto& [nodeId, systemId] : m_pendingSystems)
        nodesBySystem[systemId].push_back(nodeId);
    std::unordered_map<int, std::vector<size_t>> systemsByReference;
    std::unordered_map<int, std::vector<size_t>> systemsByGrid;
    std::vector<int> gridsAwaited(m_waitingSystems.size(), 0);
    std::vector<int> defined; // systems whose waiters can be settled

    for (size_t i = 0; i < m_waitingSystems.size(); ++i)
    {
        const SWaitingSystem& waiting = m_waitingSystems[i];
        if (waiting.referenceId != 0)
        {
            systemsByReference[waiting.referenceId].push_back(i);
            continue;
        }
        for (const int gridId : waiting.system->m_gridIds)
        {
            if (!IsPositionFinal(gridId))
            {
                systemsByGrid[gridId].push_back(i);
                ++gridsAwaited[i];
            }
        }
        if (gridsAwaited[i] == 0 && DefineWaitingSystem(waiting))
            defined.push_back(waiting.system->m_id);
    }
    for (const auto& entry : nodesBySystem)
    {
        const CCoordSystem* system = m_model.LookupCoordSystem(entry.first);
        if (system != nullptr && system->IsDefined())
            defined.push_back(entry.first);
    }
    for (const auto& entry : systemsByReference)
    {
        const CCoordSystem* system = m_model.LookupCoordSystem(entry.first);
        if (system != nullptr && system->IsDefined())
            defined.push_back(entry.first);
    }

    std::unordered_set<int> settled;
    while (!defined.empty())
    {
        const int systemId = defined.back();
        defined.pop_back();
        if (!settled.insert(systemId).second)
            continue;
        const CCoordSystem& system = *m_model.LookupCoordSystem(systemId);
        for (const int nodeId : nodesBySystem[systemId])
        {
            CFENode* const node = m_model.GetNode(nodeId);
            if (node == nullptr)
                continue;
            node->m_coord = ToGlobal(system, node->m_coord);
            m_isNewNodesBoxStale = true;
            m_pendingSystems.erase(nodeId);
            // The node's position is final: systems made from it may be defined now.
            for (const size_t i : systemsByGrid[nodeId])
            {
                if (--gridsAwaited[i] == 0 && DefineWaitingSystem(m_waitingSystems[i]))
                    defined.push_back(m_waitingSystems[i].system->m_id);
            }
        }
        for (const size_t i : systemsByReference[systemId])
        {
            if (DefineWaitingSystem(m_waitingSystems[i]))
                defined.push_back(m_waitingSystems[i].system->m_id);
        }
    }
}

// Defines a system whose grids or reference system are settled; true when it is defined.
bool CBulkModelFiller::DefineWaitingSystem(const SWaitingSystem& waiting)
{
    CCoordSystem& system = *waiting.system;
    if (waiting.referenceId == 0)
    {
        const int* const grids = system.m_gridIds;
        system.SetGridIds(grids[0], grids[1], grids[2]);
    }
    else
    {
        const CCoordSystem* const reference = m_model.LookupCoordSystem(waiting.referenceId);
        if (reference == nullptr || !reference->IsDefined())
            return false;
        system.Define(ToGlobal(*reference, waiting.a), ToGlobal(*reference, waiting.b),
                      ToGlobal(*reference, waiting.c));
    }
    return system.IsDefined();
}

// A grid that exists and is no longer waiting for its system's transform.
bool CBulkModelFiller::IsPositionFinal(int nodeId) const
{
    return m_model.GetNode(nodeId) != nullptr && m_pendingSystems.count(nodeId) == 0;
}

// One line per system, with the system's id as the deck writes it and its number of nodes.
void CBulkModelFiller::ReportUndefinedSystems() const
{
    std::map<int, int> nodesBySystem;
    for (const auto& entry : m_pendingSystems)
        ++nodesBySystem[entry.second];
    for (const auto& [systemId, nodeCount] : nodesBySystem)
    {
        m_sink.AddOutputLine(
            BulkMessage("UndefinedCoordSystem", systemId - m_coordSystemOffset, nodeCount));
    }
}

void CBulkModelFiller::WidenModelBox() const
{
    if (m_newNodes.empty() && m_movedNodeIds.empty())
        return;
    CBox3D box = m_model.GetBoundingBox();
    if (m_isNewNodesBoxStale)
    {
        for (const CFENode* node : m_newNodes)
            WidenBy(box, node->m_coord);
        for (const int id : m_movedNodeIds)
        {
            if (const CFENode* node = m_model.GetNode(id))
                WidenBy(box, node->m_coord);
        }
    }
    else
    {
        // The nodes kept the coordinates they were read with: their box, gathered as they
        // came, widens the model's box exactly as they would one by one, without visiting a
        // million nodes again.
        WidenBy(box, m_newNodesBox.min);
        WidenBy(box, m_newNodesBox.max);
    }
    m_model.SetBoundingBox(box);
}
