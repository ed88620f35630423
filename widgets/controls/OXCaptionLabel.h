// A one-line caption followed or surrounded by an etched line, horizontal or turned by 90
// degrees: a group heading inside dialog pages.
#pragma once

#include "platform/base/string.h"
#include "platform/ctrl/stdctrl.h"

#include <windows.h>

class COXCaptionLabel : public CStatic
{
public:
    // Gap between the text and the line.
    static constexpr int kTextGap = 6;

    COXCaptionLabel();

    void SetTextColor(COLORREF color) { m_textColor = color; }
    COLORREF GetTextColor() const { return m_textColor; }
    void SetLineColors(COLORREF shadow, COLORREF highlight);
    COLORREF GetShadowColor() const { return m_shadowColor; }
    COLORREF GetHighlightColor() const { return m_highlightColor; }
    void SetVertical(BOOL vertical) { m_vertical = vertical; }
    BOOL IsVertical() const { return m_vertical; }

    BOOL OnEraseBkgnd(CDC* dc);
    void OnPaint();
    void OnSize(UINT type, int cx, int cy);
    LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetText(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetTextLength(WPARAM wParam, LPARAM lParam);

    FW_MESSAGE_TABLE()

protected:
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
    void PreSubclassWindow() override;

private:
    void DrawLine(HDC dc, int from, int to, int centre, int thickness) const;

    COLORREF m_textColor;
    COLORREF m_shadowColor;
    COLORREF m_highlightColor;
    BOOL m_vertical = FALSE;
    CString m_text; // the shown text; the window's own is not read back
};
