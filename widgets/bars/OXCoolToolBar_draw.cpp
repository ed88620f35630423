// COXCoolToolBar: the non-client area (gripper, icon, extra borders), custom draw, button
// widths for the layout, and the work that waits for position changes and idle time.
#include "platform/ctrl/dragoutline.h"
#include "platform/docview/frame.h"
#include "platform/win/dc.h"
#include "widgets/bars/OXCoolToolBar.h"

#include <algorithm>

namespace
{
// Two grips of three pixels and a pixel on each side.
constexpr int kGripperWidth = 7;
constexpr int kGripWidth = 3;
// Reserved beside the icon: a pixel before and after it.
constexpr int kIconMargin = 2;

int IconWidth(BOOL horz)
{
    return ::GetSystemMetrics(horz ? SM_CXSMICON : SM_CYSMICON) + kIconMargin;
}

void DrawGrip(HDC dc, const CRect& grip)
{
    RECT edge = grip;
    ::DrawEdge(dc, &edge, BDR_RAISEDINNER, BF_RECT);
}
} // namespace

void COXCoolToolBar::CalcInsideRect(CRect& rect, BOOL horz) const
{
    CToolBar::CalcInsideRect(rect, horz);
    // The framework's gripper gives way to the bar's own, which only a flat bar has.
    const bool floating = (m_dwStyle & CBRS_FLOATING) != 0;
    int leading = 0;
    if ((m_dwStyle & CBRS_GRIPPER) && !floating)
        leading -= fw::kGripperSpace;
    if (m_bGripper && !floating && m_hWnd && IsFlat() && !m_bCool)
        leading += kGripperWidth;
    if (m_hIcon)
        leading += IconWidth(horz);
    (horz ? rect.left : rect.top) += leading;
    CRect extra;
    GetExtraBorders(extra, horz ? 2 : 0);
    rect.left += extra.left;
    rect.top += extra.top;
    rect.right -= extra.right;
    rect.bottom -= extra.bottom;
}

void COXCoolToolBar::GetExtraBorders(CRect& borders, int) const
{
    borders.SetRectEmpty();
}

void COXCoolToolBar::DrawExtraNonClient(CDC*, CRect&)
{
}

void COXCoolToolBar::OnNcCalcSize(BOOL calcValidRects, NCCALCSIZE_PARAMS* params)
{
    if (!m_bCool)
    {
        CToolBar::OnNcCalcSize(calcValidRects, params);
        return;
    }
    // In a rebar the band draws the frame; a flat bar keeps two pixels off its leading side.
    Default();
    if (IsFlat())
    {
        RECT& client = params->rgrc[0];
        if (m_dwStyle & CBRS_ORIENT_HORZ)
            client.top = std::min(client.bottom, client.top + 2);
        else
            client.left = std::min(client.right, client.left + 2);
    }
}

void COXCoolToolBar::OnNcPaint()
{
    if (m_bCool)
        Default();
    else
        CToolBar::OnNcPaint(); // background and borders, then DrawGripper
}

void COXCoolToolBar::DrawGripper(CDC* dc, const CRect& rect)
{
    // The framework's non-client paint calls this last with the area inside the borders:
    // the gripper, the icon and the extras follow one another from the leading edge.
    CRect area = rect;
    const bool horz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
    if (m_bGripper && IsFlat() && !IsFloating())
    {
        // Two raised grips side by side, a pixel inside the leading edge.
        CRect grip = area;
        if (horz)
        {
            grip.DeflateRect(0, 1);
            grip.left += 1;
            grip.right = grip.left + kGripWidth;
        }
        else
        {
            grip.DeflateRect(1, 0);
            grip.top += 1;
            grip.bottom = grip.top + kGripWidth;
        }
        DrawGrip(dc->GetSafeHdc(), grip);
        grip.OffsetRect(horz ? kGripWidth : 0, horz ? 0 : kGripWidth);
        DrawGrip(dc->GetSafeHdc(), grip);
        (horz ? area.left : area.top) += kGripperWidth;
    }
    if (m_hIcon)
        DrawIcon(dc, area);
    DrawExtraNonClient(dc, area);
}

void COXCoolToolBar::DrawIcon(CDC* dc, CRect& rect)
{
    const int cx = ::GetSystemMetrics(SM_CXSMICON);
    const int cy = ::GetSystemMetrics(SM_CYSMICON);
    CRect icon;
    if (m_dwStyle & CBRS_ORIENT_HORZ)
    {
        const int top = rect.top + (rect.Height() - cy) / 2;
        icon = CRect(rect.left + 1, top, rect.left + 1 + cx, top + cy);
        rect.left = icon.right + 1;
    }
    else
    {
        const int left = rect.left + (rect.Width() - cx) / 2;
        icon = CRect(left, rect.top + 1, left + cx, rect.top + 1 + cy);
        rect.top = icon.bottom + 1;
    }
    m_rectIcon = icon;
    ::DrawIconEx(dc->GetSafeHdc(), icon.left, icon.top, m_hIcon, cx, cy, 0, nullptr, DI_NORMAL);
}

void COXCoolToolBar::DrawMarkFrame(HDC dc, const RECT* rect)
{
    fw::DrawDragRect(dc, rect, CSize(2, 2), nullptr, CSize(2, 2));
}

BOOL COXCoolToolBar::OnEraseBkgnd(CDC* dc)
{
    // The frame lays the bar out now: its erase would flash.
    if (m_bLayoutRequest)
        return TRUE;
    return CToolBar::OnEraseBkgnd(dc);
}

