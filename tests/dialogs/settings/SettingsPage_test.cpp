// What every settings page shares, under Wine: each text a page shows in English it also shows
// in Japanese, from the same string file; what lies in a group box keeps clear of its frame.
#include "core/display/EntityKinds.h"
#include "core/geometry/ColorConvert.h"
#include "dialogs/settings/ColorTablePage.h"
#include "dialogs/settings/ContourDefaultSettingsDlg.h"
#include "dialogs/settings/DisplayAttSettingsDlg.h"
#include "dialogs/settings/MaterialSettingDlg.h"
#include "dialogs/settings/SettingFilePath.h"
#include "dialogs/settings/VectorDefaultSettingsDlg.h"
#include "dialogs/settings/ViewDefaultSettingDlg.h"
#include "project/ProjectData.h"
#include "resources/ids/dialogs_ids.h"
#include "tests/dialogs/settings/DialogTestSupport.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <gtest/gtest.h>
#include <initializer_list>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

using dialogs_test::SettingsPageFixture;

namespace
{
class SettingsPage : public SettingsPageFixture
{
protected:
    // The caption and every control's text of the page, by control id (0 the caption).
    std::map<int, std::string> Texts(CSettingsPage& page)
    {
        std::map<int, std::string> texts;
        const HWND window = Open(page);
        char caption[128] = {};
        ::GetWindowTextA(window, caption, sizeof caption);
        texts[0] = caption;
        for (HWND child = ::GetWindow(window, GW_CHILD); child != nullptr;
             child = ::GetWindow(child, GW_HWNDNEXT))
        {
            char className[32] = {};
            ::GetClassNameA(child, className, sizeof className);
            if (::lstrcmpiA(className, "Edit") == 0)
                continue; // values, not texts
            char text[256] = {};
            ::GetWindowTextA(child, text, sizeof text);
            texts[::GetDlgCtrlID(child)] = text;
        }
        PressCancel();
        return texts;
    }
};
} // namespace

TEST_F(SettingsPage, EveryTextShownInEnglishIsShownInJapaneseToo)
{
    MakeProject();
    CResultDisplayAttr record;
    CVectorDisplayAttr vectorRecord;
    const std::map<std::string, std::function<std::unique_ptr<CSettingsPage>()>> kPages = {
        {"contour", [&] { return std::make_unique<CContourDefaultSettingsDlg>(&record); }},
        {"vector", [&] { return std::make_unique<CVectorDefaultSettingsDlg>(&vectorRecord); }},
        {"display", [] { return std::make_unique<CDisplayAttSettingsDlg>(); }},
        {"material", [] { return std::make_unique<CMaterialSettingDlg>(); }},
        {"view defaults", [] { return std::make_unique<CViewDefaultSettingDlg>(); }},
        {"folders", [] { return std::make_unique<CSettingFilePath>(); }},
        {"property colours", [] { return std::make_unique<CPropertyColorDlg>(); }},
    };
    for (const auto& [name, make] : kPages)
    {
        SCOPED_TRACE(name);
        SetLanguage("_ENG");
        std::unique_ptr<CSettingsPage> english = make();
        const std::map<int, std::string> englishTexts = Texts(*english);
        SetLanguage("_JPN");
        std::unique_ptr<CSettingsPage> japanese = make();
        const std::map<int, std::string> japaneseTexts = Texts(*japanese);
        // The colour pages leave their caption to the sheet's tab.
        if (!englishTexts.at(0).empty())
            EXPECT_NE(englishTexts.at(0), japaneseTexts.at(0)) << "the caption is translated";
        for (const auto& [id, text] : englishTexts)
        {
            if (!text.empty())
                EXPECT_FALSE(japaneseTexts.at(id).empty()) << "control " << id << ": " << text;
        }
    }
}

