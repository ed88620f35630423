// Geometry block readers. Higher-order elements come in the solver's order (corners, then
// mid-side nodes) and are reordered into the order of their descriptor's face table; one whose
// mid-side ids are zero is a linear element and keeps only its corners.
#include "io/op2/GeometryBlockReaders.h"

#include "core/geometry/CoordSystem.h"
#include "core/geometry/ElementForce.h"
#include "core/geometry/FENode.h"
#include "core/model/FEElement.h"
#include "core/model/ModelSet.h"
#include "core/services/LogFile.h"
#include "io/op2/OP2Reader.h"
#include "io/results/ImportMessages.h"
#include "platform/base/exception.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>
#include <memory>

namespace
{
CPoint3D PointAt(const int* words, int index)
{
    return CPoint3D(op2::WordAsFloat(words, index), op2::WordAsFloat(words, index + 1),
                    op2::WordAsFloat(words, index + 2));
}

// Three doubles of two words each.
CPoint3D DoublePointAt(const int* words, int index)
{
    double xyz[3];
    std::memcpy(xyz, words + index, sizeof(xyz));
    return CPoint3D(xyz[0], xyz[1], xyz[2]);
}

constexpr int kDoubleGridKey = 1120001;

bool IsIdInRange(int id)
{
    return id >= 1 && id <= kMaxEntityId;
}

bool IsFinitePoint(const CPoint3D& p)
{
    return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z);
}

// An id from the file plus an offset; a sum beyond the int range stays beyond every valid id,
// so the model refuses it with its message instead of the sum wrapping into a valid one. An id
// the model would take that passes the largest once shifted stops the geometry: the file is
// refused whole.
int ShiftId(NSBlockReader::IdOffsets& offsets, int id, int offset)
{
    const long long shifted = static_cast<long long>(id) + offset;
    if (id >= 0 && id <= kMaxEntityId && shifted > kMaxEntityId)
        offsets.isPastBound = true;
    return static_cast<int>(std::clamp<long long>(shifted, INT_MIN, INT_MAX));
}

// 0 means "no grid" (a grounded spring end): it is not shifted.
int ShiftNodeId(NSBlockReader::IdOffsets& offsets, int id)
{
    return id == 0 ? 0 : ShiftId(offsets, id, offsets.node);
}

// Descriptor position -> solver node index.
constexpr int kTria6Order[] = {0, 3, 1, 4, 2, 5};
constexpr int kQuad8Order[] = {0, 4, 1, 5, 2, 6, 3, 7};
constexpr int kTetra10Order[] = {0, 4, 1, 5, 2, 6, 7, 8, 9, 3};
constexpr int kPenta15Order[] = {0, 6, 1, 7, 2, 8, 9, 10, 11, 3, 12, 4, 13, 5, 14};
constexpr int kHexa20Order[] = {0,  8,  1, 9,  2, 10, 3, 11, 12, 13,
                                14, 15, 4, 16, 5, 17, 6, 18, 7,  19};
constexpr int kFirstCorners[] = {0, 1, 2, 3, 4, 5, 6, 7};
constexpr int kTriax6Corners[] = {0, 2, 4}; // its nodes alternate corner and mid-side

constexpr int kBeam = 101;
constexpr int kSolid = 129;
constexpr int kSpring = 130;
constexpr int kMass = 131;
constexpr int kShell = 132;

