// The colour picker button under Wine, as the settings dialogs make it (40 colours in 4 rows,
// no colour, 18-pixel swatches): a picked swatch becomes its colour and its band before the
// parent hears the click; a colour outside the palette selects the custom button; the custom
// button asks the colour dialog; the default colour and no colour; a torn-off bar's pick; and
// a dialog button subclassed into one.
#include "widgets/bars/OXColorPickerButton.h"

#include "platform/dlg/ddx.h"
#include "platform/sys/services.h"
#include "platform/test/pump.h"
#include "platform/test/scripted_services.h"
#include "tests/widgets/bars/ButtonTestSupport.h"

#include <functional>
#include <gtest/gtest.h>
#include <vector>

using namespace buttons_test;

namespace
{
constexpr int kWidth = 60;
constexpr int kHeight = 24;

std::function<void()> g_step;
void CALLBACK RunStep(HWND, UINT, UINT_PTR id, DWORD)
{
    ::KillTimer(nullptr, id);
    const std::function<void()> step = std::move(g_step);
    g_step = nullptr;
    if (step)
        step();
}
// Runs a step from inside the bar's modal loop.
void DuringLoop(std::function<void()> step)
{
    g_step = std::move(step);
    ::SetTimer(nullptr, 0, 30, &RunStep);
}

void ClickBarButton(COXPopupBarControl& bar, int index)
{
    const CPoint point = bar.GetButtonRect(index).CenterPoint();
    const LPARAM where = MAKELPARAM(point.x, point.y);
    ::PostMessageA(bar.GetSafeHwnd(), WM_MOUSEMOVE, 0, where);
    ::PostMessageA(bar.GetSafeHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, where);
    ::PostMessageA(bar.GetSafeHwnd(), WM_LBUTTONUP, 0, where);
}

// The colour dialog answers as scripted and remembers what it was asked.
class RecordingServices : public fw::test::ScriptedServices
{
public:
    BOOL ChooseColor(CHOOSECOLORA* cc) override
    {
        asked = *cc;
        ++calls;
        return ScriptedServices::ChooseColor(cc);
    }
    CHOOSECOLORA asked = {};
    int calls = 0;
};
} // namespace

class ColorPickerButton : public ButtonFixture
{
protected:
    void SetUp() override
    {
        ButtonFixture::SetUp();
        ASSERT_TRUE(m_button.Create("", WS_CHILD | WS_VISIBLE,
                                    CRect(20, 20, 20 + kWidth, 20 + kHeight), m_host.get(),
                                    kButtonId));
        ASSERT_NE(nullptr, m_button.GetColorBar().GetSafeHwnd()) << "made with the button";
        fw::test::Pump();
    }
    void TearDown() override
    {
        g_step = nullptr;
        m_button.DestroyWindow();
        ButtonFixture::TearDown();
    }

    // Opens the popup by a click on the button; step runs while it is open.
    void ClickButton(std::function<void(COXColorPopupBar&)> step)
    {
        COXColorPopupBar& bar = m_button.GetColorBar();
        DuringLoop([&bar, step] { step(bar); });
        fw::test::Click(m_button.GetSafeHwnd(), 20, 10);
        fw::test::Pump();
        // The focus the bar gives back reaches the window system later; a bar opened again at
        // once would lose its capture to it.
        fw::test::WaitFor([] { return false; }, 100);
    }

    // The band's inside: the client area without the arrow strip, 5 pixels in, inside its
    // one-pixel frame.
    CRect BandInside() const
    {
        CRect band(0, 0, kWidth - (m_button.GetArrowWidth() + 2), kHeight);
        band.DeflateRect(6, 6);
        return band;
    }

    int Count(UINT message, UINT code) const
    {
        int count = 0;
        for (const Received& r : m_host->m_received)
            count += r.message == message && r.code == code;
        return count;
    }

    COXColorPickerButton m_button{40, 4, 0xFFFFFFFF, 18, 18, 26536, 26537};
};

