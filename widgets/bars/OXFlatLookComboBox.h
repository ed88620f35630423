// COXFlatLookComboBox: a combo box drawn flat while the mouse is elsewhere and the focus is
// outside it, three-dimensional while hot or focused. Its edit part and its list part are
// subclassed by companions that follow the same rules, so the whole control changes look
// together; it draws owner-drawn items in the system colours.
//
// A frame puts one on a toolbar separator:
//   m_toolBar.SetButtonInfo(index, ID_LOADCASE_COMBO, TBBS_SEPARATOR, 125);
//   m_toolBar.GetItemRect(index, &rect);
//   m_combo.Create(CBS_DROPDOWNLIST | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP | WS_VISIBLE,
//                  rect, &m_toolBar, ID_LOADCASE_COMBO);
// and drives it with the combo-box messages; its notifications reach the frame through the
// toolbar.
#pragma once

#include "platform/ctrl/stdctrl.h"
#include "widgets/bars/OXFlatLook.h"

class COXFlatLookComboBox;

// The edit and list companions: a control of the given kind with the flat look.
template <class Base>
class COXFlatLookCompanion : public Base
{
public:
    COXFlatLookCompanion();

    COXFlatLook& FlatLook() { return m_flat; }
    // The combo whose focus covers this control's (the edit's), not owned; null for a list.
    COXFlatLookComboBox* m_pCombo = nullptr;

    static const fw::MsgTable* Table();
    const fw::MsgTable* GetMessageTable() const override;

protected:
    void PreSubclassWindow() override;
    BOOL OnWndMsg(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

    void OnTimer(UINT_PTR id);
    void OnEnable(BOOL enable);
    void OnNcPaint();
    void OnSize(UINT type, int cx, int cy);
    void OnDestroy();
    void OnSetFocus(CWnd* oldWnd);
    void OnKillFocus(CWnd* newWnd);

private:
    void FocusChanged(HWND newFocus);

    COXFlatLook m_flat;
};

using COXFlatLookEdit = COXFlatLookCompanion<CEdit>;
using COXFlatLookListBox = COXFlatLookCompanion<CListBox>;

class COXFlatLookComboBox : public CComboBox
{
public:
    // Control ids of a combo box's edit and list parts.
    static constexpr int kEditId = 1001;
    static constexpr int kListId = 1000;

    COXFlatLookComboBox();

    BOOL IsFlatLook() const { return m_flat.IsFlat(); }
    void SetFlatLook(BOOL flat);
    // The tip of the combo and of both companions (empty: none).
    void SetToolTipText(const char* text);
    CString GetToolTipText() const { return m_flat.GetToolTipText(); }

    BOOL IsHot() const { return m_flat.IsHot(); }
    BOOL HasFocusState() const { return m_flat.HasFocus(); }
    void SetFocusState(BOOL focus);
    void SetHotState(BOOL hot, CPoint point);
    // The drop button in client coordinates; empty for a simple combo.
    CRect GetDropButtonRect() const;

    COXFlatLookEdit& GetEditCompanion() { return m_edit; }
    COXFlatLookListBox& GetListCompanion() { return m_list; }
    int GetTextHeight() const { return m_textHeight; }

    // The edit companion's focus moved, or the mouse moved over it: the combo covers its edit.
    void OnCompanionFocusChange(HWND newFocus);
    void OnCompanionMouseMessage();

    // Owner-drawn items, and the selection field of a drop-down list.
    void DrawItem(LPDRAWITEMSTRUCT item) override;
    void MeasureItem(LPMEASUREITEMSTRUCT item) override;
    int CompareItem(LPCOMPAREITEMSTRUCT item) override;

    FW_MESSAGE_TABLE()

protected:
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
    void PreSubclassWindow() override;
    BOOL OnWndMsg(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

    int OnCreate(LPCREATESTRUCTA cs);
    void OnPaint();
    LRESULT OnSetFontMessage(WPARAM wParam, LPARAM lParam);
    void OnParentNotify(UINT message, LPARAM lParam);
    HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor);
    void OnTimer(UINT_PTR id);
    void OnEnable(BOOL enable);
    void OnNcPaint();
    void OnSize(UINT type, int cx, int cy);
    void OnDestroy();
    void OnSetFocus(CWnd* oldWnd);
    void OnKillFocus(CWnd* newWnd);
    BOOL OnCloseUp();

private:
    void Setup();
    void MeasureFont();
    BOOL IsOwnerDrawn() const;
    BOOL HasEdit() const;
    void SubclassEdit(HWND edit);
    void SubclassList(HWND list);
    void DrawField(CDC& dc, const CRect& field);
    void DrawBorder(CDC& dc, const CRect& client) const;
    void DrawDropButton(CDC& dc, const CRect& button) const;

    COXFlatLook m_flat;
    COXFlatLookEdit m_edit;
    COXFlatLookListBox m_list;
    int m_textHeight = 0;   // tmHeight of the control's font
    int m_extentHeight = 0; // height of "ygaQ!|" in it
    BOOL m_bCreating = FALSE;
};
