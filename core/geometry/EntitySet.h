// The interface through which geometry code finds nodes and elements by id. The model database,
// the groups and each 3-D view implement it; the base answers every lookup with nothing.
#pragma once

#include "core/geometry/Point3D.h"

class CFENode;
class CFEElement;

class CEntitySet : public CGeomObject
{
public:
    CEntitySet() { type = kTagEntitySet; }
    ~CEntitySet() override = default;

    // The slot order below is fixed: the view's own set mirrors it and forwards to the model.
    virtual CFENode* GetNode(int id) const;
    virtual CPoint3D GetNodePoint(int id) const;
    // Value of the shown result at an entity id and component index.
    virtual double GetResultValue(int id, int index) const;
    virtual bool AddNode(CFENode* node); // takes ownership when it returns true
    virtual CFEElement* FindElement(int id) const;
    virtual bool AddElement(CFEElement* element); // takes ownership when it returns true
    virtual bool ContainsEntity(int id) const;
    virtual bool ContainsEdge(int nodeId1, int nodeId2) const;
    virtual void AddPoint(CPoint3D point, int id);
};
