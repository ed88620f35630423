// Printing: the printer through the services seam, the print job page by page, and the preview
// of the pages recorded as enhanced metafiles.
#include "platform/docview/print.h"

#include "platform/docview/doc.h"
#include "platform/docview/view.h"
#include "platform/sys/services.h"
#include "platform/win/app.h"
#include "platform/win/crackers.h"
#include "platform/win/dc.h"
#include "platform/win/texts.h"

#include <algorithm>

namespace
{
// A metafile stands for a printer that records what it is given (a print to file): it has no
// spooler, so the document and page calls are left out.
bool IsMetafile(HDC dc)
{
    return ::GetObjectType(dc) == OBJ_ENHMETADC;
}

CRect PageOf(HDC attrib)
{
    return CRect(0, 0, ::GetDeviceCaps(attrib, HORZRES), ::GetDeviceCaps(attrib, VERTRES));
}

void ReportFailure(const char* key)
{
    AfxMessageBox(fw::LoadFrameworkText("Framework", key).GetString(), MB_OK | MB_ICONSTOP);
}

// The printer DC of a job, released when the job ends; a metafile is completed first.
class PrinterDC
{
public:
    explicit PrinterDC(HDC dc)
        : m_dc(dc)
    {
    }
    ~PrinterDC()
    {
        if (m_dc == nullptr)
            return;
        if (IsMetafile(m_dc))
        {
            if (const HENHMETAFILE picture = ::CloseEnhMetaFile(m_dc))
                ::DeleteEnhMetaFile(picture);
        }
        else
        {
            ::DeleteDC(m_dc);
        }
    }
    PrinterDC(const PrinterDC&) = delete;
    PrinterDC& operator=(const PrinterDC&) = delete;

    HDC Get() const { return m_dc; }

private:
    HDC m_dc;
};

// The DC a view prints on: output to one handle, metrics from another, neither owned.
class PrintingDC
{
public:
    PrintingDC(HDC output, HDC attrib)
    {
        m_dc.SetOutputDC(output);
        m_dc.SetAttribDC(attrib);
        m_dc.m_bPrinting = TRUE;
    }
    ~PrintingDC()
    {
        m_dc.ReleaseOutputDC();
        m_dc.ReleaseAttribDC();
    }
    PrintingDC(const PrintingDC&) = delete;
    PrintingDC& operator=(const PrintingDC&) = delete;

    CDC& Get() { return m_dc; }

private:
    CDC m_dc;
};

// The pages of the job, each between begin and end (false from either stops the job); a view
// that does not know its page count prints its first page.
template <class Begin, class End>
bool PrintPages(CView& view, CDC& dc, CPrintInfo& info, Begin begin, End end)
{
    const UINT first = info.GetFromPage();
    const UINT last = info.GetToPage();
    for (info.m_nCurPage = first; info.m_nCurPage <= last; ++info.m_nCurPage)
    {
        if (info.GetMaxPage() == CPrintInfo::kUnknownPage)
            info.m_bContinuePrinting = info.m_nCurPage == first;
        view.OnPrepareDC(&dc, &info);
        if (!info.m_bContinuePrinting)
            break;
        info.m_rectDraw = PageOf(dc.m_hAttribDC);
        if (!begin())
            return false;
        view.OnPrint(&dc, &info);
        if (!end())
            return false;
    }
    return true;
}

// Lends the application's print set-up to the dialog and takes back what the dialog returns,
// so that a printer chosen once stays chosen and the dialog never frees the application's
// handles.
class LentPrinterSetup
{
public:
    explicit LentPrinterSetup(PRINTDLGA& pd)
        : m_pd(pd)
        , m_app(AfxGetApp())
    {
        if (m_app == nullptr)
            return;
        m_pd.hDevMode = m_app->m_hDevMode;
        m_pd.hDevNames = m_app->m_hDevNames;
    }
    ~LentPrinterSetup()
    {
        if (m_app == nullptr)
            return;
        m_app->m_hDevMode = m_pd.hDevMode;
        m_app->m_hDevNames = m_pd.hDevNames;
        m_pd.hDevMode = nullptr;
        m_pd.hDevNames = nullptr;
    }
    LentPrinterSetup(const LentPrinterSetup&) = delete;
    LentPrinterSetup& operator=(const LentPrinterSetup&) = delete;

private:
    PRINTDLGA& m_pd;
    CWinApp* m_app;
};

CString DocumentName(const CView& view)
{
    const CDocument* document = view.GetDocument();
    const CString title = document ? document->GetTitle() : CString();
    return title.IsEmpty() ? fw::LoadFrameworkText("Framework", "Untitled") : title;
}
} // namespace

