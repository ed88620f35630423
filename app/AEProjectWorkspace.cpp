// The project tree bar.
#include "app/AEProjectWorkspace.h"

#include "platform/bars/ctlbar.h"
#include "platform/docview/frame.h"

FW_TABLE(CAEProjectWorkspace, COXSizeControlBar,
         fw::on<WM_CREATE, &CAEProjectWorkspace::OnCreate>())

namespace
{
// Context menu with the float-as-MDI-child command, bar style of the project tree.
constexpr DWORD kTreeBarStyle = 0x0204;
constexpr DWORD kTreeWindowStyle =
    WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT;
} // namespace

CAEProjectWorkspace::CAEProjectWorkspace()
    : COXSizeControlBar(kTreeBarStyle)
{
}

BOOL CAEProjectWorkspace::Create(CWnd* parent, const char* title, UINT id)
{
    const char* className = fw::RegisterWndClass(CS_DBLCLKS);
    return COXSizeControlBar::Create(className, title, kTreeWindowStyle, CFrameWnd::rectDefault,
                                     parent, id);
}

int CAEProjectWorkspace::OnCreate(LPCREATESTRUCTA cs)
{
    if (COXSizeControlBar::OnCreate(cs) == -1)
        return -1;
    CRect client;
    GetClientRect(&client);
    const DWORD treeStyle =
        WS_CHILD | WS_VISIBLE | TVS_HASLINES | TVS_LINESATROOT | TVS_HASBUTTONS | TVS_SHOWSELALWAYS;
    return m_tree.Create(treeStyle, client, this, kTreeId) ? 0 : -1;
}

void CAEProjectWorkspace::OnBarResized(int cx, int cy, BOOL floating, int flags)
{
    COXSizeControlBar::OnBarResized(cx, cy, floating, flags);
    if (!::IsWindow(m_tree.m_hWnd))
        return;
    CRect client;
    GetClientRect(&client);
    m_tree.MoveWindow(&client);
}
