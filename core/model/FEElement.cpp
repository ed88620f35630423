// Element construction and face building from the descriptor tables.
#include "core/model/FEElement.h"

#include "core/geometry/EntityPool.h"
#include "core/model/ElementDescriptor.h"

#include <new>

namespace
{
// Never destroyed: elements of static objects may be freed after it would be.
CEntityPool& ElementPool()
{
    static CEntityPool* pool = new CEntityPool(sizeof(CFEElement), alignof(CFEElement));
    return *pool;
}

// Blocks of one face, those of shells; blocks of more come from the heap.
CEntityPool& FacePool()
{
    static CEntityPool* pool = new CEntityPool(sizeof(CFEFace), alignof(CFEFace));
    return *pool;
}
} // namespace

void CFaceArray::SetSize(INT_PTR count)
{
    if (count <= 0)
    {
        RemoveAll();
        return;
    }
    if (count == m_size)
        return;
    const size_t bytes = static_cast<size_t>(count) * sizeof(CFEFace);
    CFEFace* faces = static_cast<CFEFace*>(FacePool().Allocate(bytes));
    int made = 0;
    try
    {
        for (; made < count; ++made)
        {
            if (made < m_size)
                new (faces + made) CFEFace(m_faces[made]);
            else
                new (faces + made) CFEFace();
        }
    }
    catch (...)
    {
        while (made > 0)
            faces[--made].~CFEFace();
        FacePool().Free(faces, bytes);
        throw;
    }
    RemoveAll();
    m_faces = faces;
    m_size = static_cast<int>(count);
}

void CFaceArray::RemoveAll()
{
    if (m_faces == nullptr)
        return;
    for (int k = m_size; k > 0; --k)
        m_faces[k - 1].~CFEFace();
    FacePool().Free(m_faces, static_cast<size_t>(m_size) * sizeof(CFEFace));
    m_faces = nullptr;
    m_size = 0;
}

void* CFEElement::operator new(std::size_t size)
{
    return ElementPool().Allocate(size);
}

void CFEElement::operator delete(void* element, std::size_t size)
{
    ElementPool().Free(element, size);
}

CFEElement::CFEElement()
{
    type = kTagElement;
}

CFEElement::CFEElement(int16_t faceCount)
{
    type = kTagElement;
    m_faceCount = faceCount > 0 ? faceCount : 0;
    SizeFaces(m_faceCount);
}

void CFEElement::SetFaceCountByDescriptor(int descriptorId)
{
    const ElementDescriptor* descriptor = FindElementDescriptor(descriptorId);
    if (descriptor != nullptr && descriptor->faceCount >= 0)
        m_faceCount = descriptor->faceCount;
    SizeFaces(m_faceCount);
}

void CFEElement::BuildElementFaces()
{
    const ElementDescriptor* descriptor = FindElementDescriptor(m_feDescriptorId);
    if (descriptor == nullptr || descriptor->faces == nullptr)
        return;
    // A node list shorter than the shape needs cannot make its faces: rather than faces that
    // point past the list, the element gets none.
    if (m_ids.GetSize() < descriptor->nodeCount)
    {
        m_faceCount = 0;
        m_faces.RemoveAll();
        return;
    }
    // The model sizes the faces right before; a caller that did not gets them sized here.
    if (m_faces.GetSize() != descriptor->faceCount)
    {
        m_faceCount = descriptor->faceCount;
        SizeFaces(m_faceCount);
    }
    // Filled in place: the face arrays keep their storage when faces are built again.
    for (int k = 0; k < descriptor->faceCount; ++k)
    {
        const FaceLayout& layout = descriptor->faces[k];
        CFEFace& face = m_faces[k]; // members not set here keep their values
        face.m_ids.SetSize(layout.nodeCount);
        for (int i = 0; i < layout.nodeCount; ++i)
            face.m_ids[i] = m_ids[layout.positions[i]];
        face.m_cornerCount = layout.nodeCount;
        face.m_faceIndex = static_cast<uint8_t>(k);
        face.m_elementId = m_id;
    }
}

bool CFEElement::IsParabolicElement() const
{
    return ::IsParabolicElement(m_feDescriptorId);
}

void CFEElement::SizeFaces(int count)
{
    if (count <= 0)
    {
        m_faces.RemoveAll();
        return;
    }
    m_faces.SetSize(count);
    // A face is a few hundred bytes and an element's face count never grows again: the array's
    // spare growth slots would cost more than the element itself.
    m_faces.FreeExtra();
}
