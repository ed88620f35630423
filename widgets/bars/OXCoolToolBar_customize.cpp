// COXCoolToolBar customisation: the common controls' Customize dialog, the advanced mode with
// its per-button context menu, the marks kept in step with inserted, deleted and moved
// buttons, and drag and drop over the bar (which takes no drops).
#include "platform/docview/frame.h"
#include "platform/win/menu.h"
#include "platform/win/resource.h"
#include "resources/ids/widgets_ids.h"
#include "widgets/bars/OXCoolToolBar.h"

#include <algorithm>

namespace
{
bool IsPlainSeparator(const TBBUTTON& button)
{
    // Separators that hold windows are told apart by the bar's map, not by the button.
    return (button.fsStyle & TBSTYLE_SEP) != 0;
}

CString LoadText(UINT id)
{
    CString text;
    fw::LoadResourceString(id, text);
    return text;
}
} // namespace

BOOL COXCoolToolBar::IsCustomizable(BOOL advanced) const
{
    if (advanced)
        return m_bAdvancedCustomizable;
    return m_hWnd && (GetStyle() & CCS_ADJUSTABLE) != 0;
}

void COXCoolToolBar::SetCustomizable(BOOL customizable, BOOL advanced)
{
    // Either kind needs the list of commands the user may choose from.
    if (m_customizableIds.empty())
        customizable = FALSE;
    const bool standard = customizable && !advanced;
    if (m_hWnd)
        ModifyStyle(standard ? 0 : CCS_ADJUSTABLE, standard ? CCS_ADJUSTABLE : 0);
    m_bAdvancedCustomizable = customizable && advanced;
}

void COXCoolToolBar::SetCustomizableButtons(const UINT* ids, int count)
{
    m_customizableIds.assign(ids, ids + std::max(count, 0));
    SetCustomizable(TRUE, TRUE);
}

void COXCoolToolBar::SetCustomizationMode(BOOL on, HWND notify)
{
    if (on && !IsCustomizable(TRUE) && !IsCustomizable(FALSE))
        SetCustomizable(TRUE, TRUE);
    if (!on)
        SetMarkedButton(-1);
    m_bCustomizationMode = on;
    m_hWndCustomizeNotify = notify;
    for (auto& [index, button] : m_customButtons)
        if (button.record.tmpl)
            button.record.tmpl->SetCustomizationMode(on);
}

void COXCoolToolBar::SetMarkedButton(int index)
{
    if (index == m_markedButton)
        return;
    const int old = m_markedButton;
    m_markedButton = index;
    m_secondButton = index;
    if (!m_hWnd)
        return;
    for (const int redraw : {old, index})
    {
        CRect item;
        if (redraw >= 0 && redraw < GetCount())
        {
            GetItemRect(redraw, &item);
            item.InflateRect(2, 2);
            InvalidateRect(&item);
        }
    }
}

void COXCoolToolBar::ShiftMarks(int index, int delta)
{
    for (int* mark : {&m_markedButton, &m_secondButton})
    {
        if (*mark < 0 || *mark < index)
            continue;
        if (delta < 0 && *mark == index)
            *mark = -1; // its button went
        else
            *mark += delta;
    }
}

LRESULT COXCoolToolBar::OnInsertButton(WPARAM wParam, LPARAM)
{
    const int count = GetCount();
    const LRESULT done = Default();
    if (done)
    {
        const int index = static_cast<int>(wParam);
        const int at = (index < 0 || index > count) ? count : index;
        ShiftMarks(at, +1);
        ShiftCustomButtons(at, +1);
        UpdateSizes();
        RepositionCustomButtons();
    }
    return done;
}

LRESULT COXCoolToolBar::OnDeleteButton(WPARAM wParam, LPARAM)
{
    const LRESULT done = Default();
    if (done)
    {
        ShiftMarks(static_cast<int>(wParam), -1);
        ShiftCustomButtons(static_cast<int>(wParam), -1);
        UpdateSizes();
        RepositionCustomButtons();
    }
    return done;
}

LRESULT COXCoolToolBar::OnMoveButton(WPARAM wParam, LPARAM lParam)
{
    const LRESULT done = Default();
    if (done)
    {
        const int from = static_cast<int>(wParam);
        const int to = static_cast<int>(lParam);
        for (int* mark : {&m_markedButton, &m_secondButton})
        {
            if (*mark == from)
                *mark = to;
            else if (from<to&& * mark> from && *mark <= to)
                --*mark;
            else if (to < from && *mark >= to && *mark < from)
                ++*mark;
        }
        // Windows move with their buttons, the ones between one place the other way.
        std::map<int, CustomButton> moved;
        for (auto& [at, button] : m_customButtons)
        {
            int now = at;
            if (at == from)
                now = to;
            else if (from < to && at > from && at <= to)
                now = at - 1;
            else if (to < from && at >= to && at < from)
                now = at + 1;
            moved[now] = std::move(button);
        }
        m_customButtons = std::move(moved);
        UpdateSizes();
        RepositionCustomButtons();
    }
    return done;
}

