// Line and curve-segment entities.
#include "core/geometry/ModelEntity.h"

CLineEntity::CLineEntity()
{
    type = kTagLine;
    m_points.SetSize(2);
}

CPolygonEntity::CPolygonEntity()
{
    type = kTagPolygon;
    m_points.SetSize(2);
}

CPolygonEntity::CPolygonEntity(const CPolygonEntity& other)
    : CPointListEntity()
{
    *this = other;
}

CPolygonEntity& CPolygonEntity::operator=(const CPolygonEntity& other)
{
    if (this == &other)
        return *this;
    type = other.type;
    m_id = other.m_id;
    m_index = other.m_index;
    m_color = other.m_color;
    m_point = other.m_point;
    m_ids.Copy(other.m_ids);
    m_groups.Copy(other.m_groups);
    m_points.Copy(other.m_points);
    m_kind = other.m_kind;
    m_reference = other.m_reference;
    m_first = other.m_first;
    m_last = other.m_last;
    m_step = other.m_step;
    m_control1 = other.m_control1;
    m_control2 = other.m_control2;
    m_controlPoints.Copy(other.m_controlPoints);
    m_count1 = other.m_count1;
    m_count2 = other.m_count2;
    m_param1 = other.m_param1;
    m_param2 = other.m_param2;
    m_param3 = other.m_param3;
    m_values.Copy(other.m_values);
    m_samples.Copy(other.m_samples);
    return *this;
}
