// Node storage.
#include "core/geometry/FENode.h"

#include "core/geometry/EntityPool.h"

namespace
{
// Never destroyed: nodes of static objects may be freed after it would be.
CEntityPool& NodePool()
{
    static CEntityPool* pool = new CEntityPool(sizeof(CFENode), alignof(CFENode));
    return *pool;
}
} // namespace

void* CFENode::operator new(std::size_t size)
{
    return NodePool().Allocate(size);
}

void CFENode::operator delete(void* node, std::size_t size)
{
    NodePool().Free(node, size);
}
