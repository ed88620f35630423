// Result title lines: value form, component prefixes, case texts and both lines.
#include "view/ResultTitle.h"

#include "ViewTestSupport.h"
#include "core/model/ModelSet.h"
#include "core/model/ResultData.h"
#include "core/model/ResultId.h"

#include <gtest/gtest.h>

namespace
{
void SetUpResult(CResultData& result, int flags, int type)
{
    result.m_flags = flags;
    result.m_type = type;
    result.SetName("Displacements");
    result.SetSubtitle("SUBCASE 1");
    result.SetTitle("Translation");
}
} // namespace

TEST(ResultTitle, ValuesHaveThreeDigitExponents)
{
    struct Case
    {
        double value;
        const char* text;
    };
    const Case cases[] = {{0.00123, "1.230E-003"},
                          {-5.0, "-5.000E+000"},
                          {1.0e123, "1.000E+123"},
                          {0.0, "0.000E+000"},
                          {-0.0, "0.000E+000"}};
    for (const Case& c : cases)
        EXPECT_STREQ(c.text, FormatTitleValue(c.value).GetString());
}

TEST(ResultTitle, ComponentPrefixByDataType)
{
    struct Case
    {
        int type;
        int component;
        const char* prefix;
    };
    const Case cases[] = {{0, 2, "X : "},     {2, 3, "YY : "},    {3, 4, "ZZ : "},
                          {8, 3, "UY : "},    {1002, 2, "XY : "}, {1003, 4, "ZX : "},
                          {1008, 4, "RZ : "}, {77, 3, "Y : "},    {8, 11, "UY : "},
                          {8, 1, ""},         {8, 0, ""}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.type << " / " << c.component);
        EXPECT_STREQ(c.prefix, ComponentPrefix(c.type, c.component).GetString());
    }
}

TEST(ResultTitle, CaseTextByCaseKind)
{
    view_test::EnglishStrings strings;
    CModelSet model;
    model.SetModeFrequency(3, 50.0);
    model.SetModeFrequency(4, 12000.0);
    struct Case
    {
        int kind;
        int mode;
        UINT index;
        const char* text;
    };
    const Case cases[] = {
        {8, -1, 3, " (Load case 3)"},
        {24, -1, 2, " (Step 2)"},
        {16, 3, 3, " (Mode 3, 50.000000 Hz)"},
        {16, 4, 4, " (Mode 4, 1.200000e+004 Hz)"},
        {16, 9, 9, ""}, // no frequency stored
        {8, -1, 0, ""}, // case 0 is no case
        {0, -1, 3, ""}, // a result without case kind
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.text);
        CResultData result;
        result.m_flags = c.kind;
        result.m_mode = c.mode;
        const UINT id = MakeLoadCaseKey(1, 0x800000u, c.index);
        EXPECT_STREQ(c.text, ComposeCaseText(result, model, id).GetString());
    }
}

TEST(ResultTitle, DisplacementYContourNamesComponentAndRange)
{
    view_test::EnglishStrings strings;
    CModelSet model;
    CResultData result;
    SetUpResult(result, CResultData::kFlagAtNodes | 8, 8);
    CTitleRequest request;
    request.shownId = MakeLoadCaseKey(1, 0x800000u, 1);
    request.component = 3;
    request.min = -0.00123;
    request.max = 2.5;
    const CResultTitleLines lines = ComposeResultTitle(result, model, request);
    EXPECT_STREQ("SUBCASE 1 : Displacements :  (Load case 1)", lines.line1.GetString());
    EXPECT_STREQ("Translation : UY : Minimum -1.230E-003 : Maximum 2.500E+000",
                 lines.line2.GetString());
}

TEST(ResultTitle, ResultShownEitherWayNamesItsCategory)
{
    view_test::EnglishStrings strings;
    CModelSet model;
    CResultData result;
    SetUpResult(result, 0, 0);
    result.m_average = 1;
    CTitleRequest request;
    request.component = 1;
    request.category = 0;
    EXPECT_STREQ("Elemental Translation : Minimum 0.000E+000 : Maximum 0.000E+000",
                 ComposeResultTitle(result, model, request).line2.GetString());
    request.category = 2;
    EXPECT_STREQ("Nodal Translation : Minimum 0.000E+000 : Maximum 0.000E+000",
                 ComposeResultTitle(result, model, request).line2.GetString());
    request.category = 5;
    EXPECT_STREQ(" Translation : Minimum 0.000E+000 : Maximum 0.000E+000",
                 ComposeResultTitle(result, model, request).line2.GetString());

    // A vector plot shows the range alone.
    request.isContour = false;
    request.max = 1.0;
    EXPECT_STREQ("Minimum 0.000E+000 : Maximum 1.000E+000",
                 ComposeResultTitle(result, model, request).line2.GetString());
}
