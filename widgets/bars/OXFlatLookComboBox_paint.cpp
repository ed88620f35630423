// COXFlatLookComboBox painting: the field, the border and the drop button, flat while cold and
// three-dimensional while hot or focused.
#include "platform/win/dc.h"
#include "widgets/bars/OXFlatLookComboBox.h"

namespace
{
constexpr int kBorder = 2;

// The arrow: a triangle pointing down, its base a third of the button wide.
void DrawArrow(HDC dc, const CRect& button)
{
    const int width = button.Width();
    const int height = button.Height();
    const int left = button.left + width / 3;
    const int right = button.left + 2 * width / 3 + 1;
    const int base = right - left;
    const int baseY = button.top + height / 2 - base / 4 - 1;
    const POINT points[3] = {{left, baseY}, {right, baseY}, {left + base / 2, baseY + base / 2}};
    const HPEN pen = COXFlatLook::Pen(COXFlatLook::penDarkShadow);
    const HGDIOBJ oldPen = ::SelectObject(dc, pen);
    const HGDIOBJ oldBrush = ::SelectObject(dc, ::GetSysColorBrush(COLOR_3DDKSHADOW));
    ::Polygon(dc, points, 3);
    ::SelectObject(dc, oldBrush);
    ::SelectObject(dc, oldPen);
}
} // namespace

void COXFlatLookComboBox::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    const bool enabled = IsWindowEnabled() != FALSE;
    ::FillRect(dc.GetSafeHdc(), &client,
               ::GetSysColorBrush(enabled ? COLOR_WINDOW : COLOR_BTNFACE));
    const CRect button = GetDropButtonRect();
    if (!HasEdit())
    {
        CRect field = client;
        field.DeflateRect(kBorder + 1, kBorder + 1);
        if (!button.IsRectEmpty())
            field.right = button.left - 1;
        DrawField(dc, field);
    }
    DrawBorder(dc, client);
    if (!button.IsRectEmpty())
        DrawDropButton(dc, button);
}

void COXFlatLookComboBox::DrawField(CDC& dc, const CRect& field)
{
    const int selection = GetCurSel();
    DRAWITEMSTRUCT item = {};
    item.CtlType = ODT_COMBOBOX;
    item.CtlID = static_cast<UINT>(GetDlgCtrlID());
    item.itemID = static_cast<UINT>(selection);
    item.itemAction = ODA_DRAWENTIRE;
    item.hwndItem = m_hWnd;
    item.hDC = dc.GetSafeHdc();
    item.rcItem = field;
    item.itemData = selection >= 0 ? GetItemData(selection) : 0;
    item.itemState = ODS_COMBOBOXEDIT;
    if (!IsWindowEnabled())
        item.itemState |= ODS_DISABLED;
    else if (::GetFocus() == m_hWnd && !GetDroppedState())
        item.itemState |= ODS_FOCUS | ODS_SELECTED;
    DrawItem(&item);
}

void COXFlatLookComboBox::DrawBorder(CDC& dc, const CRect& client) const
{
    const HDC hdc = dc.GetSafeHdc();
    const bool raised = m_flat.IsHot() || m_flat.HasFocus() || !m_flat.IsFlat();
    CRect outer = client;
    CRect inner = client;
    inner.DeflateRect(1, 1);
    if (!raised)
    {
        // Flat: the frame takes the field's colour.
        const HBRUSH brush = ::GetSysColorBrush(IsWindowEnabled() ? COLOR_WINDOW : COLOR_BTNFACE);
        ::FrameRect(hdc, &outer, brush);
        ::FrameRect(hdc, &inner, brush);
        return;
    }
    // Sunken: shadow above and left, highlight below and right, a face line inside.
    COXFlatLook::DrawEdges(hdc, outer, COXFlatLook::Pen(COXFlatLook::penShadow),
                           COXFlatLook::Pen(COXFlatLook::penHighlight));
    COXFlatLook::DrawEdges(hdc, inner, COXFlatLook::Pen(COXFlatLook::penDarkShadow),
                           COXFlatLook::Pen(COXFlatLook::penFace));
    if (!HasEdit())
    {
        CRect field = inner;
        field.DeflateRect(1, 1);
        ::FrameRect(hdc, &field, ::GetSysColorBrush(COLOR_BTNHIGHLIGHT));
    }
}

void COXFlatLookComboBox::DrawDropButton(CDC& dc, const CRect& button) const
{
    const HDC hdc = dc.GetSafeHdc();
    ::FillRect(hdc, &button, ::GetSysColorBrush(COLOR_BTNFACE));
    const bool dropped = GetDroppedState() != FALSE;
    const bool raised = m_flat.IsHot() || m_flat.HasFocus() || !m_flat.IsFlat();
    if (dropped)
        COXFlatLook::DrawEdges(hdc, button, COXFlatLook::Pen(COXFlatLook::penShadow),
                               COXFlatLook::Pen(COXFlatLook::penFace));
    else if (raised)
    {
        CRect inner = button;
        inner.DeflateRect(1, 1);
        COXFlatLook::DrawEdges(hdc, button, COXFlatLook::Pen(COXFlatLook::penFace),
                               COXFlatLook::Pen(COXFlatLook::penDarkShadow));
        COXFlatLook::DrawEdges(hdc, inner, COXFlatLook::Pen(COXFlatLook::penHighlight),
                               COXFlatLook::Pen(COXFlatLook::penShadow));
    }
    DrawArrow(hdc, button);
}
