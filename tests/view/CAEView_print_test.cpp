// Printing of a 3-D view under Wine: the view rendered into a 2384 x 1460 bitmap and stretched
// to the page width of a metafile or PostScript file printer, undistorted, black and white
// exchanged when asked; the preview; and the view drawing as before afterwards.
#include "ResultViewFixture.h"
#include "StripModel.h"
#include "platform/docview/print.h"
#include "platform/test/file_printer.h"
#include "platform/win/texts.h"
#include "resources/resource.h"
#include "tests/support/TestPaths.h"

#include <cstring>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

using namespace view_window_test;

namespace
{
using Rgb = std::array<int, 3>;
constexpr int kSide = 300;
constexpr int kPrintWidth = 2384;
constexpr int kPrintHeight = 1460;
constexpr UINT kStressType = 0x2000000u;
constexpr char kPrinterName[] = "Gravik View Test Printer";

// The bitmap a metafile page stretches onto the page, and where.
struct PrintedBitmap
{
    bool isFound = false;
    CRect dest;
    int width = 0;
    int height = 0;
    int bitCount = 0;
    std::vector<unsigned char> bits; // bottom-up rows

    // Red, green, blue at x, y from the top of the bitmap (24 bits a pixel).
    Rgb At(int x, int y) const
    {
        const size_t rowBytes = static_cast<size_t>(width) * 3;
        const unsigned char* p = &bits[static_cast<size_t>(height - 1 - y) * rowBytes + x * 3];
        return {p[2], p[1], p[0]};
    }
    // Pixels unlike the colour, every fourth of every fourth row.
    int CountNot(const Rgb& colour) const
    {
        int count = 0;
        for (int y = 0; y < height; y += 4)
        {
            for (int x = 0; x < width; x += 4)
                count += At(x, y) != colour ? 1 : 0;
        }
        return count;
    }
    // The length of the run of pixels unlike the background through (x, y), along a row or a
    // column.
    int RunThrough(int x, int y, bool alongRow, const Rgb& background) const
    {
        int length = 1;
        for (int sign : {-1, 1})
        {
            for (int i = 1;; ++i)
            {
                const int px = alongRow ? x + sign * i : x;
                const int py = alongRow ? y : y + sign * i;
                if (px < 0 || py < 0 || px >= width || py >= height || At(px, py) == background)
                    break;
                ++length;
            }
        }
        return length;
    }
};

PrintedBitmap FindStretchedBitmap(HENHMETAFILE picture)
{
    PrintedBitmap found;
    if (picture == nullptr)
        return found;
    std::vector<BYTE> data(::GetEnhMetaFileBits(picture, 0, nullptr));
    ::GetEnhMetaFileBits(picture, static_cast<UINT>(data.size()), data.data());
    for (size_t at = 0; at + sizeof(EMR) <= data.size();)
    {
        EMR record;
        std::memcpy(&record, &data[at], sizeof record);
        if (record.nSize < sizeof(EMR) || at + record.nSize > data.size())
            break;
        if (record.iType == EMR_STRETCHDIBITS)
        {
            EMRSTRETCHDIBITS stretch;
            std::memcpy(&stretch, &data[at], sizeof stretch);
            BITMAPINFOHEADER header;
            std::memcpy(&header, &data[at + stretch.offBmiSrc], sizeof header);
            found.isFound = true;
            found.dest = CRect(stretch.xDest, stretch.yDest, stretch.xDest + stretch.cxDest,
                               stretch.yDest + stretch.cyDest);
            found.width = header.biWidth;
            found.height = header.biHeight;
            found.bitCount = header.biBitCount;
            const BYTE* bits = &data[at + stretch.offBitsSrc];
            found.bits.assign(bits, bits + stretch.cbBitsSrc);
        }
        at += record.nSize;
    }
    return found;
}

PrintedBitmap FindStretchedBitmap(const std::string& path)
{
    const HENHMETAFILE picture = ::GetEnhMetaFileA(path.c_str());
    PrintedBitmap found = FindStretchedBitmap(picture);
    if (picture != nullptr)
        ::DeleteEnhMetaFile(picture);
    return found;
}

// The print preview's frame open now, else null.
fw::CPreviewFrame* FindPreview()
{
    fw::CPreviewFrame* preview = nullptr;
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND hwnd, LPARAM found)
        {
            if (auto* frame = dynamic_cast<fw::CPreviewFrame*>(CWnd::FromHandlePermanent(hwnd)))
                *reinterpret_cast<fw::CPreviewFrame**>(found) = frame;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&preview));
    return preview;
}

