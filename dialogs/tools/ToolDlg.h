// What every tool dialog shares: it reports to the running command through the command manager,
// works on the view of the frame it was opened for (looked up at each use, so a closed view is
// simply not found), and goes away only after the handler that ended its command has returned.
// Frame keys start again at 1 with each project: a dialog that no command owns goes with its
// view, so that it never finds the next project's view under its key.
#pragma once

#include "platform/base/string.h"
#include "platform/dlg/dialog.h"

#include <windows.h>

class CCAEView;
class CModelSet;
struct CCmdRecord;

class CToolDlg : public CDialog
{
public:
    CToolDlg(UINT templateId, int frameKey);
    ~CToolDlg() override;

    // The view of the frame key is closing: the dialogs that go with it are released.
    static void CloseViewDialogs(int frameKey);

    // Hides the window and destroys it (and with it this object) once the messages in hand are
    // done; without a window the object goes at once. The owner forgets the pointer.
    void Release();
    // Shows the window in front of the main window as the active window, also when the click
    // that asked for it activates the main window after it.
    void ShowInFront(int showCommand = SW_SHOW);

    // The frame whose view the tool works on.
    int m_nFrameKey = 0;

    FW_MESSAGE_TABLE()

protected:
    // Opens at the top-left corner of the main window's view area, below its menu and
    // toolbars (not at the screen's corner over them), leaving the views' middle, where the
    // picks and highlights are, in sight.
    BOOL OnInitDialog() override;

    // Hands the record to the command manager as coming from the tool's frame. The command may
    // end in the call: nothing of the tool's state should be relied on afterwards but the
    // object itself, which outlives the call.
    void SendRecord(CCmdRecord& record) const;
    void SendCode(int code) const;
    // The view of the tool's frame, or null when that frame has gone.
    CCAEView* FindView() const;
    // Redraws the view, so that marks drawn for the tool go.
    void InvalidateView() const;
    // The open project's model, or null.
    static CModelSet* FindModel();
    // Appends a line to the output bar.
    static void AddOutputLine(const CString& line);

    // For a dialog that no command owns: it is released when its view closes.
    void GoWithView();
    // The dialog's view is closing (and no longer found): by default the dialog is released.
    virtual void OnViewClosed() { Release(); }

    void PostNcDestroy() override;
    // Called as Release hides the window: what the tool shows in the view goes now, not when
    // the window is destroyed later, after a new tool may have begun.
    virtual void OnReleasing() {}

private:
    LRESULT OnReleaseMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnComeToFrontMessage(WPARAM wParam, LPARAM lParam);
    void ComeToFront();

    bool m_isReleased = false;
};

// Texts of the string files used as formats. A text is used as a format only when its
// conversions are exactly the ones expected (one %d; one or two of %f, %lf, %g, %e with flags,
// width and precision); any other text is shown followed by " : " and the values, so that a
// translator's slip can never read past the arguments.
CString FormatTextInt(const CString& format, int value);
CString FormatTextDouble(const CString& format, double value);
CString FormatTextDoubles(const CString& format, double first, double second);
// The text of a key of a string file in the current language.
CString ToolText(const char* file, const char* section, const char* key);
