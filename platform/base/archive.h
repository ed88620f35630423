// CArchive: the framework's binary stream over a CFile, little-endian, through a 4096-byte
// buffer. Strings carry a length prefix: one byte below 0xFF; else 0xFF and a 16-bit length up
// to 0xFFFD; else 0xFF, 0xFFFF and a 32-bit length. Counts are 16-bit, or 0xFFFF and 32-bit.
// Objects are written with 16-bit tags; classes and objects share one index sequence from 1:
//   0            null object
//   0xFFFF       new class: schema (16), name length (16), name; then the object's body
//   0x8000 | i   class i again; then the object's body
//   1..0x7FFE    the object of index i again (a back-reference, no body)
//   0x7FFF       escape: a 32-bit tag follows, bit 31 set for a class
// There are deliberately no operators for long or size_t: stored integers are 32-bit, and the
// caller says which.
#pragma once

#include "platform/base/exception.h"
#include "platform/base/file.h"
#include "platform/base/object.h"
#include "platform/base/string.h"
#include "platform/base/types.h"

#include <cstdint>
#include <type_traits>
#include <unordered_map>
#include <vector>

class CArchive
{
public:
    enum Mode
    {
        store = 0,
        load = 1,
        bNoFlushOnDelete = 2
    };

    // The archive borrows the file, which must stay open until Close.
    CArchive(CFile* file, UINT mode, int bufferSize = 4096);
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;
    // A storing archive that was not closed is flushed here, unless an exception is on its
    // way out (a failed save leaves no tail); errors on this flush are swallowed.
    ~CArchive();

    bool IsLoading() const { return (m_mode & load) != 0; }
    bool IsStoring() const { return (m_mode & load) == 0; }
    bool IsBufferEmpty() const { return m_cur == m_end; }
    CFile* GetFile() const { return m_file; }

    // Raw bytes. Read returns less than count only at the end of the file.
    UINT Read(void* buffer, UINT count);
    void Write(const void* buffer, UINT count);
    // Storing: writes the buffer to the file. Loading: moves the file back to the first byte
    // not yet read, so that the file position is where the archive stopped.
    void Flush();
    // Flushes and detaches from the file; the file stays open.
    void Close();
    // Detaches without flushing.
    void Abort();

    CArchive& operator<<(BYTE value);
    CArchive& operator<<(WORD value);
    CArchive& operator<<(int16_t value);
    CArchive& operator<<(int32_t value);
    CArchive& operator<<(uint32_t value);
    CArchive& operator<<(float value);
    CArchive& operator<<(double value);
    CArchive& operator<<(const CString& text);
    CArchive& operator<<(const char* text);
    // Integers whose width differs between the builds, and types that would silently widen.
    CArchive& operator<<(long) = delete;
    CArchive& operator<<(unsigned long) = delete;
    CArchive& operator<<(long long) = delete;
    CArchive& operator<<(unsigned long long) = delete;
    CArchive& operator<<(bool) = delete;
    CArchive& operator<<(char) = delete;

    CArchive& operator>>(BYTE& value);
    CArchive& operator>>(WORD& value);
    CArchive& operator>>(int16_t& value);
    CArchive& operator>>(int32_t& value);
    CArchive& operator>>(uint32_t& value);
    CArchive& operator>>(float& value);
    CArchive& operator>>(double& value);
    CArchive& operator>>(CString& text);

    // Element counts of collections.
    void WriteCount(uint32_t count);
    uint32_t ReadCount();

    // Objects by tag (see the file comment). Writing a class that is not serialisable throws
    // CNotSupportedException*. Reading throws CArchiveException* with badClass for an unknown
    // class or one that is not requestedClass or derived from it, badSchema for a stored
    // schema other than the class's own unless the class is versionable, and badIndex for a
    // tag that refers to nothing read so far. The caller owns a newly read object; an object
    // whose own Serialize throws is deleted. created, when given, tells a new object from a
    // back-reference (whose owner is elsewhere). After a throw the archive reads no further.
    void WriteObject(const CObject* object);
    CObject* ReadObject(const CRuntimeClass* requestedClass, bool* created = nullptr);
    // Whether object was read as a new object by the Serialize of creator (null: at the top
    // level). Lets a container that fails part-way free just what it made.
    bool IsCreatedBy(const CObject* object, const CObject* creator) const;
    void WriteClass(const CRuntimeClass* runtimeClass);
    // The class of the next tag and its stored schema; throws badIndex for an object tag.
    const CRuntimeClass* ReadClass(const CRuntimeClass* requestedClass = nullptr,
                                   UINT* schema = nullptr);

    // Inside the Serialize of an object being read: the schema stored with its class. It
    // answers once; a second call gives 0xFFFFFFFF.
    UINT GetObjectSchema();
    void SetObjectSchema(UINT schema) { m_objectSchema = schema; }

private:
    struct LoadEntry
    {
        const CRuntimeClass* runtimeClass; // set for a class entry
        UINT schema;                       // stored schema of a class entry
        CObject* object;                   // an object entry (null for index 0)
    };
    struct Creation
    {
        const CObject* creator; // whose Serialize read the object; null at the top level
    };

    void CheckMode(bool loading) const;
    [[noreturn]] void Throw(int cause) const;
    // Raw bytes that must all be there; a short read throws endOfFile.
    void ReadExactly(void* buffer, UINT count);
    void FillBuffer(UINT wanted);
    template <class T>
    T GetInteger();
    // Reads a tag: true with the class (and its stored schema) for a class tag, false with
    // the object index for an object tag.
    bool ReadTag(uint32_t& tag, const CRuntimeClass*& runtimeClass, UINT& schema);
    void WriteTag(WORD shortTag, uint32_t index, uint32_t bigFlag);
    uint32_t NextMapIndex();
    const CRuntimeClass* ReadNewClass(UINT* schema);

    CFile* m_file; // borrowed
    UINT m_mode;
    std::vector<BYTE> m_buffer;
    BYTE* m_cur = nullptr; // next byte to read or write
    BYTE* m_end = nullptr; // loading: end of the bytes read; storing: end of the buffer
    int m_uncaughtAtStart;
    UINT m_objectSchema = 0xFFFFFFFF;
    uint32_t m_mapCount = 1; // next index of the shared class and object sequence
    bool m_failed = false;   // a read threw: the objects in m_loadArray may be gone
    std::unordered_map<const void*, uint32_t> m_storeMap; // class or object -> index
    std::vector<LoadEntry> m_loadArray;                   // index -> class or object
    std::unordered_map<const CObject*, Creation> m_creations;
    const CObject* m_reading = nullptr; // the object whose Serialize runs now
};

// An object of any class; the reading forms check the class of what they get.
inline CArchive& operator<<(CArchive& archive, const CObject* object)
{
    archive.WriteObject(object);
    return archive;
}

template <class T, std::enable_if_t<std::is_base_of_v<CObject, T>, int> = 0>
CArchive& operator>>(CArchive& archive, T*& object)
{
    object = static_cast<T*>(archive.ReadObject(T::GetThisClass()));
    return archive;
}

template <class T, std::enable_if_t<std::is_base_of_v<CObject, T>, int> = 0>
CArchive& operator>>(CArchive& archive, const T*& object)
{
    object = static_cast<const T*>(archive.ReadObject(T::GetThisClass()));
    return archive;
}
