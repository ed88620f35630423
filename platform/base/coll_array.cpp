// Archiving of the object array.
#include "platform/base/coll_array.h"

#include "platform/base/archive.h"

#include <vector>

void CObArray::Serialize(CArchive& archive)
{
    CObject::Serialize(archive);
    if (archive.IsStoring())
    {
        archive.WriteCount(static_cast<uint32_t>(GetSize()));
        for (const CObject* object : *this)
            archive << object;
        return;
    }
    // Elements are added as they arrive rather than sized up front: a corrupt count then
    // ends in endOfFile instead of a huge allocation, and what was read stays reachable.
    // When a read fails, the new objects read so far are deleted; back-references belong to
    // whoever read them first.
    RemoveAll();
    std::vector<CObject*> created;
    try
    {
        const uint32_t count = archive.ReadCount();
        for (uint32_t i = 0; i < count; ++i)
        {
            bool isNew = false;
            CObject* object = archive.ReadObject(nullptr, &isNew);
            if (isNew)
                created.push_back(object);
            Add(object);
        }
    }
    catch (...)
    {
        RemoveAll();
        for (CObject* object : created)
            delete object;
        throw;
    }
}
