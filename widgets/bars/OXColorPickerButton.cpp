// The colour popup bar (swatches, the default colour's swatch, the colour dialog) and the colour
// picker button (its band, the drop-down that opens the bar, a torn-off bar's picks).
#include "widgets/bars/OXColorPickerButton.h"

#include "platform/sys/services.h"
#include "resources/ids/widgets_ids.h"

#include <algorithm>

namespace
{
struct PaletteEntry
{
    COLORREF color;
    UINT nameId;
};

// Four rows of ten; the names of the 16th and 24th colours are out of sequence.
constexpr PaletteEntry kPalette[COXColorPopupBar::kDefaultColorCount] = {
    {RGB(0, 0, 0), 26540},       {RGB(165, 42, 42), 26541},   {RGB(0, 64, 64), 26542},
    {RGB(0, 85, 0), 26543},      {RGB(0, 0, 94), 26544},      {RGB(0, 0, 139), 26545},
    {RGB(75, 0, 130), 26546},    {RGB(40, 40, 40), 26547},    {RGB(139, 0, 0), 26548},
    {RGB(255, 104, 32), 26549},  {RGB(139, 139, 0), 26550},   {RGB(0, 147, 0), 26551},
    {RGB(56, 142, 142), 26552},  {RGB(0, 0, 255), 26553},     {RGB(123, 123, 192), 26554},
    {RGB(102, 102, 102), 26563}, {RGB(255, 0, 0), 26556},     {RGB(255, 173, 91), 26557},
    {RGB(50, 205, 50), 26558},   {RGB(60, 179, 113), 26559},  {RGB(127, 255, 212), 26560},
    {RGB(125, 158, 192), 26561}, {RGB(128, 0, 128), 26562},   {RGB(127, 127, 127), 26555},
    {RGB(255, 192, 203), 26564}, {RGB(255, 215, 0), 26565},   {RGB(255, 255, 0), 26566},
    {RGB(0, 255, 0), 26567},     {RGB(64, 224, 208), 26568},  {RGB(192, 255, 255), 26569},
    {RGB(72, 0, 72), 26570},     {RGB(192, 192, 192), 26571}, {RGB(255, 228, 225), 26572},
    {RGB(210, 180, 140), 26573}, {RGB(255, 255, 224), 26574}, {RGB(152, 251, 152), 26575},
    {RGB(175, 238, 238), 26576}, {RGB(104, 131, 139), 26577}, {RGB(230, 230, 250), 26578},
    {RGB(255, 255, 255), 26579}};

constexpr int kBandInset = -5;   // the band's inset from the sides
constexpr int kBandReserve = -2; // what the band keeps below the face besides its height
constexpr UINT kMaxPaletteEntries = 256;

void FillSolid(HDC dc, const RECT& rect, COLORREF colour)
{
    const HBRUSH brush = ::CreateSolidBrush(colour);
    ::FillRect(dc, &rect, brush);
    ::DeleteObject(brush);
}

void FrameSolid(HDC dc, const RECT& rect, COLORREF colour)
{
    const HBRUSH brush = ::CreateSolidBrush(colour);
    ::FrameRect(dc, &rect, brush);
    ::DeleteObject(brush);
}

// Entries of the system palette on palette devices, else of the screen's current palette.
std::vector<PALETTEENTRY> ScreenPalette(BOOL systemPalette)
{
    std::vector<PALETTEENTRY> entries;
    const HDC screen = ::GetDC(nullptr);
    if (systemPalette && (::GetDeviceCaps(screen, RASTERCAPS) & RC_PALETTE))
    {
        int size = ::GetDeviceCaps(screen, SIZEPALETTE);
        if (size <= 0)
            size = ::GetDeviceCaps(screen, NUMCOLORS);
        entries.resize(static_cast<size_t>(std::max(size, 0)));
        if (!entries.empty())
            entries.resize(
                ::GetSystemPaletteEntries(screen, 0, static_cast<UINT>(size), entries.data()));
    }
    else
    {
        const auto palette = static_cast<HPALETTE>(::GetCurrentObject(screen, OBJ_PAL));
        const UINT size = palette ? ::GetPaletteEntries(palette, 0, 0, nullptr) : 0;
        entries.resize(size);
        if (size)
            ::GetPaletteEntries(palette, 0, size, entries.data());
    }
    ::ReleaseDC(nullptr, screen);
    return entries;
}
} // namespace

