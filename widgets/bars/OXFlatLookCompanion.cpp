// The flat combo box's edit and list companions: each passes its messages to its flat-look
// part; the edit reports its focus to its combo.
#include "widgets/bars/OXFlatLookComboBox.h"

#include <type_traits>

template <class Base>
COXFlatLookCompanion<Base>::COXFlatLookCompanion()
    : m_flat(*this, std::is_same_v<Base, CEdit> ? COXFlatLook::kindEdit : COXFlatLook::kindList)
{
}

template <class Base>
const fw::MsgTable* COXFlatLookCompanion<Base>::Table()
{
    using Self = COXFlatLookCompanion<Base>;
    static constexpr fw::MsgEntry kEntries[] = {
        fw::kTableStart,
        fw::on<WM_TIMER, &Self::OnTimer>(),
        fw::on<WM_ENABLE, &Self::OnEnable>(),
        fw::on<WM_NCPAINT, &Self::OnNcPaint>(),
        fw::on<WM_SIZE, &Self::OnSize>(),
        fw::on<WM_DESTROY, &Self::OnDestroy>(),
        fw::on<WM_SETFOCUS, &Self::OnSetFocus>(),
        fw::on<WM_KILLFOCUS, &Self::OnKillFocus>(),
    };
    static constexpr fw::MsgTable kTable = {&Base::Table, kEntries, std::size(kEntries)};
    return &kTable;
}

template <class Base>
const fw::MsgTable* COXFlatLookCompanion<Base>::GetMessageTable() const
{
    return Table();
}

template <class Base>
void COXFlatLookCompanion<Base>::PreSubclassWindow()
{
    Base::PreSubclassWindow();
    m_flat.Initialise();
}

template <class Base>
BOOL COXFlatLookCompanion<Base>::OnWndMsg(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    if (COXFlatLook::IsMouseMessage(msg))
    {
        m_flat.OnMouseMessage(msg, wParam, lParam);
        // The mouse over the edit is over its combo too, which gets no message of it.
        if (m_pCombo)
            m_pCombo->OnCompanionMouseMessage();
    }
    return Base::OnWndMsg(msg, wParam, lParam, result);
}

template <class Base>
void COXFlatLookCompanion<Base>::OnTimer(UINT_PTR id)
{
    if (!m_flat.OnTimer(id))
        Base::OnTimer(id);
}

template <class Base>
void COXFlatLookCompanion<Base>::OnEnable(BOOL enable)
{
    Base::OnEnable(enable);
    m_flat.OnEnable();
}

template <class Base>
void COXFlatLookCompanion<Base>::OnNcPaint()
{
    Base::Default();
    m_flat.OnNcPaint();
}

template <class Base>
void COXFlatLookCompanion<Base>::OnSize(UINT type, int cx, int cy)
{
    Base::OnSize(type, cx, cy);
    m_flat.OnSize();
}

template <class Base>
void COXFlatLookCompanion<Base>::OnDestroy()
{
    m_flat.OnDestroy();
    Base::OnDestroy();
}

template <class Base>
void COXFlatLookCompanion<Base>::OnSetFocus(CWnd* oldWnd)
{
    Base::OnSetFocus(oldWnd);
    FocusChanged(Base::m_hWnd);
}

template <class Base>
void COXFlatLookCompanion<Base>::OnKillFocus(CWnd* newWnd)
{
    Base::OnKillFocus(newWnd);
    FocusChanged(newWnd ? newWnd->GetSafeHwnd() : nullptr);
}

template <class Base>
void COXFlatLookCompanion<Base>::FocusChanged(HWND newFocus)
{
    m_flat.OnFocusChange(newFocus);
    if (m_pCombo)
        m_pCombo->OnCompanionFocusChange(newFocus);
}

template class COXFlatLookCompanion<CEdit>;
template class COXFlatLookCompanion<CListBox>;