// Entry sizes are those of real files: CONM2 13, CQUAD8 17, CTRIA6 14, CBEAM 18 words.
const Op2ElementLayout kLayouts[] = {
    {"CBAR", 24, 16, 1, -1, 2, 2, 21, kBeam, nullptr, 0, nullptr, 0},
    {"CBEND", 46, 13, 1, -1, 2, 2, 21, kBeam, nullptr, 0, nullptr, 0},
    {"CONM1", 14, 24, -1, -1, 1, 1, 251, kMass, nullptr, 0, nullptr, 0},
    {"CONM2", 15, 13, -1, -1, 1, 1, 251, kMass, nullptr, 0, nullptr, 0},
    {"CELAS1", 6, 6, 1, -1, 2, 2, 250, kSpring, nullptr, 0, nullptr, 0},
    {"CELAS2", 7, 8, -1, -1, 2, 2, 250, kSpring, nullptr, 0, nullptr, 0},
    {"CELAS3", 8, 4, 1, -1, 2, 2, 250, kSpring, nullptr, 0, nullptr, 0},
    {"CELAS4", 9, 4, -1, -1, 2, 2, 250, kSpring, nullptr, 0, nullptr, 0},
    {"CGAP", 19, 9, 1, -1, 2, 2, 253, kSpring, nullptr, 0, nullptr, 0},
    {"CHEXA", 73, 22, 1, -1, 2, 20, 116, kSolid, kHexa20Order, 8, kFirstCorners, 115},
    {"CSHEAR", 31, 6, 1, -1, 2, 4, 254, kShell, nullptr, 0, nullptr, 0},
    {"CTRIA3", 59, 13, 1, -1, 2, 3, 91, kShell, nullptr, 0, nullptr, 0},
    {"CTRIA6", 48, 14, 1, -1, 2, 6, 92, kShell, kTria6Order, 3, kFirstCorners, 91},
    {"CTRIAR", 92, 13, 1, -1, 2, 3, 91, kShell, nullptr, 0, nullptr, 0},
    {"CTRIAX6", 61, 11, 1, -1, 2, 6, 92, kShell, nullptr, 3, kTriax6Corners, 91},
    {"CBEAM", 54, 18, 1, -1, 2, 2, 21, kBeam, nullptr, 0, nullptr, 0},
    {"CONROD", 16, 8, -1, 3, 1, 2, 21, kBeam, nullptr, 0, nullptr, 0},
    {"CMASS1", 10, 6, 1, -1, 2, 2, 251, kMass, nullptr, 0, nullptr, 0},
    {"CMASS2", 11, 6, -1, -1, 2, 2, 251, kMass, nullptr, 0, nullptr, 0},
    {"CMASS3", 12, 4, 1, -1, 2, 2, 251, kMass, nullptr, 0, nullptr, 0},
    {"CMASS4", 13, 4, -1, -1, 2, 2, 251, kMass, nullptr, 0, nullptr, 0},
    {"CPENTA", 41, 17, 1, -1, 2, 15, 113, kSolid, kPenta15Order, 6, kFirstCorners, 112},
    {"CQUAD", 91, 11, 1, -1, 2, 8, 95, kShell, kQuad8Order, 4, kFirstCorners, 94},
    {"CQUAD4", 51, 14, 1, -1, 2, 4, 94, kShell, nullptr, 0, nullptr, 0},
    {"CQUAD8", 47, 17, 1, -1, 2, 8, 45, kShell, kQuad8Order, 4, kFirstCorners, 94},
    {"CQUADR", 80, 14, 1, -1, 2, 4, 94, kShell, nullptr, 0, nullptr, 0},
    {"CROD", 30, 4, 1, -1, 2, 2, 21, kBeam, nullptr, 0, nullptr, 0},
    {"CTETRA", 55, 12, 1, -1, 2, 10, 118, kSolid, kTetra10Order, 4, kFirstCorners, 111},
    {"CTUBE", 37, 4, 1, -1, 2, 2, 21, kBeam, nullptr, 0, nullptr, 0},
};

bool IsCorner(const Op2ElementLayout& layout, int nodeIndex)
{
    for (int i = 0; i < layout.cornerCount; ++i)
    {
        if (layout.corners[i] == nodeIndex)
            return true;
    }
    return false;
}

// A higher-order element whose mid-side ids are zero: its descriptor cannot hold the missing
// nodes, so it is read as the linear element of its corners.
bool HasMissingMidSideNode(const Op2ElementLayout& layout, const int* nodes)
{
    for (int i = 0; i < layout.nodeCount; ++i)
    {
        if (!IsCorner(layout, i) && nodes[i] == 0)
            return true;
    }
    return false;
}
} // namespace

bool AddOp2Element(Op2ReadContext& context, CFEElement* element, CModelSet* model)
{
    if (!IsIdInRange(element->m_id))
    {
        ++context.refusedEntries;
        delete element;
        return false;
    }
    element->m_id = ShiftId(context.idOffsets, element->m_id, context.idOffsets.element);
    for (int& nodeId : element->m_ids)
        nodeId = ShiftNodeId(context.idOffsets, nodeId);
    if (!context.idOffsets.isPastBound && model->AddElement(element))
        return true;
    delete element;
    return false;
}

bool AddOp2Node(Op2ReadContext& context, CFENode* node, CModelSet* model)
{
    if (!IsIdInRange(node->m_id) || !IsFinitePoint(node->m_coord))
    {
        ++context.refusedEntries;
        delete node;
        return false;
    }
    node->m_id = ShiftId(context.idOffsets, node->m_id, context.idOffsets.node);
    if (!context.idOffsets.isPastBound && model->AddNode(node))
        return true;
    delete node;
    return false;
}