TEST_F(ColorPickerButton, ASwatchBecomesTheColourAndTheBandBeforeTheParentHearsTheClick)
{
    COLORREF colourWhenClicked = 0x12345678;
    BOOL barShownWhenClicked = TRUE;
    m_host->m_onReceive = [&](const Received& r)
    {
        if (r.message == WM_COMMAND && r.code == BN_CLICKED)
        {
            colourWhenClicked = m_button.GetColor();
            barShownWhenClicked = m_button.GetColorBar().IsWindowVisible();
        }
    };
    int selectedWhileOpen = -2;
    ClickButton(
        [&](COXColorPopupBar& bar)
        {
            selectedWhileOpen = bar.GetSelectedIndex();
            ClickBarButton(bar, 17);
        });
    EXPECT_EQ(-1, selectedWhileOpen) << "no colour: nothing selected";
    EXPECT_EQ(0x000000FFu, m_button.GetColor());
    EXPECT_EQ(0x000000FFu, colourWhenClicked);
    EXPECT_FALSE(barShownWhenClicked);
    EXPECT_EQ(1, Count(WM_NOTIFY, OXBBN_DROPDOWN));
    EXPECT_FALSE(m_button.IsChecked()) << "released after the drop-down";

    // The button has the focus again, so its focus marks cross the band on two rows: the dotted
    // focus rectangle 4 pixels inside the face (every other pixel inverted) and the default frame
    // on the face's edge. The rest of the band is red.
    EXPECT_EQ(m_button.GetSafeHwnd(), ::GetFocus());
    const ScreenShot shot = ScreenShot::OfClient(m_button.GetSafeHwnd());
    const CRect band = BandInside();
    const int faceBottom = kHeight - (m_button.GetColorBandHeight() + 2);
    const int focusRow = faceBottom - 5;
    const int frameRow = faceBottom - 1;
    int dots = 0;
    for (int y = band.top; y < band.bottom; ++y)
        for (int x = band.left; x < band.right; ++x)
        {
            const COLORREF pixel = shot.At(x, y);
            if (y == frameRow)
                ASSERT_EQ(RGB(0, 0, 0), pixel) << x << ", " << y;
            else if (y == focusRow && pixel == RGB(0, 255, 255))
                ++dots;
            else
                ASSERT_EQ(RGB(255, 0, 0), pixel) << x << ", " << y;
        }
    EXPECT_NEAR(band.Width() / 2, dots, 1) << "the focus rectangle's dotted line";
    EXPECT_EQ(::GetSysColor(COLOR_BTNSHADOW), shot.At(band.left - 1, band.top - 1)) << "frame";

    // The swatches are named from the string table, the two out of sequence included.
    COXColorPopupBar& bar = m_button.GetColorBar();
    EXPECT_STREQ("Red", bar.GetToolTipText(RGB(255, 0, 0)));
    EXPECT_STREQ("Grey 40%", bar.GetToolTipText(RGB(102, 102, 102)));
    EXPECT_STREQ("Grey 50%", bar.GetToolTipText(RGB(127, 127, 127)));
    EXPECT_STREQ("Default", bar.GetDefaultButtonText());
    EXPECT_STREQ("Custom...", bar.GetCustomButtonText());
}

TEST_F(ColorPickerButton, AColourInThePaletteShowsItsSwatchSelectedAndOneOutsideTheCustomButton)
{
    const struct
    {
        COLORREF color;
        int selected;
    } cases[] = {{RGB(255, 255, 0), 27}, {RGB(1, 2, 3), 41}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.selected);
        m_button.SetColor(c.color);
        int selected = -2;
        ClickButton(
            [&](COXColorPopupBar& bar)
            {
                selected = bar.GetSelectedIndex();
                bar.SendMessage(WM_KEYUP, VK_ESCAPE, 0);
            });
        EXPECT_EQ(c.selected, selected);
        EXPECT_EQ(c.color, m_button.GetColor()) << "a cancelled bar changes nothing";
    }
    EXPECT_EQ(2, Count(WM_COMMAND, BN_CLICKED)) << "the parent hears every click";
}

TEST_F(ColorPickerButton, TheCustomButtonAsksTheColourDialog)
{
    RecordingServices services;
    sys::Services* previous = sys::Install(&services);
    m_button.SetColor(RGB(0, 0, 255));

    services.hasColorAnswer = true;
    services.colorAnswer = RGB(10, 20, 30);
    ClickButton([](COXColorPopupBar& bar) { ClickBarButton(bar, 41); });
    EXPECT_EQ(1, services.calls);
    EXPECT_EQ(RGB(0, 0, 255), services.asked.rgbResult) << "the dialog starts from the colour";
    EXPECT_EQ(static_cast<DWORD>(CC_FULLOPEN | CC_ANYCOLOR),
              services.asked.Flags & (CC_FULLOPEN | CC_ANYCOLOR));
    EXPECT_EQ(m_button.GetSafeHwnd(), services.asked.hwndOwner);
    EXPECT_EQ(RGB(10, 20, 30), m_button.GetColor());

    // Opened again, the custom button is the selected one; a cancelled dialog changes nothing.
    services.hasColorAnswer = false;
    int selected = -2;
    ClickButton(
        [&](COXColorPopupBar& bar)
        {
            selected = bar.GetSelectedIndex();
            ClickBarButton(bar, 41);
        });
    EXPECT_EQ(41, selected);
    EXPECT_EQ(2, services.calls);
    EXPECT_EQ(RGB(10, 20, 30), m_button.GetColor());
    sys::Install(previous);
}

