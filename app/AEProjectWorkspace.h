// CAEProjectWorkspace: the docking bar of the main frame that shows the project tree. For now
// it holds the tree control alone, empty: the project commands build the tree's nodes.
#pragma once

#include "framework/OXSizeControlBar.h"
#include "widgets/controls/OXTreeCtrl.h"

class CAEProjectWorkspace : public COXSizeControlBar
{
    FW_CREATABLE(CAEProjectWorkspace, COXSizeControlBar)

public:
    static constexpr UINT kTreeId = 1;

    CAEProjectWorkspace();

    // A child of parent with the default rectangle, docked on its left by the frame.
    BOOL Create(CWnd* parent, const char* title, UINT id);

    // The tree covers the whole client area.
    void OnBarResized(int cx, int cy, BOOL floating, int flags) override;

    COXTreeCtrl& GetTree() { return m_tree; }

    FW_MESSAGE_TABLE()

protected:
    int OnCreate(LPCREATESTRUCTA cs);

private:
    COXTreeCtrl m_tree;
};