bool AddOp2CoordSystem(Op2ReadContext& context, CCoordSystem* system, CModelSet* model)
{
    if (!IsIdInRange(system->m_id))
    {
        ++context.refusedEntries;
        delete system;
        return false;
    }
    system->m_id = ShiftId(context.idOffsets, system->m_id, context.idOffsets.coordSystem);
    if (!context.idOffsets.isPastBound && model->AddCoordSystem(system))
        return true;
    delete system;
    return false;
}

int FixedEntryNSRecordReader::readRecord(const int* data, int nBytes, CModelSet* model)
{
    const int entries = nBytes / m_entryBytes;
    const int entryWords = m_entryBytes / 4;
    for (int i = 0; i < entries; ++i)
    {
        ReadEntry(data + i * entryWords, model);
        if (Context().idOffsets.isPastBound)
            return -1; // the file is refused whole: read no further
    }
    return nBytes % m_entryBytes;
}

void GRIDNSRecordReader::BeginRecord(const int* key)
{
    m_hasDoubles = key[2] == kDoubleGridKey;
    SetEntryBytes(m_hasDoubles ? 44 : 32);
}

void GRIDNSRecordReader::ReadEntry(const int* entry, CModelSet* model)
{
    const int id = entry[0];
    const int coordSystemId = entry[1];
    const CPoint3D point = m_hasDoubles ? DoublePointAt(entry, 2) : PointAt(entry, 2);
    if (!AddOp2Node(Context(), new CFENode(id, point), model))
        return;
    // Positions in a cylindrical or spherical system are read as such when it is applied.
    // The system may come later in the file: the model transforms pending nodes at the end.
    NSBlockReader::IdOffsets& offsets = Context().idOffsets;
    if (coordSystemId > 0)
        model->SetNodeCoordSystem(ShiftNodeId(offsets, id),
                                  ShiftId(offsets, coordSystemId, offsets.coordSystem));
}

void CORD1NSRecordReader::ReadEntry(const int* entry, CModelSet* model)
{
    NSBlockReader::IdOffsets& offsets = Context().idOffsets;
    auto* system = new CCoordSystem(ShiftNodeId(offsets, entry[3]), ShiftNodeId(offsets, entry[4]),
                                    ShiftNodeId(offsets, entry[5]), model);
    system->m_id = entry[0];
    system->m_kind = m_kind;
    if (AddOp2CoordSystem(Context(), system, model))
        m_created->push_back(system->m_id);
}

void CORD2NSRecordReader::ReadEntry(const int* entry, CModelSet* model)
{
    const CPoint3D a = PointAt(entry, 4);
    const CPoint3D b = PointAt(entry, 7);
    const CPoint3D c = PointAt(entry, 10);
    if (!IsFinitePoint(a) || !IsFinitePoint(b) || !IsFinitePoint(c))
    {
        ++Context().refusedEntries;
        return;
    }
    auto* system = new CCoordSystem(a, b, c, model);
    system->m_id = entry[0];
    system->m_kind = m_kind;
    AddOp2CoordSystem(Context(), system, model);
}

ElementNSRecordReader::ElementNSRecordReader(const Op2ElementLayout& layout)
    : FixedEntryNSRecordReader(layout.entryWords * 4)
    , m_layout(layout)
{
}

void ElementNSRecordReader::ReadEntry(const int* entry, CModelSet* model)
{
    const int* nodes = entry + m_layout.firstNodeWord;
    auto element = std::make_unique<CFEElement>();
    element->m_id = entry[0];
    if (m_layout.propertyWord >= 0)
        element->m_propertyId = entry[m_layout.propertyWord];
    if (m_layout.materialWord >= 0)
        element->m_materialId = entry[m_layout.materialWord];
    element->type = m_layout.kind;
    if (m_layout.cornerCount > 0 && HasMissingMidSideNode(m_layout, nodes))
    {
        element->m_feDescriptorId = m_layout.linearDescriptorId;
        for (int i = 0; i < m_layout.cornerCount; ++i)
            element->m_ids.Add(nodes[m_layout.corners[i]]);
    }
    else
    {
        element->m_feDescriptorId = m_layout.descriptorId;
        for (int i = 0; i < m_layout.nodeCount; ++i)
            element->m_ids.Add(nodes[m_layout.order != nullptr ? m_layout.order[i] : i]);
    }
    element->m_nodeCount = static_cast<int>(element->m_ids.GetSize());
    element->SetFaceCountByDescriptor(element->m_feDescriptorId);
    AddOp2Element(Context(), element.release(), model);
}

