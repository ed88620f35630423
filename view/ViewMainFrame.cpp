// The main window as the views see it.
#include "view/ViewMainFrame.h"

#include "platform/win/app.h"
#include "platform/win/wnd.h"

CViewMainFrame* GetViewMainFrame()
{
    return dynamic_cast<CViewMainFrame*>(AfxGetMainWnd());
}
