// Face tables of the element shapes. In a face with 6 or 8 nodes the even positions are corners
// and the odd ones the mid-side nodes between them; solid faces are ordered so that their
// normals point out of the element.
#include "core/model/ElementDescriptor.h"

namespace
{
const FaceLayout kTriangle[] = {{3, {0, 1, 2}}};
const FaceLayout kQuad[] = {{4, {0, 1, 2, 3}}};
const FaceLayout kTriangle6[] = {{6, {0, 1, 2, 3, 4, 5}}};
const FaceLayout kQuad8[] = {{8, {0, 1, 2, 3, 4, 5, 6, 7}}};
const FaceLayout kTetra[] = {{3, {0, 2, 1}}, {3, {0, 1, 3}}, {3, {0, 3, 2}}, {3, {1, 2, 3}}};
const FaceLayout kWedge[] = {
    {3, {0, 2, 1}}, {3, {3, 4, 5}}, {4, {0, 1, 4, 3}}, {4, {1, 2, 5, 4}}, {4, {2, 0, 3, 5}}};
const FaceLayout kBrick[] = {{4, {0, 3, 2, 1}}, {4, {4, 5, 6, 7}}, {4, {0, 1, 5, 4}},
                             {4, {3, 7, 6, 2}}, {4, {1, 2, 6, 5}}, {4, {0, 4, 7, 3}}};
const FaceLayout kTetra10[] = {{6, {0, 5, 4, 3, 2, 1}},
                               {6, {0, 1, 2, 7, 9, 6}},
                               {6, {0, 6, 9, 8, 4, 5}},
                               {6, {2, 3, 4, 8, 9, 7}}};
const FaceLayout kWedge15[] = {{6, {0, 5, 4, 3, 2, 1}},
                               {6, {9, 10, 11, 12, 13, 14}},
                               {8, {0, 1, 2, 7, 11, 10, 9, 6}},
                               {8, {2, 3, 4, 8, 13, 12, 11, 7}},
                               {8, {4, 5, 0, 6, 9, 14, 13, 8}}};
const FaceLayout kBrick20[] = {
    {8, {0, 7, 6, 5, 4, 3, 2, 1}},     {8, {12, 13, 14, 15, 16, 17, 18, 19}},
    {8, {0, 1, 2, 9, 14, 13, 12, 8}},  {8, {6, 11, 18, 17, 16, 10, 4, 5}},
    {8, {2, 3, 4, 10, 16, 15, 14, 9}}, {8, {0, 8, 12, 19, 18, 11, 6, 7}}};

const ElementDescriptor kLine = {0, 2, false, nullptr};
const ElementDescriptor kBeam3 = {-1, 3, true, nullptr};
const ElementDescriptor kNoFaces = {0, 0, false, nullptr};
const ElementDescriptor kKeepFaces = {-1, 0, false, nullptr};
const ElementDescriptor kTriangleShape = {1, 3, false, kTriangle};
const ElementDescriptor kQuadShape = {1, 4, false, kQuad};
const ElementDescriptor kTriangle6Shape = {1, 6, true, kTriangle6};
const ElementDescriptor kQuad8Shape = {1, 8, true, kQuad8};
const ElementDescriptor kTetraShape = {4, 4, false, kTetra};
const ElementDescriptor kWedgeShape = {5, 6, false, kWedge};
const ElementDescriptor kBrickShape = {6, 8, false, kBrick};
const ElementDescriptor kTetra10Shape = {4, 10, true, kTetra10};
const ElementDescriptor kWedge15Shape = {5, 15, true, kWedge15};
const ElementDescriptor kBrick20Shape = {6, 20, true, kBrick20};
} // namespace

const ElementDescriptor* FindElementDescriptor(int descriptorId)
{
    switch (descriptorId)
    {
    case 21: return &kLine;
    case 24: return &kBeam3;
    case 250:
    case 251: return &kNoFaces;
    case 253: return &kKeepFaces;
    case 254: return &kQuadShape; // a shear panel is drawn as the quadrilateral it is
    case 91: return &kTriangleShape;
    case 94: return &kQuadShape;
    case 42:
    case 52:
    case 62:
    case 72:
    case 82:
    case 92: return &kTriangle6Shape;
    case 45:
    case 55:
    case 65:
    case 75:
    case 85:
    case 95:
    case 172: return &kQuad8Shape;
    case 111: return &kTetraShape;
    case 112: return &kWedgeShape;
    case 115: return &kBrickShape;
    case 118: return &kTetra10Shape;
    case 102:
    case 113: return &kWedge15Shape;
    case 105:
    case 116: return &kBrick20Shape;
    default: return nullptr;
    }
}

bool IsParabolicElement(int descriptorId)
{
    const ElementDescriptor* descriptor = FindElementDescriptor(descriptorId);
    return descriptor != nullptr && descriptor->isParabolic;
}
