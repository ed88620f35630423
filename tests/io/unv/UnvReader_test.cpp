#include "io/unv/UnvReader.h"

#include "core/geometry/FENode.h"
#include "core/model/FEElement.h"
#include "core/model/ModelSet.h"
#include "core/services/AppEnvironment.h"
#include "core/services/ProductIni.h"
#include "io/results/ImportMessages.h"
#include "io/unv/UnvImport.h"
#include "tests/io/unv/UnvTestFile.h"
#include "tests/support/TestPaths.h"

#include <filesystem>
#include <gtest/gtest.h>

using unv_test::CountKey;
using unv_test::WriteTextFile;

namespace
{
const char kTwoNodes[] = "    -1\n"
                         "  2411\n"
                         "         1         0         0        11\n"
                         "   1.0D+02   2.0E+00   3.0E+00\n"
                         "         2         0         0        11\n"
                         "   4.0   5.0   6.0\n"
                         "    -1\n";

// A 2412 dataset of one element with the given header fields and node lines.
std::string Elements(const std::string& records)
{
    return "    -1\n  2412\n" + records + "    -1\n";
}

std::string QuadNodes()
{
    return "    -1\n  2411\n"
           "         1         0         0        11\n 0.0 0.0 0.0\n"
           "         2         0         0        11\n 1.0 0.0 0.0\n"
           "         3         0         0        11\n 1.0 1.0 0.0\n"
           "         4         0         0        11\n 0.0 1.0 0.0\n"
           "    -1\n";
}

const char kQuad[] = "         1        44         2         3         7         4\n"
                     "         1         2         3         4\n";

struct ReadOutcome
{
    bool isRead;
    std::vector<std::string> keys;
};

ReadOutcome Read(CModelSet& model, const std::string& text)
{
    CUnvReader reader(&model);
    const bool isRead = reader.ReadUnv(WriteTextFile("t.unv", text));
    return {isRead, reader.GetErrorKeys()};
}

TEST(UnvReader, QuadShellGetsDescriptor94AndIdsAfterTheModelsLargest)
{
    CModelSet model;
    ASSERT_TRUE(model.AddNode(new CFENode(100, CPoint3D(9.0, 9.0, 9.0))));
    const ReadOutcome outcome = Read(model, QuadNodes() + Elements(kQuad));
    ASSERT_TRUE(outcome.isRead);
    EXPECT_TRUE(outcome.keys.empty());
    ASSERT_NE(nullptr, model.GetNode(101));
    ASSERT_NE(nullptr, model.GetNode(104));
    EXPECT_DOUBLE_EQ(1.0, model.GetNodePoint(102).x);
    const CFEElement* quad = model.FindElement(1);
    ASSERT_NE(nullptr, quad);
    EXPECT_EQ(94, quad->m_feDescriptorId);
    EXPECT_EQ(132, quad->type);
    EXPECT_EQ(1, quad->m_faceCount);
    EXPECT_EQ(4, quad->m_nodeCount);
    EXPECT_EQ(2, quad->m_propertyId);
    EXPECT_EQ(3, quad->m_materialId);
    ASSERT_EQ(4, quad->m_ids.GetSize());
    EXPECT_EQ(101, quad->m_ids[0]);
    EXPECT_EQ(104, quad->m_ids[3]);
    EXPECT_EQ(CModelSet::kUnvNodes2411 | CModelSet::kUnvElements2412, model.GetUnvDatasets());
}

TEST(UnvReader, ReadsFortranExponentsAndRefusesADuplicateNode)
{
    CModelSet model;
    const ReadOutcome outcome = Read(model, std::string(kTwoNodes) + Elements(kQuad));
    // The quad's nodes 3 and 4 are missing: no check for that here, the faces are built later.
    EXPECT_TRUE(outcome.isRead);
    EXPECT_DOUBLE_EQ(100.0, model.GetNodePoint(1).x);
    EXPECT_DOUBLE_EQ(6.0, model.GetNodePoint(2).z);

    CModelSet again;
    const std::string twice = "    -1\n  2411\n"
                              "         1         0         0        11\n 1.0 2.0 3.0\n"
                              "         1         0         0        11\n 4.0 5.0 6.0\n"
                              "    -1\n";
    const ReadOutcome duplicate = Read(again, twice + Elements(kQuad));
    EXPECT_FALSE(duplicate.isRead);
    EXPECT_EQ(1, CountKey(duplicate.keys, "NodeAddition"));
    EXPECT_DOUBLE_EQ(1.0, again.GetNodePoint(1).x); // the first node stays
}

// Lower-case exponents, a byte-order mark before the first line; coordinates that are no
// finite numbers refuse the dataset.
TEST(UnvReader, LowerCaseExponentsAndByteOrderMarkAreReadNonFiniteCoordinatesAreNot)
{
    CModelSet model;
    const std::string lowerCase = "\xEF\xBB\xBF    -1\n  2411\n"
                                  "         1         0         0        11\n"
                                  "   1.0d+02   2.0D+00   3.0e-01\n"
                                  "    -1\n";
    ASSERT_TRUE(Read(model, lowerCase + QuadNodes().substr(7) + Elements(kQuad)).isRead ==
                false); // node 1 twice: the duplicate ends the read
    EXPECT_DOUBLE_EQ(100.0, model.GetNodePoint(1).x);
    EXPECT_DOUBLE_EQ(0.3, model.GetNodePoint(1).z);

    for (const char* coordinates : {" NaN 0.0 0.0", " 0.0 inf 0.0", " 0.0 0.0 -Infinity"})
    {
        SCOPED_TRACE(coordinates);
        CModelSet other;
        const std::string nodes = "    -1\n  2411\n         1         0         0        11\n" +
                                  std::string(coordinates) + "\n    -1\n";
        const ReadOutcome outcome = Read(other, nodes + Elements(kQuad));
        EXPECT_FALSE(outcome.isRead);
        EXPECT_EQ((std::vector<std::string>{"InvalidDataSet[2411]"}), outcome.keys);
        EXPECT_EQ(0, other.GetNodeCount());
    }
    CModelSet old;
    const ReadOutcome dataset15 =
        Read(old, "    -1\n    15\n         1         0         0        11 nan 0.0 0.0\n"
                  "    -1\n" +
                      Elements(kQuad));
    EXPECT_EQ((std::vector<std::string>{"InvalidDataSet[15]"}), dataset15.keys);
}

// Ids near the bound: the second file, numbered after the first, would pass it.
TEST(UnvReader, FileWhoseShiftedIdsPassTheBoundIsRefusedWithOneText)
{
    CModelSet model;
    const std::string farNodes = "    -1\n  2411\n"
                                 "  99999998         0         0        11\n 0.0 0.0 0.0\n"
                                 "    -1\n";
    ASSERT_FALSE(Read(model, farNodes).isRead); // no elements: kept until rolled back by the caller
    model.SaveMaxIds();
    CUnvReader reader(&model);
    EXPECT_FALSE(reader.ReadUnv(WriteTextFile("t.unv", QuadNodes() + Elements(kQuad))));
    EXPECT_EQ((std::vector<std::string>{"IdsPastBound"}), reader.GetErrorKeys());
    // The bound is named as a number, as the bulk-data reader names it.
    ASSERT_EQ(1u, reader.GetErrors().size());
    EXPECT_NE(std::string::npos, reader.GetErrors()[0].find(" " + std::to_string(kMaxEntityId)))
        << reader.GetErrors()[0];
}

struct ElementCase
{
    const char* name;
    const char* records;
    bool isAccepted;
    int descriptorId;
    int kindTag;
    int nodeCount;
};

// One element per case; node labels need not exist for the reader.
const ElementCase kElements[] = {
    {"quad 44", "1 44 1 1 7 4\n1 2 3 4\n", true, 94, 132, 4},
    {"tria 41", "1 41 1 1 7 3\n1 2 3\n", true, 91, 132, 3},
    {"parabolic tria 92 keeps its id", "1 92 1 1 7 6\n1 2 3 4 5 6\n", true, 92, 132, 6},
    {"beam 21 with orientation line", "1 21 1 1 7 2\n0 1 1\n1 2\n", true, 21, 101, 2},
    {"rod 11 becomes 21", "1 11 1 1 7 2\n0 1 1\n1 2\n", true, 21, 101, 2},
    {"beam 136 without orientation line", "1 136 1 1 7 2\n1 2\n", true, 21, 101, 2},
    {"three-node beam 24", "1 24 1 1 7 3\n0 1 1\n1 2 3\n", true, 24, 101, 3},
    {"brick 117 becomes 115", "1 117 1 1 7 8\n1 2 3 4 5 6 7 8\n", true, 115, 129, 8},
    {"tetra 10 nodes over two lines", "1 118 1 1 7 10\n1 2 3 4 5 6 7 8\n9 10\n", true, 118, 129,
     10},
    {"20-node brick declared with 8 keeps 20",
     "1 116 1 1 7 8\n1 2 3 4 5 6 7 8\n"
     "9 10 11 12 13 14 15 16\n17 18 19 20\n",
     true, 116, 129, 20},
    {"our spring 250", "1 250 1 1 7 2\n1 2\n", true, 250, 130, 2},
    {"our mass 251 with one node", "1 251 1 1 7 1\n1\n", true, 251, 131, 1},
    {"our gap 253 is drawn as a spring", "1 253 1 1 7 2\n1 2\n", true, 253, 130, 2},
    {"our shear panel 254 is a shell", "1 254 1 1 7 4\n1 2 3 4\n", true, 254, 132, 4},
    {"quadratic beam 22 keeps its ends", "1 22 1 1 7 3\n0 1 1\n1 2 3\n", true, 21, 101, 2},
    {"beam 22 declared with 4 nodes", "1 22 1 1 7 4\n0 1 1\n1 2 3 4\n", false, 0, 0, 0},
    {"quadratic beam 22 line short", "1 22 1 1 7 3\n0 1 1\n1 2\n", false, 0, 0, 0},
    {"tria 41 declared with 4 nodes", "1 41 1 1 7 4\n1 2 3\n", false, 0, 0, 0},
    {"quad line with 3 labels", "1 44 1 1 7 4\n1 2 3\n", false, 0, 0, 0},
    {"header with five integers", "1 44 1 1 7\n1 2 3 4\n", false, 0, 0, 0},
    {"tetra 118 second line short", "1 118 1 1 7 10\n1 2 3 4 5 6 7 8\n9\n", false, 0, 0, 0},
};

TEST(UnvReader, ElementTypesMapToKindDescriptorAndNodes)
{
    for (const ElementCase& c : kElements)
    {
        SCOPED_TRACE(c.name);
        CModelSet model;
        const ReadOutcome outcome = Read(model, QuadNodes() + Elements(c.records));
        EXPECT_EQ(c.isAccepted, outcome.isRead);
        const CFEElement* element = model.FindElement(1);
        if (!c.isAccepted)
        {
            EXPECT_EQ(1, CountKey(outcome.keys, "InvalidDataSet[2412]"));
            continue;
        }
        ASSERT_NE(nullptr, element);
        EXPECT_EQ(c.descriptorId, element->m_feDescriptorId);
        EXPECT_EQ(c.kindTag, element->type);
        EXPECT_EQ(c.nodeCount, element->m_nodeCount);
        EXPECT_EQ(c.nodeCount, element->m_ids.GetSize());
    }
}

TEST(UnvReader, UnknownElementTypeSkipsItsNodeLinesAndReadsOn)
{
    CModelSet model;
    const std::string records = "1 122 1 1 7 4\n1 2 3 4\n"
                                "2 122 1 1 7 16\n1 2 3 4 5 6 7 8\n9 10 11 12 13 14 15 16\n"
                                "3 44 1 1 7 4\n1 2 3 4\n";
    const ReadOutcome outcome = Read(model, QuadNodes() + Elements(records));
    EXPECT_TRUE(outcome.isRead);
    EXPECT_EQ(2, CountKey(outcome.keys, "InvalidElementType"));
    EXPECT_EQ(nullptr, model.FindElement(1));
    EXPECT_EQ(nullptr, model.FindElement(2));
    ASSERT_NE(nullptr, model.FindElement(3));
    EXPECT_EQ(94, model.FindElement(3)->m_feDescriptorId);
}

TEST(UnvReader, Dataset780AndDataset15)
{
    CModelSet model;
    const std::string text = "    -1\n    15\n"
                             "         1         0         0        11  1.0D+00  2.0  3.0\n"
                             "         2         0         0        11  4.0  5.0  6.0\n"
                             "         3         0         0        11  7.0  8.0  9.0\n"
                             "    -1\n"
                             "    -1\n   780\n"
                             "         5        41         1         4         1         6"
                             "         9         3\n"
                             "         1         2         3\n"
                             "    -1\n";
    const ReadOutcome outcome = Read(model, text);
    ASSERT_TRUE(outcome.isRead);
    EXPECT_DOUBLE_EQ(1.0, model.GetNodePoint(1).x);
    EXPECT_DOUBLE_EQ(9.0, model.GetNodePoint(3).z);
    const CFEElement* tria = model.FindElement(5);
    ASSERT_NE(nullptr, tria);
    EXPECT_EQ(91, tria->m_feDescriptorId);
    EXPECT_EQ(4, tria->m_propertyId);
    EXPECT_EQ(6, tria->m_materialId);
    EXPECT_EQ(CModelSet::kUnvNodes | CModelSet::kUnvElements, model.GetUnvDatasets());
}

TEST(UnvReader, FileFramingCases)
{
    struct FramingCase
    {
        const char* name;
        std::string text;
        bool isRead;
        const char* key; // expected error key, or null for none
    };
    const std::string nodes = QuadNodes();
    const std::string quad = Elements(kQuad);
    const FramingCase cases[] = {
        {"nodes only", nodes, false, "MandatoryDataSet_Element"},
        {"elements only", quad, false, "MandatoryDataSet_Node"},
        {"dataset 164 between", nodes + "    -1\n   164\n         1\n 1.0 2.0\n    -1\n" + quad,
         true, nullptr},
        {"header after a line that is no delimiter",
         nodes + "    -1\n   164\n         1\n  2411\n    -1\n" + quad, false, "InvalidFileFormat"},
        {"header with trailing blanks", nodes + "    -1\n  2412   \n" + kQuad + "    -1\n", true,
         nullptr},
        {"header without its leading blanks is skipped",
         nodes + "    -1\n2412\n" + kQuad + "    -1\n", false, "MandatoryDataSet_Element"},
        {"header followed by a title", nodes + "    -1\n  2412   %ELEMENTS\n" + kQuad + "    -1\n",
         true, nullptr},
        {"first line is a header", nodes.substr(7) + quad, true, nullptr},
        {"empty datasets", "    -1\n  2411\n    -1\n    -1\n  2412\n    -1\n", true, nullptr},
        {"node dataset cut off", "    -1\n  2411\n         1         0         0        11\n",
         false, "InvalidDataSet[2411]"},
        {"element dataset cut off", nodes + "    -1\n  2412\n" + kQuad, false,
         "InvalidDataSet[2412]"},
        {"node record without coordinates",
         "    -1\n  2411\n         1         0         0        11\n 1.0 2.0\n    -1\n", false,
         "InvalidDataSet[2411]"},
        {"CRLF line ends",
         "    -1\r\n  2411\r\n         1         0         0        11\r\n 1.0 2.0 3.0\r\n    "
         "-1\r\n"
         "    -1\r\n  2412\r\n         1        44         1         1         7         4\r\n"
         "         1         1         1         1\r\n    -1\r\n",
         true, nullptr},
    };
    for (const FramingCase& c : cases)
    {
        SCOPED_TRACE(c.name);
        CModelSet model;
        const ReadOutcome outcome = Read(model, c.text);
        EXPECT_EQ(c.isRead, outcome.isRead);
        if (c.key == nullptr)
            EXPECT_TRUE(outcome.keys.empty());
        else
            EXPECT_EQ(1, CountKey(outcome.keys, c.key));
    }
}

TEST(UnvReader, MissingFileLeavesTheModelUntouched)
{
    CModelSet model;
    ASSERT_TRUE(model.AddNode(new CFENode(7, CPoint3D())));
    CUnvReader reader(&model);
    EXPECT_FALSE(reader.ReadUnv("../shared/samples/no-such-file.unv"));
    ASSERT_EQ(1u, reader.GetErrorKeys().size());
    EXPECT_EQ("FileOpenError", reader.GetErrorKeys()[0]);
    EXPECT_EQ(0, model.GetMarkNodeId()); // not even the marks were taken
}

TEST(UnvReader, ErrorTextsCarryTheLineNumber)
{
    CModelSet model;
    CUnvReader reader(&model);
    reader.ReadUnv(WriteTextFile("e.unv", QuadNodes() + Elements("1 41 1 1 7 4\n1 2 3\n")));
    ASSERT_EQ(1u, reader.GetErrors().size());
    EXPECT_NE(std::string::npos, reader.GetErrors()[0].find("(line 15)"));
}

TEST(UnvImport, FailedReadIsRolledBackAndErrorsAreReported)
{
    CModelSet model;
    ASSERT_TRUE(model.AddNode(new CFENode(1, CPoint3D())));
    model.SaveMaxIds();
    std::string records;
    for (int i = 0; i < 7; ++i)
        records += std::to_string(i + 1) + " 122 1 1 7 4\n1 2 3 4\n";
    records += "8 41 1 1 7 4\n1 2 3\n"; // a format error ends the read
    unv_test::CCaptureSink sink;
    std::vector<std::string> inputs;
    const std::string result = "    -1\n  2414\n         1\nTEMPERATURE\n         1\n"
                               "NONE\nNONE\nNONE\nNONE\nNONE\n"
                               "         1         1         1         5         2         1\n"
                               "         0         0         1         0         1         0\n"
                               "         0         0\n  0.0  0.0  0.0\n  0.0\n"
                               "         2\n  25.0\n    -1\n";
    const std::string path = WriteTextFile("bad.unv", QuadNodes() + result + Elements(records));
    CModelSet plain; // the same read without the rollback keeps the result
    CUnvReader(&plain).ReadUnv(path);
    EXPECT_EQ(1, plain.GetResults().GetCount());
    EXPECT_FALSE(ImportUnvFile(model, path, &inputs, sink));
    ASSERT_EQ(1u, inputs.size());
    EXPECT_EQ(path, inputs[0]);
    ASSERT_EQ(6u, sink.lines.size()); // five of eight errors, then "..."
    EXPECT_EQ("...", sink.lines[5]);
    EXPECT_EQ(1, model.GetNodeCount());
    EXPECT_EQ(nullptr, model.GetNode(2));
    EXPECT_EQ(1u, model.GetMaxNodeId());
    EXPECT_EQ(0, model.GetResults().GetCount());
    EXPECT_EQ(0, model.GetLoadCaseCountByKey(5, 0x3F800000u));
}

TEST(UnvImport, ElementsNamingUndefinedNodesAreKeptAndReported)
{
    CModelSet model;
    unv_test::CCaptureSink sink;
    const std::string missing = "         2        44         2         3         7         4\n"
                                "         1         2         9         8\n";
    const std::string path =
        WriteTextFile("missing.unv", QuadNodes() + Elements(std::string(kQuad) + missing));
    ASSERT_TRUE(ImportUnvFile(model, path, nullptr, sink));
    EXPECT_EQ(2, model.GetElementCount());
    const std::string first = ImportMessage("ElementMissingNodes", {2, "9, 8"});
    EXPECT_EQ((std::vector<std::string>{ImportMessage("ElementsMissingNodes", {1, first})}),
              sink.lines);
}

// The product INI lives beside the executable's folder; the test points that folder into a
// scratch folder so that the stored default folder can be read back.
TEST(UnvImport, SuccessfulReadBuildsTheFacesAndStoresTheFolder)
{
    const std::string root = testing_support::MakeTempDir("unvini");
    std::filesystem::create_directories(root + "/bin");
    std::filesystem::create_directories(root + "/ini");
    const std::string previousFolder = GetExecutableFolder();
    SetExecutableFolder(root + "/bin");
    CModelSet model;
    unv_test::CCaptureSink sink;
    const std::string path = WriteTextFile("good.unv", QuadNodes() + Elements(kQuad));
    const bool isImported = ImportUnvFile(model, path, nullptr, sink);
    std::string folder;
    GetIniString("FileIOPaths", "UNV", &folder);
    SetExecutableFolder(previousFolder);
    ASSERT_TRUE(isImported);
    EXPECT_EQ(UnvFolderOf(path), folder);
    EXPECT_FALSE(folder.empty());
    EXPECT_TRUE(sink.lines.empty());
    const CFEElement* quad = model.FindElement(1);
    ASSERT_NE(nullptr, quad);
    ASSERT_EQ(1, quad->m_faces.GetSize());
    EXPECT_EQ(4, quad->m_faces[0].m_ids.GetSize());
}
} // namespace
