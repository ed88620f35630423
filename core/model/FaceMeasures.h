// Measures of element faces: unit normal, angle between two faces, centroid of the face's nodes.
#pragma once

#include "core/geometry/Point3D.h"

class CEntitySet;
class CFEFace;

// Writes the unit normal of the triangle points[0..2] (the face's corners) into the face.
void CalcFaceNormal(CFEFace& face, const CPoint3D* points);
// Angle (radians) between the faces' stored normals; 0 when either normal is zero.
double FaceAngle(const CFEFace& f1, const CFEFace& f2);
// Mean of the coordinates of the face's nodes, mid-side nodes included; the zero vector for a
// face without nodes.
CPoint3D FaceCentroid(const CFEFace& face, const CEntitySet& set);
