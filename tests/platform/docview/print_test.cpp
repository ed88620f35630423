// Printing of a view under Wine: the print dialog or the default printer through the services,
// the pages through the view's steps onto a PostScript file printer or a metafile, a failed
// start, and the preview frame with its pages.
#include "platform/docview/print.h"

#include "platform/test/file_printer.h"
#include "platform/test/mainframe.h"
#include "platform/test/pump.h"
#include "platform/win/crackers.h"
#include "platform/win/dc.h"
#include "platform/win/texts.h"
#include "tests/support/TestPaths.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

using namespace fw::test;

namespace
{
constexpr char kPrinterName[] = "Gravik Framework Test Printer";
const COLORREF kPageColours[] = {RGB(255, 0, 0), RGB(0, 0, 255)};

// Records its printing steps and fills each page with a colour of its own.
class CPrintTestView : public CTestView
{
    FW_CREATABLE(CPrintTestView, CTestView)

public:
    struct Step
    {
        std::string name;
        UINT page;
        BOOL printing;
        int pageWidth; // GetDeviceCaps of the DC the view was given
        CRect rectDraw;
    };

    BOOL OnPreparePrinting(CPrintInfo* info) override
    {
        if (m_pageCount > 0)
            info->SetMaxPage(m_pageCount);
        m_wasPreview = info->m_bPreview;
        return DoPreparePrinting(info);
    }
    void OnBeginPrinting(CDC* dc, CPrintInfo* info) override { Record("begin", dc, info); }
    void OnPrint(CDC* dc, CPrintInfo* info) override
    {
        Record("print", dc, info);
        const COLORREF colour = kPageColours[(info->m_nCurPage - 1) % 2];
        dc->FillSolidRect(0, 0, info->m_rectDraw.Width(), info->m_rectDraw.Height(), colour);
    }
    void OnEndPrinting(CDC* dc, CPrintInfo* info) override { Record("end", dc, info); }

    std::vector<Step> m_steps;
    UINT m_pageCount = 0; // 0: the view does not say
    BOOL m_wasPreview = FALSE;

    FW_MESSAGE_TABLE()

private:
    void Record(const char* name, CDC* dc, CPrintInfo* info)
    {
        m_steps.push_back({name, info->m_nCurPage, dc->m_bPrinting, dc->GetDeviceCaps(HORZRES),
                           info->m_rectDraw});
    }
};

FW_TABLE(CPrintTestView, CTestView, fw::command<ID_FILE_PRINT, &CPrintTestView::OnFilePrint>(),
         fw::command<ID_FILE_PRINT_DIRECT, &CPrintTestView::OnFilePrint>(),
         fw::command<ID_FILE_PRINT_PREVIEW, &CPrintTestView::OnFilePrintPreview>())

std::string ReadFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

int CountOf(const std::string& text, const std::string& piece)
{
    int count = 0;
    for (size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at + 1))
        ++count;
    return count;
}

class PrintTest : public MainFrameFixture
{
protected:
    void SetUp() override
    {
        m_viewClass = RUNTIME_CLASS(CPrintTestView);
        MainFrameFixture::SetUp();
        fw::SetTextSource("resources\\string", "_ENG");
        OpenDocument();
        m_view = dynamic_cast<CPrintTestView*>(ActiveView());
        ASSERT_NE(nullptr, m_view);
    }
    void TearDown() override
    {
        for (HWND preview : PreviewWindows())
            ::DestroyWindow(preview);
        MainFrameFixture::TearDown();
    }

    // A PostScript printer writing to a file of this test; its path.
    std::string UseFilePrinter()
    {
        const std::string path = testing_support::MakeTempDir("print") + "\\job.ps";
        if (!InstallFilePrinter(kPrinterName, path))
            return std::string();
        (*m_services)->printer = [] { return CreateFilePrinterDC(kPrinterName); };
        return path;
    }
    void Command(UINT id) { m_view->SendMessage(WM_COMMAND, MAKEWPARAM(id, 0), 0); }
    std::vector<std::string> StepNames() const
    {
        std::vector<std::string> names;
        for (const CPrintTestView::Step& step : m_view->m_steps)
            names.push_back(step.name + " " + std::to_string(step.page));
        return names;
    }
    static std::vector<HWND> PreviewWindows()
    {
        std::vector<HWND> found;
        ::EnumThreadWindows(
            ::GetCurrentThreadId(),
            [](HWND hwnd, LPARAM list)
            {
                if (dynamic_cast<fw::CPreviewFrame*>(CWnd::FromHandlePermanent(hwnd)))
                    reinterpret_cast<std::vector<HWND>*>(list)->push_back(hwnd);
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&found));
        return found;
    }

