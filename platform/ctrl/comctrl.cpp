// Tabs, slider, spin button and progress bar.
#include "platform/ctrl/comctrl.h"

#include "platform/ctrl/imagelist.h"
#include "platform/ctrl/ownerdraw.h"
#include "platform/ctrl/stdctrl.h"

namespace
{
template <class T>
LPARAM Ptr(T* p)
{
    return reinterpret_cast<LPARAM>(p);
}
} // namespace

BOOL CTabCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return fw::CreateControl(this, WC_TABCONTROLA, nullptr, style, rect, parent, id);
}

BOOL CTabCtrl::GetItem(int index, TCITEMA* item) const
{
    return static_cast<BOOL>(SendMessage(TCM_GETITEMA, static_cast<WPARAM>(index), Ptr(item)));
}

BOOL CTabCtrl::SetItem(int index, const TCITEMA* item)
{
    return static_cast<BOOL>(SendMessage(TCM_SETITEMA, static_cast<WPARAM>(index), Ptr(item)));
}

int CTabCtrl::InsertItem(int index, const TCITEMA* item)
{
    return static_cast<int>(SendMessage(TCM_INSERTITEMA, static_cast<WPARAM>(index), Ptr(item)));
}

int CTabCtrl::InsertItem(int index, const char* text)
{
    return InsertItem(TCIF_TEXT, index, text, 0, 0);
}

int CTabCtrl::InsertItem(int index, const char* text, int image)
{
    return InsertItem(TCIF_TEXT | TCIF_IMAGE, index, text, image, 0);
}

int CTabCtrl::InsertItem(UINT mask, int index, const char* text, int image, LPARAM data)
{
    TCITEMA item = {};
    item.mask = mask;
    item.pszText = const_cast<char*>(text);
    item.iImage = image;
    item.lParam = data;
    return InsertItem(index, &item);
}

DWORD_PTR CTabCtrl::GetItemData(int index) const
{
    TCITEMA item = {};
    item.mask = TCIF_PARAM;
    return GetItem(index, &item) ? static_cast<DWORD_PTR>(item.lParam) : 0;
}

BOOL CTabCtrl::SetItemData(int index, DWORD_PTR data)
{
    TCITEMA item = {};
    item.mask = TCIF_PARAM;
    item.lParam = static_cast<LPARAM>(data);
    return SetItem(index, &item);
}

BOOL CTabCtrl::HighlightItem(int index, BOOL highlight)
{
    return static_cast<BOOL>(
        SendMessage(TCM_HIGHLIGHTITEM, static_cast<WPARAM>(index), MAKELPARAM(highlight, 0)));
}

BOOL CTabCtrl::GetItemRect(int index, LPRECT rect) const
{
    return static_cast<BOOL>(SendMessage(TCM_GETITEMRECT, static_cast<WPARAM>(index), Ptr(rect)));
}

void CTabCtrl::AdjustRect(BOOL larger, LPRECT rect) const
{
    SendMessage(TCM_ADJUSTRECT, larger, Ptr(rect));
}

int CTabCtrl::HitTest(TCHITTESTINFO* info) const
{
    return static_cast<int>(SendMessage(TCM_HITTEST, 0, Ptr(info)));
}

CSize CTabCtrl::SetItemSize(CSize size)
{
    const LRESULT old = SendMessage(TCM_SETITEMSIZE, 0, MAKELPARAM(size.cx, size.cy));
    return CSize(LOWORD(old), HIWORD(old));
}

CImageList* CTabCtrl::SetImageList(CImageList* list)
{
    const LRESULT old = SendMessage(TCM_SETIMAGELIST, 0, Ptr(list ? list->m_hImageList : nullptr));
    return CImageList::FromHandle(reinterpret_cast<HIMAGELIST>(old));
}

CImageList* CTabCtrl::GetImageList() const
{
    return CImageList::FromHandle(reinterpret_cast<HIMAGELIST>(SendMessage(TCM_GETIMAGELIST)));
}

CWnd* CTabCtrl::GetToolTips() const
{
    return CWnd::FromHandle(reinterpret_cast<HWND>(SendMessage(TCM_GETTOOLTIPS)));
}

void CTabCtrl::SetToolTips(CWnd* tips)
{
    SendMessage(TCM_SETTOOLTIPS, reinterpret_cast<WPARAM>(tips ? tips->GetSafeHwnd() : nullptr));
}

void CTabCtrl::DrawItem(LPDRAWITEMSTRUCT)
{
}

BOOL CTabCtrl::OnChildNotify(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    // Reflection entries of a derived class come first, then the owner-draw virtuals.
    return CWnd::OnChildNotify(msg, wParam, lParam, result) ||
           fw::ReflectDrawItem(this, msg, lParam, result);
}

BOOL CSliderCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return fw::CreateControl(this, TRACKBAR_CLASSA, nullptr, style, rect, parent, id);
}

void CSliderCtrl::GetRange(int& minPos, int& maxPos) const
{
    minPos = GetRangeMin();
    maxPos = GetRangeMax();
}

void CSliderCtrl::SetRange(int minPos, int maxPos, BOOL redraw)
{
    // TBM_SETRANGE packs both ends into 16-bit words; one message per end keeps 32 bits.
    SetRangeMin(minPos, FALSE);
    SetRangeMax(maxPos, redraw);
}

void CSliderCtrl::SetSelection(int minPos, int maxPos)
{
    SendMessage(TBM_SETSELSTART, FALSE, minPos);
    SendMessage(TBM_SETSELEND, TRUE, maxPos);
}

BOOL CSpinButtonCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return fw::CreateControl(this, UPDOWN_CLASSA, nullptr, style, rect, parent, id);
}

void CSpinButtonCtrl::GetRange(int& lower, int& upper) const
{
    SendMessage(UDM_GETRANGE32, reinterpret_cast<WPARAM>(&lower), Ptr(&upper));
}

int CSpinButtonCtrl::GetPos(BOOL* errorOut) const
{
    BOOL error = FALSE;
    const int pos = static_cast<int>(SendMessage(UDM_GETPOS32, 0, Ptr(&error)));
    if (errorOut)
        *errorOut = error;
    return pos;
}

CWnd* CSpinButtonCtrl::SetBuddy(CWnd* buddy)
{
    return CWnd::FromHandle(reinterpret_cast<HWND>(SendMessage(
        UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy ? buddy->GetSafeHwnd() : nullptr))));
}

CWnd* CSpinButtonCtrl::GetBuddy() const
{
    return CWnd::FromHandle(reinterpret_cast<HWND>(SendMessage(UDM_GETBUDDY)));
}

BOOL CSpinButtonCtrl::SetAccel(int count, UDACCEL* accel)
{
    return static_cast<BOOL>(SendMessage(UDM_SETACCEL, static_cast<WPARAM>(count), Ptr(accel)));
}

UINT CSpinButtonCtrl::GetAccel(int count, UDACCEL* accel) const
{
    return static_cast<UINT>(SendMessage(UDM_GETACCEL, static_cast<WPARAM>(count), Ptr(accel)));
}

BOOL CProgressCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return fw::CreateControl(this, PROGRESS_CLASSA, nullptr, style, rect, parent, id);
}

void CProgressCtrl::GetRange(int& lower, int& upper) const
{
    PBRANGE range = {};
    SendMessage(PBM_GETRANGE, TRUE, Ptr(&range));
    lower = range.iLow;
    upper = range.iHigh;
}
