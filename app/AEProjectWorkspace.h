// CAEProjectWorkspace: the docking bar of the main frame that shows the project tree. It holds
// a tab view container whose one page is the project tree control of the tree page.
#pragma once

#include "app/ProjectTreePage.h"
#include "framework/OX3DTabViewContainer.h"
#include "framework/OXSizeControlBar.h"
#include "platform/ctrl/imagelist.h"

class CAEProjectWorkspace : public COXSizeControlBar
{
    FW_CREATABLE(CAEProjectWorkspace, COXSizeControlBar)

public:
    static constexpr UINT kTabContainerId = 0xE900;
    static constexpr UINT kTabBitmapId = 136;

    CAEProjectWorkspace();

    // A child of parent with the default rectangle, docked by the frame.
    BOOL Create(CWnd* parent, const char* title, UINT id);
    // Makes the tree page and puts its control into the tab container as the active page: 0,
    // or -1 when the page cannot be made.
    int InitTree();

    // The tab container covers the whole client area.
    void OnBarResized(int cx, int cy, BOOL floating, int flags) override;

    CProjectTreePage& GetTreePage() { return m_treePage; }
    CProjectTreeCtrl& GetTree() { return m_treePage.GetTreeCtrl(); }
    COX3DTabViewContainer& GetTabContainer() { return m_tabContainer; }

    FW_MESSAGE_TABLE()

protected:
    int OnCreate(LPCREATESTRUCTA cs);
    BOOL OnEraseBkgnd(CDC* dc);
    void OnSize(UINT type, int cx, int cy);

private:
    COX3DTabViewContainer m_tabContainer;
    CImageList m_tabImages;
    CProjectTreePage m_treePage;
};