TEST_F(ColorPickerButton, TheDefaultColourAndNoColour)
{
    m_button.GetColorBar().SetDefaultValue(RGB(0, 128, 0));
    m_button.SetColor(COXColorPickerButton::kDefaultColor, TRUE);
    EXPECT_EQ(RGB(0, 128, 0), m_button.GetColor());

    m_button.SetColor(RGB(255, 0, 0));
    ClickButton([](COXColorPopupBar& bar) { ClickBarButton(bar, 0); });
    EXPECT_EQ(RGB(0, 128, 0), m_button.GetColor()) << "the default button";

    m_button.SetColor(COXColorPickerButton::kNoColor, TRUE);
    fw::test::Pump();
    const ScreenShot shot = ScreenShot::OfClient(m_button.GetSafeHwnd());
    const CRect band = BandInside();
    EXPECT_EQ(::GetSysColor(COLOR_BTNSHADOW), shot.At(band.left - 1, band.top - 1));
    // Only the frame: the inside is the face, but for the two rows where a focused button's
    // marks cross it (the dotted focus rectangle inverts every other pixel, the default frame is
    // black), which still show no colour.
    const COLORREF face = COXBitmapButton::ButtonFaceColor();
    const int faceBottom = kHeight - (m_button.GetColorBandHeight() + 2);
    for (int y = band.top; y < band.bottom; ++y)
        for (int x = band.left; x < band.right; ++x)
        {
            const COLORREF pixel = shot.At(x, y);
            if (y == faceBottom - 5 && pixel == (~face & 0xFFFFFF))
                continue;
            if (y == faceBottom - 1 && pixel == RGB(0, 0, 0))
                continue;
            ASSERT_EQ(face, pixel) << x << ", " << y << ": only the frame";
        }
}

TEST_F(ColorPickerButton, ATornOffBarsPickReachesTheParent)
{
    COXColorPopupBar& bar = m_button.GetColorBar();
    bar.SetSelectedValue(RGB(0, 255, 0));
    m_button.SendMessage(OXPB_PICKED, 0, reinterpret_cast<LPARAM>(m_host->GetSafeHwnd()));
    EXPECT_EQ(COXColorPickerButton::kNoColor, m_button.GetColor()) << "not its bar";
    m_button.SendMessage(OXPB_PICKED, 0, reinterpret_cast<LPARAM>(bar.GetSafeHwnd()));
    EXPECT_EQ(RGB(0, 255, 0), m_button.GetColor());
    ASSERT_EQ(1, Count(OXPB_PICKED, 0));
    EXPECT_EQ(m_button.GetSafeHwnd(), m_host->m_received.back().from);
}

TEST_F(ColorPickerButton, ADialogButtonSubclassedIntoOneMakesItsBar)
{
    constexpr UINT kDialogButton = 0x7B02;
    const HWND plain = ::CreateWindowExA(
        0, "BUTTON", "", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, 100, 20, kWidth, kHeight,
        m_host->GetSafeHwnd(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(kDialogButton)),
        nullptr, nullptr);
    ASSERT_NE(nullptr, plain);
    COXColorPickerButton picker(40, 4, 0xFFFFFFFF, 18, 18, 26536, 26537);
    CDataExchange dx(m_host.get(), FALSE);
    DDX_Control(&dx, kDialogButton, picker);
    EXPECT_NE(nullptr, picker.GetColorBar().GetSafeHwnd());
    picker.SetColor(RGB(255, 0, 0), TRUE);
    fw::test::Pump();
    const ScreenShot shot = ScreenShot::OfClient(plain);
    EXPECT_EQ(RGB(255, 0, 0), shot.At(BandInside().CenterPoint().x, BandInside().CenterPoint().y));
    picker.DestroyWindow();
}

TEST_F(ColorPickerButton, TheOpenPaletteShowsItsFortyColoursAndTheDefaultsSwatch)
{
    m_button.GetColorBar().SetDefaultValue(RGB(0, 128, 0));
    std::vector<COLORREF> centres;
    std::vector<COLORREF> defaultSwatch;
    int columns = 0;
    ClickButton(
        [&](COXColorPopupBar& bar)
        {
            fw::test::Pump();
            const ScreenShot shot = ScreenShot::OfClient(bar.GetSafeHwnd());
            for (int i = 1; i <= 40; ++i)
            {
                const CPoint centre = bar.GetButtonRect(i).CenterPoint();
                centres.push_back(shot.At(centre.x, centre.y));
            }
            const CRect button = bar.GetButtonRect(0);
            // The default colour's square sits at the left of the default button, inside its
            // frames.
            defaultSwatch.push_back(
                shot.At(button.left + button.Height() / 2, button.top + button.Height() / 2));
            columns = bar.GetColumns();
            bar.SendMessage(WM_KEYUP, VK_ESCAPE, 0);
        });
    EXPECT_EQ(10, columns);
    ASSERT_EQ(40u, centres.size());
    for (int i = 0; i < 40; ++i)
        EXPECT_EQ(COXColorPopupBar::DefaultColor(i), centres[static_cast<size_t>(i)])
            << "swatch " << i + 1;
    ASSERT_EQ(1u, defaultSwatch.size());
    EXPECT_EQ(RGB(0, 128, 0), defaultSwatch[0]);
}
