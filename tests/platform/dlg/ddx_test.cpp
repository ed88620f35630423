// Data exchange on a real dialog: values shown, values refused with the framework's texts and
// the focus on the field, no EN_CHANGE for an unchanged value, radio groups, sliders and
// combo boxes.
#include "platform/dlg/ddx.h"

#include "platform/ctrl/comctrl.h"
#include "platform/dlg/dialog.h"
#include "platform/test/mainframe.h"
#include "platform/test/pump.h"
#include "platform/win/texts.h"
#include "tests/platform/dlg/dlg_test_ids.h"

#include <windows.h>

#include <gtest/gtest.h>
#include <string>

namespace
{
class CCountingSlider : public CSliderCtrl
{
public:
    int m_presubclassCalls = 0;

protected:
    void PreSubclassWindow() override
    {
        ++m_presubclassCalls;
        CSliderCtrl::PreSubclassWindow();
    }
};

class CExchangeDialog : public CDialog
{
public:
    int m_int = 0;
    UINT m_uint = 0;
    double m_double = 0;
    CString m_text;
    int m_check = 0;
    int m_radio = -1;
    int m_slider = 0;
    int m_combo = -1;
    CCountingSlider m_sliderCtrl;

    // Validation limits; a negative maximum turns the check off.
    int m_intMax = -1;
    double m_doubleMax = -1;
    int m_textMax = -1;

    int m_enChanges = 0; // EN_CHANGE of the int field, counted before any handling

    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override
    {
        if (msg == WM_COMMAND && HIWORD(wParam) == EN_CHANGE && LOWORD(wParam) == IDC_TEST_INT)
            ++m_enChanges;
        return CDialog::WindowProc(msg, wParam, lParam);
    }

protected:
    void DoDataExchange(CDataExchange* dx) override
    {
        DDX_Control(dx, IDC_TEST_SLIDER, m_sliderCtrl);
        DDX_Text(dx, IDC_TEST_INT, m_int);
        if (m_intMax >= 0)
            DDV_MinMaxInt(dx, m_int, 1, m_intMax);
        DDX_Text(dx, IDC_TEST_UINT, m_uint);
        DDX_Text(dx, IDC_TEST_DOUBLE, m_double);
        if (m_doubleMax >= 0)
            DDV_MinMaxDouble(dx, m_double, 0.5, m_doubleMax);
        DDX_Text(dx, IDC_TEST_TEXT, m_text);
        if (m_textMax >= 0)
            DDV_MaxChars(dx, m_text, m_textMax);
        DDX_Check(dx, IDC_TEST_CHECK, m_check);
        DDX_Radio(dx, IDC_TEST_RADIO_A, m_radio);
        DDX_Slider(dx, IDC_TEST_SLIDER, m_slider);
        DDX_CBIndex(dx, IDC_TEST_COMBO, m_combo);
    }
    BOOL OnInitDialog() override
    {
        const BOOL focusFirst = CDialog::OnInitDialog(); // subclasses the slider
        m_sliderCtrl.SetRange(0, 370000);
        for (const char* item : {"one", "two", "three"})
            ::SendDlgItemMessageA(m_hWnd, IDC_TEST_COMBO, CB_ADDSTRING, 0,
                                  reinterpret_cast<LPARAM>(item));
        return focusFirst;
    }
};

class Exchange : public fw::test::MainFrameFixture
{
protected:
    void SetUp() override
    {
        MainFrameFixture::SetUp();
        fw::SetTextSource("resources\\string", "_ENG");
        ASSERT_TRUE(m_dialog.Create(IDD_TEST_DDX));
        m_dialog.ShowWindow(SW_SHOW);
        ::SetForegroundWindow(m_dialog.GetSafeHwnd());
        fw::test::Pump();
    }
    void TearDown() override
    {
        m_dialog.DestroyWindow();
        MainFrameFixture::TearDown();
    }

    HWND Item(int id) const { return ::GetDlgItem(m_dialog.GetSafeHwnd(), id); }
    std::string Text(int id) const
    {
        char text[256] = {};
        ::GetWindowTextA(Item(id), text, sizeof text);
        return text;
    }
    void SetText(int id, const char* text) { ::SetWindowTextA(Item(id), text); }
    std::vector<std::string> Messages() const
    {
        std::vector<std::string> texts;
        for (const auto& box : (*m_services)->messageBoxes)
            texts.push_back(box.text);
        return texts;
    }

    CExchangeDialog m_dialog;
};
} // namespace

