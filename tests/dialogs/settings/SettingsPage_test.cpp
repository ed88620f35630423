// What every settings page shares, under Wine: each text a page shows in English it also shows
// in Japanese, from the same string file; what lies in a group box keeps clear of its frame.
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

#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <memory>
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
    kVector
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
