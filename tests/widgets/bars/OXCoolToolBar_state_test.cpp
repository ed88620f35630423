// The cool toolbar's state in the profile: buttons and properties come back as saved, blobs
// cut short or corrupted are refused with the buttons kept, and only the first bar of a
// process writes the button templates.
#include "platform/test/pump.h"
#include "platform/win/app.h"
#include "tests/widgets/bars/BarsTestSupport.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace bars_test;

namespace
{
class CStateBar : public COXCoolToolBar
{
public:
    static void ForgetTemplates()
    {
        m_bTemplatesSaved = FALSE;
        m_bTemplatesLoaded = FALSE;
    }
};

const UINT kAllIds[] = {kCmdFirst, kCmdSecond, kCmdThird, fw::test::kCmdTest, kCmdCombo};

struct ButtonView
{
    UINT id;
    int image;
    std::string text;
    bool operator==(const ButtonView& other) const
    {
        return id == other.id && image == other.image && text == other.text;
    }
};

void PrintTo(const ButtonView& button, std::ostream* out)
{
    *out << "{" << button.id << ", " << button.image << ", \"" << button.text << "\"}";
}

std::vector<ButtonView> Buttons(const COXCoolToolBar& bar)
{
    std::vector<ButtonView> buttons;
    for (int i = 0; i < bar.GetCount(); ++i)
    {
        UINT id = 0;
        UINT style = 0;
        int image = 0;
        bar.GetButtonInfo(i, id, style, image);
        buttons.push_back({id, image, static_cast<const char*>(bar.GetButtonText(i))});
    }
    return buttons;
}

// Commands in bar order, separators as 0 (what the bar keeps whatever its blobs say).
std::vector<UINT> Commands(const COXCoolToolBar& bar)
{
    std::vector<UINT> ids;
    for (int i = 0; i < bar.GetCount(); ++i)
        ids.push_back((bar.GetButtonStyle(i) & TBBS_SEPARATOR) ? 0 : bar.GetItemID(i));
    return ids;
}

std::vector<BYTE> ReadBinary(const char* section, const char* entry)
{
    BYTE* data = nullptr;
    UINT bytes = 0;
    std::vector<BYTE> value;
    if (AfxGetApp()->GetProfileBinary(section, entry, &data, &bytes))
        value.assign(data, data + bytes);
    delete[] data;
    return value;
}

void WriteBinary(const char* section, const char* entry, const std::vector<BYTE>& value)
{
    AfxGetApp()->WriteProfileBinary(section, entry, value.data(), static_cast<UINT>(value.size()));
}
} // namespace

class CoolToolBarState : public CoolBarFixture
{
protected:
    void SetUp() override
    {
        CoolBarFixture::SetUp();
        CreateBar(*m_bar);
        m_bar->SetCustomizableButtons(kAllIds, 5);
    }
};

TEST_F(CoolToolBarState, SavedButtonsComeBack)
{
    m_bar->SetButtonText(0, "Alpha");
    m_bar->SetButtonInfo(2, kCmdSecond, TBBS_BUTTON, 4);
    const std::vector<ButtonView> saved = Buttons(*m_bar);
    ASSERT_TRUE(m_bar->SaveBarState("Bars", "Main"));
    EXPECT_FALSE(ReadBinary("Bars", "Main_ButtonsSettings").empty());
    EXPECT_EQ(static_cast<UINT>(ReadBinary("Bars", "Main_ButtonsSettings").size()),
              AfxGetApp()->GetProfileInt("Bars", "Main_ButtonsSettings_Size", -1));

    m_bar->SetButtonText(0, "");
    m_bar->SetButtonInfo(2, kCmdSecond, TBBS_BUTTON, 1);
    m_bar->SendMessage(TB_DELETEBUTTON, 4);
    ASSERT_TRUE(m_bar->LoadBarState("Bars", "Main"));
    EXPECT_EQ(saved, Buttons(*m_bar));
}

TEST_F(CoolToolBarState, BlobsCutShortOrCorruptedAreRefusedAndTheButtonsKept)
{
    ASSERT_TRUE(m_bar->SaveBarState("Bars", "Main"));
    const std::vector<BYTE> good = ReadBinary("Bars", "Main_ButtonsSettings");
    ASSERT_GT(good.size(), 20u);
    const std::vector<UINT> before = Commands(*m_bar);

    std::vector<BYTE> hugeCount = good;
    hugeCount[0] = 0xFF;
    hugeCount[1] = 0xFF;
    hugeCount[2] = 0xFF;
    hugeCount[3] = 0x7F;
    std::vector<BYTE> negativeCount = good;
    negativeCount[3] = 0x80;
    // A text whose length runs past the end.
    std::vector<BYTE> longText = good;
    longText.resize(4 + 13);
    longText.push_back(0xFF);
    longText.push_back(0xFE);
    longText.push_back(0x7F);
    const std::vector<std::vector<BYTE>> blobs = {
        std::vector<BYTE>(good.begin(), good.begin() + good.size() / 2),
        std::vector<BYTE>(good.begin(), good.end() - 1),
        {0x01},
        hugeCount,
        negativeCount,
        longText,
    };
    for (size_t i = 0; i < blobs.size(); ++i)
    {
        SCOPED_TRACE(i);
        WriteBinary("Bars", "Main_ButtonsSettings", blobs[i]);
        m_bar->SetButtonText(0, "Kept");
        EXPECT_TRUE(m_bar->LoadBarState("Bars", "Main", FALSE));
        EXPECT_EQ(before, Commands(*m_bar));
        // Refused whole: not even the first entry's empty text replaced the one shown.
        EXPECT_EQ("Kept", std::string(m_bar->GetButtonText(0)));
    }

    // The control's own saved layout, corrupted or empty, leaves the buttons as they were.
    WriteBinary("Bars", "Main_ButtonsSettings", good);
    for (const std::vector<BYTE>& layout :
         {std::vector<BYTE>{0x12, 0x34, 0x56}, std::vector<BYTE>{0x01, 0, 0, 0}})
    {
        WriteBinary("Bars", "Main", layout);
        m_bar->LoadBarState("Bars", "Main", FALSE);
        EXPECT_EQ(before, Commands(*m_bar));
    }
}

