// The bitmap button under Wine: its text and tip from the two lines of its window text; a
// three-state toggle through clicks, its notices and its data exchange; the flat look cold and
// under the mouse as the screen shows it; the drop-down part and its notice; the pseudo-disabled
// state; and the sizes it fits itself to.
#include "widgets/bars/OXBitmapButton.h"

#include "platform/dlg/ddx.h"
#include "platform/test/pump.h"
#include "tests/widgets/bars/ButtonTestSupport.h"

#include <gtest/gtest.h>

using namespace buttons_test;

namespace
{
const char* const kPicture = MAKEINTRESOURCEA(0x7B10);
constexpr COLORREF kMagenta = RGB(255, 0, 255);
// The picture's red and blue halves inside its one-pixel frame: 7 by 14 pixels each.
constexpr int kHalfPixels = 7 * 14;

int CountColour(const ScreenShot& shot, COLORREF colour)
{
    int count = 0;
    for (int y = 0; y < shot.Height(); ++y)
        for (int x = 0; x < shot.Width(); ++x)
            count += shot.At(x, y) == colour;
    return count;
}

// The columns that hold the colour, as [first, last]; {-1, -1} when none does.
std::pair<int, int> ColumnsOf(const ScreenShot& shot, COLORREF colour)
{
    std::pair<int, int> span(-1, -1);
    for (int x = 0; x < shot.Width(); ++x)
        for (int y = 0; y < shot.Height(); ++y)
            if (shot.At(x, y) == colour)
            {
                if (span.first < 0)
                    span.first = x;
                span.second = x;
                break;
            }
    return span;
}

CSize TextExtent(HWND hwnd, const char* text)
{
    const HDC dc = ::GetDC(hwnd);
    const auto font = reinterpret_cast<HFONT>(::SendMessageA(hwnd, WM_GETFONT, 0, 0));
    const HGDIOBJ old = ::SelectObject(dc, font ? font : ::GetStockObject(DEFAULT_GUI_FONT));
    SIZE size = {0, 0};
    ::GetTextExtentPoint32A(dc, text, lstrlenA(text), &size);
    ::SelectObject(dc, old);
    ::ReleaseDC(hwnd, dc);
    return CSize(size);
}

// A text in black on white as the window's font draws it. Its ink is what to compare with the
// screen, not its extent: a face with bitmap strikes draws its glyphs narrower than its outlines
// measure.
ScreenShot InkOf(HWND hwnd, const char* text)
{
    const auto font = reinterpret_cast<HFONT>(::SendMessageA(hwnd, WM_GETFONT, 0, 0));
    return ScreenShot::FromDrawing(
        200, 50,
        [&](HDC dc)
        {
            RECT rect = {0, 0, 200, 50};
            ::FillRect(dc, &rect, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
            const HGDIOBJ old =
                ::SelectObject(dc, font ? font : ::GetStockObject(DEFAULT_GUI_FONT));
            ::SetTextColor(dc, RGB(0, 0, 0));
            ::SetBkMode(dc, TRANSPARENT);
            ::DrawTextA(dc, text, lstrlenA(text), &rect, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
            ::SelectObject(dc, old);
        });
}

// Records what the drop-down saw of the button's own state.
class CDropDownButton : public COXBitmapButton
{
public:
    int m_dropDowns = 0;
    BOOL m_checkedWhileDropped = FALSE;

protected:
    void OnDropDown() override
    {
        ++m_dropDowns;
        m_checkedWhileDropped = IsChecked();
    }
};
} // namespace

class BitmapButton : public ButtonFixture
{
protected:
    void CreateButton(COXBitmapButton& button, const char* text, const CRect& rect,
                      UINT id = kButtonId)
    {
        ASSERT_TRUE(button.Create(text, WS_CHILD | WS_VISIBLE, rect, m_host.get(), id));
        button.SetFont(static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)));
        fw::test::Pump();
    }

    int Count(UINT message, UINT code) const
    {
        int count = 0;
        for (const Received& r : m_host->m_received)
            count += r.message == message && r.code == code;
        return count;
    }

    int DdxToggle(UINT id = kButtonId)
    {
        int value = 99;
        CDataExchange dx(m_host.get(), TRUE);
        DDX_ToggleState(&dx, static_cast<int>(id), value);
        return value;
    }
};

