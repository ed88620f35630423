// How each FE descriptor id of the element datasets (2412, 780) is read: the element kind, the
// face count, the descriptor the element is given and the node lines that follow its header.
#pragma once

// One node line of an element record.
struct CUnvNodeLine
{
    int labels;   // labels the line gives (up to 8); 0 ends the list
    bool isExact; // the line must give exactly that many, whatever the header declares
};

struct CUnvElementType
{
    int kindTag;         // 101 beam, 129 solid, 130 spring, 131 mass, 132 shell, 100 other
    int faceCount;       // faces the element is created with
    int newDescriptorId; // descriptor the element is given; 0 keeps the file's id
    bool hasOrientation; // a beam orientation line comes before the node lines
    CUnvNodeLine lines[3];
    // A header may also declare three nodes, a quadratic beam (ends, then middle node) as
    // some meshers write it; the two ends are kept.
    bool takesQuadraticBeam = false;

    // True for rows whose node count is the header's (1 to 8 labels on one line).
    bool TakesHeaderCount() const { return lines[0].labels == 0; }
};

// The row for a descriptor id, or null when the id is not accepted.
const CUnvElementType* FindUnvElementType(int descriptorId);

// True when elements of this descriptor are written with a beam orientation line.
bool HasUnvBeamOrientation(int descriptorId);

// Labels a node line holds at most.
constexpr int kUnvLabelsPerLine = 8;

// The largest number of node labels an accepted element keeps.
constexpr int kUnvMaxElementNodes = 20;