CPrintInfo::CPrintInfo()
    : m_pPD(std::make_unique<CPrintDialog>(FALSE, PD_ALLPAGES | PD_USEDEVMODECOPIES |
                                                      PD_NOSELECTION | PD_HIDEPRINTTOFILE))
{
    SetMinPage(1);
    SetMaxPage(kUnknownPage);
}

CPrintInfo::~CPrintInfo() = default;

UINT CPrintInfo::GetFromPage() const
{
    return m_pPD->PrintRange() ? m_pPD->m_pd.nFromPage : GetMinPage();
}

UINT CPrintInfo::GetToPage() const
{
    return m_pPD->PrintRange() ? m_pPD->m_pd.nToPage : GetMaxPage();
}

BOOL CView::DoPreparePrinting(CPrintInfo* info)
{
    // Without any printer the system's dialog would tell the user in its own words, whatever
    // it is asked: no dialog opens, and the missing printer is told once, as below.
    if (!sys::Get().HasPrinter())
    {
        ReportFailure("NoPrinter");
        return FALSE;
    }
    PRINTDLGA& pd = info->m_pPD->m_pd;
    LentPrinterSetup setup(pd);
    // The system's own warning is left out: a missing printer is told once, below.
    pd.Flags |= PD_NOWARNING;
    bool hasPrinter = true;
    if (info->m_bDirect || info->m_bPreview)
    {
        if (pd.hDevNames != nullptr)
        {
            hasPrinter = info->m_pPD->CreatePrinterDC() != nullptr;
        }
        else
        {
            // The default printer: its names may not go in, and come out for the application.
            const DWORD flags = pd.Flags;
            pd.Flags |= PD_RETURNDEFAULT | PD_RETURNDC;
            pd.hwndOwner = nullptr;
            hasPrinter = sys::Get().PrintDlg(&pd) || sys::Get().CommDlgExtendedError() == 0;
            pd.Flags = flags;
        }
    }
    else
    {
        pd.Flags = (pd.Flags | PD_RETURNDC) & ~PD_RETURNDEFAULT;
        pd.nFromPage = static_cast<WORD>(info->GetMinPage());
        pd.nToPage = static_cast<WORD>(info->GetMaxPage());
        if (info->m_pPD->DoModal() != IDOK)
        {
            // A cancel says nothing; a dialog that could not open (no printer at all) is told.
            hasPrinter = sys::Get().CommDlgExtendedError() == 0;
            if (pd.hDC != nullptr)
                ::DeleteDC(pd.hDC);
            pd.hDC = nullptr;
        }
    }
    if (!hasPrinter)
        ReportFailure("NoPrinter");
    return pd.hDC != nullptr;
}