std::string ReadText(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

class CAEViewPrintTest : public ResultViewFixture
{
protected:
    void SetUp() override
    {
        ResultViewFixture::SetUp();
        view_test::AddStrip(Model());
        const CResultData* stress = view_test::AddNodalCase(Model(), 1, kStressType, 1,
                                                            CResultData::kFlagAtNodes | 8, 10.0);
        m_view = ShowResult(stress->m_id, kSide, kSide);
        ASSERT_NE(nullptr, m_view);
        m_folder = testing_support::MakeTempDir("print");
    }

    // A metafile the size of the screen stands for the printer; its file.
    std::string UseMetafilePrinter()
    {
        const std::string path = m_folder + "\\page.emf";
        (*m_services)->printer = [path]
        {
            const HDC screen = ::GetDC(nullptr);
            const HDC metafile = ::CreateEnhMetaFileA(screen, path.c_str(), nullptr, nullptr);
            ::ReleaseDC(nullptr, screen);
            return metafile;
        };
        return path;
    }

    CWendraView* m_view = nullptr;
    std::string m_folder;
};
} // namespace

TEST_F(CAEViewPrintTest, BitmapFillsThePageWidthUndistortedAndTheViewDrawsAsBefore)
{
    DrawFrame(m_view);
    const Rgb viewCentre = ReadPixel(kSide / 2 + 40, kSide / 2, kSide);
    const CViewVolume sceneBefore = m_view->Camera(0);
    const CPoint3D triadBefore = m_view->Camera(1).m_viewportP1;
    const LOGFONT fontBefore = Frame().m_project->m_settings.m_generalFont.font;
    const std::string path = UseMetafilePrinter();
    (*m_services)->messageBoxAnswers = {IDNO};
    Command(m_view, ID_VIEW_PRINT);

    const PrintedBitmap printed = FindStretchedBitmap(path);
    ASSERT_TRUE(printed.isFound);
    EXPECT_EQ(kPrintWidth, printed.width);
    EXPECT_EQ(kPrintHeight, printed.height);
    const int pageWidth = ::GetSystemMetrics(SM_CXSCREEN);
    const int pageHeight = ::GetSystemMetrics(SM_CYSCREEN);
    const int height = pageWidth * kPrintHeight / kPrintWidth;
    EXPECT_EQ(CRect(0, (pageHeight - height) / 2, pageWidth, (pageHeight - height) / 2 + height),
              printed.dest);
    // The same place of the model in the same colour, scaled from the window's height.
    const int centreX = kPrintWidth / 2 + 40 * kPrintHeight / kSide;
    EXPECT_EQ(viewCentre, printed.At(centreX, kPrintHeight / 2));
    // The strip keeps its proportions: ten units long, two wide.
    const Rgb black = {0, 0, 0};
    const double length = printed.RunThrough(kPrintWidth / 2, kPrintHeight / 2, true, black);
    const double width = printed.RunThrough(kPrintWidth / 2, kPrintHeight / 2, false, black);
    EXPECT_NEAR(5.0, length / width, 0.25);

    EXPECT_EQ(0, m_view->IsPrinting());
    EXPECT_EQ(sceneBefore.m_viewportP2.x, m_view->Camera(0).m_viewportP2.x);
    EXPECT_EQ(sceneBefore.m_volumeEnd.x, m_view->Camera(0).m_volumeEnd.x);
    EXPECT_EQ(triadBefore.y, m_view->Camera(1).m_viewportP1.y);
    EXPECT_EQ(fontBefore.lfHeight, Frame().m_project->m_settings.m_generalFont.font.lfHeight);
    DrawFrame(m_view);
    EXPECT_EQ(viewCentre, ReadPixel(kSide / 2 + 40, kSide / 2, kSide));
}

