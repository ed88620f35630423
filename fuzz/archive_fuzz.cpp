// libFuzzer target: an archive of objects read as a stored layout is read (object arrays of
// objects that hold strings, numbers and further objects). Whatever the bytes, the read ends
// in an archive exception or a graph that is then written back and freed without a leak.
#include "platform/base/archive.h"
#include "platform/base/coll_array.h"

#include <cstddef>
#include <cstdint>
#include <set>

namespace
{
// What reading object made, and so owns: the object itself and, through arrays (which own
// nothing themselves), the objects each array read as new. Back-references belong to whoever
// read them first.
void CollectOwned(const CArchive& archive, CObject* object, std::set<CObject*>& owned)
{
    owned.insert(object);
    if (auto* array = dynamic_cast<CObArray*>(object))
    {
        for (CObject* element : *array)
        {
            if (element && archive.IsCreatedBy(element, array))
                CollectOwned(archive, element, owned);
        }
    }
}

// Holds a name, a number and a child of any class (often an array).
class CFuzzNode : public CObject
{
    FW_SERIAL(CFuzzNode, CObject, VERSIONABLE_SCHEMA | 1)

    ~CFuzzNode() override
    {
        for (CObject* object : m_owned)
            delete object;
    }
    void Serialize(CArchive& archive) override
    {
        if (archive.IsStoring())
        {
            archive << m_name << m_value << m_child;
            return;
        }
        archive.GetObjectSchema();
        archive >> m_name >> m_value;
        bool created = false;
        m_child = archive.ReadObject(nullptr, &created);
        if (created)
            CollectOwned(archive, m_child, m_owned);
    }

    CString m_name;
    double m_value = 0;
    CObject* m_child = nullptr;
    std::set<CObject*> m_owned;
};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CMemFile input(const_cast<BYTE*>(data), static_cast<UINT>(size));
    std::set<CObject*> owned;
    CObject* root = nullptr;
    try
    {
        CArchive archive(&input, CArchive::load);
        root = archive.ReadObject(nullptr);
        if (root)
            CollectOwned(archive, root, owned);
    }
    catch (CException* e)
    {
        e->Delete();
        return 0;
    }
    CMemFile output;
    {
        CArchive archive(&output, CArchive::store);
        archive << root;
    }
    for (CObject* object : owned)
        delete object;
    return 0;
}
