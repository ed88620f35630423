#include "core/geometry/FENode.h"
#include "core/model/ModelSet.h"
#include "core/model/ResultData.h"
#include "core/model/ResultId.h"
#include "core/services/TextFormat.h"
#include "io/unv/UnvReader.h"
#include "io/unv/UnvTexts.h"
#include "tests/io/unv/UnvTestFile.h"

#include <cmath>
#include <gtest/gtest.h>

using unv_test::CountKey;
using unv_test::WriteTextFile;

namespace
{
const char kMesh[] = "    -1\n  2411\n"
                     "         1         0         0        11\n 0.0 0.0 0.0\n"
                     "         2         0         0        11\n 1.0 0.0 0.0\n"
                     "         3         0         0        11\n 1.0 1.0 0.0\n"
                     "    -1\n    -1\n  2412\n"
                     "         1        41         1         1         7         3\n"
                     "         1         2         3\n"
                     "    -1\n";

// A 2414 dataset at nodes (location "1") or on elements ("2").
std::string Dataset2414(const char* location, int analysisType, int characteristic, int resultType,
                        const std::string& record12, const std::string& values)
{
    return "    -1\n  2414\n         1\nRESULT NAME\n         " + std::string(location) +
           "\nNONE\nNONE\nNONE\nNONE\nNONE\n         1" + "         " +
           std::to_string(analysisType) + "         " + std::to_string(characteristic) +
           "         " + std::to_string(resultType) + "         2         3\n" +
           "         0         0         0         0         1         4         0         7\n"
           "         0         0\n" +
           record12 + "\n  0.0  0.0  0.0\n" + values + "    -1\n";
}

// A dataset 55 (data at nodes) of the given header values; values already formatted.
std::string Dataset55(int analysisType, int characteristic, int resultType,
                      const std::string& record7, const std::string& record8,
                      const std::string& values, bool isClosed = true)
{
    return "    -1\n    55\nLABEL LINE\nNAME 55\nNONE\nNONE\nNONE\n         1         " +
           std::to_string(analysisType) + "         " + std::to_string(characteristic) +
           "         " + std::to_string(resultType) + "         2         6\n" + record7 + "\n" +
           record8 + "\n" + values + (isClosed ? "    -1\n" : "");
}

const uint32_t kFirst = 0x3F800000u;
const uint32_t kSecond = 0x3F000000u;

uint32_t IdOf(uint32_t typeBits, int resultType, int index, int vectorFlag)
{
    return MakeLoadCaseKey(static_cast<uint32_t>(resultType), typeBits,
                           static_cast<uint32_t>(index)) |
           static_cast<uint32_t>(vectorFlag);
}

struct Outcome
{
    bool isRead;
    std::vector<std::string> keys;
};

Outcome Read(CModelSet& model, const std::string& text)
{
    CUnvReader reader(&model);
    const bool isRead = reader.ReadUnv(WriteTextFile("r.unv", text));
    return {isRead, reader.GetErrorKeys()};
}

TEST(UnvResults, TwoDisplacementDatasetsAreTwoLoadCasesOfOneResult)
{
    CModelSet model;
    const std::string values = "         1\n  1.0D+00  2.0D+00  2.0D+00\n"
                               "         3\n  0.0  0.0 -4.0\n";
    const std::string dataset = Dataset2414("1", 1, 2, 8, "  0.0  0.0  0.0", values);
    const Outcome outcome = Read(model, kMesh + dataset + dataset);
    ASSERT_TRUE(outcome.isRead);
    EXPECT_TRUE(outcome.keys.empty());
    const uint32_t firstId = IdOf(kFirst, 8, 1, 1);
    const uint32_t secondId = IdOf(kFirst, 8, 2, 1);
    CResultData* first = model.GetResult(firstId);
    CResultData* second = model.GetResult(secondId);
    ASSERT_NE(nullptr, first);
    ASSERT_NE(nullptr, second);
    EXPECT_EQ(3, model.GetLoadCaseCount(firstId));
    EXPECT_DOUBLE_EQ(1.0, model.GetLoadCaseValue(8, kFirst, 1));
    EXPECT_DOUBLE_EQ(2.0, model.GetLoadCaseValue(8, kFirst, 2));
    EXPECT_EQ(static_cast<int>(firstId), model.GetDefaultDisplacementId());
    EXPECT_EQ(1, first->m_loaded);
    EXPECT_EQ(1, second->m_loaded);
    EXPECT_EQ(8, first->m_type);
    EXPECT_EQ(CResultData::kVectorXYZ, first->m_kind);
    EXPECT_EQ(std::string("DISPLACEMENT"), std::string(first->m_typeName));
    EXPECT_EQ(CResultData::kFlagAtNodes | CResultData::kFlagVector | 8, first->m_flags);
    CPoint3D vector;
    ASSERT_TRUE(first->GetNodeVector(1, &vector));
    EXPECT_DOUBLE_EQ(1.0, vector.x);
    double magnitude = 0.0;
    ASSERT_TRUE(first->GetNodeValue(1, &magnitude));
    EXPECT_DOUBLE_EQ(3.0, magnitude);
    ASSERT_TRUE(first->GetNodeValue(3, &magnitude));
    EXPECT_DOUBLE_EQ(4.0, magnitude);
}

TEST(UnvResults, SameFileReadTwiceAddsALoadCaseOnTheShiftedNodes)
{
    CModelSet model;
    const std::string values = "         1\n  3.0  4.0  0.0\n";
    const std::string path =
        WriteTextFile("twice.unv", kMesh + Dataset2414("1", 1, 2, 8, "  0.0  0.0  0.0", values));
    for (int read = 0; read < 2; ++read)
    {
        CUnvReader reader(&model);
        ASSERT_TRUE(reader.ReadUnv(path));
    }
    EXPECT_EQ(6, model.GetNodeCount());
    EXPECT_EQ(2, model.GetElementCount());
    const CResultData* second = model.GetResult(IdOf(kFirst, 8, 2, 1));
    ASSERT_NE(nullptr, second);
    EXPECT_EQ(1, second->m_loaded);
    double magnitude = 0.0;
    EXPECT_TRUE(second->GetNodeValue(4, &magnitude)); // node 1 of the second read
    EXPECT_DOUBLE_EQ(5.0, magnitude);
    EXPECT_FALSE(second->GetNodeValue(1, &magnitude) && magnitude != 0.0);
}

TEST(UnvResults, SixValuesGiveTranslationAndRotationParts)
{
    CModelSet model;
    const std::string values = "         2\n  1.0  2.0  3.0  4.0  5.0  6.0\n";
    const Outcome outcome =
        Read(model, kMesh + Dataset2414("1", 1, 3, 8, "  0.0  0.0  0.0", values));
    ASSERT_TRUE(outcome.isRead);
    CResultData* translation = model.GetResult(IdOf(kFirst, 8, 1, 1));
    CResultData* rotation = model.GetResult(IdOf(kSecond, 8, 1, 1));
    ASSERT_NE(nullptr, translation);
    ASSERT_NE(nullptr, rotation);
    EXPECT_EQ(8, translation->m_type);
    EXPECT_EQ(1008, rotation->m_type);
    CPoint3D vector;
    ASSERT_TRUE(rotation->GetNodeVector(2, &vector));
    EXPECT_DOUBLE_EQ(6.0, vector.z);
}

TEST(UnvResults, ModalHeadersStoreModeAndFrequency)
{
    // Analysis type 6 (buckling): the eigenvalue of record 12 is the frequency. Type 5
    // (frequency response): the frequency number of record 10 is the mode number.
    CModelSet model;
    const std::string scalar = "         1\n  5.0\n";
    const Outcome outcome =
        Read(model, kMesh + Dataset2414("1", 6, 1, 94, "  0.0  1.5  2.5", scalar) +
                        Dataset2414("1", 5, 1, 95, "  0.0  3.5  0.0", scalar));
    ASSERT_TRUE(outcome.isRead);
    CResultData* buckling = model.GetResult(IdOf(kFirst, 94, 1, 0));
    ASSERT_NE(nullptr, buckling);
    EXPECT_EQ(4, buckling->m_mode);
    EXPECT_EQ(16, buckling->m_flags & CResultData::kFlagStepKind);
    EXPECT_EQ(CResultData::kScalar, buckling->m_kind);
    CResultData* response = model.GetResult(IdOf(kFirst, 95, 1, 0));
    ASSERT_NE(nullptr, response);
    EXPECT_EQ(7, response->m_mode);
    double frequency = 0.0;
    ASSERT_TRUE(model.GetModeFrequency(7, &frequency));
    EXPECT_DOUBLE_EQ(3.5, frequency);
}

TEST(UnvResults, ElementValuesAndShiftedIds)
{
    CModelSet model;
    ASSERT_TRUE(model.AddNode(new CFENode(10, CPoint3D())));
    const std::string values = "         1         1         3         1\n  2.5\n";
    const Outcome outcome =
        Read(model, kMesh + Dataset2414("1", 1, 1, 94, "  0.0  0.0  0.0", "         3\n 7.0\n") +
                        Dataset2414("2", 1, 1, 93, "  0.0  0.0  0.0", values));
    ASSERT_TRUE(outcome.isRead);
    double value = 0.0;
    CResultData* atNodes = model.GetResult(IdOf(kFirst, 94, 1, 0));
    ASSERT_NE(nullptr, atNodes);
    ASSERT_TRUE(atNodes->GetNodeValue(13, &value)); // node 3 of the file is node 13
    EXPECT_DOUBLE_EQ(7.0, value);
    CResultData* onElements = model.GetResult(IdOf(kFirst, 93, 1, 0));
    ASSERT_NE(nullptr, onElements);
    ASSERT_TRUE(onElements->GetElementValue(1, &value));
    EXPECT_DOUBLE_EQ(2.5, value);
}

TEST(UnvResults, ShortValueLineFailsTheDatasetButNotTheRead)
{
    CModelSet model;
    const std::string values = "         1\n  1.0  2.0\n";
    const Outcome outcome =
        Read(model, Dataset2414("1", 1, 2, 8, "  0.0  0.0  0.0", values) + std::string(kMesh));
    EXPECT_TRUE(outcome.isRead);
    EXPECT_EQ(1, CountKey(outcome.keys, "ResultDataSet[2414]"));
    EXPECT_NE(nullptr, model.FindElement(1));
}

TEST(UnvResults, StressTensorGivesComponentsAndPrincipalStresses)
{
    CModelSet model;
    const std::string values = "         1\n  10.0  0.0  20.0  0.0  0.0  30.0\n"
                               "         2\n  1.0D+00  0.0  1.0D+00  0.0  0.0  1.0D+00\n";
    const Outcome outcome =
        Read(model, kMesh + Dataset55(1, 4, 2, "         1         1         1", "", values));
    ASSERT_TRUE(outcome.isRead);
    EXPECT_TRUE(outcome.keys.empty());
    int count = 0;
    for (POSITION pos = model.GetResults().GetStartPosition(); pos != nullptr;)
    {
        UINT id = 0;
        CResultData* result = nullptr;
        model.GetResults().GetNextAssoc(pos, id, result);
        ++count;
    }
    EXPECT_EQ(8, count);
    const CResultData* xx = model.GetResult(IdOf(kFirst, 2, 1, 1));
    const CResultData* xz = model.GetResult(IdOf(kSecond, 2, 1, 1));
    ASSERT_NE(nullptr, xx);
    ASSERT_NE(nullptr, xz);
    EXPECT_EQ(2, xx->m_type);
    EXPECT_EQ(1002, xz->m_type);

    struct Principal
    {
        uint32_t valueType;
        uint32_t directionType;
        double value;
        CPoint3D axis;
    };
    const Principal expected[] = {{40, 54, 30.0, CPoint3D(0, 0, 1)},
                                  {41, 55, 20.0, CPoint3D(0, 1, 0)},
                                  {42, 56, 10.0, CPoint3D(1, 0, 0)}};
    for (const Principal& p : expected)
    {
        SCOPED_TRACE(p.valueType);
        const CResultData* value = model.GetResult(IdOf(p.valueType << 23, 2, 1, 0));
        const CResultData* direction = model.GetResult(IdOf(p.directionType << 23, 2, 1, 1));
        ASSERT_NE(nullptr, value);
        ASSERT_NE(nullptr, direction);
        EXPECT_EQ(1, value->m_type);
        EXPECT_EQ(CResultData::kScalar, value->m_kind);
        EXPECT_EQ(CResultData::kVector, direction->m_kind);
        double stored = 0.0;
        ASSERT_TRUE(value->GetNodeValue(1, &stored));
        EXPECT_NEAR(p.value, stored, 1e-12);
        CPoint3D axis;
        ASSERT_TRUE(direction->GetNodeVector(1, &axis));
        EXPECT_NEAR(std::fabs(p.axis.x), std::fabs(axis.x), 1e-12);
        EXPECT_NEAR(std::fabs(p.axis.y), std::fabs(axis.y), 1e-12);
        EXPECT_NEAR(std::fabs(p.axis.z), std::fabs(axis.z), 1e-12);
        ASSERT_TRUE(direction->GetNodeValue(1, &stored));
        EXPECT_NEAR(p.value, stored, 1e-12);
        ASSERT_TRUE(value->GetNodeValue(2, &stored)); // the isotropic tensor of node 2
        EXPECT_NEAR(1.0, stored, 1e-12);
    }
}

TEST(UnvResults, PrincipalOrderWithEqualValues)
{
    int maxPos = -1;
    int midPos = -1;
    int minPos = -1;
    const double equal[3] = {5.0, 5.0, 5.0};
    CUnvReader::MatchPrincipalOrder(equal, equal, &maxPos, &midPos, &minPos);
    EXPECT_EQ(2, minPos);
    EXPECT_EQ(0, midPos);
    EXPECT_EQ(0, maxPos);
    const double sorted[3] = {1.0, 2.0, 3.0};
    const double solver[3] = {3.0, 1.0, 2.0};
    CUnvReader::MatchPrincipalOrder(sorted, solver, &maxPos, &midPos, &minPos);
    EXPECT_EQ(0, maxPos);
    EXPECT_EQ(1, minPos);
    EXPECT_EQ(2, midPos);
}

TEST(UnvResults, StrainTensorHasNoPrincipalResults)
{
    CModelSet model;
    const std::string values = "         1\n  1.0  0.0  2.0  0.0  0.0  3.0\n";
    ASSERT_TRUE(
        Read(model, kMesh + Dataset55(1, 4, 3, "         1         1         1", "", values))
            .isRead);
    EXPECT_EQ(2, model.GetResults().GetCount());
}

TEST(UnvResults, Dataset55ShiftsNodeNumbersAndReportsMissingValues)
{
    CModelSet model;
    ASSERT_TRUE(model.AddNode(new CFENode(20, CPoint3D())));
    const std::string values = "         1\n  1.0  2.0  3.0\n"
                               "         2\n  4.0\n" // short: an error, not the line before
                               "         3\n  7.0  8.0  9.0\n";
    const Outcome outcome =
        Read(model, kMesh + Dataset55(2, 2, 11, "         2         1         1         3",
                                      "  12.5", values));
    ASSERT_TRUE(outcome.isRead);
    EXPECT_EQ(1, CountKey(outcome.keys, "ResultDataSet[55]"));
    const CResultData* result = model.GetResult(IdOf(kFirst, 11, 1, 1));
    ASSERT_NE(nullptr, result);
    CPoint3D vector;
    ASSERT_TRUE(result->GetNodeVector(21, &vector));
    EXPECT_DOUBLE_EQ(1.0, vector.x);
    EXPECT_FALSE(result->GetNodeVector(22, &vector));
    ASSERT_TRUE(result->GetNodeVector(23, &vector));
    EXPECT_DOUBLE_EQ(9.0, vector.z);
    EXPECT_EQ(3, result->m_mode);
    double frequency = 0.0;
    ASSERT_TRUE(model.GetModeFrequency(3, &frequency));
    EXPECT_DOUBLE_EQ(12.5, frequency);
}

// Static data laid out as the format's description gives it for that type: no record 8. The
// first node number comes right after record 7 and is not lost.
TEST(UnvResults, Dataset55WithoutRecord8KeepsItsFirstRecord)
{
    CModelSet model;
    std::string withoutRecord8 =
        Dataset55(1, 1, 94, "         1         1         1", "         1", "  1.5\n") +
        Dataset55(1, 1, 94, "         1         1         1", "  0.00000E+00",
                  "         2\n  2.5\n");
    const Outcome outcome = Read(model, kMesh + withoutRecord8);
    ASSERT_TRUE(outcome.isRead);
    EXPECT_TRUE(outcome.keys.empty());
    double value = 0.0;
    const CResultData* first = model.GetResult(IdOf(kFirst, 94, 1, 0));
    ASSERT_NE(nullptr, first);
    ASSERT_TRUE(first->GetNodeValue(1, &value));
    EXPECT_DOUBLE_EQ(1.5, value);
    const CResultData* second = model.GetResult(IdOf(kFirst, 94, 2, 0));
    ASSERT_NE(nullptr, second);
    ASSERT_TRUE(second->GetNodeValue(2, &value));
    EXPECT_DOUBLE_EQ(2.5, value);
}

// "NaN" in a value line is no value: not stored, not in the range.
TEST(UnvResults, NanValuesAreNoValues)
{
    CModelSet model;
    const std::string values = "         1\n  2.0\n         2\n  NaN\n         3\n  -4.0\n";
    const Outcome outcome =
        Read(model, kMesh + Dataset2414("1", 1, 1, 94, "  0.0  0.0  0.0", values) +
                        Dataset55(1, 2, 11, "         1         1         1", "  0.0",
                                  "         1\n  1.0  nan  0.0\n         2\n  0.0 3.0 4.0\n"));
    ASSERT_TRUE(outcome.isRead);
    const CResultData* scalar = model.GetResult(IdOf(kFirst, 94, 1, 0));
    ASSERT_NE(nullptr, scalar);
    double value = 0.0;
    EXPECT_FALSE(scalar->GetNodeValue(2, &value) && std::isnan(value));
    // Values at nodes keep their range through the dataset's end.
    EXPECT_DOUBLE_EQ(-4.0, scalar->m_min);
    EXPECT_DOUBLE_EQ(2.0, scalar->m_max);
    const CResultData* vector = model.GetResult(IdOf(kFirst, 11, 1, 1));
    ASSERT_NE(nullptr, vector);
    CPoint3D point;
    EXPECT_FALSE(vector->GetNodeVector(1, &point));
    ASSERT_TRUE(vector->GetNodeVector(2, &point));
    EXPECT_DOUBLE_EQ(5.0, vector->m_max);
    EXPECT_DOUBLE_EQ(0.0, vector->m_minVector.x);
}

// Values left out for not being numbers are told once per dataset, with their count and where
// the dataset starts; a dataset without them says nothing.
TEST(UnvResults, ValuesThatAreNoNumbersAreCountedOncePerDataset)
{
    CModelSet model;
    const std::string scalars = "         1\n  NaN\n         2\n  inf\n         3\n  -4.0\n";
    const std::string clean = "         1\n  1.0\n";
    // Lines 15 to 31, 32 to 46 and 47 to 58 (the mesh takes 14).
    const std::string text = kMesh + Dataset2414("1", 1, 1, 94, "  0.0  0.0  0.0", scalars) +
                             Dataset2414("1", 1, 1, 94, "  0.0  0.0  0.0", clean) +
                             Dataset55(1, 2, 11, "         1         1         1", "  0.0",
                                       "         1\n  1.0  nan  -Infinity\n");
    CUnvReader reader(&model);
    ASSERT_TRUE(reader.ReadUnv(WriteTextFile("nan.unv", text)));
    const std::string format = LoadUnvErrorText("NotNumbers");
    EXPECT_EQ((std::vector<std::string>{"NotNumbers", "NotNumbers"}), reader.GetErrorKeys());
    EXPECT_EQ((std::vector<std::string>{FormatText(format, {2414, 16, 2}),
                                        FormatText(format, {55, 48, 2})}),
              reader.GetErrors());
}

TEST(UnvResults, Dataset55OfAnUnknownAnalysisTypeIsRefusedWithItsText)
{
    CModelSet model;
    const Outcome outcome = Read(
        model,
        kMesh +
            Dataset55(8, 1, 94, "         1         1         1", "  0.0", "         1\n  1.0\n") +
            Dataset55(1, 1, 94, "         1         1         1", "  0.0", "         1\n  2.0\n"));
    EXPECT_TRUE(outcome.isRead);
    EXPECT_EQ((std::vector<std::string>{"ResultDataSet[55]"}), outcome.keys);
    EXPECT_EQ(1, model.GetResults().GetCount()); // the second dataset only
}

TEST(UnvResults, Dataset56StoresValuesOnShiftedElements)
{
    CModelSet model;
    ASSERT_TRUE(Read(model, kMesh).isRead); // element 1; the second read's is element 2
    std::string dataset =
        Dataset55(1, 1, 94, "         1         1         1", "", "         1\n  6.5\n");
    dataset.replace(dataset.find("    55"), 6, "    56");
    ASSERT_TRUE(Read(model, kMesh + dataset).isRead);
    const CResultData* result = model.GetResult(IdOf(kFirst, 94, 1, 0));
    ASSERT_NE(nullptr, result);
    EXPECT_EQ(0, result->m_flags & CResultData::kFlagAtNodes);
    double value = 0.0;
    ASSERT_TRUE(result->GetElementValue(2, &value));
    EXPECT_DOUBLE_EQ(6.5, value);
    EXPECT_FALSE(result->GetElementValue(1, &value));
}

TEST(UnvResults, Dataset55WithoutClosingLineEndsAtTheEndOfTheFile)
{
    CModelSet model;
    const std::string values = "         1\n  1.0\n         2\n  2.0\n";
    const Outcome outcome = Read(
        model, kMesh + Dataset55(1, 1, 94, "         1         1         1", "", values, false));
    EXPECT_TRUE(outcome.isRead); // the mesh is whole; the result dataset reports its end
    EXPECT_EQ(1, CountKey(outcome.keys, "ResultDataSet[55]"));
    const CResultData* result = model.GetResult(IdOf(kFirst, 94, 1, 0));
    ASSERT_NE(nullptr, result);
    double value = 0.0;
    ASSERT_TRUE(result->GetNodeValue(2, &value));
    EXPECT_DOUBLE_EQ(2.0, value);
}

TEST(UnvResults, Dataset55StopsAtAClosingLineWithBlanksAndDoesNotRunIntoTheNext)
{
    CModelSet model;
    const std::string values = "         1\n  1.0\n";
    const std::string first =
        Dataset55(4, 1, 94, "         2         1         1         1", "  0.5", values, false) +
        "    -1                    \n";
    const Outcome outcome = Read(model, first + kMesh);
    EXPECT_TRUE(outcome.isRead);
    EXPECT_TRUE(outcome.keys.empty());
    const CResultData* result = model.GetResult(IdOf(kFirst, 94, 1, 0));
    ASSERT_NE(nullptr, result);
    EXPECT_DOUBLE_EQ(0.5, result->m_stepValue);
    EXPECT_EQ(24, result->m_flags & CResultData::kFlagStepKind);
}
} // namespace
