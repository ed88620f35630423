// COXSizeDockBar: the dock bar along each side of a sizeable docking frame. It lays its bars
// out in rows as the framework's dock bar does, puts splitters between neighbouring sizeable
// bars and beside rows that hold one, lets the user drag them to share length or thickness,
// keeps the sizeable bars of a row filling the row when the frame resizes or bars show and
// hide, and maximizes one bar of a row on request.
#pragma once

#include "framework/OXSizeDockRows.h"
#include "platform/bars/dockbar.h"

#include <vector>

class COXSizeControlBar;

// A splitter of the last layout; see dockrows::Splitter.
using CDockSplitter = dockrows::Splitter;

class COXSizeDockBar : public CDockBar
{
    FW_CLASS(COXSizeDockBar, CDockBar)

public:
    COXSizeDockBar();

    // Rows and splitters; the sizeable rows packed.
    CSize CalcFixedLayout(BOOL stretch, BOOL horz) override;

    // Measures the bars of bars from rowStart to the row end (visible, windows alive); a
    // sizeable bar by its docked size here, any other by its window.
    void GetRowSizeInfo(int rowStart, dockrows::RowSizeInfo& info, const CPtrArray& bars) const;
    // Fits the sizeable bars of that row into length: their docked sizes take the new lengths
    // and the row's thickness, and their windows follow unless this is a layout query. FALSE
    // when the row has no sizeable bar.
    BOOL FitRowToLength(int rowStart, int length, const CPtrArray& bars);
    // Every row; TRUE when some row had sizeable bars.
    BOOL FitAllRows(int length);
    // The other bars of bar's row shrink to leave it its length (and a splitter).
    void MakeRoomForBar(CControlBar* bar);
    // Gives bar all the length of its row that the others can spare (leaving them their
    // captions), or gives everyone their lengths back.
    void MaximizeBarInRow(COXSizeControlBar* bar, BOOL maximize);
    // The visible bars other than bar in the row holding the middle of rect (screen
    // coordinates); 0 when no row is there.
    int CountOtherBarsInRow(const CControlBar* bar, const CRect& rect) const;
    DWORD VisibleBarsSignature() const;
    // Forgets the signature of the last refit, so that the next layout refits every row.
    void ForgetBarsSignature() { m_dwLastSignature = 0; }

    const std::vector<CDockSplitter>& GetSplitters() const { return m_splitters; }
    // The splitter under a client point, the last made first; -1 when none.
    int HitTestSplitter(CPoint point) const;
    BOOL IsHorz() const { return (m_dwStyle & CBRS_ORIENT_HORZ) != 0; }

    FW_MESSAGE_TABLE()

protected:
    LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    void OnPaint();
    BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message);
    void OnMouseMove(UINT flags, CPoint point);
    void OnLButtonDown(UINT flags, CPoint point);
    void OnLButtonUp(UINT flags, CPoint point);

private:
    // The bars of a row, by position in m_arrBars.
    struct RowMember
    {
        int pos;
        CControlBar* bar;
        COXSizeControlBar* sizeable; // null for other bars
    };

    // The visible bars of the row of bars starting at rowStart.
    std::vector<RowMember> RowMembers(int rowStart, const CPtrArray& bars) const;
    // A bar's length and thickness in its row.
    dockrows::RowBar MeasureBar(const RowMember& member) const;
    // The first position of the row holding pos.
    int RowStartOf(int pos) const;
    // The length available to rows and the border overlap along them.
    int MaxLength() const;
    int BorderAlong() const;
    std::vector<dockrows::Slot> MakeSlots(fw::SizeParentParams* moves);
    void RefreshSlotSizes(std::vector<dockrows::Slot>& slots) const;
    // A bar's docked length and thickness here, and setting them.
    int DockedLength(const COXSizeControlBar* bar) const;
    void SetDockedLength(COXSizeControlBar* bar, int length) const;
    void SetDockedThickness(COXSizeControlBar* bar, int thickness) const;

    // Bars shown since the last WM_SIZEPARENT take their room from the others of their row;
    // the bars hidden now are remembered for the next time.
    void MakeRoomForShownBars();

    void SetSplitterCursor(CPoint point);
    void TrackSplitter(int index, CPoint point);
    // Limits of a splitter's left (or top) edge, in client coordinates; FALSE when it cannot
    // move at all.
    BOOL SplitterLimits(const CDockSplitter& splitter, CRect& limit);
    void MoveSplitterInRow(const CDockSplitter& splitter, int moved);
    void MoveSplitterBetweenRows(const CDockSplitter& splitter, int moved);
    // The row a splitter between rows sizes, as a row start.
    int RowSizedBy(const CDockSplitter& splitter) const;
    BOOL IsSplitterInRow(const CDockSplitter& splitter) const;
    // Length the sizeable bars before pos (or from pos on) can give, taken when applying;
    // count receives how many there are.
    int ShrinkBarsBefore(int pos, int amount, bool apply, int* count);
    int ShrinkBarsAfter(int pos, int amount, bool apply, int* count);

    std::vector<CDockSplitter> m_splitters;
    int m_nTrackedSplitter = -1;
    HCURSOR m_hcurRow = nullptr;    // over splitters between rows of a horizontal dock bar
    HCURSOR m_hcurColumn = nullptr; // over splitters between columns
    int m_nLastWidth = 65535;
    int m_nLastHeight = 65535;
    DWORD m_dwLastSignature = 0;
    std::vector<CControlBar*> m_hiddenBars; // docked, not visible at the last WM_SIZEPARENT
};