TEST_F(CoolToolBarState, PropertiesComeBackAndAbsentOnesChangeNothing)
{
    // Nothing stored: nothing changes.
    m_bar->SetButtonTextFromID(0, 0xFFFF, COXCoolToolBar::textTooltip);
    m_bar->SetIndent(3);
    ASSERT_TRUE(m_bar->LoadBarState("Empty", "Bar"));
    EXPECT_EQ(COXCoolToolBar::textTooltip, m_bar->GetTextType());
    EXPECT_EQ(3, m_bar->GetIndent());
    EXPECT_TRUE(m_bar->IsFlat());
    EXPECT_TRUE(m_bar->GetDropDownArrow());
    EXPECT_EQ("First", std::string(m_bar->GetButtonText(0)));

    m_bar->SetHotTextColor(RGB(1, 2, 3));
    m_bar->SetGripper(FALSE);
    ASSERT_TRUE(m_bar->SaveBarState("Props", "Bar"));
    EXPECT_EQ(1u, AfxGetApp()->GetProfileInt("Props_Bar", "TextType", -1));
    EXPECT_EQ(RGB(1, 2, 3), AfxGetApp()->GetProfileInt("Props_Bar", "HotTextColor", -1));

    COXCoolToolBar other;
    CreateBar(other, kSecondBarId);
    other.SetCustomizableButtons(kAllIds, 5);
    ASSERT_TRUE(other.LoadBarState("Props", "Bar"));
    EXPECT_EQ(COXCoolToolBar::textTooltip, other.GetTextType());
    EXPECT_EQ(3, other.GetIndent());
    EXPECT_EQ(RGB(1, 2, 3), other.GetHotTextColor());
    EXPECT_FALSE(other.IsGripper());
    EXPECT_EQ("Second", std::string(other.GetButtonText(2)));
}

TEST_F(CoolToolBarState, AStoredUserTextTypeStartsFromEmptyTexts)
{
    // Saved with the user's own texts: the prompt of the first button stays its text.
    m_bar->SetButtonTextFromID(0, 0xFFFF, COXCoolToolBar::textTooltip);
    m_bar->SetButtonText(0, "Mine");
    m_bar->SetButtonTextFromID(0, 0xFFFF, COXCoolToolBar::textUser);
    ASSERT_TRUE(m_bar->SaveBarState("User", "Bar"));

    COXCoolToolBar other;
    CreateBar(other, kSecondBarId);
    other.SetCustomizableButtons(kAllIds, 5);
    other.SetButtonTextFromID(0, 0xFFFF, COXCoolToolBar::textPrompt);
    ASSERT_TRUE(other.LoadBarState("User", "Bar"));
    EXPECT_EQ(COXCoolToolBar::textUser, other.GetTextType());
    EXPECT_EQ("Mine", std::string(other.GetButtonText(0)));
    EXPECT_EQ("Second", std::string(other.GetButtonText(2)));
    EXPECT_EQ("", std::string(other.GetButtonText(3))); // "Only a prompt" is gone
}

TEST_F(CoolToolBarState, OnlyTheFirstBarOfAProcessWritesTheTemplates)
{
    CStateBar::ForgetTemplates();
    ASSERT_TRUE(m_bar->SaveBarState("First", "Bar", FALSE));
    COXCoolToolBar other;
    CreateBar(other, kSecondBarId);
    ASSERT_TRUE(other.SaveBarState("Second", "Bar", FALSE));
    EXPECT_FALSE(ReadBinary("First", "Toolbars_CustomButtonsSettings").empty());
    EXPECT_TRUE(ReadBinary("Second", "Toolbars_CustomButtonsSettings").empty());
    // A bar that is not customisable keeps no buttons.
    EXPECT_TRUE(ReadBinary("Second", "Bar_ButtonsSettings").empty());
}

TEST_F(CoolToolBarState, WithoutARegistryKeyACustomisableBarSavesNothing)
{
    AfxGetApp()->m_pszRegistryKey = nullptr;
    EXPECT_FALSE(m_bar->SaveBarState("Bars", "Main", FALSE));
    EXPECT_FALSE(m_bar->LoadBarState("Bars", "Main", FALSE));
    EXPECT_EQ(6, m_bar->GetCount());
    AfxGetApp()->SetRegistryKey("GravikFwTest");
}
