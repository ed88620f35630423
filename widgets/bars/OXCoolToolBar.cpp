// COXCoolToolBar: creation, the common-controls version, settings, texts, docking and images.
#include "widgets/bars/OXCoolToolBar.h"

#include "platform/bars/dockbar.h"
#include "platform/docview/frame.h"
#include "platform/docview/mdi.h"
#include "platform/win/app.h"
#include "platform/win/menu.h"
#include "platform/win/resource.h"

#include <shlwapi.h>

FW_TABLE(
    COXCoolToolBar, CToolBar, fw::on<WM_DESTROY, &COXCoolToolBar::OnDestroy>(),
    fw::on<WM_NCCALCSIZE, &COXCoolToolBar::OnNcCalcSize>(),
    fw::on<WM_NCPAINT, &COXCoolToolBar::OnNcPaint>(),
    fw::on<WM_ERASEBKGND, &COXCoolToolBar::OnEraseBkgnd>(),
    fw::on<WM_WINDOWPOSCHANGED, &COXCoolToolBar::OnWindowPosChanged>(),
    fw::on<WM_SETTINGCHANGE, &COXCoolToolBar::OnSettingChange>(),
    fw::raw<WM_IDLEUPDATECMDUI, &COXCoolToolBar::OnIdleUpdateCmdUI>(),
    fw::reflect_notify_ex<static_cast<int>(NM_CUSTOMDRAW), &COXCoolToolBar::OnCustomDraw>(),
    fw::on<WM_LBUTTONDOWN, &COXCoolToolBar::OnLButtonDown>(),
    fw::on<WM_RBUTTONUP, &COXCoolToolBar::OnRButtonUp>(),
    fw::raw<TB_INSERTBUTTONA, &COXCoolToolBar::OnInsertButton>(),
    fw::raw<TB_INSERTBUTTONW, &COXCoolToolBar::OnInsertButton>(),
    fw::raw<TB_DELETEBUTTON, &COXCoolToolBar::OnDeleteButton>(),
    fw::raw<TB_MOVEBUTTON, &COXCoolToolBar::OnMoveButton>(),
    fw::reflect_notify_ex<static_cast<int>(TBN_GETBUTTONINFOA), &COXCoolToolBar::OnGetButtonInfo>(),
    fw::reflect_notify_ex<static_cast<int>(TBN_GETBUTTONINFOW), &COXCoolToolBar::OnGetButtonInfo>(),
    fw::reflect_notify_ex<static_cast<int>(TBN_QUERYINSERT),
                          &COXCoolToolBar::OnQueryInsertOrDelete>(),
    fw::reflect_notify_ex<static_cast<int>(TBN_QUERYDELETE),
                          &COXCoolToolBar::OnQueryInsertOrDelete>(),
    fw::reflect_notify_ex<static_cast<int>(TBN_ENDDRAG), &COXCoolToolBar::OnEndDrag>(),
    fw::reflect_notify_ex<static_cast<int>(TBN_BEGINDRAG), &COXCoolToolBar::OnBeginDrag>(),
    fw::reflect_notify_ex<static_cast<int>(TBN_TOOLBARCHANGE), &COXCoolToolBar::OnToolbarChange>(),
    fw::reflect_notify_ex<static_cast<int>(TBN_RESTORE), &COXCoolToolBar::OnRestoreButton>(),
    fw::raw<WM_OX_DRAGENTER, &COXCoolToolBar::OnDragEnterMessage>(),
    fw::raw<WM_OX_DRAGOVER, &COXCoolToolBar::OnDragOverMessage>(),
    fw::raw<WM_OX_DRAGLEAVE, &COXCoolToolBar::OnDragLeaveMessage>(),
    fw::raw<WM_OX_DROP, &COXCoolToolBar::OnDropMessage>())

namespace
{
constexpr DWORD kOldVersion = MAKELONG(0, 4);
// Menu texts are read into a buffer of this size.
constexpr int kMenuTextLength = 256;

DWORD ReadComCtlVersion()
{
    DWORD major = 0;
    DWORD minor = 0;
    if (FAILED(COXCoolToolBar::GetComCtlVersion(&major, &minor)))
        return kOldVersion;
    return MAKELONG(minor, major);
}
} // namespace

DWORD COXCoolToolBar::GetComCtlVersion()
{
    static const DWORD version = ReadComCtlVersion();
    return version;
}