TEST_F(BitmapButton, ShowsTheFirstLineAndTipsTheSecond)
{
    COXBitmapButton button;
    CreateButton(button, "Open\nOpen a file", CRect(20, 20, 120, 60));
    EXPECT_STREQ("Open", button.GetText());
    EXPECT_STREQ("Open a file", button.GetToolTipText());

    // The dark pixels of the face are the text "Open" alone, as the button's font draws it.
    const ScreenShot shot = ScreenShot::OfClient(button.GetSafeHwnd());
    const auto text = ColumnsOf(shot, RGB(0, 0, 0));
    const ScreenShot open = InkOf(button.GetSafeHwnd(), "Open");
    const auto alone = ColumnsOf(open, RGB(0, 0, 0));
    ASSERT_GE(text.first, 0);
    ASSERT_GE(alone.first, 0);
    EXPECT_EQ(alone.second - alone.first, text.second - text.first);
    EXPECT_EQ(CountColour(open, RGB(0, 0, 0)), CountColour(shot, RGB(0, 0, 0)));
    EXPECT_NEAR(50, (text.first + text.second) / 2, 2) << "centred";

    ASSERT_TRUE(button.SetToolTip(TRUE));
    COXToolTipWnd* tip = button.GetToolTipWnd();
    ASSERT_NE(nullptr, tip);
    EXPECT_EQ(1, tip->GetToolCount());
    MoveCursorTo(button.GetSafeHwnd(), CPoint(40, 20));
    ASSERT_TRUE(fw::test::WaitFor([&] { return tip->IsTipShown() != FALSE; }, 2000));
    EXPECT_STREQ("Open a file", tip->GetShownText());
    POINT cursor = {40, 20};
    button.ClientToScreen(&cursor);
    CRect tipRect;
    tip->GetWindowRect(&tipRect);
    EXPECT_EQ(CPoint(cursor.x, cursor.y + 20), tipRect.TopLeft());

    button.PostMessage(WM_KEYDOWN, VK_SHIFT, 0);
    fw::test::Pump();
    EXPECT_FALSE(tip->IsTipShown());

    // A text without a line feed has no tip; a new text with one brings it back.
    button.SetWindowText("Save");
    EXPECT_EQ(0, tip->GetToolCount());
    button.SetWindowText("Save\nSave the file\nignored");
    EXPECT_EQ(1, tip->GetToolCount());
    EXPECT_STREQ("Save the file", button.GetToolTipText());
}

TEST_F(BitmapButton, AThreeStateToggleCyclesThroughClicksAndTellsItsParent)
{
    COXBitmapButton button;
    CreateButton(button, "Bold", CRect(20, 20, 120, 60));
    EXPECT_EQ(-1, DdxToggle()) << "a plain button";
    button.SetStyleEx(OXBB_EX_TOGGLE | OXBB_EX_TOGGLE3STATE);
    EXPECT_EQ(0, DdxToggle());

    const DWORD expectedStates[] = {OXBB_STATE_CHECKED,
                                    OXBB_STATE_CHECKED | OXBB_STATE_INDETERMINATE, 0};
    const int expectedDdx[] = {1, 2, 0};
    for (int click = 0; click < 3; ++click)
    {
        SCOPED_TRACE(click);
        fw::test::Click(button.GetSafeHwnd(), 50, 20);
        fw::test::Pump();
        EXPECT_EQ(expectedStates[click], button.GetToggleState());
        EXPECT_EQ(expectedDdx[click], DdxToggle());
        EXPECT_EQ(click + 1, Count(WM_NOTIFY, OXBBN_TOGGLE));
        EXPECT_EQ(click + 1, Count(WM_COMMAND, BN_CLICKED)) << "the click reaches the parent";
    }
    EXPECT_EQ(0, Count(WM_NOTIFY, OXBBN_DROPDOWN));

    // Loading: 2 is on and indeterminate, anything but 1 and 2 is stored back as 0.
    const struct
    {
        int value;
        DWORD state;
        int stored;
    } loads[] = {{1, OXBB_STATE_CHECKED, 1},
                 {2, OXBB_STATE_CHECKED | OXBB_STATE_INDETERMINATE, 2},
                 {7, 0, 0},
                 {-1, 0, 0}};
    for (const auto& load : loads)
    {
        SCOPED_TRACE(load.value);
        int value = load.value;
        CDataExchange dx(m_host.get(), FALSE);
        DDX_ToggleState(&dx, kButtonId, value);
        EXPECT_EQ(load.state, button.GetToggleState());
        EXPECT_EQ(load.stored, value);
    }
}

