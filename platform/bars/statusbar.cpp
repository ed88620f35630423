// CStatusBar: panes over the common-controls status bar, their texts and command UI.
#include "platform/bars/statusbar.h"

#include "platform/ctrl/stdctrl.h"
#include "platform/docview/frame.h"
#include "platform/win/crackers.h"
#include "platform/win/resource.h"

#include <algorithm>
#include <cstring>

FW_TABLE(CStatusBar, CControlBar, fw::on<WM_SIZE, &CStatusBar::OnSize>(),
         fw::on<WM_NCHITTEST, &CStatusBar::OnNcHitTest>(), fw::on<WM_PAINT, &CStatusBar::OnPaint>(),
         fw::on<WM_ERASEBKGND, &CStatusBar::OnEraseBkgnd>(),
         fw::raw<WM_SETTEXT, &CStatusBar::OnSetText>(),
         fw::raw<WM_GETTEXT, &CStatusBar::OnGetText>(),
         fw::raw<WM_GETTEXTLENGTH, &CStatusBar::OnGetTextLength>())

namespace
{
// Space around an indicator's text inside its pane.
constexpr int kTextPadding = 6;

// The lock key an indicator follows, or 0.
int LockKeyOf(UINT id)
{
    switch (id)
    {
    case ID_INDICATOR_CAPS: return VK_CAPITAL;
    case ID_INDICATOR_NUM: return VK_NUMLOCK;
    case ID_INDICATOR_SCRL: return VK_SCROLL;
    case ID_INDICATOR_KANA: return VK_KANA;
    default: return 0;
    }
}

HFONT BarFont()
{
    return static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
}

// Command UI of one pane: enabled shows the text, a check pops the pane out.
class CStatusCmdUI : public CCmdUI
{
public:
    void Enable(BOOL on) override
    {
        m_bEnableChanged = TRUE;
        const UINT style = Bar()->GetPaneStyle(static_cast<int>(m_nIndex));
        Bar()->SetPaneStyle(static_cast<int>(m_nIndex),
                            on ? (style & ~SBPS_DISABLED) : (style | SBPS_DISABLED));
    }

    void SetCheck(int check) override
    {
        const UINT style = Bar()->GetPaneStyle(static_cast<int>(m_nIndex));
        Bar()->SetPaneStyle(static_cast<int>(m_nIndex),
                            check ? (style | SBPS_POPOUT) : (style & ~SBPS_POPOUT));
    }

    void SetText(const char* text) override
    {
        Bar()->SetPaneText(static_cast<int>(m_nIndex), text);
    }

private:
    CStatusBar* Bar() const { return static_cast<CStatusBar*>(m_pOther); }
};
} // namespace

CStatusBar::~CStatusBar()
{
    if (m_hWnd)
        DestroyWindow();
}

BOOL CStatusBar::Create(CWnd* parent, DWORD style, UINT id)
{
    return CreateEx(parent, 0, style, id);
}

BOOL CStatusBar::CreateEx(CWnd* parent, DWORD ctrlStyle, DWORD style, UINT id)
{
    fw::InitCommonControls();
    m_dwStyle = style & CBRS_ALL;
    // A frame the user can resize gets the size grip.
    if (parent && (parent->GetStyle() & WS_THICKFRAME))
        ctrlStyle |= SBARS_SIZEGRIP;
    const DWORD windowStyle =
        (style & ~CBRS_ALL) | ctrlStyle | CCS_NOPARENTALIGN | CCS_NOMOVEY | CCS_NORESIZE;
    if (!CWnd::CreateEx(0, STATUSCLASSNAMEA, nullptr, windowStyle, CRect(0, 0, 0, 0), parent, id))
        return FALSE;
    SetFont(BarFont(), FALSE);
    return TRUE;
}

bool CStatusBar::IsPane(int index) const
{
    return index >= 0 && index < static_cast<int>(m_panes.size());
}

int CStatusBar::TextWidth(const char* text) const
{
    const HDC dc = ::GetDC(m_hWnd);
    const HGDIOBJ old = ::SelectObject(dc, BarFont());
    SIZE extent = {};
    ::GetTextExtentPoint32A(dc, text, static_cast<int>(std::strlen(text)), &extent);
    ::SelectObject(dc, old);
    ::ReleaseDC(m_hWnd, dc);
    return extent.cx;
}

