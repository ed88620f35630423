// Bad input for the universal-file reader: each case is read, as the import command reads it,
// into a model that already holds a mesh; a failed read is rolled back to that mesh.
#include "core/model/ModelSet.h"
#include "io/unv/UnvReader.h"
#include "tests/io/badinput/BadInputSupport.h"
#include "tests/support/TestPaths.h"

#include <gtest/gtest.h>

using badinput::WriteBytes;

namespace
{
const std::string kNodes = "    -1\n  2411\n"
                           "         1         0         0        11\n 0.0 0.0 0.0\n"
                           "         2         0         0        11\n 1.0 0.0 0.0\n"
                           "         3         0         0        11\n 1.0 1.0 0.0\n"
                           "         4         0         0        11\n 0.0 1.0 0.0\n"
                           "    -1\n";

std::string Element(const std::string& header, const std::string& nodes)
{
    return "    -1\n  2412\n" + header + "\n" + nodes + "\n    -1\n";
}

const std::string kQuad = Element("         1        44         2         3         7         4",
                                  "         1         2         3         4");
const std::string kMesh = kNodes + kQuad;

std::string Dataset55(const std::string& idLine)
{
    return "    -1\n    55\n" + idLine + "\n" + idLine +
           "\nNONE\nNONE\nNONE\n         1         1         2         8         2         3\n"
           "         1         1         1\n\n         1\n 1.0 2.0 3.0\n    -1\n";
}

struct SUnvCase
{
    const char* name;
    std::string text;
    bool isRead;
    const char* errorKey; // the first error, or null for none
    int nodes;            // in the model afterwards (4 before)
    int elements;         // (1 before)
};

const std::vector<SUnvCase>& UnvCases()
{
    const size_t node3 = kNodes.find("         3");
    static const std::vector<SUnvCase> cases = {
        {"whole file", kMesh, true, nullptr, 8, 2},
        {"empty file", "", false, "MandatoryDataSet_Node", 4, 1},
        {"truncated in a node's coordinates", kNodes.substr(0, node3 + 47), false,
         "InvalidDataSet[2411]", 4, 1},
        {"truncated after the nodes", kNodes, false, "MandatoryDataSet_Element", 4, 1},
        {"truncated in an element's node line", kNodes + kQuad.substr(0, kQuad.size() - 20), false,
         "InvalidDataSet[2412]", 4, 1},
        {"truncated before the closing line", kMesh.substr(0, kMesh.size() - 7), false,
         "InvalidDataSet[2412]", 4, 1},
        {"a bulk-data deck",
         "GRID           1               0.      0.      0.\n"
         "CQUAD4        12       3       1       2       3       4\n",
         false, "MandatoryDataSet_Node", 4, 1},
        {"binary garbage", badinput::Garbage(65536), false, nullptr, 4, 1},
        {"huge node count",
         kNodes + Element("         1        44         2         3         7"
                          " 999999999",
                          "         1         2         3         4"),
         false, "InvalidDataSet[2412]", 4, 1},
        {"huge node label",
         kNodes +
             "    -1\n  2411\n 999999999         0         0        11\n 0.0 0.0 0.0\n"
             "    -1\n" +
             kQuad,
         false, "InvalidDataSet[2411]", 4, 1},
        {"negative node count",
         kNodes + Element("         1        44         2         3"
                          "         7        -4",
                          "         1         2         3         4"),
         false, "InvalidDataSet[2412]", 4, 1},
        {"negative node label",
         "    -1\n  2411\n        -3         0         0        11\n 0.0 0.0 0.0\n    -1\n" + kMesh,
         false, "InvalidDataSet[2411]", 4, 1},
        // A label of 0 landed at the roll-back mark and stayed after the roll-back.
        {"node label 0", "  2411\n0 0 1 4\n4 3 1", false, "InvalidDataSet[2411]", 4, 1},
        {"element naming node 0",
         kNodes + Element("         1        44         2         3"
                          "         7         4",
                          "         0         2         3         4"),
         false, "InvalidDataSet[2412]", 4, 1},
        {"line of 100,000 characters in a skipped dataset",
         kNodes + "    -1\n   164\n" + std::string(100000, '7') + "\n    -1\n" + kQuad, true,
         nullptr, 8, 2},
        {"line of 100,000 characters as a node record",
         "    -1\n  2411\n" + std::string(100000, '1') + "\n 0.0 0.0 0.0\n    -1\n" + kMesh, false,
         "InvalidDataSet[2411]", 4, 1},
        {"CP932 bytes in a result's names", kMesh + Dataset55(badinput::Cp932Text()), true, nullptr,
         8, 2},
    };
    return cases;
}

TEST(UnvBadInputTest, FailedReadsRollBackAndSayWhy)
{
    for (const SUnvCase& entry : UnvCases())
    {
        SCOPED_TRACE(entry.name);
        const std::string folder = testing_support::MakeTempDir("unv_bad_input");
        CModelSet model;
        {
            CUnvReader first(&model);
            ASSERT_TRUE(first.ReadUnv(WriteBytes(folder, "mesh.unv", kMesh)));
            model.BuildElementFaces();
        }
        CUnvReader reader(&model);
        const bool isRead = reader.ReadUnv(WriteBytes(folder, "bad.unv", entry.text));
        if (isRead)
            model.BuildElementFaces();
        else
            model.RemoveAll(1);
        EXPECT_EQ(entry.isRead, isRead);
        if (entry.errorKey == nullptr && entry.isRead)
        {
            EXPECT_TRUE(reader.GetErrorKeys().empty()) << reader.GetErrorKeys().front();
        }
        if (entry.errorKey != nullptr)
        {
            ASSERT_FALSE(reader.GetErrorKeys().empty());
            EXPECT_EQ(entry.errorKey, reader.GetErrorKeys().front());
        }
        if (!isRead)
        {
            EXPECT_FALSE(reader.GetErrors().empty());
        }
        EXPECT_EQ(entry.nodes, model.GetNodeCount());
        EXPECT_EQ(entry.elements, model.GetElementCount());
    }
}
} // namespace