TEST_F(BitmapButton, ATwoStateToggleGoesBackToOffAndKeysToggleToo)
{
    COXBitmapButton button;
    CreateButton(button, "Grid", CRect(20, 20, 120, 60));
    button.SetStyleEx(OXBB_EX_TOGGLE);
    fw::test::Click(button.GetSafeHwnd(), 50, 20);
    EXPECT_TRUE(button.IsChecked());
    fw::test::Click(button.GetSafeHwnd(), 50, 20);
    EXPECT_EQ(0u, button.GetToggleState());

    button.SetFocus();
    button.SendMessage(WM_KEYDOWN, VK_SPACE, 0);
    button.SendMessage(WM_KEYUP, VK_SPACE, 0);
    fw::test::Pump();
    EXPECT_TRUE(button.IsChecked());
    EXPECT_EQ(3, Count(WM_NOTIFY, OXBBN_TOGGLE));

    // The parent may refuse: the state still changes, the button's own reaction is skipped.
    m_host->m_notifyAnswer = 1;
    fw::test::Click(button.GetSafeHwnd(), 50, 20);
    EXPECT_FALSE(button.IsChecked());
}

TEST_F(BitmapButton, AFlatButtonIsInactiveWhenColdAndRaisedUnderTheMouse)
{
    COXBitmapButton button;
    const CRect rect(20, 20, 140, 60);
    CreateButton(button, "Flat", rect);
    ASSERT_TRUE(button.LoadBitmap(kPicture, FALSE, kMagenta));
    ASSERT_TRUE(button.SetTrackLook(TRUE));
    button.SetTextColor(RGB(0, 128, 0));
    fw::test::Pump();

    const RECT client = {0, 0, rect.Width(), rect.Height()};
    const ScreenShot cold = ScreenShot::OfClient(button.GetSafeHwnd());
    EXPECT_EQ(kHalfPixels, CountColour(cold, RGB(128, 128, 128))) << "red made grey (image 1)";
    EXPECT_EQ(0, CountColour(cold, RGB(255, 0, 0)));
    EXPECT_EQ(0, CountColour(cold, RGB(0, 0, 255)));
    EXPECT_EQ(0, CountColour(cold, kMagenta)) << "masked";
    EXPECT_EQ(0, CountColour(cold, RGB(0, 128, 0))) << "cold text is black";
    EXPECT_GT(CountColour(cold, RGB(0, 0, 0)), kHalfPixels) << "blue made black, and the text";
    EXPECT_EQ(COXBitmapButton::ButtonFaceColor(), cold.At(0, 0)) << "no frame";

    MoveCursorTo(button.GetSafeHwnd(), CPoint(60, 20));
    ASSERT_TRUE(fw::test::WaitFor([&] { return button.IsHovered() != FALSE; }, 2000));
    fw::test::Pump();
    const ScreenShot hot = ScreenShot::OfClient(button.GetSafeHwnd());
    EXPECT_EQ(kHalfPixels, CountColour(hot, RGB(255, 0, 0))) << "image 0";
    EXPECT_EQ(kHalfPixels, CountColour(hot, RGB(0, 0, 255)));
    EXPECT_GT(CountColour(hot, RGB(0, 128, 0)), 0) << "the text in the button's colour";
    // The raised frame as this system draws one, ring by ring.
    const ScreenShot frame =
        ScreenShot::FromDrawing(rect.Width(), rect.Height(),
                                [&](HDC dc)
                                {
                                    RECT face = client;
                                    ::DrawFrameControl(dc, &face, DFC_BUTTON, DFCS_BUTTONPUSH);
                                });
    for (int ring = 0; ring < 2; ++ring)
        for (int x = ring; x < rect.Width() - ring; ++x)
        {
            ASSERT_EQ(frame.At(x, ring), hot.At(x, ring)) << x << ", " << ring;
            ASSERT_EQ(frame.At(x, rect.Height() - 1 - ring), hot.At(x, rect.Height() - 1 - ring));
        }

    MoveCursorAway();
    ASSERT_TRUE(fw::test::WaitFor([&] { return !button.IsHovered(); }, 2000));
    fw::test::Pump();
    EXPECT_EQ(0, ScreenShot::OfClient(button.GetSafeHwnd()).CountDifferences(cold));
}

