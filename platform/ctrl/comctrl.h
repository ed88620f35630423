// Small common controls: tabs, slider, spin button and progress bar. Ranges are 32-bit (the
// slider takes its ends one message each, so 0..370000 survives); tab item data is
// pointer-sized; owner-drawn tabs paint in DrawItem, reflected from the parent.
#pragma once

#include "platform/base/geometry.h"
#include "platform/win/wnd.h"

#include <windows.h>

#include <commctrl.h>

class CImageList;

class CTabCtrl : public CWnd
{
    FW_CLASS(CTabCtrl, CWnd)

public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    int GetItemCount() const { return static_cast<int>(SendMessage(TCM_GETITEMCOUNT)); }
    BOOL GetItem(int index, TCITEMA* item) const;
    BOOL SetItem(int index, const TCITEMA* item);
    int InsertItem(int index, const TCITEMA* item);
    int InsertItem(int index, const char* text);
    int InsertItem(int index, const char* text, int image);
    int InsertItem(UINT mask, int index, const char* text, int image, LPARAM data);
    BOOL DeleteItem(int index) { return static_cast<BOOL>(SendMessage(TCM_DELETEITEM, index)); }
    BOOL DeleteAllItems() { return static_cast<BOOL>(SendMessage(TCM_DELETEALLITEMS)); }
    DWORD_PTR GetItemData(int index) const;
    BOOL SetItemData(int index, DWORD_PTR data);

    int GetCurSel() const { return static_cast<int>(SendMessage(TCM_GETCURSEL)); }
    int SetCurSel(int index) { return static_cast<int>(SendMessage(TCM_SETCURSEL, index)); }
    int GetCurFocus() const { return static_cast<int>(SendMessage(TCM_GETCURFOCUS)); }
    void SetCurFocus(int index) { SendMessage(TCM_SETCURFOCUS, index); }
    BOOL HighlightItem(int index, BOOL highlight = TRUE);

    BOOL GetItemRect(int index, LPRECT rect) const;
    // larger: the window rectangle for a display rectangle; otherwise the reverse.
    void AdjustRect(BOOL larger, LPRECT rect) const;
    int HitTest(TCHITTESTINFO* info) const;
    int GetRowCount() const { return static_cast<int>(SendMessage(TCM_GETROWCOUNT)); }
    CSize SetItemSize(CSize size);
    void SetPadding(CSize size) { SendMessage(TCM_SETPADDING, 0, MAKELPARAM(size.cx, size.cy)); }
    int SetMinTabWidth(int width)
    {
        return static_cast<int>(SendMessage(TCM_SETMINTABWIDTH, 0, width));
    }
    CImageList* SetImageList(CImageList* list);
    CImageList* GetImageList() const;
    CWnd* GetToolTips() const;
    void SetToolTips(CWnd* tips);

    // TCS_OWNERDRAWFIXED: paints one tab.
    virtual void DrawItem(LPDRAWITEMSTRUCT item);

    BOOL OnChildNotify(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
};

class CSliderCtrl : public CWnd
{
    FW_CLASS(CSliderCtrl, CWnd)

public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    int GetRangeMin() const { return static_cast<int>(SendMessage(TBM_GETRANGEMIN)); }
    int GetRangeMax() const { return static_cast<int>(SendMessage(TBM_GETRANGEMAX)); }
    void GetRange(int& minPos, int& maxPos) const;
    void SetRangeMin(int minPos, BOOL redraw = FALSE)
    {
        SendMessage(TBM_SETRANGEMIN, redraw, minPos);
    }
    void SetRangeMax(int maxPos, BOOL redraw = FALSE)
    {
        SendMessage(TBM_SETRANGEMAX, redraw, maxPos);
    }
    void SetRange(int minPos, int maxPos, BOOL redraw = FALSE);
    int GetPos() const { return static_cast<int>(SendMessage(TBM_GETPOS)); }
    void SetPos(int pos) { SendMessage(TBM_SETPOS, TRUE, pos); }
    int GetLineSize() const { return static_cast<int>(SendMessage(TBM_GETLINESIZE)); }
    int SetLineSize(int size) { return static_cast<int>(SendMessage(TBM_SETLINESIZE, 0, size)); }
    int GetPageSize() const { return static_cast<int>(SendMessage(TBM_GETPAGESIZE)); }
    int SetPageSize(int size) { return static_cast<int>(SendMessage(TBM_SETPAGESIZE, 0, size)); }
    void SetTicFreq(int frequency) { SendMessage(TBM_SETTICFREQ, static_cast<WPARAM>(frequency)); }
    BOOL SetTic(int pos) { return static_cast<BOOL>(SendMessage(TBM_SETTIC, 0, pos)); }
    void ClearTics(BOOL redraw = FALSE) { SendMessage(TBM_CLEARTICS, redraw); }
    UINT GetNumTics() const { return static_cast<UINT>(SendMessage(TBM_GETNUMTICS)); }
    void SetSelection(int minPos, int maxPos);
    void ClearSel(BOOL redraw = FALSE) { SendMessage(TBM_CLEARSEL, redraw); }
    void GetChannelRect(LPRECT rect) const
    {
        SendMessage(TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(rect));
    }
    void GetThumbRect(LPRECT rect) const
    {
        SendMessage(TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(rect));
    }
};

class CSpinButtonCtrl : public CWnd
{
    FW_CLASS(CSpinButtonCtrl, CWnd)

public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    void SetRange(int lower, int upper)
    {
        SendMessage(UDM_SETRANGE32, static_cast<WPARAM>(lower), upper);
    }
    void GetRange(int& lower, int& upper) const;
    int SetPos(int pos) { return static_cast<int>(SendMessage(UDM_SETPOS32, 0, pos)); }
    // The position; errorOut (when given) is set when the buddy's text is not a number.
    int GetPos(BOOL* errorOut = nullptr) const;
    CWnd* SetBuddy(CWnd* buddy);
    CWnd* GetBuddy() const;
    int SetBase(int base)
    {
        return static_cast<int>(SendMessage(UDM_SETBASE, static_cast<WPARAM>(base)));
    }
    UINT GetBase() const { return static_cast<UINT>(SendMessage(UDM_GETBASE)); }
    BOOL SetAccel(int count, UDACCEL* accel);
    UINT GetAccel(int count, UDACCEL* accel) const;
};

class CProgressCtrl : public CWnd
{
    FW_CLASS(CProgressCtrl, CWnd)

public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    void SetRange(int lower, int upper)
    {
        SendMessage(PBM_SETRANGE32, static_cast<WPARAM>(lower), upper);
    }
    void GetRange(int& lower, int& upper) const;
    int SetPos(int pos)
    {
        return static_cast<int>(SendMessage(PBM_SETPOS, static_cast<WPARAM>(pos)));
    }
    int GetPos() const { return static_cast<int>(SendMessage(PBM_GETPOS)); }
    int OffsetPos(int delta)
    {
        return static_cast<int>(SendMessage(PBM_DELTAPOS, static_cast<WPARAM>(delta)));
    }
    int SetStep(int step)
    {
        return static_cast<int>(SendMessage(PBM_SETSTEP, static_cast<WPARAM>(step)));
    }
    int StepIt() { return static_cast<int>(SendMessage(PBM_STEPIT)); }
};