void CView::OnFilePrint()
{
    CPrintInfo info;
    const MSG* message = GetCurrentMessage();
    info.m_bDirect = message != nullptr && message->message == WM_COMMAND &&
                     LOWORD(message->wParam) == ID_FILE_PRINT_DIRECT;
    const BOOL isPrepared = OnPreparePrinting(&info);
    PrinterDC printer(info.m_pPD->m_pd.hDC);
    info.m_pPD->m_pd.hDC = nullptr;
    if (!isPrepared || printer.Get() == nullptr)
        return;
    PrintingDC dc(printer.Get(), printer.Get());
    OnBeginPrinting(&dc.Get(), &info);
    bool isPrinted = true;
    if (IsMetafile(printer.Get()))
    {
        const auto none = [] { return true; };
        isPrinted = PrintPages(*this, dc.Get(), info, none, none);
    }
    else
    {
        const CString name = DocumentName(*this);
        DOCINFOA document = {};
        document.cbSize = sizeof document;
        document.lpszDocName = name.GetString();
        if (::StartDocA(printer.Get(), &document) <= 0)
        {
            OnEndPrinting(&dc.Get(), &info);
            ReportFailure("FailedToStartPrint");
            return;
        }
        const HDC hdc = printer.Get();
        try
        {
            isPrinted = PrintPages(
                *this, dc.Get(), info, [hdc] { return ::StartPage(hdc) > 0; },
                [hdc] { return ::EndPage(hdc) > 0; });
        }
        catch (...)
        {
            ::AbortDoc(hdc);
            throw;
        }
        if (isPrinted)
            isPrinted = ::EndDoc(hdc) > 0;
        else
            ::AbortDoc(hdc);
    }
    OnEndPrinting(&dc.Get(), &info);
    if (!isPrinted)
        ReportFailure("FailedToPrint");
}

void CView::OnFilePrintPreview()
{
    CPrintInfo info;
    info.m_bPreview = TRUE;
    const BOOL isPrepared = OnPreparePrinting(&info);
    PrinterDC printer(info.m_pPD->m_pd.hDC);
    info.m_pPD->m_pd.hDC = nullptr;
    if (!isPrepared || printer.Get() == nullptr)
        return;
    const HDC attrib = printer.Get();
    // Each page's picture keeps the printer's size, given in 0.01 mm.
    const RECT frame = {0, 0, ::GetDeviceCaps(attrib, HORZSIZE) * 100,
                        ::GetDeviceCaps(attrib, VERTSIZE) * 100};
    std::vector<HENHMETAFILE> pages;
    HDC recording = nullptr;
    PrintingDC dc(nullptr, attrib);
    OnBeginPrinting(&dc.Get(), &info);
    const auto beginPage = [&]
    {
        recording = ::CreateEnhMetaFileA(attrib, nullptr, &frame, nullptr);
        dc.Get().SetOutputDC(recording);
        return recording != nullptr;
    };
    const auto endPage = [&]
    {
        dc.Get().ReleaseOutputDC();
        if (const HENHMETAFILE page = ::CloseEnhMetaFile(recording))
            pages.push_back(page);
        recording = nullptr;
        return true;
    };
    bool isRecorded = false;
    try
    {
        isRecorded = PrintPages(*this, dc.Get(), info, beginPage, endPage);
    }
    catch (...)
    {
        if (recording != nullptr)
            endPage();
        for (const HENHMETAFILE page : pages)
            ::DeleteEnhMetaFile(page);
        throw;
    }
    OnEndPrinting(&dc.Get(), &info);
    const CSize pageSize(::GetDeviceCaps(attrib, HORZRES), ::GetDeviceCaps(attrib, VERTRES));
    if (!isRecorded)
    {
        for (const HENHMETAFILE page : pages)
            ::DeleteEnhMetaFile(page);
        ReportFailure("FailedToPrint");
        return;
    }
    fw::CPreviewFrame::Open(std::move(pages), pageSize,
                            fw::LoadFrameworkText("Framework", "PrintPreview").GetString(), this);
}