TEST_F(Exchange, ValuesShowInTheirShortestForm)
{
    struct Case
    {
        double value;
        const char* text;
    };
    const Case cases[] = {{0.1, "0.1"}, {1e-7, "1e-07"}, {123456.789, "123456.789"}, {-2, "-2"}};
    for (const Case& c : cases)
    {
        m_dialog.m_double = c.value;
        ASSERT_TRUE(m_dialog.UpdateData(FALSE));
        EXPECT_EQ(c.text, Text(IDC_TEST_DOUBLE));
        ASSERT_TRUE(m_dialog.UpdateData(TRUE));
        EXPECT_EQ(c.value, m_dialog.m_double);
    }
    m_dialog.m_int = -42;
    m_dialog.m_uint = 4000000000u;
    m_dialog.m_text = "plate";
    ASSERT_TRUE(m_dialog.UpdateData(FALSE));
    EXPECT_EQ("-42", Text(IDC_TEST_INT));
    EXPECT_EQ("4000000000", Text(IDC_TEST_UINT));
    EXPECT_EQ("plate", Text(IDC_TEST_TEXT));
}

TEST_F(Exchange, RefusedTextShowsTheMessageFocusesTheFieldAndReturnsFalse)
{
    struct Case
    {
        int id;
        const char* text;
        const char* message;
    };
    const Case cases[] = {
        {IDC_TEST_INT, "abc", "Enter a whole number."},
        {IDC_TEST_INT, "12x", "Enter a whole number."},
        {IDC_TEST_INT, "2147483648", "Enter a whole number."},
        {IDC_TEST_INT, "", "Enter a whole number."},
        {IDC_TEST_UINT, "-1", "Enter a whole number of 0 or more."},
        {IDC_TEST_DOUBLE, "1e999", "Enter a number."},
        {IDC_TEST_DOUBLE, "0.5.1", "Enter a number."},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.text);
        m_dialog.m_int = 5;
        m_dialog.m_uint = 6;
        m_dialog.m_double = 7;
        ASSERT_TRUE(m_dialog.UpdateData(FALSE));
        (*m_services)->messageBoxes.clear();
        ::SetFocus(Item(IDC_TEST_TEXT));
        SetText(c.id, c.text);

        EXPECT_FALSE(m_dialog.UpdateData(TRUE));
        EXPECT_EQ(std::vector<std::string>{c.message}, Messages());
        EXPECT_EQ(Item(c.id), ::GetFocus());
        DWORD start = 1;
        DWORD end = 0;
        ::SendMessageA(Item(c.id), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                       reinterpret_cast<LPARAM>(&end));
        EXPECT_EQ(0u, start);
        EXPECT_EQ(std::string(c.text).size(), end);
    }
}

TEST_F(Exchange, BlanksAroundANumberAreAccepted)
{
    SetText(IDC_TEST_INT, "  42 ");
    SetText(IDC_TEST_DOUBLE, " 2.5");
    ASSERT_TRUE(m_dialog.UpdateData(TRUE));
    EXPECT_EQ(42, m_dialog.m_int);
    EXPECT_EQ(2.5, m_dialog.m_double);
    EXPECT_TRUE(Messages().empty());
}

TEST_F(Exchange, AnUnchangedValueSendsNoChangeNotification)
{
    m_dialog.m_int = 17;
    ASSERT_TRUE(m_dialog.UpdateData(FALSE));
    const int afterFirst = m_dialog.m_enChanges;
    ASSERT_TRUE(m_dialog.UpdateData(FALSE));
    ASSERT_TRUE(m_dialog.UpdateData(FALSE));
    EXPECT_EQ(afterFirst, m_dialog.m_enChanges);
    m_dialog.m_int = 18;
    ASSERT_TRUE(m_dialog.UpdateData(FALSE));
    EXPECT_EQ(afterFirst + 1, m_dialog.m_enChanges);
}

