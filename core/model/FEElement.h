// A finite element: ids, node ids in solver-file order, FE descriptor and the faces built from
// the descriptor's face table, with the flags the outer-face extraction and the renderer use.
#pragma once

#include "core/model/FEFace.h"

#include <cstddef>
#include <cstdint>

// The faces of an element, held by value in one block of exactly their count: a shape's face
// count never grows, so the array keeps no spare room or growth step (16 bytes in the element,
// not 32), and the one-face blocks of shells come from a pool without a heap header each. It
// answers the calls of a CArray that callers make of an element's faces.
class CFaceArray
{
public:
    CFaceArray() = default;
    CFaceArray(const CFaceArray&) = delete;
    CFaceArray& operator=(const CFaceArray&) = delete;
    ~CFaceArray() { RemoveAll(); }

    INT_PTR GetSize() const { return m_size; }
    INT_PTR GetCount() const { return m_size; }
    bool IsEmpty() const { return m_size == 0; }
    CFEFace& operator[](INT_PTR index) { return m_faces[index]; }
    const CFEFace& operator[](INT_PTR index) const { return m_faces[index]; }
    CFEFace* begin() { return m_faces; }
    CFEFace* end() { return m_faces + m_size; }
    const CFEFace* begin() const { return m_faces; }
    const CFEFace* end() const { return m_faces + m_size; }

    // Exactly count faces: those kept are copied over (as a face is copied), new ones are
    // default faces.
    void SetSize(INT_PTR count);
    void RemoveAll();
    void FreeExtra() {} // the block never holds more than the faces

private:
    CFEFace* m_faces = nullptr; // owned block of m_size faces
    int m_size = 0;
};

class CFEElement : public CMeshEntity
{
public:
    static constexpr int kMaxFaceFlags = 8;

    CFEElement();
    // Starts with that many default faces; a negative count gives none.
    explicit CFEElement(int16_t faceCount);
    CFEElement(const CFEElement&) = delete;
    CFEElement& operator=(const CFEElement&) = delete;
    ~CFEElement() override = default;

    // Elements come from a pool: a model of millions is made and freed in few heap calls.
    static void* operator new(std::size_t size);
    static void operator delete(void* element, std::size_t size);

    // Sets m_faceCount from the descriptor (unknown ids leave it) and sizes m_faces to match.
    void SetFaceCountByDescriptor(int descriptorId);
    // Fills the faces from the face table of m_feDescriptorId; unknown ids build nothing.
    void BuildElementFaces();
    bool IsParabolicElement() const;

    int m_propertyId = 0;
    int m_materialId = 1;
    int m_feDescriptorId = 0;
    int m_nodeCount = 0;   // as the solver file declares it; m_ids is what the element holds
    CPackedPoint m_centre; // mean of the node coordinates, written by the model
    int16_t m_faceCount = 0;
    CFaceArray m_faces; // position k holds the face with m_faceIndex k
    // 1 when face k is an outer face of a visible element; written by the outer-face extraction.
    uint8_t m_outerFace[kMaxFaceFlags] = {};
    // Elements whose display byte is 0 are left out of the shell and solid contour lists.
    uint8_t m_display = 1;
    uint8_t m_hasOuterFace = 0; // 1 when at least one face is a visible outer face

private:
    // Exactly `count` faces, without spare slots.
    void SizeFaces(int count);
};
