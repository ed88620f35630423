// Item tips: a hook on a control that shows the whole text of a cut-off cell in a popup laid
// over the cell. Whether and where is asked along a chain: the tip's own answer for list
// controls in report view, then the control (message WM_OX_ITEMTIP_QUERY), then the control's
// parent (WM_NOTIFY code OXITEMTIP_NOTIFY), each of which may change or refuse the tip.
#pragma once

#include "widgets/controls/OXHookWnd.h"
#include "widgets/controls/OXItemTipWnd.h"

#include <windows.h>

class CFont;
class CWnd;

// Sent to the watched control: wParam 0, lParam the OXItemTipInfo to complete.
constexpr UINT WM_OX_ITEMTIP_QUERY = 32970;
// WM_NOTIFY code to the control's parent; the header is followed by the info record.
constexpr UINT OXITEMTIP_NOTIFY = 32971;

// Results of the query chain.
enum : int
{
    OXITEMTIP_SHOW = 1,
    OXITEMTIP_UNHANDLED = 2,   // the control is of a kind this answer does not know
    OXITEMTIP_NOCELL = 3,      // no row or column under the point
    OXITEMTIP_NOTOVERTEXT = 4, // the point is not over the cell's text area
    OXITEMTIP_NOTHING = 5,     // empty text, or it fits and is fully visible
    OXITEMTIP_NOSUBITEM = 6,   // the item has no cell in this column
};

constexpr int OXITEMTIP_TEXTMAX = 300;

struct OXItemTipInfo
{
    POINT point; // the cursor in the control's client coordinates
    int row;     // -1 when none
    int column;  // -1 when none
    RECT rect;   // the tip's area in client coordinates
    char text[OXITEMTIP_TEXTMAX];
    int textLimit;      // bytes of text that may be used, terminator included
    int offset;         // margin between the tip's edge and its text
    CFont* font;        // null: the control's font
    COLORREF textColor; // 0xFFFFFFFF: the default
    COLORREF backColor; // 0xFFFFFFFF: the tooltip background
    int alignment;      // 0 left, 1 centre, 2 right
    int result;         // OXITEMTIP_...
};

struct OXItemTipNotify
{
    NMHDR hdr;
    OXItemTipInfo info;
};

class COXItemTip : public COXHookWnd
{
public:
    FW_CLASS(COXItemTip, COXHookWnd)

    // A query answered instead of WM_OX_ITEMTIP_QUERY to the control.
    using QueryCallback = void (*)(HWND control, OXItemTipInfo* info);

    COXItemTip() = default;

    // The default answer for a list control in report view; OXITEMTIP_UNHANDLED otherwise.
    virtual void GetDefaultTipInfo(OXItemTipInfo* info);
    // Runs the query chain at the position of the last message and shows the tip when the
    // answer is OXITEMTIP_SHOW.
    virtual void UpdateTip();
    virtual BOOL Attach(CWnd* control, QueryCallback callback = nullptr);
    BOOL Attach(HWND control, QueryCallback callback = nullptr);
    virtual void Detach();

    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void Unhook() override;

    void SetDefaultFont(CFont* font) { m_defaultFont = font; }
    void SetDefaultTextColor(COLORREF color) { m_defaultTextColor = color; }
    void SetDefaultBackColor(COLORREF color) { m_defaultBackColor = color; }
    void SetDefaultOffset(int offset) { m_defaultOffset = offset; }
    int GetDefaultOffset() const { return m_defaultOffset; }

    bool IsTipVisible() const;
    HWND GetTipWnd() const { return m_tipWnd.GetSafeHwnd(); }

    // Copies text into the record within its limit, always terminated.
    static void SetInfoText(OXItemTipInfo* info, const char* text);

private:
    void HideTip();
    void UpdateTipAt(POINT point);
    void StartInfo(OXItemTipInfo* info, POINT point);
    void AskParent(OXItemTipInfo* info);

    HWND m_control = nullptr;
    COXItemTipWnd m_tipWnd;
    QueryCallback m_callback = nullptr;
    CFont* m_defaultFont = nullptr; // not owned
    COLORREF m_defaultTextColor = COXItemTipWnd::kDefaultColor;
    COLORREF m_defaultBackColor = COXItemTipWnd::kDefaultColor;
    int m_defaultOffset = 6;
};