TEST_F(Exchange, RadioGroupsCountFromTheGroupStart)
{
    for (int id : {IDC_TEST_RADIO_A, IDC_TEST_RADIO_B, IDC_TEST_RADIO_C})
        ::CheckDlgButton(m_dialog.GetSafeHwnd(), id, BST_UNCHECKED);
    m_dialog.m_radio = 5;
    ASSERT_TRUE(m_dialog.UpdateData(TRUE));
    EXPECT_EQ(-1, m_dialog.m_radio); // an empty group

    ::CheckDlgButton(m_dialog.GetSafeHwnd(), IDC_TEST_RADIO_B, BST_CHECKED);
    ASSERT_TRUE(m_dialog.UpdateData(TRUE));
    EXPECT_EQ(1, m_dialog.m_radio);

    m_dialog.m_radio = 2;
    ASSERT_TRUE(m_dialog.UpdateData(FALSE));
    EXPECT_EQ(BST_UNCHECKED, ::IsDlgButtonChecked(m_dialog.GetSafeHwnd(), IDC_TEST_RADIO_B));
    EXPECT_EQ(BST_CHECKED, ::IsDlgButtonChecked(m_dialog.GetSafeHwnd(), IDC_TEST_RADIO_C));
}

TEST_F(Exchange, ControlsAreSubclassedOnce)
{
    EXPECT_EQ(Item(IDC_TEST_SLIDER), m_dialog.m_sliderCtrl.GetSafeHwnd());
    EXPECT_EQ(&m_dialog.m_sliderCtrl, CWnd::FromHandlePermanent(Item(IDC_TEST_SLIDER)));
    ASSERT_TRUE(m_dialog.UpdateData(TRUE));
    ASSERT_TRUE(m_dialog.UpdateData(FALSE));
    EXPECT_EQ(1, m_dialog.m_sliderCtrl.m_presubclassCalls);
}

TEST_F(Exchange, ChecksSlidersAndComboIndexesRoundTrip)
{
    m_dialog.m_check = 1;
    m_dialog.m_slider = 370000;
    m_dialog.m_combo = 2;
    ASSERT_TRUE(m_dialog.UpdateData(FALSE));
    EXPECT_EQ(370000, m_dialog.m_sliderCtrl.GetPos());
    EXPECT_EQ(370000, m_dialog.m_sliderCtrl.GetRangeMax());
    m_dialog.m_check = 0;
    m_dialog.m_slider = 0;
    m_dialog.m_combo = -1;
    ASSERT_TRUE(m_dialog.UpdateData(TRUE));
    EXPECT_EQ(1, m_dialog.m_check);
    EXPECT_EQ(370000, m_dialog.m_slider);
    EXPECT_EQ(2, m_dialog.m_combo);

    m_dialog.m_combo = -1;
    ASSERT_TRUE(m_dialog.UpdateData(FALSE));
    ASSERT_TRUE(m_dialog.UpdateData(TRUE));
    EXPECT_EQ(-1, m_dialog.m_combo);
}

TEST_F(Exchange, ValidationRefusesValuesOutOfBounds)
{
    struct Case
    {
        const char* name;
        int intMax;
        double doubleMax;
        int textMax;
        const char* message;
    };
    const Case cases[] = {
        {"int", 120, -1, -1, "Enter a whole number from 1 to 120."},
        {"double", -1, 2.5, -1, "Enter a number from 0.5 to 2.5."},
        {"text", -1, -1, 5, "Enter no more than 5 characters."},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        m_dialog.m_intMax = c.intMax;
        m_dialog.m_doubleMax = c.doubleMax;
        m_dialog.m_textMax = c.textMax;
        (*m_services)->messageBoxes.clear();
        SetText(IDC_TEST_INT, "200");
        SetText(IDC_TEST_DOUBLE, "3");
        SetText(IDC_TEST_TEXT, "element");
        EXPECT_FALSE(m_dialog.UpdateData(TRUE));
        EXPECT_EQ(std::vector<std::string>{c.message}, Messages());
    }
    // Loading limits the edit to the maximum.
    m_dialog.m_intMax = -1;
    m_dialog.m_doubleMax = -1;
    m_dialog.m_text = "abc";
    ASSERT_TRUE(m_dialog.UpdateData(FALSE));
    EXPECT_EQ(5, ::SendMessageA(Item(IDC_TEST_TEXT), EM_GETLIMITTEXT, 0, 0));
}

TEST_F(Exchange, MessagesFollowTheLanguage)
{
    fw::SetTextSource("resources\\string", "_JPN");
    SetText(IDC_TEST_INT, "abc");
    EXPECT_FALSE(m_dialog.UpdateData(TRUE));
    // "整数を入力してください。" in code page 932.
    EXPECT_EQ(std::vector<std::string>{"\x90\xae\x90\x94\x82\xf0\x93\xfc\x97\xcd\x82\xb5\x82\xc4"
                                       "\x82\xad\x82\xbe\x82\xb3\x82\xa2\x81\x42"},
              Messages());
    fw::SetTextSource("resources\\string", "_ENG");
}