    CPrintTestView* m_view = nullptr;
};
} // namespace

TEST_F(PrintTest, PrintDialogPrintsEveryPageOnThePrinterIntoItsFile)
{
    const std::string path = UseFilePrinter();
    ASSERT_FALSE(path.empty()) << "the test printer could not be installed";
    m_view->m_pageCount = 2;
    Command(ID_FILE_PRINT);

    ASSERT_EQ(1u, (*m_services)->printDialogFlags.size());
    const DWORD flags = (*m_services)->printDialogFlags[0];
    EXPECT_TRUE(flags & PD_RETURNDC);
    EXPECT_FALSE(flags & PD_RETURNDEFAULT);
    EXPECT_EQ((std::vector<std::string>{"begin 1", "print 1", "print 2", "end 3"}), StepNames());
    for (const CPrintTestView::Step& step : m_view->m_steps)
    {
        SCOPED_TRACE(step.name);
        EXPECT_TRUE(step.printing);
        EXPECT_GT(step.pageWidth, 2400); // A4 at 300 dpi, from the printer, not the screen
    }
    const CRect page = m_view->m_steps[1].rectDraw;
    EXPECT_EQ(CRect(0, 0, m_view->m_steps[1].pageWidth, page.bottom), page);
    EXPECT_GT(page.bottom, 3400);

    const std::string job = ReadFile(path);
    EXPECT_EQ(0u, job.find("%!PS"));
    EXPECT_NE(std::string::npos, job.find("%%Pages: 2"));
    EXPECT_EQ(2, CountOf(job, "showpage"));
    EXPECT_TRUE((*m_services)->messageBoxes.empty());
}

TEST_F(PrintTest, DirectPrintTakesTheDefaultPrinterAndAViewWithoutPageCountPrintsOnePage)
{
    const std::string path = UseFilePrinter();
    ASSERT_FALSE(path.empty()) << "the test printer could not be installed";
    Command(ID_FILE_PRINT_DIRECT);

    ASSERT_EQ(1u, (*m_services)->printDialogFlags.size());
    EXPECT_TRUE((*m_services)->printDialogFlags[0] & PD_RETURNDEFAULT);
    EXPECT_EQ((std::vector<std::string>{"begin 1", "print 1", "end 2"}), StepNames());
    EXPECT_EQ(1, CountOf(ReadFile(path), "showpage"));
}

TEST_F(PrintTest, CancelledDialogPrintsNothing)
{
    Command(ID_FILE_PRINT); // no printer: the dialog cancels
    EXPECT_EQ(1, (*m_services)->printDialogs);
    EXPECT_TRUE(m_view->m_steps.empty());
    EXPECT_TRUE((*m_services)->messageBoxes.empty());
}

TEST_F(PrintTest, PrinterThatCannotStartTheDocumentIsReportedOnce)
{
    // A memory DC has no spooler: the document cannot start.
    (*m_services)->printer = [] { return ::CreateCompatibleDC(nullptr); };
    Command(ID_FILE_PRINT);
    EXPECT_EQ((std::vector<std::string>{"begin 1", "end 1"}), StepNames());
    ASSERT_EQ(1u, (*m_services)->messageBoxes.size());
    EXPECT_EQ(fw::LoadFrameworkText("Framework", "FailedToStartPrint").GetString(),
              (*m_services)->messageBoxes[0].text);
}

TEST_F(PrintTest, MetafilePrinterRecordsThePagesWithItsOwnSize)
{
    const std::string path = testing_support::MakeTempDir("print") + "\\job.emf";
    (*m_services)->printer = [path]
    {
        const HDC screen = ::GetDC(nullptr);
        const HDC metafile = ::CreateEnhMetaFileA(screen, path.c_str(), nullptr, nullptr);
        ::ReleaseDC(nullptr, screen);
        return metafile;
    };
    m_view->m_pageCount = 2;
    Command(ID_FILE_PRINT);
    EXPECT_EQ((std::vector<std::string>{"begin 1", "print 1", "print 2", "end 3"}), StepNames());
    EXPECT_EQ(::GetSystemMetrics(SM_CXSCREEN), m_view->m_steps[1].pageWidth);
    // The metafile is complete on disk: both pages' fills are in it.
    const HENHMETAFILE picture = ::GetEnhMetaFileA(path.c_str());
    ASSERT_NE(nullptr, picture);
    ENHMETAHEADER header = {};
    ::GetEnhMetaFileHeader(picture, sizeof header, &header);
    EXPECT_GE(header.nRecords, 4u);
    ::DeleteEnhMetaFile(picture);
}