TEST_F(BitmapButton, TheDropDownPartIsNoticedOnceAClickAndShownPressedWhileItRuns)
{
    CDropDownButton button;
    CreateButton(button, "Colour", CRect(20, 20, 140, 60));
    EXPECT_EQ(CSize(0, 0), button.GetReservedSpace());
    button.SetStyleEx(OXBB_EX_DROPDOWN | OXBB_EX_DROPDOWNNOARROW);
    EXPECT_EQ(CSize(0, 0), button.GetReservedSpace()) << "no visible arrow, no strip";
    button.SetStyleEx(OXBB_EX_DROPDOWN);
    EXPECT_GT(button.GetArrowWidth(), 0);
    EXPECT_EQ(CSize(button.GetArrowWidth() + 2, 0), button.GetReservedSpace());

    for (int click = 1; click <= 2; ++click)
    {
        fw::test::Click(button.GetSafeHwnd(), 50, 20);
        fw::test::Pump();
        EXPECT_EQ(click, Count(WM_NOTIFY, OXBBN_DROPDOWN));
        EXPECT_EQ(click, button.m_dropDowns);
        EXPECT_TRUE(button.m_checkedWhileDropped);
        EXPECT_FALSE(button.IsChecked()) << "released once the drop-down returned";
    }
    m_host->m_notifyAnswer = 1;
    fw::test::Click(button.GetSafeHwnd(), 50, 20);
    EXPECT_EQ(3, Count(WM_NOTIFY, OXBBN_DROPDOWN));
    EXPECT_EQ(2, button.m_dropDowns) << "the parent took it";
}

TEST_F(BitmapButton, APseudoDisabledButtonStaysEnabledButIgnoresClicks)
{
    COXBitmapButton button;
    ASSERT_TRUE(button.Create("Link", WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(20, 20, 120, 60),
                              m_host.get(), kButtonId));
    button.SetPseudoDisableMode(TRUE);
    button.EnableWindow(FALSE);
    EXPECT_FALSE(button.IsWindowEnabled());
    EXPECT_TRUE(::IsWindowEnabled(button.GetSafeHwnd()));
    EXPECT_EQ(0u, button.GetStyle() & WS_TABSTOP);
    fw::test::Click(button.GetSafeHwnd(), 50, 20);
    fw::test::Pump();
    EXPECT_EQ(0, Count(WM_COMMAND, BN_CLICKED));

    button.EnableWindow(TRUE);
    EXPECT_NE(0u, button.GetStyle() & WS_TABSTOP);
    fw::test::Click(button.GetSafeHwnd(), 50, 20);
    EXPECT_EQ(1, Count(WM_COMMAND, BN_CLICKED));

    button.EnableWindow(FALSE);
    button.SetPseudoDisableMode(FALSE);
    EXPECT_FALSE(::IsWindowEnabled(button.GetSafeHwnd()));
}

TEST_F(BitmapButton, FitsItselfToItsImageAndText)
{
    COXBitmapButton button;
    CreateButton(button, "", CRect(20, 20, 200, 100));
    const CSize text = TextExtent(button.GetSafeHwnd(), "Apply");
    const struct
    {
        const char* text;
        bool image;
        DWORD vertical;
        CSize size;
    } cases[] = {
        {"", false, BS_VCENTER, CSize(14, 12)},
        {"", true, BS_VCENTER, CSize(26, 26)},
        {"Apply", false, BS_VCENTER, CSize(text.cx + 14, text.cy + 12)},
        {"Apply", true, BS_VCENTER, CSize(26 + text.cx + 7, std::max<LONG>(26, text.cy + 12))},
        {"Apply", true, BS_TOP, CSize(std::max<LONG>(26, text.cx + 14), 26 + text.cy + 6)},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(std::string(c.text) + (c.image ? " with image" : ""));
        button.SetWindowText(c.text);
        if (c.image)
            ASSERT_TRUE(button.LoadBitmap(kPicture, FALSE, kMagenta));
        else
            button.RemoveImage();
        button.SetVerticalAlignment(c.vertical);
        button.SizeToContent();
        CRect window;
        button.GetWindowRect(&window);
        EXPECT_EQ(c.size, window.Size());
    }
    EXPECT_FALSE(button.LoadBitmap(MAKEINTRESOURCEA(0x7BFF)));
    EXPECT_EQ(nullptr, button.GetImageList()) << "a missing picture leaves no images";
}