namespace
{
struct GroupBoxes
{
    HWND page;
    std::vector<RECT> boxes;
    std::vector<std::pair<int, RECT>> others;
};

BOOL CALLBACK CollectControls(HWND control, LPARAM param)
{
    auto* found = reinterpret_cast<GroupBoxes*>(param);
    if (::GetParent(control) != found->page || !::IsWindowVisible(control))
        return TRUE;
    RECT rect = {};
    ::GetWindowRect(control, &rect);
    char className[32] = {};
    ::GetClassNameA(control, className, sizeof className);
    const LONG style = ::GetWindowLongA(control, GWL_STYLE);
    if (::lstrcmpiA(className, "Button") == 0 && (style & BS_TYPEMASK) == BS_GROUPBOX)
        found->boxes.push_back(rect);
    else
        found->others.emplace_back(::GetDlgCtrlID(control), rect);
    return TRUE;
}
} // namespace

TEST_F(SettingsPage, ControlsInAGroupBoxKeepClearOfItsFrame)
{
    MakeProject();
    CResultDisplayAttr record;
    CVectorDisplayAttr vectorRecord;
    const std::map<std::string, std::function<std::unique_ptr<CSettingsPage>()>> kPages = {
        {"contour", [&] { return std::make_unique<CContourDefaultSettingsDlg>(&record); }},
        {"vector", [&] { return std::make_unique<CVectorDefaultSettingsDlg>(&vectorRecord); }},
        {"display", [] { return std::make_unique<CDisplayAttSettingsDlg>(); }},
        {"material", [] { return std::make_unique<CMaterialSettingDlg>(); }},
        {"view defaults", [] { return std::make_unique<CViewDefaultSettingDlg>(); }},
        {"folders", [] { return std::make_unique<CSettingFilePath>(); }},
        {"property colours", [] { return std::make_unique<CPropertyColorDlg>(); }},
        {"material colours", [] { return std::make_unique<CMaterialColorDlg>(); }},
    };
    for (const auto& [name, make] : kPages)
    {
        SCOPED_TRACE(name);
        std::unique_ptr<CSettingsPage> page = make();
        GroupBoxes found;
        found.page = Open(*page);
        // Two dialog units: room for the frame line and for a font with taller glyphs, such
        // as the Japanese interface font.
        RECT margin = {0, 0, 2, 2};
        ::MapDialogRect(found.page, &margin);
        ::EnumChildWindows(found.page, &CollectControls, reinterpret_cast<LPARAM>(&found));
        for (const RECT& box : found.boxes)
        {
            for (const auto& [id, rect] : found.others)
            {
                RECT common = {};
                if (!::IntersectRect(&common, &box, &rect))
                    continue;
                EXPECT_TRUE(rect.left >= box.left + margin.right &&
                            rect.right <= box.right - margin.right &&
                            rect.bottom <= box.bottom - margin.bottom)
                    << "control " << id << " reaches the frame of the group box at y " << box.top;
            }
        }
        PressCancel();
    }
}

TEST_F(SettingsPage, TextsInBothLanguagesFitTheirControls)
{
    MakeProject();
    CResultDisplayAttr record;
    CVectorDisplayAttr vectorRecord;
    const std::map<std::string, std::function<std::unique_ptr<CSettingsPage>()>> kPages = {
        {"contour", [&] { return std::make_unique<CContourDefaultSettingsDlg>(&record); }},
        {"vector", [&] { return std::make_unique<CVectorDefaultSettingsDlg>(&vectorRecord); }},
        {"display", [] { return std::make_unique<CDisplayAttSettingsDlg>(); }},
        {"material", [] { return std::make_unique<CMaterialSettingDlg>(); }},
        {"view defaults", [] { return std::make_unique<CViewDefaultSettingDlg>(); }},
        {"folders", [] { return std::make_unique<CSettingFilePath>(); }},
        {"property colours", [] { return std::make_unique<CPropertyColorDlg>(); }},
        {"material colours", [] { return std::make_unique<CMaterialColorDlg>(); }},
    };
    for (const auto& [suffix, codePage] :
         {std::make_pair("_ENG", 1252u), std::make_pair("_JPN", 932u)})
    {
        SetLanguage(suffix);
        for (const auto& [name, make] : kPages)
        {
            SCOPED_TRACE(std::string(name) + suffix);
            std::unique_ptr<CSettingsPage> page = make();
            dialogs_test::FittingTexts(Open(*page), codePage);
            PressCancel();
        }
    }
}