COLORREF COXColorPopupBar::DefaultColor(int index)
{
    return index >= 0 && index < kDefaultColorCount ? kPalette[index].color : 0;
}

UINT COXColorPopupBar::DefaultColorNameId(int index)
{
    return index >= 0 && index < kDefaultColorCount ? kPalette[index].nameId : 0;
}

COXColorPopupBar::COXColorPopupBar(int count, int rows, COLORREF defaultColor, int buttonWidth,
                                   int buttonHeight, UINT defaultTextId, UINT customTextId)
    : COXPopupBarControl(count, rows, defaultColor, buttonWidth, buttonHeight, defaultTextId,
                         customTextId)
{
}

COXColorPopupBar::~COXColorPopupBar()
{
    if (m_hWnd)
        DestroyWindow();
    if (m_palette)
        ::DeleteObject(m_palette);
}

BOOL COXColorPopupBar::Pick(UINT alignment, const RECT* anchor, int dx, int dy)
{
    if (m_values.empty())
        for (const PaletteEntry& entry : kPalette)
            m_values.push_back(entry.color);
    if (static_cast<int>(m_values.size()) < m_count)
        m_values.resize(static_cast<size_t>(m_count), RGB(0, 0, 0));
    if (m_toolTipTexts.empty())
    {
        std::pair<DWORD, UINT> names[kDefaultColorCount];
        for (int i = 0; i < kDefaultColorCount; ++i)
            names[i] = {kPalette[i].color, kPalette[i].nameId};
        SetToolTipTexts(names, kDefaultColorCount);
    }
    BuildPalette();
    return COXPopupBarControl::Pick(alignment, anchor, dx, dy);
}

BOOL COXColorPopupBar::SetButtonsFromPalette(int first, int count, BOOL systemPalette)
{
    std::vector<int> indexes;
    for (int i = 0; i < count; ++i)
        indexes.push_back(first + i);
    return SetButtonsFromPalette(indexes, systemPalette);
}

BOOL COXColorPopupBar::SetButtonsFromPalette(const std::vector<int>& indexes, BOOL systemPalette)
{
    const std::vector<PALETTEENTRY> entries = ScreenPalette(systemPalette);
    std::vector<DWORD> colors;
    for (int index : indexes)
    {
        if (index < 0 || index >= static_cast<int>(entries.size()))
            return FALSE;
        const PALETTEENTRY& entry = entries[static_cast<size_t>(index)];
        colors.push_back(RGB(entry.peRed, entry.peGreen, entry.peBlue));
    }
    SetButtons(colors);
    return TRUE;
}

void COXColorPopupBar::AppendColors(const COLORREF* colors, int count)
{
    for (int i = 0; i < count; ++i)
        m_values.push_back(colors[i]);
}

void COXColorPopupBar::BuildPalette()
{
    if (m_palette)
        ::DeleteObject(m_palette);
    m_palette = nullptr;
    const UINT count = std::min<UINT>(static_cast<UINT>(m_values.size()), kMaxPaletteEntries);
    if (count == 0)
        return;
    std::vector<BYTE> buffer(sizeof(LOGPALETTE) + count * sizeof(PALETTEENTRY));
    auto* palette = reinterpret_cast<LOGPALETTE*>(buffer.data());
    palette->palVersion = 0x300;
    palette->palNumEntries = static_cast<WORD>(count);
    for (UINT i = 0; i < count; ++i)
    {
        const COLORREF color = m_values[i];
        palette->palPalEntry[i] = {GetRValue(color), GetGValue(color), GetBValue(color), 0};
    }
    m_palette = ::CreatePalette(palette);
}