TEST_F(BitmapButton, ADisabledButtonShowsItsEmbossedImageAndText)
{
    COXBitmapButton button;
    CreateButton(button, "Off", CRect(20, 20, 140, 60));
    ASSERT_TRUE(button.LoadBitmap(kPicture, FALSE, kMagenta));
    button.EnableWindow(FALSE);
    fw::test::Pump();
    const ScreenShot shot = ScreenShot::OfClient(button.GetSafeHwnd());
    EXPECT_EQ(0, CountColour(shot, RGB(255, 0, 0)));
    EXPECT_EQ(0, CountColour(shot, RGB(0, 0, 255)));
    EXPECT_GT(CountColour(shot, ::GetSysColor(COLOR_BTNHIGHLIGHT)), 0) << "embossed";
    // Inside the frame nothing is black: neither the picture nor the text.
    int black = 0;
    for (int y = 3; y < shot.Height() - 3; ++y)
        for (int x = 3; x < shot.Width() - 3; ++x)
            black += shot.At(x, y) == RGB(0, 0, 0);
    EXPECT_EQ(0, black);
}

TEST_F(BitmapButton, TheHyperlinkLookHasItsCursorsAndKeepsTheWindowEnabled)
{
    COXBitmapButton button;
    CreateButton(button, "Link", CRect(20, 20, 120, 60));
    button.SetHyperLook(TRUE);
    EXPECT_EQ(28020u, button.GetNormalCursor());
    EXPECT_EQ(28021u, button.GetDisabledCursor());
    EXPECT_TRUE(button.GetPseudoDisableMode());
    const HCURSOR hand = ::LoadCursorA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(28020));
    const HCURSOR unavailable = ::LoadCursorA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(28021));
    ASSERT_NE(nullptr, hand);
    ASSERT_NE(nullptr, unavailable);
    const LPARAM overClient = MAKELPARAM(HTCLIENT, WM_MOUSEMOVE);
    button.SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(button.GetSafeHwnd()), overClient);
    EXPECT_EQ(hand, ::GetCursor());
    button.EnableWindow(FALSE);
    EXPECT_TRUE(::IsWindowEnabled(button.GetSafeHwnd()));
    button.SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(button.GetSafeHwnd()), overClient);
    EXPECT_EQ(unavailable, ::GetCursor());
    EXPECT_FALSE(button.SetNormalCursor(0x7BFE)) << "no such cursor";
    EXPECT_EQ(28020u, button.GetNormalCursor());

    button.SetHyperLook(FALSE);
    EXPECT_EQ(0u, button.GetNormalCursor());
}

TEST_F(BitmapButton, AMultiLineTextIsFittedIntoABalancedShape)
{
    COXBitmapButton button;
    const char* text = "Open the selected result file in a new window of its own";
    ASSERT_TRUE(button.Create(text, WS_CHILD | WS_VISIBLE | BS_MULTILINE, CRect(20, 20, 60, 40),
                              m_host.get(), kButtonId));
    button.SetFont(static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)));
    button.SizeToContent();
    CRect window;
    button.GetWindowRect(&window);
    const CSize line = TextExtent(button.GetSafeHwnd(), text);
    EXPECT_LT(window.Width(), line.cx) << "wrapped";
    EXPECT_GT(window.Height(), 2 * line.cy) << "over several lines";
    EXPECT_LT(window.Width(), 4 * window.Height());

    // A text that cannot wrap keeps its one line.
    button.SetWindowText("Unbreakable_text_without_blanks");
    button.SizeToContent();
    button.GetWindowRect(&window);
    EXPECT_EQ(TextExtent(button.GetSafeHwnd(), "Unbreakable_text_without_blanks").cx + 14,
              window.Width());
}

TEST_F(BitmapButton, ItsInactiveAndDisabledImagesMayBeReplaced)
{
    COXBitmapButton button;
    CreateButton(button, "", CRect(20, 20, 60, 60));
    EXPECT_FALSE(button.SetInactiveBitmap(kPicture)) << "no images yet";
    ASSERT_TRUE(button.LoadBitmap(kPicture, FALSE, kMagenta));
    ASSERT_TRUE(button.SetTrackLook(TRUE));
    EXPECT_FALSE(button.SetDisabledBitmap(MAKEINTRESOURCEA(0x7BFF)));
    // The cold flat button shows image 1, now the coloured picture itself.
    ASSERT_TRUE(button.SetInactiveBitmap(kPicture));
    button.Invalidate();
    fw::test::Pump();
    const ScreenShot shot = ScreenShot::OfClient(button.GetSafeHwnd());
    EXPECT_EQ(kHalfPixels, CountColour(shot, RGB(255, 0, 0)));
    EXPECT_EQ(0, CountColour(shot, kMagenta)) << "masked as the picture it replaced";
}
