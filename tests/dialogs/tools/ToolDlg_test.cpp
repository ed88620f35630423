// What the tool dialogs share: string-file texts used as formats only when their conversions
// are the expected ones, and a dialog released inside its own handler going only afterwards.
#include "dialogs/tools/ToolDlg.h"

#include "core/services/AppEnvironment.h"
#include "platform/test/pump.h"
#include "resources/resource.h"
#include "tests/dialogs/settings/DialogTestSupport.h"
#include "tests/dialogs/tools/ToolTestSupport.h"

#include <gtest/gtest.h>

using tools_test::ToolFixture;

namespace
{
struct FormatCase
{
    const char* text;
    const char* asInt;     // with 42
    const char* asDouble;  // with 1.5
    const char* asDoubles; // with 1.5 and -2
};

const FormatCase kFormats[] = {
    {"Count : %d", "Count : 42", "Count : %d : 1.500000", "Count : %d : 1.500000 , -2.000000"},
    {"V=%lf", "V=%lf : 42", "V=1.500000", "V=%lf : 1.500000 , -2.000000"},
    {"%6.2f to %-8.3lf|", "%6.2f to %-8.3lf| : 42", "%6.2f to %-8.3lf| : 1.500000",
     "  1.50 to -2.000  |"},
    {"100%% %d", "100% 42", "100%% %d : 1.500000", "100%% %d : 1.500000 , -2.000000"},
    {"Name %s", "Name %s : 42", "Name %s : 1.500000", "Name %s : 1.500000 , -2.000000"},
    {"%d %d", "%d %d : 42", "%d %d : 1.500000", "%d %d : 1.500000 , -2.000000"},
    {"%*d", "%*d : 42", "%*d : 1.500000", "%*d : 1.500000 , -2.000000"},
    {"%n%d", "%n%d : 42", "%n%d : 1.500000", "%n%d : 1.500000 , -2.000000"},
    {"trailing %", "trailing % : 42", "trailing % : 1.500000", "trailing % : 1.500000 , -2.000000"},
    {"", " : 42", " : 1.500000", " : 1.500000 , -2.000000"},
};

class ToolDialog : public ToolFixture
{
};

// Reports how often it was destroyed, and releases itself from inside its OK handler as a
// command ending there would.
class ReleasingDlg : public CToolDlg
{
public:
    ReleasingDlg(int* destroyed, bool* wasAlive)
        : CToolDlg(IDD_MODEL_INFO, 0)
        , m_destroyed(destroyed)
        , m_wasAlive(wasAlive)
    {
    }
    ~ReleasingDlg() override { ++*m_destroyed; }
    void OnOK() override
    {
        Release();
        *m_wasAlive = *m_destroyed == 0 && ::IsWindow(m_hWnd);
    }

private:
    int* m_destroyed;
    bool* m_wasAlive;
};
} // namespace

TEST(ToolTextFormat, UsesATextAsAFormatOnlyWithTheExpectedConversions)
{
    for (const FormatCase& c : kFormats)
    {
        SCOPED_TRACE(c.text);
        EXPECT_STREQ(c.asInt, FormatTextInt(c.text, 42).GetString());
        EXPECT_STREQ(c.asDouble, FormatTextDouble(c.text, 1.5).GetString());
        EXPECT_STREQ(c.asDoubles, FormatTextDoubles(c.text, 1.5, -2.0).GetString());
    }
}

TEST_F(ToolDialog, ReleasedInsideItsOwnHandlerItGoesAfterTheHandler)
{
    int destroyed = 0;
    bool wasAlive = false;
    auto* dialog = new ReleasingDlg(&destroyed, &wasAlive);
    ASSERT_TRUE(dialog->Create(IDD_MODEL_INFO));
    dialog->ShowWindow(SW_SHOW);
    const HWND window = dialog->GetSafeHwnd();
    ::SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    EXPECT_TRUE(wasAlive);
    EXPECT_FALSE(::IsWindowVisible(window)) << "hidden at once";
    fw::test::Pump();
    EXPECT_FALSE(::IsWindow(window));
    EXPECT_EQ(1, destroyed);

    // Without a window the object goes at once.
    auto* unopened = new ReleasingDlg(&destroyed, &wasAlive);
    unopened->Release();
    EXPECT_EQ(2, destroyed);
}

TEST_F(ToolDialog, JapaneseModeTakesTheJapaneseTexts)
{
    BuildInfoModel();
    SetLanguageSuffix("_JPN");
    Menu(ID_INFO_MODEL);
    const HWND dialog = OnlyDialog();
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ("\x83\x82\x83\x66\x83\x8B\x8F\xEE\x95\xF1", Caption(dialog)); // code page 932
    EXPECT_EQ("    \x83\x72\x81\x5B\x83\x80\x97\x76\x91\x66\x90\x94 : 3",
              ListLines(dialog, IDC_INFO_LIST).at(2));
}

TEST_F(ToolDialog, TextsInBothLanguagesFitTheirControls)
{
    BuildInfoModel();
    struct Tool
    {
        const char* name;
        UINT command;
        std::vector<int> picks; // entity ids: nodes below 0, elements above 0
    };
    const Tool tools[] = {
        {"model information", ID_INFO_MODEL, {}},
        {"entity information", ID_INFO_ENTITY, {4}},
        {"node distance", ID_INFO_ENTITY_DISTANCE, {-1, -2}},
        {"element property", ID_EDIT_ELEMENT_PROPERTY, {4}},
        {"group create", ID_GROUP_CREATE, {}},
        {"group list", ID_GROUP_EDIT, {}},
    };
    for (const auto& [suffix, codePage] :
         {std::make_pair("_ENG", 1252u), std::make_pair("_JPN", 932u)})
    {
        SetLanguageSuffix(suffix);
        for (const Tool& tool : tools)
        {
            SCOPED_TRACE(std::string(tool.name) + suffix);
            Menu(tool.command);
            const auto entity = [this](int id) { return id < 0 ? Node(-id) : Element(id); };
            if (tool.picks.size() == 1)
                Pick({entity(tool.picks[0])});
            else if (tool.picks.size() == 2)
                Pick({entity(tool.picks[0]), entity(tool.picks[1])});
            const HWND dialog = OnlyDialog();
            ASSERT_NE(nullptr, dialog);
            dialogs_test::FittingTexts(dialog, codePage);
            Escape(dialog);
        }
    }
}
