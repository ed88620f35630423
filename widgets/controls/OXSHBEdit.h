// The in-place editor of shortcut bar headers and item captions: an edit that holds the mouse
// while it runs, grows with its text within its parent, and tells its owner once how it ended.
#pragma once

#include "platform/base/string.h"
#include "platform/ctrl/stdctrl.h"
#include "platform/win/gdiobj.h"

#include <windows.h>

class COXSHBEdit : public CEdit
{
public:
    COXSHBEdit();
    ~COXSHBEdit() override;

    // Creates the editor once (hidden) as a child of parent.
    BOOL Create(DWORD style, CWnd* parent, UINT id);
    // Shows the editor over rect (parent client) with text and font, selects the text and
    // takes the focus and the mouse. The owner gets SHBEN_FINISHEDIT when it ends.
    BOOL StartEdit(CWnd* owner, const RECT& rect, const char* text, HFONT font);
    // Ends a running edit; accepted keeps the text. Nothing happens when none runs.
    void FinishEdit(BOOL accepted);
    BOOL IsEditing() const { return m_editing; }

    HBRUSH OnCtlColorReflect(CDC* dc, UINT type);
    void OnChange();

    FW_MESSAGE_TABLE()

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    // A button press outside the editor ends the edit and goes on to the window under it.
    void PassClickOn(UINT msg, WPARAM wParam, LPARAM lParam);
    // Grows or shrinks to the text, never below the starting rectangle nor past the parent.
    void FitToText();

    CWnd* m_owner = nullptr;
    CRect m_minRect;
    CBrush m_brush; // the window colour
    BOOL m_editing = FALSE;
};