HRESULT COXCoolToolBar::GetComCtlVersion(DWORD* major, DWORD* minor)
{
    if (!major || !minor)
        return E_INVALIDARG;
    HMODULE module = ::GetModuleHandleA("comctl32.dll");
    const bool loadedHere = module == nullptr;
    if (loadedHere)
        module = ::LoadLibraryA("comctl32.dll");
    if (!module)
        return E_FAIL;
    HRESULT result = S_OK;
    // Through a plain function pointer: a FARPROC's type says nothing of the real signature.
    const auto getVersion = reinterpret_cast<DLLGETVERSIONPROC>(
        reinterpret_cast<void (*)()>(::GetProcAddress(module, "DllGetVersion")));
    if (!getVersion)
    {
        *major = 4;
        *minor = 0;
    }
    else
    {
        DLLVERSIONINFO info = {};
        info.cbSize = sizeof info;
        if (SUCCEEDED(getVersion(&info)))
        {
            *major = info.dwMajorVersion;
            *minor = info.dwMinorVersion;
        }
        else
        {
            result = E_FAIL;
        }
    }
    if (loadedHere)
        ::FreeLibrary(module);
    return result;
}

COXCoolToolBar::COXCoolToolBar()
    : m_defaultTextColor(::GetSysColor(COLOR_BTNTEXT))
    , m_hotTextColor(::GetSysColor(COLOR_BTNTEXT))
{
    GetComCtlVersion();
    MeasureDropDownArrow();
}

COXCoolToolBar::~COXCoolToolBar()
{
    m_dropTarget.Revoke();
    for (const auto& [id, bitmap] : m_bitmaps)
        ::DeleteObject(bitmap);
    for (const auto& [id, list] : m_imageLists)
        ::ImageList_Destroy(list);
}

BOOL COXCoolToolBar::Create(CWnd* parent, DWORD style, UINT id)
{
    return CreateEx(parent, 0, style, CRect(0, 0, 0, 0), id);
}

BOOL COXCoolToolBar::CreateEx(CWnd* parent, DWORD ctrlStyle, DWORD style, const RECT& borders,
                              UINT id)
{
    if (!CToolBar::CreateEx(parent, ctrlStyle, style | WS_CLIPCHILDREN, borders, id))
        return FALSE;
    ModifyStyle(0, TBSTYLE_FLAT | TBSTYLE_TRANSPARENT);
    SetBorders(0, 0, 0, 0);
    SetDropDownArrow(TRUE);
    // Over an MDI child's client area a transparent bar would show what lies behind it.
    if (parent && parent->IsKindOf(RUNTIME_CLASS(CMDIChildWnd)))
        ModifyStyle(TBSTYLE_TRANSPARENT, 0);
    m_dropTarget.Register(this);
    // An empty first string, so that buttons can take texts later.
    static const char kEmpty[2] = {'\0', '\0'};
    SendMessage(TB_ADDSTRINGA, 0, reinterpret_cast<LPARAM>(kEmpty));
    return TRUE;
}

void COXCoolToolBar::OnDestroy()
{
    m_dropTarget.Revoke();
    CToolBar::OnDestroy();
}

