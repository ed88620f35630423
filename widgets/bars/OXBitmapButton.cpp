// The bitmap button's behaviour: images, looks, hover tracking with the mouse captured,
// toggling, notifications, the tip and the data exchange of the toggle state.
#include "widgets/bars/OXBitmapButton.h"

#include "platform/dlg/ddx.h"

#include <commctrl.h>

namespace
{
constexpr UINT kHandCursorId = 28020;
constexpr UINT kNoCursorId = 28021;

COLORREF g_buttonFace = ::GetSysColor(COLOR_BTNFACE);

HINSTANCE Instance()
{
    return ::GetModuleHandleA(nullptr);
}

// Field `index` (1-based) of text split at line feeds; empty when missing.
CString Field(const CString& text, int index)
{
    int start = 0;
    for (int field = 1; field < index; ++field)
    {
        const int end = text.Find('\n', start);
        if (end < 0)
            return CString();
        start = end + 1;
    }
    const int end = text.Find('\n', start);
    return end < 0 ? text.Mid(start) : text.Mid(start, end - start);
}

BYTE GreyLevel(const RGBQUAD& colour)
{
    const int grey = (77 * colour.rgbRed + 153 * colour.rgbGreen + 25 * colour.rgbBlue) / 255;
    return static_cast<BYTE>(grey < 64 ? 0 : grey < 160 ? 128 : grey < 224 ? 192 : 255);
}

// A copy of an 8-bit-or-less DIB section with every colour but the mask grey; null for deeper
// bitmaps, which get none.
HBITMAP MakeGreyCopy(HBITMAP bitmap, COLORREF mask)
{
    DIBSECTION section = {};
    if (!::GetObjectA(bitmap, sizeof section, &section) || section.dsBm.bmBitsPixel > 8)
        return nullptr;
    const auto copy =
        static_cast<HBITMAP>(::CopyImage(bitmap, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (!copy)
        return nullptr;
    const HDC dc = ::CreateCompatibleDC(nullptr);
    const HGDIOBJ old = ::SelectObject(dc, copy);
    RGBQUAD colours[256];
    const UINT count = ::GetDIBColorTable(dc, 0, 256, colours);
    for (UINT i = 0; i < count; ++i)
    {
        if (RGB(colours[i].rgbRed, colours[i].rgbGreen, colours[i].rgbBlue) == mask)
            continue;
        const BYTE grey = GreyLevel(colours[i]);
        colours[i].rgbRed = colours[i].rgbGreen = colours[i].rgbBlue = grey;
    }
    ::SetDIBColorTable(dc, 0, count, colours);
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    return copy;
}

HPALETTE MakePalette(HBITMAP bitmap)
{
    const HDC dc = ::CreateCompatibleDC(nullptr);
    const HGDIOBJ old = ::SelectObject(dc, bitmap);
    RGBQUAD colours[256];
    const UINT count = ::GetDIBColorTable(dc, 0, 256, colours);
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    if (count == 0)
        return nullptr;
    std::vector<BYTE> buffer(sizeof(LOGPALETTE) + count * sizeof(PALETTEENTRY));
    auto* palette = reinterpret_cast<LOGPALETTE*>(buffer.data());
    palette->palVersion = 0x300;
    palette->palNumEntries = static_cast<WORD>(count);
    for (UINT i = 0; i < count; ++i)
        palette->palPalEntry[i] = {colours[i].rgbRed, colours[i].rgbGreen, colours[i].rgbBlue, 0};
    return ::CreatePalette(palette);
}

// Image 0 embossed on the button face, as a bitmap of the list's image size.
HBITMAP MakeDisabledImage(HIMAGELIST images)
{
    int width = 0;
    int height = 0;
    ::ImageList_GetIconSize(images, &width, &height);
    const HDC screen = ::GetDC(nullptr);
    const HDC dc = ::CreateCompatibleDC(screen);
    const HBITMAP bitmap = ::CreateCompatibleBitmap(screen, width, height);
    ::ReleaseDC(nullptr, screen);
    const HGDIOBJ old = ::SelectObject(dc, bitmap);
    const RECT all = {0, 0, width, height};
    const HBRUSH face = ::CreateSolidBrush(COXBitmapButton::ButtonFaceColor());
    ::FillRect(dc, &all, face);
    ::DeleteObject(face);
    const HICON icon = ::ImageList_GetIcon(images, 0, ILD_NORMAL);
    ::DrawStateA(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(icon), 0, 0, 0, width, height,
                 DST_ICON | DSS_DISABLED);
    ::DestroyIcon(icon);
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    return bitmap;
}

BOOL ReplaceWithIcon(HIMAGELIST images, int index, const char* resource, int width, int height)
{
    if (!images || ::ImageList_GetImageCount(images) <= index)
        return FALSE;
    width = width ? width : ::GetSystemMetrics(SM_CXICON);
    height = height ? height : ::GetSystemMetrics(SM_CYICON);
    const auto icon = static_cast<HICON>(
        ::LoadImageA(Instance(), resource, IMAGE_ICON, width, height, LR_DEFAULTCOLOR));
    if (!icon)
        return FALSE;
    const BOOL replaced = ::ImageList_ReplaceIcon(images, index, icon) >= 0;
    ::DestroyIcon(icon);
    return replaced;
}

// A masked list takes the picture through an icon of it, which keeps its transparent parts.
BOOL ReplaceWithBitmap(HIMAGELIST images, int index, const char* resource, COLORREF mask)
{
    if (!images || ::ImageList_GetImageCount(images) <= index)
        return FALSE;
    const auto bitmap = static_cast<HBITMAP>(
        ::LoadImageA(Instance(), resource, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (!bitmap)
        return FALSE;
    BOOL replaced = FALSE;
    if (mask == COXBitmapButton::kNoMask)
    {
        replaced = ::ImageList_Replace(images, index, bitmap, nullptr);
    }
    else
    {
        BITMAP info = {};
        ::GetObjectA(bitmap, sizeof info, &info);
        const HIMAGELIST single =
            ::ImageList_Create(info.bmWidth, info.bmHeight, ILC_COLOR24 | ILC_MASK, 1, 0);
        if (single && ::ImageList_AddMasked(single, bitmap, mask) == 0)
        {
            const HICON icon = ::ImageList_GetIcon(single, 0, ILD_NORMAL);
            replaced = icon && ::ImageList_ReplaceIcon(images, index, icon) >= 0;
            if (icon)
                ::DestroyIcon(icon);
        }
        if (single)
            ::ImageList_Destroy(single);
    }
    ::DeleteObject(bitmap);
    return replaced;
}
} // namespace

FW_TABLE(COXBitmapButton, CButton,
         fw::reflect_control<BN_CLICKED, &COXBitmapButton::OnReflectedClicked>(),
         fw::raw<WM_MOUSEMOVE, &COXBitmapButton::OnMouseMove>(),
         fw::raw<OXBB_CHECKHOVER, &COXBitmapButton::OnCheckHoverMessage>(),
         fw::raw<WM_LBUTTONDOWN, &COXBitmapButton::OnLButtonDown>(),
         fw::raw<WM_LBUTTONUP, &COXBitmapButton::OnLButtonUp>(),
         fw::raw<WM_LBUTTONDBLCLK, &COXBitmapButton::OnLButtonDblClk>(),
         fw::raw<WM_KEYDOWN, &COXBitmapButton::OnKeyDown>(),
         fw::raw<WM_KEYUP, &COXBitmapButton::OnKeyUp>(),
         fw::raw<WM_SYSKEYUP, &COXBitmapButton::OnAfterInput>(),
         fw::raw<WM_MBUTTONUP, &COXBitmapButton::OnAfterInput>(),
         fw::raw<BM_CLICK, &COXBitmapButton::OnGuarded>(),
         fw::raw<WM_KILLFOCUS, &COXBitmapButton::OnGuarded>(),
         fw::raw<WM_SYSKEYDOWN, &COXBitmapButton::OnGuarded>(),
         fw::raw<WM_ENABLE, &COXBitmapButton::OnEnableMessage>(),
         fw::raw<WM_SETCURSOR, &COXBitmapButton::OnSetCursorMessage>(),
         fw::raw<WM_ERASEBKGND, &COXBitmapButton::OnEraseBackground>(),
         fw::raw<WM_SIZE, &COXBitmapButton::OnSizeMessage>(),
         fw::raw<WM_MOVE, &COXBitmapButton::OnMoveMessage>(),
         fw::raw<WM_SETTEXT, &COXBitmapButton::OnSetTextMessage>(),
         fw::raw<WM_SYSCOLORCHANGE, &COXBitmapButton::OnSysColorChangeMessage>(),
         fw::raw<WM_DESTROY, &COXBitmapButton::OnDestroyMessage>())

COXBitmapButton::COXBitmapButton()
{
    // The arrow glyph's width in the symbol font at the menu-check height.
    LOGFONTA logFont = {};
    logFont.lfHeight = ::GetSystemMetrics(SM_CYMENUCHECK);
    logFont.lfWeight = FW_NORMAL;
    logFont.lfCharSet = SYMBOL_CHARSET;
    lstrcpyA(logFont.lfFaceName, "Marlett");
    const HFONT font = ::CreateFontIndirectA(&logFont);
    const HDC dc = ::GetDC(nullptr);
    const HGDIOBJ old = ::SelectObject(dc, font);
    SIZE size = {0, 0};
    ::GetTextExtentPoint32A(dc, "6", 1, &size);
    ::SelectObject(dc, old);
    ::ReleaseDC(nullptr, dc);
    ::DeleteObject(font);
    m_arrowWidth = size.cx;
}

COXBitmapButton::~COXBitmapButton()
{
    if (m_hWnd)
        DestroyWindow();
    if (m_images)
        ::ImageList_Destroy(m_images);
    if (m_background)
        ::ImageList_Destroy(m_background);
    if (m_palette)
        ::DeleteObject(m_palette);
}

BOOL COXBitmapButton::Create(const char* text, DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CButton::Create(text, style | BS_OWNERDRAW, rect, parent, id);
}

BOOL COXBitmapButton::PreCreateWindow(CREATESTRUCTA& cs)
{
    cs.style |= BS_OWNERDRAW;
    return CButton::PreCreateWindow(cs);
}

void COXBitmapButton::PreSubclassWindow()
{
    CButton::PreSubclassWindow();
    LOGFONTA logFont = {};
    if (const HFONT font = GetFont(); font && ::GetObjectA(font, sizeof logFont, &logFont))
        m_textFont.CreateFontIndirect(&logFont);
}

BOOL COXBitmapButton::LoadBitmap(const char* resource, BOOL resize, COLORREF mask)
{
    if (m_images)
        ::ImageList_Destroy(m_images);
    m_images = nullptr;
    if (m_palette)
        ::DeleteObject(m_palette);
    m_palette = nullptr;
    if (m_animation)
        ::SendMessageA(m_animation, ACM_OPENA, 0, 0);

    const auto bitmap = static_cast<HBITMAP>(
        ::LoadImageA(Instance(), resource, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (!bitmap)
        return FALSE;
    BITMAP info = {};
    ::GetObjectA(bitmap, sizeof info, &info);
    m_palette = MakePalette(bitmap);
    m_maskColor = mask;
    const bool masked = mask != kNoMask;
    m_images = ::ImageList_Create(info.bmWidth, info.bmHeight,
                                  ILC_COLOR24 | (masked ? ILC_MASK : 0), 3, 0);
    const auto add = [&](HBITMAP picture)
    {
        return masked ? ::ImageList_AddMasked(m_images, picture, mask)
                      : ::ImageList_Add(m_images, picture, nullptr);
    };
    BOOL loaded = m_images && add(bitmap) == 0;
    if (loaded)
    {
        // Deeper bitmaps have no grey copy: their inactive image is the normal one.
        const HBITMAP grey = MakeGreyCopy(bitmap, mask);
        loaded = add(grey ? grey : bitmap) == 1;
        if (grey)
            ::DeleteObject(grey);
    }
    if (loaded)
    {
        const HBITMAP disabled = MakeDisabledImage(m_images);
        loaded = (masked ? ::ImageList_AddMasked(m_images, disabled, ButtonFaceColor())
                         : ::ImageList_Add(m_images, disabled, nullptr)) == 2;
        ::DeleteObject(disabled);
    }
    ::DeleteObject(bitmap);
    if (!loaded && m_images)
    {
        ::ImageList_Destroy(m_images);
        m_images = nullptr;
    }
    if (loaded && resize)
        SizeToContent();
    if (m_hWnd)
        Invalidate();
    return loaded;
}

BOOL COXBitmapButton::SetInactiveBitmap(const char* resource)
{
    return ReplaceWithBitmap(m_images, 1, resource, m_maskColor);
}

BOOL COXBitmapButton::SetDisabledBitmap(const char* resource)
{
    return ReplaceWithBitmap(m_images, 2, resource, m_maskColor);
}

BOOL COXBitmapButton::SetInactiveIcon(const char* resource, int width, int height)
{
    return ReplaceWithIcon(m_images, 1, resource, width, height);
}

BOOL COXBitmapButton::SetDisabledIcon(const char* resource, int width, int height)
{
    return ReplaceWithIcon(m_images, 2, resource, width, height);
}

BOOL COXBitmapButton::LoadAnimation(const char* resource, BOOL resize)
{
    if (!m_hWnd)
        return FALSE;
    if (!m_animation)
    {
        RECT client;
        GetClientRect(&client);
        m_animation =
            ::CreateWindowExA(0, ANIMATE_CLASSA, "", WS_CHILD | WS_VISIBLE | ACS_TRANSPARENT, 0, 0,
                              client.right, client.bottom, m_hWnd, nullptr, Instance(), nullptr);
        if (!m_animation)
            return FALSE;
    }
    else
    {
        ::SendMessageA(m_animation, ACM_OPENA, 0, 0);
    }
    const BOOL opened = static_cast<BOOL>(::SendMessageA(m_animation, ACM_OPENA,
                                                         reinterpret_cast<WPARAM>(Instance()),
                                                         reinterpret_cast<LPARAM>(resource)));
    if (m_images)
        ::ImageList_Destroy(m_images);
    m_images = nullptr;
    if (resize)
        SizeToContent();
    return opened;
}

BOOL COXBitmapButton::RemoveImage(BOOL resize)
{
    if (m_animation)
        ::SendMessageA(m_animation, ACM_OPENA, 0, 0);
    if (m_images)
        ::ImageList_Destroy(m_images);
    m_images = nullptr;
    if (resize)
        SizeToContent();
    if (m_hWnd)
        Invalidate();
    return TRUE;
}

BOOL COXBitmapButton::SetTrackLook(BOOL on)
{
    if (!m_hWnd || (GetStyle() & BS_TYPEMASK) != BS_OWNERDRAW)
        return FALSE;
    m_bTrackLook = on;
    Invalidate();
    return TRUE;
}

void COXBitmapButton::SetHyperLook(BOOL on)
{
    m_bHyperLook = on;
    if (on)
    {
        SetNormalCursor(kHandCursorId);
        SetDisabledCursor(kNoCursorId);
        SetPseudoDisableMode(TRUE);
        m_bBackgroundCaptured = FALSE;
    }
    else
    {
        SetNormalCursor(0);
        SetDisabledCursor(0);
    }
    if (m_hWnd && GetParent())
    {
        CRect rect;
        GetWindowRect(&rect);
        GetParent()->ScreenToClient(&rect);
        ::RedrawWindow(GetParent()->GetSafeHwnd(), &rect, nullptr,
                       RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    }
}

BOOL COXBitmapButton::SetNormalCursor(UINT resourceId)
{
    HCURSOR cursor = nullptr;
    if (resourceId && !(cursor = ::LoadCursorA(Instance(), MAKEINTRESOURCEA(resourceId))))
        return FALSE;
    m_normalCursorId = resourceId;
    m_normalCursor = cursor;
    return TRUE;
}

BOOL COXBitmapButton::SetDisabledCursor(UINT resourceId)
{
    HCURSOR cursor = nullptr;
    if (resourceId && !(cursor = ::LoadCursorA(Instance(), MAKEINTRESOURCEA(resourceId))))
        return FALSE;
    m_disabledCursorId = resourceId;
    m_disabledCursor = cursor;
    return TRUE;
}

void COXBitmapButton::SetPseudoDisableMode(BOOL on)
{
    if (on == m_bPseudoDisable || !m_hWnd)
    {
        m_bPseudoDisable = on;
        return;
    }
    if (on)
    {
        m_bReportedEnabled = CWnd::IsWindowEnabled();
        m_bHadTabStop = (GetStyle() & WS_TABSTOP) != 0;
        m_bPseudoDisable = TRUE;
        CWnd::EnableWindow(TRUE);
    }
    else
    {
        m_bPseudoDisable = FALSE;
        if (m_bHadTabStop)
            ModifyStyle(0, WS_TABSTOP);
        CWnd::EnableWindow(m_bReportedEnabled);
    }
}

BOOL COXBitmapButton::EnableWindow(BOOL enable)
{
    if (!m_bPseudoDisable)
        return CWnd::EnableWindow(enable);
    const BOOL wasDisabled = !m_bReportedEnabled;
    if (m_bReportedEnabled != enable)
    {
        m_bReportedEnabled = enable;
        if (m_bHadTabStop)
            ModifyStyle(enable ? 0 : WS_TABSTOP, enable ? WS_TABSTOP : 0);
        Invalidate();
    }
    return wasDisabled;
}

BOOL COXBitmapButton::IsWindowEnabled() const
{
    return m_bPseudoDisable ? m_bReportedEnabled : CWnd::IsWindowEnabled();
}

DWORD COXBitmapButton::GetHorizontalAlignment() const
{
    const DWORD style = GetStyle() & BS_CENTER;
    return style == BS_LEFT || style == BS_RIGHT ? style : BS_CENTER;
}

void COXBitmapButton::SetVerticalAlignment(DWORD alignment)
{
    ModifyStyle(BS_VCENTER, alignment & BS_VCENTER);
    Invalidate();
}

DWORD COXBitmapButton::GetVerticalAlignment() const
{
    const DWORD style = GetStyle() & BS_VCENTER;
    return style == BS_TOP || style == BS_BOTTOM ? style : BS_VCENTER;
}

void COXBitmapButton::SetTextColor(COLORREF color)
{
    if (color == m_textColor)
        return;
    m_textColor = color;
    if (m_hWnd)
        Invalidate();
}

void COXBitmapButton::SetTextFont(CFont* font)
{
    LOGFONTA wanted = {};
    if (font == nullptr || !font->GetLogFont(&wanted))
        return;
    LOGFONTA current = {};
    if (m_textFont.GetSafeHandle() && m_textFont.GetLogFont(&current) &&
        memcmp(&current, &wanted, sizeof wanted) == 0)
        return;
    m_textFont.DeleteObject();
    m_textFont.CreateFontIndirect(&wanted);
    if (m_hWnd)
        SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(static_cast<HFONT>(m_textFont)), TRUE);
}

CFont* COXBitmapButton::GetTextFont()
{
    LOGFONTA logFont = {};
    const HFONT font = m_hWnd ? GetFont() : nullptr;
    if (font && font != static_cast<HFONT>(m_textFont) &&
        ::GetObjectA(font, sizeof logFont, &logFont))
    {
        m_textFont.DeleteObject();
        m_textFont.CreateFontIndirect(&logFont);
    }
    return &m_textFont;
}

CString COXBitmapButton::GetText() const
{
    CString text;
    if (m_hWnd)
        GetWindowText(text);
    return Field(text, 1);
}

CString COXBitmapButton::GetToolTipText() const
{
    CString text;
    if (m_hWnd)
        GetWindowText(text);
    return Field(text, 2);
}

BOOL COXBitmapButton::SetToolTip(BOOL on)
{
    if (!m_hWnd)
        return FALSE;
    m_bToolTip = on;
    if (!on)
    {
        if (m_toolTip.GetSafeHwnd())
        {
            m_toolTip.DelTool(this, kToolId);
            m_toolTip.DestroyWindow();
        }
        return TRUE;
    }
    if (!m_toolTip.GetSafeHwnd() && !m_toolTip.Create(this))
        return FALSE;
    ::SetWindowPos(m_toolTip.GetSafeHwnd(), HWND_TOPMOST, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    RefreshTool();
    return TRUE;
}

void COXBitmapButton::SetStyleEx(DWORD style, BOOL redraw)
{
    m_styleEx = style;
    if (redraw && m_hWnd)
        ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void COXBitmapButton::SetToggleState(DWORD state, BOOL redraw)
{
    m_toggleState = state;
    if (redraw && m_hWnd)
        ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void COXBitmapButton::RedrawBackground()
{
    if (!m_hWnd)
        return;
    m_bBackgroundCaptured = FALSE;
    const bool hadFocus = ::GetFocus() == m_hWnd;
    ShowWindow(SW_HIDE);
    ShowWindow(SW_SHOWNA);
    if (hadFocus)
        SetFocus();
}

COLORREF COXBitmapButton::ButtonFaceColor()
{
    return g_buttonFace;
}

void COXBitmapButton::OnClicked()
{
    if (IsDropDownButton())
    {
        if (Notify(OXBBN_DROPDOWN) == 0)
            OnDropDown();
        Toggle();
        ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    }
    if (IsToggleButton() && Notify(OXBBN_TOGGLE) == 0)
        OnToggle();
}

BOOL COXBitmapButton::PreTranslateMessage(MSG* msg)
{
    if (m_toolTip.GetSafeHwnd())
        m_toolTip.RelayEvent(msg);
    return CButton::PreTranslateMessage(msg);
}

void COXBitmapButton::Toggle()
{
    if (!IsToggleButton() && !IsDropDownButton())
        return;
    DWORD state = 0;
    if (!IsChecked())
        state = OXBB_STATE_CHECKED;
    else if (!IsIndeterminate() && IsToggleButton() && (m_styleEx & OXBB_EX_TOGGLE3STATE))
        state = OXBB_STATE_CHECKED | OXBB_STATE_INDETERMINATE;
    m_toggleState = state;
    Invalidate(FALSE);
}

LRESULT COXBitmapButton::Notify(UINT code)
{
    const HWND parent = ::GetParent(m_hWnd);
    if (!parent)
        return 0;
    NMHDR header = {};
    header.hwndFrom = m_hWnd;
    header.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
    header.code = code;
    return ::SendMessageA(parent, WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
}

void COXBitmapButton::CheckHover()
{
    if (!m_bTrackLook && !m_animation)
        return;
    POINT cursor;
    ::GetCursorPos(&cursor);
    RECT window;
    GetWindowRect(&window);
    const bool leftDown = m_bLeftButtonDown != FALSE;
    if (::PtInRect(&window, cursor) && IsWindowEnabled())
    {
        if (!leftDown && ::GetCapture() != m_hWnd)
            ::SetCapture(m_hWnd);
        if (m_bTrackLook && !m_bMouseOver && !(::GetFocus() == m_hWnd && IsIndeterminate()))
            Invalidate(FALSE);
        m_bMouseOver = TRUE;
        if (m_animation && !m_bAnimationPlaying)
        {
            ::SendMessageA(m_animation, ACM_PLAY, 1, MAKELPARAM(0, 0xFFFF));
            m_bAnimationPlaying = TRUE;
        }
        return;
    }
    if (!leftDown && ::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    if (m_bTrackLook && m_bMouseOver && !IsIndeterminate())
        Invalidate(FALSE);
    m_bMouseOver = FALSE;
    m_bAnimationPlaying = FALSE;
}

void COXBitmapButton::RefreshTool()
{
    if (!m_toolTip.GetSafeHwnd())
        return;
    m_toolTip.DelTool(this, kToolId);
    const CString tip = GetToolTipText();
    if (tip.IsEmpty())
        return;
    RECT client;
    GetClientRect(&client);
    m_toolTip.AddTool(this, tip, &client, kToolId);
}

BOOL COXBitmapButton::OnReflectedClicked()
{
    OnClicked();
    return FALSE; // the parent hears of the click as well
}

LRESULT COXBitmapButton::OnMouseMove(WPARAM, LPARAM)
{
    if (IsWindowEnabled())
        CheckHover();
    return Default();
}

LRESULT COXBitmapButton::OnCheckHoverMessage(WPARAM, LPARAM)
{
    CheckHover();
    return 0;
}

LRESULT COXBitmapButton::OnLButtonDown(WPARAM, LPARAM)
{
    if (!IsWindowEnabled())
        return 0;
    m_bLeftButtonDown = TRUE;
    const LRESULT result = Default();
    AfterInput();
    return result;
}

LRESULT COXBitmapButton::OnLButtonUp(WPARAM, LPARAM lParam)
{
    if (!IsWindowEnabled())
        return 0;
    const POINT point = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    RECT client;
    GetClientRect(&client);
    if (::PtInRect(&client, point) && (GetState() & BST_PUSHED))
        Toggle();
    const LRESULT result = Default();
    m_bLeftButtonDown = FALSE;
    AfterInput();
    return result;
}

LRESULT COXBitmapButton::OnLButtonDblClk(WPARAM, LPARAM lParam)
{
    // A quick second click is a click like the first.
    return IsWindowEnabled() ? SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, lParam) : 0;
}

LRESULT COXBitmapButton::OnKeyDown(WPARAM wParam, LPARAM)
{
    if (!IsWindowEnabled())
        return 0;
    if (wParam == VK_RETURN)
        Toggle();
    return Default();
}

LRESULT COXBitmapButton::OnKeyUp(WPARAM wParam, LPARAM)
{
    if (!IsWindowEnabled())
        return 0;
    if (wParam == VK_SPACE && (GetState() & BST_PUSHED))
        Toggle();
    const LRESULT result = Default();
    AfterInput();
    return result;
}

LRESULT COXBitmapButton::OnAfterInput(WPARAM, LPARAM)
{
    const LRESULT result = Default();
    AfterInput();
    return result;
}

// A key or button release may have ended the capture that hover tracking holds.
void COXBitmapButton::AfterInput()
{
    if (m_bMouseOver && ::GetCapture() != m_hWnd)
    {
        m_bMouseOver = FALSE;
        if (m_bTrackLook && !IsIndeterminate())
            Invalidate(FALSE);
        PostMessage(OXBB_CHECKHOVER);
    }
}

LRESULT COXBitmapButton::OnGuarded(WPARAM, LPARAM)
{
    return IsWindowEnabled() ? Default() : 0;
}

LRESULT COXBitmapButton::OnEnableMessage(WPARAM, LPARAM)
{
    const LRESULT result = Default();
    AfterInput();
    Invalidate(FALSE);
    return result;
}

LRESULT COXBitmapButton::OnSetCursorMessage(WPARAM, LPARAM)
{
    const HCURSOR cursor = IsWindowEnabled() ? m_normalCursor : m_disabledCursor;
    if (!cursor)
        return Default();
    ::SetCursor(cursor);
    return TRUE;
}

LRESULT COXBitmapButton::OnEraseBackground(WPARAM, LPARAM)
{
    if (!m_bHyperLook)
        return Default();
    if (!m_bBackgroundCaptured)
    {
        // What the parent shows below the button, taken from the screen before it is drawn.
        RECT window;
        GetWindowRect(&window);
        const int width = window.right - window.left;
        const int height = window.bottom - window.top;
        if (m_background)
            ::ImageList_Destroy(m_background);
        m_background = ::ImageList_Create(width, height, ILC_COLOR24, 1, 0);
        const HDC screen = ::GetDC(nullptr);
        const HDC dc = ::CreateCompatibleDC(screen);
        const HBITMAP bitmap = ::CreateCompatibleBitmap(screen, width, height);
        const HGDIOBJ old = ::SelectObject(dc, bitmap);
        ::BitBlt(dc, 0, 0, width, height, screen, window.left, window.top, SRCCOPY);
        ::SelectObject(dc, old);
        ::DeleteDC(dc);
        ::ReleaseDC(nullptr, screen);
        ::ImageList_Add(m_background, bitmap, nullptr);
        ::DeleteObject(bitmap);
        m_bBackgroundCaptured = TRUE;
    }
    return TRUE;
}

LRESULT COXBitmapButton::OnSizeMessage(WPARAM, LPARAM)
{
    const LRESULT result = Default();
    if (m_bHyperLook)
        RedrawBackground();
    RefreshTool();
    return result;
}

LRESULT COXBitmapButton::OnMoveMessage(WPARAM, LPARAM)
{
    const LRESULT result = Default();
    if (m_bHyperLook)
        RedrawBackground();
    return result;
}

LRESULT COXBitmapButton::OnSetTextMessage(WPARAM, LPARAM)
{
    const LRESULT result = Default();
    RefreshTool();
    Invalidate(FALSE);
    return result;
}

LRESULT COXBitmapButton::OnSysColorChangeMessage(WPARAM, LPARAM)
{
    g_buttonFace = ::GetSysColor(COLOR_BTNFACE);
    return Default();
}

LRESULT COXBitmapButton::OnDestroyMessage(WPARAM, LPARAM)
{
    if (m_toolTip.GetSafeHwnd())
        m_toolTip.DestroyWindow();
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    return Default();
}

void DDX_ToggleState(CDataExchange* dx, int id, int& value)
{
    const HWND hwnd = dx->PrepareCtrl(id);
    auto* button = dynamic_cast<COXBitmapButton*>(CWnd::FromHandlePermanent(hwnd));
    if (button == nullptr)
        return;
    if (dx->m_bSaveAndValidate)
    {
        if (!button->IsToggleButton())
            value = -1;
        else if (button->IsIndeterminate())
            value = 2;
        else
            value = button->IsChecked() ? 1 : 0;
        return;
    }
    if (!button->IsToggleButton())
        return;
    if (value == 1)
        button->SetToggleState(OXBB_STATE_CHECKED);
    else if (value == 2)
        button->SetToggleState(OXBB_STATE_CHECKED | OXBB_STATE_INDETERMINATE);
    else
    {
        value = 0;
        button->SetToggleState(0);
    }
}