namespace
{
enum class PageKind
{
    kDisplay,
    kMaterial,
    kVector,
    kContour,
    kView
};

struct RangeCase
{
    PageKind page;
    int field;
    int choice; // a radio button clicked first that makes the field editable or greys it; 0: none
    const char* typed;
    const char* key;
    const char* stored;  // the INI value Save Defaults writes; null: refused, nothing written
    const char* message; // a piece of the range message when refused
};

const RangeCase kRangeCases[] = {
    {PageKind::kDisplay, IDC_DISPLAY_BEAM_SIZE, 0, "1", "BeamSize", "1", nullptr},
    {PageKind::kDisplay, IDC_DISPLAY_BEAM_SIZE, 0, "20", "BeamSize", "20", nullptr},
    {PageKind::kDisplay, IDC_DISPLAY_GRID_SIZE, 0, "21", "GridSize", nullptr, "1 to 20"},
    {PageKind::kDisplay, IDC_DISPLAY_SOLID_SIZE, 0, "0", "SolidSize", nullptr, "1 to 20"},
    {PageKind::kMaterial, IDC_MATERIAL_OBVERSE_SHININESS_EDIT, 0, "0", "SolidObverseShininess", "0",
     nullptr},
    {PageKind::kMaterial, IDC_MATERIAL_OBVERSE_SHININESS_EDIT, 0, "100", "SolidObverseShininess",
     "100", nullptr},
    {PageKind::kMaterial, IDC_MATERIAL_REVERSE_SHININESS_EDIT, 0, "101", "SolidReverseShininess",
     nullptr, "0 to 100"},
    {PageKind::kVector, IDC_VECTOR_SCALE, 0, "0", "ScaleFactor", "0.000000", nullptr},
    {PageKind::kVector, IDC_VECTOR_SCALE, 0, "1000000", "ScaleFactor", "1000000.000000", nullptr},
    {PageKind::kVector, IDC_VECTOR_SCALE, 0, "1000001", "ScaleFactor", nullptr, "0 to 1000000"},
    {PageKind::kVector, IDC_VECTOR_HEAD_PERCENT, IDC_VECTOR_HEAD_VARIABLE, "0",
     "VectorArrowHeadPercLen", "0.000000", nullptr},
    {PageKind::kVector, IDC_VECTOR_HEAD_PERCENT, IDC_VECTOR_HEAD_VARIABLE, "100",
     "VectorArrowHeadPercLen", "1.000000", nullptr},
    {PageKind::kVector, IDC_VECTOR_HEAD_PERCENT, IDC_VECTOR_HEAD_VARIABLE, "101",
     "VectorArrowHeadPercLen", nullptr, "0 to 100"},
    {PageKind::kVector, IDC_VECTOR_BANDS, IDC_VECTOR_COLOR_BANDS, "1", "VectorColorBands", "1",
     nullptr},
    {PageKind::kVector, IDC_VECTOR_BANDS, IDC_VECTOR_COLOR_BANDS, "117", "VectorColorBands", "117",
     nullptr},
    {PageKind::kVector, IDC_VECTOR_BANDS, IDC_VECTOR_COLOR_BANDS, "118", "VectorColorBands",
     nullptr, "117"},
    // Greyed fields cannot be mended, so what they hold is brought into the range.
    {PageKind::kVector, IDC_VECTOR_BANDS, IDC_VECTOR_SAME_COLOR, "200", "VectorColorBands", "117",
     nullptr},
    {PageKind::kVector, IDC_VECTOR_HEAD_PERCENT, IDC_VECTOR_HEAD_CONSTANT, "150",
     "VectorArrowHeadPercLen", "1.000000", nullptr},
};

const char* SectionOf(PageKind page)
{
    switch (page)
    {
    case PageKind::kDisplay: return "DisplayAttribute";
    case PageKind::kMaterial: return "Material";
    default: return "VectorDefaluts";
    }
}

int SaveButtonOf(PageKind page)
{
    switch (page)
    {
    case PageKind::kDisplay: return IDC_SETTINGS_SAVE_DEFAULT;
    case PageKind::kMaterial: return IDC_MATERIAL_SAVE_DEFAULT;
    default: return IDC_VECTOR_SAVE_DEFAULT;
    }
}

std::unique_ptr<CSettingsPage> MakePage(PageKind page, CProjectData& project)
{
    switch (page)
    {
    case PageKind::kDisplay: return std::make_unique<CDisplayAttSettingsDlg>();
    case PageKind::kMaterial: return std::make_unique<CMaterialSettingDlg>();
    case PageKind::kContour:
        return std::make_unique<CContourDefaultSettingsDlg>(&project.m_settings.m_contourDefaults);
    case PageKind::kView: return std::make_unique<CViewDefaultSettingDlg>();
    default:
        return std::make_unique<CVectorDefaultSettingsDlg>(&project.m_settings.m_vectorDefaults);
    }
}
} // namespace