namespace fw
{
FW_TABLE(CPreviewFrame, CFrameWnd, fw::on<WM_PAINT, &CPreviewFrame::OnPaint>(),
         fw::on<WM_ERASEBKGND, &CPreviewFrame::OnEraseBkgnd>(),
         fw::on<WM_SIZE, &CPreviewFrame::OnSize>(), fw::on<WM_KEYDOWN, &CPreviewFrame::OnKeyDown>())

CPreviewFrame* CPreviewFrame::Open(std::vector<HENHMETAFILE> pages, CSize pageSize,
                                   const char* title, CWnd* owner)
{
    auto* frame = new CPreviewFrame;
    frame->m_pages = std::move(pages);
    frame->m_pageSize = pageSize;
    CWnd* top = owner ? owner->GetTopLevelParent() : nullptr;
    if (!frame->Create(nullptr, title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, rectDefault, top))
    {
        // Without a window nothing deletes the frame on its own.
        if (frame->m_hWnd == nullptr)
            delete frame;
        return nullptr;
    }
    frame->SetFocus();
    return frame;
}

CPreviewFrame::~CPreviewFrame()
{
    for (const HENHMETAFILE page : m_pages)
        ::DeleteEnhMetaFile(page);
}

HENHMETAFILE CPreviewFrame::GetPage(int index) const
{
    return index >= 0 && index < GetPageCount() ? m_pages[static_cast<size_t>(index)] : nullptr;
}

CRect CPreviewFrame::PageRect() const
{
    CRect client;
    GetClientRect(&client);
    constexpr int kMargin = 8;
    const int width = std::max(1, client.Width() - 2 * kMargin);
    const int height = std::max(1, client.Height() - 2 * kMargin);
    if (m_pageSize.cx <= 0 || m_pageSize.cy <= 0)
        return CRect(kMargin, kMargin, kMargin + width, kMargin + height);
    // The page's proportions, as large as the client allows.
    const double scale = std::min(static_cast<double>(width) / m_pageSize.cx,
                                  static_cast<double>(height) / m_pageSize.cy);
    const int pageWidth = std::max(1, static_cast<int>(m_pageSize.cx * scale));
    const int pageHeight = std::max(1, static_cast<int>(m_pageSize.cy * scale));
    const int left = (client.Width() - pageWidth) / 2;
    const int top = (client.Height() - pageHeight) / 2;
    return CRect(left, top, left + pageWidth, top + pageHeight);
}

void CPreviewFrame::ShowPage(int index)
{
    if (index < 0 || index >= GetPageCount() || index == m_currentPage)
        return;
    m_currentPage = index;
    Invalidate(TRUE);
}

void CPreviewFrame::OnPaint()
{
    PAINTSTRUCT paint;
    const HDC dc = ::BeginPaint(m_hWnd, &paint);
    CRect client;
    GetClientRect(&client);
    const CRect page = PageRect();
    const HBRUSH ground = ::GetSysColorBrush(COLOR_APPWORKSPACE);
    // The ground around the page, then the white page and its picture.
    ::FillRect(dc, CRect(0, 0, client.right, page.top), ground);
    ::FillRect(dc, CRect(0, page.bottom, client.right, client.bottom), ground);
    ::FillRect(dc, CRect(0, page.top, page.left, page.bottom), ground);
    ::FillRect(dc, CRect(page.right, page.top, client.right, page.bottom), ground);
    ::FillRect(dc, page, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    if (const HENHMETAFILE picture = GetPage(m_currentPage))
    {
        // Printed bitmaps shrink to a few pixels a dot: keep their colours.
        const int oldMode = ::SetStretchBltMode(dc, HALFTONE);
        ::SetBrushOrgEx(dc, 0, 0, nullptr);
        ::PlayEnhMetaFile(dc, picture, page);
        ::SetStretchBltMode(dc, oldMode);
    }
    ::EndPaint(m_hWnd, &paint);
}

BOOL CPreviewFrame::OnEraseBkgnd(CDC*)
{
    return TRUE; // painting covers the whole client area
}

void CPreviewFrame::OnSize(UINT type, int cx, int cy)
{
    CFrameWnd::OnSize(type, cx, cy);
    Invalidate(FALSE);
}

void CPreviewFrame::OnKeyDown(UINT key, UINT, UINT)
{
    switch (key)
    {
    case VK_ESCAPE: PostMessage(WM_CLOSE); break;
    case VK_NEXT: ShowPage(m_currentPage + 1); break;
    case VK_PRIOR: ShowPage(m_currentPage - 1); break;
    default: Default(); break;
    }
}
} // namespace fw
