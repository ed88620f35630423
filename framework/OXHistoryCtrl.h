// COXHistoryCtrl: a scrolling window of the newest text lines (100 by default), each with its
// own colours, indent and drawing flags, newest at the bottom; every line can also be
// appended to a log file. Adding, appending and clearing hold the control's lock, log writing
// included, so lines from several threads never interleave.
#pragma once

#include "framework/OXScrollWnd.h"
#include "platform/base/coll_list.h"
#include "platform/base/file.h"
#include "platform/base/string.h"
#include "platform/win/gdiobj.h"

#include <windows.h>

// One line of the history; its attributes are fixed when it is added.
struct CHistoryLine
{
    CString m_text;
    COLORREF m_textColor;
    COLORREF m_backColor;
    int m_indent;     // pixels added to the left edge of the text
    UINT m_drawFlags; // DrawText flags; DT_SINGLELINE and DT_VCENTER are always added
};

class COXHistoryCtrl : public COXScrollWnd
{
    FW_CREATABLE(COXHistoryCtrl, COXScrollWnd)

public:
    COXHistoryCtrl();
    ~COXHistoryCtrl() override;

    // Appends a line with the present defaults (and, with log, to the log file), drops the
    // oldest beyond the maximum and shows the end. Always TRUE.
    BOOL AddLine(CString text, BOOL log = TRUE);
    // The same with the time stamp and a blank in front.
    BOOL AddTimeStampedLine(CString text, BOOL log = TRUE);
    // Adds text to the newest line; in the log it continues the last line. FALSE when empty.
    BOOL AppendToLastLine(CString text, BOOL log = TRUE);
    BOOL ClearHistory();

    // A negative count is ignored; a smaller one drops the oldest lines at once.
    void SetMaxLines(int count);
    int GetMaxLines() const { return m_nMaxLines; }
    int GetLineCount() const { return static_cast<int>(m_lines.GetCount()); }
    // The text of line index (0 the oldest); empty out of range.
    CString GetLineText(int index) const;
    // Length in characters of the longest line.
    int GetLongestLineLength() const { return m_nLongestLine; }
    // The smaller of the number of lines and the lines that fit in the client area.
    int GetVisibleLineCount() const;
    // Width and height of "X" in the display font: the unit of scrolling.
    CSize GetCharSize() const { return m_sizeChar; }

    // Replaces the display font by a copy of font (the caller keeps its own). Returns the
    // redraw's result, FALSE without redraw.
    BOOL SetFont(CFont* font, BOOL redraw = TRUE);
    CFont* GetDisplayFont() { return &m_font; }

    // Defaults for lines added from now on.
    void SetTextColor(COLORREF color) { m_clrText = color; }
    void SetBackColor(COLORREF color) { m_clrBack = color; }
    void SetEmptyAreaColor(COLORREF color) { m_clrEmpty = color; }
    void SetTextIndent(int indent) { m_nIndent = indent; }
    void SetDrawFlags(UINT flags) { m_nDrawFlags = flags; }

    // The log file: a relative name is taken from the current folder. Opening appends unless
    // truncation is on; a dated name replaces the name by "DDMMYYYY" and its extension.
    void SetLogFileName(const char* name) { m_strLogFileName = name; }
    // Stores the switch, then opens (TRUE) or closes the file: the result of that.
    BOOL EnableLogFile(BOOL enable);
    BOOL IsLogFileEnabled() const { return m_bLog; }
    void SetDatedLogName(BOOL dated) { m_bDatedLog = dated; }
    void SetTruncateLog(BOOL truncate) { m_bTruncate = truncate; }
    // Today's dated name of the log file (also kept as the current one).
    CString GetLogFileName();

    // Format of the time stamp in strftime's language; "%X", the locale's time, by default.
    void SetTimeStampFormat(const char* format) { m_strTimeStampFormat = format; }
    CString GetTimeStampFormat() const { return m_strTimeStampFormat; }
    CString GetTimeStamp() const;

    BOOL PrepareContextMenu(CMenu* popup, CPoint& point) override;

    FW_MESSAGE_TABLE()

protected:
    BOOL Initialize() override;
    // A line to be logged could not be written; it shows all the same.
    virtual void OnLogNotWritten() {}

    void OnPaint();
    BOOL OnEraseBkgnd(CDC* dc);

private:
    class CLock;

    void DrawLines(CDC& dc);
    // Removes the oldest line; TRUE when the longest line had to be counted again.
    bool RemoveHeadLine();
    void RecountLongestLine();
    void UpdateScrollSizes();
    void ScrollToEnd();
    void RedrawNow();
    BOOL OpenLogFile();
    BOOL CloseLogFile();
    // newLine: the text starts a line of the log, else it continues the last one. False
    // when the text did not reach the file.
    bool WriteLog(const CString& text, BOOL newLine);
    CString DatedLogName();
    void DeleteLines();

    CFont m_font; // owned copy of the caller's font
    CString m_strLogFileName;
    BOOL m_bLog = FALSE;
    BOOL m_bDatedLog = FALSE;
    int m_nLogDay = 0;
    int m_nLogMonth = 0;
    int m_nLogYear = 0;
    CFile m_logFile;
    BOOL m_bTruncate = FALSE;
    COLORREF m_clrText;
    COLORREF m_clrBack;
    COLORREF m_clrEmpty;
    UINT m_nDrawFlags = 0;
    int m_nIndent = 0;
    CSize m_sizeChar;
    CList<CHistoryLine*, CHistoryLine*> m_lines; // owned, oldest at the head
    int m_nMaxLines = 100;
    int m_nLongestLine = 0;
    CString m_strTimeStampFormat = "%X";
    CRITICAL_SECTION m_lock;
    CString m_strCurrentLogName;
};
