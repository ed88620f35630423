// Archives: scalar, string and count encodings, object tags with classes and back-references,
// golden bytes of a small object graph, and every way a stored archive can be wrong.
#include "platform/base/archive.h"

#include "platform/base/coll_array.h"
#include "tests/support/TestPaths.h"

#include <functional>
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <vector>

namespace
{
using Bytes = std::vector<BYTE>;

class CArcPoint : public CObject
{
    FW_SERIAL(CArcPoint, CObject, 1)

    explicit CArcPoint(int32_t x = 0)
        : m_x(x)
    {
    }
    void Serialize(CArchive& archive) override
    {
        if (archive.IsStoring())
            archive << m_x;
        else
            archive >> m_x;
    }

    int32_t m_x;
};

class CArcLabel : public CObject
{
    FW_SERIAL(CArcLabel, CObject, 1)

    void Serialize(CArchive& archive) override
    {
        if (archive.IsStoring())
            archive << m_text;
        else
            archive >> m_text;
    }

    CString m_text;
};

// Schema 2, versionable: schema 1 archives lack the second field.
class CArcVersioned : public CObject
{
    FW_SERIAL(CArcVersioned, CObject, VERSIONABLE_SCHEMA | 2)

    void Serialize(CArchive& archive) override
    {
        if (archive.IsStoring())
        {
            archive << m_first << m_second;
            return;
        }
        m_schemaRead = archive.GetObjectSchema();
        m_secondSchemaRead = archive.GetObjectSchema();
        archive >> m_first;
        if (m_schemaRead >= 2)
            archive >> m_second;
    }

