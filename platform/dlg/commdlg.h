// The common dialogs: file open and save, font, colour and print. Each fills its system record
// and runs through the services seam (sys::Services), so tests script what the user picks.
// DoModal returns IDOK or IDCANCEL.
#pragma once

#include "platform/base/string.h"
#include "platform/base/types.h"

#include <windows.h>

#include <commdlg.h>
#include <string>
#include <vector>

class CWnd;

class CFileDialog
{
public:
    // filter: "description|pattern|description|pattern||"; multiple selection with
    // OFN_ALLOWMULTISELECT. m_ofn.lpstrInitialDir may name the starting folder.
    CFileDialog(BOOL openFileDialog, const char* defaultExt = nullptr,
                const char* fileName = nullptr,
                DWORD flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, const char* filter = nullptr,
                CWnd* parent = nullptr);
    virtual ~CFileDialog() = default;
    CFileDialog(const CFileDialog&) = delete;
    CFileDialog& operator=(const CFileDialog&) = delete;

    virtual INT_PTR DoModal();

    // The (first) chosen file: full path, name, extension without its dot, name without it.
    CString GetPathName() const;
    CString GetFileName() const;
    CString GetFileExt() const;
    CString GetFileTitle() const;
    // The chosen files one by one: null when there are no more.
    POSITION GetStartPosition() const;
    CString GetNextPathName(POSITION& position) const;

    OPENFILENAMEA m_ofn;

private:
    // The text of the answer buffer starting at offset, and where the next one starts.
    std::string PieceAt(size_t offset, size_t* next) const;

    BOOL m_bOpenFileDialog;
    CWnd* m_pParentWnd;
    std::string m_filter; // pieces separated and ended by '\0', then one more
    std::string m_defaultExt;
    std::vector<char> m_file; // the system's answer: a path, or a folder and names
};

class CFontDialog
{
public:
    explicit CFontDialog(const LOGFONTA* initial = nullptr,
                         DWORD flags = CF_EFFECTS | CF_SCREENFONTS, HDC printer = nullptr,
                         CWnd* parent = nullptr);
    virtual ~CFontDialog() = default;
    CFontDialog(const CFontDialog&) = delete;
    CFontDialog& operator=(const CFontDialog&) = delete;

    virtual INT_PTR DoModal();

    void GetCurrentFont(LOGFONTA* font) const { *font = m_lf; }
    CString GetFaceName() const { return CString(m_lf.lfFaceName); }
    // Tenths of a point.
    int GetSize() const { return m_cf.iPointSize; }
    COLORREF GetColor() const { return m_cf.rgbColors; }
    int GetWeight() const { return m_lf.lfWeight; }
    BOOL IsBold() const { return m_lf.lfWeight >= FW_SEMIBOLD; }
    BOOL IsItalic() const { return m_lf.lfItalic != 0; }
    BOOL IsUnderline() const { return m_lf.lfUnderline != 0; }
    BOOL IsStrikeOut() const { return m_lf.lfStrikeOut != 0; }

    CHOOSEFONTA m_cf;
    LOGFONTA m_lf;

private:
    CWnd* m_pParentWnd;
};

class CColorDialog
{
public:
    explicit CColorDialog(COLORREF initial = 0, DWORD flags = 0, CWnd* parent = nullptr);
    virtual ~CColorDialog() = default;
    CColorDialog(const CColorDialog&) = delete;
    CColorDialog& operator=(const CColorDialog&) = delete;

    virtual INT_PTR DoModal();
    COLORREF GetColor() const { return m_cc.rgbResult; }
    // The 16 custom colours, kept for the whole process.
    static COLORREF* GetSavedCustomColors();

    CHOOSECOLORA m_cc;

private:
    CWnd* m_pParentWnd;
};

class CPrintDialog
{
public:
    explicit CPrintDialog(BOOL printSetupOnly,
                          DWORD flags = PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOPAGENUMS |
                                        PD_HIDEPRINTTOFILE | PD_NOSELECTION,
                          CWnd* parent = nullptr);
    // Frees the device mode and names it holds; a printer DC belongs to whoever asked for it.
    virtual ~CPrintDialog();
    CPrintDialog(const CPrintDialog&) = delete;
    CPrintDialog& operator=(const CPrintDialog&) = delete;

    virtual INT_PTR DoModal();
    // The default printer without showing anything; FALSE when there is none.
    BOOL GetDefaults();
    // A DC of the chosen printer, kept in m_pd.hDC; the caller deletes it.
    HDC CreatePrinterDC();
    HDC GetPrinterDC() const { return m_pd.hDC; }

    int GetCopies() const;
    BOOL PrintAll() const { return !PrintRange() && !PrintSelection(); }
    BOOL PrintRange() const { return (m_pd.Flags & PD_PAGENUMS) != 0; }
    BOOL PrintSelection() const { return (m_pd.Flags & PD_SELECTION) != 0; }
    int GetFromPage() const { return PrintRange() ? m_pd.nFromPage : -1; }
    int GetToPage() const { return PrintRange() ? m_pd.nToPage : -1; }
    CString GetDeviceName() const;
    CString GetDriverName() const;
    CString GetPortName() const;

    PRINTDLGA m_pd;

private:
    CString DevNamesPart(WORD DEVNAMES::*offset) const;

    CWnd* m_pParentWnd;
};
