// The start-up splash: a borderless window in the middle of the screen that shows the splash
// bitmap for two seconds while the main frame builds its bars. At most one exists at a time;
// only its timer ends it.
#pragma once

#include "platform/win/gdiobj.h"
#include "platform/win/wnd.h"
#include "resources/ids/app_ids.h"

class CSplashWnd : public CWnd
{
public:
    static constexpr UINT_PTR kTimerId = 1;
    static constexpr UINT kShowMs = 2000;

    // The command line's splash flag: without it ShowSplash shows nothing.
    static void EnableSplash(BOOL enable);
    static BOOL IsSplashEnabled() { return s_enabled; }
    // Shows the splash over parent unless it is switched off or already showing. A bitmap
    // that cannot be loaded shows nothing and start-up goes on.
    static void ShowSplash(CWnd* parent, UINT bitmapId = IDB_SPLASH);
    // The splash now showing; null when none.
    static CSplashWnd* Current() { return s_current; }

    // Destroys the window and repaints the main window.
    void HideSplash();

    FW_MESSAGE_TABLE()

protected:
    CSplashWnd() = default;
    ~CSplashWnd() override;

    BOOL Create(CWnd* parent, UINT bitmapId);
    void PostNcDestroy() override;

    int OnCreate(LPCREATESTRUCTA cs);
    void OnPaint();
    void OnTimer(UINT_PTR id);

private:
    CBitmap m_bitmap;

    static BOOL s_enabled;
    static CSplashWnd* s_current;
};
