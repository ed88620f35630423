// The main frame as the open project's host.
#include "app/FrameProjectHost.h"

#include "app/ChildFrame.h"
#include "app/MainFrame.h"
#include "view/CAEView.h"

void CFrameProjectHost::AddOutputLine(const std::string& line)
{
    m_frame.AddOutputLine(line.c_str());
}

void CFrameProjectHost::ShowMessage(const char* section, const char* key, const char* file)
{
    m_frame.ShowMessage(section, key, file);
}

void CFrameProjectHost::ShowMessageWithArg(const char* section, const char* key, const char* file,
                                           const char* argument)
{
    m_frame.ShowMessageWithArg(section, key, file, argument);
}

void CFrameProjectHost::SetStatusText(const char* text)
{
    m_frame.SetStatusText(text);
}

void CFrameProjectHost::BeginWaitCursor()
{
    m_frame.BeginWaitCursor();
}

void CFrameProjectHost::EndWaitCursor()
{
    m_frame.EndWaitCursor();
}

std::vector<int> CFrameProjectHost::GetFrameIds() const
{
    std::vector<int> ids;
    const CMainFrame::FrameMap& frames = m_frame.GetFrameMap();
    for (const auto& [frameId, frame] : fw::Assocs(frames))
    {
        ids.push_back(frameId);
    }
    return ids;
}

int CFrameProjectHost::GetActiveFrameId() const
{
    // Asked by another thread (work kept at an end while the window does not answer): asking
    // the window would wait on it.
    if (::GetWindowThreadProcessId(m_frame.GetSafeHwnd(), nullptr) != ::GetCurrentThreadId())
        return 0;
    CMDIChildWnd* child = m_frame.GetActiveChildFrame();
    const auto* view = child != nullptr ? dynamic_cast<CCAEView*>(child->GetActiveView()) : nullptr;
    return view != nullptr ? view->FrameKey() : 0;
}

CProjectView* CFrameProjectHost::GetFrameView(int frameId)
{
    CCAEView* view = m_frame.GetFrameView(frameId);
    return view != nullptr ? &view->ProjectView() : nullptr;
}

CProjectView* CFrameProjectHost::CreateMainView(int displayMode, bool render, const char* suffix)
{
    CCAEView* view = m_frame.CreateMainView(displayMode, render, suffix);
    return view != nullptr ? &view->ProjectView() : nullptr;
}

void CFrameProjectHost::DestroyFrame(int frameId)
{
    CChildFrame* frame = nullptr;
    if (m_frame.GetFrameMap().Lookup(frameId, frame) && frame != nullptr &&
        ::IsWindow(frame->m_hWnd))
        frame->DestroyWindow();
}

void CFrameProjectHost::RemoveAllFrames()
{
    m_frame.GetFrameMap().RemoveAll();
}

void CFrameProjectHost::FillLoadCaseCombo(int resultId)
{
    m_frame.FillLoadCaseCombo(resultId);
}