BOOL COXCoolToolBar::OnCustomDraw(NMHDR* header, LRESULT* result)
{
    auto* draw = reinterpret_cast<NMTBCUSTOMDRAW*>(header);
    if (CFrameWnd* frame = GetNotifyFrame())
    {
        OXCustomDrawNotify notify = {};
        notify.hdr.hwndFrom = m_hWnd;
        notify.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
        notify.hdr.code = OXCTBN_CUSTOMDRAW;
        notify.customDraw = &draw->nmcd;
        notify.doDefault = TRUE;
        frame->SendMessage(WM_NOTIFY, notify.hdr.idFrom, reinterpret_cast<LPARAM>(&notify));
        if (!notify.doDefault)
        {
            *result = notify.result;
            return TRUE;
        }
    }
    switch (draw->nmcd.dwDrawStage)
    {
    case CDDS_PREPAINT:
        *result = CDRF_NOTIFYITEMDRAW | CDRF_NOTIFYPOSTPAINT;
        // A window in the marked button is framed around its place: the window covers it.
        if (m_markedButton >= 0 && m_customButtons.count(m_markedButton))
        {
            CRect item;
            GetItemRect(m_markedButton, &item);
            DrawMarkFrame(draw->nmcd.hdc, &item);
        }
        break;
    case CDDS_ITEMPREPAINT:
    {
        *result = CDRF_NOTIFYPOSTPAINT;
        const UINT id = static_cast<UINT>(draw->nmcd.dwItemSpec);
        const LRESULT state = SendMessage(TB_GETSTATE, id);
        if (!IsFlat() || (state != -1 && (state & TBSTATE_HIDDEN)))
            break;
        const COLORREF systemText = ::GetSysColor(COLOR_BTNTEXT);
        if (m_defaultTextColor != systemText)
            draw->clrText = m_defaultTextColor;
        if ((draw->nmcd.uItemState & CDIS_HOT) && m_hotTextColor != m_defaultTextColor)
            draw->clrText = m_hotTextColor;
        break;
    }
    case CDDS_ITEMPOSTPAINT:
    {
        *result = CDRF_DODEFAULT;
        const UINT id = static_cast<UINT>(draw->nmcd.dwItemSpec);
        if (m_markedButton >= 0 && CommandToIndex(id) == m_markedButton &&
            !m_customButtons.count(m_markedButton))
            DrawMarkFrame(draw->nmcd.hdc, &draw->nmcd.rc);
        break;
    }
    default: *result = CDRF_DODEFAULT; break;
    }
    return TRUE;
}

int COXCoolToolBar::ItemWidth(const TBBUTTON& button, int index) const
{
    if (button.fsStyle & TBSTYLE_SEP)
        return CToolBar::ItemWidth(button, index);
    // Autosized buttons, and buttons with an arrow, are as wide as the control made them:
    // its arrow need not be as wide as the measured glyph.
    const bool arrow = (button.fsStyle & TBSTYLE_DROPDOWN) && GetDropDownArrow();
    if ((button.fsStyle & TBSTYLE_AUTOSIZE) || arrow)
    {
        CRect item;
        GetItemRect(index, &item);
        if (item.Width() > 0 || (button.fsStyle & TBSTYLE_AUTOSIZE))
            return item.Width();
    }
    return static_cast<int>(m_sizeButton.cx) + (arrow ? m_dropDownArrowWidth : 0);
}

int COXCoolToolBar::WrapGap(const TBBUTTON& separator) const
{
    const int width = separator.iBitmap > 0 ? separator.iBitmap : CToolBar::WrapGap(separator);
    // A flat bar leaves the separator's whole width between rows, others two thirds of it.
    return (m_hWnd && IsFlat()) ? width : width * 2 / 3;
}

CSize COXCoolToolBar::CalcSize(const TBBUTTON* buttons, int count) const
{
    CSize size = CToolBar::CalcSize(buttons, count);
    size.cx += m_indent;
    return size;
}

int COXCoolToolBar::WrapToolBar(TBBUTTON* buttons, int count, int width) const
{
    return CToolBar::WrapToolBar(buttons, count, width - m_indent);
}

void COXCoolToolBar::OnWindowPosChanged(WINDOWPOS* pos)
{
    CToolBar::OnWindowPosChanged(pos);
    RepositionCustomButtons();
    const int floating = IsFloating() ? 1 : 0;
    const DWORD side = m_dwStyle & CBRS_ALIGN_ANY;
    if (floating != m_lastFloating)
    {
        m_lastFloating = floating;
        m_lastDockSide = side;
        m_pending |= pendingWindows;
        OnFloatingDocking(floating);
    }
    else if (side != m_lastDockSide)
    {
        m_lastDockSide = side;
        m_pending |= pendingWindows;
        OnChangeDockSide(side);
    }
}

void COXCoolToolBar::OnFloatingDocking(BOOL)
{
    // Only bars holding windows in buttons resize here: their windows may show or not.
    if (!m_customButtons.empty())
        UpdateSizes();
}

void COXCoolToolBar::OnChangeDockSide(DWORD)
{
    if (!m_customButtons.empty())
        m_pending |= pendingSizes;
}

LRESULT COXCoolToolBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam)
{
    if (IsWindowVisible())
    {
        const BYTE pending = m_pending;
        m_pending = 0;
        if (pending & pendingSizes)
            UpdateSizes();
        if (pending & pendingWindows)
            RepositionCustomButtons();
    }
    return CToolBar::OnIdleUpdateCmdUI(wParam, lParam);
}