BOOL CStatusBar::SetIndicators(const UINT* ids, int count)
{
    m_panes.clear();
    BOOL loaded = TRUE;
    for (int i = 0; i < count; ++i)
    {
        Pane pane = {ids[i], SBPS_NORMAL, 0, CString()};
        if (pane.id != ID_SEPARATOR)
        {
            if (!fw::LoadResourceString(pane.id, pane.text))
                loaded = FALSE;
            pane.width = TextWidth(pane.text) + kTextPadding;
        }
        m_panes.push_back(pane);
    }
    // The first pane carries the messages across the remaining width.
    if (!m_panes.empty())
        m_panes.front().style = SBPS_NOBORDERS | SBPS_STRETCH;
    UpdateParts();
    for (int i = 0; i < count; ++i)
        ShowPaneText(i);
    return loaded;
}

void CStatusBar::UpdateParts()
{
    if (!m_hWnd || m_panes.empty())
        return;
    int borders[3] = {};
    SendMessage(SB_GETBORDERS, 0, reinterpret_cast<LPARAM>(borders));
    const int spacing = borders[2];
    CRect client;
    GetClientRect(&client);
    int fixed = 0;
    for (const Pane& pane : m_panes)
    {
        if (!(pane.style & SBPS_STRETCH))
            fixed += pane.width + spacing;
    }
    const int grip = (GetStyle() & SBARS_SIZEGRIP) ? ::GetSystemMetrics(SM_CXVSCROLL) : 0;
    const int stretch = std::max(0, client.Width() - fixed - grip);
    std::vector<int> edges;
    int x = 0;
    for (const Pane& pane : m_panes)
    {
        x += (pane.style & SBPS_STRETCH) ? stretch : pane.width + spacing;
        edges.push_back(x);
    }
    edges.back() = -1; // the last pane reaches the end
    SendMessage(SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
}

void CStatusBar::ShowPaneText(int index)
{
    if (!IsPane(index) || !m_hWnd)
        return;
    const Pane& pane = m_panes[static_cast<size_t>(index)];
    const UINT drawing = pane.style & (SBT_NOBORDERS | SBT_POPOUT | SBT_OWNERDRAW);
    const char* text = (pane.style & SBPS_DISABLED) ? "" : static_cast<const char*>(pane.text);
    SendMessage(SB_SETTEXTA, static_cast<WPARAM>(index) | drawing, reinterpret_cast<LPARAM>(text));
}

int CStatusBar::CommandToIndex(UINT id) const
{
    for (size_t i = 0; i < m_panes.size(); ++i)
    {
        if (m_panes[i].id == id)
            return static_cast<int>(i);
    }
    return -1;
}

UINT CStatusBar::GetItemID(int index) const
{
    return IsPane(index) ? m_panes[static_cast<size_t>(index)].id : 0;
}

void CStatusBar::GetItemRect(int index, LPRECT rect) const
{
    *rect = RECT{};
    SendMessage(SB_GETRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(rect));
}

void CStatusBar::GetPaneInfo(int index, UINT& id, UINT& style, int& width) const
{
    id = 0;
    style = 0;
    width = 0;
    if (!IsPane(index))
        return;
    const Pane& pane = m_panes[static_cast<size_t>(index)];
    id = pane.id;
    style = pane.style;
    width = pane.width;
}

void CStatusBar::SetPaneInfo(int index, UINT id, UINT style, int width)
{
    if (!IsPane(index))
        return;
    Pane& pane = m_panes[static_cast<size_t>(index)];
    pane.id = id;
    pane.style = style;
    pane.width = width;
    UpdateParts();
    ShowPaneText(index);
}

UINT CStatusBar::GetPaneStyle(int index) const
{
    return IsPane(index) ? m_panes[static_cast<size_t>(index)].style : 0;
}

void CStatusBar::SetPaneStyle(int index, UINT style)
{
    if (!IsPane(index) || m_panes[static_cast<size_t>(index)].style == style)
        return;
    const bool stretchChanged =
        ((m_panes[static_cast<size_t>(index)].style ^ style) & SBPS_STRETCH);
    m_panes[static_cast<size_t>(index)].style = style;
    if (stretchChanged)
        UpdateParts();
    ShowPaneText(index);
}

CString CStatusBar::GetPaneText(int index) const
{
    return IsPane(index) ? m_panes[static_cast<size_t>(index)].text : CString();
}

BOOL CStatusBar::SetPaneText(int index, const char* text, BOOL update)
{
    if (!IsPane(index))
        return FALSE;
    Pane& pane = m_panes[static_cast<size_t>(index)];
    const CString value(text ? text : "");
    // An unchanged text is not drawn again.
    if (pane.text == value)
        return TRUE;
    pane.text = value;
    ShowPaneText(index);
    if (update)
        UpdateWindow();
    return TRUE;
}

int CStatusBar::GetCount() const
{
    return static_cast<int>(m_panes.size());
}

CSize CStatusBar::CalcFixedLayout(BOOL stretch, BOOL horz)
{
    CSize size = CControlBar::CalcFixedLayout(stretch, horz);
    // One line of the bar's font inside the control's borders and the panes' edges.
    const HDC dc = ::GetDC(m_hWnd);
    const HGDIOBJ old = ::SelectObject(dc, BarFont());
    TEXTMETRICA metrics = {};
    ::GetTextMetricsA(dc, &metrics);
    ::SelectObject(dc, old);
    ::ReleaseDC(m_hWnd, dc);
    int borders[3] = {};
    SendMessage(SB_GETBORDERS, 0, reinterpret_cast<LPARAM>(borders));
    size.cy += metrics.tmHeight + 2 * borders[1] + 4;
    return size;
}

void CStatusBar::OnUpdateCmdUI(CFrameWnd* target, BOOL disableIfNoHandler)
{
    CStatusCmdUI state;
    state.m_pOther = this;
    state.m_nIndexMax = static_cast<UINT>(m_panes.size());
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex)
    {
        state.m_nID = m_panes[state.m_nIndex].id;
        if (state.m_nID == ID_SEPARATOR)
            continue;
        if (CWnd::OnCmdMsg(state.m_nID, CN_UPDATE_COMMAND_UI, &state, nullptr))
            continue;
        const int lockKey = LockKeyOf(state.m_nID);
        if (!lockKey)
        {
            state.DoUpdate(target, disableIfNoHandler);
            continue;
        }
        // A lock-key indicator without a handler shows the key's state.
        state.DoUpdate(target, FALSE);
        if (!state.m_bEnableChanged)
            state.Enable((::GetKeyState(lockKey) & 1) != 0);
    }
}

