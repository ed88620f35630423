// Graph control: printing one landscape page on a printer the user chooses.
#include "core/services/StringFile.h"
#include "dialogs/graph/GraphCtrl.h"
#include "platform/sys/services.h"
#include "platform/win/app.h"
#include "platform/win/wnd.h"

namespace
{
void SetLandscape(HGLOBAL devMode)
{
    if (devMode == nullptr)
        return;
    if (auto* mode = static_cast<DEVMODEA*>(::GlobalLock(devMode)))
    {
        mode->dmOrientation = DMORIENT_LANDSCAPE;
        mode->dmFields |= DM_ORIENTATION;
        ::GlobalUnlock(devMode);
    }
}

void Tell(HWND owner, const char* section, const char* key, const char* english)
{
    CString text;
    if (!LoadStringFromFile(CString("Message.str"), CString(section), CString(key), &text) ||
        text.IsEmpty())
        text = english;
    sys::Get().MessageBox(owner, text.GetString(), AfxGetApp() ? AfxGetApp()->m_pszAppName : "",
                          MB_OK | MB_ICONEXCLAMATION);
}

// The printer's DC turned to landscape: by the set-up's own mode, or one that says only that.
void TurnLandscape(HDC printer, HGLOBAL devMode)
{
    if (devMode != nullptr)
    {
        if (auto* mode = static_cast<DEVMODEA*>(::GlobalLock(devMode)))
        {
            ::ResetDCA(printer, mode);
            ::GlobalUnlock(devMode);
        }
        return;
    }
    DEVMODEA mode = {};
    mode.dmSize = sizeof mode;
    mode.dmFields = DM_ORIENTATION;
    mode.dmOrientation = DMORIENT_LANDSCAPE;
    ::ResetDCA(printer, &mode);
}
} // namespace

bool CGraphCtrl::Print(const RECT& rect)
{
    m_rect = rect;
    // Without any printer the system's dialog would say so in its own words: it is not opened.
    if (!sys::Get().HasPrinter())
    {
        Tell(m_parent != nullptr ? m_parent->m_hWnd : nullptr, "Graph", "NoPrinter",
             "No printer is available: nothing was printed.");
        return false;
    }
    CWinApp* app = AfxGetApp();
    PRINTDLGA pd = {};
    pd.lStructSize = sizeof pd;
    pd.hwndOwner = m_parent != nullptr ? m_parent->m_hWnd : nullptr;
    pd.Flags = PD_RETURNDC | PD_NOPAGENUMS | PD_NOSELECTION | PD_HIDEPRINTTOFILE |
               PD_USEDEVMODECOPIESANDCOLLATE;
    if (app != nullptr)
    {
        // Landscape stays in the application's set-up for later printing.
        SetLandscape(app->m_hDevMode);
        pd.hDevMode = app->m_hDevMode;
        pd.hDevNames = app->m_hDevNames;
    }
    const BOOL chosen = sys::Get().PrintDlg(&pd);
    if (app != nullptr)
    {
        SetLandscape(pd.hDevMode);
        app->m_hDevMode = pd.hDevMode;
        app->m_hDevNames = pd.hDevNames;
    }
    if (!chosen || pd.hDC == nullptr)
    {
        // Cancel says nothing; a dialog that could not open (no printer at all) is told.
        if (!chosen && sys::Get().CommDlgExtendedError() != 0)
            Tell(pd.hwndOwner, "Graph", "NoPrinter",
                 "No printer is available: nothing was printed.");
        if (pd.hDC != nullptr)
            ::DeleteDC(pd.hDC);
        return false;
    }
    TurnLandscape(pd.hDC, pd.hDevMode);
    const HWND owner = pd.hwndOwner;
    const bool printed = PrintPage(pd.hDC);
    ::DeleteDC(pd.hDC);
    if (!printed)
        Tell(owner, "Framework", "FailedToPrint",
             "Printing failed: the pages were not all printed.");
    return printed;
}

bool CGraphCtrl::PrintPage(HDC printer)
{
    DOCINFOA document = {};
    document.cbSize = sizeof document;
    CWinApp* app = AfxGetApp();
    document.lpszDocName = app != nullptr ? app->m_pszAppName : "Graph";
    if (::StartDocA(printer, &document) <= 0)
        return false;
    m_printing = true;
    HDC const screen = m_dc;
    m_dc = printer;
    bool pageDone = ::StartPage(printer) > 0;
    if (pageDone)
    {
        m_rect = {0, 0, ::GetDeviceCaps(printer, HORZRES), ::GetDeviceCaps(printer, VERTRES)};
        ComputeMargins();
        Plot(kLines, 0, 1);
        pageDone = ::EndPage(printer) > 0;
    }
    if (pageDone)
        ::EndDoc(printer);
    else
        ::AbortDoc(printer);
    m_printing = false;
    m_dc = screen;
    return pageDone;
}
