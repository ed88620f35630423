// Readers of the geometry data blocks: grid points and coordinate systems (GEOM1), element
// connectivity (GEOM2) and point forces (GEOM3). Each record reader takes fixed-size entries.
#pragma once

#include "io/op2/NSBlockReader.h"

#include <vector>

class CCoordSystem;
class CFEElement;
class CFENode;

// Files entities read from a geometry block, shifted by the read's id offsets. Ownership
// moves to the model; an entity refused (an id of 0 or less or past the largest, a coordinate
// that is no finite number, a duplicate id) is deleted.
bool AddOp2Element(Op2ReadContext& context, CFEElement* element, CModelSet* model);
bool AddOp2Node(Op2ReadContext& context, CFENode* node, CModelSet* model);
bool AddOp2CoordSystem(Op2ReadContext& context, CCoordSystem* system, CModelSet* model);

// A geometry block: reports, once at its end, the entries it refused.
class GeometryNSBlockReader : public NSBlockReader
{
public:
    GeometryNSBlockReader();
    int readBlock(COp2File* file, CModelSet* model, bool skipAll) override;
};

class GEOM1NSBlockReader : public GeometryNSBlockReader
{
public:
    GEOM1NSBlockReader();
    // Systems defined by grid points come before the grids in the block: they are defined
    // once the whole block has been read.
    int readBlock(COp2File* file, CModelSet* model, bool skipAll) override;

private:
    std::vector<int> m_gridSystems; // ids of the systems made from grid points
};

class GEOM2NSBlockReader : public GeometryNSBlockReader
{
public:
    GEOM2NSBlockReader();
};

class GEOM3NSBlockReader : public GeometryNSBlockReader
{
public:
    GEOM3NSBlockReader();
};

// A record reader with a fixed entry size: whole entries go to ReadEntry, the rest is the tail.
class FixedEntryNSRecordReader : public NSRecordReader
{
public:
    explicit FixedEntryNSRecordReader(int entryBytes)
        : m_entryBytes(entryBytes)
    {
    }
    int readRecord(const int* data, int nBytes, CModelSet* model) override;
    int GetEntryBytes() const { return m_entryBytes; }

protected:
    virtual void ReadEntry(const int* entry, CModelSet* model) = 0;
    void SetEntryBytes(int entryBytes) { m_entryBytes = entryBytes; }

private:
    int m_entryBytes;
};

// Grids of 8 words; a record keyed (4501, 45, 1120001) holds grids of 11 words whose
// coordinates are doubles.
class GRIDNSRecordReader : public FixedEntryNSRecordReader
{
public:
    GRIDNSRecordReader()
        : FixedEntryNSRecordReader(32)
    {
    }
    void BeginRecord(const int* key) override;

protected:
    void ReadEntry(const int* entry, CModelSet* model) override;

private:
    bool m_hasDoubles = false;
};

class CORD1NSRecordReader : public FixedEntryNSRecordReader
{
public:
    // Appends the id of every system it files to created (borrowed); kind: the form the
    // record's key names (CCoordSystem::kRectangular ...).
    CORD1NSRecordReader(std::vector<int>* created, int kind)
        : FixedEntryNSRecordReader(24)
        , m_created(created)
        , m_kind(kind)
    {
    }

protected:
    void ReadEntry(const int* entry, CModelSet* model) override;

private:
    std::vector<int>* m_created;
    int m_kind;
};

class CORD2NSRecordReader : public FixedEntryNSRecordReader
{
public:
    explicit CORD2NSRecordReader(int kind)
        : FixedEntryNSRecordReader(52)
        , m_kind(kind)
    {
    }

protected:
    void ReadEntry(const int* entry, CModelSet* model) override;

private:
    int m_kind;
};

// How one element card is laid out in its record and what element it becomes.
struct Op2ElementLayout
{
    const char* card;
    int key;
    int entryWords;
    int propertyWord; // -1: none
    int materialWord; // -1: none
    int firstNodeWord;
    int nodeCount;      // node words in the entry
    int descriptorId;   // FE descriptor of the full node list
    int kind;           // element kind tag
    const int* order;   // descriptor position -> node word index, null: file order
    int cornerCount;    // corners of an element with mid-side nodes, else 0
    const int* corners; // node word indexes of the corners
    int linearDescriptorId;
};

// One element card; the named readers below differ only in their layout.
class ElementNSRecordReader : public FixedEntryNSRecordReader
{
public:
    explicit ElementNSRecordReader(const Op2ElementLayout& layout);
    const Op2ElementLayout& GetLayout() const { return m_layout; }

protected:
    void ReadEntry(const int* entry, CModelSet* model) override;

private:
    const Op2ElementLayout& m_layout;
};

// Point forces; the loop catches and logs its own failures.
class ForceNSRecordReader : public FixedEntryNSRecordReader
{
public:
    ForceNSRecordReader(int entryBytes, int nodeCount, const char* location);
    int readRecord(const int* data, int nBytes, CModelSet* model) override;

protected:
    void ReadEntry(const int* entry, CModelSet* model) override;

private:
    int m_nodeCount;
    const char* m_location;
};

// Load records that are read over.
class SkippedNSRecordReader : public FixedEntryNSRecordReader
{
public:
    explicit SkippedNSRecordReader(int entryBytes)
        : FixedEntryNSRecordReader(entryBytes)
    {
    }

protected:
    void ReadEntry(const int*, CModelSet*) override {}
};
