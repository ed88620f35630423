// Archiving of the object array.
#include "platform/base/coll_array.h"

#include "platform/base/archive.h"

#include <set>

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
    // When a read fails, the objects this array read as new are deleted (and so on down
    // through arrays among them); back-references belong to whoever read them first.
    RemoveAll();
    try
    {
        const uint32_t count = archive.ReadCount();
        for (uint32_t i = 0; i < count; ++i)
            Add(archive.ReadObject(nullptr));
    }
    catch (...)
    {
        DeleteReadObjects(archive);
        throw;
    }
}

void CObArray::DeleteReadObjects(const CArchive& archive)
{
    std::set<CObject*> created;
    for (CObject* object : *this)
    {
        if (object && archive.IsCreatedBy(object, this))
            created.insert(object);
    }
    if (created.empty())
        return; // a member array of the object being read: its owner frees what it holds
    RemoveAll();
    for (CObject* object : created)
    {
        if (auto* array = dynamic_cast<CObArray*>(object))
            array->DeleteReadObjects(archive);
        delete object;
    }
}
