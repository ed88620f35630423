// Printing of views: what a print job knows (CPrintInfo), the job itself (the printer chosen in
// the print dialog or the default one, the document, each page through the view's OnPrepareDC
// and OnPrint) and the simple preview, a frame that shows the pages recorded as enhanced
// metafiles whose attribute DC is the printer's. CView's printing members live in print.cpp.
#pragma once

#include "platform/base/geometry.h"
#include "platform/dlg/commdlg.h"
#include "platform/docview/frame.h"

#include <memory>
#include <vector>

struct CPrintInfo
{
    // The page count a view that does not set one has: it prints one page.
    static constexpr UINT kUnknownPage = 0xFFFF;

    CPrintInfo();
    ~CPrintInfo();
    CPrintInfo(const CPrintInfo&) = delete;
    CPrintInfo& operator=(const CPrintInfo&) = delete;

    void SetMinPage(UINT page) { m_pPD->m_pd.nMinPage = static_cast<WORD>(page); }
    void SetMaxPage(UINT page) { m_pPD->m_pd.nMaxPage = static_cast<WORD>(page); }
    UINT GetMinPage() const { return m_pPD->m_pd.nMinPage; }
    UINT GetMaxPage() const { return m_pPD->m_pd.nMaxPage; }
    // The pages the user asked for: the dialog's range, else every page.
    UINT GetFromPage() const;
    UINT GetToPage() const;

    std::unique_ptr<CPrintDialog> m_pPD; // its printer DC is the job's, deleted when it ends
    BOOL m_bDirect = FALSE;              // the default printer without a dialog
    BOOL m_bPreview = FALSE;
    BOOL m_bContinuePrinting = TRUE; // a view's OnPrepareDC clears it to end the job
    UINT m_nCurPage = 1;
    CRect m_rectDraw; // the page in printer pixels, set before each OnPrint
};

namespace fw
{
// The preview of a print job: one picture per page, fitted into the client area with the
// page's proportions on a grey ground. Page Down and Page Up turn the pages, Escape closes the
// frame, which deletes itself (and its pictures) when its window goes.
class CPreviewFrame : public CFrameWnd
{
public:
    // Takes the pages (owned from here on, also on failure). pageSize in printer pixels; the
    // frame is owned by owner's top-level window. Null when the window cannot be made.
    static CPreviewFrame* Open(std::vector<HENHMETAFILE> pages, CSize pageSize, const char* title,
                               CWnd* owner);
    ~CPreviewFrame() override;

    int GetPageCount() const { return static_cast<int>(m_pages.size()); }
    int GetCurrentPage() const { return m_currentPage; }
    HENHMETAFILE GetPage(int index) const;
    CSize GetPageSize() const { return m_pageSize; }
    // Where the current page shows, in client pixels.
    CRect PageRect() const;
    void ShowPage(int index);

    FW_MESSAGE_TABLE()

protected:
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* dc);
    void OnSize(UINT type, int cx, int cy);
    void OnKeyDown(UINT key, UINT repeat, UINT flags);

private:
    CPreviewFrame() = default;

    std::vector<HENHMETAFILE> m_pages; // owned
    CSize m_pageSize;
    int m_currentPage = 0;
};
} // namespace fw