void COXCoolToolBar::SetFlat(BOOL flat)
{
    ModifyStyle(flat ? 0 : TBSTYLE_FLAT, flat ? TBSTYLE_FLAT : 0);
    SetWindowPos(nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    UpdateSizes();
}

void COXCoolToolBar::SetList(BOOL list)
{
    ModifyStyle(list ? 0 : TBSTYLE_LIST, list ? TBSTYLE_LIST : 0);
    UpdateSizes();
}

void COXCoolToolBar::SetCool(BOOL cool)
{
    m_bCool = cool;
    SetWindowPos(nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    UpdateSizes();
}

void COXCoolToolBar::SetGripper(BOOL gripper)
{
    m_bGripper = gripper;
    SetWindowPos(nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    UpdateSizes();
}

void COXCoolToolBar::SetSeparator(BOOL separator)
{
    // Only old common controls leave separators to the bar; the flag is kept for the profile.
    m_bSeparator = separator;
}

void COXCoolToolBar::SetDropDownArrow(BOOL on)
{
    m_bDropDownArrow = on;
    if (!m_hWnd)
        return;
    const DWORD extended = static_cast<DWORD>(SendMessage(TB_GETEXTENDEDSTYLE));
    const DWORD wanted =
        on ? (extended | TBSTYLE_EX_DRAWDDARROWS) : (extended & ~TBSTYLE_EX_DRAWDDARROWS);
    SendMessage(TB_SETEXTENDEDSTYLE, 0, static_cast<LPARAM>(wanted));
    UpdateSizes();
}

BOOL COXCoolToolBar::GetDropDownArrow() const
{
    if (!m_hWnd)
        return m_bDropDownArrow;
    return (SendMessage(TB_GETEXTENDEDSTYLE) & TBSTYLE_EX_DRAWDDARROWS) != 0;
}

void COXCoolToolBar::SetBarIcon(HICON icon)
{
    if (icon == m_hIcon)
        return;
    m_hIcon = icon;
    m_rectIcon.SetRectEmpty();
    if (m_hWnd)
    {
        SetWindowPos(nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
        UpdateSizes();
    }
}

CString COXCoolToolBar::MenuTextOf(UINT id) const
{
    CWnd* main = AfxGetMainWnd();
    const HMENU menu = main ? ::GetMenu(main->GetSafeHwnd()) : nullptr;
    if (!menu)
        return CString();
    char text[kMenuTextLength] = {};
    if (::GetMenuStringA(menu, id, text, kMenuTextLength, MF_BYCOMMAND) <= 0)
        return CString();
    CString result(text);
    const int tab = result.Find('\t');
    return tab >= 0 ? result.Left(tab) : result;
}

CString COXCoolToolBar::TextFor(int index, UINT id, int textType) const
{
    CString full;
    CString piece;
    switch (textType)
    {
    case textPrompt:
        fw::LoadResourceString(id, full);
        fw::ExtractSubString(piece, full, 0);
        return piece;
    case textTooltip:
        fw::LoadResourceString(id, full);
        fw::ExtractSubString(piece, full, 1);
        return piece;
    case textMenu: return MenuTextOf(id);
    case textUser: return GetButtonText(index);
    default: return CString();
    }
}

void COXCoolToolBar::SetButtonTextFromID(UINT firstId, UINT lastId, int textType)
{
    if (textType < textPrompt || textType > textNone)
        textType = textNone;
    m_textType = textType;
    if (textType == textUser || !m_hWnd)
        return;
    const int count = GetCount();
    for (int i = 0; i < count; ++i)
    {
        TBBUTTON button;
        if (!GetButton(i, &button) || (button.fsStyle & TBSTYLE_SEP))
            continue;
        const UINT id = static_cast<UINT>(button.idCommand);
        if (id >= firstId && id <= lastId)
            SetButtonText(i, TextFor(i, id, textType));
    }
    UpdateSizes();
}

BOOL COXCoolToolBar::HasButtonText(int index) const
{
    return !GetButtonText(index).IsEmpty();
}

void COXCoolToolBar::SetDefaultTextColor(COLORREF color)
{
    m_defaultTextColor = color;
    if (m_hWnd)
        Invalidate();
}

void COXCoolToolBar::SetHotTextColor(COLORREF color)
{
    m_hotTextColor = color;
    if (m_hWnd)
        Invalidate();
}

BOOL COXCoolToolBar::SetIndent(int indent)
{
    if (!SendMessage(TB_SETINDENT, static_cast<WPARAM>(indent)))
        return FALSE;
    m_indent = indent;
    UpdateSizes();
    return TRUE;
}

BOOL COXCoolToolBar::SetMaxTextRows(int rows)
{
    if (!SendMessage(TB_SETMAXTEXTROWS, static_cast<WPARAM>(rows)))
        return FALSE;
    UpdateSizes();
    return TRUE;
}

int COXCoolToolBar::GetTextRows() const
{
    return static_cast<int>(SendMessage(TB_GETTEXTROWS));
}

BOOL COXCoolToolBar::SetButtonsMinMaxWidth(int minWidth, int maxWidth)
{
    if (!SendMessage(TB_SETBUTTONWIDTH, 0, MAKELPARAM(minWidth, maxWidth)))
        return FALSE;
    m_minButtonWidth = minWidth;
    m_maxButtonWidth = maxWidth;
    UpdateSizes();
    return TRUE;
}

CString COXCoolToolBar::GetButtonTooltip(int index) const
{
    const UINT id = GetItemID(index);
    CString full;
    CString tip;
    if (id != 0 && fw::LoadResourceString(id, full))
        fw::ExtractSubString(tip, full, 1);
    return tip;
}

void COXCoolToolBar::DockControlBarLeftOf(CControlBar* bar, CControlBar* leftOf)
{
    CFrameWnd* frame = GetDockingFrame();
    if (!frame || !bar || !leftOf)
        return;
    frame->RecalcLayout(TRUE);
    CRect rect;
    leftOf->GetWindowRect(&rect);
    rect.OffsetRect(1, 0);
    const DWORD style = leftOf->GetBarStyle();
    UINT dockBarId = AFX_IDW_DOCKBAR_TOP;
    if (style & CBRS_ALIGN_TOP)
        dockBarId = AFX_IDW_DOCKBAR_TOP;
    else if (style & CBRS_ALIGN_BOTTOM)
        dockBarId = AFX_IDW_DOCKBAR_BOTTOM;
    else if (style & CBRS_ALIGN_LEFT)
        dockBarId = AFX_IDW_DOCKBAR_LEFT;
    else if (style & CBRS_ALIGN_RIGHT)
        dockBarId = AFX_IDW_DOCKBAR_RIGHT;
    frame->DockControlBar(bar, dockBarId, &rect);
    frame->RecalcLayout(TRUE);
}

BOOL COXCoolToolBar::LoadBitmap(UINT resourceId)
{
    HBITMAP& cached = m_bitmaps[resourceId];
    if (!cached)
        cached = fw::LoadResourceBitmap(resourceId);
    if (!cached)
    {
        m_bitmaps.erase(resourceId);
        return FALSE;
    }
    return SetBitmap(cached);
}

HIMAGELIST COXCoolToolBar::LoadImageList(UINT resourceId, int cx, int grow, COLORREF mask,
                                         UINT type, UINT flags)
{
    const auto found = m_imageLists.find(resourceId);
    if (found != m_imageLists.end())
        return found->second;
    const HIMAGELIST list = ::ImageList_LoadImageA(
        fw::ResourceHandle(), MAKEINTRESOURCEA(resourceId), cx, grow, mask, type, flags);
    if (list)
        m_imageLists[resourceId] = list;
    return list;
}

HIMAGELIST COXCoolToolBar::CreateImageList(UINT resourceId, int cx, COLORREF mask, UINT flags,
                                           int initial, int grow)
{
    const auto found = m_imageLists.find(resourceId);
    if (found != m_imageLists.end())
        return found->second;
    const HBITMAP bitmap = fw::LoadResourceBitmap(resourceId);
    if (!bitmap)
        return nullptr;
    BITMAP info = {};
    ::GetObjectA(bitmap, sizeof info, &info);
    HIMAGELIST list = ::ImageList_Create(cx, info.bmHeight, flags | ILC_MASK, initial, grow);
    if (list && ::ImageList_AddMasked(list, bitmap, mask) < 0)
    {
        ::ImageList_Destroy(list);
        list = nullptr;
    }
    ::DeleteObject(bitmap);
    if (list)
        m_imageLists[resourceId] = list;
    return list;
}

void COXCoolToolBar::UpdateSizes()
{
    if (!m_hWnd || m_bRestoring)
        return;
    // Setting the text rows makes the control size its buttons to their texts again.
    SendMessage(TB_SETMAXTEXTROWS, static_cast<WPARAM>(GetTextRows()));
    SendMessage(TB_AUTOSIZE);
    const LRESULT size = SendMessage(TB_GETBUTTONSIZE);
    m_sizeButton = CSize(LOWORD(size), HIWORD(size));
    CFrameWnd* frame = GetDockingFrame();
    if (!frame || !IsWindowVisible() || IsFloating() || !m_pDockBar)
    {
        InvalidateLayout();
        return;
    }
    m_bLayoutRequest = TRUE;
    frame->RecalcLayout(TRUE);
    m_bLayoutRequest = FALSE;
}

void COXCoolToolBar::MeasureDropDownArrow()
{
    // The arrow is the "6" of the Marlett symbol font at the menu check height.
    const HFONT font = ::CreateFontA(::GetSystemMetrics(SM_CYMENUCHECK), 0, 0, 0, FW_NORMAL, FALSE,
                                     FALSE, FALSE, SYMBOL_CHARSET, 0, 0, 0, 0, "Marlett");
    const HDC dc = ::GetDC(nullptr);
    const HGDIOBJ old = ::SelectObject(dc, font);
    int width = 0;
    if (!::GetCharWidthA(dc, '6', '6', &width))
        width = ::GetSystemMetrics(SM_CXMENUCHECK);
    ::SelectObject(dc, old);
    ::ReleaseDC(nullptr, dc);
    ::DeleteObject(font);
    m_dropDownArrowWidth = width;
}

CFrameWnd* COXCoolToolBar::GetNotifyFrame() const
{
    // Floating, the bar's own frame is the mini frame: the frame it docks in is told.
    if (m_pDockSite)
        return m_pDockSite;
    return GetParentFrame();
}

void COXCoolToolBar::OnSettingChange(UINT flags, const char* section)
{
    CToolBar::OnSettingChange(flags, section);
    MeasureDropDownArrow();
    UpdateSizes();
}
