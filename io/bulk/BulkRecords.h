// What the bulk-data reader takes from its cards, with the ids as the deck writes them, and the
// receiver that files them (the model, or a test's recorder).
#pragma once

#include <cstdint>

struct SBulkGrid
{
    int id = 0;
    int cp = 0; // coordinate system of x, y, z; 0 is the basic system
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
};

struct SBulkCoordSystem
{
    enum EForm : char
    {
        Rectangular = 'R',
        Cylindrical = 'C',
        Spherical = 'S'
    };

    int id = 0;
    EForm form = Rectangular;
    bool isByGrids = false; // CORD1x: three grid ids; CORD2x: three points
    int gridIds[3] = {0, 0, 0};
    int referenceId = 0; // CORD2x: the system A, B and C are given in
    double a[3] = {0.0, 0.0, 0.0};
    double b[3] = {0.0, 0.0, 0.0};
    double c[3] = {0.0, 0.0, 0.0};
};

struct SBulkElement
{
    static constexpr int kMaxNodes = 8;

    int id = 0;
    int propertyId = 0;
    int materialId = 0; // 0: not given on the card
    int descriptorId = 0;
    int kindTag = 0;
    std::int16_t faceCount = 0;
    int nodeCount = 0;
    int nodeIds[kMaxNodes] = {};
};

class CBulkRecordTarget
{
public:
    virtual ~CBulkRecordTarget() = default;
    virtual void AddGrid(const SBulkGrid& grid) = 0;
    virtual void AddCoordSystem(const SBulkCoordSystem& system) = 0;
    virtual void AddElement(const SBulkElement& element) = 0;
    // True when the receiver wants no further card: the reader stops.
    virtual bool IsReadStopped() const { return false; }
};
