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