TEST_F(CAEViewPrintTest, ReversalPrintsTheBlackBackgroundWhite)
{
    const std::string path = UseMetafilePrinter();
    (*m_services)->messageBoxAnswers = {IDYES};
    Command(m_view, ID_VIEW_PRINT);
    EXPECT_EQ(1, m_view->IsReverseBlackWhite());
    const PrintedBitmap printed = FindStretchedBitmap(path);
    ASSERT_TRUE(printed.isFound);
    EXPECT_EQ((Rgb{255, 255, 255}), printed.At(kPrintWidth - 5, 5));
    EXPECT_NE((Rgb{255, 255, 255}), printed.At(kPrintWidth / 2 + 200, kPrintHeight / 2));
}

TEST_F(CAEViewPrintTest, DirectPrintAsksNothingAndWritesThePageToThePrintersFile)
{
    const std::string output = m_folder + "\\page.ps";
    ASSERT_TRUE(fw::test::InstallFilePrinter(kPrinterName, output));
    (*m_services)->printer = [] { return fw::test::CreateFilePrinterDC(kPrinterName); };
    Command(m_view, ID_FILE_PRINT_DIRECT);
    EXPECT_TRUE((*m_services)->messageBoxes.empty());
    const std::string job = ReadText(output);
    EXPECT_NE(std::string::npos, job.find("/Width 2384")) << job.substr(0, 2000);
    EXPECT_NE(std::string::npos, job.find("/Height 1460"));
    // A4 at 300 dpi: 2479 x 3508 pixels; the picture 2479 wide, centred in height.
    const int height = 2479 * kPrintHeight / kPrintWidth;
    std::ostringstream place;
    place << "0 " << (3508 - height) / 2 << " translate\n2479 " << height << " scale";
    EXPECT_NE(std::string::npos, job.find(place.str())) << place.str();
}

TEST_F(CAEViewPrintTest, PreviewAsksAndShowsThePrintedPage)
{
    UseMetafilePrinter();
    (*m_services)->messageBoxAnswers = {IDNO};
    Command(m_view, ID_FILE_PRINT_PREVIEW);
    EXPECT_EQ(1u, (*m_services)->messageBoxes.size());
    fw::CPreviewFrame* preview = FindPreview();
    ASSERT_NE(nullptr, preview);
    EXPECT_EQ(1, preview->GetPageCount());
    ENHMETAHEADER header = {};
    ::GetEnhMetaFileHeader(preview->GetPage(0), sizeof header, &header);
    EXPECT_GT(header.nBytes, static_cast<DWORD>(kPrintWidth * kPrintHeight * 3));
    preview->DestroyWindow();
}

TEST_F(CAEViewPrintTest, ViewOfNoOrLittleHeightPrintsAndKeepsItsFont)
{
    const LONG fontHeight = Frame().m_project->m_settings.m_generalFont.font.lfHeight;
    const std::string path = UseMetafilePrinter();
    for (const int height : {0, 2})
    {
        SCOPED_TRACE(height);
        m_view->MoveWindow(0, 0, kSide, height);
        CRect client;
        m_view->GetClientRect(&client);
        EXPECT_GE(height, client.Height());
        (*m_services)->messageBoxAnswers = {IDNO};
        Command(m_view, ID_VIEW_PRINT);
        EXPECT_TRUE(FindStretchedBitmap(path).isFound);
        EXPECT_EQ(fontHeight, Frame().m_project->m_settings.m_generalFont.font.lfHeight);
        EXPECT_EQ(0, m_view->IsPrinting());
    }
}

