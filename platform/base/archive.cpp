// CArchive: buffered little-endian stream, string and count prefixes, object tags.
#include "platform/base/archive.h"

#include <algorithm>
#include <cassert>
#include <cstring>
#include <exception>
#include <memory>

namespace
{
constexpr WORD kNullTag = 0;
constexpr WORD kNewClassTag = 0xFFFF;
constexpr WORD kClassTag = 0x8000;
constexpr WORD kBigObjectTag = 0x7FFF;
constexpr uint32_t kBigClassTag = 0x80000000u;
constexpr uint32_t kMaxMapCount = 0x3FFFFFFEu;
// Long strings are read in pieces, so that a corrupt length cannot allocate more than the
// bytes that are really there.
constexpr UINT kStringChunk = 65536;

template <class T>
void PutLittleEndian(BYTE* out, T value)
{
    for (size_t i = 0; i < sizeof(T); ++i)
        out[i] = static_cast<BYTE>(value >> (8 * i));
}

template <class T>
T GetLittleEndian(const BYTE* in)
{
    T value = 0;
    for (size_t i = 0; i < sizeof(T); ++i)
        value = static_cast<T>(value | static_cast<T>(static_cast<T>(in[i]) << (8 * i)));
    return value;
}

template <class T, class Bits>
T FromBits(Bits bits)
{
    static_assert(sizeof(T) == sizeof(Bits), "same width");
    T value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

template <class Bits, class T>
Bits ToBits(T value)
{
    static_assert(sizeof(T) == sizeof(Bits), "same width");
    Bits bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}
} // namespace

CArchive::CArchive(CFile* file, UINT mode, int bufferSize)
    : m_file(file)
    , m_mode(mode)
    , m_buffer(static_cast<size_t>(std::max(bufferSize, 128)))
    , m_uncaughtAtStart(std::uncaught_exceptions())
{
    assert(file);
    m_loadArray.push_back({nullptr, 0, nullptr}); // index 0: the null object
    m_cur = m_buffer.data();
    m_end = IsLoading() ? m_cur : m_cur + m_buffer.size();
}

CArchive::~CArchive()
{
    if (!m_file || (m_mode & bNoFlushOnDelete) || std::uncaught_exceptions() > m_uncaughtAtStart)
        return;
    try
    {
        Close();
    }
    catch (CException* e)
    {
        e->Delete();
    }
    catch (...)
    {
    }
}

UINT CArchive::Read(void* buffer, UINT count)
{
    CheckMode(true);
    BYTE* out = static_cast<BYTE*>(buffer);
    UINT done = 0;
    while (done < count)
    {
        if (m_cur == m_end)
        {
            const UINT left = count - done;
            if (left >= m_buffer.size())
                return done + m_file->Read(out + done, left); // large reads skip the buffer
            FillBuffer(left);
            if (m_cur == m_end)
                break;
        }
        const UINT take = std::min<UINT>(count - done, static_cast<UINT>(m_end - m_cur));
        std::memcpy(out + done, m_cur, take);
        m_cur += take;
        done += take;
    }
    return done;
}

void CArchive::Write(const void* buffer, UINT count)
{
    CheckMode(false);
    const BYTE* in = static_cast<const BYTE*>(buffer);
    const UINT room = static_cast<UINT>(m_end - m_cur);
    if (count <= room)
    {
        std::memcpy(m_cur, in, count);
        m_cur += count;
        return;
    }
    Flush();
    if (count >= m_buffer.size())
    {
        m_file->Write(in, count);
        return;
    }
    std::memcpy(m_cur, in, count);
    m_cur += count;
}

void CArchive::Flush()
{
    if (!m_file)
        return;
    if (IsStoring())
    {
        const UINT pending = static_cast<UINT>(m_cur - m_buffer.data());
        m_cur = m_buffer.data();
        if (pending > 0)
            m_file->Write(m_buffer.data(), pending);
        return;
    }
    const LONGLONG unread = m_end - m_cur;
    m_cur = m_end = m_buffer.data();
    if (unread > 0)
        m_file->Seek(-unread, CFile::current);
}

void CArchive::Close()
{
    Flush();
    m_file = nullptr;
}

void CArchive::Abort()
{
    m_file = nullptr;
}

void CArchive::CheckMode(bool loading) const
{
    if (!m_file || m_failed)
        Throw(CArchiveException::genericException);
    if (loading && !IsLoading())
        Throw(CArchiveException::writeOnly);
    if (!loading && IsLoading())
        Throw(CArchiveException::readOnly);
}

void CArchive::Throw(int cause) const
{
    fw::ThrowArchiveException(cause, m_file ? m_file->GetFilePath().GetString() : nullptr);
}

void CArchive::ReadExactly(void* buffer, UINT count)
{
    if (Read(buffer, count) != count)
        Throw(CArchiveException::endOfFile);
}

void CArchive::FillBuffer(UINT wanted)
{
    // Keep the unread tail, then top the buffer up from the file.
    const size_t kept = static_cast<size_t>(m_end - m_cur);
    std::memmove(m_buffer.data(), m_cur, kept);
    m_cur = m_buffer.data();
    m_end = m_cur + kept;
    while (static_cast<size_t>(m_end - m_cur) < wanted)
    {
        const UINT room = static_cast<UINT>(m_buffer.size() - (m_end - m_buffer.data()));
        const UINT got = m_file->Read(m_end, room);
        if (got == 0)
            break;
        m_end += got;
    }
}

namespace
{
// Integers go byte by byte, so that the stored order is little-endian whatever the host.
template <class T>
void PutInteger(CArchive& archive, T value)
{
    BYTE bytes[sizeof(T)];
    PutLittleEndian(bytes, static_cast<std::make_unsigned_t<T>>(value));
    archive.Write(bytes, sizeof bytes);
}
} // namespace

template <class T>
T CArchive::GetInteger()
{
    BYTE bytes[sizeof(T)];
    ReadExactly(bytes, sizeof bytes);
    return static_cast<T>(GetLittleEndian<std::make_unsigned_t<T>>(bytes));
}

CArchive& CArchive::operator<<(BYTE value)
{
    Write(&value, 1);
    return *this;
}

CArchive& CArchive::operator<<(WORD value)
{
    PutInteger(*this, value);
    return *this;
}

CArchive& CArchive::operator<<(int16_t value)
{
    PutInteger(*this, value);
    return *this;
}

CArchive& CArchive::operator<<(int32_t value)
{
    PutInteger(*this, value);
    return *this;
}

CArchive& CArchive::operator<<(uint32_t value)
{
    PutInteger(*this, value);
    return *this;
}

CArchive& CArchive::operator<<(float value)
{
    PutInteger(*this, ToBits<uint32_t>(value));
    return *this;
}

CArchive& CArchive::operator<<(double value)
{
    PutInteger(*this, ToBits<uint64_t>(value));
    return *this;
}

CArchive& CArchive::operator<<(const CString& text)
{
    const size_t length = static_cast<size_t>(text.GetLength());
    if (length < 0xFF)
    {
        *this << static_cast<BYTE>(length);
    }
    else if (length < 0xFFFE)
    {
        *this << static_cast<BYTE>(0xFF);
        *this << static_cast<WORD>(length);
    }
    else
    {
        // 0xFFFE would mark wide text in the 16-bit form, so long lengths go to 32 bits.
        *this << static_cast<BYTE>(0xFF);
        *this << static_cast<WORD>(0xFFFF);
        *this << static_cast<uint32_t>(length);
    }
    Write(text.GetString(), static_cast<UINT>(length));
    return *this;
}

CArchive& CArchive::operator<<(const char* text)
{
    return *this << CString(text);
}

CArchive& CArchive::operator>>(BYTE& value)
{
    ReadExactly(&value, 1);
    return *this;
}

CArchive& CArchive::operator>>(WORD& value)
{
    value = GetInteger<WORD>();
    return *this;
}

CArchive& CArchive::operator>>(int16_t& value)
{
    value = GetInteger<int16_t>();
    return *this;
}

CArchive& CArchive::operator>>(int32_t& value)
{
    value = GetInteger<int32_t>();
    return *this;
}

CArchive& CArchive::operator>>(uint32_t& value)
{
    value = GetInteger<uint32_t>();
    return *this;
}

CArchive& CArchive::operator>>(float& value)
{
    value = FromBits<float>(GetInteger<uint32_t>());
    return *this;
}

CArchive& CArchive::operator>>(double& value)
{
    value = FromBits<double>(GetInteger<uint64_t>());
    return *this;
}

CArchive& CArchive::operator>>(CString& text)
{
    uint32_t length = GetInteger<BYTE>();
    if (length == 0xFF)
    {
        length = GetInteger<WORD>();
        if (length == 0xFFFE) // wide text, which this program never writes
            Throw(CArchiveException::genericException);
        if (length == 0xFFFF)
            length = GetInteger<uint32_t>();
    }
    std::string read;
    while (read.size() < length)
    {
        const UINT piece = static_cast<UINT>(std::min<size_t>(length - read.size(), kStringChunk));
        const size_t at = read.size();
        read.resize(at + piece);
        ReadExactly(&read[at], piece);
    }
    text = CString(read);
    return *this;
}

void CArchive::WriteCount(uint32_t count)
{
    if (count < 0xFFFF)
    {
        *this << static_cast<WORD>(count);
        return;
    }
    *this << static_cast<WORD>(0xFFFF);
    *this << count;
}

uint32_t CArchive::ReadCount()
{
    const WORD shortCount = GetInteger<WORD>();
    return shortCount != 0xFFFF ? shortCount : GetInteger<uint32_t>();
}

uint32_t CArchive::NextMapIndex()
{
    if (m_mapCount >= kMaxMapCount)
        Throw(CArchiveException::badIndex);
    return m_mapCount++;
}

void CArchive::WriteTag(WORD shortTag, uint32_t index, uint32_t bigFlag)
{
    if (index < kBigObjectTag)
    {
        *this << static_cast<WORD>(shortTag | index);
        return;
    }
    *this << kBigObjectTag;
    *this << (bigFlag | index);
}

void CArchive::WriteClass(const CRuntimeClass* runtimeClass)
{
    CheckMode(false);
    assert(runtimeClass);
    if ((runtimeClass->m_wSchema & ~VERSIONABLE_SCHEMA) == 0xFFFF)
        fw::ThrowNotSupportedException();
    const auto known = m_storeMap.find(runtimeClass);
    if (known != m_storeMap.end())
    {
        WriteTag(kClassTag, known->second, kBigClassTag);
        return;
    }
    const size_t nameLength = std::strlen(runtimeClass->m_lpszClassName);
    assert(nameLength < 0xFFFF);
    *this << kNewClassTag;
    *this << static_cast<WORD>(runtimeClass->m_wSchema);
    *this << static_cast<WORD>(nameLength);
    Write(runtimeClass->m_lpszClassName, static_cast<UINT>(nameLength));
    m_storeMap.emplace(runtimeClass, NextMapIndex());
}

void CArchive::WriteObject(const CObject* object)
{
    CheckMode(false);
    if (!object)
    {
        *this << kNullTag;
        return;
    }
    const auto known = m_storeMap.find(object);
    if (known != m_storeMap.end())
    {
        WriteTag(0, known->second, 0);
        return;
    }
    WriteClass(object->GetRuntimeClass());
    m_storeMap.emplace(object, NextMapIndex());
    const_cast<CObject*>(object)->Serialize(*this);
}

const CRuntimeClass* CArchive::ReadNewClass(UINT* schema)
{
    const WORD storedSchema = GetInteger<WORD>();
    const WORD nameLength = GetInteger<WORD>();
    std::string name(nameLength, '\0');
    ReadExactly(name.data(), nameLength);
    const CRuntimeClass* runtimeClass = CRuntimeClass::FromName(name.c_str());
    if (!runtimeClass || name.size() != std::strlen(name.c_str()) ||
        (runtimeClass->m_wSchema & ~VERSIONABLE_SCHEMA) == 0xFFFF)
        Throw(CArchiveException::badClass);
    const UINT ownSchema = runtimeClass->m_wSchema & ~VERSIONABLE_SCHEMA;
    if (storedSchema != ownSchema && !(runtimeClass->m_wSchema & VERSIONABLE_SCHEMA))
        Throw(CArchiveException::badSchema);
    if (m_mapCount >= kMaxMapCount)
        Throw(CArchiveException::badIndex);
    m_loadArray.push_back({runtimeClass, storedSchema, nullptr});
    ++m_mapCount;
    *schema = storedSchema;
    return runtimeClass;
}

const CRuntimeClass* CArchive::ReadClass(const CRuntimeClass* requestedClass, UINT* schema)
{
    uint32_t tag = 0;
    const CRuntimeClass* runtimeClass = nullptr;
    UINT storedSchema = 0;
    if (!ReadTag(tag, runtimeClass, storedSchema))
        Throw(CArchiveException::badIndex);
    if (requestedClass && !runtimeClass->IsDerivedFrom(requestedClass))
        Throw(CArchiveException::badClass);
    if (schema)
        *schema = storedSchema;
    return runtimeClass;
}

bool CArchive::ReadTag(uint32_t& tag, const CRuntimeClass*& runtimeClass, UINT& schema)
{
    CheckMode(true);
    const WORD shortTag = GetInteger<WORD>();
    if (shortTag == kNewClassTag)
    {
        runtimeClass = ReadNewClass(&schema);
        return true;
    }
    if (shortTag == kBigObjectTag)
        tag = GetInteger<uint32_t>();
    else
        tag = (static_cast<uint32_t>(shortTag & kClassTag) << 16) | (shortTag & ~kClassTag);
    if (!(tag & kBigClassTag))
        return false;
    const uint32_t index = tag & ~kBigClassTag;
    if (index == 0 || index >= m_loadArray.size() || !m_loadArray[index].runtimeClass)
        Throw(CArchiveException::badIndex);
    runtimeClass = m_loadArray[index].runtimeClass;
    schema = m_loadArray[index].schema;
    return true;
}

CObject* CArchive::ReadObject(const CRuntimeClass* requestedClass, bool* created)
{
    if (created)
        *created = false;
    uint32_t tag = 0;
    const CRuntimeClass* runtimeClass = nullptr;
    UINT schema = 0;
    if (!ReadTag(tag, runtimeClass, schema))
    {
        // A back-reference must name an object read before, not a class.
        if (tag >= m_loadArray.size() || m_loadArray[tag].runtimeClass)
            Throw(CArchiveException::badIndex);
        CObject* object = m_loadArray[tag].object;
        if (object && requestedClass && !object->IsKindOf(requestedClass))
            Throw(CArchiveException::badClass);
        return object;
    }
    if (requestedClass && !runtimeClass->IsDerivedFrom(requestedClass))
        Throw(CArchiveException::badClass);
    std::unique_ptr<CObject> object(runtimeClass->CreateObject());
    if (!object)
        fw::ThrowMemoryException();
    if (m_mapCount >= kMaxMapCount)
        Throw(CArchiveException::badIndex);
    m_loadArray.push_back({nullptr, 0, object.get()});
    ++m_mapCount;
    m_creations[object.get()] = {m_reading};
    const UINT outerSchema = m_objectSchema;
    const CObject* outerReading = m_reading;
    m_objectSchema = schema;
    m_reading = object.get();
    try
    {
        object->Serialize(*this);
    }
    catch (...)
    {
        // This object is deleted on the way out, and whatever was read inside it goes with
        // it or with the callers that catch: nothing of it may be handed out again.
        m_failed = true;
        m_creations.erase(object.get());
        m_objectSchema = outerSchema;
        m_reading = outerReading;
        throw;
    }
    m_objectSchema = outerSchema;
    m_reading = outerReading;
    if (created)
        *created = true;
    return object.release();
}

bool CArchive::IsCreatedBy(const CObject* object, const CObject* creator) const
{
    const auto found = m_creations.find(object);
    return found != m_creations.end() && found->second.creator == creator;
}

UINT CArchive::GetObjectSchema()
{
    const UINT schema = m_objectSchema;
    m_objectSchema = 0xFFFFFFFF;
    return schema;
}
