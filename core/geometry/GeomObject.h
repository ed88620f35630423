// Root of the geometry and model objects, with the one table of type tags the system reads to
// tell objects apart, and the named object that the colour records build on.
#pragma once

#include "platform/base/string.h"

// Type tags: set by the constructor of the most derived class.
enum GeomTypeTag : int
{
    kTagGeomObject = 100,   // plain root, CColorRGBA, CNamedObject, CElementMeasure
    kTagBeam = 101,         // beam element
    kTagFace = 103,         // CFEFace
    kTagNode = 104,         // CFENode
    kTagLine = 107,         // CLineEntity: a point list of exactly two points
    kTagEntitySet = 108,    // CEntitySet and sets that keep the base value
    kTagElement = 114,      // CFEElement before its reader sets the kind
    kTagBox = 115,          // CBox3D
    kTagModelEntity = 116,  // CModelEntity
    kTagPointList = 120,    // point-list entity of the renderer
    kTagPolygon = 121,      // CPolygonEntity: one curve segment
    kTagPoint = 126,        // CPoint3D
    kTagSolid = 129,        // solid element
    kTagSpring = 130,       // elastic spring element
    kTagMass = 131,         // mass element
    kTagShell = 132,        // shell element
    kTagElementForce = 133, // CElementForce
};

class CGeomObject
{
public:
    CGeomObject() = default;
    CGeomObject(const CGeomObject&) = default;
    CGeomObject& operator=(const CGeomObject&) = default;
    virtual ~CGeomObject() = default;

    int type = kTagGeomObject;
};

class CNamedObject : public CGeomObject
{
public:
    CNamedObject() = default;
    CNamedObject(const CNamedObject&) = default;
    CNamedObject& operator=(const CNamedObject&) = default;
    ~CNamedObject() override = default;

    int id = 0;
    int data = 0; // carried along in copies; the model gives it no meaning
    CString name;
};
