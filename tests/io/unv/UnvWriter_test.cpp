#include "io/unv/UnvWriter.h"

#include "core/geometry/FENode.h"
#include "core/model/FEElement.h"
#include "core/model/ModelSet.h"
#include "io/unv/UnvImport.h"
#include "io/unv/UnvReader.h"
#include "tests/io/unv/UnvTestFile.h"
#include "tests/support/TestPaths.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>

using unv_test::ReadTextFile;

namespace
{
void AddElement(CModelSet& model, int id, int descriptorId, int kindTag, int propertyId,
                std::initializer_list<int> nodeIds)
{
    auto* element = new CFEElement();
    element->type = kindTag;
    element->m_id = id;
    element->m_feDescriptorId = descriptorId;
    element->m_propertyId = propertyId;
    element->m_materialId = 3;
    for (int nodeId : nodeIds)
        element->m_ids.Add(nodeId);
    element->m_nodeCount = static_cast<int>(nodeIds.size());
    ASSERT_TRUE(model.AddElement(element));
}

std::string Write(CModelSet& model, std::vector<std::string>* keys = nullptr)
{
    const std::string path = testing_support::MakeTempDir("unvw") + "/out.unv";
    CUnvWriter writer(&model, &model);
    EXPECT_TRUE(writer.WriteUnv(path));
    if (keys != nullptr)
        *keys = writer.GetErrorKeys();
    return ReadTextFile(path);
}

struct FormatCase
{
    double value;
    int width;
    int precision;
    const char* text;
};

const FormatCase kFormats[] = {
    {100.0, 13, 5, "  1.00000E+02"},
    {-2.5, 13, 5, " -2.50000E+00"},
    {0.0, 13, 5, "  0.00000E+00"},
    {1.0e-7, 13, 5, "  1.00000E-07"},
    {1.5e100, 13, 5, " 1.50000E+100"},
    {-171.1755676269531, 24, 16, " -1.7117556762695310E+02"},
    {1.0, 24, 16, "  1.0000000000000000E+00"},
};

TEST(UnvWriter, ExponentsHaveTwoDigitsOnEveryRuntime)
{
    for (const FormatCase& c : kFormats)
    {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(c.text, CUnvWriter::FormatExponent(c.value, c.width, c.precision));
    }
}

TEST(UnvWriter, BulkModelIsWrittenAsDatasets15And780ByteForByte)
{
    CModelSet model;
    ASSERT_TRUE(model.AddNode(new CFENode(1, CPoint3D(100.0, -2.5, 0.0))));
    ASSERT_TRUE(model.AddNode(new CFENode(2, CPoint3D(1.0, 0.0, 0.0))));
    ASSERT_TRUE(model.AddNode(new CFENode(5, CPoint3D(0.0, 0.0, 1.0e-7))));
    AddElement(model, 1, 21, 101, 7, {1, 2});
    AddElement(model, 3, 91, 132, 2, {1, 2, 5});
    const std::string text = Write(model);
    EXPECT_EQ(CModelSet::kUnvNodes | CModelSet::kUnvElements, model.GetUnvDatasets());
    const std::string expected =
        "    -1\n"
        "    15\n"
        "         1         0         0        11   1.00000E+02  -2.50000E+00   0.00000E+00\n"
        "         2         0         0        11   1.00000E+00   0.00000E+00   0.00000E+00\n"
        "         5         0         0        11   0.00000E+00   0.00000E+00   1.00000E-07\n"
        "    -1\n"
        "    -1\n"
        "   780\n"
        "         1        21         1         7         1         3         0         2\n"
        "         0         7         7\n"
        "         1         2\n"
        "         3        91         1         2         1         3         0         3\n"
        "         1         2         5\n"
        "    -1\n";
    EXPECT_EQ(expected, text);
}

TEST(UnvWriter, Datasets2411And2412AndLongNodeLists)
{
    CModelSet model;
    for (int id = 1; id <= 20; ++id)
        ASSERT_TRUE(model.AddNode(new CFENode(id, CPoint3D(id, 0.0, 0.0))));
    AddElement(model, 1, 115, 129, 1, {1, 2, 3, 4, 5, 6, 7, 8});
    AddElement(model, 2, 118, 129, 1, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
    AddElement(model, 3, 116, 129, 1,
               {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20});
    model.SetUnvDatasets(CModelSet::kUnvNodes2411 | CModelSet::kUnvElements2412);
    const std::string text = Write(model);
    EXPECT_EQ(0u, text.find("    -1\n  2411\n         1         1         1         1\n"
                            "   1.0000000000000000E+00   0.0000000000000000E+00"));
    const size_t elements = text.find("    -1\n  2412\n");
    ASSERT_NE(std::string::npos, elements);
    EXPECT_GT(elements, text.find("  2411"));
    const std::string expected =
        "         1       115         1         3         1         8\n"
        "         1         2         3         4         5         6         7         8\n"
        "         2       118         1         3         1        10\n"
        "         1         2         3         4         5         6         7         8\n"
        "         9        10\n"
        "         3       116         1         3         1        20\n"
        "         1         2         3         4         5         6         7         8\n"
        "         9        10        11        12        13        14        15        16\n"
        "        17        18        19        20\n"
        "    -1\n";
    EXPECT_EQ(expected, text.substr(elements + 14));
    EXPECT_EQ(std::string::npos, text.find("    15\n"));
}

TEST(UnvWriter, AllFourDatasetsInOrder)
{
    CModelSet model;
    ASSERT_TRUE(model.AddNode(new CFENode(1, CPoint3D())));
    model.SetUnvDatasets(15);
    const std::string text = Write(model);
    const size_t at15 = text.find("\n    15\n");
    const size_t at2411 = text.find("\n  2411\n");
    const size_t at780 = text.find("\n   780\n");
    const size_t at2412 = text.find("\n  2412\n");
    ASSERT_NE(std::string::npos, at2412);
    EXPECT_LT(at15, at2411);
    EXPECT_LT(at2411, at780);
    EXPECT_LT(at780, at2412);
}

// A view's entity set gives the nodes where it shows them: here shifted by a deformation.
class CShiftedPoints : public CEntitySet
{
public:
    explicit CShiftedPoints(const CModelSet& model)
        : m_model(model)
    {
    }
    CPoint3D GetNodePoint(int id) const override
    {
        return m_model.GetNodePoint(id) + CPoint3D(0.0, 0.0, 0.5 * id);
    }

private:
    const CModelSet& m_model;
};

TEST(UnvWriter, NodePositionsComeFromThePointSource)
{
    CModelSet model;
    ASSERT_TRUE(model.AddNode(new CFENode(2, CPoint3D(1.0, 2.0, 3.0))));
    model.SetUnvDatasets(CModelSet::kUnvNodes);
    const std::string path = testing_support::MakeTempDir("unvw") + "/deformed.unv";
    CShiftedPoints deformed(model);
    CUnvWriter writer(&model, &deformed);
    ASSERT_TRUE(writer.WriteUnv(path));
    EXPECT_NE(std::string::npos,
              ReadTextFile(path).find("   1.00000E+00   2.00000E+00   4.00000E+00\n"));
}

TEST(UnvWriter, FileThatCannotBeCreatedFails)
{
    CModelSet model;
    CUnvWriter writer(&model, &model);
    EXPECT_FALSE(writer.WriteUnv(testing_support::MakeTempDir("unvw") + "/no/such/folder.unv"));
    ASSERT_EQ(1u, writer.GetErrorKeys().size());
    EXPECT_EQ("FileOpenError_Write", writer.GetErrorKeys()[0]);
}

// What the bulk-data reader makes of a deck: its descriptors, kinds and node counts.
void BuildBulkLikeModel(CModelSet& model)
{
    for (int id = 1; id <= 9; ++id)
        ASSERT_TRUE(
            model.AddNode(new CFENode(id * 10, CPoint3D(0.1 * id, -1.0e5 * id, 1.0 / 3.0 * id))));
    AddElement(model, 1, 94, 132, 1, {10, 20, 30, 40});
    AddElement(model, 2, 91, 132, 1, {10, 20, 30});
    AddElement(model, 3, 21, 101, 4, {10, 50});
    AddElement(model, 4, 115, 129, 2, {10, 20, 30, 40, 50, 60, 70, 80});
    AddElement(model, 5, 112, 129, 2, {10, 20, 30, 40, 50, 60});
    AddElement(model, 6, 111, 129, 2, {10, 20, 30, 40});
    AddElement(model, 7, 250, 130, 5, {10, 90});
    AddElement(model, 8, 251, 131, 0, {90});
    AddElement(model, 9, 253, 130, 6, {20, 90});          // a gap, drawn as a spring
    AddElement(model, 11, 254, 132, 7, {10, 20, 30, 40}); // a shear panel
}

TEST(UnvWriter, ExportThenImportGivesTheSameMesh)
{
    CModelSet original;
    BuildBulkLikeModel(original);
    const std::string path = testing_support::MakeTempDir("unvw") + "/mesh";
    unv_test::CCaptureSink sink;
    ASSERT_TRUE(ExportUnvFile(original, original, path, sink));
    EXPECT_TRUE(sink.lines.empty());

    CModelSet copy;
    ASSERT_TRUE(ImportUnvFile(copy, path + ".unv", nullptr, sink));
    EXPECT_TRUE(sink.lines.empty());
    EXPECT_EQ(original.GetNodeCount(), copy.GetNodeCount());
    EXPECT_EQ(original.GetElementCount(), copy.GetElementCount());
    for (int id = 10; id <= 90; id += 10)
    {
        SCOPED_TRACE(id);
        ASSERT_NE(nullptr, copy.GetNode(id));
        const CPoint3D a = original.GetNodePoint(id);
        const CPoint3D b = copy.GetNodePoint(id);
        // Dataset 15 keeps six significant digits.
        EXPECT_NEAR(a.x, b.x, 1e-5 * std::max(1.0, std::fabs(a.x)));
        EXPECT_NEAR(a.y, b.y, 1e-5 * std::max(1.0, std::fabs(a.y)));
        EXPECT_NEAR(a.z, b.z, 1e-5 * std::max(1.0, std::fabs(a.z)));
    }
    for (int id : {1, 2, 3, 4, 5, 6, 7, 8, 9, 11})
    {
        SCOPED_TRACE(id);
        const CFEElement* a = original.FindElement(id);
        const CFEElement* b = copy.FindElement(id);
        ASSERT_NE(nullptr, b);
        EXPECT_EQ(a->m_feDescriptorId, b->m_feDescriptorId);
        EXPECT_EQ(a->type, b->type);
        EXPECT_EQ(a->m_propertyId, b->m_propertyId);
        EXPECT_EQ(a->m_materialId, b->m_materialId);
        ASSERT_EQ(a->m_ids.GetSize(), b->m_ids.GetSize());
        for (INT_PTR i = 0; i < a->m_ids.GetSize(); ++i)
            EXPECT_EQ(a->m_ids[i], b->m_ids[i]);
    }
}

TEST(UnvWriter, DoublePrecisionRoundTripIsExact)
{
    CModelSet original;
    BuildBulkLikeModel(original);
    original.SetUnvDatasets(CModelSet::kUnvNodes2411 | CModelSet::kUnvElements2412);
    const std::string path = testing_support::MakeTempDir("unvw") + "/exact.unv";
    CUnvWriter writer(&original, &original);
    ASSERT_TRUE(writer.WriteUnv(path));
    CModelSet copy;
    CUnvReader reader(&copy);
    ASSERT_TRUE(reader.ReadUnv(path));
    for (int id = 10; id <= 90; id += 10)
    {
        EXPECT_EQ(original.GetNodePoint(id).x, copy.GetNodePoint(id).x);
        EXPECT_EQ(original.GetNodePoint(id).y, copy.GetNodePoint(id).y);
        EXPECT_EQ(original.GetNodePoint(id).z, copy.GetNodePoint(id).z);
    }
}
} // namespace