    int32_t m_first = 0;
    int32_t m_second = -1;
    UINT m_schemaRead = 0;
    UINT m_secondSchemaRead = 0;
};

// A class with no schema: writing it is refused.
class CArcPlain : public CObject
{
    FW_CREATABLE(CArcPlain, CObject)
};

Bytes Store(const std::function<void(CArchive&)>& write)
{
    CMemFile file;
    {
        CArchive archive(&file, CArchive::store);
        write(archive);
        archive.Close();
    }
    Bytes bytes(static_cast<size_t>(file.GetLength()));
    file.SeekToBegin();
    file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
    return bytes;
}

// Runs read over the bytes; returns the archive exception's cause, or -1 when none.
int LoadCause(const Bytes& bytes, const std::function<void(CArchive&)>& read)
{
    CMemFile file;
    file.Write(bytes.data(), static_cast<UINT>(bytes.size()));
    file.SeekToBegin();
    try
    {
        CArchive archive(&file, CArchive::load);
        read(archive);
    }
    catch (CArchiveException* e)
    {
        const int cause = e->m_cause;
        e->Delete();
        return cause;
    }
    return -1;
}

Bytes Concat(std::initializer_list<Bytes> parts)
{
    Bytes all;
    for (const Bytes& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

Bytes Text(const char* text)
{
    return Bytes(text, text + std::strlen(text));
}

// A new-class tag with its schema and name.
Bytes NewClass(WORD schema, const char* name)
{
    const WORD length = static_cast<WORD>(std::strlen(name));
    return Concat(
        {{0xFF, 0xFF, LOBYTE(schema), HIBYTE(schema), LOBYTE(length), HIBYTE(length)}, Text(name)});
}

void DeleteElements(CObArray& objects)
{
    std::set<CObject*> distinct(objects.begin(), objects.end());
    for (CObject* object : distinct)
        delete object;
    objects.RemoveAll();
}
} // namespace

TEST(CArchive, ScalarsAreLittleEndian)
{
    const Bytes bytes = Store(
        [](CArchive& ar)
        {
            ar << BYTE(0xAB) << WORD(0x1234) << int16_t(-2) << int32_t(-3) << uint32_t(0xA1B2C3D4)
               << 1.5f << -2.0;
        });
    const Bytes expected = {0xAB, 0x34, 0x12, 0xFE, 0xFF, 0xFD, 0xFF, 0xFF, 0xFF,
                            0xD4, 0xC3, 0xB2, 0xA1, 0x00, 0x00, 0xC0, 0x3F, 0x00,
                            0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xC0};
    EXPECT_EQ(expected, bytes);

    BYTE b = 0;
    WORD w = 0;
    int16_t s = 0;
    int32_t i = 0;
    uint32_t u = 0;
    float f = 0;
    double d = 0;
    EXPECT_EQ(-1, LoadCause(bytes, [&](CArchive& ar) { ar >> b >> w >> s >> i >> u >> f >> d; }));
    EXPECT_EQ(0xAB, b);
    EXPECT_EQ(0x1234, w);
    EXPECT_EQ(-2, s);
    EXPECT_EQ(-3, i);
    EXPECT_EQ(0xA1B2C3D4u, u);
    EXPECT_EQ(1.5f, f);
    EXPECT_EQ(-2.0, d);
}

TEST(CArchive, StringPrefixesGrowWithTheLength)
{
    struct PrefixCase
    {
        uint32_t length;
        Bytes prefix;
    };
    const PrefixCase cases[] = {{0, {0x00}},
                                {3, {0x03}},
                                {254, {0xFE}},
                                {255, {0xFF, 0xFF, 0x00}},
                                {0xFFFD, {0xFF, 0xFD, 0xFF}},
                                {0xFFFE, {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
                                {0x12345, {0xFF, 0xFF, 0xFF, 0x45, 0x23, 0x01, 0x00}}};
    for (const PrefixCase& c : cases)
    {
        SCOPED_TRACE(c.length);
        CString text;
        for (uint32_t i = 0; i < c.length; ++i)
            text += static_cast<char>('a' + i % 26);
        const Bytes bytes = Store([&](CArchive& ar) { ar << text; });
        ASSERT_EQ(c.prefix.size() + c.length, bytes.size());
        EXPECT_EQ(c.prefix, Bytes(bytes.begin(), bytes.begin() + c.prefix.size()));
        CString read("old");
        EXPECT_EQ(-1, LoadCause(bytes, [&](CArchive& ar) { ar >> read; }));
        EXPECT_TRUE(read == text);
    }
}

TEST(CArchive, CountsAreShortUpToFFFE)
{
    struct CountCase
    {
        uint32_t count;
        Bytes bytes;
    };
    const CountCase cases[] = {{0, {0x00, 0x00}},
                               {0xFFFE, {0xFE, 0xFF}},
                               {0xFFFF, {0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}},
                               {0x12345678, {0xFF, 0xFF, 0x78, 0x56, 0x34, 0x12}}};
    for (const CountCase& c : cases)
    {
        SCOPED_TRACE(c.count);
        EXPECT_EQ(c.bytes, Store([&](CArchive& ar) { ar.WriteCount(c.count); }));
        uint32_t read = 0;
        EXPECT_EQ(-1, LoadCause(c.bytes, [&](CArchive& ar) { read = ar.ReadCount(); }));
        EXPECT_EQ(c.count, read);
    }
}

TEST(CArchive, EmptyObjectArrayIsACountOfZero)
{
    CObArray empty;
    EXPECT_EQ(Bytes({0x00, 0x00}), Store([&](CArchive& ar) { empty.Serialize(ar); }));
    EXPECT_EQ(Concat({NewClass(0, "CObArray"), {0x00, 0x00}}),
              Store([&](CArchive& ar) { ar << &empty; }));
}

// The graph: an array of point 7, label "hi", point 8, point 7 again and null. Indexes:
// 1 class CObArray, 2 the array, 3 class CArcPoint, 4 point 7, 5 class CArcLabel, 6 the label,
// 7 point 8.
TEST(CArchive, ObjectGraphMatchesGoldenBytes)
{
    CArcPoint seven(7);
    CArcPoint eight(8);
    CArcLabel label;
    label.m_text = "hi";
    CObArray graph;
    graph.Add(&seven);
    graph.Add(&label);
    graph.Add(&eight);
    graph.Add(&seven);
    graph.Add(nullptr);
    const Bytes golden = Concat({NewClass(0, "CObArray"),
                                 {0x05, 0x00},
                                 NewClass(1, "CArcPoint"),
                                 {0x07, 0x00, 0x00, 0x00},
                                 NewClass(1, "CArcLabel"),
                                 {0x02, 'h', 'i'},
                                 {0x03, 0x80, 0x08, 0x00, 0x00, 0x00},
                                 {0x04, 0x00},
                                 {0x00, 0x00}});
    EXPECT_EQ(golden, Store([&](CArchive& ar) { ar << &graph; }));

    CObArray* read = nullptr;
    ASSERT_EQ(-1, LoadCause(golden, [&](CArchive& ar) { ar >> read; }));
    ASSERT_NE(nullptr, read);
    ASSERT_EQ(5, read->GetSize());
    const auto* first = static_cast<CArcPoint*>(read->GetAt(0));
    ASSERT_TRUE(first->IsKindOf(RUNTIME_CLASS(CArcPoint)));
    EXPECT_EQ(7, first->m_x);
    ASSERT_TRUE(read->GetAt(1)->IsKindOf(RUNTIME_CLASS(CArcLabel)));
    EXPECT_STREQ("hi", static_cast<CArcLabel*>(read->GetAt(1))->m_text);
    EXPECT_EQ(8, static_cast<CArcPoint*>(read->GetAt(2))->m_x);
    EXPECT_EQ(read->GetAt(0), read->GetAt(3)); // one object, not a copy
    EXPECT_EQ(nullptr, read->GetAt(4));
    DeleteElements(*read);
    delete read;
}

// Under the sanitizers this also shows that a failed read frees what it made, nested arrays
// included.
TEST(CArchive, EveryTruncationRaisesEndOfFile)
{
    CArcPoint seven(7);
    CArcPoint eight(8);
    CArcLabel label;
    label.m_text = CString('x', 300);
    CObArray inner;
    inner.Add(&eight);
    inner.Add(&seven);
    CObArray graph;
    graph.Add(&seven);
    graph.Add(&label);
    graph.Add(&inner);
    graph.Add(&seven);
    const Bytes whole = Store([&](CArchive& ar) { ar << &graph; });
    for (size_t length = 0; length < whole.size(); ++length)
    {
        SCOPED_TRACE(length);
        CObArray* read = nullptr;
        EXPECT_EQ(CArchiveException::endOfFile,
                  LoadCause(Bytes(whole.begin(), whole.begin() + length),
                            [&](CArchive& ar) { ar >> read; }));
        EXPECT_EQ(nullptr, read);
    }
}

TEST(CArchive, BadClassesSchemasAndTagsAreRefused)
{
    struct BadCase
    {
        const char* what;
        Bytes bytes;
        int cause;
    };
    const BadCase cases[] = {
        {"unknown class", Concat({NewClass(1, "CNoSuchClass"), {1, 0, 0, 0}}),
         CArchiveException::badClass},
        {"class without a schema", NewClass(1, "CArcPlain"), CArchiveException::badClass},
        {"newer schema", Concat({NewClass(2, "CArcPoint"), {1, 0, 0, 0}}),
         CArchiveException::badSchema},
        {"older schema", Concat({NewClass(0, "CArcPoint"), {1, 0, 0, 0}}),
         CArchiveException::badSchema},
        {"not the requested class", Concat({NewClass(1, "CArcLabel"), {0}}),
         CArchiveException::badClass},
        {"back-reference ahead", {0x05, 0x00}, CArchiveException::badIndex},
        {"back-reference to a class",
         Concat({NewClass(1, "CArcPoint"), {1, 0, 0, 0}, {0x01, 0x00}}),
         CArchiveException::badIndex},
        {"class tag of an object", Concat({NewClass(1, "CArcPoint"), {1, 0, 0, 0}, {0x02, 0x80}}),
         CArchiveException::badIndex},
        {"class tag ahead", {0x09, 0x80}, CArchiveException::badIndex},
        {"big back-reference ahead",
         {0xFF, 0x7F, 0x00, 0x00, 0x01, 0x00},
         CArchiveException::badIndex},
    };
    for (const BadCase& c : cases)
    {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(c.cause, LoadCause(c.bytes,
                                     [](CArchive& ar)
                                     {
                                         for (int i = 0; i < 2; ++i)
                                             delete ar.ReadObject(RUNTIME_CLASS(CArcPoint));
                                     }));
    }
}

TEST(CArchive, VersionableClassReadsOtherSchemas)
{
    struct VersionCase
    {
        WORD schema;
        Bytes body;
        int32_t second;
    };
    const VersionCase cases[] = {{1, {5, 0, 0, 0}, -1}, {2, {5, 0, 0, 0, 6, 0, 0, 0}, 6}};
    for (const VersionCase& c : cases)
    {
        SCOPED_TRACE(c.schema);
        CArcVersioned* read = nullptr;
        ASSERT_EQ(-1, LoadCause(Concat({NewClass(c.schema, "CArcVersioned"), c.body}),
                                [&](CArchive& ar) { ar >> read; }));
        EXPECT_EQ(c.schema, read->m_schemaRead);
        EXPECT_EQ(0xFFFFFFFFu, read->m_secondSchemaRead);
        EXPECT_EQ(5, read->m_first);
        EXPECT_EQ(c.second, read->m_second);
        delete read;
    }
    // The stored schema is the class's own, without the versionable bit.
    CArcVersioned object;
    EXPECT_EQ(Concat({NewClass(2, "CArcVersioned"), {0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF}}),
              Store([&](CArchive& ar) { ar << &object; }));
}

TEST(CArchive, ObjectsWithoutSchemaAreNotWritten)
{
    CArcPlain plain;
    CMemFile file;
    CArchive archive(&file, CArchive::store);
    bool refused = false;
    try
    {
        archive << &plain;
    }
    catch (CNotSupportedException* e)
    {
        refused = true;
        e->Delete();
    }
    EXPECT_TRUE(refused);
}

// Past 0x7FFE entries, tags escape to 32 bits: a class first met there and a late object
// referred to again.
TEST(CArchive, LateClassesAndObjectsUseBigTags)
{
    CObArray points;
    std::vector<CArcPoint> storage(0x7FFF);
    for (CArcPoint& point : storage)
        points.Add(&point);
    CArcLabel label;
    CArcLabel label2;
    const Bytes bytes = Store([&](CArchive& ar) { ar << &points << &label << &label2 << &label; });
    // Indexes: CObArray 1, array 2, CArcPoint 3, points 4..0x8002, CArcLabel 0x8003,
    // label 0x8004, label2 0x8005.
    const Bytes tail = Concat({NewClass(1, "CArcLabel"),
                               {0x00},
                               {0xFF, 0x7F, 0x03, 0x80, 0x00, 0x80},
                               {0x00},
                               {0xFF, 0x7F, 0x04, 0x80, 0x00, 0x00}});
    ASSERT_GT(bytes.size(), tail.size());
    EXPECT_EQ(tail, Bytes(bytes.end() - tail.size(), bytes.end()));

    CObArray* readPoints = nullptr;
    CArcLabel* read[3] = {};
    ASSERT_EQ(-1, LoadCause(bytes, [&](CArchive& ar)
                            { ar >> readPoints >> read[0] >> read[1] >> read[2]; }));
    EXPECT_EQ(0x7FFF, readPoints->GetSize());
    EXPECT_EQ(read[0], read[2]);
    EXPECT_NE(read[0], read[1]);
    DeleteElements(*readPoints);
    delete readPoints;
    delete read[0];
    delete read[1];
}

TEST(CArchive, ClosingAfterLoadingLeavesTheFileAtTheNextUnreadByte)
{
    const std::string path = testing_support::MakeTempDir("archive") + "\\data.bin";
    CString big('z', 10000); // larger than the buffer
    {
        CFile file(path.c_str(), CFile::modeCreate | CFile::modeWrite);
        CArchive archive(&file, CArchive::store);
        archive << int32_t(42) << big << WORD(7);
        archive.Close();
        EXPECT_EQ(4u + 3u + 10000u + 2u, file.GetLength());
    }
    CFile file(path.c_str(), CFile::modeRead);
    CArchive archive(&file, CArchive::load);
    int32_t first = 0;
    CString text;
    archive >> first >> text;
    archive.Close();
    EXPECT_EQ(42, first);
    EXPECT_TRUE(text == big);
    EXPECT_EQ(4u + 3u + 10000u, file.GetPosition());
}

TEST(CArchive, WrongDirectionIsRefused)
{
    CMemFile file;
    CArchive archive(&file, CArchive::store);
    int32_t value = 0;
    int cause = -1;
    try
    {
        archive >> value;
    }
    catch (CArchiveException* e)
    {
        cause = e->m_cause;
        e->Delete();
    }
    EXPECT_EQ(CArchiveException::writeOnly, cause);
}

// A failed read deletes what it made, so the archive hands out nothing more after it.
TEST(CArchive, NothingIsReadAfterAFailure)
{
    const Bytes bytes = Concat({NewClass(0, "CObArray"),
                                {0x02, 0x00},
                                NewClass(1, "CArcPoint"),
                                {0x07, 0x00, 0x00, 0x00},
                                {0x09, 0x00},   // ahead of anything read
                                {0x04, 0x00}}); // the point, deleted with the array
    int causes[2] = {-1, -1};
    LoadCause(bytes,
              [&](CArchive& ar)
              {
                  for (int& cause : causes)
                  {
                      try
                      {
                          delete ar.ReadObject(nullptr);
                      }
                      catch (CArchiveException* e)
                      {
                          cause = e->m_cause;
                          e->Delete();
                      }
                  }
              });
    EXPECT_EQ(CArchiveException::badIndex, causes[0]);
    EXPECT_EQ(CArchiveException::genericException, causes[1]);
}