// Each end of a range saved through the page that edits it is read back by the next start and
// shown again by the page; a step past it is refused with the range and not saved.
TEST_F(SettingsPage, WhatAPageSavesTheNextStartReadsBackAndThePageShowsAgain)
{
    const auto& boxes = (*m_services)->messageBoxes;
    for (const RangeCase& c : kRangeCases)
    {
        SCOPED_TRACE(std::string(c.key) + " typed " + c.typed);
        WriteIni("[Environment]\r\nLanguage=English\r\n");
        std::unique_ptr<CSettingsPage> page = MakePage(c.page, MakeProject());
        HWND window = Open(*page);
        if (c.choice != 0)
            Click(window, c.choice);
        ::SetDlgItemTextA(window, c.field, c.typed);
        const std::size_t shown = boxes.size();
        Click(window, SaveButtonOf(c.page));
        if (c.stored == nullptr)
        {
            ASSERT_EQ(shown + 1, boxes.size()) << "refused with a message";
            EXPECT_NE(std::string::npos, boxes.back().text.find(c.message)) << boxes.back().text;
            EXPECT_EQ("", IniValue(SectionOf(c.page), c.key));
            PressCancel();
            continue;
        }
        EXPECT_EQ(shown, boxes.size()) << (boxes.empty() ? "" : boxes.back().text);
        EXPECT_EQ(c.stored, IniValue(SectionOf(c.page), c.key));
        PressCancel();

        // The next start, and the page opened on it.
        std::unique_ptr<CSettingsPage> again = MakePage(c.page, MakeProject());
        window = Open(*again);
        const std::string expected =
            c.field == IDC_VECTOR_BANDS && c.choice == IDC_VECTOR_SAME_COLOR             ? "117"
            : c.field == IDC_VECTOR_HEAD_PERCENT && c.choice == IDC_VECTOR_HEAD_CONSTANT ? "100"
                                                                                         : c.typed;
        EXPECT_EQ(expected, ControlText(window, c.field));
        // And the page takes it as it shows it.
        PressOk();
        EXPECT_EQ(shown, boxes.size()) << (boxes.empty() ? "" : boxes.back().text);
        if (m_sheet && m_sheet->GetSafeHwnd())
            PressCancel();
    }
}