void COXColorPopupBar::DrawButton(HDC dc, int index)
{
    CRect rect = GetButtonRect(index);
    DrawFrameRect(dc, rect, index);
    rect.DeflateRect(1, 1);
    FrameSolid(dc, rect, ::GetSysColor(COLOR_BTNSHADOW));
    rect.DeflateRect(1, 1);
    FillSolid(dc, rect, 0x02000000 | (m_values[static_cast<size_t>(index - 1)] & 0xFFFFFF));
}

void COXColorPopupBar::DrawDefaultButton(HDC dc)
{
    CRect rect = GetButtonRect(0);
    DrawFrameRect(dc, rect, 0);
    rect.DeflateRect(1, 1);
    FrameSolid(dc, rect, ::GetSysColor(COLOR_BTNSHADOW));
    rect.DeflateRect(1, 1);
    if (m_defaultValue != kNone)
    {
        CRect swatch(rect.left, rect.top, rect.left + rect.Height(), rect.bottom);
        rect.left = swatch.right;
        swatch.DeflateRect(1, 1);
        FrameSolid(dc, swatch, ::GetSysColor(COLOR_BTNSHADOW));
        swatch.DeflateRect(1, 1);
        FillSolid(dc, swatch, m_defaultValue & 0xFFFFFF);
    }
    DrawCentredText(dc, m_defaultText, rect);
}

BOOL COXColorPopupBar::OnCustomButton()
{
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    static COLORREF s_customColors[16] = {};
    CHOOSECOLORA choose = {};
    choose.lStructSize = sizeof choose;
    CWnd* owner = GetOwnerWnd();
    choose.hwndOwner = owner ? owner->GetSafeHwnd() : nullptr;
    choose.rgbResult = m_selectedValue == kNone ? 0 : (m_selectedValue & 0xFFFFFF);
    choose.lpCustColors = s_customColors;
    choose.Flags = CC_FULLOPEN | CC_ANYCOLOR | CC_RGBINIT;
    if (!sys::Get().ChooseColor(&choose))
        return FALSE;
    SetSelectedIndex(m_count + 1);
    m_selectedValue = choose.rgbResult;
    return TRUE;
}

FW_TABLE(COXColorPickerButton, COXBitmapButton,
         fw::on<WM_CREATE, &COXColorPickerButton::OnCreate>(),
         fw::raw<OXPB_PICKED, &COXColorPickerButton::OnColorPicked>())

COXColorPickerButton::COXColorPickerButton(int count, int rows, COLORREF defaultColor,
                                           int buttonWidth, int buttonHeight, UINT defaultTextId,
                                           UINT customTextId)
    : m_colorBar(count, rows, defaultColor, buttonWidth, buttonHeight, defaultTextId, customTextId)
{
    SetStyleEx(OXBB_EX_DROPDOWN, TRUE);
}

void COXColorPickerButton::SetColor(COLORREF color, BOOL redraw)
{
    m_color = color == kDefaultColor ? m_colorBar.GetDefaultValue() : color;
    if (redraw && m_hWnd)
        Invalidate();
}

void COXColorPickerButton::SetColorBandHeight(int height)
{
    m_bandHeight = std::max(height, 0);
    if (m_hWnd)
        Invalidate();
}

BOOL COXColorPickerButton::PreCreateWindow(CREATESTRUCTA& cs)
{
    m_bCreating = TRUE;
    return COXBitmapButton::PreCreateWindow(cs);
}

void COXColorPickerButton::PreSubclassWindow()
{
    COXBitmapButton::PreSubclassWindow();
    if (!m_bCreating)
        CreateColorBar();
}

int COXColorPickerButton::OnCreate(LPCREATESTRUCTA)
{
    m_bCreating = FALSE;
    if (Default() == -1)
        return -1;
    return CreateColorBar() ? 0 : -1;
}

BOOL COXColorPickerButton::CreateColorBar()
{
    if (m_colorBar.GetSafeHwnd())
        return TRUE;
    return m_colorBar.Create(this, COXPopupBarControl::kNoTearOff);
}

CSize COXColorPickerButton::GetReservedSpace()
{
    CSize reserved = COXBitmapButton::GetReservedSpace();
    if (m_bandHeight != 0)
        reserved.cy += m_bandHeight - kBandReserve;
    return reserved;
}