TEST_F(CAEViewPrintTest, IdLabelsArePrintedToo)
{
    const COLORREF labelColour = RGB(201, 0, 177);
    Frame().m_project->m_settings.m_nodeLabelFont.color = labelColour;
    CEntityArray nodes;
    for (const int id : {1, 2, 11, 12, 21, 22})
        nodes.Add(Model().GetNode(id));
    m_view->Renderer().CreateNodeIdLabels(nodes);
    m_view->EditScene().SetNodeIdMode(1);
    const std::string path = UseMetafilePrinter();
    (*m_services)->messageBoxAnswers = {IDNO};
    Command(m_view, ID_VIEW_PRINT);
    const PrintedBitmap printed = FindStretchedBitmap(path);
    ASSERT_TRUE(printed.isFound);
    int labelPixels = 0;
    for (int y = 0; y < printed.height; y += 2)
    {
        for (int x = 0; x < printed.width; x += 2)
            labelPixels += printed.At(x, y) == Rgb{201, 0, 177};
    }
    EXPECT_GT(labelPixels, 50);
    // The view's own labels are still there.
    DrawFrame(m_view);
    EXPECT_GT(kSide * kSide - CountDiffering(0, 0, kSide, kSide, kSide, {201, 0, 177}), 10);
}

TEST_F(CAEViewPrintTest, CtrlPPrintsWithoutAskingWithTheLastAnswer)
{
    const std::string path = UseMetafilePrinter();
    const Rgb white = {255, 255, 255};
    const Rgb black = {0, 0, 0};
    // Before any question the background prints as it shows; afterwards as last answered.
    for (const int answer : {0, IDYES, IDNO})
    {
        SCOPED_TRACE(answer);
        if (answer != 0)
        {
            (*m_services)->messageBoxAnswers = {answer};
            Command(m_view, ID_VIEW_PRINT);
        }
        (*m_services)->messageBoxes.clear();
        ::DeleteFileA(path.c_str());
        Command(m_view, ID_FILE_PRINT); // what the Ctrl+P accelerator sends
        EXPECT_TRUE((*m_services)->messageBoxes.empty());
        const PrintedBitmap printed = FindStretchedBitmap(path);
        ASSERT_TRUE(printed.isFound);
        EXPECT_EQ(answer == IDYES ? white : black, printed.At(kPrintWidth - 5, 5));
    }
}

// A model large enough for the list workers: their contexts share lists with the window's, not
// with the bitmap's, so a printout compiles its lists itself. The page and the preview show what
// they show without workers, with faces and with edges.
TEST_F(CAEViewPrintTest, ModelOfListWorkersPrintsAndPreviewsAsWithoutThem)
{
    struct ParallelLists
    {
        ~ParallelLists() { CAESet::SetParallelListElements(CAESet::kDefaultParallelListElements); }
    } putBack;
    const std::string path = UseMetafilePrinter();
    const auto print = [&](size_t parallelElements)
    {
        CAESet::SetParallelListElements(parallelElements);
        m_view->Renderer().RenderAll();
        ::DeleteFileA(path.c_str());
        (*m_services)->messageBoxAnswers = {IDNO};
        Command(m_view, ID_VIEW_PRINT);
        return FindStretchedBitmap(path);
    };
    const Rgb black = {0, 0, 0};
    for (const UINT mode : {ID_VIEW_SHADING, ID_VIEW_WIREFRAME})
    {
        SCOPED_TRACE(mode);
        Command(m_view, mode);
        const PrintedBitmap alone = print(SIZE_MAX);
        const PrintedBitmap withWorkers = print(1);
        ASSERT_TRUE(alone.isFound);
        ASSERT_TRUE(withWorkers.isFound);
        // The strip and the legend, not the legend alone.
        EXPECT_GT(withWorkers.CountNot(black), alone.CountNot(black) / 2);
        EXPECT_TRUE(alone.bits == withWorkers.bits);
    }

    Command(m_view, ID_VIEW_SHADING);
    const PrintedBitmap printed = print(SIZE_MAX);
    CAESet::SetParallelListElements(1);
    m_view->Renderer().RenderAll();
    (*m_services)->messageBoxAnswers = {IDNO};
    Command(m_view, ID_FILE_PRINT_PREVIEW);
    fw::CPreviewFrame* preview = FindPreview();
    ASSERT_NE(nullptr, preview);
    const PrintedBitmap previewed = FindStretchedBitmap(preview->GetPage(0));
    preview->DestroyWindow();
    ASSERT_TRUE(previewed.isFound);
    EXPECT_NE(black, previewed.At(kPrintWidth / 2 + 200, kPrintHeight / 2));
    EXPECT_TRUE(printed.bits == previewed.bits);
}

