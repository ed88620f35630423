// The entity classes a model is made of: the root with its id lists, the mesh and point-list
// bases, and the two-point line and curve-segment entities of the geometry routines.
#pragma once

#include "core/geometry/ColorRGBA.h"
#include "core/geometry/InlineArray.h"
#include "core/geometry/LazyValue.h"
#include "core/geometry/Point3D.h"

// The node ids of a shell, tetrahedron or face, the elements of most nodes: in place.
using CIdList = CInlineArray<int, 4>;
// An entity belongs to the default group and seldom to more.
using CGroupIdList = CInlineArray<int, 2>;

class CModelEntity : public CGeomObject
{
public:
    CModelEntity() { type = kTagModelEntity; }
    // Entities are copied only member by member where a class says so (faces, curve segments).
    CModelEntity(const CModelEntity&) = delete;
    CModelEntity& operator=(const CModelEntity&) = delete;
    ~CModelEntity() override = default;

    int m_id = 0;
    // Position of a node or element in the model's numbering, set by the model; views index
    // their per-entity tables by it rather than by id.
    int m_index = 0;
    // Carried along by copies; (0, 0, 0, 0) until one is stored.
    CLazyValue<CColorRGBA> m_color;
    // For an element its reference point (shrink centre, label position, pick point); for a node
    // its stored, undeformed position. No reader sets it, so it stays the origin until stored.
    CLazyValue<CPoint3D> m_point;
    // Node ids of an element or face; for a node, the ids of the elements that use it.
    CIdList m_ids;
    CGroupIdList m_groups; // ids of the groups the entity belongs to
};

class CMeshEntity : public CModelEntity
{
public:
    CMeshEntity() = default;
    ~CMeshEntity() override = default;
};

class CPointListEntity : public CModelEntity
{
public:
    CPointListEntity() = default;
    ~CPointListEntity() override = default;

    CPoint3DArray m_points;
};

class CLineEntity : public CPointListEntity
{
public:
    CLineEntity();
    ~CLineEntity() override = default;
};

// One segment of an interpolated curve: the point list holds its two end points.
class CPolygonEntity : public CPointListEntity
{
public:
    CPolygonEntity();
    CPolygonEntity(const CPolygonEntity& other);
    CPolygonEntity& operator=(const CPolygonEntity& other);
    ~CPolygonEntity() override = default;

    int m_kind = 2;
    CPoint3D m_reference;
    int m_first = 0;
    int m_last = 0;
    int m_step = 0;
    CPoint3D m_control1; // inner control points of the cubic segment
    CPoint3D m_control2;
    CPoint3DArray m_controlPoints; // the inner control points as a list, in curve order
    int m_count1 = 0;
    int m_count2 = 0;
    double m_param1 = 0.0;
    double m_param2 = 0.0;
    double m_param3 = 0.0;
    CArray<double> m_values;
    CPoint3DArray m_samples;
};
