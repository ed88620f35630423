// CToolBar layout: rows of buttons by wrap flags, measured as the control places them.
#include "platform/bars/toolbar.h"

#include <algorithm>

namespace
{
// The control's width for a separator given width 0, and the space it leaves below a
// separator that ends a row.
constexpr int kDefaultSeparatorWidth = 8;
constexpr int kWrappedSeparatorGap = 5;

bool IsHidden(const TBBUTTON& button)
{
    return (button.fsState & TBSTATE_HIDDEN) != 0;
}

bool IsSeparator(const TBBUTTON& button)
{
    return (button.fsStyle & TBSTYLE_SEP) != 0;
}
} // namespace

CSize CToolBar::CalcFixedLayout(BOOL stretch, BOOL horz)
{
    return CalcLayout((stretch ? LM_STRETCH : 0) | (horz ? LM_HORZ : 0));
}

CSize CToolBar::CalcDynamicLayout(int length, DWORD mode)
{
    const bool docked = (mode & (LM_HORZDOCK | LM_VERTDOCK)) != 0;
    if (length == -1 && docked && !(mode & (LM_MRUWIDTH | LM_COMMIT)))
        return CalcFixedLayout(mode & LM_STRETCH, (mode & LM_HORZDOCK) != 0);
    return CalcLayout(mode, length);
}

CSize CToolBar::CalcLayout(DWORD mode, int length)
{
    std::vector<TBBUTTON> buttons = GetButtons();
    TBBUTTON* data = buttons.data();
    const int count = static_cast<int>(buttons.size());
    const bool horz = (mode & LM_HORZ) != 0;
    if (!(m_dwStyle & CBRS_SIZE_FIXED) && count > 0)
    {
        const bool dynamic = (m_dwStyle & CBRS_SIZE_DYNAMIC) != 0;
        if (dynamic && (mode & LM_MRUWIDTH))
            SizeToolBar(data, count, m_nMRUWidth);
        else if (dynamic && (mode & LM_HORZDOCK))
            SizeToolBar(data, count, 32767);
        else if (dynamic && (mode & LM_VERTDOCK))
            SizeToolBar(data, count, 0);
        else if (dynamic && length != -1)
        {
            // The length asked for includes the bar's borders.
            const bool byHeight = (mode & LM_LENGTHY) != 0;
            CRect inside;
            CalcInsideRect(inside, horz);
            SizeToolBar(data, count, length + (byHeight ? inside.Height() : inside.Width()),
                        byHeight);
        }
        else if (dynamic && (m_dwStyle & CBRS_FLOATING))
            SizeToolBar(data, count, m_nMRUWidth);
        else
            SizeToolBar(data, count, horz ? 32767 : 0);
    }
    CSize size = CalcSize(data, count);
    if (mode & LM_COMMIT)
    {
        if ((m_dwStyle & CBRS_FLOATING) && (m_dwStyle & CBRS_SIZE_DYNAMIC))
            m_nMRUWidth = size.cx;
        const std::vector<TBBUTTON> current = GetButtons();
        for (int i = 0; i < count && i < static_cast<int>(current.size()); ++i)
        {
            if ((current[i].fsState ^ data[i].fsState) & TBSTATE_WRAP)
            {
                TBBUTTONINFOA info = {};
                info.cbSize = sizeof info;
                info.dwMask = TBIF_STATE | TBIF_BYINDEX;
                info.fsState = data[i].fsState;
                SendMessage(TB_SETBUTTONINFOA, static_cast<WPARAM>(i),
                            reinterpret_cast<LPARAM>(&info));
            }
        }
    }
    CRect inside;
    CalcInsideRect(inside, horz);
    size.cx -= inside.Width();
    size.cy -= inside.Height();
    // Stretched, the bar takes the whole length at least.
    const CSize least = CControlBar::CalcFixedLayout(mode & LM_STRETCH, horz);
    return CSize(std::max(size.cx, least.cx), std::max(size.cy, least.cy));
}

int CToolBar::ItemWidth(const TBBUTTON& button, int) const
{
    if (IsSeparator(button))
        return button.iBitmap > 0 ? button.iBitmap : kDefaultSeparatorWidth;
    return static_cast<int>(m_sizeButton.cx);
}

int CToolBar::WrapGap(const TBBUTTON&) const
{
    return kWrappedSeparatorGap;
}

CSize CToolBar::CalcSize(const TBBUTTON* buttons, int count) const
{
    CSize size(0, 0);
    int x = 0;
    int y = 0;
    for (int i = 0; i < count; ++i)
    {
        const TBBUTTON& button = buttons[i];
        if (IsHidden(button))
            continue;
        x += ItemWidth(button, i);
        size.cx = std::max<LONG>(size.cx, x);
        size.cy = std::max<LONG>(size.cy, y + m_sizeButton.cy);
        if (button.fsState & TBSTATE_WRAP)
        {
            x = 0;
            y += m_sizeButton.cy + (IsSeparator(button) ? WrapGap(button) : 0);
        }
    }
    return size;
}

int CToolBar::WrapToolBar(TBBUTTON* buttons, int count, int width) const
{
    auto widthOf = [this, buttons](int i) { return ItemWidth(buttons[i], i); };
    for (int i = 0; i < count; ++i)
        buttons[i].fsState &= ~TBSTATE_WRAP;
    int rows = 1;
    int rowStart = 0;
    int x = 0;
    int lastVisible = -1;
    for (int i = 0; i < count; ++i)
    {
        if (IsHidden(buttons[i]))
            continue;
        const int itemWidth = widthOf(i);
        if (x > 0 && x + itemWidth > width)
        {
            // The row ends at its last separator, else before this button.
            int wrapAt = lastVisible;
            for (int j = i - 1; j >= rowStart; --j)
            {
                if (!IsHidden(buttons[j]) && IsSeparator(buttons[j]))
                {
                    wrapAt = j;
                    break;
                }
            }
            buttons[wrapAt].fsState |= TBSTATE_WRAP;
            ++rows;
            rowStart = wrapAt + 1;
            x = 0;
            for (int j = rowStart; j < i; ++j)
            {
                if (!IsHidden(buttons[j]))
                    x += widthOf(j);
            }
        }
        x += itemWidth;
        lastVisible = i;
    }
    return rows;
}

void CToolBar::SizeToolBar(TBBUTTON* buttons, int count, int length, BOOL vertical) const
{
    if (!vertical)
    {
        // The narrowest width that needs no more rows than the length allows.
        const int rows = WrapToolBar(buttons, count, length);
        int low = 0;
        int high = std::clamp(length, 0, 32767);
        while (low < high)
        {
            const int middle = (low + high) / 2;
            if (WrapToolBar(buttons, count, middle) > rows)
                low = middle + 1;
            else
                high = middle;
        }
        WrapToolBar(buttons, count, low);
        return;
    }
    // The narrowest width whose rows fit the height.
    int low = 0;
    int high = 32767;
    while (low < high)
    {
        const int middle = (low + high) / 2;
        WrapToolBar(buttons, count, middle);
        if (CalcSize(buttons, count).cy > length)
            low = middle + 1;
        else
            high = middle;
    }
    WrapToolBar(buttons, count, low);
}
