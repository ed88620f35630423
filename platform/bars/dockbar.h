// CDockBar: the bar along one side of a frame (or inside a floating frame) that lays other
// bars out in rows. Its bar array m_arrBars holds, in order: a null at index 0, then the rows,
// each ended by a null. An entry below 0x10000 is not a bar but the id of a bar that left it
// (a placeholder), so that a bar docked again returns to its place.
//   {0, A, B, 0}     one row: A then B
//   {0, A, 0, B, 0}  two rows: A above (or left of) B
//   {0, id(A), B, 0} A floats; docking it here again puts it before B
#pragma once

#include "platform/bars/ctlbar.h"
#include "platform/base/coll_array.h"

#include <vector>

class CDockBar : public CControlBar
{
    FW_CLASS(CDockBar, CControlBar)

public:
    explicit CDockBar(BOOL floating = FALSE);
    ~CDockBar() override;

    // A child of parent (a frame) with a CBRS_ALIGN_* style and a dock bar id.
    BOOL Create(CWnd* parent, DWORD style, UINT id);

    // Takes bar into a row. With a rectangle (screen coordinates), the row holding the
    // rectangle's middle gets it, after the bars that start before it; a rectangle outside
    // every row opens a new row there. Without one, the bar takes its placeholder's place,
    // else a new last row.
    void DockControlBar(CControlBar* bar, LPCRECT rect = nullptr);
    // Takes bar out; with leavePlaceholder its id stays in its place. A row left empty goes.
    // Returns FALSE when the bar was not here.
    BOOL RemoveControlBar(CControlBar* bar, int excludePos = -1, BOOL leavePlaceholder = FALSE);
    // Removes every placeholder of a bar id; TRUE when there was one.
    BOOL RemovePlaceholder(UINT barId);
    // Takes these rows (bars, placeholders and row ends, without the leading null) in place
    // of its own; the bars move in here. For applying a dock state: the bars must have left
    // their dock bars.
    void ReplaceBars(const std::vector<void*>& entries);

    // Position of a bar (or a placeholder given as (CControlBar*)(UINT_PTR)id) in m_arrBars,
    // not counting excludePos; -1 when absent.
    int FindBar(const CControlBar* bar, int excludePos = -1) const;
    // The bar at a position; null for row ends and placeholders.
    CControlBar* GetDockedControlBar(int pos) const;
    int GetDockedCount() const;
    int GetDockedVisibleCount() const;
    static bool IsPlaceholder(const void* entry);
    // How a bar measures itself where it is docked (CalcDynamicLayout's mode, LM_COMMIT aside).
    static DWORD LayoutModeOf(const CControlBar* bar);
    static void* Placeholder(UINT barId);

    BOOL IsDockBar() const override;
    // Rows as the row rules place them; moves the bars unless this is a layout query.
    CSize CalcFixedLayout(BOOL stretch, BOOL horz) override;

    FW_MESSAGE_TABLE()

protected:
    void OnDestroy();
    LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);

private:
    // Where a rectangle (client coordinates) goes in the array: the position to insert at,
    // and whether a new row starts there.
    int InsertPosition(const CRect& rect, bool* newRow) const;
    // Takes bar into this window and style; it leaves its old dock bar.
    void Adopt(CControlBar* bar, const CRect* clientRect);
    void RemovePlaceholdersOnSite(UINT barId);
    CSize MaxLength() const;
    // A visible bar's window rectangle in client coordinates; FALSE for other entries.
    BOOL GetVisibleBarRect(int pos, CRect* rect) const;

public:
    CPtrArray m_arrBars;         // see the file comment; placeholders as (void*)(UINT_PTR)id
    BOOL m_bFloating;            // inside a floating frame
    BOOL m_bLayoutQuery = FALSE; // set while a WM_SIZEPARENT query runs
    CRect m_rectLayout;          // the rectangle of the last WM_SIZEPARENT (frame client)
};