void COXColorPickerButton::OnDropDown()
{
    if (!m_colorBar.GetSafeHwnd())
        return;
    m_colorBar.SetSelectedValue(m_color == kDefaultColor ? m_colorBar.GetDefaultValue() : m_color);
    const UINT alignment = (GetStyleEx() & OXBB_EX_DROPDOWNRIGHT) ? COXPopupBarControl::kRightTop
                                                                  : COXPopupBarControl::kBelowLeft;
    CRect anchor;
    GetWindowRect(&anchor);
    if (m_colorBar.Pick(alignment, &anchor, 0, 0))
    {
        m_color = m_colorBar.GetSelectedValue();
        Invalidate();
    }
}

void COXColorPickerButton::DrawItem(LPDRAWITEMSTRUCT item)
{
    const HDC dc = item->hDC;
    const CRect itemRect(item->rcItem);
    UINT state = item->itemState & ~ODS_DISABLED;
    if (!IsWindowEnabled())
        state |= ODS_DISABLED;
    const CSize reserved = GetReservedSpace();
    const CRect content(itemRect.left, itemRect.top, itemRect.right - reserved.cx,
                        itemRect.bottom - reserved.cy);
    CRect imageRect;
    CRect textRect;
    DistributeSpace(state, content, imageRect, textRect);
    const HFONT font = GetFont();
    const HGDIOBJ oldFont = ::SelectObject(dc, font ? font : ::GetStockObject(DEFAULT_GUI_FONT));
    const HPALETTE oldPalette = SelectPalette(dc);
    DrawButton(dc, state, itemRect);
    DrawImage(dc, state, imageRect, textRect);
    DrawText(dc, state, textRect);
    if (HasDropDownArrow())
    {
        CRect strip = ArrowRect(content);
        strip.bottom += m_bandHeight - kBandReserve;
        DrawDropDownArrow(dc, state, strip);
    }
    if (m_bandHeight != 0)
        DrawColorBand(dc, state, BandRect(content, imageRect, textRect));
    if (state & ODS_FOCUS)
        DrawFocusRectangle(dc, state, content, imageRect, textRect);
    if (m_animation)
        ::SetWindowPos(m_animation, nullptr, imageRect.left + 1, imageRect.top + 1, 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    RestorePalette(dc, oldPalette);
    ::SelectObject(dc, oldFont);
}

CRect COXColorPickerButton::BandRect(const CRect& content, const CRect& imageRect,
                                     const CRect& textRect) const
{
    if (!imageRect.IsRectEmpty() || !textRect.IsRectEmpty())
    {
        const int top = content.bottom - 4;
        return CRect(content.left - kBandInset, top, content.right + kBandInset,
                     top + m_bandHeight);
    }
    CRect client;
    GetClientRect(&client);
    if (HasDropDownArrow())
        client.right -= GetArrowWidth() + 2;
    client.InflateRect(kBandInset, kBandInset);
    return client;
}

void COXColorPickerButton::DrawColorBand(HDC dc, UINT state, const CRect& band)
{
    CRect rect = band;
    if ((state & ODS_SELECTED) || IsChecked())
        rect.OffsetRect(m_pressedOffset);
    FrameSolid(dc, rect, ::GetSysColor(COLOR_BTNSHADOW));
    rect.DeflateRect(1, 1);
    if (m_color != kNoColor && !(state & ODS_DISABLED) && !rect.IsRectEmpty())
        FillSolid(dc, rect, m_color & 0xFFFFFF);
}

LRESULT COXColorPickerButton::OnColorPicked(WPARAM, LPARAM lParam)
{
    if (reinterpret_cast<HWND>(lParam) != m_colorBar.GetSafeHwnd())
        return 0;
    SetColor(m_colorBar.GetSelectedValue(), TRUE);
    if (const HWND parent = ::GetParent(m_hWnd))
        ::SendMessageA(parent, OXPB_PICKED, 0, reinterpret_cast<LPARAM>(m_hWnd));
    return 0;
}