BOOL COXCoolToolBar::DeleteButton(int index)
{
    return static_cast<BOOL>(SendMessage(TB_DELETEBUTTON, static_cast<WPARAM>(index)));
}

void COXCoolToolBar::OnLButtonDown(UINT flags, CPoint point)
{
    if (!m_bAdvancedCustomizable || !m_bCustomizationMode)
    {
        CToolBar::OnLButtonDown(flags, point);
        return;
    }
    POINT where = point;
    const int hit = static_cast<int>(SendMessage(TB_HITTEST, 0, reinterpret_cast<LPARAM>(&where)));
    // A separator (a negative hit, its index negated) is marked only when it holds a window.
    int marked = hit >= 0 && hit < GetCount() ? hit : -1;
    if (hit < 0 && m_customButtons.count(-hit))
        marked = -hit;
    SetMarkedButton(marked);
    Default();
    // The press marks the button only: it must not end in its command. The control sends
    // the command when the button comes up over the pressed button, so it is told the
    // button came up outside first.
    DefWindowProc(WM_LBUTTONUP, 0, MAKELPARAM(-1, -1));
    if (m_markedButton >= 0)
    {
        TBBUTTON button;
        if (GetButton(m_markedButton, &button) && (button.fsState & TBSTATE_PRESSED))
            SendMessage(TB_SETSTATE, static_cast<WPARAM>(button.idCommand),
                        MAKELPARAM(button.fsState & ~TBSTATE_PRESSED, 0));
    }
}

void COXCoolToolBar::OnRButtonUp(UINT flags, CPoint point)
{
    if (!m_bAdvancedCustomizable || !m_bCustomizationMode || m_markedButton < 0)
    {
        CToolBar::OnRButtonUp(flags, point);
        return;
    }
    CPoint screen = point;
    ClientToScreen(&screen);
    ShowCustomizeContextMenu(m_markedButton, screen.x, screen.y);
}

HMENU COXCoolToolBar::BuildCustomizeMenu(int index) const
{
    TBBUTTON button;
    if (!GetButton(index, &button))
        return nullptr;
    const bool isSeparator = IsPlainSeparator(button);
    const bool hasText = !isSeparator && HasButtonText(index);
    TBBUTTON neighbour;
    // A separator that holds a window counts as a button.
    const auto plainSeparatorAt = [&](int at) {
        return GetButton(at, &neighbour) && IsPlainSeparator(neighbour) &&
               !m_customButtons.count(at);
    };
    const bool canPutBefore = index > 0 && !plainSeparatorAt(index - 1);
    const bool canPutAfter = index < GetCount() - 1 && !plainSeparatorAt(index + 1);
    auto flagsFor = [](bool enabled) { return MF_STRING | (enabled ? MF_ENABLED : MF_GRAYED); };

    const HMENU menu = ::CreatePopupMenu();
    ::AppendMenuA(menu, MF_STRING, ID_OXCTB_DELETE, LoadText(IDS_OXCTB_DELETE));
    ::AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuA(menu, MF_STRING, ID_OXCTB_APPEARANCE, LoadText(IDS_OXCTB_APPEARANCE));
    ::AppendMenuA(menu, flagsFor(!isSeparator && hasText), ID_OXCTB_IMAGEONLY,
                  LoadText(IDS_OXCTB_IMAGEONLY));
    ::AppendMenuA(menu, flagsFor(!isSeparator && (!hasText || button.iBitmap == -1)),
                  ID_OXCTB_IMAGEANDTEXT, LoadText(IDS_OXCTB_IMAGEANDTEXT));
    ::AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuA(menu, flagsFor(canPutBefore), ID_OXCTB_SEPARATORBEFORE,
                  LoadText(IDS_OXCTB_SEPARATORBEFORE));
    ::AppendMenuA(menu, flagsFor(canPutAfter), ID_OXCTB_SEPARATORAFTER,
                  LoadText(IDS_OXCTB_SEPARATORAFTER));
    return menu;
}

void COXCoolToolBar::ShowCustomizeContextMenu(int index, int x, int y)
{
    const HMENU menu = BuildCustomizeMenu(index);
    if (!menu)
        return;
    // The commands share numbers with the program's: they are returned, never routed.
    const UINT command = static_cast<UINT>(::TrackPopupMenu(
        menu, TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, x, y, 0, m_hWnd, nullptr));
    ::DestroyMenu(menu);
    if (command != 0)
        DoCustomizeCommand(command, index);
}