namespace
{
// What a page shows of a key after Load Defaults, and what the start read of it.
using Shown = std::function<double(CSettingsPage&, HWND)>;
using Started = std::function<double(const CAESettings&)>;

struct LoadCase
{
    PageKind page;
    const char* section;
    std::string key;
    std::string value;
    double expected;
    Shown shown;
    Started started;
    bool isAbove; // past the high end; else past the low end
};

int LoadButtonOf(PageKind page)
{
    switch (page)
    {
    case PageKind::kMaterial: return IDC_MATERIAL_LOAD_DEFAULT;
    case PageKind::kVector: return IDC_VECTOR_LOAD_DEFAULT;
    case PageKind::kContour: return IDC_CONTOUR_LOAD_DEFAULT;
    default: return IDC_SETTINGS_LOAD_DEFAULT;
    }
}

std::string Real(double value)
{
    char text[64];
    std::snprintf(text, sizeof text, "%lf", value);
    return text;
}

std::string FieldText(HWND page, int id)
{
    char text[64] = {};
    ::GetDlgItemTextA(page, id, text, sizeof text);
    return text;
}

double Number(const std::string& text)
{
    return text.empty() ? std::nan("") : std::strtod(text.c_str(), nullptr);
}

template <class Page>
Page& As(CSettingsPage& page)
{
    return dynamic_cast<Page&>(page);
}

// The two cases of a key: a step below its low end shows the low end, a step above its high end
// the high end. Whole numbers are written as such, reals in "%lf".
void AddEnds(std::vector<LoadCase>& cases, PageKind page, const char* section,
             const std::string& key, double low, double high, double step, bool real,
             const Shown& shown, const Started& started)
{
    const auto text = [real](double value)
    { return real ? Real(value) : std::to_string(static_cast<long long>(value)); };
    cases.push_back({page, section, key, text(low - step), low, shown, started, false});
    cases.push_back({page, section, key, text(high + step), high, shown, started, true});
}

std::vector<LoadCase> LoadCases()
{
    using S = const CAESettings&;
    using P = CSettingsPage&;
    std::vector<LoadCase> cases;
    const double kMaxColor = 0xFFFFFF;

    // Contour defaults: the band count, and a smoothing that is neither 0 nor 2.
    const Shown contourBands = [](P, HWND w)
    { return Number(FieldText(w, IDC_CONTOUR_BAND_COUNT)); };
    AddEnds(cases, PageKind::kContour, "ContourDefaluts", "NoOfBands", 1, 117, 1, false,
            contourBands, [](S s) { return double(s.m_contourDefaults.m_nBands); });
    for (const char* smooth : {"1", "3"})
        cases.push_back(
            {PageKind::kContour, "ContourDefaluts", "SmoothContour", smooth, 0,
             [](P, HWND w)
             { return ::IsDlgButtonChecked(w, IDC_CONTOUR_SMOOTH) == BST_CHECKED ? 2.0 : 0.0; },
             [](S s) { return double(s.m_contourDefaults.m_nBandType); }, smooth[0] == '3'});

    // Vector defaults.
    const char* const vector = "VectorDefaluts";
    AddEnds(
        cases, PageKind::kVector, vector, "VectorColorBands", 1, 117, 1, false,
        [](P, HWND w) { return Number(FieldText(w, IDC_VECTOR_BANDS)); },
        [](S s) { return double(s.m_vectorDefaults.GetNoOfBands()); });
    AddEnds(
        cases, PageKind::kVector, vector, "ScaleFactor", 0, 1.0e6, 1, true,
        [](P, HWND w) { return Number(FieldText(w, IDC_VECTOR_SCALE)); },
        [](S s) { return s.m_vectorDefaults.GetScaleFactor(); });
    AddEnds(
        cases, PageKind::kVector, vector, "VectorArrowHeadPercLen", 0, 1, 0.01, true,
        [](P, HWND w) { return Number(FieldText(w, IDC_VECTOR_HEAD_PERCENT)) / 100.0; },
        [](S s) { return s.m_vectorDefaults.GetArrowHeadPercLen(); });
    AddEnds(
        cases, PageKind::kVector, vector, "VectorArrowHeadConst", 0, 1, 0.01, true,
        [](P p, HWND) { return As<CVectorDefaultSettingsDlg>(p).m_arrowHeadConst / 100.0; },
        [](S s) { return s.m_vectorDefaults.GetArrowHeadConst(); });
    AddEnds(
        cases, PageKind::kVector, vector, "VectorSameColor", 0, kMaxColor, 1, true,
        [](P p, HWND) { return double(As<CVectorDefaultSettingsDlg>(p).m_colorButton.GetColor()); },
        [](S s) { return double(ColorToCOLORREF(s.m_vectorDefaults.GetColor())); });
    // The codes of the radio groups: a choice shown is its code.
    const auto code = [](int index, std::initializer_list<int> codes)
    { return index >= 0 && index < int(codes.size()) ? double(codes.begin()[index]) : -1.0; };
    AddEnds(
        cases, PageKind::kVector, vector, "VectorThickness", 1, 5, 1, false,
        [code](P p, HWND) {
            return code(As<CVectorDefaultSettingsDlg>(p).m_thickness, {1, 2, 5});
        },
        [](S s) { return double(s.m_vectorDefaults.GetThickness()); });
    AddEnds(
        cases, PageKind::kVector, vector, "VectorPosition", 1, 3, 1, false,
        [code](P p, HWND) {
            return code(As<CVectorDefaultSettingsDlg>(p).m_position, {1, 2, 3});
        },
        [](S s) { return double(s.m_vectorDefaults.GetPosition()); });
    AddEnds(
        cases, PageKind::kVector, vector, "VectorArrowHeadSize", 1, 2, 1, false,
        [code](P p, HWND) {
            return code(As<CVectorDefaultSettingsDlg>(p).m_arrowHeadSize, {1, 2});
        },
        [](S s) { return double(s.m_vectorDefaults.GetArrowHeadSize()); });
    AddEnds(
        cases, PageKind::kVector, vector, "VectorArrowHeadType", 1, 3, 1, false,
        [code](P p, HWND) {
            return code(As<CVectorDefaultSettingsDlg>(p).m_arrowHeadType, {1, 2, 3});
        },
        [](S s) { return double(s.m_vectorDefaults.GetArrowHeadType()); });

    // Display attributes: sizes and colours of each kind, the background, the three fonts.
    const char* const display = "DisplayAttribute";
    const struct
    {
        const char* name;
        CAESettings::EntityKind kind;
        int sizeEdit;
    } kinds[] = {{"Grid", CAESettings::kGrid, IDC_DISPLAY_GRID_SIZE},
                 {"Solid", CAESettings::kSolid, IDC_DISPLAY_SOLID_SIZE},
                 {"Shell", CAESettings::kShell, IDC_DISPLAY_SHELL_SIZE},
                 {"Mass", CAESettings::kMass, IDC_DISPLAY_MASS_SIZE},
                 {"Elass", CAESettings::kElass, IDC_DISPLAY_ELASS_SIZE},
                 {"Beam", CAESettings::kBeam, IDC_DISPLAY_BEAM_SIZE}};
    for (const auto& k : kinds)
    {
        const CAESettings::EntityKind kind = k.kind;
        const int edit = k.sizeEdit;
        AddEnds(
            cases, PageKind::kDisplay, display, std::string(k.name) + "Size", 1, 20, 1, false,
            [edit](P, HWND w) { return Number(FieldText(w, edit)); },
            [kind](S s) { return double(s.m_entitySizes[kind]); });
        AddEnds(
            cases, PageKind::kDisplay, display, std::string(k.name) + "Color", 0, kMaxColor, 1,
            false,
            [kind](P p, HWND) { return double(As<CDisplayAttSettingsDlg>(p).m_colors[kind]); },
            [kind](S s) { return double(s.m_entityColors[kind]); });
    }
    AddEnds(
        cases, PageKind::kDisplay, display, "BackgroundColor", 0, kMaxColor, 1, false,
        [](P p, HWND) { return double(As<CDisplayAttSettingsDlg>(p).m_background); },
        [](S s) { return double(s.m_backgroundColor); });
    const struct
    {
        const char* suffix;
        CDisplayAttSettingsDlg::FontSlot slot;
        const CFontSetting CAESettings::*font;
    } fonts[] = {
        {"", CDisplayAttSettingsDlg::kGeneralFont, &CAESettings::m_generalFont},
        {"ElementLabel", CDisplayAttSettingsDlg::kElementLabelFont,
         &CAESettings::m_elementLabelFont},
        {"NodeLabel", CDisplayAttSettingsDlg::kNodeLabelFont, &CAESettings::m_nodeLabelFont}};
    for (const auto& f : fonts)
    {
        const auto slot = f.slot;
        const auto font = f.font;
        const auto shownFont = [slot](LONG LOGFONT::*field)
        {
            return [slot, field](P p, HWND)
            { return double(As<CDisplayAttSettingsDlg>(p).m_fonts[slot].font.*field); };
        };
        const auto startedFont = [font](LONG LOGFONT::*field)
        { return [font, field](S s) { return double((s.*font).font.*field); }; };
        AddEnds(cases, PageKind::kDisplay, display, std::string("FontHeight") + f.suffix, -200, 200,
                1, true, shownFont(&LOGFONT::lfHeight), startedFont(&LOGFONT::lfHeight));
        AddEnds(cases, PageKind::kDisplay, display, std::string("FontWidth") + f.suffix, -200, 200,
                1, true, shownFont(&LOGFONT::lfWidth), startedFont(&LOGFONT::lfWidth));
        AddEnds(cases, PageKind::kDisplay, display, std::string("FontWeight") + f.suffix, 0, 1000,
                1, true, shownFont(&LOGFONT::lfWeight), startedFont(&LOGFONT::lfWeight));
        AddEnds(
            cases, PageKind::kDisplay, display, std::string("FontColor") + f.suffix, 0, kMaxColor,
            1, false,
            [slot](P p, HWND) { return double(As<CDisplayAttSettingsDlg>(p).m_fonts[slot].color); },
            [font](S s) { return double((s.*font).color); });
    }

    // Lighting materials: each colour, opacity and shininess of both faces of both kinds.
    using ColorPair = COLORREF[2];
    using IntPair = int[2];
    const struct
    {
        const char* color;
        ColorPair CGLMaterial::*colors;
        const char* opacity;
        IntPair CGLMaterial::*opacities;
    } lights[] = {
        {"EnvColor", &CGLMaterial::m_ambient, "EnvOpacity", &CGLMaterial::m_ambientPercent},
        {"DiffColor", &CGLMaterial::m_diffuse, "DiffOpacity", &CGLMaterial::m_diffusePercent},
        {"SpecColor", &CGLMaterial::m_specular, "SpecOpacity", &CGLMaterial::m_specularPercent},
        {"EmmiColor", &CGLMaterial::m_emission, "EmmiOpacity", &CGLMaterial::m_emissionPercent}};
    for (int kind = 0; kind < CAESettings::kMaterialKinds; ++kind)
    {
        for (int side = 0; side < 2; ++side)
        {
            const std::string prefix =
                std::string(kind == 0 ? "Solid" : "Shell") + (side == 0 ? "Obverse" : "Reverse");
            for (const auto& light : lights)
            {
                const auto colors = light.colors;
                const auto opacities = light.opacities;
                AddEnds(
                    cases, PageKind::kMaterial, "Material", prefix + light.color, 0, kMaxColor, 1,
                    true,
                    [=](P p, HWND) {
                        return double((As<CMaterialSettingDlg>(p).m_materials[kind].*colors)[side]);
                    },
                    [=](S s) { return double((s.m_materials[kind].*colors)[side]); });
                AddEnds(
                    cases, PageKind::kMaterial, "Material", prefix + light.opacity, 0, 100, 1,
                    false,
                    [=](P p, HWND) {
                        return double(
                            (As<CMaterialSettingDlg>(p).m_materials[kind].*opacities)[side]);
                    },
                    [=](S s) { return double((s.m_materials[kind].*opacities)[side]); });
            }
            AddEnds(
                cases, PageKind::kMaterial, "Material", prefix + "Shininess", 0, 100, 1, false,
                [=](P p, HWND)
                { return double(As<CMaterialSettingDlg>(p).m_materials[kind].m_shininess[side]); },
                [=](S s) { return double(s.m_materials[kind].m_shininess[side]); });
        }
    }

    // View defaults: the display mode, the triad's corner, the kinds drawn.
    const char* const view = "ViewDefaultSetting";
    AddEnds(
        cases, PageKind::kView, view, "DisplayType", 0, 4, 1, false,
        [](P p, HWND) { return double(As<CViewDefaultSettingDlg>(p).m_displayMode); },
        [](S s) { return double(s.m_displayType); });
    AddEnds(
        cases, PageKind::kView, view, "RefferenceTriadPosition", 0, 3, 1, false,
        [](P p, HWND) { return double(As<CViewDefaultSettingDlg>(p).m_triadCorner); },
        [](S s) { return double(s.m_triadPosition); });
    AddEnds(
        cases, PageKind::kView, view, "SelectionFilter", 0, kKindAll, 1, false,
        [](P p, HWND)
        {
            const auto& page = As<CViewDefaultSettingDlg>(p);
            return double((page.m_solid ? kKindSolid : 0) | (page.m_shell ? kKindShell : 0) |
                          (page.m_beam ? kKindBeam : 0) | (page.m_mass ? kKindMass : 0) |
                          (page.m_elass ? kKindElass : 0) | (page.m_grid ? kKindNode : 0));
        },
        [](S s) { return double(s.m_displayFilter); });
    return cases;
}
} // namespace

