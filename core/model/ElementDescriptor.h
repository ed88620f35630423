// FE descriptor ids (the element-shape numbers of the universal file, plus a few of our own)
// with the face count, node count and face table of each shape.
#pragma once

#include <cstdint>

// Ids of our own for kinds the universal-file numbering lacks.
constexpr int kDescriptorLine = 21; // every two-node line element
constexpr int kDescriptorSpring = 250;
constexpr int kDescriptorMass = 251;
constexpr int kDescriptorGap = 253;
constexpr int kDescriptorShearPanel = 254;

struct FaceLayout
{
    uint8_t nodeCount;    // 3, 4, 6 or 8
    uint8_t positions[8]; // positions in the element's node-id list, in face order
};

struct ElementDescriptor
{
    int16_t faceCount;       // -1: the descriptor leaves an element's face count as it is
    int nodeCount;           // node ids an element of this shape holds; 0 when not fixed
    bool isParabolic;        // mid-side nodes
    const FaceLayout* faces; // faceCount rows; null when no faces are built
};

// Null for an id this system does not know.
const ElementDescriptor* FindElementDescriptor(int descriptorId);
bool IsParabolicElement(int descriptorId);
