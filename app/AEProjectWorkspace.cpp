// The project tree bar: the tab container with the tree page.
#include "app/AEProjectWorkspace.h"

#include "core/services/StringFile.h"
#include "platform/bars/ctlbar.h"
#include "platform/docview/frame.h"
#include "platform/win/crackers.h"

FW_TABLE(CAEProjectWorkspace, COXSizeControlBar,
         fw::on<WM_CREATE, &CAEProjectWorkspace::OnCreate>(),
         fw::on<WM_ERASEBKGND, &CAEProjectWorkspace::OnEraseBkgnd>(),
         fw::on<WM_SIZE, &CAEProjectWorkspace::OnSize>())

namespace
{
// Context menu with the float-as-MDI-child command.
constexpr DWORD kBarStyle = 0x0204;
constexpr DWORD kBarWindowStyle =
    WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP;
constexpr DWORD kTabStyle = WS_CHILD | WS_VISIBLE | COX3DTabViewContainer::kDefaultStyle;
constexpr DWORD kTreeStyle = WS_CHILD | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT |
                             TVS_DISABLEDRAGDROP | TVS_SHOWSELALWAYS;
constexpr DWORD kTreeExStyle = 0x80000;
constexpr int kTabPictureWidth = 16;
constexpr COLORREF kPictureMask = RGB(192, 192, 192);
} // namespace

CAEProjectWorkspace::CAEProjectWorkspace()
    : COXSizeControlBar(kBarStyle)
{
}

BOOL CAEProjectWorkspace::Create(CWnd* parent, const char* title, UINT id)
{
    const char* className = fw::RegisterWndClass(CS_DBLCLKS);
    return COXSizeControlBar::Create(className, title, kBarWindowStyle, CFrameWnd::rectDefault,
                                     parent, id);
}

int CAEProjectWorkspace::OnCreate(LPCREATESTRUCTA cs)
{
    if (COXSizeControlBar::OnCreate(cs) == -1)
        return -1;
    CRect client;
    GetClientRect(&client);
    if (!m_tabContainer.Create(kTabStyle, client, this, kTabContainerId))
        return -1;
    if (m_tabImages.Create(kTabBitmapId, kTabPictureWidth, 0, kPictureMask))
        m_tabContainer.SendMessage(TCM_SETIMAGELIST, 0,
                                   reinterpret_cast<LPARAM>(m_tabImages.GetSafeHandle()));
    return 0;
}

int CAEProjectWorkspace::InitTree()
{
    if (m_treePage.Create(kTreeStyle, CRect(0, 0, 0, 0), &m_tabContainer, kTreeExStyle) == -1)
        return -1;
    CString title;
    LoadStringFromFile(CString("standard.str"), CString("Common"), CString("WorkSpaceLabel"),
                       &title);
    m_tabContainer.InsertPage(m_tabContainer.GetPageCount(), &m_treePage.GetTreeCtrl(), title, 0,
                              WS_EX_CLIENTEDGE, TRUE);
    m_tabContainer.SetActivePageIndex(0);
    return 0;
}

BOOL CAEProjectWorkspace::OnEraseBkgnd(CDC*)
{
    return TRUE; // the tab container covers the client area
}

void CAEProjectWorkspace::OnSize(UINT, int cx, int)
{
    Default();
    CProjectTreeCtrl& tree = m_treePage.GetTreeCtrl();
    if (tree.m_hWnd != nullptr)
        tree.SetColumnWidth(0, cx);
}

void CAEProjectWorkspace::OnBarResized(int cx, int cy, BOOL floating, int flags)
{
    COXSizeControlBar::OnBarResized(cx, cy, floating, flags);
    if (m_tabContainer.m_hWnd == nullptr)
        return;
    CRect client;
    GetClientRect(&client);
    m_tabContainer.MoveWindow(&client);
    m_tabContainer.Invalidate();
}