ForceNSRecordReader::ForceNSRecordReader(int entryBytes, int nodeCount, const char* location)
    : FixedEntryNSRecordReader(entryBytes)
    , m_nodeCount(nodeCount)
    , m_location(location)
{
}

int ForceNSRecordReader::readRecord(const int* data, int nBytes, CModelSet* model)
{
    try
    {
        return FixedEntryNSRecordReader::readRecord(data, nBytes, model);
    }
    catch (CException* e)
    {
        e->Delete();
    }
    catch (...)
    {
    }
    CAELogFile("FileRead").WriteLog(0, m_location, "EXCEPTION");
    return -1;
}

void ForceNSRecordReader::ReadEntry(const int* entry, CModelSet* model)
{
    auto force = std::make_unique<CElementForce>(static_cast<int16_t>(m_nodeCount));
    force->m_loadSetId = entry[0];
    force->m_id = entry[1];
    if (m_nodeCount == 0)
    {
        force->m_coordSystemId = entry[2];
        force->m_scale = op2::WordAsFloat(entry, 3);
        force->m_direction = PointAt(entry, 4);
    }
    else
    {
        force->m_scale = op2::WordAsFloat(entry, 2);
        for (int i = 0; i < m_nodeCount; ++i)
            force->m_ids[i] = entry[3 + i];
    }
    if (model->AddForce(force.get()))
        force.release();
}

GeometryNSBlockReader::GeometryNSBlockReader()
    : NSBlockReader(kGeometryKind)
{
}

int GeometryNSBlockReader::readBlock(COp2File* file, CModelSet* model, bool skipAll)
{
    Context().refusedEntries = 0;
    const int code = NSBlockReader::readBlock(file, model, skipAll);
    const OP2Reader* reader = Context().reader;
    if (Context().refusedEntries > 0 && reader != nullptr)
    {
        reader->ReportLine(
            ImportMessage("Op2EntriesRefused",
                          {reader->GetPath(), Context().refusedEntries, reader->GetBlockName()}));
    }
    Context().refusedEntries = 0;
    return code;
}

// Keys 17 to 19 are CORD1C, CORD1R and CORD1S; 20 to 22 the same forms of CORD2.
GEOM1NSBlockReader::GEOM1NSBlockReader()
{
    AddRecordReader(45, std::make_unique<GRIDNSRecordReader>());
    const int kinds[] = {CCoordSystem::kCylindrical, CCoordSystem::kRectangular,
                         CCoordSystem::kSpherical};
    for (int i = 0; i < 3; ++i)
    {
        AddRecordReader(17 + i, std::make_unique<CORD1NSRecordReader>(&m_gridSystems, kinds[i]));
        AddRecordReader(20 + i, std::make_unique<CORD2NSRecordReader>(kinds[i]));
    }
}

int GEOM1NSBlockReader::readBlock(COp2File* file, CModelSet* model, bool skipAll)
{
    m_gridSystems.clear();
    const int code = GeometryNSBlockReader::readBlock(file, model, skipAll);
    for (int id : m_gridSystems)
    {
        CCoordSystem* system = model->LookupCoordSystem(id);
        if (system != nullptr && !system->IsDefined())
            system->SetGridIds(system->m_gridIds[0], system->m_gridIds[1], system->m_gridIds[2]);
    }
    m_gridSystems.clear();
    return code;
}

GEOM2NSBlockReader::GEOM2NSBlockReader()
{
    for (const Op2ElementLayout& layout : kLayouts)
        AddRecordReader(layout.key, std::make_unique<ElementNSRecordReader>(layout));
}

GEOM3NSBlockReader::GEOM3NSBlockReader()
{
    AddRecordReader(
        42, std::make_unique<ForceNSRecordReader>(28, 0, "FORCENSRecordReader::readRecord"));
    AddRecordReader(
        40, std::make_unique<ForceNSRecordReader>(20, 2, "FORCE1NSRecordReader::readRecord"));
    AddRecordReader(
        41, std::make_unique<ForceNSRecordReader>(28, 4, "FORCE2NSRecordReader::readRecord"));
    const int skipped[][2] = {{51, 24}, {69, 32}, {68, 12}, {71, 20}, {72, 48}};
    for (const auto& record : skipped)
        AddRecordReader(record[0], std::make_unique<SkippedNSRecordReader>(record[1]));
}