// Load Defaults of every page takes each key one step past an end of its range as that end, the
// value the start takes from the same INI: one INI per page with every key below its range,
// one with every key above it.
TEST_F(SettingsPage, LoadDefaultsShowsAValuePastItsRangeAtTheNearestEndAsTheStartReadsIt)
{
    const std::vector<LoadCase> cases = LoadCases();
    for (const PageKind kind : {PageKind::kContour, PageKind::kVector, PageKind::kDisplay,
                                PageKind::kMaterial, PageKind::kView})
    {
        for (const bool isAbove : {false, true})
        {
            std::vector<const LoadCase*> group;
            std::map<std::string, std::string> sections;
            for (const LoadCase& c : cases)
            {
                if (c.page != kind || c.isAbove != isAbove)
                    continue;
                group.push_back(&c);
                sections[c.section] += c.key + "=" + c.value + "\r\n";
            }
            ASSERT_FALSE(group.empty());
            std::string ini = "[Environment]\r\nLanguage=English\r\n";
            for (const auto& [section, keys] : sections)
                ini += "[" + section + "]\r\n" + keys;
            WriteIni(ini);
            CProjectData& project = MakeProject();
            std::unique_ptr<CSettingsPage> page = MakePage(kind, project);
            const HWND window = Open(*page);
            Click(window, LoadButtonOf(kind));
            for (const LoadCase* c : group)
            {
                SCOPED_TRACE(c->key + "=" + c->value);
                EXPECT_DOUBLE_EQ(c->expected, c->started(project.m_settings))
                    << "as the start reads it";
                EXPECT_DOUBLE_EQ(c->expected, c->shown(*page, window))
                    << "as Load Defaults shows it";
            }
            PressCancel();
        }
    }
}
