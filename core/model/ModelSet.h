// The model database of one project: nodes (in the default group), elements, groups,
// coordinate systems, colour records, forces, mode frequencies and the result catalogue.
// Readers fill it; SaveMaxIds marks its state so that RemoveAll(1) can undo a failed read.
#pragma once

#include "core/geometry/Box3D.h"
#include "core/geometry/EntitySet.h"
#include "core/model/ColorRecords.h"
#include "core/model/GroupSet.h"
#include "core/model/ResultData.h"
#include "platform/base/coll_map.h"
#include "platform/base/string.h"

#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

class CCoordSystem;
class CElementForce;
class CForceSet;
class CModelEntity;
class COutputSink;
class CVisibilityView;

// Ids from files above this bound (or negative) are refused: ids index per-id value tables.
constexpr int kMaxEntityId = 100000000;

// (load set id, grid id) -> the force records filed under it, in key order.
using CForceMap = std::map<std::pair<int, int>, std::unique_ptr<CForceSet>>;

class CModelSet : public CEntitySet
{
public:
    static constexpr int kDefaultGroupId = 0;
    // m_unvDatasets bits
    static constexpr int kUnvNodes = 1; // dataset 15
    static constexpr int kUnvNodes2411 = 2;
    static constexpr int kUnvElements = 4; // dataset 780
    static constexpr int kUnvElements2412 = 8;

    CModelSet();
    CModelSet(const CModelSet&) = delete;
    CModelSet& operator=(const CModelSet&) = delete;
    ~CModelSet() override;

    // Messages of the model (refused ids, fields that do not fit, nodes left pending) go to
    // this sink (borrowed; null: the "FileRead" log).
    void SetOutputSink(COutputSink* sink) { m_sink = sink; }
    void Report(const std::string& line) const;

    // Mode 0 empties the model and leaves its default group; mode 1 undoes everything added
    // since SaveMaxIds; other modes do nothing.
    void RemoveAll(int mode);
    void ReleaseElementsAbove(UINT id);
    void ReleaseNodesAbove(UINT id);
    // Marks the model's state: the largest ids and what the catalogue holds.
    void SaveMaxIds();

    // Nodes and elements. Ownership moves to the model when Add* returns true; ids outside
    // 0..kMaxEntityId are refused with a message.
    CFENode* GetNode(int id) const override;
    CPoint3D GetNodePoint(int id) const override;
    bool AddNode(CFENode* node) override;
    CFEElement* FindElement(int id) const override;
    bool AddElement(CFEElement* element) override;
    const CElementMap& GetElements() const { return m_elements; }
    // Calls visit(element) for every element, in ascending id order: the order readers make
    // them in, which walks memory in order.
    template <typename Visit>
    void ForEachElement(Visit visit) const
    {
        m_elementIndex.ForEachSet(visit);
    }
    int GetElementCount() const;
    int GetNodeCount() const;

    // An element that names nodes the model lacks, and the first of those nodes.
    struct MissingNodes
    {
        int elementId;
        std::vector<int> nodeIds;
    };
    // Elements with an id above elementMark that name a node the model lacks (node id 0, a
    // grounded end, names none; springs and masses, which may join scalar points, are left
    // out): their number, and in *first the first maxIds such elements in id order, each with
    // at most maxIds of its missing nodes.
    int CountElementsWithMissingNodes(UINT elementMark, std::vector<MissingNodes>* first,
                                      size_t maxIds) const;
    // Appends the element's id to the id list of each of its nodes that does not hold it yet.
    void LinkElementToNodes(const CFEElement* element);
    // Index numbers 1..count of the nodes and elements (the renderer's per-entity tables),
    // faces, face corners and normals, node-to-element links and centres of every element.
    // Safe to run again after each read.
    void BuildElementFaces();
    bool ComputeFaceCorners(CFEElement* element) const;
    void ComputeElementCentre(CFEElement* element) const;
    void ComputeBoxOfIds(const CModelEntity* entity, CPoint3D& min, CPoint3D& max) const;
    double ComputeVolume() const;