void CStatusBar::OnSize(UINT type, int cx, int cy)
{
    CWnd::OnSize(type, cx, cy);
    UpdateParts();
}

LRESULT CStatusBar::OnNcHitTest(CPoint point)
{
    // The size grip answers for itself.
    return CWnd::OnNcHitTest(point);
}

void CStatusBar::OnPaint()
{
    Default();
}

BOOL CStatusBar::OnEraseBkgnd(CDC* dc)
{
    return CWnd::OnEraseBkgnd(dc);
}

LRESULT CStatusBar::OnSetText(WPARAM, LPARAM lParam)
{
    // The window text is the message pane's.
    if (m_panes.empty())
        return Default();
    return SetPaneText(0, reinterpret_cast<const char*>(lParam));
}

LRESULT CStatusBar::OnGetText(WPARAM wParam, LPARAM lParam)
{
    if (m_panes.empty())
        return Default();
    const CString& text = m_panes.front().text;
    const int size = static_cast<int>(wParam);
    if (size <= 0 || !lParam)
        return 0;
    lstrcpynA(reinterpret_cast<char*>(lParam), text, size);
    return std::min(text.GetLength(), size - 1);
}

LRESULT CStatusBar::OnGetTextLength(WPARAM, LPARAM)
{
    return m_panes.empty() ? Default() : m_panes.front().text.GetLength();
}
