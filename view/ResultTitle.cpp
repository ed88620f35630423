// Result title lines.
#include "view/ResultTitle.h"

#include "core/model/ModelSet.h"
#include "core/model/ResultData.h"
#include "core/model/ResultId.h"
#include "core/services/StringFile.h"
#include "core/services/TextFormat.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <string>

namespace
{
constexpr int kStepKindLoadCase = 8;
constexpr int kStepKindMode = 16;
constexpr int kStepKindStep = 24;

CString ToCString(const std::string& text)
{
    return CString(text.c_str());
}

// "Minimum 1.000E+000 : Maximum 2.000E+000".
CString RangeLine(double min, double max)
{
    std::string minimum;
    std::string maximum;
    LoadStringFromFile("Dialog.str", "COMMON", "MinValue", &minimum);
    LoadStringFromFile("Dialog.str", "COMMON", "MaxValue", &maximum);
    return ToCString(minimum + " ") + FormatTitleValue(min) + CString(" : ") +
           ToCString(maximum + " ") + FormatTitleValue(max);
}

CString CategoryWord(int category)
{
    std::string word;
    if (category == 0)
        LoadStringFromFile("Dialog.str", "ResultCategory", "Elemental", &word);
    else if (category == 2)
        LoadStringFromFile("Dialog.str", "ResultCategory", "Nodal", &word);
    return ToCString(word);
}

// The word of a case kind: "Step", "LoadCase" or "Mode".
std::string CaseWord(int kind)
{
    std::string word;
    if (kind == kStepKindStep)
        LoadStringFromFile("standard.str", "CaseCombo", "Step", &word);
    else if (kind == kStepKindLoadCase)
        LoadStringFromFile("standard.str", "CaseCombo", "LoadCase", &word);
    else
        LoadStringFromFile("standard.str", "CaseCombo", "Mode", &word);
    return word;
}
} // namespace

CString FormatTitleValue(double value)
{
    // A negative zero (a solver's -0.0, a level computed as -a + a) reads as zero.
    if (value == 0.0)
        value = 0.0;
    char text[64];
    std::snprintf(text, sizeof text, "%6.3e", value);
    std::string upper(text);
    std::replace(upper.begin(), upper.end(), 'e', 'E');
    return ToCString(WithThreeDigitExponents(upper));
}

CString ComponentPrefix(int dataType, int component)
{
    const int axis = (component & ~8) - 2;
    if (axis < 0 || axis > 2)
        return CString();
    static const char* const kGeneral[3] = {"X : ", "Y : ", "Z : "};
    static const char* const kNormal[3] = {"XX : ", "YY : ", "ZZ : "};
    static const char* const kShear[3] = {"XY : ", "YZ : ", "ZX : "};
    static const char* const kTranslation[3] = {"UX : ", "UY : ", "UZ : "};
    static const char* const kRotation[3] = {"RX : ", "RY : ", "RZ : "};
    switch (dataType)
    {
    case 2:
    case 3: return CString(kNormal[axis]);
    case 8: return CString(kTranslation[axis]);
    case 1002:
    case 1003: return CString(kShear[axis]);
    case 1008: return CString(kRotation[axis]);
    default: return CString(kGeneral[axis]);
    }
}

CString ComposeCaseText(const CResultData& result, const CModelSet& model, UINT shownId)
{
    const int index = static_cast<int>(ResultIdLoadCase(shownId));
    if (index == 0)
        return CString();
    const int kind = result.GetStepKind();
    if (kind == kStepKindStep || kind == kStepKindLoadCase)
        return ToCString(FormatText(" (%s %d)", {CaseWord(kind), index}));
    if (kind != kStepKindMode)
        return CString();
    double frequency = 0.0;
    if (!model.GetModeFrequency(result.m_mode, index, &frequency))
        return CString();
    if (frequency == 0.0)
        frequency = 0.0; // no "-0"
    const bool isFixed = frequency >= 0.0001 && frequency <= 10000.0;
    const std::string text = FormatText(isFixed ? " (%s %d, %f Hz)" : " (%s %d, %e Hz)",
                                        {CaseWord(kind), index, frequency});
    return ToCString(WithThreeDigitExponents(text));
}

CResultTitleLines ComposeResultTitle(const CResultData& result, const CModelSet& model,
                                     const CTitleRequest& request)
{
    CResultTitleLines lines;
    if (!result.GetName().IsEmpty())
        lines.line1 = result.GetName() + CString(" : ");
    if (!result.GetSubtitle().IsEmpty())
        lines.line1 = result.GetSubtitle() + CString(" : ") + lines.line1;
    lines.line2 = RangeLine(request.min, request.max);
    if (request.isContour)
    {
        lines.line2 = ComponentPrefix(result.m_type, request.component) + lines.line2;
        // A result shown either per element or averaged at the nodes says which.
        const bool isTwoWay = result.m_average != 0 && result.GetLocation() == 0;
        if (isTwoWay)
            lines.line2 = CategoryWord(request.category) + CString(" ") + result.GetTitle() +
                          CString(" : ") + lines.line2;
        else
            lines.line2 = result.GetTitle() + CString(" : ") + lines.line2;
    }
    lines.line1 += ComposeCaseText(result, model, request.shownId);
    return lines;
}
