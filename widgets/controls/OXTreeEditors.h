// The tree control's in-place editors and its sorting header: a growing edit box over a cell,
// a drop-down list of the cell's choices, a date editor, and the column header that draws the
// sort mark, sorts on a click and fits a column to its content on a divider double-click.
#pragma once

#include "platform/base/geometry.h"
#include "platform/base/string.h"
#include "platform/ctrl/listctrl.h"
#include "platform/ctrl/stdctrl.h"
#include "widgets/controls/OXDateEdit.h"

#include <windows.h>

class COXTreeCtrl;
class CStringArray;

// Reports the end of an in-place edit the way the list control does: LVN_ENDLABELEDIT to the
// tree's parent with the row (-1 when cancelled), the column and the text.
void OXTreeSendEndLabelEdit(COXTreeCtrl* tree, UINT editorId, int row, int column,
                            const char* text);

// The list control's own label edit, subclassed: it grows with its text from an anchor.
class COXTreeEdit : public CEdit
{
public:
    static constexpr int kMarginX = 14;
    static constexpr int kMarginY = 6;

    // alignment: 0 left, 1 centre, 2 right of the anchor.
    BOOL Start(HWND listEdit, CPoint anchor, int alignment, CSize maxSize, const char* text);

    LRESULT OnWindowPosChanging(WPARAM wParam, LPARAM lParam);
    LRESULT OnTextEdit(WPARAM wParam, LPARAM lParam);

    FW_MESSAGE_TABLE()

private:
    void Place(WINDOWPOS* pos) const;
    CSize TextSize() const;

    CPoint m_anchor;
    int m_alignment = 0;
    bool m_positioned = false;
    CSize m_maxSize;
    bool m_hasMaxSize = false;
};

// The drop-down list of a cell's choices; Enter or losing the focus commits, Escape cancels.
class COXTreeCombo : public CComboBox
{
public:
    static constexpr UINT kId = 100;

    BOOL Start(COXTreeCtrl* tree, const RECT& cell, int dropHeight, const CStringArray& choices,
               const char* text, int row, int column);
    void EndEdit(bool commit);

    void OnKillFocus(CWnd* newWnd);
    void OnKeyDown(UINT key, UINT repeat, UINT flags);
    LRESULT OnGetDlgCode(WPARAM wParam, LPARAM lParam);

    FW_MESSAGE_TABLE()

private:
    COXTreeCtrl* m_tree = nullptr;
    int m_row = -1;
    int m_column = -1;
    bool m_ended = true;
};

// The date editor of a cell: Enter commits, Escape cancels, leaving for another window
// commits; only a valid date is committed.
class COXTreeCal : public COXDateEdit
{
public:
    static constexpr UINT kId = 7;

    BOOL Start(COXTreeCtrl* tree, const RECT& cell, const char* text, const CStringArray* choices,
               int row, int column);
    void EndEdit(bool commit);

    BOOL PreTranslateMessage(MSG* msg) override;
    void OnEditKillFocus();
    void OnLButtonDown(UINT flags, CPoint point);

    FW_MESSAGE_TABLE()

private:
    bool HasFocusInside() const;

    COXTreeCtrl* m_tree = nullptr;
    int m_row = -1;
    int m_column = -1;
    bool m_ended = true;
};

// The list's column header, subclassed.
class COXTreeHeader : public CHeaderCtrl
{
public:
    void SetTree(COXTreeCtrl* tree) { m_tree = tree; }
    // Shows the mark on column with direction 1 ascending, -1 descending, 0 none.
    void SetSortMark(int column, int direction);
    int GetSortColumn() const { return m_sortColumn; }
    int GetSortDirection() const { return m_sortDirection; }
    void DrawItem(LPDRAWITEMSTRUCT drawItem) override;

    void OnLButtonDown(UINT flags, CPoint point);
    void OnLButtonUp(UINT flags, CPoint point);
    void OnLButtonDblClk(UINT flags, CPoint point);

    FW_MESSAGE_TABLE()

private:
    void SetOwnerDraw(int column, bool ownerDraw);

    COXTreeCtrl* m_tree = nullptr;
    int m_sortColumn = -1;
    int m_sortDirection = 0;
    bool m_pressed = false;
};