void COXCoolToolBar::DoCustomizeCommand(UINT command, int index)
{
    OXCustomizeNotify notify = {};
    notify.hdr.hwndFrom = m_hWnd;
    notify.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
    notify.hdr.code = OXCTBN_CUSTOMIZECMD;
    notify.command = command;
    const HWND target = m_hWndCustomizeNotify ? m_hWndCustomizeNotify : ::GetParent(m_hWnd);
    if (target && ::SendMessageA(target, WM_NOTIFY, notify.hdr.idFrom,
                                 reinterpret_cast<LPARAM>(&notify)) != 0)
        return;
    TBBUTTON button;
    if (!GetButton(index, &button))
        return;
    const UINT id = static_cast<UINT>(button.idCommand);
    switch (command)
    {
    case ID_OXCTB_DELETE: DeleteButton(index); break;
    case ID_OXCTB_IMAGEONLY:
        m_savedTexts[id] = GetButtonText(index);
        SetButtonText(index, "");
        UpdateSizes();
        break;
    case ID_OXCTB_IMAGEANDTEXT:
    {
        CString text = m_savedTexts[id];
        if (text.IsEmpty())
        {
            CString full;
            fw::LoadResourceString(id, full);
            if (!fw::ExtractSubString(text, full, 1))
                text = full;
        }
        SetButtonText(index, text);
        UpdateSizes();
        break;
    }
    case ID_OXCTB_SEPARATORBEFORE:
    case ID_OXCTB_SEPARATORAFTER:
    {
        TBBUTTON separator = {};
        separator.iBitmap = -1;
        separator.fsStyle = TBSTYLE_SEP;
        separator.iString = -1;
        const int at = command == ID_OXCTB_SEPARATORBEFORE ? index : index + 1;
        SendMessage(TB_INSERTBUTTONA, static_cast<WPARAM>(at),
                    reinterpret_cast<LPARAM>(&separator));
        break;
    }
    default: break;
    }
}

BOOL COXCoolToolBar::OnGetButtonInfo(NMHDR* header, LRESULT* result)
{
    auto* info = reinterpret_cast<NMTOOLBARA*>(header);
    const int item = info->iItem;
    if (item < 0 || item >= static_cast<int>(m_customizableIds.size()))
    {
        *result = FALSE;
        return TRUE;
    }
    const UINT id = m_customizableIds[static_cast<size_t>(item)];
    info->tbButton = TBBUTTON{};
    info->tbButton.iBitmap = item;
    info->tbButton.idCommand = static_cast<int>(id);
    info->tbButton.fsState = TBSTATE_ENABLED;
    info->tbButton.iString = -1;
    if (info->pszText && info->cchText > 0)
    {
        CString full;
        CString tip;
        fw::LoadResourceString(id, full);
        fw::ExtractSubString(tip, full, 1);
        if (header->code == TBN_GETBUTTONINFOW)
        {
            auto* wide = reinterpret_cast<NMTOOLBARW*>(header);
            if (!::MultiByteToWideChar(CP_ACP, 0, tip, -1, wide->pszText, wide->cchText))
                wide->pszText[wide->cchText - 1] = L'\0';
        }
        else
        {
            lstrcpynA(info->pszText, tip, info->cchText);
        }
    }
    *result = TRUE;
    return TRUE;
}

BOOL COXCoolToolBar::OnQueryInsertOrDelete(NMHDR*, LRESULT* result)
{
    *result = TRUE;
    return TRUE;
}

BOOL COXCoolToolBar::OnEndDrag(NMHDR*, LRESULT* result)
{
    *result = 0;
    return TRUE;
}

BOOL COXCoolToolBar::OnToolbarChange(NMHDR*, LRESULT*)
{
    SetButtonTextFromID(0, 0xFFFF, m_textType);
    return FALSE; // the frame may want to know too
}

LRESULT COXCoolToolBar::OnDragEnterMessage(WPARAM, LPARAM lParam)
{
    if (!m_bAdvancedCustomizable)
        return 0;
    OnDragEnter(reinterpret_cast<OXDropRecord*>(lParam));
    return 1;
}

LRESULT COXCoolToolBar::OnDragOverMessage(WPARAM, LPARAM lParam)
{
    if (!m_bAdvancedCustomizable)
        return 0;
    OnDragOver(reinterpret_cast<OXDropRecord*>(lParam));
    return 1;
}

LRESULT COXCoolToolBar::OnDragLeaveMessage(WPARAM, LPARAM lParam)
{
    if (!m_bAdvancedCustomizable)
        return 0;
    OnDragLeave(reinterpret_cast<OXDropRecord*>(lParam));
    return 1;
}

LRESULT COXCoolToolBar::OnDropMessage(WPARAM, LPARAM lParam)
{
    if (!m_bAdvancedCustomizable)
        return 0;
    OnDrop(reinterpret_cast<OXDropRecord*>(lParam));
    return 1;
}

void COXCoolToolBar::OnDragEnter(OXDropRecord* record)
{
    m_bDragOver = TRUE;
    OnDragOver(record);
}

void COXCoolToolBar::OnDragOver(OXDropRecord* record)
{
    record->result = DROPEFFECT_NONE;
}

void COXCoolToolBar::OnDragLeave(OXDropRecord*)
{
    TBINSERTMARK none = {-1, 0};
    SendMessage(TB_SETINSERTMARK, 0, reinterpret_cast<LPARAM>(&none));
    if (!m_bDragStartedHere)
        m_bDragOver = FALSE;
}

void COXCoolToolBar::OnDrop(OXDropRecord* record)
{
    record->result = DROPEFFECT_NONE;
    m_bDragOver = FALSE;
}