namespace
{
// A system without printers: the print dialog cannot open, the default printer is not found.
class NoPrinterServices : public fw::test::ScriptedServices
{
public:
    NoPrinterServices() { hasPrinter = false; }
    DWORD CommDlgExtendedError() override { return PDERR_NODEFAULTPRN; }
};

// The system's own print dialogs and printers; the program's message boxes scripted.
class SystemPrintDialogs : public fw::test::ScriptedServices
{
public:
    BOOL PrintDlg(PRINTDLGA* pd) override
    {
        ++printDialogs;
        return sys::Services::PrintDlg(pd);
    }
    DWORD CommDlgExtendedError() override { return sys::Services::CommDlgExtendedError(); }
    bool HasPrinter() override { return sys::Services::HasPrinter(); }
};

struct PrintCommand
{
    const char* name;
    UINT id;
    size_t questions; // Print and Preview ask about the background first
};
const PrintCommand kPrintCommands[] = {
    {"Print", ID_VIEW_PRINT, 1},
    {"Ctrl+P", ID_FILE_PRINT, 0},
    {"direct print", ID_FILE_PRINT_DIRECT, 0},
    {"Print Preview", ID_FILE_PRINT_PREVIEW, 1},
};
} // namespace

TEST_F(CAEViewPrintTest, PrintAndPreviewWithoutAPrinterSaySoOnceAfterTheQuestion)
{
    fw::SetTextSource("resources\\string", "_ENG"); // the framework's texts, as the program's
    for (const PrintCommand& command : kPrintCommands)
    {
        SCOPED_TRACE(command.name);
        NoPrinterServices noPrinter;
        noPrinter.messageBoxAnswers = {IDNO};
        sys::Services* previous = sys::Install(&noPrinter);
        Command(m_view, command.id);
        sys::Install(previous);
        ASSERT_EQ(command.questions + 1, noPrinter.messageBoxes.size());
        EXPECT_EQ("No printer is available: nothing was printed.",
                  noPrinter.messageBoxes.back().text);
        EXPECT_TRUE(noPrinter.messageBoxes.back().type & MB_ICONSTOP);
        EXPECT_EQ(0, noPrinter.printDialogs);
    }
}

// On a system without printers, through the system's own dialogs: the program's message once
// for each print command, and no box of the system's (Wine's tells the user to install a
// printer, in its words, whatever the dialog is asked).
TEST_F(CAEViewPrintTest, WithoutAnyPrinterOnlyTheProgramsMessageShows)
{
    fw::test::RemoveFilePrinters();
    if (sys::Services().HasPrinter())
        GTEST_SKIP() << "a printer of the system is installed";
    fw::SetTextSource("resources\\string", "_ENG");
    for (const PrintCommand& command : kPrintCommands)
    {
        SCOPED_TRACE(command.name);
        SystemPrintDialogs system;
        system.messageBoxAnswers = {IDNO};
        sys::Services* previous = sys::Install(&system);
        fw::test::CancelEveryDialog(true);
        Command(m_view, command.id);
        fw::test::Pump();
        const std::vector<std::string> systemBoxes = fw::test::CancelledDialogs();
        fw::test::CancelEveryDialog(false);
        sys::Install(previous);
        EXPECT_TRUE(systemBoxes.empty()) << "a box of the system showed: " << systemBoxes[0];
        EXPECT_EQ(command.questions + 1, system.messageBoxes.size());
        if (!system.messageBoxes.empty())
            EXPECT_EQ("No printer is available: nothing was printed.",
                      system.messageBoxes.back().text);
        EXPECT_TRUE(FindPreview() == nullptr);
    }
}