    // Groups (owned).
    CGroupSet* LookupGroup(int id) const;
    bool AddGroup(CGroupSet* group);
    // Removes a group and deletes it; false for the default group or an id the model lacks.
    bool DeleteGroup(int id);
    CGroupSet* FindGroupByName(const CString& name) const;
    CGroupSet* GetDefaultGroup() const { return m_defaultGroup; }
    const CMap<UINT, UINT, CGroupSet*, CGroupSet*>& GetGroups() const { return m_groups; }
    CBox3D GetBoundingBox() const;
    void SetBoundingBox(const CBox3D& box);
    // The default group's box; with visibleOnly from the nodes the view shows an element of.
    void UpdateBoundingBox(int visibleOnly, const CVisibilityView* view);
    CPoint3D GetCenter() const;

    // Coordinate systems (owned when AddCoordSystem returns true; ids outside 0..kMaxEntityId
    // are refused with a message).
    bool AddCoordSystem(CCoordSystem* system);
    CCoordSystem* LookupCoordSystem(int id) const;
    void ReservePendingNodeMap();
    // The node's coordinates are given in system csId; TransformPendingNodes applies it.
    void SetNodeCoordSystem(int nodeId, int csId);
    // Moves every pending node whose node exists and whose system is defined (positions in a
    // cylindrical or spherical system are read as such); reports the others, which stay
    // pending. Returns the number left pending.
    int TransformPendingNodes();
    int GetPendingNodeCount() const;

    // Colour records: false when the id is present.
    bool AddPropertyColor(int propertyId);
    bool AddMaterialColor(int materialId);
    CPropertyColor* LookupPropertyColor(int propertyId);
    CMaterialColor* LookupMaterialColor(int materialId);
    CMap<UINT, UINT, CPropertyColor, const CPropertyColor&>& GetPropertyColors()
    {
        return m_propertyColors;
    }
    CMap<UINT, UINT, CMaterialColor, const CMaterialColor&>& GetMaterialColors()
    {
        return m_materialColors;
    }

    // Forces: the model owns the sets and their records. False for null.
    bool AddForce(CElementForce* force);
    const CForceMap& GetForces() const { return m_forces; }

    // Mode frequencies by mode number.
    void SetModeFrequency(int mode, double frequency);
    bool GetModeFrequency(int mode, double* frequency) const;
    // The renderer's form: the result's mode number, or the load-case index when it has none.
    bool GetModeFrequency(int mode, int loadCaseIndex, double* frequency) const;

    // Result catalogue. AddResult takes ownership when it returns true (false for null or an
    // id already present).
    bool AddResult(CResultData* result);
    CResultData* GetResult(UINT packedId) const;
    const CResultMap& GetResults() const { return m_results; }
    // Numbers the load cases of a result in the order their step values first appear (exact
    // comparison). Returns the index, or 0 (and a message) when the number or the type bits
    // do not fit their fields or the result has no free index left.
    UINT AddLoadCaseValue(UINT resultNumber, UINT typeBits, double value);
    // The same for a load case of one subcase of a solver file: an index is shared only by the
    // same step value in the same subcase, so two subcases with equal step values (the same
    // load set, or none written) keep their own results. Subcase 0 is the form above.
    UINT AddLoadCaseValue(UINT resultNumber, UINT typeBits, double value, int subcase);
    UINT AddLoadCaseValueById(UINT packedId, double value);
    double GetLoadCaseValue(UINT resultNumber, UINT typeBits, UINT index) const;
    int GetLoadCaseCountByKey(UINT resultNumber, UINT typeBits) const;
    int GetLoadCaseCount(UINT packedId) const;
    const CMap<UINT, UINT, int, int>& GetLoadCaseCounts() const { return m_loadCaseCounts; }
    bool GetLoadCaseResultId(UINT packedId, int n, UINT* out) const;
    int GetFirstLoadCase(UINT packedId) const;
    int GetLastLoadCase(UINT packedId) const;
    int GetNextLoadCase(UINT packedId) const;
    int GetPrevLoadCase(UINT packedId) const;
    // Averages element values to the nodes for every loaded result that asks for it, on the
    // node-element links as they stand now; each result's means are worked out when its node
    // values or range are first read.
    void UpdateLoadedResults();

