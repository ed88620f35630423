// The main frame: creation, shut-down and the frame map.
#include "app/MainFrame.h"

#include "app/ChildFrame.h"
#include "app/SplashWnd.h"
#include "app/WendraApp.h"
#include "platform/win/crackers.h"

FW_TABLE(CMainFrame, CMDIFrameWnd, fw::on<WM_CREATE, &CMainFrame::OnCreate>(),
         fw::on<WM_CLOSE, &CMainFrame::OnClose>())

CMainFrame::CMainFrame()
    : m_frameMap(10)
{
    m_frameMap.InitHashTable(FrameMap::kDefaultHashTableSize);
}

CMainFrame::~CMainFrame() = default;

BOOL CMainFrame::PreCreateWindow(CREATESTRUCTA& cs)
{
    return CMDIFrameWnd::PreCreateWindow(cs);
}

void CMainFrame::RegisterFrame(int frameId, CChildFrame* frame)
{
    m_frameMap.SetAt(frameId, frame);
}

int CMainFrame::FindFrameId(const CChildFrame* frame) const
{
    POSITION position = m_frameMap.GetStartPosition();
    while (position != nullptr)
    {
        int frameId = 0;
        CChildFrame* entry = nullptr;
        m_frameMap.GetNextAssoc(position, frameId, entry);
        if (entry == frame)
            return frameId;
    }
    return 0;
}

void CMainFrame::AddToRecentProjects(const CString& path)
{
    if (auto* app = dynamic_cast<CWendraApp*>(AfxGetApp()))
        app->AddToRecentProjects(path);
}

void CMainFrame::OpenStartUpFile(const CString&, const CString&)
{
}

int CMainFrame::OnCreate(LPCREATESTRUCTA cs)
{
    if (CMDIFrameWnd::OnCreate(cs) == -1)
        return -1;
    CSplashWnd::ShowSplash(this);
    return 0;
}

void CMainFrame::OnClose()
{
    if (auto* app = dynamic_cast<CWendraApp*>(AfxGetApp()))
        app->StoreRecentProjects();
    CMDIFrameWnd::OnClose();
}
