// Element construction and face building from the descriptor tables.
#include "core/model/FEElement.h"

#include "core/geometry/EntityPool.h"
#include "core/model/ElementDescriptor.h"

namespace
{
// Never destroyed: elements of static objects may be freed after it would be.
CEntityPool& ElementPool()
{
    static CEntityPool* pool = new CEntityPool(sizeof(CFEElement), alignof(CFEElement));
    return *pool;
}
} // namespace

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