TEST_F(PrintTest, PreviewShowsThePagesInAFrameOfTheirOwn)
{
    ASSERT_FALSE(UseFilePrinter().empty()) << "the test printer could not be installed";
    m_view->m_pageCount = 2;
    Command(ID_FILE_PRINT_PREVIEW);
    EXPECT_TRUE(m_view->m_wasPreview);
    EXPECT_TRUE((*m_services)->printDialogFlags.at(0) & PD_RETURNDEFAULT);
    EXPECT_EQ((std::vector<std::string>{"begin 1", "print 1", "print 2", "end 3"}), StepNames());
    EXPECT_TRUE(m_view->m_steps[1].printing);
    EXPECT_GT(m_view->m_steps[1].pageWidth, 2400); // the printer answers the metrics

    const std::vector<HWND> previews = PreviewWindows();
    ASSERT_EQ(1u, previews.size());
    auto* preview = static_cast<fw::CPreviewFrame*>(CWnd::FromHandlePermanent(previews[0]));
    EXPECT_EQ(2, preview->GetPageCount());
    EXPECT_EQ(m_view->m_steps[1].pageWidth, preview->GetPageSize().cx);
    preview->MoveWindow(0, 0, 400, 500);
    ::SetWindowPos(previews[0], HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    Pump();
    // The page keeps the printer's proportions and shows its picture.
    const CRect page = preview->PageRect();
    EXPECT_NEAR(static_cast<double>(page.Height()) / page.Width(),
                static_cast<double>(preview->GetPageSize().cy) / preview->GetPageSize().cx, 0.02);
    const CPoint centre = page.CenterPoint();
    EXPECT_EQ(kPageColours[0], ClientPixel(previews[0], centre.x, centre.y));
    preview->SendMessage(WM_KEYDOWN, VK_NEXT, 0);
    Pump();
    EXPECT_EQ(1, preview->GetCurrentPage());
    EXPECT_EQ(kPageColours[1], ClientPixel(previews[0], centre.x, centre.y));

    preview->SendMessage(WM_KEYDOWN, VK_ESCAPE, 0);
    Pump();
    EXPECT_TRUE(PreviewWindows().empty());
}

namespace
{
// A system whose print dialog cannot open, the default printer not found: with no printer
// installed at all, or with one that the dialog cannot reach.
class NoPrinterServices : public fw::test::ScriptedServices
{
public:
    explicit NoPrinterServices(bool isAnyInstalled) { hasPrinter = isAnyInstalled; }
    DWORD CommDlgExtendedError() override { return PDERR_NODEFAULTPRN; }
};
} // namespace

// Without any printer no dialog opens (the system's would speak in its own words); with one the
// dialog cannot reach, the dialog's own warning is left out. Either way the program says it once.
TEST_F(PrintTest, WithoutAPrinterEachPrintCommandSaysSoOnce)
{
    for (const bool isAnyInstalled : {false, true})
    {
        for (const UINT command : {ID_FILE_PRINT, ID_FILE_PRINT_DIRECT, ID_FILE_PRINT_PREVIEW})
        {
            SCOPED_TRACE(testing::Message() << command << (isAnyInstalled ? " unreachable" : ""));
            NoPrinterServices noPrinter(isAnyInstalled);
            sys::Services* previous = sys::Install(&noPrinter);
            Command(command);
            Pump();
            sys::Install(previous);
            if (isAnyInstalled)
            {
                EXPECT_EQ(1, noPrinter.printDialogs);
                EXPECT_TRUE(noPrinter.printDialogFlags.at(0) & PD_NOWARNING);
            }
            else
            {
                EXPECT_EQ(0, noPrinter.printDialogs);
            }
            ASSERT_EQ(1u, noPrinter.messageBoxes.size());
            EXPECT_EQ("No printer is available: nothing was printed.",
                      noPrinter.messageBoxes[0].text);
            EXPECT_TRUE(m_view->m_steps.empty());
            EXPECT_TRUE(PreviewWindows().empty());
        }
    }
}