    // Largest ids ever inserted, and the marks SaveMaxIds took.
    UINT GetMaxNodeId() const { return m_maxNodeId; }
    UINT GetMaxElementId() const { return m_maxElementId; }
    UINT GetMaxPropertyId() const { return m_maxPropertyId; }
    UINT GetMaxMaterialId() const { return m_maxMaterialId; }
    UINT GetMaxCoordSystemId() const { return m_maxCoordSystemId; }
    UINT GetMaxGroupId() const { return m_maxGroupId; }
    int GetMarkNodeId() const { return m_markNodeId; }
    int GetMarkElementId() const { return m_markElementId; }
    int GetMarkPropertyId() const { return m_markPropertyId; }
    int GetMarkMaterialId() const { return m_markMaterialId; }

    int GetUnvDatasets() const { return m_unvDatasets; }
    void SetUnvDatasets(int mask) { m_unvDatasets = mask; }
    int GetDefaultDisplacementId() const { return m_defaultDisplacementId; }
    void SetDefaultDisplacementId(int packedId) { m_defaultDisplacementId = packedId; }

private:
    // What SaveMaxIds remembers besides the id marks, for RemoveAll(1).
    struct Snapshot
    {
        std::set<UINT> resultIds;
        std::set<UINT> coordSystemIds;
        std::set<UINT> propertyIds;
        std::set<UINT> materialIds;
        std::set<UINT> groupIds;
        std::map<UINT, double> loadCaseValues;
        std::map<UINT, int> loadCaseCounts;
        std::map<UINT, int> loadCaseSubcases;
        std::map<UINT, double> modeValues;
        std::map<UINT, int> pendingNodeCs;
        std::set<std::pair<int, int>> forceKeys;
        UINT maxCoordSystemId = 0;
        UINT maxGroupId = 0;
        int unvDatasets = 0;
        int defaultDisplacementId = -1;
        CBox3D box;
        bool hadNodeZero = false;
        bool hadElementZero = false;
    };

    void CreateDefaultGroup();
    void NumberEntities();
    void ReleaseAll();
    void RollBack();
    // Removes one entity from the model and its groups and deletes it; null does nothing.
    void ReleaseElement(CFEElement* element);
    void ReleaseNode(CFENode* node);
    void ReleaseResults();
    bool IsIdAcceptable(int id, const char* what) const;
    bool LoadCaseIdLoaded(UINT packedId, UINT index, UINT* out) const;
    // The same operations on the element's nodes, looked up once (null for a missing node).
    void LinkElementToNodes(const CFEElement& element, const std::vector<CFENode*>& nodes);
    void ComputeElementCentre(CFEElement& element, const std::vector<CFENode*>& nodes) const;
    void UnlinkElementFromNodes(const CFEElement* element);

    CElementMap m_elements;                            // owned
    CIdTable<CFEElement*> m_elementIndex;              // the same elements, for lookups
    CMap<UINT, UINT, CGroupSet*, CGroupSet*> m_groups; // owned
    CResultMap m_results;                              // owned
    CMap<UINT, UINT, double, double> m_loadCaseValues;
    CMap<UINT, UINT, int, int> m_loadCaseCounts;
    CMap<UINT, UINT, int, int> m_loadCaseSubcases; // load-case key -> subcase, when not 0
    CMap<UINT, UINT, CCoordSystem*, CCoordSystem*> m_coordSystems; // owned
    CMap<UINT, UINT, int, int> m_pendingNodeCs;
    CMap<UINT, UINT, double, double> m_modeValues;
    CGroupSet* m_defaultGroup = nullptr; // also in m_groups
    int m_defaultDisplacementId = -1;
    CForceMap m_forces;
    int m_markNodeId = 0;
    int m_markElementId = 0;
    int m_markPropertyId = 0;
    int m_markMaterialId = 0;
    int m_unvDatasets = 0;
    CMap<UINT, UINT, CPropertyColor, const CPropertyColor&> m_propertyColors;
    CMap<UINT, UINT, CMaterialColor, const CMaterialColor&> m_materialColors;
    UINT m_maxElementId = 0;
    UINT m_maxNodeId = 0;
    UINT m_maxPropertyId = 0;
    UINT m_maxMaterialId = 0;
    UINT m_maxCoordSystemId = 0;
    UINT m_maxGroupId = 0;
    Snapshot m_snapshot;
    COutputSink* m_sink = nullptr;
};
