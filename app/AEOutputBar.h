// CAEOutputBar: the docking bar of the main frame that shows the message history: a tab view
// container whose one page, "Message Window", is the history, every line of which is also
// appended to the log file "FileLog".
#pragma once

#include "app/MessageHistoryCtrl.h"
#include "framework/OXSizeControlBar.h"
#include "framework/OXTabViewContainer.h"

class CAEOutputBar : public COXSizeControlBar
{
    FW_CREATABLE(CAEOutputBar, COXSizeControlBar)

public:
    // Title and command ids of the main frame's bar.
    static constexpr UINT kBarId = 0x8003;
    static constexpr UINT kContainerId = 0xE900;
    static constexpr UINT kHistoryId = 1;

    CAEOutputBar();

    // A child of parent docked at its bottom with the default rectangle.
    BOOL Create(CWnd* parent, const char* title, UINT id);

    // The tab container covers the whole client area.
    void OnBarResized(int cx, int cy, BOOL floating, int flags) override;

    CMessageHistoryCtrl& GetHistory() { return m_history; }
    COXTabViewContainer& GetContainer() { return m_container; }

    FW_MESSAGE_TABLE()

protected:
    int OnCreate(LPCREATESTRUCTA cs);

private:
    // The history's font: 13 pixels, in the Japanese or the English face.
    void SetHistoryFont();

    COXTabViewContainer m_container;
    CMessageHistoryCtrl m_history;
};
